#pragma once

#include "FTypy.h"

// Statements read with the Nest dialect (Dialekty.h).
class TWyciagNest : public TWyciagAbs {
public:
    TWyciagNest();
};

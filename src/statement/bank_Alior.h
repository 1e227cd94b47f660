#pragma once

#include "FTypy.h"

// Statements read with the Alior dialect (Dialekty.h).
class TWyciagAlior : public TWyciagAbs {
public:
    TWyciagAlior();
};

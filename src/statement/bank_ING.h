#pragma once

#include "FTypy.h"

// Statements read with the ING dialect (Dialekty.h).
class TWyciagING : public TWyciagAbs {
public:
    TWyciagING();
};

#pragma once

#include "FTypy.h"

// Statements read with the PlusBank dialect (Dialekty.h).
class TWyciagPlusBank : public TWyciagAbs {
public:
    TWyciagPlusBank();
};

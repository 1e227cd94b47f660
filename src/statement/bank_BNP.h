#pragma once

#include "FTypy.h"

// Statements read with the BNP dialect (Dialekty.h).
class TWyciagBNP : public TWyciagAbs {
public:
    TWyciagBNP();
};

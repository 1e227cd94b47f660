#pragma once

#include "FTypy.h"

// Statements read with the mBank dialect (Dialekty.h).
class TWyciagmBank : public TWyciagAbs {
public:
    TWyciagmBank();
};

#pragma once

#include "FTypy.h"

// Statements read with the Santander dialect (Dialekty.h).
class TWyciagBZWBK : public TWyciagAbs {
public:
    TWyciagBZWBK();
};

#pragma once

#include "FTypy.h"

// Statements read with the PKO dialect (Dialekty.h).
class TWyciagPKO : public TWyciagAbs {
public:
    TWyciagPKO();
};

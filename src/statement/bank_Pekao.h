#pragma once

#include "FTypy.h"

// Statements read with the Pekao dialect (Dialekty.h).
class TWyciagPekao : public TWyciagAbs {
public:
    TWyciagPekao();
};

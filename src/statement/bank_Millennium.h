#pragma once

#include "FTypy.h"

// Statements read with the Millennium dialect (Dialekty.h).
class TWyciagMillennium : public TWyciagAbs {
public:
    TWyciagMillennium();
};

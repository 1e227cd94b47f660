#include "bank_Nest.h"

TWyciagNest::TWyciagNest() : TWyciagAbs(dialekty::Nest) {}

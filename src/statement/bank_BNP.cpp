#include "bank_BNP.h"

TWyciagBNP::TWyciagBNP() : TWyciagAbs(dialekty::BNP) {}

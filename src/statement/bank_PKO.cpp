#include "bank_PKO.h"

TWyciagPKO::TWyciagPKO() : TWyciagAbs(dialekty::PKO) {}

#include "bank_PlusBank.h"

TWyciagPlusBank::TWyciagPlusBank() : TWyciagAbs(dialekty::PlusBank) {}

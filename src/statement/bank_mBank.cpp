#include "bank_mBank.h"

TWyciagmBank::TWyciagmBank() : TWyciagAbs(dialekty::mBank) {}

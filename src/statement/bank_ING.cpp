#include "bank_ING.h"

TWyciagING::TWyciagING() : TWyciagAbs(dialekty::ING) {}

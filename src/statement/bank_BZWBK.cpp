#include "bank_BZWBK.h"

TWyciagBZWBK::TWyciagBZWBK() : TWyciagAbs(dialekty::Santander) {}

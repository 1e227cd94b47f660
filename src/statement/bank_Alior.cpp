#include "bank_Alior.h"

TWyciagAlior::TWyciagAlior() : TWyciagAbs(dialekty::Alior) {}

#include "bank_Millennium.h"

TWyciagMillennium::TWyciagMillennium() : TWyciagAbs(dialekty::Millennium) {}

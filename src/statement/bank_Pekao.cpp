#include "bank_Pekao.h"

TWyciagPekao::TWyciagPekao() : TWyciagAbs(dialekty::Pekao) {}

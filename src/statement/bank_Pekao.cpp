#include "bank_Pekao.h"

TWyciagPekao::TWyciagPekao() {
    FPolaOpis.Lista = {20, 21, 22, 23, 24, 25};
    FPolaNazwa.Lista = {32, 33, 62, 63, 64, 65};
}

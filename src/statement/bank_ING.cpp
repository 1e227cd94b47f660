#include "bank_ING.h"

TWyciagING::TWyciagING() {
    FPolaOpis.Lista = {20, 21, 22, 23, 24, 25};
    FPolaNazwa.Lista = {32, 33};
}

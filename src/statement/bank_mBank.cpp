#include "bank_mBank.h"

TWyciagmBank::TWyciagmBank() {
    FPolaOpis.Lista = {20, 21, 22, 23, 24, 25, 26, 27, 28};
    FPolaNazwa.Lista = {32, 33};
}

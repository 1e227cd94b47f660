#include "bank_PlusBank.h"

TWyciagPlusBank::TWyciagPlusBank() {
    FPolaOpis.Lista = {20};
    FPolaNazwa.Lista = {21, 22, 23, 24, 25};
}

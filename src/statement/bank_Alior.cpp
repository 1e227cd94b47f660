#include "bank_Alior.h"

TWyciagAlior::TWyciagAlior() {
    FPolaOpis.Lista = {20, 21, 22, 23};
    FPolaNazwa.Lista = {27, 28, 29};
}

#include "bank_Millennium.h"

TWyciagMillennium::TWyciagMillennium() {
    FPolaOpis.Lista = {20, 21, 22, 23, 24, 25};
    FPolaNazwa.Lista = {27, 28, 29};
}

#pragma once

#include "Money.h"

#include <QString>

// Amounts written out in Polish words, as on a payment receipt.
namespace TekstNum {

struct Cyfry {
    int jednosci = 0;
    int dziesiatki = 0;
    int setki = 0;
    long long tysiace = 0;
};

Cyfry split(long long n);
QString tysiac(long long n);
QString tekst(long long n);
QString zloty(long long n);
QString grosz(long long g);

} // namespace TekstNum

// The amount in words; empty for zero. Defined for 0 to 999 999.99.
QString Slownie(Money amount);

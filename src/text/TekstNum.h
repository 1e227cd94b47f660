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
QString tekst(long long n); // n below 10^15
QString zloty(long long n);
QString grosz(long long g);

} // namespace TekstNum

// The amount in words, rounded to whole grosze; empty for zero.
QString Slownie(Money amount);

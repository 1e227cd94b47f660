#pragma once

#include "recFaktura.h"

#include <QString>

// The invoice list as the listing shows it: display fields cut to their sizes.
namespace FaktTbl {

inline constexpr int NumerSize = 50;
inline constexpr int NipSize = 20;

struct Wiersz {
    QString Numer;
    Date Data;
    QString NIP;
    QString Nazwa;
    QString Adres;
    Money Kwota;
};

Wiersz wiersz(const recFaktura& f);

} // namespace FaktTbl

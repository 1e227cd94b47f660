#include "FaktTbl.h"

#include "StringFun.h"

namespace FaktTbl {

Wiersz wiersz(const recFaktura& f) {
    return Wiersz{f.NrFakt.left(NumerSize), f.DataWyst,
                  f.NipOdb.left(NipSize),   KorygNazwa(f.NazwaOdb),
                  KorygAdres(f.AdresOdb),   f.Kwota};
}

} // namespace FaktTbl

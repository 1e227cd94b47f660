#include "DaneWydrukow.h"

#include "Formaty.h"

namespace wydruk {

QString tytulListy(RodzajListy rodzaj) {
    return rodzaj == RodzajListy::Dluznicy ? QStringLiteral("Zobowiązania kontrahentów")
                                           : QStringLiteral("Nadpłaty");
}

QString naglowekKwoty(RodzajListy rodzaj) {
    return rodzaj == RodzajListy::Dluznicy ? QStringLiteral("Należność")
                                           : QStringLiteral("Nadpłata");
}

QString kwotaWiersza(RodzajListy rodzaj, Money saldo) {
    return rodzaj == RodzajListy::Dluznicy ? formatSpacja(saldo) : formatN(saldo);
}

Money suma(const DaneListy& lista) {
    Money s;
    for (const WierszSalda& w : lista.wiersze)
        s += w.saldo;
    return s;
}

} // namespace wydruk

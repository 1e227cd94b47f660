#include "DaneWydrukow.h"

#include "Wyglad.h"

namespace wydruk {

QString tytulListy(RodzajListy rodzaj) {
    switch (rodzaj) {
    case RodzajListy::Dluznicy:
        return QStringLiteral("Zobowiązania kontrahentów");
    case RodzajListy::Nadplaty:
        return QStringLiteral("Nadpłaty");
    case RodzajListy::Zestawienie:
        break;
    }
    return QStringLiteral("Zestawienie sald kontrahentów");
}

QString naglowekKwoty(RodzajListy rodzaj) {
    return rodzaj == RodzajListy::Nadplaty ? QStringLiteral("Nadpłata")
                                           : QStringLiteral("Należność");
}

QString stanNaDzien(const QDate& dzien) {
    return QStringLiteral("Stan na dzień ") + FormatDaty(dzien) + QStringLiteral(" r.");
}

QString kwotaWiersza(RodzajListy rodzaj, Money saldo) {
    Q_UNUSED(rodzaj);
    return FormatKwoty(saldo);
}

Money suma(const DaneListy& lista) {
    Money s;
    for (const WierszSalda& w : lista.wiersze)
        s += w.saldo;
    return s;
}

} // namespace wydruk

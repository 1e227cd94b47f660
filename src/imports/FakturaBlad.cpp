#include "FakturaBlad.h"

#include "JpkReader.h"

QString FakturaBlad::faktura() const {
    QString text = nrFakt.isEmpty()
                       ? QStringLiteral("faktury bez numeru (wiersz %1)").arg(element_.line)
                       : QStringLiteral("faktury ") + nrFakt;
    if (!plik_.isEmpty())
        text += QStringLiteral(" (plik ") + plik_ + u')';
    return text;
}

void FakturaBlad::odmowa(const QString& before, const QString& after) const {
    throw JpkRefused(before + faktura() + after +
                     QStringLiteral("\rNic nie zostało wczytane ani zaksięgowane."));
}

QString FakturaBlad::tekst(const JpkElement& parent, QStringView name) const {
    try {
        return parent.childText(name);
    } catch (const JpkContentError&) {
        odmowa(QStringLiteral("Element ") + name.toString() + u' ',
               QStringLiteral(" zawiera coś innego niż sam tekst."));
    }
}

void FakturaBlad::data(const QString& text) const {
    if (text.trimmed().isEmpty())
        odmowa(QStringLiteral("Brak daty wystawienia (P_1) "), QStringLiteral("."));
    odmowa(QStringLiteral("Nie można odczytać daty „") + text + QStringLiteral("” "),
           QStringLiteral(": wymagana data RRRR-MM-DD."));
}

void FakturaBlad::kwota(const QString& text) const {
    if (text.trimmed().isEmpty())
        odmowa(QStringLiteral("Brak kwoty (P_15) "), QStringLiteral("."));
    odmowa(QStringLiteral("Nie można odczytać kwoty „") + text + QStringLiteral("” "),
           QStringLiteral(": wymagana liczba z kropką dziesiętną, np. -1234.50."));
}

void FakturaBlad::brak(const QString& what) const {
    odmowa(QStringLiteral("Brak elementu ") + what + u' ', QStringLiteral("."));
}

void FakturaBlad::dataW(const QString& element, const QString& text) const {
    odmowa(QStringLiteral("Nie można odczytać daty „") + text + QStringLiteral("” w elemencie ") +
               element + u' ',
           QStringLiteral(": wymagana data RRRR-MM-DD."));
}

void FakturaBlad::kwotaW(const QString& element, const QString& text) const {
    odmowa(QStringLiteral("Nie można odczytać kwoty „") + text + QStringLiteral("” w elemencie ") +
               element + u' ',
           QStringLiteral(": wymagana liczba z kropką dziesiętną, np. 1234.50."));
}

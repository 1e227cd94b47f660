#include "Wyglad.h"

#include "StringFun.h"

#include <QDate>
#include <QLocale>

QString FormatKwoty(Money kwota) {
    return kwota.format(QLocale());
}

QString FormatKwoty(Money kwota, const QLocale& locale) {
    return kwota.format(locale);
}

QString FormatKwotyWaluty(Money kwota) {
    return kwota.formatCurrency(QLocale());
}

QString FormatKwotyWaluty(Money kwota, const QLocale& locale) {
    return kwota.formatCurrency(locale);
}

QString FormatDaty(const Date& data) {
    return data.isZero() ? QString() : FormatDaty(data.qdate());
}

QString FormatDaty(const QDate& data) {
    return data.isValid() ? data.toString(QLatin1String(WzorDaty)) : QString();
}

QString FormatKonta(const QString& krKonto, const QString& nrKonto) {
    const QString kr = UsunSpacje(krKonto.trimmed());
    if (kr.isEmpty())
        return FormatKonto(nrKonto.trimmed());
    // The printed form of an IBAN: the prefix and check digits start the first group.
    return FormatKonto(kr + UsunSpacje(nrKonto), /*zPrefiksem=*/true);
}

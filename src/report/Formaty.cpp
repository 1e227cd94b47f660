#include "Formaty.h"

#include "Rozliczenia.h"

#include <QDate>

namespace wydruk {

QString formatSpacja(Money kwota, const QLocale& locale) {
    return FormatListy(kwota, locale); // as the browser's lists show it
}

QString formatN(Money kwota, const QLocale& locale) {
    return kwota.format(locale);
}

QString formatNPrzecinek(Money kwota, const QLocale& locale) {
    QString s = kwota.format(locale);
    // The decimal separator is always the third character from the end.
    s[s.size() - 3] = u',';
    return s;
}

QString formatDaty(const QDate& data) {
    return data.toString(QStringLiteral("dd-MM-yyyy"));
}

} // namespace wydruk

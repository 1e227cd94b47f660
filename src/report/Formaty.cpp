#include "Formaty.h"

#include <QDate>

#include <cstdlib>

namespace wydruk {

QString formatSpacja(Money kwota, const QLocale& locale) {
    const std::int64_t c = kwota.cents();
    const std::int64_t a = std::llabs(c);
    const QString cale = QString::number(a / 100);
    const QString grupy =
        cale.size() > 3 ? cale.left(cale.size() - 3) + u' ' + cale.right(3) : u' ' + cale;
    const QString s =
        grupy + locale.decimalPoint() + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
    return c < 0 ? locale.negativeSign() + s : s;
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

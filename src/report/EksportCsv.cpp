#include "EksportCsv.h"

#include <QSaveFile>

#include <cstdlib>

namespace wydruk {
namespace {

QString pole(QString s) {
    // Names come from bank statements: a leading =, +, - or @ would make a spreadsheet run
    // the cell as a formula, so such a cell starts with an apostrophe.
    if (!s.isEmpty() && QStringLiteral("=+-@\t\r").contains(s[0]))
        s.prepend(u'\'');
    if (s.contains(u';') || s.contains(u'"') || s.contains(u'\n') || s.contains(u'\r'))
        s = u'"' + s.replace(u'"', QStringLiteral("\"\"")) + u'"';
    return s;
}

QString kwota(Money m) {
    const std::int64_t c = m.cents();
    const std::int64_t a = std::llabs(c);
    return QStringLiteral("%1%2,%3")
        .arg(c < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

} // namespace

QByteArray csvListy(const DaneListy& lista) {
    QString s =
        QStringLiteral("Kontrahent;") + naglowekKwoty(lista.rodzaj) + QStringLiteral("\r\n");
    for (const WierszSalda& w : lista.wiersze)
        s += pole(w.nazwa) + u';' + kwota(w.saldo) + QStringLiteral("\r\n");
    return QByteArray("\xEF\xBB\xBF") + s.toUtf8();
}

QString zapiszCsv(const DaneListy& lista, const QString& plik) {
    QSaveFile f(plik);
    if (!f.open(QIODevice::WriteOnly) || f.write(csvListy(lista)) < 0 || !f.commit())
        return QStringLiteral("Nie udało się zapisać pliku %1:\r%2").arg(plik, f.errorString());
    return {};
}

} // namespace wydruk

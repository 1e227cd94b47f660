#include "EksportCsv.h"

#include <QSaveFile>
#include <QStringList>

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

QByteArray csvWiekowania(const rozrachunki::Wiekowanie& w) {
    QStringList naglowek{QStringLiteral("Kontrahent")};
    for (int i = 0; i < rozrachunki::LiczbaPrzedzialow; ++i)
        naglowek << rozrachunki::NazwaPrzedzialu(i);
    naglowek << QStringLiteral("Razem");
    QString s = naglowek.join(u';') + QStringLiteral("\r\n");
    auto wiersz = [&](const QString& nazwa, const rozrachunki::WierszWiekowania& r) {
        s += pole(nazwa);
        for (const Money& m : r.kwoty)
            s += u';' + kwota(m);
        s += u';' + kwota(r.razem()) + QStringLiteral("\r\n");
    };
    for (const auto& r : w.wiersze)
        wiersz(r.nazwa, r);
    wiersz(QStringLiteral("Razem"), w.suma);
    return QByteArray("\xEF\xBB\xBF") + s.toUtf8();
}

QString zapiszCsv(const QByteArray& tresc, const QString& plik) {
    QSaveFile f(plik);
    if (!f.open(QIODevice::WriteOnly) || f.write(tresc) < 0 || !f.commit())
        return QStringLiteral("Nie udało się zapisać pliku %1:\r%2").arg(plik, f.errorString());
    return {};
}

QString zapiszCsv(const DaneListy& lista, const QString& plik) {
    return zapiszCsv(csvListy(lista), plik);
}

} // namespace wydruk

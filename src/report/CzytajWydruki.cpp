#include "CzytajWydruki.h"

#include "fdm.h"

#include <stdexcept>

namespace wydruk {

std::variant<DaneDowodu, QString> czytajDowod(Tdm& dm, int wpisId) {
    if (!dm.OtworzDowodWP(wpisId))
        throw std::runtime_error("Nie udało się odczytać transakcji z bazy.");
    if (dm.DowodWP.isEmpty())
        return QStringLiteral("Nie ma transakcji o numerze %1.").arg(wpisId);
    const db::Row& r = dm.DowodWP.row(0);
    if (r["ZRODLO"].toString() != QStringLiteral("U") || r["ZAPLACONO"].isNull() ||
        r["ZAPLACONO"].toMoney() <= Money())
        return QStringLiteral("Dowód wpłaty drukuje się tylko dla wpłaty większej od zera "
                              "wpisanej ręcznie.");
    DaneDowodu d;
    d.wpisId = r["WPISID"].toInt();
    d.klientId = r["KLIENTID"].toInt();
    d.nazwa = r["NAZWA"].toString();
    d.opis = r["OPIS_TR"].toString();
    d.zaplacono = r["ZAPLACONO"].toMoney();
    d.slownie = r["SLOWNIE"].toString();
    d.dataWydruku = QDate::currentDate();
    return d;
}

DaneListy czytajListe(Tdm& dm, RodzajListy rodzaj) {
    const bool dluznicy = rodzaj == RodzajListy::Dluznicy;
    if (!(dluznicy ? dm.OtworzDluznicy() : dm.OtworzNadplaty()))
        throw std::runtime_error("Nie udało się odczytać listy z bazy.");
    const Dataset& ds = dluznicy ? dm.Dluznicy : dm.Nadplaty;
    DaneListy l;
    l.rodzaj = rodzaj;
    l.dataWydruku = QDate::currentDate();
    l.wiersze.reserve(static_cast<std::size_t>(ds.recordCount()));
    for (int i = 0; i < ds.recordCount(); ++i)
        l.wiersze.push_back({ds.row(i)["NAZWA"].toString(), ds.row(i)["SALDO"].toMoney()});
    return l;
}

} // namespace wydruk

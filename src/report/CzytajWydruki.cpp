#include "CzytajWydruki.h"

#include "DaneFirmy.h"
#include "Rozliczenia.h"
#include "TekstNum.h"
#include "fdm.h"

#include <stdexcept>

namespace wydruk {

std::variant<DaneDowodu, QString> czytajDowod(Tdm& dm, int wpisId) {
    const std::optional<DowodWplaty> dowod = CzytajDowodWplaty(dm, wpisId);
    if (!dowod) {
        if (!dm.DowodWP.isOpen())
            throw std::runtime_error("Nie udało się odczytać transakcji z bazy.");
        return QStringLiteral("Nie ma transakcji o numerze %1.").arg(wpisId);
    }
    // The browser's rule for its "Druku&j" button.
    if (dm.DowodWP.field(QStringLiteral("ZRODLO")).toString() != QStringLiteral("U") ||
        !dowod->zaplacono || *dowod->zaplacono <= Money())
        return QStringLiteral("Dowód wpłaty drukuje się tylko dla wpłaty większej od zera "
                              "wpisanej ręcznie.");
    DaneDowodu d;
    d.wpisId = dowod->wpisId;
    d.klientId = dowod->klientId;
    d.nazwa = dowod->nazwa;
    d.opis = dowod->opis;
    d.zaplacono = *dowod->zaplacono;
    // From the amount itself: the query's field is cut at 200 characters, which the words of
    // an amount in the hundreds of billions exceed.
    d.slownie = Slownie(*dowod->zaplacono);
    d.dataWydruku = QDate::currentDate();
    return d;
}

DaneListy czytajListe(Tdm& dm, RodzajListy rodzaj) {
    const bool dluznicy = rodzaj == RodzajListy::Dluznicy;
    const std::vector<::WierszSalda> wiersze =
        CzytajListe(dm, dluznicy ? ::RodzajListy::Naleznosci : ::RodzajListy::Nadplaty);
    if (!(dluznicy ? dm.Dluznicy : dm.Nadplaty).isOpen())
        throw std::runtime_error("Nie udało się odczytać listy z bazy.");
    DaneListy l;
    l.rodzaj = rodzaj;
    l.dataWydruku = QDate::currentDate();
    l.firma = firma::czytajDaneFirmy(dm.conn).nazwa;
    l.wiersze.reserve(wiersze.size());
    for (const ::WierszSalda& w : wiersze)
        l.wiersze.push_back({w.nazwa, w.kwota});
    return l;
}

} // namespace wydruk

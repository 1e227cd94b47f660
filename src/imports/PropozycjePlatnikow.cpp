#include "PropozycjePlatnikow.h"

#include "Dopasowanie.h"
#include "DopasowanieNazw.h"
#include "Statement.h"
#include "Transaction.h"
#include "procBankowe.h"

#include <QSet>

#include <memory>
#include <optional>

std::vector<PropozycjaPlatnika> PropozycjePlatnikow(db::Attachment& conn,
                                                    const KsiegowanieWplat::Wyciagi& wyciagi) {
    std::vector<PropozycjaPlatnika> wynik;
    db::Transaction tr(conn, db::Isolation::ReadCommitted);
    tr.start();
    QHash<QString, std::shared_ptr<db::Statement>> zapytania;
    auto znane = [&](const TKonto& konto) {
        std::vector<db::Value> params;
        const QString sql = KsiegowanieWplat::ZapytanieKonta(konto, params);
        auto& s = zapytania[sql];
        if (!s)
            s = std::make_shared<db::Statement>(tr, sql);
        s->bindAll(params);
        db::Row r;
        return s->fetchOne(r);
    };
    std::optional<rozrachunki::IndeksNazw> nazwy;
    std::optional<rozrachunki::Dopasowanie> numery;
    QSet<QString> widziane;
    TKonto konto;
    for (const auto& w : wyciagi) {
        // A statement in another currency is not booked: nobody to propose.
        if (!KsiegowanieWplat::WZlotych(*w))
            continue;
        TKonto wlasne;
        wlasne.SetNumer(w->GetKontoWL());
        for (int i = w->MinIndex(); i <= w->MaxIndex(); ++i) {
            if (w->GetZnakTR(i) != ZnakTR::C || w->GetKwotaTR(i) <= Money())
                continue;
            konto.SetNumer(w->GetKontoKL(i));
            const QString klucz = konto.KodKR() + konto.NRB();
            if (konto.NRB().isEmpty() || konto.NRB().size() > 32 || konto.NRB() == wlasne.NRB() ||
                widziane.contains(klucz))
                continue;
            widziane.insert(klucz);
            if (znane(konto))
                continue;
            if (!numery)
                numery.emplace(tr);
            if (numery->PlatnikPoNumerze(w->GetOpisTR(i)) != 0)
                continue;
            if (!nazwy)
                nazwy.emplace(tr);
            const int klientId = nazwy->jedyny(w->GetNazwaKL(i));
            if (klientId == 0)
                continue;
            wynik.push_back({klucz, w->GetNazwaKL(i), w->GetDataTR(i), w->GetKwotaTR(i),
                             w->GetOpisTR(i), klientId, nazwy->nazwa(klientId)});
        }
    }
    numery.reset();
    zapytania.clear();
    tr.commit();
    return wynik;
}

DecyzjePlatnikow PrzyjmijWszystkie(const std::vector<PropozycjaPlatnika>& propozycje) {
    DecyzjePlatnikow d;
    for (const PropozycjaPlatnika& p : propozycje)
        d.insert(p.konto, p.klientId);
    return d;
}

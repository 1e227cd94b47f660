#include "PoprawaNazw.h"

#include "Dziennik.h"
#include "Error.h"
#include "JpkReader.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "Win1250.h"
#include "fks.h"

#include <QHash>

namespace {
const QString KlientPoNip = QStringLiteral("SELECT KLIENTID, NR_NIP, NAZWA, ADRES FROM KLIENT "
                                           "WHERE NR_NIP = ? ORDER BY NAZWA ROWS 1");
} // namespace

std::optional<PoprawaNazw::recKlient> PoprawaNazw::WczytajKlienta(db::Statement& s,
                                                                  const QString& nip) {
    s.bindAll({nip});
    db::Row r;
    if (!s.fetchOne(r))
        return std::nullopt;
    return recKlient{r[0].toInt(), r[1].toString(), r[2].toString(), r[3].toString()};
}

void PoprawaNazw::Wczytaj(const JpkDocument& doc,
                          const std::function<void(const PoprawaNazwyWiersz&)>& sink,
                          const std::function<void(const QString&)>& pominieta) {
    const QString odmowa = JpkOdmowa(doc.KodFormularza());
    if (!odmowa.isEmpty())
        throw JpkRefused(odmowa);
    db::Transaction tr(ks_.attachment(), db::Isolation::ReadCommitted);
    tr.start();
    db::Statement klient(tr, KlientPoNip);
    const auto pomin = [&](const QString& line) {
        if (pominieta)
            pominieta(line);
    };
    JpkCursor cursor(doc);
    int n = 0;
    while (cursor.next()) {
        if (cursor.localName() != u"Faktura")
            continue;
        ++n;
        const JpkElement f = cursor.read();
        QString nip, nazwa, adres;
        try {
            nip = f.childText(u"P_5B");
            nazwa = f.childText(u"P_3A");
            adres = f.childText(u"P_3B");
        } catch (const JpkContentError& e) {
            pomin(QStringLiteral("[Pominięto fakturę %1 w pliku (wiersz %2)] - %3")
                      .arg(n)
                      .arg(f.line)
                      .arg(QString::fromUtf8(e.what())));
            continue;
        }
        // No contractor holds a longer number: asking would only raise the engine's error.
        if (nip.trimmed().size() > NIP_MAX_LEN) {
            pomin(QStringLiteral("[Pominięto: NIP dłuższy niż %1 znaków] - %2 | %3")
                      .arg(NIP_MAX_LEN)
                      .arg(nip, nazwa));
            continue;
        }
        const auto k = WczytajKlienta(klient, nip);
        if (!k || k->Nazwa == nazwa)
            continue;
        sink(PoprawaNazwyWiersz{nip.left(20), KorygNazwa(k->Nazwa), KorygAdres(k->Adres),
                                KorygNazwa(nazwa), KorygAdres(adres), k->KlientId});
    }
    tr.commit();
}

WynikPoprawy PoprawaNazw::Aktualizuj(const std::vector<PoprawaNazwyWiersz>& lista) {
    WynikPoprawy w;
    ks_.start();
    try {
        // The change log tells these corrections from ones made by hand.
        dziennik::UstawRodzaj(ks_.trKsiegow, dziennik::KorektaNazw);
        db::Statement& czytaj =
            ks_.stmt(QStringLiteral("SELECT NAZWA FROM KLIENT WHERE KLIENTID = ?"));
        db::Statement& zmien =
            ks_.stmt(QStringLiteral("UPDATE KLIENT SET NAZWA = ?, ADRES = ? WHERE KLIENTID = ?"));
        // What each contractor is called now, as the list expects it: the register's name
        // when listed, then the name the previous row of this contractor gave it.
        QHash<int, QString> oczekiwana;
        for (const PoprawaNazwyWiersz& r : lista) {
            const QString przed = oczekiwana.value(r.KlientId, r.NazwaTb);
            czytaj.bindAll({r.KlientId});
            db::Row row;
            if (!czytaj.fetchOne(row)) {
                w.raport << QStringLiteral("[Pominięto: kontrahenta usunięto w międzyczasie] - ") +
                                r.NIP + QStringLiteral(" | ") + r.NazwaTb;
                continue;
            }
            if (KorygNazwa(row[0].toString()) != przed) {
                w.raport << QStringLiteral("[Pominięto: nazwę zmieniono w międzyczasie na "
                                           "innym stanowisku] - ") +
                                r.NIP + QStringLiteral(" | ") + row[0].toString();
                continue;
            }
            zmien.bindAll({r.NazwaFk, r.AdresFk, r.KlientId});
            zmien.execute();
            oczekiwana.insert(r.KlientId, KorygNazwa(win1250::stored(r.NazwaFk)));
            ++w.zmiany;
            w.raport << QStringLiteral("[Zmieniono] - ") + r.NIP + QStringLiteral(" | ") + przed +
                            QStringLiteral(" → ") + r.NazwaFk + QStringLiteral(" | ") + r.AdresFk;
            for (const QString& z :
                 {KomZnakiSpozaBazy(QStringLiteral("nazwa kontrahenta"), r.NazwaFk),
                  KomZnakiSpozaBazy(QStringLiteral("adres kontrahenta"), r.AdresFk)})
                if (!z.isEmpty())
                    w.raport << z;
        }
        ks_.commit();
    } catch (...) {
        ks_.rollback();
        throw;
    }
    w.raport << QStringLiteral("Zmieniono kontrahentów: %1.").arg(w.zmiany);
    return w;
}

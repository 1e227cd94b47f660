#include "PoprawaNazw.h"

#include "Dziennik.h"
#include "JpkReader.h"
#include "StringFun.h"
#include "fks.h"

std::optional<PoprawaNazw::recKlient> PoprawaNazw::WczytajKlienta(const QString& nip) {
    db::Statement& s = ks_.stmt(QStringLiteral("SELECT KLIENTID, NR_NIP, NAZWA, ADRES FROM KLIENT "
                                               "WHERE NR_NIP = ? ORDER BY NAZWA ROWS 1"));
    s.bindAll({nip});
    db::Row r;
    if (!s.fetchOne(r))
        return std::nullopt;
    return recKlient{r[0].toInt(), r[1].toString(), r[2].toString(), r[3].toString()};
}

bool PoprawaNazw::RozneNazwy(const QString& nip, const QString& nazwa) {
    const auto k = WczytajKlienta(nip);
    return k && k->Nazwa != nazwa;
}

void PoprawaNazw::Wczytaj(const JpkDocument& doc,
                          const std::function<void(const PoprawaNazwyWiersz&)>& sink) {
    const QString odmowa = JpkOdmowa(doc.KodFormularza());
    if (!odmowa.isEmpty())
        throw JpkRefused(odmowa);
    JpkCursor cursor(doc);
    while (cursor.next()) {
        if (cursor.localName() != u"Faktura")
            continue;
        const JpkElement f = cursor.read();
        const QString nip = f.childText(u"P_5B");
        const QString nazwa = f.childText(u"P_3A");
        const QString adres = f.childText(u"P_3B");
        const auto k = WczytajKlienta(nip);
        if (!k || k->Nazwa == nazwa)
            continue;
        sink(PoprawaNazwyWiersz{nip.left(20), KorygNazwa(k->Nazwa), KorygAdres(k->Adres),
                                KorygNazwa(nazwa), KorygAdres(adres), k->KlientId});
    }
}

bool PoprawaNazw::ModyfKlient(int klientId, const QString& nazwa, const QString& adres) {
    db::Statement& s =
        ks_.stmt(QStringLiteral("UPDATE KLIENT SET NAZWA = ?, ADRES = ? WHERE KLIENTID = ?"));
    s.bindAll({nazwa, adres, klientId});
    return s.execute() > 0;
}

int PoprawaNazw::Aktualizuj(const std::vector<PoprawaNazwyWiersz>& lista) {
    // The change log tells these corrections from ones made by hand.
    if (ks_.active())
        dziennik::UstawRodzaj(ks_.trKsiegow, dziennik::KorektaNazw);
    int zmiany = 0;
    for (const PoprawaNazwyWiersz& w : lista)
        if (ModyfKlient(w.KlientId, w.NazwaFk, w.AdresFk))
            ++zmiany;
    return zmiany;
}

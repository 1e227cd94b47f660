#include "DaneWindykacji.h"

#include "Statement.h"
#include "Transaction.h"

namespace windykacja {

std::vector<Faktura> fakturyZeStanu(const rozrachunki::StanRozrachunkow& stan,
                                    const QSet<int>& noty) {
    std::vector<Faktura> faktury;
    faktury.reserve(stan.naleznosci.size());
    for (const rozrachunki::Pozycja& p : stan.naleznosci) {
        Faktura f;
        f.numer = p.nazwa();
        f.wystawiona = p.data.qdate();
        f.termin = p.termin.qdate();
        f.kwota = p.kwota;
        f.wpisId = p.wpisId;
        f.bezOdsetek = noty.contains(p.wpisId);
        for (const rozrachunki::Rozliczenie& r : p.rozliczenia) {
            if (r.korekta)
                f.kwota -= r.kwota; // the invoice was for less from the start
            else
                f.wplaty.push_back({r.data.qdate(), r.kwota, r.wpisId});
        }
        if (f.kwota > Money())
            faktury.push_back(std::move(f));
    }
    return faktury;
}

std::vector<dokumenty::KwotaNierozliczona>
nierozliczoneZeStanu(const rozrachunki::StanRozrachunkow& stan) {
    std::vector<dokumenty::KwotaNierozliczona> w;
    for (const rozrachunki::Pozycja& p : stan.zaplaty)
        if (p.pozostalo() > Money())
            w.push_back({p.data.qdate(), p.nazwa(), p.pozostalo()});
    return w;
}

QSet<int> zaksiegowaneNoty(db::Transaction& tr, int klientId) {
    db::Statement s(tr, QStringLiteral("SELECT N.WPISID FROM TRANS T JOIN NOTA_ODSETKOWA N "
                                       "ON N.WPISID = T.WPISID WHERE T.KLIENTID = ?"));
    s.bindAll({klientId});
    QSet<int> w;
    db::Cursor c = s.open();
    while (c.next())
        w.insert(c[0].toInt());
    return w;
}

NaliczoneFaktur czytajNaliczone(db::Transaction& tr, int klientId) {
    // By the invoices' rows, wherever the notes were filed: a merge moves invoices, and
    // their earlier notes still count.
    db::Statement s(tr, QStringLiteral("SELECT P.ID_NALEZNOSCI, P.POZYCJA_OD, P.KWOTA, "
                                       "P.NALICZ_DO, P.REKOMP_PLN FROM TRANS T "
                                       "JOIN NOTA_POZYCJA P ON P.ID_NALEZNOSCI = T.WPISID "
                                       "JOIN NOTA_ODSETKOWA N ON N.ID = P.NOTA_ID "
                                       "WHERE T.KLIENTID = ? AND N.ANULOWANA = 'N'"));
    s.bindAll({klientId});
    NaliczoneFaktur w;
    db::Cursor c = s.open();
    while (c.next()) {
        Naliczone& n = w[c[0].toInt()];
        n.odcinki.push_back({c[1].toMoney(), c[2].toMoney(), c[3].toDate().qdate()});
        if (!c[4].isNull())
            n.rekompensata = true;
    }
    return w;
}

std::optional<DaneKontrahenta> czytajKontrahenta(db::Transaction& tr, int klientId,
                                                 const QDate& naDzien) {
    std::optional<dokumenty::Odbiorca> o = dokumenty::czytajOdbiorce(tr, klientId);
    if (!o)
        return std::nullopt;
    DaneKontrahenta d;
    d.odbiorca = std::move(*o);
    d.stan = rozrachunki::CzytajStan(tr, klientId, Date(naDzien));
    d.faktury = fakturyZeStanu(d.stan, zaksiegowaneNoty(tr, klientId));
    d.naliczone = czytajNaliczone(tr, klientId);
    return d;
}

namespace {
std::vector<int> identyfikatory(db::Statement& s) {
    std::vector<int> w;
    db::Cursor c = s.open();
    while (c.next())
        w.push_back(c[0].toInt());
    return w;
}
} // namespace

std::vector<int> kontrahenciZZaleglosciami(db::Transaction& tr, const QDate& naDzien,
                                           int ponadDni) {
    // What is open now (each contractor's open rows by their index), and what links made
    // after the day took from amounts due then open.
    db::Statement s(tr, QStringLiteral("SELECT A.KLIENTID FROM (SELECT T.KLIENTID FROM KLIENT KO "
                                       "JOIN TRANS T ON T.KLIENTID = KO.KLIENTID "
                                       "WHERE T.OTWARTE > 0 AND T.DATA_TR <= ? "
                                       "AND COALESCE(T.TERMIN, T.DATA_TR) < ? "
                                       "PLAN JOIN (KO NATURAL, T INDEX (TRANS_KLIENT_OTWARTE)) "
                                       "UNION SELECT T.KLIENTID FROM ROZRACHUNEK L "
                                       "JOIN TRANS T ON T.WPISID = L.ID_NALEZNOSCI "
                                       "WHERE L.DATA_ROZL > ? AND T.DATA_TR <= ? "
                                       "AND COALESCE(T.TERMIN, T.DATA_TR) < ?) A "
                                       "JOIN KLIENT K ON K.KLIENTID = A.KLIENTID "
                                       "ORDER BY K.NAZWA, A.KLIENTID"));
    const Date dzien(naDzien);
    const Date granica(naDzien.addDays(-ponadDni));
    s.bindAll({dzien, granica, dzien, dzien, granica});
    return identyfikatory(s);
}

std::vector<int> kontrahenciZSaldem(db::Transaction& tr, const QDate& naDzien) {
    db::Statement s(tr, QStringLiteral("SELECT T.KLIENTID FROM TRANS T "
                                       "JOIN KLIENT K ON K.KLIENTID = T.KLIENTID "
                                       "WHERE T.DATA_TR <= ? GROUP BY K.NAZWA, T.KLIENTID "
                                       "HAVING SUM(COALESCE(T.DOZAPLATY, 0) - "
                                       "COALESCE(T.ZAPLACONO, 0)) <> 0 "
                                       "ORDER BY K.NAZWA, T.KLIENTID"));
    s.bindAll({Date(naDzien)});
    return identyfikatory(s);
}

} // namespace windykacja

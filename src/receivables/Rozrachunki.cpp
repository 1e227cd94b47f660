#include "Rozrachunki.h"

#include "BlokadaKsiegowania.h"
#include "Dopasowanie.h"
#include "Error.h"
#include "Statement.h"
#include "Transaction.h"

#include <QHash>

#include <algorithm>

namespace rozrachunki {

Money StanRozrachunkow::pozostaloDoZaplaty() const {
    Money s;
    for (const Pozycja& p : naleznosci)
        s += p.pozostalo();
    return s;
}

Money StanRozrachunkow::nierozliczone() const {
    Money s;
    for (const Pozycja& p : zaplaty)
        s += p.pozostalo();
    return s;
}

int DniPoTerminie(const Date& termin, const Date& naDzien) {
    if (termin.isZero())
        return 0;
    return static_cast<int>(std::max<qint64>(0, termin.qdate().daysTo(naDzien.qdate())));
}

StanRozrachunkow CzytajStan(db::Transaction& tr, int klientId, const Date& naDzien) {
    StanRozrachunkow st;
    st.klientId = klientId;
    st.naDzien = naDzien;
    struct Gdzie {
        bool naleznosc;
        size_t i;
    };
    QHash<int, Gdzie> wiersze;
    {
        db::Statement s(
            tr, QStringLiteral(
                    "SELECT WPISID, ZRODLO, NR_FAKTURY, OPIS_TR, DATA_TR, TERMIN, "
                    "COALESCE(DOZAPLATY, 0) - COALESCE(ZAPLACONO, 0), "
                    "IIF(DOZAPLATY < 0, 1, 0) FROM TRANS WHERE KLIENTID = ? AND DATA_TR <= ? "
                    "ORDER BY DATA_TR, WPISID"));
        s.bindAll({klientId, naDzien});
        db::Cursor c = s.open();
        while (c.next()) {
            Pozycja p;
            p.wpisId = c[0].toInt();
            p.zrodlo = c[1].toString();
            p.numer = c[2].toString();
            p.opis = c[3].toString();
            p.data = c[4].toDate();
            const Money k = c[6].toMoney();
            if (k > Money()) {
                p.termin = c[5].isNull() ? p.data : c[5].toDate();
                p.kwota = k;
                wiersze.insert(p.wpisId, {true, st.naleznosci.size()});
                st.naleznosci.push_back(std::move(p));
            } else if (k < Money()) {
                p.kwota = -k;
                p.korekta = c[7].toInt() == 1;
                wiersze.insert(p.wpisId, {false, st.zaplaty.size()});
                st.zaplaty.push_back(std::move(p));
            }
        }
    }
    {
        db::Statement s(tr, QStringLiteral(
                                // The contractor's rows lead, not every link up to the day,
                                // whatever the index statistics say.
                                "SELECT L.ID_NALEZNOSCI, L.ID_ZAPLATY, L.KWOTA, L.RECZNE "
                                "FROM TRANS T JOIN ROZRACHUNEK L ON L.ID_NALEZNOSCI = T.WPISID "
                                "WHERE T.KLIENTID = ? AND L.DATA_ROZL <= ? "
                                "PLAN JOIN (T INDEX (FK_TRANS_KLIENT), "
                                "L INDEX (FK_ROZRACHUNEK_NALEZNOSC))"));
        s.bindAll({klientId, naDzien});
        db::Cursor c = s.open();
        while (c.next()) {
            const auto n = wiersze.constFind(c[0].toInt());
            const auto z = wiersze.constFind(c[1].toInt());
            if (n == wiersze.constEnd() || z == wiersze.constEnd() || !n->naleznosc || z->naleznosc)
                continue;
            Pozycja& pn = st.naleznosci[n->i];
            Pozycja& pz = st.zaplaty[z->i];
            const Money kwota = c[2].toMoney();
            const bool reczne = c[3].toString() == u"T";
            pn.rozliczono += kwota;
            pz.rozliczono += kwota;
            pn.rozliczenia.push_back({pz.wpisId, pz.data, pz.nazwa(), kwota, reczne, pz.korekta});
            pz.rozliczenia.push_back({pn.wpisId, pn.data, pn.nazwa(), kwota, reczne, false});
        }
    }
    auto poDacie = [](const Rozliczenie& a, const Rozliczenie& b) {
        return std::tie(a.data, a.wpisId) < std::tie(b.data, b.wpisId);
    };
    for (auto* lista : {&st.naleznosci, &st.zaplaty})
        for (Pozycja& p : *lista)
            std::sort(p.rozliczenia.begin(), p.rozliczenia.end(), poDacie);
    std::stable_sort(st.naleznosci.begin(), st.naleznosci.end(),
                     [](const Pozycja& a, const Pozycja& b) { return a.termin < b.termin; });
    return st;
}

namespace {

// Runs the work with the links in a transaction of its own holding the booking lock; the
// database's refusal comes back as the user's message.
template <typename F> QString zmienPowiazania(db::Attachment& conn, F&& praca) {
    db::Transaction tr(conn, db::Isolation::ReadCommittedNoRecVersion);
    try {
        // Waits at most the limit for a booking elsewhere (BlokadaZajeta).
        ZajmijBlokade(tr);
        {
            Dopasowanie dop(tr);
            if (QString odmowa = praca(dop); !odmowa.isEmpty()) {
                tr.rollback();
                return odmowa;
            }
        }
        tr.commit();
        return {};
    } catch (const db::Error& e) {
        if (tr.active()) {
            try {
                tr.rollback();
            } catch (const db::Error&) {
            }
        }
        if (e.message().contains(QStringLiteral("CK_TRANS_ROZLICZONO")))
            return QStringLiteral("Kwota jest większa niż to, co zostało do rozliczenia z "
                                  "należności lub z wpłaty (mogło się to zmienić na innym "
                                  "stanowisku).");
        // The trigger's own Polish reason, after the exception's name and before where it
        // was raised: "... -ROZRACHUNEK_ODMOWA -<reason> -At trigger ...".
        const QString nazwa = QStringLiteral("ROZRACHUNEK_ODMOWA -");
        if (const qsizetype at = e.message().indexOf(nazwa); at >= 0) {
            const QString reszta = e.message().mid(at + nazwa.size());
            const qsizetype koniec = reszta.indexOf(QStringLiteral(" -At "));
            return (koniec >= 0 ? reszta.left(koniec) : reszta).trimmed();
        }
        throw;
    }
}

} // namespace

QString PolaczRecznie(db::Attachment& conn, int naleznosc, int zaplata, Money kwota) {
    if (kwota <= Money())
        return QStringLiteral("Kwota powiązania musi być większa od zera.");
    return zmienPowiazania(conn, [&](Dopasowanie& dop) {
        dop.Polacz(naleznosc, zaplata, kwota, true);
        return QString();
    });
}

QString OdlaczRecznie(db::Attachment& conn, int naleznosc, int zaplata) {
    return zmienPowiazania(conn, [&](Dopasowanie& dop) {
        return dop.Odlacz(naleznosc, zaplata)
                   ? QString()
                   : QStringLiteral("Tego powiązania już nie ma (usunięto je na innym "
                                    "stanowisku).");
    });
}

int DopasujKlienta(db::Attachment& conn, int klientId) {
    int ile = 0;
    const QString odmowa = zmienPowiazania(conn, [&](Dopasowanie& dop) {
        ile = static_cast<int>(dop.Uzgodnij(klientId).size());
        return QString();
    });
    if (!odmowa.isEmpty())
        throw db::Error(odmowa);
    return ile;
}

} // namespace rozrachunki

#include "Dopasowanie.h"

#include "DopasowanieTytulu.h"
#include "Statement.h"
#include "Transaction.h"
#include "Wyglad.h"

#include <QLocale>
#include <QSet>

#include <algorithm>

namespace rozrachunki {
namespace {

// The contractor's open rows alone, by the index of both (a contractor with a long history
// has many rows, few of them open), whatever the statistics say.
const QString NaleznosciKlienta = QStringLiteral(
    "SELECT WPISID, NR_KLUCZ, OTWARTE, COALESCE(NR_FAKTURY, OPIS_TR) FROM TRANS "
    "WHERE KLIENTID = ? AND OTWARTE > 0 PLAN SORT (TRANS INDEX (TRANS_KLIENT_OTWARTE)) "
    "ORDER BY COALESCE(TERMIN, DATA_TR), DATA_TR, WPISID");
const QString ZaplatyKlienta =
    QStringLiteral("SELECT WPISID, OPIS_TR, OTWARTE FROM TRANS WHERE KLIENTID = ? AND OTWARTE < 0 "
                   "PLAN SORT (TRANS INDEX (TRANS_KLIENT_OTWARTE)) ORDER BY DATA_TR, WPISID");
const QString Wiersz =
    QStringLiteral("SELECT KLIENTID, OTWARTE, OPIS_TR, NR_KLUCZ FROM TRANS WHERE WPISID = ?");
const QString Polaczenie =
    QStringLiteral("MERGE INTO ROZRACHUNEK R USING RDB$DATABASE "
                   "ON R.ID_NALEZNOSCI = ? AND R.ID_ZAPLATY = ? "
                   "WHEN MATCHED THEN UPDATE SET R.KWOTA = R.KWOTA + ?, "
                   "R.RECZNE = CASE WHEN ? = 'T' THEN 'T' ELSE R.RECZNE END "
                   "WHEN NOT MATCHED THEN INSERT (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA, RECZNE) "
                   "VALUES (?, ?, ?, ?)");
const QString PowiazaniaWiersza = QStringLiteral(
    "SELECT ID_NALEZNOSCI, ID_ZAPLATY, KWOTA FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = ? "
    "UNION ALL "
    "SELECT ID_NALEZNOSCI, ID_ZAPLATY, KWOTA FROM ROZRACHUNEK WHERE ID_ZAPLATY = ?");

// Invoice numbers looked up at once by a title's candidates: a short title in one small
// statement, a long one in larger ones.
constexpr int MaloKandydatow = 8;
constexpr int KandydaciNaRaz = 32;

QString zapytanieNumerow(int ile) {
    QStringList znaki;
    for (int i = 0; i < ile; ++i)
        znaki << QStringLiteral("?");
    return QStringLiteral("SELECT KLIENTID, NR_FAKTURY FROM TRANS WHERE NR_KLUCZ IN (") +
           znaki.join(u',') + QStringLiteral(") AND OTWARTE + 0 > 0");
}

} // namespace

QString OpisPowiazan(const std::vector<Powiazanie>& powiazania) {
    QStringList czesci;
    for (const Powiazanie& p : powiazania)
        czesci << p.opis + QStringLiteral(" (") + FormatKwoty(p.kwota) + u')';
    return czesci.join(QStringLiteral(", "));
}

Dopasowanie::Dopasowanie(db::Transaction& tr) : tr_(tr), u_(CzytajUstawienia(tr)) {}

Dopasowanie::Dopasowanie(db::Transaction& tr, const Ustawienia& ustawienia)
    : tr_(tr), u_(ustawienia) {}

Dopasowanie::~Dopasowanie() = default;

db::Statement& Dopasowanie::stmt(const QString& sql) {
    auto it = statements_.find(sql);
    if (it == statements_.end())
        it = statements_.insert(sql, std::make_shared<db::Statement>(tr_, sql));
    return **it;
}

std::vector<Dopasowanie::Otwarta> Dopasowanie::naleznosci(int klientId) {
    std::vector<Otwarta> w;
    db::Statement& s = stmt(NaleznosciKlienta);
    s.bindAll({klientId});
    db::Cursor c = s.open();
    while (c.next())
        w.push_back({c[0].toInt(), c[1].toString(), c[3].toString(), c[2].toMoney()});
    return w;
}

std::vector<Dopasowanie::Otwarta> Dopasowanie::zaplaty(int klientId) {
    std::vector<Otwarta> w;
    db::Statement& s = stmt(ZaplatyKlienta);
    s.bindAll({klientId});
    db::Cursor c = s.open();
    while (c.next())
        w.push_back({c[0].toInt(), c[1].toString(), c[1].toString(), -c[2].toMoney()});
    return w;
}

std::vector<Powiazanie> Dopasowanie::rozdziel(int zaplata, const QString& tytul, Money kwota,
                                              std::vector<Otwarta>& nal, bool najstarsze,
                                              bool swieza) {
    std::vector<Powiazanie> wynik;
    auto przydziel = [&](Otwarta& n) {
        const Money k = std::min(kwota, n.otwarte);
        if (k <= Money())
            return;
        polacz(n.wpisId, zaplata, k, false, swieza);
        n.otwarte -= k;
        kwota -= k;
        wynik.push_back({n.wpisId, zaplata, k, n.opis});
    };
    if (!tytul.isEmpty()) {
        const TytulPrzelewu t(tytul);
        for (Otwarta& n : nal) {
            if (kwota <= Money())
                return wynik;
            if (t.zawiera(n.tekst))
                przydziel(n);
        }
    }
    if (najstarsze) {
        for (Otwarta& n : nal) {
            if (kwota <= Money())
                break;
            przydziel(n);
        }
    }
    return wynik;
}

std::vector<Powiazanie> Dopasowanie::PoZaplacie(int wpisId, int klientId, const QString& tytul,
                                                Money kwota) {
    return zaplata(wpisId, klientId, tytul, kwota, true);
}

std::vector<Powiazanie> Dopasowanie::zaplata(int wpisId, int klientId, const QString& tytul,
                                             Money kwota, bool swieza) {
    if (kwota <= Money())
        return {};
    std::vector<Otwarta> nal = naleznosci(klientId);
    return rozdziel(wpisId, tytul, kwota, nal, u_.najstarszeNajpierw, swieza);
}

std::vector<Powiazanie> Dopasowanie::PoNaleznosci(int wpisId, int klientId,
                                                  const QString& kluczNumeru, Money kwota) {
    return naleznosc(wpisId, klientId, kluczNumeru, kwota, true);
}

std::vector<Powiazanie> Dopasowanie::naleznosc(int wpisId, int klientId, const QString& kluczNumeru,
                                               Money kwota, bool swieza) {
    std::vector<Powiazanie> wynik;
    if (kwota <= Money())
        return wynik;
    std::vector<Otwarta> zapl = zaplaty(klientId);
    auto przydziel = [&](Otwarta& z) {
        const Money k = std::min(kwota, z.otwarte);
        if (k <= Money())
            return;
        polacz(wpisId, z.wpisId, k, false, swieza);
        z.otwarte -= k;
        kwota -= k;
        wynik.push_back({wpisId, z.wpisId, k, z.opis});
    };
    if (kluczNumeru.size() >= MinDlugoscKlucza) {
        for (Otwarta& z : zapl) {
            if (kwota <= Money())
                return wynik;
            if (TytulPrzelewu(z.tekst).zawiera(kluczNumeru))
                przydziel(z);
        }
    }
    if (u_.najstarszeNajpierw) {
        for (Otwarta& z : zapl) {
            if (kwota <= Money())
                break;
            przydziel(z);
        }
    }
    return wynik;
}

std::vector<Powiazanie> Dopasowanie::PoKorekcie(int wpisId, int klientId,
                                                const QStringList& korygowane, Money kwota) {
    if (kwota <= Money())
        return {};
    std::vector<Otwarta> nal = naleznosci(klientId);
    std::vector<Powiazanie> wynik;
    QStringList numery = korygowane;
    numery.removeDuplicates();
    for (const QString& numer : numery) {
        const QString klucz = KluczNumeru(numer);
        for (Otwarta& n : nal) {
            if (kwota <= Money())
                break;
            if (klucz.isEmpty() || n.tekst != klucz)
                continue;
            const Money k = std::min(kwota, n.otwarte);
            if (k <= Money())
                continue;
            polacz(n.wpisId, wpisId, k, false, true);
            n.otwarte -= k;
            kwota -= k;
            wynik.push_back({n.wpisId, wpisId, k, n.opis});
        }
    }
    // What the corrected invoices could not take (already paid) is a credit like any other.
    std::vector<Powiazanie> reszta =
        rozdziel(wpisId, QString(), kwota, nal, u_.najstarszeNajpierw, true);
    wynik.insert(wynik.end(), reszta.begin(), reszta.end());
    return wynik;
}

std::vector<Powiazanie> Dopasowanie::Dopasuj(int wpisId) {
    db::Statement& s = stmt(Wiersz);
    s.bindAll({wpisId});
    db::Row r;
    if (!s.fetchOne(r))
        return {};
    const int klientId = r[0].toInt();
    const Money otwarte = r[1].toMoney();
    if (otwarte > Money())
        return naleznosc(wpisId, klientId, r[3].toString(), otwarte, false);
    if (otwarte < Money())
        return zaplata(wpisId, klientId, r[2].toString(), -otwarte, false);
    return {};
}

std::vector<Powiazanie> Dopasowanie::Uzgodnij(int klientId) {
    std::vector<Powiazanie> wynik;
    std::vector<Otwarta> nal = naleznosci(klientId);
    if (nal.empty())
        return wynik;
    for (const Otwarta& z : zaplaty(klientId)) {
        std::vector<Powiazanie> p =
            rozdziel(z.wpisId, z.tekst, z.otwarte, nal, u_.najstarszeNajpierw, false);
        wynik.insert(wynik.end(), p.begin(), p.end());
    }
    return wynik;
}

void Dopasowanie::Polacz(int naleznosc, int zaplata, Money kwota, bool reczne) {
    polacz(naleznosc, zaplata, kwota, reczne, false);
}

void Dopasowanie::polacz(int naleznosc, int zaplata, Money kwota, bool reczne, bool nowaPara) {
    const QString r = reczne ? QStringLiteral("T") : QStringLiteral("N");
    if (nowaPara) {
        db::Statement& s = stmt(QStringLiteral("INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, "
                                               "ID_ZAPLATY, KWOTA, RECZNE) VALUES (?, ?, ?, ?)"));
        s.bindAll({naleznosc, zaplata, kwota, r});
        s.execute();
        return;
    }
    db::Statement& s = stmt(Polaczenie);
    s.bindAll({naleznosc, zaplata, kwota, r, naleznosc, zaplata, kwota, r});
    s.execute();
}

bool Dopasowanie::Odlacz(int naleznosc, int zaplata) {
    db::Statement& s =
        stmt(QStringLiteral("DELETE FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = ? AND ID_ZAPLATY = ?"));
    s.bindAll({naleznosc, zaplata});
    return s.execute() > 0;
}

std::vector<int> Dopasowanie::Zwolnij(int wpisId) {
    std::vector<int> inne;
    {
        db::Statement& s = stmt(PowiazaniaWiersza);
        s.bindAll({wpisId, wpisId});
        db::Cursor c = s.open();
        while (c.next()) {
            const int n = c[0].toInt();
            inne.push_back(n == wpisId ? c[1].toInt() : n);
        }
    }
    if (inne.empty())
        return inne;
    for (const QString& sql : {QStringLiteral("DELETE FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = ?"),
                               QStringLiteral("DELETE FROM ROZRACHUNEK WHERE ID_ZAPLATY = ?")}) {
        db::Statement& s = stmt(sql);
        s.bindAll({wpisId});
        s.execute();
    }
    return inne;
}

std::vector<int> Dopasowanie::Przytnij(int wpisId, Money limit) {
    struct Link {
        int naleznosc, zaplata;
        Money kwota;
    };
    std::vector<Link> links;
    Money razem;
    {
        // The latest allocations give way first.
        db::Statement& s = stmt(QStringLiteral(
            "SELECT ID_NALEZNOSCI, ID_ZAPLATY, KWOTA FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = ? "
            "UNION ALL "
            "SELECT ID_NALEZNOSCI, ID_ZAPLATY, KWOTA FROM ROZRACHUNEK WHERE ID_ZAPLATY = ? "
            "ORDER BY 1 DESC, 2 DESC"));
        s.bindAll({wpisId, wpisId});
        db::Cursor c = s.open();
        while (c.next()) {
            links.push_back({c[0].toInt(), c[1].toInt(), c[2].toMoney()});
            razem += links.back().kwota;
        }
    }
    std::vector<int> inne;
    Money nadmiar = razem - std::max(limit, Money());
    for (const Link& l : links) {
        if (nadmiar <= Money())
            break;
        const Money zdejmij = std::min(nadmiar, l.kwota);
        if (zdejmij == l.kwota) {
            Odlacz(l.naleznosc, l.zaplata);
        } else {
            db::Statement& s = stmt(QStringLiteral("UPDATE ROZRACHUNEK SET KWOTA = KWOTA - ? WHERE "
                                                   "ID_NALEZNOSCI = ? AND ID_ZAPLATY = ?"));
            s.bindAll({zdejmij, l.naleznosc, l.zaplata});
            s.execute();
        }
        nadmiar -= zdejmij;
        inne.push_back(l.naleznosc == wpisId ? l.zaplata : l.naleznosc);
    }
    return inne;
}

std::vector<int> Dopasowanie::PrzedZmianaKwoty(int wpisId, Money nowa) {
    db::Statement& s = stmt(QStringLiteral(
        "SELECT COALESCE(DOZAPLATY, 0) - COALESCE(ZAPLACONO, 0) FROM TRANS WHERE WPISID = ?"));
    s.bindAll({wpisId});
    db::Row r;
    if (!s.fetchOne(r))
        return {};
    const Money stara = r[0].toMoney();
    const bool tenSamBok =
        (stara > Money() && nowa > Money()) || (stara < Money() && nowa < Money());
    if (!tenSamBok)
        return Zwolnij(wpisId);
    return Przytnij(wpisId, nowa < Money() ? -nowa : nowa);
}

bool Dopasowanie::MaReczne(int wpisId) {
    db::Statement& s = stmt(QStringLiteral(
        "SELECT 1 FROM RDB$DATABASE WHERE EXISTS (SELECT 1 FROM ROZRACHUNEK "
        "WHERE ID_NALEZNOSCI = ? AND RECZNE = 'T') OR EXISTS (SELECT 1 FROM ROZRACHUNEK "
        "WHERE ID_ZAPLATY = ? AND RECZNE = 'T')"));
    s.bindAll({wpisId, wpisId});
    db::Row r;
    return s.fetchOne(r);
}

int Dopasowanie::PlatnikPoNumerze(const QString& tytul) {
    const QStringList kandydaci = TytulPrzelewu(tytul).kandydaci();
    QSet<int> klienci;
    const int naRaz = kandydaci.size() <= MaloKandydatow ? MaloKandydatow : KandydaciNaRaz;
    db::Statement& s = stmt(zapytanieNumerow(naRaz));
    for (qsizetype od = 0; od < kandydaci.size(); od += naRaz) {
        std::vector<db::Value> p;
        for (qsizetype i = 0; i < naRaz; ++i) {
            // The last lookup is filled up with a candidate already asked for.
            const qsizetype at = od + i < kandydaci.size() ? od + i : od;
            p.emplace_back(kandydaci[at]);
        }
        s.bindAll(p);
        db::Cursor c = s.open();
        while (c.next())
            klienci.insert(c[0].toInt());
        if (klienci.size() > 1)
            return 0;
    }
    return klienci.size() == 1 ? *klienci.begin() : 0;
}

QStringList Dopasowanie::NumeryWTytule(int klientId, const QString& tytul) {
    QStringList numery;
    const TytulPrzelewu t(tytul);
    for (const Otwarta& n : naleznosci(klientId))
        if (t.zawiera(n.tekst))
            numery << n.opis;
    return numery;
}

} // namespace rozrachunki

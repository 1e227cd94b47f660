#include "Wiekowanie.h"

#include "Statement.h"
#include "Transaction.h"

namespace rozrachunki {
namespace {

// One column per range, summed by the server: the overdue days are the day less the due
// date (an amount due without one is due on its own day).
QString kolumnyPrzedzialow(const QString& kwota) {
    const QString dni = QStringLiteral("(CAST(? AS DATE) - COALESCE(T.TERMIN, T.DATA_TR))");
    QStringList kolumny;
    for (int i = 0; i < LiczbaPrzedzialow; ++i) {
        QString warunek;
        if (i == 0)
            warunek = dni + QStringLiteral(" < 1");
        else if (i + 1 < LiczbaPrzedzialow)
            warunek = dni + QStringLiteral(" BETWEEN %1 AND %2")
                                .arg(PoczatekPrzedzialu[i])
                                .arg(PoczatekPrzedzialu[i + 1] - 1);
        else
            warunek = dni + QStringLiteral(" >= %1").arg(PoczatekPrzedzialu[i]);
        kolumny
            << QStringLiteral("CASE WHEN %1 THEN %2 ELSE 0 END AS P%3").arg(warunek, kwota).arg(i);
    }
    return kolumny.join(QStringLiteral(", "));
}

QString zapytanie() {
    QStringList sumy;
    for (int i = 0; i < LiczbaPrzedzialow; ++i)
        sumy << QStringLiteral("SUM(A.P%1)").arg(i);
    // What is open now (each contractor's open rows by their index, whatever the statistics
    // say), and what links made after the day took from amounts due then open.
    return QStringLiteral("SELECT A.KLIENTID, K.NAZWA, ") + sumy.join(QStringLiteral(", ")) +
           QStringLiteral(" FROM (SELECT T.KLIENTID, ") +
           kolumnyPrzedzialow(QStringLiteral("T.OTWARTE")) +
           QStringLiteral(" FROM KLIENT KO JOIN TRANS T ON T.KLIENTID = KO.KLIENTID "
                          "WHERE T.OTWARTE > 0 AND T.DATA_TR <= ? "
                          "PLAN JOIN (KO NATURAL, T INDEX (TRANS_KLIENT_OTWARTE)) "
                          "UNION ALL SELECT T.KLIENTID, ") +
           kolumnyPrzedzialow(QStringLiteral("L.KWOTA")) +
           QStringLiteral(" FROM ROZRACHUNEK L JOIN TRANS T ON T.WPISID = L.ID_NALEZNOSCI "
                          "WHERE L.DATA_ROZL > ? AND T.DATA_TR <= ?) A "
                          "JOIN KLIENT K ON K.KLIENTID = A.KLIENTID "
                          "GROUP BY K.NAZWA, A.KLIENTID ORDER BY K.NAZWA, A.KLIENTID");
}

} // namespace

int Przedzial(int dniPoTerminie) {
    for (int i = LiczbaPrzedzialow - 1; i > 0; --i)
        if (dniPoTerminie >= PoczatekPrzedzialu[static_cast<size_t>(i)])
            return i;
    return 0;
}

QString NazwaPrzedzialu(int przedzial) {
    static const char* const nazwy[] = {"Przed terminem", "1–30 dni",   "31–60 dni",
                                        "61–90 dni",      "91–180 dni", "powyżej 180 dni"};
    return przedzial >= 0 && przedzial < LiczbaPrzedzialow ? QString::fromUtf8(nazwy[przedzial])
                                                           : QString();
}

QString KluczPrzedzialu(int przedzial) {
    static const char* const klucze[] = {"notDue", "1-30", "31-60", "61-90", "91-180", "over180"};
    return przedzial >= 0 && przedzial < LiczbaPrzedzialow ? QString::fromLatin1(klucze[przedzial])
                                                           : QString();
}

Money WierszWiekowania::razem() const {
    Money s;
    for (const Money& m : kwoty)
        s += m;
    return s;
}

Wiekowanie CzytajWiekowanie(db::Transaction& tr, const Date& naDzien) {
    Wiekowanie w;
    w.naDzien = naDzien;
    db::Statement s(tr, zapytanie());
    std::vector<db::Value> p;
    for (int i = 0; i < LiczbaPrzedzialow; ++i)
        p.emplace_back(naDzien);
    p.emplace_back(naDzien);
    for (int i = 0; i < LiczbaPrzedzialow; ++i)
        p.emplace_back(naDzien);
    p.emplace_back(naDzien);
    p.emplace_back(naDzien);
    s.bindAll(p);
    db::Cursor c = s.open();
    while (c.next()) {
        WierszWiekowania r;
        r.klientId = c[0].toInt();
        r.nazwa = c[1].toString();
        for (int i = 0; i < LiczbaPrzedzialow; ++i) {
            r.kwoty[static_cast<size_t>(i)] = c[2 + i].toMoney();
            w.suma.kwoty[static_cast<size_t>(i)] += r.kwoty[static_cast<size_t>(i)];
        }
        if (r.razem() != Money())
            w.wiersze.push_back(std::move(r));
    }
    return w;
}

} // namespace rozrachunki

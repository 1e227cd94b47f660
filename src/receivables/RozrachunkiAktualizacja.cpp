#include "RozrachunkiAktualizacja.h"

#include "Dopasowanie.h"
#include "DopasowanieTytulu.h"
#include "Statement.h"
#include "Transaction.h"

#include <QLocale>

#include <utility>
#include <vector>

namespace rozrachunki {

QStringList WypelnijRozrachunki(db::Transaction& tr,
                                const std::function<void(const QString&, int, int)>& postep) {
    const auto powiedz = [&postep](const QString& co, int zrobione = 0, int razem = 0) {
        if (postep)
            postep(co, zrobione, razem);
    };
    powiedz(QStringLiteral("Numery, nabywcy i terminy płatności faktur…"));
    {
        db::Statement s(tr, QStringLiteral("UPDATE OR INSERT INTO USTAWIENIA_ROZRACHUNKOW "
                                           "(ID, TERMIN_DNI, NAJSTARSZE) VALUES (1, 14, 'T') "
                                           "MATCHING (ID)"));
        s.execute();
    }
    {
        // The row's trigger works out what is left and the due date of an amount due.
        db::Statement s(
            tr,
            QStringLiteral("UPDATE TRANS T SET T.ROZLICZONO = 0, "
                           "T.NR_FAKTURY = CASE WHEN T.ZRODLO = 'F' THEN T.OPIS_TR END, "
                           "T.NIP_NABYWCY = CASE WHEN T.ZRODLO = 'F' THEN "
                           "(SELECT K.NR_NIP FROM KLIENT K WHERE K.KLIENTID = T.KLIENTID) END"));
        s.execute();
    }
    {
        std::vector<std::pair<int, QString>> numery;
        {
            db::Statement s(tr, QStringLiteral("SELECT WPISID, NR_FAKTURY FROM TRANS "
                                               "WHERE ZRODLO = 'F' AND NR_FAKTURY IS NOT NULL"));
            db::Cursor c = s.open();
            while (c.next())
                numery.emplace_back(c[0].toInt(), KluczNumeru(c[1].toString()));
        }
        db::Statement s(tr, QStringLiteral("UPDATE TRANS SET NR_KLUCZ = ? WHERE WPISID = ?"));
        for (const auto& [wpisId, klucz] : numery) {
            s.bindAll({klucz, wpisId});
            s.execute();
        }
    }
    std::vector<int> klienci;
    {
        db::Statement s(tr,
                        QStringLiteral("SELECT DISTINCT KLIENTID FROM TRANS WHERE OTWARTE < 0"));
        db::Cursor c = s.open();
        while (c.next())
            klienci.push_back(c[0].toInt());
    }
    Dopasowanie dopasowanie(tr);
    int powiazania = 0;
    Money razem;
    const QString laczenie = QStringLiteral("Łączenie wpłat z należnościami kontrahentów…");
    const int ilu = static_cast<int>(klienci.size());
    int ktory = 0;
    for (int klientId : klienci) {
        powiedz(laczenie, ktory++, ilu);
        for (const Powiazanie& p : dopasowanie.Uzgodnij(klientId)) {
            ++powiazania;
            razem += p.kwota;
        }
    }
    powiedz(laczenie, ilu, ilu);
    int wplaty = 0;
    Money nierozliczone;
    {
        db::Statement s(tr, QStringLiteral("SELECT COUNT(DISTINCT ID_ZAPLATY) FROM ROZRACHUNEK"));
        db::Row r;
        if (s.fetchOne(r))
            wplaty = r[0].toInt();
    }
    {
        db::Statement s(
            tr, QStringLiteral("SELECT -COALESCE(SUM(OTWARTE), 0) FROM TRANS WHERE OTWARTE < 0"));
        db::Row r;
        if (s.fetchOne(r))
            nierozliczone = r[0].toMoney();
    }
    const QLocale pl;
    return {QStringLiteral("Powiązano z należnościami wpłat: %1 (powiązań: %2, na kwotę %3).")
                .arg(wplaty)
                .arg(powiazania)
                .arg(razem.format(pl)),
            QStringLiteral("Nierozliczone wpłaty (nadpłaty): %1.").arg(nierozliczone.format(pl))};
}

} // namespace rozrachunki

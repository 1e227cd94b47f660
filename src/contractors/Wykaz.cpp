#include "Wykaz.h"

#include "Attachment.h"
#include "Statement.h"
#include "Transaction.h"

#include <unordered_map>

std::vector<recKontrahent> WykazKontrahentow(db::Attachment& conn) {
    std::vector<recKontrahent> wykaz;
    std::unordered_map<int, size_t> pozycja;
    // One snapshot: the accounts belong to the contractors read.
    db::Transaction tr(conn, db::Isolation::Snapshot);
    tr.start();
    {
        db::Statement stmt(
            tr,
            QStringLiteral("SELECT K.KLIENTID, K.KR_NIP, K.NR_NIP, K.NAZWA, K.ADRES, K.TELEFON1, "
                           "K.EMAIL1, COALESCE(S.DOZAPLATY, 0) - COALESCE(S.ZAPLACONO, 0) AS SALDO "
                           "FROM KLIENT K LEFT JOIN SALDA S ON S.KLIENTID = K.KLIENTID "
                           "ORDER BY K.NAZWA, K.KLIENTID"));
        db::Cursor c = stmt.open();
        while (c.next()) {
            recKontrahent k;
            k.klientId = c[0].toInt();
            k.krNip = c[1].toString();
            k.nrNip = c[2].toString();
            k.nazwa = c[3].toString();
            k.adres = c[4].toString();
            k.telefon = c[5].toString();
            k.email = c[6].toString();
            k.saldo = c[7].toMoney();
            pozycja.emplace(k.klientId, wykaz.size());
            wykaz.push_back(std::move(k));
        }
    }
    {
        db::Statement stmt(tr, QStringLiteral("SELECT KLIENTID, KR_KONTO, NR_KONTO, POMIJAJ "
                                              "FROM KONTO ORDER BY KLIENTID, WPISID"));
        db::Cursor c = stmt.open();
        while (c.next()) {
            const auto it = pozycja.find(c[0].toInt());
            if (it == pozycja.end())
                continue;
            wykaz[it->second].konta.push_back(
                {c[1].toString(), c[2].toString(), c[3].toString() == QStringLiteral("T")});
        }
    }
    tr.commit();
    return wykaz;
}

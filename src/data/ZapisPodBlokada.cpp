#include "ZapisPodBlokada.h"

#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "Error.h"
#include "IdCounter.h"
#include "Statement.h"
#include "Transaction.h"
#include "fSQLFun.h"

#include <functional>

namespace {

// Runs `work` in a transaction holding the booking lock; `work` takes identifiers from the
// counter (in transactions of their own, which never wait on this one) as it needs them.
template <typename Work> auto podBlokada(db::Attachment& att, Work&& work) {
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    ZajmijBlokade(tr);
    try {
        IdCounter counter(att);
        const std::function<int()> noweId = [&counter] { return counter.next(); };
        auto result = work(tr, noweId);
        tr.commit();
        return result;
    } catch (...) {
        if (tr.active()) {
            try {
                tr.rollback();
            } catch (const db::Error&) {
            }
        }
        throw;
    }
}

bool istnieje(db::Transaction& tr, const QString& sql, std::initializer_list<db::Value> values) {
    db::Statement s(tr, sql);
    s.bindAll(values);
    db::Row r;
    return s.fetchOne(r);
}

// Adds the Polish account to the contractor `kto` finds in the locked transaction (0: none),
// unless some contractor has the account already.
WynikDopisaniaKonta dopiszKonto(db::Attachment& att, const QString& konto,
                                const std::function<int(db::Transaction&)>& kto) {
    QString numer = konto;
    numer.remove(u' ');
    if (numer.startsWith(QStringLiteral("PL"), Qt::CaseInsensitive))
        numer = numer.mid(2);
    return podBlokada(att, [&](db::Transaction& tr, const std::function<int()>& noweId) {
        WynikDopisaniaKonta w;
        {
            // Without a prefix the number alone is compared: "PL" or none, it is one account.
            db::Statement jest(tr, QStringLiteral("SELECT KLIENTID FROM KONTO WHERE ") +
                                       sqlWarunekKonta(QString(), numer) +
                                       QStringLiteral(" ROWS 1"));
            db::Row r;
            if (jest.fetchOne(r)) {
                w.stan = WynikDopisaniaKonta::Stan::JestUKlienta;
                w.klientId = r[0].toInt();
                return w;
            }
        }
        const int klientId = kto(tr);
        if (klientId == 0)
            return w;
        db::Statement ins(tr, QStringLiteral("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, "
                                             "NR_KONTO, POMIJAJ) VALUES (?, ?, 'PL', ?, 'N')"));
        ins.bindAll({noweId(), klientId, numer});
        ins.execute();
        w.stan = WynikDopisaniaKonta::Stan::Dodano;
        w.klientId = klientId;
        return w;
    });
}

int pierwszy(db::Transaction& tr, const QString& sql, std::initializer_list<db::Value> values) {
    db::Statement s(tr, sql);
    s.bindAll(values);
    db::Row r;
    return s.fetchOne(r) ? r[0].toInt() : 0;
}

} // namespace

WynikDopisaniaKonta DopiszKontoKlienta(db::Attachment& att, const QString& nip,
                                       const QString& konto) {
    return dopiszKonto(att, konto, [&](db::Transaction& tr) {
        if (nip.isEmpty() || nip.size() > 12)
            return 0;
        return pierwszy(tr,
                        QStringLiteral("SELECT KLIENTID FROM KLIENT WHERE UPPER(NR_NIP) = "
                                       "UPPER(CAST(? AS VARCHAR(12))) ORDER BY NAZWA ROWS 1"),
                        {nip});
    });
}

WynikDopisaniaKonta DopiszKontoKlientowi(db::Attachment& att, int klientId, const QString& konto) {
    return dopiszKonto(att, konto, [&](db::Transaction& tr) {
        return pierwszy(tr, QStringLiteral("SELECT KLIENTID FROM KLIENT WHERE KLIENTID = ?"),
                        {klientId});
    });
}

bool DopiszKontoPodBlokada(db::Attachment& att, const QString& nip, const QString& konto) {
    return DopiszKontoKlienta(att, nip, konto).stan == WynikDopisaniaKonta::Stan::Dodano;
}

int DopiszKlientaPodBlokada(db::Attachment& att, const QString& krNip, const QString& nip,
                            const QString& nazwa, const QString& adres) {
    return podBlokada(att, [&](db::Transaction& tr, const std::function<int()>& noweId) {
        if (istnieje(tr,
                     QStringLiteral("SELECT 1 FROM KLIENT WHERE UPPER(NR_NIP) = "
                                    "UPPER(CAST(? AS VARCHAR(12))) ROWS 1"),
                     {nip}))
            return 0;
        const int id = noweId();
        db::Statement ins(tr, QStringLiteral("INSERT INTO KLIENT (KLIENTID, KR_NIP, NR_NIP, NAZWA, "
                                             "ADRES) VALUES (?, ?, ?, ?, ?)"));
        // Stored as the values stand: an empty text stays an empty text.
        ins.bindAll({id, krNip, nip, nazwa, adres});
        ins.execute();
        return id;
    });
}

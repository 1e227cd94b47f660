#include "ZapisPodBlokada.h"

#include "Attachment.h"
#include "Error.h"
#include "Statement.h"
#include "Transaction.h"

#include <QThread>

#include <functional>

namespace {

// Runs `work` in a transaction holding the counter's lock; `work` gets the next identifier
// and returns whether it used it. A conflict with a concurrent writer is tried again.
template <typename Work> auto podBlokada(db::Attachment& att, Work&& work) {
    constexpr int attempts = 200;
    for (int attempt = 1;; ++attempt) {
        db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
        try {
            tr.start();
            db::Statement lock(tr, QStringLiteral("SELECT NEXT_ID FROM GENER WITH LOCK"));
            db::Row row;
            if (!lock.fetchOne(row))
                throw db::Error(QStringLiteral("Brak licznika identyfikatorów w bazie danych"));
            const int id = row[0].isNull() || row[0].toInt64() == 0 ? 1 : row[0].toInt();
            bool used = false;
            auto result = work(tr, id, used);
            if (used) {
                db::Statement next(tr, QStringLiteral("UPDATE GENER SET NEXT_ID = ?"));
                next.bindAll({id + 1});
                next.execute();
            }
            tr.commit();
            return result;
        } catch (const db::Error& e) {
            if (tr.active()) {
                try {
                    tr.rollback();
                } catch (const db::Error&) {
                }
            }
            if (!e.isConflict() || attempt >= attempts)
                throw;
            QThread::msleep(static_cast<unsigned long>(attempt < 10 ? 1 : 10));
        }
    }
}

bool istnieje(db::Transaction& tr, const QString& sql, const QString& value) {
    db::Statement s(tr, sql);
    s.bindAll({value});
    db::Row r;
    return s.fetchOne(r);
}

} // namespace

bool DopiszKontoPodBlokada(db::Attachment& att, const QString& nip, const QString& konto) {
    return podBlokada(att, [&](db::Transaction& tr, int id, bool& used) {
        if (istnieje(tr, QStringLiteral("SELECT 1 FROM KONTO WHERE NR_KONTO = ? ROWS 1"), konto))
            return false;
        db::Statement k(
            tr,
            QStringLiteral("SELECT KLIENTID FROM KLIENT WHERE NR_NIP = ? ORDER BY NAZWA ROWS 1"));
        k.bindAll({nip});
        db::Row r;
        if (!k.fetchOne(r))
            return false;
        db::Statement ins(tr, QStringLiteral("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, "
                                             "NR_KONTO, POMIJAJ) VALUES (?, ?, 'PL', ?, 'N')"));
        ins.bindAll({id, r[0].toInt(), konto});
        ins.execute();
        used = true;
        return true;
    });
}

int DopiszKlientaPodBlokada(db::Attachment& att, const QString& krNip, const QString& nip,
                            const QString& nazwa, const QString& adres) {
    return podBlokada(att, [&](db::Transaction& tr, int id, bool& used) {
        if (istnieje(tr, QStringLiteral("SELECT 1 FROM KLIENT WHERE NR_NIP = ? ROWS 1"), nip))
            return 0;
        db::Statement ins(tr, QStringLiteral("INSERT INTO KLIENT (KLIENTID, KR_NIP, NR_NIP, NAZWA, "
                                             "ADRES) VALUES (?, ?, ?, ?, ?)"));
        // Stored as the values stand: an empty text stays an empty text.
        ins.bindAll({id, krNip, nip, nazwa, adres});
        ins.execute();
        used = true;
        return id;
    });
}

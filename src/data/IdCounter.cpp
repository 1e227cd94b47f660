#include "IdCounter.h"

#include "Error.h"
#include "Statement.h"

#include <QThread>

IdCounter::IdCounter(db::Attachment& att) : tr_(att, db::Isolation::ReadCommittedNoRecVersion) {}

int IdCounter::reserve(int count) {
    if (count < 1)
        throw db::Error(QStringLiteral("Nieprawidłowa liczba identyfikatorów"));
    // A concurrent allocation that committed while we waited is a conflict: try again.
    constexpr int attempts = 200;
    for (int attempt = 1;; ++attempt) {
        try {
            tr_.restart();
            db::Statement select(tr_, QStringLiteral("SELECT NEXT_ID FROM GENER WITH LOCK"));
            db::Row row;
            int first = 1;
            if (select.fetchOne(row)) {
                first = row[0].isNull() || row[0].toInt64() == 0 ? 1 : row[0].toInt();
                db::Statement update(tr_, QStringLiteral("UPDATE GENER SET NEXT_ID = ?"));
                update.bindAll({first + count});
                update.execute();
            } else {
                db::Statement insert(tr_, QStringLiteral("INSERT INTO GENER (NEXT_ID) VALUES (?)"));
                insert.bindAll({first + count});
                insert.execute();
            }
            tr_.commit();
            return first;
        } catch (const db::Error& e) {
            if (tr_.active()) {
                try {
                    tr_.rollback();
                } catch (const db::Error&) {
                }
            }
            if (!e.isConflict() || attempt >= attempts)
                throw;
            QThread::msleep(static_cast<unsigned long>(attempt < 10 ? 1 : 10));
        }
    }
}

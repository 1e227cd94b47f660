#include "BlokadaKsiegowania.h"

#include "Error.h"
#include "Statement.h"
#include "Transaction.h"
#include "komun.h"

#include <firebird/Interface.h>

#include <QElapsedTimer>
#include <QThread>

#include <algorithm>

#include <atomic>

namespace {
std::atomic<int> czas{30};

} // namespace

int CzasOczekiwaniaNaBlokade() {
    return czas.load();
}

void UstawCzasOczekiwaniaNaBlokade(int sekundy) {
    czas.store(sekundy > 0 ? sekundy : 1);
}

BlokadaZajeta::BlokadaZajeta() : std::runtime_error(komunikat().toStdString()) {}

QString BlokadaZajeta::komunikat() {
    return QStringLiteral("Na innym stanowisku trwa księgowanie (wyciągu, faktur albo zmian "
                          "kontrahentów)\ri nie zakończyło się w ciągu %1 s.\r"
                          "Nic nie zostało zapisane. Spróbuj ponownie, gdy tamto się zakończy.")
        .arg(CzasOczekiwaniaNaBlokade());
}

void RzucBlad(const db::Error& e) {
    if (e.isLockTimeout())
        throw BlokadaZajeta();
    throw e;
}

void ZajmijBlokade(db::Transaction& tr) {
    const QString lock =
        QStringLiteral("UPDATE BLOKADA_KSIEGOWANIA SET LICZNIK = COALESCE(LICZNIK, 0) + 1 "
                       "WHERE ID = 1");
    // The engine ends a wait that outlasts the transaction's lock time-out with the same
    // update conflict it gives when the holder commits while we wait (then nothing is done
    // yet, and we start again and wait like any later run). So the limit is a deadline: each
    // attempt waits at most what is left of it, and a conflict once it has passed means the
    // other workstation still holds the lock. A database upgraded to the lock table gets its
    // row from its first run; two first runs at once collide on its key and are handled alike.
    const qint64 limit = static_cast<qint64>(CzasOczekiwaniaNaBlokade()) * 1000;
    QElapsedTimer zegar;
    zegar.start();
    constexpr int attempts = 1000;
    for (int attempt = 1;; ++attempt) {
        const qint64 zostalo = std::max<qint64>(limit - zegar.elapsed(), 1);
        tr.setLockTimeout(static_cast<int>((zostalo + 999) / 1000));
        try {
            tr.start();
            {
                db::Statement s(tr, lock);
                if (s.execute() > 0)
                    return;
            }
            db::Statement s(tr, QStringLiteral("INSERT INTO BLOKADA_KSIEGOWANIA (ID, "
                                               "LICZNIK) VALUES (1, 1)"));
            s.execute();
            return;
        } catch (const db::Error& e) {
            tr.rollbackQuietly();
            const bool again = e.isLockTimeout() || e.isConflict() ||
                               e.hasCode(isc_unique_key_violation) || e.hasCode(isc_no_dup);
            if (!again)
                throw;
            if (zegar.elapsed() >= limit)
                throw BlokadaZajeta();
            if (attempt >= attempts)
                throw;
        } catch (...) {
            tr.rollbackQuietly();
            throw;
        }
        QThread::msleep(attempt < 10 ? 1 : 10);
    }
}

bool PonawiajPrzyBlokadzie(const std::function<void()>& praca) {
    for (;;) {
        QString komunikat;
        try {
            praca();
            return true;
        } catch (const BlokadaZajeta&) {
            komunikat = BlokadaZajeta::komunikat();
        } catch (const db::Error& e) {
            if (!e.isLockTimeout())
                throw;
            komunikat = BlokadaZajeta::komunikat();
        }
        if (!Ponow(komunikat))
            return false;
    }
}

// The upgrade that brings open items, on a ledger of 100,000 contractors and 1,000,000 rows
// booked before it: invoices named by their descriptions, payments whose titles name them
// (two thirds) or nothing. Prints how long it took and what it linked.
//
//   bench_open_items_upgrade [FOLDER]   the databases are made in FOLDER (a temporary one
//                                        when none is given)
#include "SchemaVersion.h"
#include "StaraBaza.h"
#include "Transaction.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {
bool krokRozrachunkow(const UpgradeStep& s) {
    return s.definitionsDoneSql.contains(QStringLiteral("'ROZRACHUNEK'"));
}

// Written by the server itself: the old program's rows, without the columns open items add.
const char* const Wypelnienie = R"(EXECUTE BLOCK AS
DECLARE I INTEGER = 1;
DECLARE R INTEGER = 0;
DECLARE K INTEGER;
DECLARE KL INTEGER;
BEGIN
  WHILE (I <= 100000) DO BEGIN
    INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP)
      VALUES (:I, 'Kontrahent ' || :I, 'PL', 5260000000 + :I);
    I = I + 1;
  END
  WHILE (R < 1000000) DO BEGIN
    KL = 1 + MOD(R, 100000);
    K = R / 100000;
    IF (MOD(K, 2) = 0) THEN
      INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, DOZAPLATY)
        VALUES (1000000 + :R, :KL, 'F', DATEADD(:K * 40 + MOD(:R, 30) DAY TO DATE '2025-06-01'),
                'FV/' || :R || '/2025', 50 + MOD(:R * 131, 5000));
    ELSE
      INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO)
        VALUES (1000000 + :R, :KL, 'W', DATEADD(:K * 40 + MOD(:R, 30) DAY TO DATE '2025-06-01'),
                IIF(MOD(:KL, 3) = 0, 'Przelew', 'Zaplata FV/' || (:R - 100000) || '/2025'),
                50 + MOD((:R - 100000) * 131, 5000));
    R = R + 1;
  END
END)";
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir tmp;
    const QString folder = argc > 1 ? QString::fromLocal8Bit(argv[1]) : tmp.path();
    const QString path = folder + QStringLiteral("/przed.fdb");
    QElapsedTimer t;
    t.start();
    starabaza::utworzWersje1(path);
    upgradeDatabase(starabaza::embedded(path), starabaza::krokiPrzed(krokRozrachunkow));
    {
        db::Attachment att(starabaza::embedded(path));
        att.executeImmediate(QString::fromLatin1(Wypelnienie));
        // The sums the old program's triggers keep.
        att.executeImmediate(QStringLiteral(
            "UPDATE SALDA S SET S.DOZAPLATY = (SELECT COALESCE(SUM(T.DOZAPLATY),0) FROM TRANS T "
            "WHERE T.KLIENTID = S.KLIENTID), S.ZAPLACONO = (SELECT COALESCE(SUM(T.ZAPLACONO),0) "
            "FROM TRANS T WHERE T.KLIENTID = S.KLIENTID)"));
    }
    std::printf("made the ledger of the version before in %.1f s\n",
                static_cast<double>(t.elapsed()) / 1000);
    t.restart();
    const UpgradeResult r = upgradeDatabase(starabaza::embedded(path));
    std::printf("upgrade %s: %.1f s\n", r.steps.join(QStringLiteral(", ")).toUtf8().constData(),
                static_cast<double>(t.elapsed()) / 1000);
    for (const QString& n : r.notes)
        std::printf("  %s\n", n.toUtf8().constData());
    return 0;
}

// Opens the contractor list of 100,000 contractors (half of them with an account) and
// prints the time: the no-account mark must not cost a statement per row.
#include "DatabaseCreator.h"
#include "Globals.h"
#include "Statement.h"
#include "fdm.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    constexpr int Contractors = 100000;
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.fdb"));
    createBrevantDatabase(path, QStringLiteral("bench1"));
    Tdm data;
    dm = &data;
    data.connect(path, true);
    {
        db::Transaction tr(data.conn);
        tr.start();
        db::Statement klient(tr,
                             QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, ADRES, KR_NIP, "
                                            "NR_NIP) VALUES (?, ?, ?, 'PL', ?)"));
        db::Statement konto(tr, QStringLiteral("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, "
                                               "NR_KONTO, POMIJAJ) VALUES (?, ?, 'PL', ?, 'N')"));
        for (int i = 1; i <= Contractors; ++i) {
            klient.bindAll(
                {i, QStringLiteral("Kontrahent %1 Spółka z o.o.").arg((i * 7919) % Contractors),
                 QStringLiteral("ul. Długa %1, Łódź").arg(i), QString::number(5260000000LL + i)});
            klient.execute();
            if (i % 2 == 0) {
                konto.bindAll(
                    {Contractors + i, i, QStringLiteral("%1").arg(i, 26, 10, QChar(u'1'))});
                konto.execute();
            }
        }
        tr.commit();
    }
    for (int run = 1; run <= 3; ++run) {
        QElapsedTimer t;
        t.start();
        data.OtworzKlient();
        std::printf("open contractor list of %d rows: %lld ms\n", data.Klient.recordCount(),
                    static_cast<long long>(t.elapsed()));
    }
    data.closeConnection();
    dm = nullptr;
    return 0;
}

#include "BenchSupport.h"

#include "Attachment.h"
#include "DatabaseCreator.h"
#include "JpkGenerator.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "recFaktura.h"

#include <QElapsedTimer>

#include <QFile>

long peakKb() {
    // Linux only, which is where benchmarks run.
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

QHash<QString, int> prepareDatabase(db::Attachment& att, const QString& path, int buyers) {
    createBrevantDatabase(path, QStringLiteral("bench"));
    db::ConnectionParams p;
    p.database = path;
    p.forceEmbedded = true;
    att.open(p);
    QHash<QString, int> ids;
    db::Transaction tr(att);
    tr.start();
    db::Statement ins(tr, QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, ADRES, KR_NIP, "
                                         "NR_NIP) VALUES (?, ?, ?, 'PL', ?)"));
    for (int k = 0; k < buyers; ++k) {
        ins.bindAll({k + 1, BuyerName(k), QStringLiteral("ul. Długa %1").arg(k), BuyerNip(k)});
        ins.execute();
        ids.insert(BuyerNip(k), k + 1);
    }
    db::Statement gen(tr, QStringLiteral("INSERT INTO GENER (NEXT_ID) VALUES (?)"));
    gen.bindAll({buyers + 1});
    gen.execute();
    tr.commit();
    return ids;
}

qint64 plainInsertMs(const QString& path, int buyers, const std::vector<recFaktura>& rows) {
    db::Attachment att;
    const QHash<QString, int> ids = prepareDatabase(att, path, buyers);
    QElapsedTimer t;
    t.start();
    db::Transaction tr(att);
    tr.start();
    db::Statement ins(tr, QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                                         "OPIS_TR, DOZAPLATY) VALUES (?, ?, 'F', ?, ?, ?)"));
    int id = buyers + 1;
    for (const recFaktura& f : rows) {
        ins.bindAll({id++, ids.value(f.NipOdb), f.DataWyst, KorygOpis(f.NrFakt), f.Kwota});
        ins.execute();
    }
    tr.commit();
    return t.elapsed();
}

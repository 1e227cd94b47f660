// Books generated statements into a fresh database and compares each run with a plain
// insert of the same number of rows: first 10,000 credits from 5,000 unknown payers, then
// 10,000 credits from the known payers into a ledger that already holds 1,000,000 rows.
#include "DatabaseCreator.h"
#include "Globals.h"
#include "KsiegowanieWplat.h"
#include "Statement.h"
#include "StatementBuilder.h"
#include "WczytajWyciag.h"
#include "fdm.h"
#include "fks.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>

namespace {
constexpr int Payers = 5000;
constexpr int Credits = 10000;
constexpr int LedgerRows = 1000000;

QString account(int payer) {
    return QStringLiteral("%1").arg(1000000000LL + payer, 26, 10, QChar(u'7'));
}

std::shared_ptr<IWyciag> statement(const QString& opening) {
    std::vector<TxSpec> txs;
    txs.reserve(Credits);
    for (int i = 0; i < Credits; ++i) {
        const int payer = i % Payers;
        txs.push_back({'C',
                       QStringLiteral("%1,%2").arg(10 + i % 900).arg(i % 100, 2, 10, QChar(u'0')),
                       account(payer), QStringLiteral("Płatnik numer %1 Sp. z o.o.").arg(payer),
                       QStringLiteral("Faktura FV/%1/2023").arg(i)});
    }
    const WynikOtwarcia w = OtworzWyciag(ingStatement(txs, opening).toUtf8(), TKodowanie::kdUTF_8);
    if (!w.ok())
        throw std::runtime_error(w.komunikat().toStdString());
    return w.wyciag();
}

double bookMs(Tdm& data, const IWyciag& w) {
    Tks ks(data.conn);
    KsiegowanieWplat run(ks);
    QElapsedTimer t;
    t.start();
    run.ksieguj(w);
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// Plain insert of `rows` payment rows with one prepared statement in one transaction.
double plainInsertMs(Tdm& data, int rows, int firstId, int klientId, bool commit) {
    db::Transaction tr(data.conn);
    tr.start();
    db::Statement ins(
        tr,
        QStringLiteral(
            "INSERT INTO TRANS (WPISID, KLIENTID, NAZWA_KL, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO, "
            "KR_KONTO, NR_KONTO, NR_WYCIAGU) VALUES (?, ?, ?, 'W', ?, ?, ?, ?, ?, ?)"));
    QElapsedTimer t;
    t.start();
    for (int i = 0; i < rows; ++i) {
        ins.bindAll({firstId + i, klientId, QStringLiteral("Płatnik"), Date(2023, 3, 1),
                     QStringLiteral("Faktura FV/%1/2023").arg(i), Money::fromCents(1000 + i),
                     QString(), account(i % Payers), QStringLiteral("ST")});
        ins.execute();
    }
    if (commit)
        tr.commit();
    const double ms = static_cast<double>(t.nsecsElapsed()) / 1e6;
    if (!commit)
        tr.rollback();
    return ms;
}
} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.fdb"));
    createBrevantDatabase(path, QStringLiteral("bench1"));
    Tdm data;
    dm = &data;
    data.connect(path, true);

    const auto first = statement(QStringLiteral("C230228PLN5000,00"));
    const double run1 = bookMs(data, *first);
    const int anyKlient = [&] {
        db::Transaction tr(data.conn);
        tr.start();
        db::Statement s(tr, QStringLiteral("SELECT MIN(KLIENTID) FROM KLIENT"));
        db::Row r;
        s.fetchOne(r);
        return r[0].toInt();
    }();
    const double plain1 = plainInsertMs(data, 2 * Credits, 900000000, anyKlient, false);
    std::printf("run 1: %d credits, %d new payers: %.0f ms (%.1f us/payment); plain insert of "
                "%d rows: %.0f ms; ratio %.2f\n",
                Credits, Payers, run1, run1 * 1000 / Credits, 2 * Credits, plain1, run1 / plain1);

    // Grow the ledger to a million rows.
    QElapsedTimer fill;
    fill.start();
    int written = 0;
    int nextId = data.ReserveIds(LedgerRows);
    while (written < LedgerRows - Credits) {
        const int chunk = std::min(100000, LedgerRows - Credits - written);
        plainInsertMs(data, chunk, nextId + written, anyKlient, true);
        written += chunk;
    }
    std::printf("ledger filled to %d rows in %.1f s\n", written + Credits,
                static_cast<double>(fill.elapsed()) / 1000);

    const auto second = statement(QStringLiteral("C230331PLN9000,00"));
    const double run2 = bookMs(data, *second);
    const double plain2 = plainInsertMs(data, Credits, 950000000, anyKlient, false);
    std::printf("run 2: %d credits from known payers into %d rows: %.0f ms (%.1f us/payment); "
                "plain insert of %d rows: %.0f ms; ratio %.2f\n",
                Credits, LedgerRows, run2, run2 * 1000 / Credits, Credits, plain2, run2 / plain2);
    data.closeConnection();
    dm = nullptr;
    return 0;
}

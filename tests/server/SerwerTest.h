#pragma once

// What the tests through a running local Firebird server share: the server's presence, the
// command-line program run as another workstation, a folder the server may write in, a fresh
// shared database per test.
#include "Attachment.h"
#include "Statement.h"
#include "StatementBuilder.h"
#include "Transaction.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

namespace serwer {

inline bool serverRunning() {
    QTcpSocket s;
    s.connectToHost(QStringLiteral("127.0.0.1"), 3050);
    return s.waitForConnected(1000);
}

struct Result {
    int status = -1;
    QString out;
    QString err;
};

class Cli {
public:
    explicit Cli(const QStringList& args, const QStringList& env = {}) {
        QProcessEnvironment e = QProcessEnvironment::systemEnvironment();
        e.remove(QStringLiteral("ISC_USER"));
        e.remove(QStringLiteral("ISC_PASSWORD"));
        for (const QString& kv : env)
            e.insert(kv.section(u'=', 0, 0), kv.section(u'=', 1));
        p_.setProcessEnvironment(e);
        p_.start(QStringLiteral(BREVANT_CLI_PATH), args);
        p_.waitForStarted();
    }
    Result finish(int ms = 120000) {
        p_.waitForFinished(ms);
        return {p_.exitStatus() == QProcess::NormalExit ? p_.exitCode() : -1,
                QString::fromUtf8(p_.readAllStandardOutput()),
                QString::fromUtf8(p_.readAllStandardError())};
    }
    QProcess& process() { return p_; }

private:
    QProcess p_;
};

inline Result runCli(const QStringList& args, const QStringList& env = {}) {
    return Cli(args, env).finish();
}

// A folder the server (user firebird) can write in.
class ServerFolder {
public:
    ServerFolder() : dir_(QDir::tempPath() + QStringLiteral("/brevant-server-XXXXXX")) {
        QFile::setPermissions(dir_.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner |
                                               QFileDevice::ExeOwner | QFileDevice::ReadGroup |
                                               QFileDevice::WriteGroup | QFileDevice::ExeGroup |
                                               QFileDevice::ReadOther | QFileDevice::WriteOther |
                                               QFileDevice::ExeOther);
    }
    QString local(const QString& name) const { return dir_.filePath(name); }
    QString remote(const QString& name) const { return QStringLiteral("localhost:") + local(name); }

private:
    QTemporaryDir dir_;
};

inline db::ConnectionParams server(const QString& database) {
    db::ConnectionParams p;
    p.database = database;
    return p;
}

inline QString scalar(db::Attachment& att, const QString& sql) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, sql);
    db::Row r;
    const QString v = s.fetchOne(r) ? r[0].toString() : QString();
    tr.commit();
    return v;
}

inline int count(db::Attachment& att, const QString& fromWhere) {
    return scalar(att, QStringLiteral("SELECT COUNT(*) ") + fromWhere).toInt();
}

// A statement with a credit from a new payer on each row.
inline QString bigStatement(int credits, const QString& opening, int firstPayer) {
    std::vector<TxSpec> txs;
    txs.reserve(static_cast<size_t>(credits));
    for (int i = 0; i < credits; ++i) {
        const int payer = firstPayer + i;
        txs.push_back({'C',
                       QStringLiteral("%1,%2").arg(10 + i % 90).arg(i % 100, 2, 10, QChar(u'0')),
                       QStringLiteral("%1").arg(3000000000LL + payer, 26, 10, QChar(u'7')),
                       QStringLiteral("Płatnik %1").arg(payer), QStringLiteral("FV/%1").arg(i)});
    }
    return ingStatement(txs, opening);
}

// A JPK_FA file whose invoices each have a buyer no contractor has yet.
inline QString invoiceFile(int invoices) {
    QString x = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<tns:JPK xmlns:etd=\"http://crd.gov.pl/xml/schematy/dziedzinowe/mf/2021/06/08/eD/"
        "DefinicjeTypy/\" xmlns:tns=\"http://jpk.mf.gov.pl/wzor/2022/02/17/02171/\">\n"
        "<tns:Naglowek><tns:KodFormularza kodSystemowy=\"JPK_FA (4)\" wersjaSchemy=\"1-0\">"
        "JPK_FA</tns:KodFormularza><tns:WariantFormularza>4</tns:WariantFormularza>"
        "<tns:DataOd>2023-03-01</tns:DataOd><tns:DataDo>2023-03-31</tns:DataDo></tns:Naglowek>\n");
    for (int i = 0; i < invoices; ++i)
        x += QStringLiteral("<tns:Faktura><tns:KodWaluty>PLN</tns:KodWaluty>"
                            "<tns:P_1>2023-03-10</tns:P_1><tns:P_2A>FV/%1/03/2023</tns:P_2A>"
                            "<tns:P_3A>Nabywca %1</tns:P_3A><tns:P_3B>ul. Polna %1</tns:P_3B>"
                            "<tns:P_5A>PL</tns:P_5A><tns:P_5B>%2</tns:P_5B>"
                            "<tns:P_15>%3.50</tns:P_15><tns:RodzajFaktury>VAT</tns:RodzajFaktury>"
                            "</tns:Faktura>\n")
                 .arg(i)
                 .arg(7000000000LL + i)
                 .arg(100 + i);
    return x + QStringLiteral("</tns:JPK>\n");
}

class Server : public ::testing::Test {
protected:
    void SetUp() override {
        if (!serverRunning())
            GTEST_SKIP() << "no Firebird server on localhost:3050 (scripts/start-server)";
        db = folder.remote(QStringLiteral("wspolna.fdb"));
        const Result r = runCli({"create-db", db, "--admin-password", "x"});
        ASSERT_EQ(r.status, 0) << r.err.toStdString();
        att = std::make_unique<db::Attachment>(server(db));
    }
    void TearDown() override { att.reset(); }

    // Balances equal the ledger's sums for every contractor.
    void expectBalancesMatchLedger() {
        EXPECT_EQ(count(*att, "FROM SALDA S WHERE COALESCE(S.ZAPLACONO, 0) <> "
                              "(SELECT COALESCE(SUM(T.ZAPLACONO), 0) FROM TRANS T "
                              "WHERE T.KLIENTID = S.KLIENTID) OR COALESCE(S.DOZAPLATY, 0) <> "
                              "(SELECT COALESCE(SUM(T.DOZAPLATY), 0) FROM TRANS T "
                              "WHERE T.KLIENTID = S.KLIENTID)"),
                  0);
    }

    ServerFolder folder;
    QString db;
    std::unique_ptr<db::Attachment> att;
};

} // namespace serwer

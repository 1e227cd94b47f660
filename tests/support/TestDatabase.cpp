#include "TestDatabase.h"

#include "DatabaseCreator.h"
#include "Globals.h"
#include "Statement.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QSettings>
#include <QStandardPaths>

#include <stdexcept>

namespace {
// The template lives as long as the test process.
const QString& templatePath() {
    static QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/brevant-template-XXXXXX"));
    static const QString path = [] {
        const QString p = dir.filePath(QStringLiteral("template.fdb"));
        createBrevantDatabase(p, QString::fromLatin1(TestAdminPassword));
        return p;
    }();
    return path;
}
} // namespace

TestDatabase::TestDatabase() : dir_(QDir::tempPath() + QStringLiteral("/brevant-test-XXXXXX")) {
    folderPath_ = dir_.path();
    path_ = dir_.filePath(QStringLiteral("test.fdb"));
    if (!QFile::copy(templatePath(), path_))
        throw std::runtime_error("cannot copy the template database");
    QFile::setPermissions(path_, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
}

void DbTest::SetUp() {
#ifndef Q_OS_WIN
    // Nothing the program remembered for an earlier test (an encoding, a user, a window's
    // place) leaks into this one; only the tests' own settings file is ever cleared.
    if (QStandardPaths::isTestModeEnabled())
        QSettings(QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Quorvel"),
                  QStringLiteral("Quorvel"))
            .clear();
#endif
    messages = std::make_unique<komun::Recorder>();
    database = std::make_unique<TestDatabase>();
    data = std::make_unique<Tdm>();
    dm = data.get();
    data->connect(database->path(), true);
    Globals::App_Operator = QStringLiteral("Administrator");
}

void DbTest::TearDown() {
    data->closeConnection();
    data.reset();
    database.reset();
    messages.reset();
}

void DbTest::exec(const QString& sql) {
    data->conn.executeImmediate(sql);
}

db::Value DbTest::scalar(const QString& sql) {
    db::Transaction tr(data->conn, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, sql);
    db::Row r;
    db::Value v = s.fetchOne(r) ? r[0] : db::Value();
    tr.commit();
    return v;
}

int DbTest::count(const QString& sqlFromWhere) {
    return scalar(QStringLiteral("SELECT COUNT(*) ") + sqlFromWhere).toInt();
}

namespace {
QString literalOrNull(const QString& s) {
    return s.isNull() ? QStringLiteral("NULL")
                      : u'\'' + QString(s).replace(u'\'', QStringLiteral("''")) + u'\'';
}
} // namespace

void DbTest::addKlient(int klientId, const QString& nazwa, const QString& krNip,
                       const QString& nrNip) {
    exec(QStringLiteral(
             "INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) VALUES (%1, %2, %3, %4)")
             .arg(klientId)
             .arg(literalOrNull(nazwa), literalOrNull(krNip), literalOrNull(nrNip)));
}

void DbTest::addKonto(int wpisId, int klientId, const QString& krKonto, const QString& nrKonto,
                      const QString& pomijaj) {
    exec(QStringLiteral("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, NR_KONTO, POMIJAJ) "
                        "VALUES (%1, %2, %3, %4, %5)")
             .arg(wpisId)
             .arg(klientId)
             .arg(literalOrNull(krKonto), literalOrNull(nrKonto), literalOrNull(pomijaj)));
}

void DbTest::addTrans(int wpisId, int klientId, const char* doZaplaty, const char* zaplacono) {
    exec(QStringLiteral(
             "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY, ZAPLACONO) "
             "VALUES (%1, %2, 'U', '2023-03-10', %3, %4)")
             .arg(wpisId)
             .arg(klientId)
             .arg(QString::fromLatin1(doZaplaty), QString::fromLatin1(zaplacono)));
}

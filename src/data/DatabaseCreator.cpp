#include "DatabaseCreator.h"

#include "Error.h"
#include "SHA1.h"
#include "SchemaVersion.h"
#include "Services.h"
#include "SqlScript.h"
#include "Statement.h"
#include "Transaction.h"

#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <stdexcept>

namespace {

void fillDatabase(db::Attachment& att, const QString& schema, const QString& adminPassword) {
    // The Polish collation makes UPPER map Polish letters and names sort in Polish order.
    att.executeImmediate(
        QStringLiteral("ALTER CHARACTER SET WIN1250 SET DEFAULT COLLATION PXW_PLK"));
    runSqlScript(att, schema);
    db::Transaction tr(att);
    tr.start();
    db::Statement gener(tr, QStringLiteral("INSERT INTO GENER (NEXT_ID) VALUES (2)"));
    gener.execute();
    db::Statement admin(tr, QStringLiteral("INSERT INTO OPERATOR (OPERID, NAZWA, HASLO) "
                                           "VALUES (1, 'Administrator', ?)"));
    admin.bindAll({SHA1Digest(adminPassword)});
    admin.execute();
    tr.commit();
    // The version last: a database interrupted before this point is no database of ours.
    db::Transaction ver(att);
    ver.start();
    writeSchemaVersion(ver, currentSchemaVersion());
    ver.commit();
}

// Removes a database that creating left half-built; quiet, the first error is what counts.
void removeHalfBuilt(const db::ConnectionParams& params) {
    try {
        db::Attachment att(params);
        att.drop();
        return;
    } catch (const db::Error&) {
    }
    if (!db::splitServerPath(params.database))
        QFile::remove(params.database);
}

} // namespace

void createBrevantDatabase(const db::ConnectionParams& params, const QString& adminPassword) {
    const QString schema = schemaScript();
    if (schema.isEmpty())
        throw std::runtime_error("Brak schematu bazy danych w programie");
    createBrevantDatabase(params, adminPassword, schema);
}

void createBrevantDatabase(const db::ConnectionParams& params, const QString& adminPassword,
                           const QString& schema) {
    const bool local = !db::splitServerPath(params.database);
    if (local && QFileInfo::exists(params.database))
        throw std::runtime_error("Plik już istnieje: " + params.database.toStdString());
    db::Attachment::createDatabase(params); // made nothing when it throws
    try {
        db::Attachment att(params);
        fillDatabase(att, schema, adminPassword);
    } catch (...) {
        removeHalfBuilt(params);
        throw;
    }
}

void createBrevantDatabase(const QString& path, const QString& adminPassword, bool forceEmbedded) {
    db::ConnectionParams p;
    p.database = path;
    p.forceEmbedded = forceEmbedded;
    createBrevantDatabase(p, adminPassword);
}

void oznaczHasloDoZmiany(const db::ConnectionParams& params, const QString& plikHasla) {
    db::Attachment att(params);
    db::Transaction tr(att);
    tr.start();
    db::Statement st(tr, QStringLiteral("UPDATE OPERATOR SET ZMIEN_HASLO = 'T', PLIK_HASLA = ? "
                                        "WHERE OPERID = 1"));
    st.bindAll({plikHasla});
    st.execute();
    tr.commit();
}

QString generatePassword(int length) {
    static const QString alphabet =
        QStringLiteral("abcdefghijkmnpqrstuvwxyzABCDEFGHJKLMNPQRSTUVWXYZ23456789");
    QString s;
    for (int i = 0; i < length; ++i)
        s += alphabet[static_cast<qsizetype>(
            QRandomGenerator::system()->bounded(static_cast<quint32>(alphabet.size())))];
    return s;
}

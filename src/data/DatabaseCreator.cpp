#include "DatabaseCreator.h"

#include "Attachment.h"
#include "SHA1.h"
#include "SqlScript.h"
#include "Statement.h"
#include "Transaction.h"

#include <QFileInfo>
#include <QRandomGenerator>

#include <stdexcept>

void createBrevantDatabase(const QString& path, const QString& adminPassword, bool forceEmbedded) {
    if (QFileInfo::exists(path))
        throw std::runtime_error("Plik już istnieje: " + path.toStdString());
    const QString schema = schemaScript();
    if (schema.isEmpty())
        throw std::runtime_error("Brak schematu bazy danych w programie");
    db::ConnectionParams p;
    p.database = path;
    p.forceEmbedded = forceEmbedded;
    db::Attachment::createDatabase(p);
    db::Attachment att(p);
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

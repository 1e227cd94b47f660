#pragma once

#include "Attachment.h"
#include "SHA1.h"
#include "SchemaVersion.h"
#include "SqlScript.h"

#include <QFile>
#include <QString>

#include <vector>

// Databases of earlier versions, for the tests of upgrade steps.
namespace starabaza {

inline db::ConnectionParams embedded(const QString& path) {
    db::ConnectionParams p;
    p.database = path;
    p.forceEmbedded = true;
    return p;
}

// A database as the program made it before the schema carried a version.
inline void utworzWersje1(const QString& path) {
    QFile f(QStringLiteral(BREVANT_FIXTURES "/schema/schema-v1.sql"));
    f.open(QIODevice::ReadOnly);
    const QString schema = QString::fromUtf8(f.readAll());
    const db::ConnectionParams p = embedded(path);
    db::Attachment::createDatabase(p);
    db::Attachment att(p);
    att.executeImmediate(
        QStringLiteral("ALTER CHARACTER SET WIN1250 SET DEFAULT COLLATION PXW_PLK"));
    runSqlScript(att, schema);
    att.executeImmediate(QStringLiteral("INSERT INTO GENER (NEXT_ID) VALUES (100)"));
    att.executeImmediate(QStringLiteral("INSERT INTO OPERATOR (OPERID, NAZWA, HASLO) VALUES "
                                        "(1, 'Administrator', '%1')")
                             .arg(SHA1Digest(QStringLiteral("x"))));
}

// The program's upgrade steps that come before the first one `ten` accepts.
template <typename Pred> std::vector<UpgradeStep> krokiPrzed(Pred ten) {
    std::vector<UpgradeStep> przed;
    for (const UpgradeStep& s : upgradeSteps()) {
        if (ten(s))
            break;
        przed.push_back(s);
    }
    return przed;
}

} // namespace starabaza

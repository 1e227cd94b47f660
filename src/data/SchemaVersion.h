#pragma once

#include "Attachment.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <stdexcept>
#include <vector>

namespace db {
class Transaction;
}

// The schema version a database carries, and the numbered steps that bring an older
// database up to the program's version. A database made before versions existed is
// version 1. Each step is one SQL script (src/data/upgrade/N.sql, compiled in) run in one
// transaction together with the new version number, so a step either happens whole or
// leaves the database at the version it had.
//
// Firebird makes a new table usable only once its definition commits, so a step that also
// fills new tables has a second script: its definitions commit first, then its data is
// written in one transaction together with the new version number. Should that part fail,
// the version stays, and the next run finds the definitions in place and writes the data.
// Data that needs the program's own rules (not only SQL) is written by a function in that
// same transaction.
// Told what an upgrade is doing, for a user waiting on a large database: a text and, where the
// work can be counted, how far it is (done of total; total 0 when it cannot be counted).
using UpgradeProgress = std::function<void(const QString& what, int done, int total)>;

struct UpgradeStep {
    int toVersion = 0;
    QString script; // resource path of the step's SQL
    // A query whose rows stop the step before it changes anything (data the step cannot
    // keep, such as duplicates of a new unique key), and the heading of their list.
    QString blockingRowsSql;
    QString blockingRowsTitle;
    // The data written after the definitions (resource path), and a query that finds a row
    // once the step's definitions are in place.
    QString dataScript = {};
    QString definitionsDoneSql = {};
    // Written after the data script, in its transaction; returns lines for the upgrade's
    // report and tells its progress. A step with one needs definitionsDoneSql too.
    std::function<QStringList(db::Transaction&, const UpgradeProgress&)> fill = {};
};

// The steps of this program, in order. Adding a schema change: one SQL file in upgrade/,
// one line in this list (SchemaVersion.cpp), and the same change in schema.sql.
const std::vector<UpgradeStep>& upgradeSteps();
int currentSchemaVersion();

// The version of the connected database; errors (db::Error, not a database of this
// program) reach the caller.
int schemaVersion(db::Attachment& att);
// Records the version in the transaction of a step (or of a new database).
void writeSchemaVersion(db::Transaction& tr, int version);

// The database's version differs from the program's.
class SchemaMismatch : public std::runtime_error {
public:
    SchemaMismatch(const QString& database, int found, int expected);
    bool older() const { return found_ < expected_; }
    int found() const { return found_; }
    int expected() const { return expected_; }
    const QString& database() const { return database_; }
    // Polish text for the user, without advice on what to run.
    const QString& message() const { return message_; }

private:
    QString database_;
    int found_;
    int expected_;
    QString message_;
};
// Throws SchemaMismatch unless the connected database has the program's version.
void checkSchemaVersion(db::Attachment& att);

// An upgrade that cannot run: the database is newer than the program, or holds data a step
// cannot keep. Nothing was changed.
class UpgradeRefused : public std::runtime_error {
public:
    explicit UpgradeRefused(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

private:
    QString message_;
};

struct UpgradeResult {
    int from = 0;
    int to = 0;
    QString backup;    // where the copy made before the first step is; empty when none
    QStringList steps; // "1 → 2", one per step run
    QStringList notes; // what the steps' filling of data reports
};

// Brings the database to the last step's version: checks the step's data, makes a backup
// beside the database before the first step (a file copy for an embedded database, gbak
// through the server's services for host:/path), then runs each step in a transaction of
// its own. The caller holds no attachment to an embedded database while this runs.
// Errors: UpgradeRefused (nothing changed), db::Error (the failed step rolled back).
UpgradeResult upgradeDatabase(const db::ConnectionParams& params,
                              const std::vector<UpgradeStep>& steps = upgradeSteps(),
                              const UpgradeProgress& progress = {});

// The path of the backup made before upgrading from the given version.
QString upgradeBackupPath(const QString& databasePath, int fromVersion, bool gbakFormat);

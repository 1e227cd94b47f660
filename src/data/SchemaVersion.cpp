#include "SchemaVersion.h"

#include "Error.h"
#include "RozrachunkiAktualizacja.h"
#include "Services.h"
#include "SqlScript.h"
#include "Statement.h"
#include "Transaction.h"

#include <QDateTime>
#include <QFile>

namespace {

QString resourceText(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw db::Error(QStringLiteral("Brak skryptu aktualizacji w programie: ") + path);
    return QString::fromUtf8(f.readAll());
}

bool relationExists(db::Transaction& tr, const QString& name) {
    db::Statement s(tr, QStringLiteral("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = ?"));
    s.bindAll({name});
    db::Row r;
    return s.fetchOne(r);
}

int versionIn(db::Transaction& tr) {
    if (relationExists(tr, QStringLiteral("WERSJA_SCHEMATU"))) {
        db::Statement s(tr, QStringLiteral("SELECT WERSJA FROM WERSJA_SCHEMATU"));
        db::Row r;
        if (s.fetchOne(r) && !r[0].isNull())
            return r[0].toInt();
    }
    if (relationExists(tr, QStringLiteral("KLIENT")) &&
        relationExists(tr, QStringLiteral("WYCIAG")))
        return 1; // made before the schema carried its version
    throw db::Error(QStringLiteral("To nie jest baza danych programu Brevant: ") +
                    tr.attachment().databaseName());
}

// The rows that stop a step, one line each; empty when the step may run.
QStringList blockingRows(db::Attachment& att, const UpgradeStep& step) {
    QStringList lines;
    if (step.blockingRowsSql.isEmpty())
        return lines;
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, step.blockingRowsSql);
    db::Cursor c = s.open();
    while (c.next()) {
        QStringList fields;
        for (int i = 0; i < static_cast<int>(s.columns()->size()); ++i)
            fields << c[i].toString().trimmed();
        lines << fields.join(QStringLiteral(" | "));
    }
    c.close();
    tr.commit();
    return lines;
}

// Runs the statements in one transaction, then the filling; with a version, records it in the
// same one. Returns what the filling reports.
QStringList runInTransaction(db::Attachment& att, const QStringList& statements, int version,
                             const UpgradeStep* filling = nullptr,
                             const UpgradeProgress& progress = {}) {
    db::Transaction tr(att);
    tr.start();
    try {
        for (const QString& sql : statements) {
            db::Statement s(tr, sql);
            s.execute();
        }
        QStringList notes;
        if (filling && filling->fill)
            notes = filling->fill(tr, progress);
        if (version > 0)
            writeSchemaVersion(tr, version);
        tr.commit(); // definitions take effect here, or the commit fails
        return notes;
    } catch (...) {
        if (tr.active()) {
            try {
                tr.rollback();
            } catch (const db::Error&) {
            }
        }
        throw;
    }
}

bool definitionsInPlace(db::Attachment& att, const UpgradeStep& step) {
    if (step.definitionsDoneSql.isEmpty())
        return false;
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, step.definitionsDoneSql);
    db::Row r;
    const bool done = s.fetchOne(r);
    tr.commit();
    return done;
}

QStringList runStep(db::Attachment& att, const UpgradeStep& step, const UpgradeProgress& progress) {
    const QStringList statements = splitSqlScript(resourceText(step.script));
    if (step.dataScript.isEmpty() && !step.fill)
        return runInTransaction(att, statements, step.toVersion);
    if (!definitionsInPlace(att, step))
        runInTransaction(att, statements, 0);
    const QStringList data =
        step.dataScript.isEmpty() ? QStringList() : splitSqlScript(resourceText(step.dataScript));
    return runInTransaction(att, data, step.toVersion, &step, progress);
}

void copyFile(const QString& from, const QString& to) {
    if (QFile::exists(to))
        throw db::Error(QStringLiteral("Kopia zapasowa już istnieje: ") + to);
    if (!QFile::copy(from, to))
        throw db::Error(QStringLiteral("Nie udało się zrobić kopii zapasowej bazy danych do ") +
                        to);
}

// A second attempt within the same second (one whose step failed, run again at once) gets a
// copy of its own rather than a refusal: no copy is ever overwritten.
QString freeBackupPath(const QString& database, int fromVersion) {
    const QString path = upgradeBackupPath(database, fromVersion, false);
    QString free = path;
    for (int n = 2; QFile::exists(free); ++n)
        free = path.left(path.size() - 4) + QStringLiteral("-%1.fdb").arg(n);
    return free;
}

} // namespace

const std::vector<UpgradeStep>& upgradeSteps() {
    static const std::vector<UpgradeStep> steps = {
        {2, QStringLiteral(":/brevant/upgrade/2.sql"),
         QStringLiteral("SELECT KONTO_WL, LINIA_SALDA, COUNT(*) FROM WYCIAG "
                        "GROUP BY KONTO_WL, LINIA_SALDA HAVING COUNT(*) > 1"),
         QStringLiteral("Wyciągi bankowe zarejestrowane więcej niż raz (rachunek | saldo "
                        "początkowe | ile razy):")},
        {3,
         QStringLiteral(":/brevant/upgrade/3.sql"),
         {},
         {},
         QStringLiteral(":/brevant/odsetki.sql"),
         QStringLiteral("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'STAWKA_ODSETEK'")},
        {4, QStringLiteral(":/brevant/upgrade/4.sql"), {}, {}},
        {5,
         QStringLiteral(":/brevant/upgrade/5.sql"),
         {},
         {},
         {},
         QStringLiteral("SELECT 1 FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'ROZRACHUNEK'"),
         rozrachunki::WypelnijRozrachunki},
        {6, QStringLiteral(":/brevant/upgrade/6.sql"), {}, {}},
        {7, QStringLiteral(":/brevant/upgrade/7.sql"), {}, {}},
    };
    return steps;
}

int currentSchemaVersion() {
    const auto& steps = upgradeSteps();
    return steps.empty() ? 1 : steps.back().toVersion;
}

int schemaVersion(db::Attachment& att) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    const int v = versionIn(tr);
    tr.commit();
    return v;
}

void writeSchemaVersion(db::Transaction& tr, int version) {
    // A view rather than a table row: its definition commits or rolls back together with
    // the step's own definitions, which a row of a table made in the same step cannot.
    db::Statement s(tr, QStringLiteral("CREATE OR ALTER VIEW WERSJA_SCHEMATU (WERSJA) AS "
                                       "SELECT CAST(%1 AS INTEGER) FROM RDB$DATABASE")
                            .arg(version));
    s.execute();
}

SchemaMismatch::SchemaMismatch(const QString& database, int found, int expected)
    : std::runtime_error("schema version mismatch"), database_(database), found_(found),
      expected_(expected) {
    if (found < expected)
        message_ = QStringLiteral("Baza danych %1 pochodzi z wcześniejszej wersji programu "
                                  "(wersja schematu %2, ten program potrzebuje wersji %3).")
                       .arg(database)
                       .arg(found)
                       .arg(expected);
    else
        message_ = QStringLiteral("Baza danych %1 pochodzi z nowszej wersji programu "
                                  "(wersja schematu %2, ten program zna wersje do %3).\r"
                                  "Zainstaluj nowszą wersję programu Brevant. "
                                  "Baza danych nie została zmieniona.")
                       .arg(database)
                       .arg(found)
                       .arg(expected);
}

void checkSchemaVersion(db::Attachment& att) {
    const int v = schemaVersion(att);
    if (v != currentSchemaVersion())
        throw SchemaMismatch(att.databaseName(), v, currentSchemaVersion());
}

QString upgradeBackupPath(const QString& databasePath, int fromVersion, bool gbakFormat) {
    // Works on the server's path too, whatever its separators.
    const qsizetype slash =
        std::max(databasePath.lastIndexOf(u'/'), databasePath.lastIndexOf(u'\\'));
    const qsizetype dot = databasePath.lastIndexOf(u'.');
    const QString stem = dot > slash ? databasePath.left(dot) : databasePath;
    return stem +
           QStringLiteral("-kopia-wersja%1-%2")
               .arg(fromVersion)
               .arg(QDateTime::currentDateTime().toString(QStringLiteral("yyyyMMdd-HHmmss"))) +
           (gbakFormat ? QStringLiteral(".fbk") : QStringLiteral(".fdb"));
}

UpgradeResult upgradeDatabase(const db::ConnectionParams& params,
                              const std::vector<UpgradeStep>& steps,
                              const UpgradeProgress& progress) {
    const auto tell = [&progress](const QString& what, int done = 0, int total = 0) {
        if (progress)
            progress(what, done, total);
    };
    UpgradeResult result;
    const int target = steps.empty() ? 1 : steps.back().toVersion;
    auto att = std::make_unique<db::Attachment>(params);
    result.from = schemaVersion(*att);
    result.to = result.from;
    if (result.from > target)
        throw UpgradeRefused(SchemaMismatch(params.database, result.from, target).message());
    const auto server = db::splitServerPath(params.database);
    for (const UpgradeStep& step : steps) {
        if (step.toVersion <= result.to)
            continue;
        const QStringList rows = blockingRows(*att, step);
        if (!rows.isEmpty()) {
            constexpr int shown = 50;
            QString text = QStringLiteral("Nie można zaktualizować bazy danych %1 do wersji %2.\r")
                               .arg(params.database)
                               .arg(step.toVersion) +
                           step.blockingRowsTitle + u'\r' + rows.mid(0, shown).join(u'\r');
            if (rows.size() > shown)
                text += QStringLiteral("\r… i %1 więcej").arg(rows.size() - shown);
            text += QStringLiteral("\rPopraw te dane i uruchom aktualizację ponownie. "
                                   "Baza danych nie została zmieniona.");
            throw UpgradeRefused(text);
        }
        if (result.backup.isEmpty()) {
            tell(QStringLiteral("Kopia zapasowa bazy danych przed aktualizacją…"));
            if (server) {
                result.backup = upgradeBackupPath(server->path, result.from, true);
                db::backupThroughServer(params, result.backup);
            } else {
                // The embedded engine holds the file while attached: copy it closed.
                att.reset();
                result.backup = freeBackupPath(params.database, result.from);
                copyFile(params.database, result.backup);
                att = std::make_unique<db::Attachment>(params);
            }
        }
        tell(QStringLiteral("Aktualizacja do wersji %1…").arg(step.toVersion));
        result.notes << runStep(*att, step, progress);
        result.steps << QStringLiteral("%1 → %2").arg(result.to).arg(step.toVersion);
        result.to = step.toVersion;
    }
    return result;
}

#include "Commands.h"

#include "SchemaVersion.h"

namespace cli {

// Brings an older database to the program's schema version, step by step, after a backup
// beside it. Refuses (exit 2) a newer database and data a step cannot keep.
int upgradeDb(Args args) {
    const db::ConnectionParams params = connectionFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("unexpected argument");
    UpgradeResult r;
    try {
        r = upgradeDatabase(params);
    } catch (const UpgradeRefused& e) {
        throw Refused(e.message());
    }
    if (r.steps.isEmpty()) {
        out(QStringLiteral("Baza danych %1 jest aktualna (wersja schematu %2).")
                .arg(params.database)
                .arg(r.to));
        return ExitOk;
    }
    out(QStringLiteral("Kopia zapasowa: ") + r.backup);
    for (const QString& step : r.steps)
        out(QStringLiteral("Wykonano aktualizację schematu ") + step);
    for (const QString& note : r.notes)
        out(note);
    out(QStringLiteral("Baza danych %1 ma teraz wersję schematu %2.")
            .arg(params.database)
            .arg(r.to));
    return ExitOk;
}

} // namespace cli

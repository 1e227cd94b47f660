#include "Commands.h"

#include "SchemaVersion.h"

#include <QElapsedTimer>

namespace cli {

namespace {

// Says on standard error what the upgrade is doing: each new stage at once, and how far a
// counted stage is every few seconds, so a long upgrade is seen to be alive.
class PostepNaKonsoli {
public:
    void operator()(const QString& what, int done, int total) {
        const bool nowy = what != etap_;
        if (!nowy && (!zegar_.isValid() || zegar_.elapsed() < 5000) && done != total)
            return;
        etap_ = what;
        zegar_.restart();
        err(total > 0 ? QStringLiteral("%1 %2 z %3 (%4%)")
                            .arg(what)
                            .arg(done)
                            .arg(total)
                            .arg(static_cast<int>(100LL * done / total))
                      : what);
    }

private:
    QString etap_;
    QElapsedTimer zegar_;
};

} // namespace

// Brings an older database to the program's schema version, step by step, after a backup
// beside it. Refuses (exit 2) a newer database and data a step cannot keep.
int upgradeDb(Args args) {
    const db::ConnectionParams params = connectionFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("unexpected argument");
    UpgradeResult r;
    try {
        r = upgradeDatabase(params, upgradeSteps(), PostepNaKonsoli());
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

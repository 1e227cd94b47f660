#include "Commands.h"

#include "Globals.h"
#include "Przeksiegowanie.h"
#include "fdm.h"

namespace cli {

namespace {
int identyfikator(const QString& tekst, const QString& czego) {
    bool ok = false;
    const int id = tekst.trimmed().toInt(&ok);
    if (!ok || id <= 0)
        throw Refused(QStringLiteral("Identyfikator %1 musi być liczbą dodatnią: ").arg(czego) +
                      tekst);
    return id;
}
} // namespace

// Moves a payment read from a bank statement to another contractor, as the re-booking
// dialog does after its question.
int rebook(Args args) {
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (pos.size() != 2)
        throw UsageError("expected a transaction and a contractor identifier");
    const int wpisId = identyfikator(pos[0], QStringLiteral("transakcji"));
    const int klientId = identyfikator(pos[1], QStringLiteral("kontrahenta"));

    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    WynikPrzeksiegowania w;
    try {
        w = Przeksieguj(data.conn, wpisId, klientId);
    } catch (const PrzeksiegowanieOdmowa& e) {
        throw Refused(e.komunikat());
    }
    out(QStringLiteral("Przeksięgowano transakcję %1 z kontrahenta %2 na kontrahenta %3.")
            .arg(wpisId)
            .arg(w.staryKlientId)
            .arg(w.nowyKlientId));
    data.closeConnection();
    dm = nullptr;
    return ExitOk;
}

} // namespace cli

#pragma once

#include "Date.h"
#include "IdCounter.h"
#include "Money.h"
#include "Statement.h"
#include "Transaction.h"

#include <QHash>
#include <QString>

#include <memory>
#include <optional>

namespace db {
class Attachment;
}

// Takes the booking lock in a started transaction: booking runs and other writes of amounts
// and links of one database, on any workstation, take turns; after the call the transaction
// sees everything the ones before it committed. May restart the transaction (nothing is
// written before the lock). Held until the transaction ends: take it only once nobody waits
// for a person.
void ZablokujKsiegowanie(db::Transaction& tr);

// The booking module: one transaction in which a booking run reads and writes contractors,
// accounts, ledger rows and statements; everything it writes commits together, and its
// reads see its own writes. Lookups are indexed queries, so a run's cost does not grow with
// the size of the ledger.
class Tks {
public:
    struct KontoRow {
        int wpisId = 0;
        int klientId = 0;
        QString krKonto;
        QString nrKonto;
        QString pomijaj;
    };
    struct KlientRow {
        int klientId = 0;
        QString nazwa;
        QString adres;
        QString krNip;
        QString nrNip;
    };
    struct TransRow {
        int klientId = 0;
        QString nazwaKl; // null when empty and nazwaKlNull
        bool nazwaKlNull = true;
        QString zrodlo;
        Date dataTr;
        QString opisTr;
        std::optional<Money> doZaplaty;
        std::optional<Money> zaplacono;
        QString krKonto;
        QString nrKonto;
        QString nrWyciagu;
        // An invoice's identity apart from its description, and its due date; none for other
        // rows (an amount due without a due date gets the contractor's term from the
        // database).
        QString nrFaktury;
        QString nrKlucz;
        QString nipNabywcy;
        QString plik;
        std::optional<Date> termin;
    };

    explicit Tks(db::Attachment& att);
    ~Tks();

    db::Transaction trKsiegow;

    // Starts the run's transaction (committing one left active), forgets cached statements,
    // and takes the booking lock: runs of one database, on any workstation, take turns, and
    // each sees, after the lock, everything the runs before it committed. Checks of what was
    // booked before belong after this call.
    void start();
    void commit();
    void rollback(); // quiet: a run that failed ends here whatever the connection's state
    bool active() const { return trKsiegow.active(); }

    // Identifiers for the run: reserved from the counter in blocks, each block one short
    // transaction of its own. Unused numbers are gaps and are never handed out again.
    void reserveIds(int count);
    int nextId();

    // A statement prepared once per run.
    db::Statement& stmt(const QString& sql);

    std::optional<KlientRow> klientById(int klientId);

    void insertKlient(const KlientRow& k);
    void insertKonto(const KontoRow& k);
    void insertTrans(int wpisId, const TransRow& t);
    void insertWyciag(int wpisId, const QString& kontoWl, const QString& liniaSalda);

private:
    IdCounter counter_;
    int nextFree_ = 0;
    int blockEnd_ = 0; // one past the last reserved identifier
    QHash<QString, std::shared_ptr<db::Statement>> statements_;
};

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
        int importId = 0; // the import that books the row; 0 for none
    };

    explicit Tks(db::Attachment& att);
    ~Tks();

    db::Transaction trKsiegow;

    // Starts the run's transaction (committing one left active), forgets cached statements,
    // and takes the booking lock: runs of one database, on any workstation, take turns, and
    // each sees, after the lock, everything the runs before it committed. Checks of what was
    // booked before belong after this call. BlokadaZajeta when another workstation keeps the
    // lock past the wait limit (nothing is started then).
    void start();
    void commit();
    void rollback(); // quiet: a run that failed ends here whatever the connection's state
    bool active() const { return trKsiegow.active(); }
    db::Attachment& attachment() const { return trKsiegow.attachment(); }

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
    // The statement's registration: what the already-imported check looks for, and what the
    // import history shows (booked now, by the logged-in operator).
    struct WyciagRow {
        int wpisId = 0;
        QString kontoWl;
        QString liniaSalda;
        QString nrWyciagu;
        QString plik;
    };
    void insertWyciag(const WyciagRow& w);

private:
    IdCounter counter_;
    int nextFree_ = 0;
    int blockEnd_ = 0; // one past the last reserved identifier
    QHash<QString, std::shared_ptr<db::Statement>> statements_;
};

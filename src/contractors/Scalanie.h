#pragma once

#include "Transaction.h"

#include <QString>

namespace db {
class Attachment;
}

// The merge of two records of one contractor: the accounts and transactions of the other
// contractor move to the kept one, and the other contractor is deleted. It runs in a
// transaction of its own, apart from the data module's lists.
class TScalanie {
public:
    explicit TScalanie(db::Attachment& conn);

    // Moves everything of subKlientId to mainKlientId and deletes subKlientId, all in one
    // transaction: true when it committed; false when any statement or the commit failed,
    // and then nothing of the merge remains (the error text is in blad()). It takes turns with
    // booking runs: BlokadaZajeta (nothing done) when another workstation keeps the booking
    // lock past the wait limit.
    bool LaczFirmyOK(int mainKlientId, int subKlientId);
    // Executes one statement in the merge's transaction.
    void ExecuteSQL(const QString& sql);
    const QString& blad() const { return blad_; }

private:
    // Read committed without record versions: rows other workstations committed meanwhile
    // move too, and a row another one is writing for either contractor makes the merge wait
    // for it instead of leaving it behind.
    db::Transaction tr_;
    QString blad_;
};

// Why the command line refuses to merge two identifiers, or empty text when it may.
QString SprawdzScalenie(db::Attachment& conn, int mainKlientId, int subKlientId);

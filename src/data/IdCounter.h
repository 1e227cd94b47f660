#pragma once

#include "Transaction.h"

namespace db {
class Attachment;
}

// Hands out identifiers from the single GENER counter. Each allocation commits in a
// transaction of its own, so an identifier is used up even when the caller's insert fails.
// Several workstations allocating at once wait for each other and all get distinct values.
class IdCounter {
public:
    explicit IdCounter(db::Attachment& att);
    // The next identifier. Errors reach the caller: a failed allocation hands out nothing.
    int next() { return reserve(1); }
    // Reserves count consecutive identifiers in one step; returns the first.
    int reserve(int count);

private:
    db::Transaction tr_;
};

#pragma once

#include <QString>
#include <QStringList>

#include <functional>

namespace db {
class Transaction;
}

namespace rozrachunki {

// The data of the schema version that brought open items, for a ledger booked before it:
// each invoice row's number (from what its description holds), buyer (its contractor's tax
// number) and due date (issue date plus the default term), each row's remainder, the default
// settings; then every payment linked by the rules a new booking follows (numbers in titles,
// then oldest due first). Returns the lines that tell the user what was linked; tells how far
// it is, contractor by contractor (a ledger of a million rows takes minutes).
// (The upgrade's progress type, spelt out: this library sits below the data layer.)
QStringList WypelnijRozrachunki(db::Transaction& tr,
                                const std::function<void(const QString&, int, int)>& postep = {});

} // namespace rozrachunki

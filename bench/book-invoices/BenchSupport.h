#pragma once

#include <QHash>
#include <QString>

#include <vector>

struct recFaktura;

namespace db {
class Attachment;
}

// What the invoice benchmarks share.
long peakKb(); // the process's peak resident memory (Linux)
// A new database holding buyers 0..buyers-1 of the generators; their identifiers by tax number.
QHash<QString, int> prepareDatabase(db::Attachment& att, const QString& path, int buyers);
// Inserts the invoices plainly into a new database at path (a prepared statement, the buyers
// known in memory): the floor a booking run is measured against. Returns the insert's time (ms).
qint64 plainInsertMs(const QString& path, int buyers, const std::vector<recFaktura>& rows);

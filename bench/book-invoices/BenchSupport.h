#pragma once

#include <QHash>
#include <QString>

namespace db {
class Attachment;
}

// What the invoice benchmarks share.
long peakKb(); // the process's peak resident memory (Linux)
// A new database holding buyers 0..buyers-1 of the generators; their identifiers by tax number.
QHash<QString, int> prepareDatabase(db::Attachment& att, const QString& path, int buyers);

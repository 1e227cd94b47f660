#pragma once

#include <QString>
#include <QStringList>

namespace db {
class Attachment;
}

// Saves fetched account numbers, in order, for the contractor with this tax number; a number
// some contractor already has is skipped. The number of accounts added.
int ZapiszKonta(db::Attachment& att, const QString& nip, const QStringList& konta);

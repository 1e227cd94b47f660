#pragma once

#include <QString>

namespace db {
class Attachment;
}

// Writes whose "is it there yet?" check and insert must not interleave with another
// workstation's. Each runs in one transaction that first takes the identifier counter's row
// lock (and its next identifier), so two such writes run one after the other and the later
// one sees what the earlier committed. Database errors reach the caller.

// Adds the account (country code "PL", not skipped) to the first contractor, in name order,
// with exactly this tax number, unless some contractor has the number already or no
// contractor has the tax number. True when it was added.
bool DopiszKontoPodBlokada(db::Attachment& att, const QString& nip, const QString& konto);

// Adds a contractor unless one with exactly this tax number exists; its identifier, or 0.
int DopiszKlientaPodBlokada(db::Attachment& att, const QString& krNip, const QString& nip,
                            const QString& nazwa, const QString& adres);

#pragma once

#include <QString>

namespace db {
class Attachment;
}

// Writes whose "is it there yet?" check and insert must not interleave with another
// workstation's, nor with a booking run's. Each runs in one short transaction that first takes
// the booking lock (BlokadaZajeta when another workstation keeps it past the wait limit), so
// such writes and booking runs take turns and each sees what the one before it committed.
// Database errors reach the caller.

struct WynikDopisaniaKonta {
    enum class Stan {
        Dodano,       // added to the contractor
        JestUKlienta, // the account is registered already (klientId: its contractor)
        BrakKlienta   // no contractor has the tax number
    };
    Stan stan = Stan::BrakKlienta;
    int klientId = 0;
};

// Adds a Polish account (a "PL" prefix in the number is the prefix; stored as "PL" and the
// digits, not skipped) to the first contractor, in name order, with this tax number (letter
// case ignored), unless the account is registered already for any contractor, "PL" and no
// prefix counting as the same account. The one path by which an account is added for a tax
// number.
WynikDopisaniaKonta DopiszKontoKlienta(db::Attachment& att, const QString& nip,
                                       const QString& konto);
// The same for the contractor klientId (BrakKlienta when it is gone).
WynikDopisaniaKonta DopiszKontoKlientowi(db::Attachment& att, int klientId, const QString& konto);
// The same; true when it was added.
bool DopiszKontoPodBlokada(db::Attachment& att, const QString& nip, const QString& konto);

// Adds a contractor unless one with this tax number (letter case ignored) exists; its
// identifier, or 0.
int DopiszKlientaPodBlokada(db::Attachment& att, const QString& krNip, const QString& nip,
                            const QString& nazwa, const QString& adres);

#pragma once

namespace db {
class Attachment;
class Transaction;
} // namespace db

namespace rozrachunki {

// The company's open-item settings, one row shared by every workstation.
struct Ustawienia {
    // Days from an invoice's issue to its due date when the contractor has no term of its own.
    int terminDni = 14;
    // A payment that names no invoice pays the oldest due ones first, and a credit left over
    // pays the next invoice; off, only invoices a title names are linked without the user.
    bool najstarszeNajpierw = true;
    bool operator==(const Ustawienia&) const = default;
};

inline constexpr int MaxTerminDni = 3650;

// The settings as the transaction sees them; the defaults when the row is missing.
Ustawienia CzytajUstawienia(db::Transaction& tr);
// Writes the settings and commits, in a transaction of its own. Errors reach the caller.
void ZapiszUstawienia(db::Attachment& conn, const Ustawienia& u);

} // namespace rozrachunki

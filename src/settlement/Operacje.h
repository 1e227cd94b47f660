#pragma once

#include <QString>

class Tdm;

// The dictionary of transaction descriptions (OPERACJA), whose texts the transaction
// dialog offers.
namespace operacje {

inline constexpr int MaxDlugoscOpisu = 80; // OPERACJA.OPIS

// Validates and saves a description in the data module's dictionary list: a new row, or
// the correction of row aktWpisId. Commits retaining. Returns the warning that refused it, or
// empty text. Database errors reach the caller.
QString ZapiszOpis(Tdm& dm, bool nowyWpis, int aktWpisId, const QString& opis);

// Deletes the current description of the dictionary list and commits retaining. Ledger
// rows that use its text keep it.
void UsunOpis(Tdm& dm);

// The dictionary's texts in its order, for the description drop-down; empty when it failed
// to open (the data module has said so).
bool WczytajOpisy(Tdm& dm, QStringList& opisy);

// A window on the dictionary closes: its reading transaction ends.
void ZakonczOdczyt(Tdm& dm);

} // namespace operacje

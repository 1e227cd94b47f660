#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

#include <optional>
#include <vector>

namespace db {
class Attachment;
class Row;
class Value;
} // namespace db
class Tdm;

// Where a ledger row came from, by its ZRODLO: an invoice file ("F"), a bank statement ("W")
// or the user ("U").
enum class TRodzTrans { rtFaktura, rtPrzelew, rtWpisUzyt };
TRodzTrans RodzajTransakcji(const QString& zrodlo);

// OPIS_TR holds no more; the description box takes no more, so nothing is cut on saving.
inline constexpr int MaxDlugoscOpisuTrans = 140;

// What the transaction dialog shows for a row it corrects.
struct PolaTransakcji {
    TRodzTrans rodzaj = TRodzTrans::rtWpisUzyt;
    bool naleznosc = false; // "Należność" selected, else "Zapłata"
    bool edytowalne = true; // kind, date and amount may be changed
    Date data;
    Money kwota;
    QString opis;
};
PolaTransakcji PolaZWiersza(const db::Row& wiersz);

// What the user entered in the transaction dialog.
struct DaneTransakcji {
    bool nowyWpis = true;
    TRodzTrans rodzaj = TRodzTrans::rtWpisUzyt;
    int klientId = 0; // the contractor a new row is booked to
    int wpisId = 0;   // the row corrected
    bool naleznosc = false;
    Date data; // the zero date: none given
    Money kwota;
    QString bladKwoty; // why the amount box could not be read; empty when it was
    QString opis;
};

// The first warning that refuses the entry, in the dialog's order; empty when it may be saved.
// A payment entered by hand must be above zero: a refund to the contractor is an amount due.
QString SprawdzTransakcje(const DaneTransakcji& dane);

// Validates and saves: a new row ("U") or the correction of row dane.wpisId of contractor
// dane.klientId; invoice and statement rows keep their date and amounts. The write commits
// in a short transaction of its own that sees what other workstations committed (the balance
// triggers then add to the latest balance, never conflict with a booking made since the list
// was read); the data module's transaction list is then read again and stands on the row.
// Returns the warning that refused the save, or empty text. Database errors reach the caller,
// with nothing written.
QString ZapiszTransakcje(Tdm& dm, const DaneTransakcji& dane);

// Runs one statement that must change exactly one ledger row, in a transaction of its own,
// and commits; a row gone or moved meanwhile is an error and nothing is written.
void ZapiszWiersz(db::Attachment& conn, const QString& sql, const std::vector<db::Value>& params);

// The date typed as DD-MM-YYYY; the zero date for an empty or impossible date.
Date DataZTekstu(const QString& tekst);

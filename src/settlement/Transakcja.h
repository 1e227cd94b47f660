#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

#include <optional>

namespace db {
class Row;
}
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
    QString opis;
};

// The first warning that refuses the entry, in the dialog's order; empty when it may be saved.
QString SprawdzTransakcje(const DaneTransakcji& dane);

// Validates and saves in the data module's transaction list: a new row ("U") or the
// correction of row dane.wpisId of contractor dane.klientId; invoice and statement rows keep
// their date and amounts. Commits retaining. Returns the warning that refused the save, or
// empty text. Database errors reach the caller, with nothing committed by this save.
QString ZapiszTransakcje(Tdm& dm, const DaneTransakcji& dane);

// The amount typed in the amount box: digits with an optional sign, blanks between thousands
// and a decimal comma or full stop ("1 234,50"). An empty box is 0; nothing for other text.
std::optional<Money> KwotaZTekstu(const QString& tekst);
// The date typed as DD-MM-YYYY; the zero date for an empty or impossible date.
Date DataZTekstu(const QString& tekst);

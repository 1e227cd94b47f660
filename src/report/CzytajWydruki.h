#pragma once

#include "DaneWydrukow.h"

#include <QDate>
#include <QString>

#include <variant>

class Tdm;

// Reads what a printout prints from the data module's receipt query and lists.
namespace wydruk {

// The receipt of a ledger row, or the Polish reason it gets none: only a payment greater
// than 0 entered by the user has a receipt.
std::variant<DaneDowodu, QString> czytajDowod(Tdm& dm, int wpisId);
// The debtors or overpayments list as its tab shows it. Throws when it cannot be read.
DaneListy czytajListe(Tdm& dm, RodzajListy rodzaj);
// The ageing of the whole ledger as of the day. Database errors reach the caller.
DaneWiekowania czytajWiekowanie(Tdm& dm, const QDate& naDzien);

} // namespace wydruk

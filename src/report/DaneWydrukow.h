#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

#include <vector>

// What the printouts print: plain values, read from the database by their callers.
namespace wydruk {

// The payment receipt: one ledger row and its contractor.
struct DaneDowodu {
    int wpisId = 0;
    int klientId = 0;
    QString nazwa;   // contractor's name
    QString opis;    // description of the transaction
    Money zaplacono; // the amount paid
    QString slownie; // the amount in words
    QDate dataWydruku;
};

// One row of the debtors or overpayments list.
struct WierszSalda {
    QString nazwa;
    Money saldo;
};

enum class RodzajListy { Dluznicy, Nadplaty };

struct DaneListy {
    RodzajListy rodzaj = RodzajListy::Dluznicy;
    std::vector<WierszSalda> wiersze;
    QDate dataWydruku;
    QString firma; // the company's name over every page; empty when its details are not set
};

// The title and the amount column's heading of each list.
QString tytulListy(RodzajListy rodzaj);
QString naglowekKwoty(RodzajListy rodzaj);
// A row's amount as the list prints it ("# ##0.00" for debtors, "%2.2n" for overpayments).
QString kwotaWiersza(RodzajListy rodzaj, Money saldo);
Money suma(const DaneListy& lista);

} // namespace wydruk

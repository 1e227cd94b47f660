#pragma once

#include "Money.h"
#include "Wiekowanie.h"

#include <QDate>
#include <QString>
#include <QStringList>

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

// Debtors ("Należności"), overpayments ("Nadpłaty") and every contractor's balance
// ("Zestawienie", an overpayment negative).
enum class RodzajListy { Dluznicy, Nadplaty, Zestawienie };

// What every printed list says above its rows: whose books they are and as of which day.
struct NaglowekListy {
    QString firma;     // the company's name; no line for it while it is empty
    QDate stanNaDzien; // the day the list was read: "Stan na dzień dd.mm.yyyy r."
};

struct DaneListy {
    RodzajListy rodzaj = RodzajListy::Dluznicy;
    std::vector<WierszSalda> wiersze;
    QDate dataWydruku;
    QString firma; // the company's name over the list; empty when its details are not set
    NaglowekListy naglowek() const { return {firma, dataWydruku}; }
};

// A run's report printed as it stands, a line a row (the import windows' "Raport").
struct DaneRaportu {
    QString tytul;
    QStringList wiersze;
    QDate dataWydruku;
    QString firma;
    NaglowekListy naglowek() const { return {firma, dataWydruku}; }
};

// The ageing of receivables as of a day, with the company it is printed for.
struct DaneWiekowania {
    rozrachunki::Wiekowanie wiekowanie;
    QString firma; // the company's name over the first page; empty when its details are not set
    QDate dataWydruku;
};

// The title and the amount column's heading of each list.
QString tytulListy(RodzajListy rodzaj);
QString naglowekKwoty(RodzajListy rodzaj);
// "Stan na dzień dd.mm.yyyy r."
QString stanNaDzien(const QDate& dzien);
// A row's amount as the list prints it: every thousand grouped, on both lists alike.
QString kwotaWiersza(RodzajListy rodzaj, Money saldo);
Money suma(const DaneListy& lista);

} // namespace wydruk

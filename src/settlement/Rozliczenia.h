#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class Dataset;
class QLocale;
class Tdm;

// The rules of the settlement browser, apart from its window.

// An amount in the currency format of the locale: separators, two decimals and the
// currency symbol where the locale puts it ("1 234,50 zł").
QString FormatWaluty(Money kwota, const QLocale& locale);
QString FormatWaluty(Money kwota);
// An amount as the "Należności" and "Nadpłaty" lists show it: "# ##0.00", a blank between
// thousands and the locale's decimal separator.
QString FormatListy(Money kwota, const QLocale& locale);
QString FormatListy(Money kwota);

// The status line under the transactions: " Do zapłaty: %m" for a balance of zero or more,
// " Nadpłata: %m" with the absolute value otherwise.
QString LiniaSalda(Money saldo);
// The status line of "Zestawienie" for the grand total of all contractors.
QString LiniaZestawienia(Money suma);

// Which of the five transaction buttons may be pressed.
struct PrzyciskiRozliczen {
    bool dopisz = false;
    bool popraw = false;
    bool usun = false;
    bool drukuj = false;
    bool przeksieguj = false;
    bool operator==(const PrzyciskiRozliczen&) const = default;
};
// The enabling rules by the contractor list and the current contractor's transactions.
PrzyciskiRozliczen UpdateBtns(const Dataset& klient, const Dataset& transKL);

// The sum of the SALDO column of every row of a list ("Zestawienie"'s grand total).
Money SumaSald(const Dataset& salda);

// One row of "Zestawienie", "Należności" or "Nadpłaty": a contractor name (contractors of
// the same name are one row) and its amount.
struct WierszSalda {
    QString nazwa;
    Money kwota;
};
enum class RodzajListy { Zestawienie, Naleznosci, Nadplaty };
// The rows a list dataset holds, in its order (the tab's order).
std::vector<WierszSalda> WierszeListy(const Dataset& lista);
// Reopens the data module's list behind the tab and returns its rows: "Zestawienie"
// (Salda), "Należności" (Dluznicy) or "Nadpłaty" (Nadplaty). Empty when it failed to open.
std::vector<WierszSalda> CzytajListe(Tdm& dm, RodzajListy rodzaj);

// One ledger row with its contractor, as a payment receipt prints it (the receipt is dated
// the day it is printed).
struct DowodWplaty {
    int wpisId = 0;
    int klientId = 0;
    QString nazwa; // of the contractor
    QString opis;  // OPIS_TR
    std::optional<Money> zaplacono;
    QString slownie; // the paid amount in words; empty when nothing was paid
};
// Reads the row WPISID = wpisId through the data module's receipt query; nothing when the
// row is gone.
std::optional<DowodWplaty> CzytajDowodWplaty(Tdm& dm, int wpisId);

// The current contractor's KLIENTID; 0 when the contractor list is empty or closed.
int BiezacyKlientId(const Tdm& dm);
// Reopens the transaction list for the current contractor (when the contractor list is open).
void UpdateTrans(Tdm& dm);
// The balance line of the current contractor (a zero balance for an empty register; none
// chosen in a register that is not empty says so).
QString LiniaSaldaBiezacego(Tdm& dm);
// Reopens the transaction list of the current transaction's contractor and returns to that
// transaction; nothing when there is no current transaction.
void RefreshTrans(Tdm& dm);
// Deletes the current transaction in a short transaction of its own and commits. The row
// must still belong to the contractor it was read for; database errors reach the caller.
void UsunTransakcje(Tdm& dm);
// The name of contractor klientId; nothing when there is no such contractor. Database errors
// reach the caller.
std::optional<QString> NazwaKlienta(Tdm& dm, int klientId);

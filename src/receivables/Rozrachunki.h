#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

#include <vector>

namespace db {
class Attachment;
class Transaction;
} // namespace db

// One contractor's open items as of a day: what is left of each amount due, which payments
// paid it and when, and what of each payment is not yet allocated. What the "Rozrachunki"
// tab, `open-items` and the documents of debt collection show.
//
// As of a day: only rows dated up to that day count, and a link counts only when both its
// rows are (a payment made later has not paid the invoice yet on that day; a credit met an
// invoice on the later of their days).
namespace rozrachunki {

// A link as one of its rows sees it: the other row and the amount allocated between them.
struct Rozliczenie {
    int wpisId = 0; // the other row
    Date data;      // the other row's day: a payment's date for an invoice
    QString opis;   // the other row's invoice number or title
    Money kwota;
    bool reczne = false;  // made by the user
    bool korekta = false; // the other row is a correction
};

// A ledger row as an open item.
struct Pozycja {
    int wpisId = 0;
    QString zrodlo;       // "F" invoice file, "W" bank statement, "U" entered by hand
    QString numer;        // the invoice number as booked; empty for rows without one
    QString opis;         // the row's description (title of a payment)
    Date data;            // issue date of an invoice, date of a payment
    Date termin;          // due date of an amount due; zero for a credit
    Money kwota;          // the row's amount, positive on both sides
    bool korekta = false; // a credit that lowers an amount due (a correction), not a payment
    Money rozliczono;
    std::vector<Rozliczenie> rozliczenia; // oldest first

    Money pozostalo() const { return kwota - rozliczono; }
    // What the row is called in lists: its invoice number, else its description.
    QString nazwa() const { return numer.isEmpty() ? opis : numer; }
};

struct StanRozrachunkow {
    int klientId = 0;
    Date naDzien;
    std::vector<Pozycja> naleznosci; // amounts due, in the order they fall due
    std::vector<Pozycja> zaplaty;    // payments and corrections, oldest first

    // Left to pay of all amounts due, and the credits not allocated to any: the balance as
    // of the day is their difference.
    Money pozostaloDoZaplaty() const;
    Money nierozliczone() const;
};

// Days from the due date to the day, 0 when it is not past due.
int DniPoTerminie(const Date& termin, const Date& naDzien);

// Reads the contractor's rows and links in the caller's transaction.
StanRozrachunkow CzytajStan(db::Transaction& tr, int klientId, const Date& naDzien);

// The user's own links, each in a short transaction of its own that takes turns with the
// booking runs of every workstation (the amounts were asked for before). Each returns the
// reason it was refused, in Polish, or empty text when it was done.
QString PolaczRecznie(db::Attachment& conn, int naleznosc, int zaplata, Money kwota);
QString OdlaczRecznie(db::Attachment& conn, int naleznosc, int zaplata);
// Links the contractor's open credits by the automatic rules; the number of links made.
int DopasujKlienta(db::Attachment& conn, int klientId);

} // namespace rozrachunki

#pragma once

#include "Money.h"

#include <QDateTime>
#include <QString>
#include <QStringList>

#include <stdexcept>
#include <utility>
#include <vector>

namespace db {
class Attachment;
}

// The history of imports and their undoing: a statement booked from the wrong file, an
// invoice file of the wrong company. Undoing removes every ledger row the import booked, in
// one transaction under the booking lock, and frees its registration so that a corrected file
// can be booked; contractors and accounts the import added stay. It is refused, with the list
// of rows, when any of them was corrected, moved to another contractor or merged since.
namespace cofniecie {

enum class Rodzaj { Wyciag, Faktury };

// One import of the history.
struct Wpis {
    int id = 0;             // WYCIAG.WPISID, or IMPORT_FAKTUR.IMPORTID
    QDateTime zaksiegowano; // invalid for a statement booked before imports were recorded
    QString nrWyciagu;      // statements
    QString konto;          // statements: the own account
    QString plik;           // the file (statements: when known)
    QString operatorNazwa;
    int wierszy = 0; // ledger rows it booked that are still there
    Money kwota;     // their sum
    bool moznaCofnac() const { return zaksiegowano.isValid(); }
};

// The imports of a kind, newest first (at most `ile`).
std::vector<Wpis> Historia(db::Attachment& att, Rodzaj rodzaj, int ile = 500);

// The undoing was refused; nothing was changed. `wiersze` lists the rows that stop it.
class Odmowa : public std::runtime_error {
public:
    Odmowa(const QString& komunikat, QStringList wiersze = {});
    const QString& komunikat() const { return komunikat_; }
    const QStringList& wiersze() const { return wiersze_; }
    // The message with the rows, as the user is shown it ("\r" between lines).
    QString pelny() const;

private:
    QString komunikat_;
    QStringList wiersze_;
};

struct Wynik {
    int usunieto = 0; // ledger rows removed
    Money kwota;      // their sum (amounts due and paid together)
    QStringList opis; // what was undone, a line per import
};

// Undoes the statement registered as `wpisId`. Odmowa when there is no such registration,
// when it was booked before imports were recorded, or when one of its payments was changed
// since; BlokadaZajeta when another workstation keeps the booking lock past the limit.
Wynik CofnijWyciag(db::Attachment& att, int wpisId);
// Undoes the given bookings of invoice files together, in one transaction (the same refusals).
Wynik CofnijFaktury(db::Attachment& att, const std::vector<int>& importy);

// The bookings of an invoice file (identifier and path as recorded): the path as given (made
// absolute), else, when no booking has that path, the bookings whose file has the same name
// in any folder (the caller refuses several different paths). Empty when none.
std::vector<std::pair<int, QString>> ImportyPliku(db::Attachment& att, const QString& plik);

} // namespace cofniecie

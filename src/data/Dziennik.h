#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>
#include <QTime>

#include <optional>
#include <vector>

namespace db {
class Attachment;
class Transaction;
} // namespace db

// The change log ("Dziennik zmian"): the database writes an entry for every correction,
// deletion, re-booking and merge of ledger rows, contractors and bank accounts, in the same
// transaction as the change (triggers of TRANS, KLIENT and KONTO). The program tells it who
// works (for the whole connection) and, where the change alone does not say it, what kind of
// operation a transaction performs.
namespace dziennik {

// Kinds the program names; the database names the others by what changed ("Usunięcie",
// "Korekta", "Przeksięgowanie").
inline const QString UsuniecieKontrahenta = QStringLiteral("Usunięcie kontrahenta");
inline const QString Scalenie = QStringLiteral("Scalenie kontrahentów");
inline const QString KorektaNazw = QStringLiteral("Korekta nazw z pliku faktur");
inline const QString CofniecieImportu = QStringLiteral("Cofnięcie importu");

// The operator every entry of this connection names from now on (the logged-in operator;
// the command line names itself and the system user).
void UstawOperatora(db::Attachment& conn, const QString& nazwa);
// The kind of operation the entries written by this (started) transaction carry.
void UstawRodzaj(db::Transaction& tr, const QString& rodzaj);

// One side (before or after) of a logged change.
struct StronaZmiany {
    std::optional<int> klientId;
    QString klient; // the contractor's name then
    std::optional<Date> data;
    std::optional<Money> doZaplaty, zaplacono;
    QString opis; // the description; a contractor's or an account's details
};

// One entry of the change log.
struct WpisDziennika {
    qint64 id = 0;
    Date dzien;
    QTime czas;
    QString operatorNazwa;
    QString rodzaj; // "Usunięcie", "Korekta", "Przeksięgowanie", "Scalenie kontrahentów", ...
    QString obiekt; // "Transakcja", "Kontrahent", "Rachunek"
    int obiektId = 0;
    QString zrodlo; // of a ledger row: "F", "W", "U"
    StronaZmiany przed;
    std::optional<StronaZmiany> po; // none for a deletion
};

// The entries from the day `od` to the day `doDnia` (either open), oldest first, in a
// transaction of their own. Database errors reach the caller.
std::vector<WpisDziennika> CzytajDziennik(db::Attachment& conn, std::optional<Date> od,
                                          std::optional<Date> doDnia = std::nullopt);

// How the log shows an entry: what changed ("Transakcja 12 (faktura)"), whose it is ("Alfa" or
// "Alfa → Beta"), and the values before and after, changed ones as "przed → po".
QString OpisObiektu(const WpisDziennika& w);
QString OpisKontrahenta(const WpisDziennika& w);
QString OpisZmiany(const WpisDziennika& w);

} // namespace dziennik

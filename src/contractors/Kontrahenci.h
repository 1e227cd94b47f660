#pragma once

#include "Money.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

class Dataset;
class Tdm;

// The rules of the contractor register and its two edit dialogs, apart from the windows:
// the windows read their controls, call these and show what comes back.
namespace kontrahenci {

inline const QString BlednyNip = QStringLiteral("Błędny numer identyfikacyjny VAT.");
inline const QString NipPowtorzony = QStringLiteral(
    "Kontrahent o podanym numerze identyfikacyjnym VAT\rznajduje się już w wykazie.");
inline const QString BlednyKodKraju = QStringLiteral("Nieprawidłowy kod kraju. ");
inline const QString BrakNumeruKonta = QStringLiteral("Numer rachunku bankowego nie podany. ");
inline const QString BlednyNumerKontaZgrubnie = QStringLiteral("Błędny numer rachunku bankowego. ");
inline const QString BlednyNumerKonta = QStringLiteral("Błędny numer rachunku bankowego.");
inline const QString BlednyTermin =
    QStringLiteral("Termin płatności to liczba dni od 0 do 3650 (puste: termin domyślny firmy).");
inline const QString KontoPowtorzone =
    QStringLiteral("Rachunek bankowy o podanym numerze\rznajduje się już w wykazie.");

// What a save came to: the warning to show (the dialog stays open), or saved.
struct Wynik {
    QString uwaga;
    bool zapisano = false;
};

struct DaneKlienta {
    QString nazwa, adres, krNip, nrNip, telefon, email;
    // Days from an invoice's issue to its due date; none: the company's default term.
    std::optional<int> terminPlatnosci = {};
    // The kind of debtor, which sets the late-payment interest: a business (the default) or a
    // consumer; a business may be a public healthcare provider.
    bool konsument = false;
    bool zozPubliczny = false;
};

// The contractor dialog's save: the VAT number's checksum (for "PL" or no code), its
// uniqueness, then the row added (nowyWpis) or contractor klientId corrected. A consumer is
// never marked a healthcare provider. The row is
// written and checked once more in one transaction, so two workstations saving the same
// number at the same moment cannot both succeed. The register's list shows the saved row
// as current.
Wynik ZapiszKlienta(Tdm& dm, bool nowyWpis, int klientId, const DaneKlienta& dane);

struct DaneKonta {
    QString krKonto, nrKonto;
    bool pomijaj = false;
};

// The account dialog's save, with its warnings in order; adds an account of klientId
// (nowyWpis) or corrects account wpisId. Stored without blanks; unique across all
// contractors, checked again inside the writing transaction.
Wynik ZapiszKonto(Tdm& dm, bool nowyWpis, int klientId, int wpisId, const DaneKonta& dane);

// Which buttons of the register are enabled.
struct Przyciski {
    bool klientDopisz = false, klientPopraw = false, klientUsun = false, polacz = false;
    bool kontoDopisz = false, kontoPopraw = false, kontoUsun = false, pobierz = false;
    bool szczegoly = false;
    bool operator==(const Przyciski&) const = default;
};
Przyciski RegulyPrzyciskow(Tdm& dm);

// The balance label: empty for a closed or empty list; "Do zapłaty: " or "Nadpłata: " with
// the amount in the currency format.
QString TekstSalda(Money saldo);
QString TekstSalda(Tdm& dm); // of the register's current contractor
QString TekstSaldaKlienta(Tdm& dm, int klientId);

// The account as the delete question names it: prefix, a blank, the number laid out.
QString TekstKonta(const QString& krKonto, const QString& nrKonto);

// The contractor shown after the current one is deleted: the previous in name order, the
// next when it is the first, 0 when it is the only one.
int KlientPoUsunieciu(const Dataset& klient);

// What deleting a contractor takes with it: its balance and its ledger rows.
struct StanKlienta {
    QString nazwa;
    Money saldo;     // due less paid
    int wierszy = 0; // ledger rows
    bool operator==(const StanKlienta&) const = default;
};
// Read afresh; nothing when the contractor is gone. Database errors reach the caller.
std::optional<StanKlienta> CzytajStanKlienta(Tdm& dm, int klientId);
// The first question before a delete: the contractor, its balance and its ledger rows.
QString PytanieUsunieciaKlienta(const StanKlienta& stan);

// Deletes the register's current contractor (the questions were asked about `widziany`) and
// reopens the list on the contractor KlientPoUsunieciu chose. The balance and the ledger rows
// are read again in the deleting transaction: when another workstation changed them since the
// question, nothing is deleted and the answer says so. When the database refuses, the list
// is reopened on the contractor that stays, and the answer is the database's message.
struct WynikUsuniecia {
    QString komunikat; // empty: deleted
    bool blad = false; // the database refused (else: changed or gone meanwhile)
};
WynikUsuniecia UsunKlienta(Tdm& dm, const StanKlienta& widziany);

// Deletes the current account of the account list and reopens it (on the row that became
// current), also when the commit fails; then the error reaches the caller.
void UsunKonto(Tdm& dm, int klientId);

// Reads the contractor's row again so its "RB" mark follows an account change.
void OdswiezKlienta(Tdm& dm, int klientId);

} // namespace kontrahenci

#pragma once

#include "Money.h"

#include <QObject>
#include <QString>
#include <QStringList>

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
inline const QString KontoPowtorzone =
    QStringLiteral("Rachunek bankowy o podanym numerze\rznajduje się już w wykazie.");

// What a save came to: the warning to show (the dialog stays open), or saved.
struct Wynik {
    QString uwaga;
    bool zapisano = false;
};

struct DaneKlienta {
    QString nazwa, adres, krNip, nrNip, telefon, email;
};

// The contractor dialog's save: the VAT number's checksum (for "PL" or no code), its
// uniqueness, then the row added (nowyWpis) or contractor klientId corrected. The row is
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

// Deletes the register's current contractor (the questions were asked) and reopens the list
// on the contractor KlientPoUsunieciu chose. When the database refuses, the list is reopened
// on the contractor that stays, and the answer is the database's message.
QString UsunKlienta(Tdm& dm);

// Deletes the current account of the account list and reopens it (on the row that became
// current), also when the commit fails; then the error reaches the caller.
void UsunKonto(Tdm& dm, int klientId);

// Reads the contractor's row again so its "RB" mark follows an account change.
void OdswiezKlienta(Tdm& dm, int klientId);

// Names upper-cased once and searched at every keystroke. Each name is upper-cased on its own
// and its start noted in the joined text, since upper-casing may lengthen a name ("ß" becomes
// "SS", "ΐ" three characters) and positions of the original text would drift after it.
class IndeksNazw {
public:
    void ustaw(const QStringList& nazwy);
    // `tekst` upper-cased and trimmed: one character finds the first name beginning with it,
    // more the first name containing it; -1 when none does.
    int szukaj(const QString& tekst) const;

private:
    QString nazwyUp_; // all names, a line break after each: no match spans two names
    std::vector<qsizetype> poczatki_; // where each name begins in nazwyUp_
};

// The incremental search of the register. Names are upper-cased once per reading of the
// list, not at every keystroke.
class WyszukiwarkaKlientow : public QObject {
    Q_OBJECT
public:
    explicit WyszukiwarkaKlientow(Dataset& klient, QObject* parent = nullptr);
    // Moves the list as the search box's new text asks; the list stays where it was when
    // nothing matches (or the text is blank).
    void Szukaj(const QString& tekst);
    // Upper-cases the names now (when the list was read again), so that no keystroke pays
    // for it.
    void przygotuj();

private:
    Dataset& klient_;
    IndeksNazw indeks_;
    bool aktualne_ = false;
};

} // namespace kontrahenci

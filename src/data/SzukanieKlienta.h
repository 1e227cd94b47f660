#pragma once

#include <QHash>
#include <QObject>
#include <QString>

#include <vector>

class Dataset;
namespace db {
class Attachment;
class Transaction;
} // namespace db

// Finding a contractor by what the user types: a fragment of the name, or a tax (NIP) or
// bank account number, whole or in part, with or without blanks, dashes and a country code.

// A tax or account number as it is compared: its letters and digits, upper-cased.
QString NumerDoPorownania(const QString& numer);

// What a search text asks for.
struct TekstSzukania {
    explicit TekstSzukania(const QString& tekst);
    QString nazwaUp; // the text without surrounding blanks, upper-cased
    // The digits of the text when it reads as (part of) a number: digits, blanks and dashes,
    // perhaps after a two-letter country code, with at least three digits. Empty otherwise.
    QString numer;
    bool pusty() const { return nazwaUp.isEmpty(); }
};

// Whether a number laid out by NumerDoPorownania contains the number searched for.
bool NumerZawiera(const QString& numerPorownania, const TekstSzukania& t);

// Every contractor's bank accounts, read at once for searching by account number.
class KontaKlientow {
public:
    // Reads them in the given (started) transaction; errors reach the caller.
    void wczytaj(db::Transaction& tr);
    bool wczytane() const { return wczytane_; }
    void uniewaznij() { wczytane_ = false; }
    // Whether one of the contractor's accounts contains the number searched for.
    bool maKonto(int klientId, const TekstSzukania& t) const;
    // The contractors with such an account.
    std::vector<int> klienci(const TekstSzukania& t) const;

private:
    QHash<int, QStringList> konta_;
    // The same numbers one after another with a line break between them, and whose each is:
    // one search of this text finds every account containing the digits.
    QString wszystkie_;
    std::vector<qsizetype> poczatki_;
    std::vector<int> klientIds_;
    bool wczytane_ = false;
};

// Names upper-cased once and searched at every keystroke. Each name is upper-cased on its own
// and its start noted in the joined text, since upper-casing may lengthen a name ("ß" becomes
// "SS", "ΐ" three characters) and positions of the original text would drift after it.
class IndeksNazw {
public:
    void ustaw(const QStringList& nazwy);
    int size() const { return static_cast<int>(poczatki_.size()); }
    // `tekst` upper-cased and trimmed: one character finds the first name beginning with it,
    // more the first name containing it; -1 when none does.
    int szukaj(const QString& tekst) const;

private:
    QString nazwyUp_; // all names, a line break after each: no match spans two names
    std::vector<qsizetype> poczatki_; // where each name begins in nazwyUp_
};

// How an incremental search ended.
enum class WynikSzukania {
    Nic,      // a blank text or an empty list: nothing was done
    PoNazwie, // a name begins with (one character) or contains the text
    PoNip,    // no name, but a tax number contains the digits
    PoKoncie, // no name or tax number, but a bank account contains them
    Brak,     // nothing matches: no contractor is current any more
};

// What the window beside the search box says about the result: empty when a name matched.
QString OpisWynikuSzukania(WynikSzukania wynik, const QString& tekst);

// The incremental search of a contractor list (the register's and the settlement browser's):
// one character, the first name beginning with it; more, the first name containing the text;
// then, for digits, the first contractor whose tax number or bank account contains them. When
// nothing matches, no contractor is current, so nothing is done to a contractor the user
// did not find. Names are upper-cased once per reading of the list, the accounts read once
// when first searched for, so a keystroke does not go to the database.
class WyszukiwarkaKlientow : public QObject {
    Q_OBJECT
public:
    WyszukiwarkaKlientow(Dataset& klient, db::Attachment& conn, QObject* parent = nullptr);
    WynikSzukania Szukaj(const QString& tekst);
    // Upper-cases the names now, so that no keystroke pays for it.
    void przygotuj();

private:
    int wierszNazwy(const TekstSzukania& t);
    int wierszNumeru(const TekstSzukania& t, WynikSzukania& jak);

    Dataset& klient_;
    db::Attachment& conn_;
    IndeksNazw nazwy_;
    // The tax numbers laid out for comparison, the same way.
    QString nipy_;
    std::vector<qsizetype> poczatkiNip_;
    bool aktualne_ = false;
    KontaKlientow konta_;
};

#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

#include <cstdint>
#include <optional>
#include <stdexcept>
#include <vector>

// Statutory interest for late payment and the fixed compensation for recovery costs: pure
// arithmetic on the rate tables, exact to the last fraction of a grosz, never a double.
namespace odsetki {

// Which table a rate belongs to: interest for delay in commercial transactions (fixed per
// half-year), or the civil-code statutory interest for delay (changes on any day).
enum class Rodzaj { Handlowe, Ustawowe };

// Who owes: a business (commercial interest), a public healthcare provider that is a
// business debtor (the lower commercial rate since 2020), or a consumer (civil-code rate).
enum class Dluznik { Przedsiebiorca, PublicznyZoz, Konsument };

// One row of a rate table. Rates are percent with two decimals, kept in hundredths of a
// percent: 15.75 % is 1575.
struct Stawka {
    QDate od;
    int stawka = 0;
    std::optional<int> stawkaZoz; // commercial rows only: the healthcare debtor's rate
    bool doSprawdzenia = false;   // shipped from a single source: the user should check it
    bool operator==(const Stawka&) const = default;
};

struct Tabele {
    std::vector<Stawka> handlowe; // in date order
    std::vector<Stawka> ustawowe; // in date order
};

// "15,75" (under the given locale's decimal separator).
QString formatStawki(int setneProcenta);
// "15.75", "15,75", "9.5", "11": at most two decimals, between 0 and 100 exclusive of 0;
// none when the text is no such rate.
std::optional<int> parsujStawke(const QString& tekst);

// A commercial rate applies for a whole half-year: its row must begin on 1 January or 1 July.
bool poczatekPolrocza(const QDate& dzien);

// Interest not yet rounded: whole grosze and a remainder over a common denominator, so that
// sums of many periods and payments stay exact until the one rounding.
class KwotaDokladna {
public:
    // 365-day year, rates in hundredths of a percent, amounts in 1/10000 zł: one grosz of
    // interest is this many parts.
    static constexpr std::int64_t Mianownik = 365LL * 10'000 * 100;

    // Adds kwota × rate × days / 365. Throws std::overflow_error for amounts beyond any ledger.
    void dodaj(Money kwota, int setneProcenta, int dni);
    KwotaDokladna& operator+=(const KwotaDokladna& o);
    // Rounded half up to whole grosze.
    Money zaokraglona() const;
    bool operator==(const KwotaDokladna&) const = default;

private:
    void normalizuj();
    std::int64_t grosze_ = 0;
    std::int64_t reszta_ = 0; // 0 <= reszta_ < Mianownik after normalizuj()
};

// Part of a delay under one rate.
struct Okres {
    QDate od;
    QDate doDnia; // inclusive
    int dni = 0;
    int stawka = 0; // hundredths of a percent
    bool operator==(const Okres&) const = default;
};

struct Naliczenie {
    QDate termin; // the due date moved off a Saturday, Sunday or public holiday
    int dni = 0;  // days of delay counted: after the moved due date up to the payment day
    std::vector<Okres> okresy;
    KwotaDokladna odsetki;
};

// A day of the delay with no rate in the tables (a half-year not announced yet, a day before
// the first row). Nothing is guessed: the user adds the rate.
class BrakStawki : public std::runtime_error {
public:
    BrakStawki(Rodzaj rodzaj, const QDate& dzien);
    const QString& komunikat() const { return komunikat_; }
    Rodzaj rodzaj() const { return rodzaj_; }
    const QDate& dzien() const { return dzien_; }

private:
    Rodzaj rodzaj_;
    QDate dzien_;
    QString komunikat_;
};

Rodzaj rodzajDla(Dluznik dluznik);

// The interest on an amount due on `termin` and paid on `zaplata`: from the day after the due
// date (moved off a day off to the next working day) up to and including the payment day,
// each rate period apart, 365-day year. Nothing when paid in time. Throws BrakStawki.
Naliczenie nalicz(Money kwota, const QDate& termin, const QDate& zaplata, const Tabele& tabele,
                  Dluznik dluznik);
// The interest on an amount for the days from `pierwszy` to `ostatni`, both inclusive, each
// rate period apart (a delay whose earlier days were charged already). `termin` of the answer
// stays invalid; nothing when the range is empty. Throws BrakStawki.
Naliczenie naliczDni(Money kwota, const QDate& pierwszy, const QDate& ostatni, const Tabele& tabele,
                     Dluznik dluznik);

// The compensation for recovery costs of a late commercial payment, in euro: 40 up to
// 5 000 zł, 70 above that and below 50 000 zł, 100 from 50 000 zł, for transactions from
// 2020; a flat 40 before. Consumers are owed none (0).
int rekompensataEur(Money kwota, const QDate& dzienTransakcji, Dluznik dluznik);
// The euro converted at a rate of PLN per euro (four decimals), rounded to the grosz.
Money rekompensataPln(int euro, Money kursEur);
// The month whose last NBP table converts the compensation: the month before the due month.
QDate miesiacKursu(const QDate& terminWymagalnosci);

} // namespace odsetki

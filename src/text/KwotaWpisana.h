#pragma once

#include "Money.h"

#include <QString>

#include <optional>

// An amount typed by a person, read the ways Polish users write it: "1234,56", "1 234,56",
// "1.234,56", "1234.56" (also "1,234.56", a trailing "zł" or "PLN", a sign). What cannot be
// read one way only ("1.234": a thousand or one złoty and change?), more than two decimals,
// groups that are not of three digits: refused with the reason. Nothing is ever cut off.
struct OdczytKwoty {
    std::optional<Money> kwota; // set when the text was read (0 for an empty text)
    QString blad;               // why it was not, in Polish, for the user
    bool pusta = false;         // nothing but blanks was typed

    bool ok() const { return kwota.has_value(); }
};

OdczytKwoty CzytajKwoteWpisana(const QString& tekst);

// The largest amount a box accepts: twelve digits before the decimal separator.
inline constexpr int MaxCyfrCalosci = 12;

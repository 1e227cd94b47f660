#pragma once

#include <QString>

#include <span>

// One row of the built-in list of country codes: the two-letter code and the Polish name.
struct recKraj {
    const char16_t* kod;
    const char16_t* nazwa;
};

inline constexpr int LiczbaKrajow = 252;

// The country codes with their Polish names, in the order the picker lists them.
std::span<const recKraj, LiczbaKrajow> KrajeV4();

// A country code as typed (blanks around it and letter case ignored): empty and "PL" pass,
// otherwise it must be one of the listed codes.
bool KodKrajuOK(const QString& kod);

// The row of the code (letter case ignored), -1 when it is not listed.
int IndeksKraju(const QString& kod);

#pragma once

#include "Banki.h"

#include <QString>

#include <vector>

// How the pieces of one value are joined: with one space (each piece is a whole item), or
// directly (the bank cut the text at a fixed width, also inside words).
// A MultiCash export cuts long texts into pieces of 27 characters: a piece of full width goes
// on directly, a shorter one was ended by its writer and takes a space.
enum class Laczenie : unsigned char { Spacja, Bezposrednio, Szerokosc27 };

// What field 86 looks like: numbered subfields after a separator, or free text of keywords
// ("Z RACH.:", "OD:", "TYT.:").
enum class Ksztalt86 : unsigned char { Podpola, Slowa };

// One bank's layout of field 86, as a table: each bank differs only in these values.
struct Dialekt {
    QString nazwaUkladu; // shown to the user: "ING", "PKO BP", "układ ogólny ^"
    TBank bank;          // bk_Nieznany for a general shape
    Ksztalt86 ksztalt = Ksztalt86::Podpola;
    QChar separator;
    std::vector<int> opis;  // title subfields, in joining order
    std::vector<int> nazwa; // counterparty name and address subfields
    // Account subfields in order of preference: the first that is written and is not the
    // statement's own account.
    std::vector<int> konto;
    Laczenie laczOpis = Laczenie::Spacja;
    Laczenie laczNazwa = Laczenie::Spacja;
    // When no account subfield is written: sort code in 30 and 16 digits in 31, whose check
    // digits are computed.
    bool kontoZCzesci = false;
    bool cudzyslowy = false;     // the title stands in double quotes
    bool numerBezStrony = false; // ":28C:" is "number/page": the page is dropped
};

namespace dialekty {
extern const Dialekt ING;
extern const Dialekt PKO;
extern const Dialekt Santander;
extern const Dialekt Pekao;
extern const Dialekt BNP;
extern const Dialekt Alior;
extern const Dialekt Millennium;
extern const Dialekt Nest;
extern const Dialekt mBank;
extern const Dialekt PlusBank;
// The shapes read for a bank without a dialect of its own.
const std::vector<const Dialekt*>& Ogolne();
} // namespace dialekty

// The dialect of a bank (after WyznBankXXX) that its statements are read with; null for a
// bank without one (their field 86 is read by its shape).
const Dialekt* DialektBanku(TBank bank);

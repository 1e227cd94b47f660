#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

#include <stdexcept>

// A text that should hold a date or number but does not.
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

inline constexpr int Nazwa_MAX_LEN = 80;
inline constexpr int Adres_MAX_LEN = 80;
inline constexpr int Opis_MAX_LEN = 140;
inline constexpr int NIP_MAX_LEN = 12;
inline constexpr int Telefon_MAX_LEN = 50;
inline constexpr int Email_MAX_LEN = 50;

// Positions in the comments below count from 1, as users of these helpers think of them.
QString ExtractText(const QString& text, const QString& delim1, const QString& delim2);
QString ExtractTextEx(const QString& text, const QString& delim1, const QString& delim2,
                      int startAt);
QString ExtractToEnd(const QString& text, const QString& delim);

QString lsTrimUP(const QString& s);
// Removes leading and trailing blanks and control characters.
QString TrimCtl(const QString& s);
QString UsunSpacje(const QString& s);
QString UsunCRLF(const QString& s);
QString TylkoCyfry(const QString& s);
bool SaTylkoCyfry(const QString& s);
int LiczbaCyfrNaPoczatku(const QString& s);

// YYMMDD in 2000-2099; the zero date for any other length; ConversionError for a bad date.
Date StrNaDate(const QString& s);
// YYYY-MM-DD; the zero date for any other length; ConversionError for a bad date.
Date fakt_strDataToDate(const QString& sData);
// Amount whose decimal separator is decSep; everything but digits and decSep is dropped.
Money StrNaCurr(const QString& s, QChar decSep);
QString FormatKonto(const QString& s);

QString KorygNazwa(const QString& s);
QString KorygAdres(const QString& s);
QString KorygOpis(const QString& s);

// A report line when `tekst` holds characters the database's code page cannot (Cyrillic,
// emoji): names what it is (`co`, "nazwa płatnika") and shows it as written and as stored.
// Empty when the text is stored as it stands.
QString KomZnakiSpozaBazy(const QString& co, const QString& tekst);

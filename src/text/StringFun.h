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
// An account number laid out for reading, always in groups of four: a Polish number of 26
// digits as 2 + 6 x 4 ("61 1090 1014 0000 0712 1981 2874", a letter prefix dropped); any other
// number of letters and digits in groups of four from its start ("DE89 3704 0044 0532 0130 00").
// With zPrefiksem the prefix is kept and starts the first group, as an IBAN is printed. A text
// holding anything but letters, digits and blanks is no account number and stays as it is.
QString FormatKonto(const QString& s, bool zPrefiksem = false);

QString KorygNazwa(const QString& s);
QString KorygAdres(const QString& s);
QString KorygOpis(const QString& s);

// A report line when `tekst` holds characters the database's code page cannot (Cyrillic,
// emoji): names what it is (`co`, "nazwa płatnika") and shows it as written and as stored.
// Empty when the text is stored as it stands.
QString KomZnakiSpozaBazy(const QString& co, const QString& tekst);

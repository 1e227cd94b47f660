#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

class QDate;
class QLocale;

// How every window, report and printout shows amounts, dates and account numbers: one look
// throughout the program.

// "1 012 345,67": two decimals, every thousand grouped, the user's separators.
QString FormatKwoty(Money kwota);
QString FormatKwoty(Money kwota, const QLocale& locale);
// "1 012 345,67 zł": the same with the currency symbol where the user's settings put it.
QString FormatKwotyWaluty(Money kwota);
QString FormatKwotyWaluty(Money kwota, const QLocale& locale);
// "dd.mm.yyyy"; empty for the zero date and for an invalid one.
QString FormatDaty(const Date& data);
QString FormatDaty(const QDate& data);
// The pattern of FormatDaty, for date boxes and for reading what they hold.
inline constexpr char WzorDaty[] = "dd.MM.yyyy";
// An account with its country prefix as it is printed: "PL61 1090 1014 0000 0712 1981 2874";
// without a prefix as FormatKonto lays it out.
QString FormatKonta(const QString& krKonto, const QString& nrKonto);

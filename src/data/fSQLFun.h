#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

// Values written into SQL text as literals.
QString sqlStr(const QString& s); // 'O''Neil'
QString sqlDate(const Date& d);   // 'yyyy-mm-dd'; empty for the zero date
QString sqlCurr(const Money& c);  // 150.5, 12, -3.25: a full stop whatever the locale

// The KONTO rows that hold the same account as prefix `kr` and number `nr` (blanks ignored,
// a prefix written in the number counts as the prefix): for a Polish 26-digit number "PL" and
// no prefix are one account; with no prefix the number alone is compared; otherwise prefix
// and number. A condition for a WHERE clause, with literals.
QString sqlWarunekKonta(const QString& kr, const QString& nr);

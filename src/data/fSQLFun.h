#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

// Values written into SQL text as literals.
QString sqlStr(const QString& s); // 'O''Neil'
QString sqlDate(const Date& d);   // 'yyyy-mm-dd'; empty for the zero date
QString sqlCurr(const Money& c);  // 150.5, 12, -3.25: a full stop whatever the locale

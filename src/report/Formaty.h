#pragma once

#include "Money.h"

#include <QLocale>
#include <QString>

// The number formats of the printouts.
namespace wydruk {

// "# ##0.00": the locale's decimal separator and one blank before the last three digits of
// the whole part; below 1000 a leading blank instead. No further grouping.
QString formatSpacja(Money kwota, const QLocale& locale = QLocale());
// "%2.2n": two decimals with the locale's digit grouping and decimal separator.
QString formatN(Money kwota, const QLocale& locale = QLocale());
// "#n%2,2n": as "%2.2n" but always with a decimal comma.
QString formatNPrzecinek(Money kwota, const QLocale& locale = QLocale());
// "dd-mm-yyyy".
QString formatDaty(const QDate& data);

} // namespace wydruk

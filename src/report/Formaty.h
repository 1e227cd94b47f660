#pragma once

#include "Money.h"

#include <QLocale>
#include <QString>

// The number formats of the printouts beyond the program's one look (Wyglad.h).
namespace wydruk {

// The receipt's amount: grouped like every amount, but always with a decimal comma.
QString formatNPrzecinek(Money kwota, const QLocale& locale = QLocale());

} // namespace wydruk

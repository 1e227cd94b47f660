#pragma once

#include <QDate>

// Polish public holidays and working days: what moves a due date that falls on a day off to
// the next working day, and which day the NBP's last table of a month comes from.
namespace swieta {

// Easter Sunday of a Gregorian year.
QDate wielkanoc(int rok);
// A statutory public holiday (Sundays are days off anyway, holiday or not).
bool czySwieto(const QDate& dzien);
// Neither a Saturday, a Sunday nor a public holiday.
bool czyDzienRoboczy(const QDate& dzien);
// The day itself when it is a working day, else the first working day after it.
QDate najblizszyDzienRoboczy(const QDate& dzien);
// The last working day of a month.
QDate ostatniDzienRoboczy(int rok, int miesiac);

} // namespace swieta

#include "Swieta.h"

namespace swieta {

QDate wielkanoc(int rok) {
    // The anonymous Gregorian computus (Meeus, Jones, Butcher): integers only.
    const int a = rok % 19;
    const int b = rok / 100;
    const int c = rok % 100;
    const int d = b / 4;
    const int e = b % 4;
    const int f = (b + 8) / 25;
    const int g = (b - f + 1) / 3;
    const int h = (19 * a + b - d - g + 15) % 30;
    const int i = c / 4;
    const int k = c % 4;
    const int l = (32 + 2 * e + 2 * i - h - k) % 7;
    const int m = (a + 11 * h + 22 * l) / 451;
    const int miesiac = (h + l - 7 * m + 114) / 31;
    const int dzien = (h + l - 7 * m + 114) % 31 + 1;
    return QDate(rok, miesiac, dzien);
}

bool czySwieto(const QDate& dzien) {
    if (!dzien.isValid())
        return false;
    const int r = dzien.year();
    const int m = dzien.month();
    const int d = dzien.day();
    struct Stale {
        int miesiac, dzien, od, doRoku;
    };
    // Fixed days and the years in which they are days off by statute.
    static constexpr Stale stale[] = {
        {1, 1, 0, 9999},   {1, 6, 2011, 9999}, {5, 1, 0, 9999},      {5, 3, 0, 9999},
        {8, 15, 0, 9999},  {11, 1, 0, 9999},   {11, 11, 0, 9999},    {12, 24, 2025, 9999},
        {12, 25, 0, 9999}, {12, 26, 0, 9999},  {11, 12, 2018, 2018}, // the centenary of
                                                                     // independence, a day off once
    };
    for (const Stale& s : stale)
        if (s.miesiac == m && s.dzien == d && r >= s.od && r <= s.doRoku)
            return true;
    const qint64 odWielkanocy = wielkanoc(r).daysTo(dzien);
    // Easter Sunday and Monday, Pentecost Sunday, Corpus Christi.
    return odWielkanocy == 0 || odWielkanocy == 1 || odWielkanocy == 49 || odWielkanocy == 60;
}

bool czyDzienRoboczy(const QDate& dzien) {
    return dzien.isValid() && dzien.dayOfWeek() < 6 && !czySwieto(dzien);
}

QDate najblizszyDzienRoboczy(const QDate& dzien) {
    QDate d = dzien;
    while (d.isValid() && !czyDzienRoboczy(d))
        d = d.addDays(1);
    return d;
}

QDate ostatniDzienRoboczy(int rok, int miesiac) {
    const QDate pierwszy(rok, miesiac, 1);
    QDate d = pierwszy.addMonths(1).addDays(-1);
    while (d >= pierwszy && !czyDzienRoboczy(d))
        d = d.addDays(-1);
    return d;
}

} // namespace swieta

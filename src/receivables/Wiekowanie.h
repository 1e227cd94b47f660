#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

#include <array>
#include <vector>

namespace db {
class Transaction;
}

// Ageing of receivables as of a day: what each contractor still owes, by how long it is
// past its due date. Credits not allocated to any invoice are not in it.
namespace rozrachunki {

// Not yet due (due on the day itself included), 1–30, 31–60, 61–90, 91–180 and over 180
// days past due.
inline constexpr int LiczbaPrzedzialow = 6;
// The first day past due of each range after the first.
inline constexpr std::array<int, LiczbaPrzedzialow> PoczatekPrzedzialu = {0, 1, 31, 61, 91, 181};

// The range of an amount so many days past due (0 or less: not yet due).
int Przedzial(int dniPoTerminie);
// "Przed terminem", "1–30 dni", ... "powyżej 180 dni".
QString NazwaPrzedzialu(int przedzial);
// "notDue", "1-30", ... "over180": the members of `brevant-cli ageing --json`.
QString KluczPrzedzialu(int przedzial);

struct WierszWiekowania {
    int klientId = 0;
    QString nazwa;
    std::array<Money, LiczbaPrzedzialow> kwoty{};
    Money razem() const;
};

struct Wiekowanie {
    Date naDzien;
    std::vector<WierszWiekowania> wiersze; // contractors that owe something, by name
    WierszWiekowania suma;                 // every range over all contractors
};

// The whole ledger as of the day, in the caller's transaction.
Wiekowanie CzytajWiekowanie(db::Transaction& tr, const Date& naDzien);

} // namespace rozrachunki

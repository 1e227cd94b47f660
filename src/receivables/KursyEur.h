#pragma once

#include "Money.h"

#include <QDate>
#include <QString>

#include <optional>
#include <vector>

namespace db {
class Attachment;
}

// NBP average euro rates (table A) that convert the compensation for recovery costs: the
// rate of the last working day of the month before the month a payment fell due.
namespace kursy {

struct KursEur {
    QDate data;     // the table's day
    Money kurs;     // złoty per euro, four decimals
    QString tabela; // the table's number ("062/A/NBP/2024"); empty when typed in
    bool reczny = false;
    bool operator==(const KursEur&) const = default;
};

// The rate of the last table in the given month (any day of it): none when the month has
// no rate. Rates in any order.
std::optional<KursEur> kursMiesiaca(const std::vector<KursEur>& kursy, const QDate& miesiac);
// The rate converting the compensation of a payment due on `termin` (already moved off a
// day off): the month before.
std::optional<KursEur> kursDoRekompensaty(const std::vector<KursEur>& kursy, const QDate& termin);

// "4,3434" and back: a rate typed with at most four decimals, above zero.
QString formatKursu(Money kurs);
std::optional<Money> parsujKurs(const QString& tekst);

// All rates, newest first. Database errors reach the caller.
std::vector<KursEur> czytajKursy(db::Attachment& att);
// A rate typed in: its day must be the last working day of its month and not in the future;
// a day that already has a rate is refused. The warning, or empty when saved.
QString dopiszKursRecznie(db::Attachment& att, const QDate& data, Money kurs);
// Replaces a rate as it was read with one typed in (checked as above); refused when another
// workstation changed or deleted it meanwhile.
QString poprawKursRecznie(db::Attachment& att, const KursEur& stary, const QDate& data, Money kurs);
// Rates from the NBP replace what the table holds for their days. Returns how many were new.
int zapiszKursyNbp(db::Attachment& att, const std::vector<KursEur>& kursy);
// Deletes the rate of a day; refused when it is gone already.
QString usunKurs(db::Attachment& att, const QDate& data);

} // namespace kursy

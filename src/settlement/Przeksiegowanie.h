#pragma once

#include <QString>

namespace db {
class Attachment;
}

// Re-booking: a payment read from a bank statement moves to another contractor.
//
// The row and both balances change in one transaction: the database's triggers move the
// amount from the old contractor's balance row to the new one's in the same statement, so
// another workstation booking at the same moment can neither see half a move nor have its
// own booking overwritten by stale sums. The transaction waits for a concurrent writer of the
// same rows and then works on what it committed. Any error rolls the whole move back and
// reaches the caller as a db::Error; a refusal (not a statement payment, same contractor,
// unknown contractor, the row gone) as PrzeksiegowanieOdmowa with the user's message.
class PrzeksiegowanieOdmowa : public std::exception {
public:
    explicit PrzeksiegowanieOdmowa(QString komunikat)
        : komunikat_(std::move(komunikat)), utf8_(komunikat_.toUtf8()) {}
    const QString& komunikat() const { return komunikat_; }
    const char* what() const noexcept override { return utf8_.constData(); }

private:
    QString komunikat_;
    QByteArray utf8_;
};

struct WynikPrzeksiegowania {
    int staryKlientId = 0;
    int nowyKlientId = 0;
};

// Moves ledger row wpisId to contractor nowyKlientId.
WynikPrzeksiegowania Przeksieguj(db::Attachment& conn, int wpisId, int nowyKlientId);

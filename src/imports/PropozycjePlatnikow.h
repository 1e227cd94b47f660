#pragma once

#include "Date.h"
#include "KsiegowanieWplat.h"
#include "Money.h"

#include <QString>

#include <vector>

namespace db {
class Attachment;
}

// A payer from an account no contractor has, whose name is the name of exactly one
// contractor (compared without letter case, Polish letters, punctuation and legal-form words).
// The statement window lists these before booking for the user to accept or change; the
// command line takes them with --match-names.
struct PropozycjaPlatnika {
    QString konto;   // the account as the decisions name it (prefix and number)
    QString platnik; // the payer's name from the statement
    Date data;       // the first payment from the account
    Money kwota;
    QString tytul;
    int klientId = 0; // the contractor proposed
    QString nazwaKlienta;
};

// One proposal per unknown account of the statements' credits, in statement order. Payers a
// title's invoice number places are left out: the booking finds them itself. Read in a
// transaction of its own that waits for no one.
std::vector<PropozycjaPlatnika> PropozycjePlatnikow(db::Attachment& conn,
                                                    const KsiegowanieWplat::Wyciagi& wyciagi);

// Every proposal accepted.
DecyzjePlatnikow PrzyjmijWszystkie(const std::vector<PropozycjaPlatnika>& propozycje);

#pragma once

#include "Money.h"

#include <QString>

#include <vector>

namespace db {
class Attachment;
}

struct recKontoKlienta {
    QString krKonto, nrKonto;
    bool pomijaj = false;
};

// One contractor as the register knows it, with its accounts and balance.
struct recKontrahent {
    int klientId = 0;
    QString krNip, nrNip, nazwa, adres, telefon, email;
    std::vector<recKontoKlienta> konta;
    Money saldo; // due minus paid: positive a debt, negative an overpayment
};

// All contractors in name order: two statements, whatever the register's size.
std::vector<recKontrahent> WykazKontrahentow(db::Attachment& conn);

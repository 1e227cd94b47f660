#pragma once

#include "Error.h"
#include "Money.h"
#include "TestDatabase.h"

#include <QString>

// A fresh database with helpers for ledger rows and balances.
class SettlementTest : public DbTest {
protected:
    // A ledger row of any source; amounts are SQL literals ("NULL" for none).
    void addRow(int wpisId, int klientId, const char* zrodlo, const char* data,
                const char* doZaplaty, const char* zaplacono, const QString& opis = {},
                const QString& nazwaKl = {}) {
        exec(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY, "
                            "ZAPLACONO, OPIS_TR, NAZWA_KL) VALUES (%1, %2, '%3', '%4', %5, %6, "
                            "'%7', '%8')")
                 .arg(wpisId)
                 .arg(klientId)
                 .arg(QString::fromLatin1(zrodlo), QString::fromLatin1(data),
                      QString::fromLatin1(doZaplaty), QString::fromLatin1(zaplacono), opis,
                      nazwaKl));
    }
    // The balance row: amount due less amount paid.
    Money saldo(int klientId) {
        return scalar(QStringLiteral("SELECT COALESCE(DOZAPLATY,0) - COALESCE(ZAPLACONO,0) "
                                     "FROM SALDA WHERE KLIENTID = %1")
                          .arg(klientId))
            .toMoney();
    }
    // The same from the ledger's own rows.
    Money sumaTrans(int klientId) {
        return scalar(QStringLiteral("SELECT COALESCE(SUM(DOZAPLATY),0) - "
                                     "COALESCE(SUM(ZAPLACONO),0) FROM TRANS WHERE KLIENTID = %1")
                          .arg(klientId))
            .toMoney();
    }
    static Money zl(const char* kwota) { return *Money::parse(QString::fromLatin1(kwota)); }
};

#include "TestDatabase.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

class Schema : public DbTest {
protected:
    // The balance row agrees with the ledger's sums.
    void expectSaldaFollowLedger(int klient) {
        const QString k = QString::number(klient);
        EXPECT_EQ(
            scalar("SELECT COALESCE(DOZAPLATY,0) FROM SALDA WHERE KLIENTID=" + k).toMoney(),
            scalar("SELECT COALESCE(SUM(DOZAPLATY),0) FROM TRANS WHERE KLIENTID=" + k).toMoney());
        EXPECT_EQ(
            scalar("SELECT COALESCE(ZAPLACONO,0) FROM SALDA WHERE KLIENTID=" + k).toMoney(),
            scalar("SELECT COALESCE(SUM(ZAPLACONO),0) FROM TRANS WHERE KLIENTID=" + k).toMoney());
    }
};

TEST_F(Schema, EveryContractorGetsABalanceRow) {
    addKlient(10, "A");
    EXPECT_EQ(count("FROM SALDA WHERE KLIENTID=10"), 1);
    EXPECT_EQ(data->SaldoKlienta(10), Money());
}

TEST_F(Schema, BalanceFollowsInsertUpdateDeleteAndMove) {
    addKlient(10, "A");
    addKlient(11, "B");
    addTrans(100, 10, "150.50", "NULL");
    addTrans(101, 10, "NULL", "50.25");
    addTrans(102, 10, "10", "NULL");
    expectSaldaFollowLedger(10);
    EXPECT_EQ(data->SaldoKlienta(10), *Money::parse("110.25"));

    exec("UPDATE TRANS SET DOZAPLATY = 200 WHERE WPISID = 100");
    exec("UPDATE TRANS SET ZAPLACONO = NULL, DOZAPLATY = 1 WHERE WPISID = 101");
    expectSaldaFollowLedger(10);

    exec("UPDATE TRANS SET KLIENTID = 11 WHERE WPISID = 102"); // one row moved
    expectSaldaFollowLedger(10);
    expectSaldaFollowLedger(11);

    exec("UPDATE TRANS SET KLIENTID = 11 WHERE KLIENTID = 10"); // all rows moved at once
    expectSaldaFollowLedger(10);
    expectSaldaFollowLedger(11);
    EXPECT_EQ(data->SaldoKlienta(10), Money());

    exec("DELETE FROM TRANS WHERE WPISID = 100");
    expectSaldaFollowLedger(11);
}

TEST_F(Schema, DeletingContractorDeletesItsRows) {
    addKlient(10, "A");
    addKlient(11, "B");
    exec("INSERT INTO KONTO (WPISID, KLIENTID, NR_KONTO, POMIJAJ) VALUES (1, 10, '123', 'N')");
    addTrans(100, 10, "5", "NULL");
    addTrans(101, 11, "7", "NULL");
    exec("DELETE FROM KLIENT WHERE KLIENTID = 10");
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID=10"), 0);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID=10"), 0);
    EXPECT_EQ(count("FROM SALDA WHERE KLIENTID=10"), 0);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID=11"), 1);
    expectSaldaFollowLedger(11);
}

TEST_F(Schema, UpperMapsPolishLettersAndEqualsStaysCaseSensitive) {
    exec(QString::fromUtf8("INSERT INTO OPERACJA (WPISID, OPIS) VALUES (1, 'zażółć gęślą jaźń')"));
    EXPECT_EQ(count(QString::fromUtf8("FROM OPERACJA WHERE UPPER(OPIS) = 'ZAŻÓŁĆ GĘŚLĄ JAŹŃ'")), 1);
    EXPECT_EQ(count(QString::fromUtf8("FROM OPERACJA WHERE OPIS = 'ZAŻÓŁĆ GĘŚLĄ JAŹŃ'")), 0);
}

TEST_F(Schema, CreatedDatabaseHoldsAdministrator) {
    EXPECT_EQ(scalar("SELECT NAZWA FROM OPERATOR").toString(), "Administrator");
    EXPECT_EQ(scalar("SELECT HASLO FROM OPERATOR").toString().size(), 40);
}

#include "TestDatabase.h"
#include "TestPrinters.h"

#include <QSignalSpy>

#include <gtest/gtest.h>

class DatasetTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (1, 'A')");
        exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (2, 'B')");
    }
};

TEST_F(DatasetTest, AccountRowsInsertModifyDeleteThroughList) {
    ASSERT_TRUE(data->OtworzKontoKL(1));
    Dataset& ds = data->KontoKL;
    QSignalSpy moves(&ds, &Dataset::currentChanged);
    ds.insertRow({{"WPISID", 50},
                  {"KLIENTID", 1},
                  {"KR_KONTO", "PL"},
                  {"NR_KONTO", "61109010140000071219812874"},
                  {"POMIJAJ", "N"}});
    ds.commitRetaining();
    EXPECT_GE(moves.count(), 1);
    ASSERT_EQ(ds.recordCount(), 1);
    EXPECT_EQ(ds.field("KONTOSTR").toString(), "61 1090 1014 0000 0712 1981 2874");
    EXPECT_EQ(count("FROM KONTO WHERE WPISID=50 AND POMIJAJ='N'"), 1);

    ds.modifyCurrent({{"POMIJAJ", "T"}, {"NR_KONTO", "123"}});
    ds.commitRetaining();
    EXPECT_EQ(count("FROM KONTO WHERE WPISID=50 AND POMIJAJ='T' AND NR_KONTO='123'"), 1);
    EXPECT_EQ(ds.field("NR_KONTO").toString(), "123");

    ds.deleteCurrent();
    ds.commitRetaining();
    EXPECT_EQ(ds.recordCount(), 0);
    EXPECT_EQ(ds.current(), nullptr);
    EXPECT_EQ(count("FROM KONTO"), 0);
}

TEST_F(DatasetTest, TransactionRowMovedToAnotherContractor) {
    ASSERT_TRUE(data->OtworzTransKL(1));
    Dataset& ds = data->TransKL;
    ds.insertRow({{"WPISID", 70},
                  {"KLIENTID", 1},
                  {"ZRODLO", "U"},
                  {"DATA_TR", Date(2023, 1, 2)},
                  {"DOZAPLATY", Money::fromWhole(10)},
                  {"OPIS_TR", "x"}});
    ds.commitRetaining();
    ds.modifyCurrent({{"KLIENTID", 2}});
    ds.commitRetaining();
    EXPECT_EQ(data->SaldoKlienta(1), Money());
    EXPECT_EQ(data->SaldoKlienta(2), Money::fromWhole(10));
}

TEST_F(DatasetTest, LocateAndReopenKeepCurrentRowRules) {
    ASSERT_TRUE(data->OtworzKlient());
    Dataset& ds = data->Klient;
    EXPECT_EQ(ds.currentIndex(), 0);
    EXPECT_TRUE(ds.locate("KlientId", 2));
    EXPECT_EQ(ds.field("NAZWA").toString(), "B");
    EXPECT_FALSE(ds.locate("KlientId", 3));
    EXPECT_EQ(ds.field("NAZWA").toString(), "B"); // a failed locate does not move
    exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (3, 'C')");
    EXPECT_EQ(ds.recordCount(), 2); // reads nothing until reopened
    ASSERT_TRUE(data->OtworzKlient());
    EXPECT_EQ(ds.recordCount(), 3);
    EXPECT_EQ(ds.currentIndex(), 0);
}

TEST_F(DatasetTest, GridModelShowsFormattedAmounts) {
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY) "
         "VALUES (5, 1, 'F', '2023-01-02', 1234.5)");
    ASSERT_TRUE(data->OtworzTransKL(1));
    Dataset& ds = data->TransKL;
    const int col = ds.row(0).columns()->indexOf("DOZAPLATY");
    const QLocale pl;
    EXPECT_EQ(ds.data(ds.index(0, col), Qt::DisplayRole).toString(),
              QString("1") + pl.groupSeparator() + "234,50");
}

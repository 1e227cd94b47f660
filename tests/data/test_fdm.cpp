#include "Error.h"
#include "TestDatabase.h"
#include "TestPrinters.h"

#include <QLocale>

#include <gtest/gtest.h>

class DataModule : public DbTest {
protected:
};

TEST_F(DataModule, NextIdOnEmptyNullAndZeroCounter) {
    for (const char* setup :
         {"DELETE FROM GENER", "UPDATE GENER SET NEXT_ID = NULL", "UPDATE GENER SET NEXT_ID = 0"}) {
        exec("DELETE FROM GENER");
        if (QString(setup).startsWith("UPDATE"))
            exec("INSERT INTO GENER (NEXT_ID) VALUES (5)");
        exec(setup);
        EXPECT_EQ(data->NextId(), 1) << setup;
        EXPECT_EQ(count("FROM GENER"), 1) << setup;
        EXPECT_EQ(scalar("SELECT NEXT_ID FROM GENER").toInt(), 2) << setup;
        EXPECT_EQ(data->NextId(), 2) << setup;
    }
}

TEST_F(DataModule, ReservedBlockMovesCounterPastIt) {
    const int first = data->ReserveIds(100);
    EXPECT_EQ(data->NextId(), first + 100);
}

TEST_F(DataModule, NextIdFailureReachesCaller) {
    exec("DROP TABLE GENER");
    EXPECT_THROW(data->NextId(), db::Error);
}

TEST_F(DataModule, AccountUniqueness) {
    addKlient(1, "A");
    addKonto(10, 1, "PL", "61109010140000071219812874");
    const QString nr = "61109010140000071219812874";
    EXPECT_FALSE(data->NowyKontoOK("", nr)); // empty prefix: any prefix clashes
    EXPECT_FALSE(data->NowyKontoOK("PL", nr));
    EXPECT_TRUE(data->NowyKontoOK("DE", nr));     // with a prefix only the same prefix clashes
    EXPECT_TRUE(data->EditKontoOK("PL", nr, 10)); // the corrected account itself does not
    EXPECT_FALSE(data->EditKontoOK("PL", nr, 11));
    EXPECT_TRUE(data->NowyKontoOK("", "123"));
}

TEST_F(DataModule, NipUniquenessAndLookup) {
    addKlient(1, "A", "PL", "5260250274");
    addKlient(2, "B", "DE", "123456789");
    EXPECT_FALSE(data->NowyNipOK("", "5260250274"));
    EXPECT_FALSE(data->NowyNipOK("PL", "5260250274"));
    EXPECT_TRUE(data->NowyNipOK("DE", "5260250274"));
    EXPECT_TRUE(data->EditNipOK("PL", "5260250274", 1));
    EXPECT_FALSE(data->EditNipOK("PL", "5260250274", 2));
    EXPECT_TRUE(data->jestKlient("5260250274"));
    EXPECT_TRUE(data->jestKlient("123456789")); // the prefix is not compared
    EXPECT_FALSE(data->jestKlient("999"));
}

TEST_F(DataModule, OperatorAndDescriptionUniquenessIgnoreCaseAndBlanks) {
    exec("INSERT INTO OPERATOR (OPERID, NAZWA) VALUES (5, 'JAN')");
    EXPECT_FALSE(data->NowyOperatorOK("  jan  "));
    EXPECT_TRUE(data->NowyOperatorOK("janek"));
    EXPECT_TRUE(data->EditOperatorOK("Jan", 5));
    EXPECT_FALSE(data->EditOperatorOK("Jan", 6));
    exec(QString::fromUtf8("INSERT INTO OPERACJA (WPISID, OPIS) VALUES (7, 'Opłata za żółć')"));
    EXPECT_FALSE(data->NowyOpisTransOK(QString::fromUtf8(" OPŁATA ZA ŻÓŁĆ ")));
    EXPECT_TRUE(data->EditOpisTransOK(QString::fromUtf8("opłata za żółć"), 7));
    EXPECT_FALSE(data->EditOpisTransOK(QString::fromUtf8("opłata za żółć"), 8));
}

TEST_F(DataModule, DatabaseErrorInCheckAnswersFalseWithoutMessage) {
    exec("DROP TABLE OPERACJA");
    EXPECT_FALSE(data->NowyOpisTransOK("x"));
    EXPECT_FALSE(data->EditOpisTransOK("x", 1));
    exec("DROP TABLE WYCIAG");
    EXPECT_FALSE(data->JestWyciag("C230310PLN100,00", "PL123"));
    EXPECT_TRUE(messages->messages().empty());
}

TEST_F(DataModule, Lookups) {
    EXPECT_FALSE(data->jestFirma());
    EXPECT_FALSE(data->SaMinDwieFirmy());
    addKlient(1, "  Alfa  ");
    EXPECT_TRUE(data->jestFirma());
    EXPECT_FALSE(data->SaMinDwieFirmy());
    addKlient(2, "Beta");
    EXPECT_TRUE(data->SaMinDwieFirmy());
    EXPECT_EQ(data->NazwaKlienta(1), "Alfa");
    EXPECT_EQ(data->NazwaKlienta(99), "");
    EXPECT_FALSE(data->KlientMaKonto(1));
    addKonto(10, 1, "PL", "1");
    EXPECT_TRUE(data->KlientMaKonto(1));
    exec("INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA) VALUES (1, 'PL11', 'C230310PLN1,00')");
    EXPECT_TRUE(data->JestWyciag("C230310PLN1,00", "PL11"));
    EXPECT_FALSE(data->JestWyciag("C230310PLN1,00", "PL12"));
    EXPECT_FALSE(data->trRead.active()); // lookups leave no transaction open
}

TEST_F(DataModule, SaldoKlientaWithoutBalanceRowIsZero) {
    addKlient(1, "A");
    addTrans(5, 1, "10", "NULL");
    exec("DELETE FROM SALDA WHERE KLIENTID = 1");
    EXPECT_EQ(data->SaldoKlienta(1), Money());
}

TEST_F(DataModule, DopiszKonto) {
    addKlient(1, "A", "PL", "111");
    addKlient(2, "B", "PL", "222");
    addKonto(10, 2, "", "999");
    EXPECT_FALSE(data->DopiszKonto("111", "999")); // known under another contractor
    EXPECT_FALSE(data->DopiszKonto("333", "555")); // nobody has this tax number
    EXPECT_EQ(count("FROM KONTO"), 1);
    EXPECT_TRUE(data->DopiszKonto("111", "555"));
    EXPECT_EQ(scalar("SELECT KLIENTID FROM KONTO WHERE NR_KONTO='555'").toInt(), 1);
    EXPECT_EQ(scalar("SELECT KR_KONTO || POMIJAJ FROM KONTO WHERE NR_KONTO='555'").toString(),
              "PLN");

    // "PL" and no prefix are one account, however the number is written
    addKonto(11, 2, "", "61109010140000071219812874");
    for (const char* konto : {"PL61109010140000071219812874", "pl 61 1090 1014 0000 0712 1981 2874",
                              "61109010140000071219812874"})
        EXPECT_FALSE(data->DopiszKonto("111", konto)) << konto;
    EXPECT_TRUE(data->DopiszKonto("111", "PL27114020040000300201355387"));
    EXPECT_EQ(count("FROM KONTO WHERE KR_KONTO = 'PL' AND NR_KONTO = "
                    "'27114020040000300201355387' AND KLIENTID = 1"),
              1);
    EXPECT_EQ(count("FROM KONTO"), 4);
}

TEST_F(DataModule, UdpdateSaldoWritesFullStopWhateverTheLocale) {
    addKlient(12, "A");
    QLocale::setDefault(QLocale(QLocale::German));
    data->UdpdateSaldo(12, *Money::parse("150.50"), Money());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    EXPECT_EQ(data->ibSqlText,
              "UPDATE Salda SET DoZaplaty = 150.5, Zaplacono = 0 WHERE KlientId = 12");
    EXPECT_EQ(data->SaldoKlienta(12), *Money::parse("150.50"));
}

TEST_F(DataModule, ExecuteSQLPassesErrorsAndEndsTransaction) {
    EXPECT_THROW(data->ExecuteSQL("UPDATE NIE_MA SET X = 1"), db::Error);
    EXPECT_FALSE(data->trWrite.active());
    EXPECT_TRUE(data->UsunKlienta(1234)); // deleting nothing is fine
}

TEST_F(DataModule, BalanceListsGroupByNameAndFilter) {
    addKlient(1, "Alfa");
    addKlient(2, "Alfa");
    addKlient(3, "Beta");
    addKlient(4, "Gamma");
    addTrans(10, 1, "100", "NULL");
    addTrans(11, 2, "50", "NULL");
    addTrans(12, 3, "NULL", "20");
    exec("UPDATE SALDA SET DOZAPLATY = NULL, ZAPLACONO = NULL WHERE KLIENTID = 4");
    ASSERT_TRUE(data->OtworzSalda());
    ASSERT_EQ(data->Salda.recordCount(), 3);
    EXPECT_EQ(data->Salda.row(0)["NAZWA"].toString(), "Alfa");
    EXPECT_EQ(data->Salda.row(0)["SALDO"].toMoney(), Money::fromWhole(150));
    EXPECT_EQ(data->Salda.row(2)["SALDO"].toMoney(), Money()); // null sums count as 0
    ASSERT_TRUE(data->OtworzDluznicy());
    ASSERT_EQ(data->Dluznicy.recordCount(), 1);
    EXPECT_EQ(data->Dluznicy.row(0)["NAZWA"].toString(), "Alfa");
    ASSERT_TRUE(data->OtworzNadplaty());
    ASSERT_EQ(data->Nadplaty.recordCount(), 1);
    EXPECT_EQ(data->Nadplaty.row(0)["SALDO"].toMoney(), Money::fromWhole(20));
}

TEST_F(DataModule, ContractorListMarksContractorsWithoutAccount) {
    addKlient(1, "Beta");
    addKlient(2, QString::fromUtf8("Ąbc"));
    addKlient(3, "Alfa");
    addKonto(10, 1, "PL", "1");
    ASSERT_TRUE(data->OtworzKlient());
    ASSERT_EQ(data->Klient.recordCount(), 3);
    EXPECT_EQ(data->Klient.row(0)["NAZWA"].toString(), "Alfa");
    EXPECT_EQ(data->Klient.row(1)["NAZWA"].toString(), QString::fromUtf8("Ąbc")); // Polish order
    EXPECT_EQ(data->Klient.row(2)["KONTOTN"].toString(), "");
    EXPECT_EQ(data->Klient.row(0)["KONTOTN"].toString(), "-");
}

TEST_F(DataModule, ReceiptWordsAndNullAmount) {
    addKlient(1, "A");
    addTrans(5, 1, "NULL", "1234.56");
    addTrans(6, 1, "10", "NULL");
    ASSERT_TRUE(data->OtworzDowodWP(5));
    EXPECT_EQ(data->DowodWP.field("SLOWNIE").toString(),
              QString::fromUtf8(
                  "jeden tysiąc dwieście trzydzieści cztery złote pięćdziesiąt sześć groszy"));
    ASSERT_TRUE(data->OtworzDowodWP(6));
    EXPECT_EQ(data->DowodWP.field("SLOWNIE").toString(), "");
}

TEST_F(DataModule, OpenFailureShowsInfoWithDisplayName) {
    exec("DROP TABLE OPERACJA");
    EXPECT_FALSE(data->OtworzOperacje());
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Info);
    EXPECT_EQ(messages->messages()[0].text, "Nie udało się otworzyć bazy Opisy transakcji.");
}

TEST_F(DataModule, StartupListsOpenEmptyAccountsAndTransactions) {
    addKlient(1, "A");
    addKonto(10, 1, "PL", "1");
    data->openStartupLists();
    EXPECT_EQ(data->Klient.recordCount(), 1);
    EXPECT_TRUE(data->KontoKL.isOpen());
    EXPECT_EQ(data->KontoKL.recordCount(), 0);
    EXPECT_TRUE(data->OtworzKontoKL(1));
    EXPECT_EQ(data->KontoKL.recordCount(), 1);
    EXPECT_EQ(data->KontoKL.field("KONTOSTR").toString(), "1");
}

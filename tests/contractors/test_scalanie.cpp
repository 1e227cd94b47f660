#include "KontrahenciTest.h"

#include "Scalanie.h"
#include "frmPolaczFirmy.h"
#include "frmSzczegoly.h"

#include <QLabel>
#include <QPushButton>

#include <gtest/gtest.h>

class Scalanie : public KontrahenciTest {
protected:
    void SetUp() override {
        KontrahenciTest::SetUp();
        addKlient(1, "Alfa", "PL", NipA);
        addKlient(2, "Alfa (duplikat)");
        addKlient(3, "Gamma");
        addKonto(10, 1, "PL", NrbA);
        addKonto(11, 2, "PL", NrbB);
        addKonto(12, 2, "PL", NrbA); // the same number twice: both rows stay
        addTrans(20, 1, "500", "NULL");
        addTrans(21, 2, "NULL", "120.40");
        addTrans(22, 2, "80", "NULL");
        addTrans(23, 3, "7", "NULL");
    }
    // Every row of the ledger and the accounts, so a failed merge can be compared with it.
    QString stan() {
        QString s;
        db::Transaction tr(data->conn, db::Isolation::ReadCommitted);
        tr.start();
        for (const char* sql :
             {"SELECT KLIENTID, NAZWA FROM KLIENT ORDER BY KLIENTID",
              "SELECT WPISID, KLIENTID, NR_KONTO FROM KONTO ORDER BY WPISID",
              "SELECT WPISID, KLIENTID, DOZAPLATY, ZAPLACONO FROM TRANS ORDER BY WPISID",
              "SELECT KLIENTID, DOZAPLATY, ZAPLACONO FROM SALDA ORDER BY KLIENTID"}) {
            db::Statement st(tr, QString::fromUtf8(sql));
            db::Cursor c = st.open();
            while (c.next()) {
                for (int i = 0; i < c.row().size(); ++i)
                    s += c[i].toString() + u'|';
                s += u'\n';
            }
        }
        tr.commit();
        return s;
    }
    Money saldo(int id) { return data->SaldoKlienta(id); }
    Money sumaWierszy(int id) {
        return scalar(QStringLiteral("SELECT SUM(COALESCE(DOZAPLATY,0) - COALESCE(ZAPLACONO,0)) "
                                     "FROM TRANS WHERE KLIENTID = %1")
                          .arg(id))
            .toMoney();
    }
};

TEST_F(Scalanie, MovesAccountsAndTransactionsAndTheBalanceFollows) {
    TScalanie scal(data->conn);
    ASSERT_TRUE(scal.LaczFirmyOK(1, 2));
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID = 2"), 0);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 1"), 3);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 1"), 3);
    EXPECT_EQ(count("FROM SALDA WHERE KLIENTID = 2"), 0);
    EXPECT_EQ(saldo(1), sumaWierszy(1));
    EXPECT_EQ(saldo(1), Money::fromCents(45960));
    EXPECT_EQ(saldo(3), Money::fromWhole(7));
    // The kept contractor's own fields do not change.
    EXPECT_EQ(scalar("SELECT NAZWA || NR_NIP FROM KLIENT WHERE KLIENTID = 1").toString(),
              "Alfa" + NipA);
}

TEST_F(Scalanie, AContractorWithNothingIsOnlyDeleted) {
    addKlient(4, "Pusty");
    const QString przed = stan();
    TScalanie scal(data->conn);
    ASSERT_TRUE(scal.LaczFirmyOK(3, 4));
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID = 4"), 0);
    EXPECT_EQ(count("FROM KLIENT"), 3);
}

TEST_F(Scalanie, AFailingThirdStatementLeavesEverythingAsBefore) {
    exec("CREATE EXCEPTION SCALANIE_TEST 'Nie wolno usuwac'");
    exec("CREATE TRIGGER KLIENT_BD_SCAL FOR KLIENT BEFORE DELETE AS BEGIN "
         "EXCEPTION SCALANIE_TEST; END");
    const QString przed = stan();
    TScalanie scal(data->conn);
    EXPECT_FALSE(scal.LaczFirmyOK(1, 2));
    EXPECT_TRUE(scal.blad().contains("Nie wolno usuwac")) << scal.blad().toStdString();
    EXPECT_EQ(stan(), przed);
    EXPECT_EQ(saldo(2), sumaWierszy(2));
}

TEST_F(Scalanie, CommandLineChecks) {
    EXPECT_FALSE(SprawdzScalenie(data->conn, 1, 1).isEmpty());
    EXPECT_FALSE(SprawdzScalenie(data->conn, 1, 99).isEmpty());
    EXPECT_FALSE(SprawdzScalenie(data->conn, 99, 1).isEmpty());
    EXPECT_TRUE(SprawdzScalenie(data->conn, 1, 2).isEmpty());
}

TEST_F(Scalanie, TheDialogAsksTwiceAndMergesOnlyOnYesYes) {
    TSzczegolyFrm szczegoly(*data);
    int wybrany = 0;
    TPolaczFirmyFrm frm(*data, szczegoly, [&] { return wybrany; });
    frm.Przygotuj(1);
    EXPECT_EQ(frm.MainNazwaLbl->text(), "Alfa");
    EXPECT_FALSE(frm.WykonajBtn->isEnabled());
    EXPECT_FALSE(frm.SubSzczegolyBtn->isEnabled());

    frm.WybierzBtnClick(); // cancelled search: nothing chosen
    EXPECT_EQ(frm.SubKlientId, 0);
    wybrany = 1; // the kept contractor itself
    frm.WybierzBtnClick();
    EXPECT_FALSE(frm.WykonajBtn->isEnabled());
    EXPECT_TRUE(frm.SubSzczegolyBtn->isEnabled());
    wybrany = 2;
    frm.WybierzBtnClick();
    EXPECT_EQ(frm.SubNazwaLbl->text(), "Alfa (duplikat)");
    ASSERT_TRUE(frm.WykonajBtn->isEnabled());

    const QString przed = stan();
    frm.WykonajBtnClick(); // No to the first question
    messages->answer(true);
    frm.WykonajBtnClick(); // Yes, then No
    EXPECT_EQ(stan(), przed);
    EXPECT_FALSE(frm.Scalono);
    EXPECT_EQ(uwagi(), (QStringList{"Wykonać operację scalenia danych kontrahentów?",
                                    "Wykonać operację scalenia danych kontrahentów?",
                                    "Dane kontrahentów zostaną połączone! Kontynuować?"}));
    messages->clear();
    messages->answer(true);
    messages->answer(true);
    frm.WykonajBtnClick();
    EXPECT_TRUE(frm.Scalono);
    EXPECT_EQ(frm.result(), QDialog::Accepted);
    EXPECT_EQ(uwagi().last(), "Dane zostały przeniesione."); // success informs, calmly
    EXPECT_EQ(messages->messages().back().kind, komun::Kind::Info);
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID = 2"), 0);
}

TEST_F(Scalanie, TheDialogReportsAFailureAndStaysOpen) {
    exec("CREATE EXCEPTION SCALANIE_TEST 'Nie wolno usuwac'");
    exec("CREATE TRIGGER KLIENT_BD_SCAL FOR KLIENT BEFORE DELETE AS BEGIN "
         "EXCEPTION SCALANIE_TEST; END");
    TSzczegolyFrm szczegoly(*data);
    TPolaczFirmyFrm frm(*data, szczegoly, [] { return 2; });
    frm.Przygotuj(1);
    frm.WybierzBtnClick();
    frm.setResult(0);
    messages->answer(true);
    messages->answer(true);
    frm.WykonajBtnClick();
    EXPECT_FALSE(frm.Scalono);
    EXPECT_EQ(uwagi().last(), "Operacja się nie powiodła.");
    EXPECT_EQ(frm.result(), 0);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 2"), 2);
}

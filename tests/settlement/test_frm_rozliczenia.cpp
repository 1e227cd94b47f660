#include "DataGrid.h"
#include "SettlementTest.h"
#include "fdm.h"
#include "frmOperacja.h"
#include "frmPrzeksiegowanie.h"
#include "frmRozliczenia.h"
#include "frmSzukajKlienta.h"
#include "frmTrans.h"
#include "gridOperacje.h"

#include <QApplication>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTimer>

#include <gtest/gtest.h>

#include <functional>
#include <memory>

namespace {
// Acts on the modal dialog once it is shown.
void gdyOknoModalne(std::function<void(QDialog*)> act) {
    QTimer::singleShot(0,
                       [act] { act(qobject_cast<QDialog*>(QApplication::activeModalWidget())); });
}
QString P(const char* t) {
    return QString::fromUtf8(t).replace(u'~', QChar(0x00a0));
}
} // namespace

class FrmRozliczeniaTest : public SettlementTest {
protected:
    void SetUp() override {
        SettlementTest::SetUp();
        addKlient(1, QStringLiteral("Alfa"));
        addKlient(2, QStringLiteral("Beta Handel"));
        addKlient(3, QStringLiteral("Gamma"));
        addRow(10, 1, "F", "2024-01-10", "300.00", "NULL", QStringLiteral("FV 1/2024"));
        addRow(11, 1, "W", "2024-01-11", "NULL", "120.00", QStringLiteral("przelew"),
               QStringLiteral("BETA HANDEL"));
        data->openStartupLists();
        trans = std::make_unique<TTransFrm>(*data);
        przeks = std::make_unique<TPrzeksiegowanieFrm>(*data);
        szukaj = std::make_unique<TSzukajKlientaFrm>(*data);
        frm = std::make_unique<TRozliczeniaFrm>(*data, *trans, *przeks, *szukaj);
        frm->Przygotuj();
    }
    void TearDown() override {
        frm->reject();
        frm.reset();
        szukaj.reset();
        przeks.reset();
        trans.reset();
        SettlementTest::TearDown();
    }
    QString nazwa() const { return data->Klient.field(QStringLiteral("NAZWA")).toString(); }
    int wpis() const { return data->TransKL.field(QStringLiteral("WPISID")).toInt(); }
    std::unique_ptr<TTransFrm> trans;
    std::unique_ptr<TPrzeksiegowanieFrm> przeks;
    std::unique_ptr<TSzukajKlientaFrm> szukaj;
    std::unique_ptr<TRozliczeniaFrm> frm;
};

TEST_F(FrmRozliczeniaTest, MovingFollowsTheContractorAndTheSearchBox) {
    EXPECT_EQ(nazwa(), QStringLiteral("Alfa"));
    EXPECT_EQ(frm->NazwaLbl->text(), QStringLiteral("Alfa"));
    EXPECT_EQ(frm->SaldoLbl->text(), P(" Do zapłaty: 180,00~zł"));
    EXPECT_EQ(wpis(), 11); // newest first
    EXPECT_TRUE(frm->PrzeksiegujBtn->isEnabled());
    EXPECT_FALSE(frm->DrukujBtn->isEnabled());

    frm->SzukajEd->setText(QStringLiteral("hand"));
    EXPECT_EQ(nazwa(), QStringLiteral("Beta Handel"));
    EXPECT_EQ(frm->NazwaLbl->text(), QStringLiteral("Beta Handel"));
    EXPECT_EQ(frm->SaldoLbl->text(), P(" Do zapłaty: 0,00~zł"));
    EXPECT_TRUE(frm->DopiszBtn->isEnabled());
    EXPECT_FALSE(frm->PoprawBtn->isEnabled());
    EXPECT_FALSE(frm->UsunBtn->isEnabled());

    // The search dialog's choice becomes the current contractor.
    gdyOknoModalne([this](QDialog* d) {
        ASSERT_EQ(d, szukaj.get());
        szukaj->FiltrEd->setText(QStringLiteral("gam"));
        szukaj->WybierzBtn->click();
    });
    frm->SzukajBtnClick();
    EXPECT_EQ(nazwa(), QStringLiteral("Gamma"));
    // Cancelled: nothing moves.
    gdyOknoModalne([this](QDialog*) { szukaj->AnulujBtn->click(); });
    frm->SzukajBtnClick();
    EXPECT_EQ(nazwa(), QStringLiteral("Gamma"));
}

TEST_F(FrmRozliczeniaTest, AddingAPaymentByHandThenItsReceiptButton) {
    gdyOknoModalne([this](QDialog* d) {
        ASSERT_EQ(d, trans.get());
        EXPECT_TRUE(trans->ZaplataRb->isChecked());
        EXPECT_EQ(trans->DataEd->text(), QDate::currentDate().toString("dd-MM-yyyy"));
        trans->KwotaEd->setText(QStringLiteral("1 000,5"));
        trans->OpisEd->setEditText(QStringLiteral("wpłata w kasie"));
        trans->PostBtn->click();
    });
    frm->DopiszBtnClick();
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 1 AND ZRODLO = 'U' AND ZAPLACONO = 1000.50"), 1);
    EXPECT_EQ(frm->SaldoLbl->text(), P(" Nadpłata: 820,50~zł"));
    EXPECT_EQ(data->TransKL.field(QStringLiteral("ZRODLO")).toString(), QStringLiteral("U"));
    EXPECT_TRUE(frm->DrukujBtn->isEnabled());
    // Printing is wired by whoever provides the printouts; the button hands over the row.
    int drukowany = 0;
    frm->setDruki({[&](int id) { drukowany = id; }, {}, {}, {}});
    frm->DrukujBtn->click();
    EXPECT_EQ(drukowany, wpis());
}

TEST_F(FrmRozliczeniaTest, TransactionDialogRefusesAndLimitsItsDescription) {
    trans->PrzygotujInsert(1);
    trans->DataEd->clear();
    trans->PostBtnClick();
    trans->KwotaEd->setText(QStringLiteral("0"));
    trans->DataEd->setText(QStringLiteral("01-02-2024"));
    trans->PostBtnClick();
    trans->KwotaEd->setText(QStringLiteral("5"));
    trans->PostBtnClick();
    EXPECT_EQ(messages->texts(),
              (QStringList{"Data transakcji nie podana.", "Kwota transakcji nie podana.",
                           "Opis transakcji nie podany."}));
    EXPECT_EQ(count("FROM TRANS"), 2);
    // Nothing longer than the ledger column holds can be typed.
    trans->OpisEd->setEditText(QString(200, u'x'));
    EXPECT_EQ(trans->OpisEd->currentText().size(), 140);
    trans->reject();
}

TEST_F(FrmRozliczeniaTest, CorrectingAnInvoiceChangesItsDescriptionOnly) {
    exec("INSERT INTO OPERACJA (WPISID, OPIS) VALUES (500, 'Opłata za fakturę')");
    ASSERT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), 10));
    gdyOknoModalne([this](QDialog*) {
        EXPECT_FALSE(trans->KwotaEd->isEnabled());
        EXPECT_FALSE(trans->DataEd->isEnabled());
        EXPECT_FALSE(trans->RodzajGrp->isEnabled());
        EXPECT_TRUE(trans->NaleznoscRb->isChecked());
        EXPECT_EQ(trans->KwotaEd->text(), QStringLiteral("300,00"));
        EXPECT_EQ(trans->DataEd->text(), QStringLiteral("10-01-2024"));
        EXPECT_EQ(trans->OpisEd->currentText(), QStringLiteral("FV 1/2024"));
        // The dictionary is offered afresh at each opening.
        EXPECT_EQ(trans->OpisEd->findText(QStringLiteral("Opłata za fakturę")), 0);
        trans->OpisEd->setEditText(QStringLiteral("FV 1/2024 korekta opisu"));
        trans->PostBtn->click();
    });
    frm->PoprawBtnClick();
    EXPECT_EQ(wpis(), 10); // back on the same row
    EXPECT_EQ(data->TransKL.field(QStringLiteral("OPIS_TR")).toString(),
              QStringLiteral("FV 1/2024 korekta opisu"));
    EXPECT_EQ(scalar("SELECT DOZAPLATY FROM TRANS WHERE WPISID = 10").toMoney(),
              Money::fromWhole(300));
}

TEST_F(FrmRozliczeniaTest, DeleteAsksFirst) {
    ASSERT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), 10));
    messages->answer(false);
    frm->UsunBtnClick();
    EXPECT_EQ(count("FROM TRANS"), 2);
    messages->answer(true);
    frm->UsunBtnClick();
    EXPECT_EQ(messages->texts(),
              (QStringList{"Usunąć transakcję z wykazu?", "Usunąć transakcję z wykazu?"}));
    EXPECT_EQ(count("FROM TRANS"), 1);
    EXPECT_EQ(frm->SaldoLbl->text(), P(" Nadpłata: 120,00~zł"));
    EXPECT_EQ(wpis(), 11);
}

TEST_F(FrmRozliczeniaTest, RebookingAStatementPaymentThroughItsDialog) {
    ASSERT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), 11));
    messages->answer(true);
    gdyOknoModalne([this](QDialog* d) {
        ASSERT_EQ(d, przeks.get());
        EXPECT_EQ(przeks->KontrahentLbl->text(), QStringLiteral("BETA HANDEL"));
        EXPECT_EQ(przeks->KwotaLbl->text(), QStringLiteral("120,00"));
        EXPECT_EQ(przeks->DataLbl->text(), QStringLiteral("11-01-2024"));
        EXPECT_EQ(przeks->lista().lista().recordCount(), 2); // every other contractor
        przeks->FiltrEd->setText(QStringLiteral("zzz"));
        EXPECT_FALSE(przeks->PrzeksiegujBtn->isEnabled());
        przeks->FiltrEd->setText(QStringLiteral("beta"));
        EXPECT_EQ(przeks->FFiltr(), QStringLiteral("BETA"));
        EXPECT_TRUE(przeks->PrzeksiegujBtn->isEnabled());
        przeks->PrzeksiegujBtn->click();
    });
    frm->PrzeksiegujBtnClick();
    EXPECT_EQ(messages->texts(), QStringList{"Przeksięgować transakcję?"});
    EXPECT_EQ(scalar("SELECT KLIENTID FROM TRANS WHERE WPISID = 11").toInt(), 2);
    EXPECT_EQ(frm->SaldoLbl->text(), P(" Do zapłaty: 300,00~zł"));
    EXPECT_FALSE(frm->PrzeksiegujBtn->isEnabled()); // the invoice is current now
    EXPECT_EQ(saldo(2), Money::fromWhole(-120));
    EXPECT_EQ(saldo(1), sumaTrans(1));
    EXPECT_EQ(saldo(2), sumaTrans(2));
}

TEST_F(FrmRozliczeniaTest, RebookingInARegisterOfOneOffersNothing) {
    exec("DELETE FROM KLIENT WHERE KLIENTID IN (2, 3)");
    ASSERT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), 11));
    ASSERT_TRUE(przeks->Przygotuj());
    EXPECT_EQ(przeks->lista().lista().recordCount(), 0);
    EXPECT_FALSE(przeks->PrzeksiegujBtn->isEnabled());
    przeks->reject();
}

TEST_F(FrmRozliczeniaTest, TabsReadTheListsAfreshOnEntry) {
    frm->Zakladki->setCurrentWidget(frm->ZestawienieTab);
    EXPECT_EQ(frm->ZestawienieLbl->text(), P(" Razem kontrahenci - suma należności: 180,00~zł"));
    EXPECT_EQ(data->Salda.currentIndex(), 0);
    frm->Zakladki->setCurrentWidget(frm->NadplatyTab);
    EXPECT_FALSE(frm->DrukujNadplatyBtn->isEnabled());
    frm->Zakladki->setCurrentWidget(frm->NaleznosciTab);
    EXPECT_TRUE(frm->DrukujNaleznosciBtn->isEnabled());
    EXPECT_EQ(data->Dluznicy.data(data->Dluznicy.index(0, 1), Qt::DisplayRole).toString(),
              QStringLiteral(" 180,00"));

    // Another workstation books a large payment: entering the tabs shows it.
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO) "
         "VALUES (20, 3, 'W', '2024-02-01', 1000)");
    frm->Zakladki->setCurrentWidget(frm->NadplatyTab);
    EXPECT_TRUE(frm->DrukujNadplatyBtn->isEnabled());
    frm->Zakladki->setCurrentWidget(frm->ZestawienieTab);
    EXPECT_EQ(frm->ZestawienieLbl->text(), P(" Razem kontrahenci - nadpłata: 820,00~zł"));
    // Every opening starts on "Rozliczenia".
    frm->Przygotuj();
    EXPECT_EQ(frm->Zakladki->currentWidget(), frm->RozliczeniaTab);
}

class FrmOperacjeTest : public SettlementTest {
protected:
    void SetUp() override {
        SettlementTest::SetUp();
        frm = std::make_unique<TOperacjaFrm>(*data);
        tbl = std::make_unique<TOperacjeTbl>(*data, *frm);
    }
    void TearDown() override {
        tbl.reset();
        frm.reset();
        SettlementTest::TearDown();
    }
    std::unique_ptr<TOperacjaFrm> frm;
    std::unique_ptr<TOperacjeTbl> tbl;
};

TEST_F(FrmOperacjeTest, DictionaryButtonsAddCorrectAndDelete) {
    EXPECT_FALSE(tbl->DopiszBtn->isEnabled()); // not open yet
    ASSERT_TRUE(tbl->Przygotuj());
    EXPECT_TRUE(tbl->DopiszBtn->isEnabled());
    EXPECT_FALSE(tbl->PoprawBtn->isEnabled());
    EXPECT_FALSE(tbl->UsunBtn->isEnabled());

    gdyOknoModalne([this](QDialog*) {
        frm->OpisEd->setText(QStringLiteral("Czynsz"));
        frm->ZapiszBtn->click();
    });
    tbl->DopiszBtnClick();
    EXPECT_TRUE(tbl->PoprawBtn->isEnabled());
    EXPECT_TRUE(tbl->UsunBtn->isEnabled());
    EXPECT_EQ(frm->OpisEd->maxLength(), 80);

    gdyOknoModalne([this](QDialog*) {
        EXPECT_EQ(frm->OpisEd->text(), QStringLiteral("Czynsz"));
        frm->OpisEd->setText(QStringLiteral("CZYNSZ"));
        frm->ZapiszBtn->click();
    });
    tbl->PoprawBtnClick();
    EXPECT_EQ(scalar("SELECT OPIS FROM OPERACJA").toString(), QStringLiteral("CZYNSZ"));

    gdyOknoModalne([this](QDialog*) {
        frm->OpisEd->setText(QStringLiteral(" czynsz "));
        frm->ZapiszBtn->click();
        EXPECT_TRUE(frm->isVisible()); // refused: stays open with the text
        EXPECT_EQ(frm->OpisEd->text(), QStringLiteral(" czynsz "));
        frm->reject();
    });
    tbl->DopiszBtnClick();
    EXPECT_EQ(messages->texts(), QStringList{"Opis transakcji nie może się powtarzać."});

    messages->answer(true);
    tbl->UsunBtnClick();
    EXPECT_EQ(count("FROM OPERACJA"), 0);
    EXPECT_FALSE(tbl->PoprawBtn->isEnabled());
    tbl->accept();
    EXPECT_FALSE(data->trOperacja.active());
}

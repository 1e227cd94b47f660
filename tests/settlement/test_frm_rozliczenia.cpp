#include "DataGrid.h"
#include "PoleKwoty.h"
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
#include <QTest>
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
    frm->setDruki({[&](int id) { drukowany = id; }, {}, {}});
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
    // A question that deletes has "Nie" for its default answer.
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::ZgodaDefNo);
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
        EXPECT_FALSE(przeks->PrzeksiegujBtn->isEnabled()); // filtered, not yet chosen
        przeks->lista().lista().setCurrentIndex(0);
        EXPECT_TRUE(przeks->PrzeksiegujBtn->isEnabled());
        przeks->PrzeksiegujBtn->click();
    });
    frm->PrzeksiegujBtnClick();
    EXPECT_EQ(messages->texts(), QStringList{P("Przeksięgować wpłatę 120,00~zł na: Beta Handel?")});
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

// "1.234,56" typed in the amount box is 1 234,56, never 1,23; what cannot be read one way
// only is refused with its reason; a payment below zero is no payment. The dialog names the
// contractor whose ledger it writes to.
TEST_F(FrmRozliczeniaTest, AmountBoxReadsTypedAmountsWholeOrRefusesThem) {
    const struct {
        const char* wpisano;
        bool naleznosc;
        const char* zapisano; // the amount stored, or nullptr: refused with the reason
        const char* powod;
    } przypadki[] = {
        {"1.234,56", false, "1234.56", nullptr},
        {"1 234,5", false, "1234.50", nullptr},
        {"1234.56", true, "1234.56", nullptr},
        {"1.234", false, nullptr, "Nie wiadomo"},
        {"12,345", false, nullptr, "Nie wiadomo"},
        {"12,3456", false, nullptr, "więcej niż dwa miejsca"},
        {"12 zl 50", false, nullptr, "nie jest kwotą"},
        {"-50,00", false, nullptr, "Wpłata nie może być ujemna"},
        {"-50,00", true, "-50.00", nullptr}, // a negative amount due corrects one
    };
    int wpisy = count("FROM TRANS");
    for (const auto& p : przypadki) {
        messages->clear();
        gdyOknoModalne([&](QDialog* d) {
            ASSERT_EQ(d, trans.get());
            EXPECT_EQ(trans->KontrahentLbl->text(), QStringLiteral("Alfa"));
            EXPECT_TRUE(trans->windowTitle().contains(QStringLiteral("Alfa")));
            (p.naleznosc ? trans->NaleznoscRb : trans->ZaplataRb)->setChecked(true);
            trans->KwotaEd->clear();
            QTest::keyClicks(trans->KwotaEd, QString::fromUtf8(p.wpisano));
            trans->OpisEd->setEditText(QStringLiteral("wpis ręczny"));
            trans->PostBtn->click();
            if (p.zapisano)
                return;
            EXPECT_TRUE(trans->isVisible()) << p.wpisano; // refused: the dialog stays open
            EXPECT_EQ(trans->KwotaEd->text(), QString::fromUtf8(p.wpisano)); // nothing cut
            trans->reject();
        });
        frm->DopiszBtnClick();
        if (p.zapisano) {
            EXPECT_TRUE(messages->texts().isEmpty()) << p.wpisano;
            EXPECT_EQ(count("FROM TRANS"), ++wpisy) << p.wpisano;
            const QString kolumna = p.naleznosc ? "DOZAPLATY" : "ZAPLACONO";
            EXPECT_EQ(scalar("SELECT " + kolumna +
                             " FROM TRANS WHERE WPISID = " + QString::number(wpis()))
                          .toMoney(),
                      zl(p.zapisano))
                << p.wpisano;
        } else {
            ASSERT_EQ(messages->texts().size(), 1) << p.wpisano;
            EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
            EXPECT_TRUE(messages->texts()[0].contains(QString::fromUtf8(p.powod)))
                << p.wpisano << ": " << messages->texts()[0].toStdString();
            EXPECT_EQ(count("FROM TRANS"), wpisy) << p.wpisano;
        }
    }
}

// Leaving the amount box shows how it was read.
TEST_F(FrmRozliczeniaTest, AmountBoxShowsTheAmountItRead) {
    trans->PrzygotujInsert(1);
    trans->KwotaEd->setText(QStringLiteral("1.234,5"));
    emit trans->KwotaEd->editingFinished();
    EXPECT_EQ(trans->KwotaEd->text(), P("1~234,50"));
    trans->KwotaEd->setText(QStringLiteral("1.234"));
    emit trans->KwotaEd->editingFinished();
    EXPECT_EQ(trans->KwotaEd->text(), QStringLiteral("1.234")); // left as typed, with the reason
    EXPECT_TRUE(trans->KwotaEd->toolTip().startsWith(QStringLiteral("Nie wiadomo")));
    trans->reject();
}

// "Przeksięguj" chooses no contractor for the user: Enter alone moves nothing, and the
// question names the amount and the contractor, with "Nie" for its default.
TEST_F(FrmRozliczeniaTest, RebookingStartsWithNoTargetAndNamesAmountAndTarget) {
    exec("UPDATE KLIENT SET NR_NIP = '5260250274' WHERE KLIENTID = 3");
    ASSERT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), 11));
    gdyOknoModalne([this](QDialog* d) {
        ASSERT_EQ(d, przeks.get());
        EXPECT_EQ(przeks->ZKontaLbl->text(), QStringLiteral("Alfa"));
        EXPECT_EQ(przeks->lista().lista().current(), nullptr);
        EXPECT_TRUE(przeks->Grid->selectionModel()->selectedRows().isEmpty());
        EXPECT_FALSE(przeks->PrzeksiegujBtn->isEnabled());
        // Enter, twice, with nothing chosen: said, nothing moved.
        QTest::keyClick(przeks->FiltrEd, Qt::Key_Return);
        QTest::keyClick(przeks->FiltrEd, Qt::Key_Return);
        EXPECT_TRUE(przeks->isVisible());
        // A filter narrows the list; it still chooses nothing.
        przeks->FiltrEd->setText(QStringLiteral("gam"));
        EXPECT_EQ(przeks->lista().lista().recordCount(), 1);
        EXPECT_FALSE(przeks->PrzeksiegujBtn->isEnabled());
        // Down from the filter box goes into the list: the keyboard chooses.
        QTest::keyClick(przeks->FiltrEd, Qt::Key_Down);
        EXPECT_EQ(przeks->lista().biezacyKlientId(), 3);
        EXPECT_TRUE(przeks->PrzeksiegujBtn->isEnabled());
        messages->answer(false);
        QTest::keyClick(przeks->Grid, Qt::Key_Return); // asks; "Nie" leaves it where it is
        EXPECT_TRUE(przeks->isVisible());
        messages->answer(true);
        przeks->PrzeksiegujBtn->click();
    });
    frm->PrzeksiegujBtnClick();
    const QString pytanie = P("Przeksięgować wpłatę 120,00~zł na: Gamma (NIP 5260250274)?");
    EXPECT_EQ(messages->texts(),
              (QStringList{"Wybierz z listy kontrahenta, na którego przeksięgować wpłatę.",
                           "Wybierz z listy kontrahenta, na którego przeksięgować wpłatę.", pytanie,
                           pytanie}));
    EXPECT_EQ(messages->messages()[2].kind, komun::Kind::ZgodaDefNo);
    EXPECT_EQ(scalar("SELECT KLIENTID FROM TRANS WHERE WPISID = 11").toInt(), 3);
}

// A search text that matches nothing leaves no contractor chosen and says so; digits find a
// contractor by its tax number or bank account; "Szukaj" starts from the text typed.
TEST_F(FrmRozliczeniaTest, SearchNotFoundChoosesNothingAndNumbersFindContractors) {
    exec("UPDATE KLIENT SET NR_NIP = '526-0250-274' WHERE KLIENTID = 2");
    addKonto(50, 3, QStringLiteral("PL"), QStringLiteral("61109010140000071219812874"));
    data->OtworzKlient();
    frm->Przygotuj();
    ASSERT_EQ(nazwa(), QStringLiteral("Alfa"));

    frm->SzukajEd->setText(QStringLiteral("Kowalski"));
    EXPECT_EQ(data->Klient.current(), nullptr);
    EXPECT_TRUE(frm->KlientGrid->selectionModel()->selectedRows().isEmpty());
    EXPECT_EQ(frm->NazwaLbl->text(), QString());
    EXPECT_EQ(data->TransKL.recordCount(), 0);
    EXPECT_FALSE(frm->DopiszBtn->isEnabled()); // nothing to book a payment to
    EXPECT_EQ(frm->SaldoLbl->text(), QStringLiteral(" Nie wybrano kontrahenta"));
    EXPECT_EQ(frm->SzukajNotkaLbl->text(),
              QStringLiteral("Nie znaleziono kontrahenta: „Kowalski”."));

    const struct {
        const char* tekst;
        const char* kto;
        const char* notka;
    } numery[] = {
        {"5260250274", "Beta Handel", "Znaleziono po numerze NIP."},
        {"PL 526 025", "Beta Handel", "Znaleziono po numerze NIP."},
        {"61 1090 1014 0000 0712 1981 2874", "Gamma", "Znaleziono po numerze rachunku bankowego."},
        {"9812874", "Gamma", "Znaleziono po numerze rachunku bankowego."},
        {"gam", "Gamma", ""},
    };
    for (const auto& n : numery) {
        frm->SzukajEd->setText(QString::fromUtf8(n.tekst));
        EXPECT_EQ(nazwa(), QString::fromUtf8(n.kto)) << n.tekst;
        EXPECT_EQ(frm->SzukajNotkaLbl->text(), QString::fromUtf8(n.notka)) << n.tekst;
    }

    // "Szukaj" opens the pick list filtered by the box's text, numbers included.
    frm->SzukajEd->setText(QStringLiteral("5260250274"));
    gdyOknoModalne([this](QDialog*) {
        EXPECT_EQ(szukaj->FiltrEd->text(), QStringLiteral("5260250274"));
        EXPECT_EQ(szukaj->lista().lista().recordCount(), 1);
        szukaj->FiltrEd->setText(QStringLiteral("2874"));
        EXPECT_EQ(szukaj->lista().biezacyKlientId(), 3); // by the bank account
        szukaj->WybierzBtn->click();
    });
    frm->SzukajBtnClick();
    EXPECT_EQ(nazwa(), QStringLiteral("Gamma"));
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
    EXPECT_EQ(messages->messages().back().kind, komun::Kind::ZgodaDefNo);
    EXPECT_EQ(count("FROM OPERACJA"), 0);
    EXPECT_FALSE(tbl->PoprawBtn->isEnabled());
    tbl->accept();
    EXPECT_FALSE(data->trOperacja.active());
}

#include "DataGrid.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "WczytajFaktury.h"
#include "ZipPisz.h"
#include "fks.h"
#include "frmBrakKontrahenta.h"

#include <QApplication>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/invoices/") + QString::fromUtf8(name);
}

// Acts on the unknown-buyer dialog once it is shown modally (the run lets events through
// before it, so the check repeats until the dialog is up).
void whenDialogShown(std::function<void(TBrakKontrahentaFrm&)> act, int attempts = 500) {
    QTimer::singleShot(10, [act, attempts] {
        auto* d = qobject_cast<TBrakKontrahentaFrm*>(QApplication::activeModalWidget());
        if (!d && attempts > 0) {
            whenDialogShown(act, attempts - 1);
            return;
        }
        ASSERT_NE(d, nullptr);
        act(*d);
    });
}

} // namespace

class FakturyFrmTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ks = std::make_unique<Tks>(data->conn);
        frm = std::make_unique<TFakturyFrm>(*data, *ks);
    }
    void TearDown() override {
        frm.reset();
        ks.reset();
        DbTest::TearDown();
    }
    void lista(const QString& path) {
        frm->PlikEd->setText(path);
        frm->WczytajBtnClick();
    }

    std::unique_ptr<Tks> ks;
    std::unique_ptr<TFakturyFrm> frm;
    QTemporaryDir dir;
};

TEST_F(FakturyFrmTest, ListsAFileAndOffersBooking) {
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
    lista(fixture("jpk_fa4_tns.xml"));
    EXPECT_TRUE(messages->messages().empty());
    ASSERT_EQ(frm->FaktTbl().rowCount(), 4);
    EXPECT_TRUE(frm->KsiegujBtn->isEnabled());
    EXPECT_EQ(frm->Grid->currentIndex().row(), 0);
    const auto cell = [&](int r, int c) {
        return frm->FaktTbl().data(frm->FaktTbl().index(r, c), Qt::DisplayRole).toString();
    };
    EXPECT_EQ(cell(0, 0), "FV/1/03/2023");
    EXPECT_EQ(cell(1, 1), ""); // no tax number: listed all the same
    EXPECT_EQ(cell(3, 2).size(), 80);
    EXPECT_FALSE(frm->raportWidoczny());
}

// Another file, folder or ZIP named after the list was made empties it: "Księguj" never books
// what the window no longer names.
TEST_F(FakturyFrmTest, AnotherSourceEmptiesTheListAndDisablesBooking) {
    for (const QString& inny : {fixture("jpk_fa_pusty.xml"), QString(BREVANT_FIXTURES "/ksef"),
                                fixture("jpk_fa4_tns.xml") + "x"}) {
        lista(fixture("jpk_fa4_tns.xml"));
        ASSERT_EQ(frm->FaktTbl().rowCount(), 4);
        ASSERT_TRUE(frm->KsiegujBtn->isEnabled());
        frm->PlikEd->setText(inny);
        EXPECT_EQ(frm->FaktTbl().rowCount(), 0) << inny.toStdString();
        EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
        frm->KsiegujBtnClick();
        EXPECT_TRUE(messages->messages().empty());
        EXPECT_EQ(count("FROM TRANS"), 0);
    }
}

TEST_F(FakturyFrmTest, RefusedFilesAndWhatStaysListed) {
    lista("  ");
    EXPECT_EQ(messages->texts(), QStringList({"Nazwa pliku JPK_FAKTURA nie podana."}));
    lista(fixture("jpk_fa4_tns.xml"));
    messages->clear();

    // a file that cannot be loaded empties the list: nothing of the previous file is booked
    frm->Rap->setPlainText("poprzedni raport");
    frm->Tabs->setTabVisible(1, true);
    lista(fixture("jpk_fa_uszkodzony.xml"));
    EXPECT_EQ(messages->texts(), QStringList({QString::fromUtf8("Nie udało się otworzyć pliku: ") +
                                              fixture("jpk_fa_uszkodzony.xml")}));
    EXPECT_EQ(frm->FaktTbl().rowCount(), 0);
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
    EXPECT_FALSE(frm->raportWidoczny());
    messages->clear();

    // the same after a missing file
    lista(fixture("jpk_fa4_tns.xml"));
    lista(fixture("nie_ma.xml"));
    EXPECT_EQ(frm->FaktTbl().rowCount(), 0);
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
    messages->clear();

    // a wrong form code empties the list
    lista(fixture("jpk_vat.xml"));
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
    EXPECT_EQ(frm->FaktTbl().rowCount(), 0);
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
    messages->clear();

    // a bad date refuses the file in Polish, naming the invoice; nothing is listed
    lista(fixture("jpk_fa4_tns.xml"));
    messages->clear();
    lista(fixture("jpk_fa_zla_data.xml"));
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
    EXPECT_TRUE(messages->messages()[0].text.startsWith(
        QString::fromUtf8("Nie można odczytać daty „2023-13-01” faktury FV/3 (plik "
                          "jpk_fa_zla_data.xml)")))
        << messages->messages()[0].text.toStdString();
    EXPECT_EQ(frm->FaktTbl().rowCount(), 0);
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
    messages->clear();

    // an empty list: no message, nothing to book
    lista(fixture("jpk_fa_pusty.xml"));
    EXPECT_TRUE(messages->messages().empty());
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
}

TEST_F(FakturyFrmTest, BooksWithTheDialogForAnUnknownBuyer) {
    addKlient(10, QString::fromUtf8("Żabka"), "PL", "5990000010");
    lista(fixture("jpk_fa4_tns.xml"));
    messages->answer(true); // "Zaksięgować faktury?"
    whenDialogShown([](TBrakKontrahentaFrm& d) {
        EXPECT_EQ(d.Fakt.NrFakt, "FV/3/03/2023");
        EXPECT_EQ(d.NipEd->text(), "DE123456789");
        EXPECT_TRUE(d.NowyRb->isChecked()); // nobody has the buyer's tax number
        d.FiltrEd->setText("nikt taki");    // nobody matches: "new" stays selected
        EXPECT_TRUE(d.NowyRb->isChecked());
        EXPECT_EQ(d.OkBtn->text(), "&Dopisz nowego kontrahenta");
        d.NazwaEd->setText("  Nowy Nabywca  ");
        d.KrNipEd->setText("DE");
        d.OkBtn->click();
    });
    frm->KsiegujBtnClick();

    ASSERT_EQ(messages->messages().size(), 2u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Zgoda);
    EXPECT_EQ(messages->messages()[0].text, QString::fromUtf8("Zaksięgować faktury?"));
    EXPECT_EQ(messages->messages()[1].kind, komun::Kind::Info);
    EXPECT_EQ(messages->messages()[1].text, QString::fromUtf8("Zakończono księgowanie faktur."));
    EXPECT_TRUE(frm->FZaksiegowano);
    EXPECT_TRUE(frm->raportWidoczny());
    const QStringList raport = frm->Rap->toPlainText().split('\n');
    ASSERT_EQ(raport.size(), 5); // a line per invoice, then the counts
    EXPECT_EQ(raport[4], QString::fromUtf8("Zaksięgowano faktur: 3, zaksięgowanych wcześniej: 0, "
                                           "pominiętych: 1; dodano kontrahentów: 1, nadano NIP "
                                           "kontrahentom: 0; rozliczono od razu z wpłatami lub "
                                           "korektami: 1."));
    EXPECT_TRUE(frm->KsiegujBtn->isEnabled());
    EXPECT_TRUE(frm->Gauge->isHidden());
    EXPECT_EQ(count("FROM KLIENT WHERE NAZWA='Nowy Nabywca' AND KR_NIP='DE' AND "
                    "NR_NIP='DE123456789'"),
              1);
    EXPECT_EQ(count("FROM TRANS"), 3);
}

TEST_F(FakturyFrmTest, NoMeansNothingBooked) {
    lista(fixture("jpk_fa4_tns.xml"));
    messages->answer(false);
    frm->KsiegujBtnClick();
    EXPECT_EQ(messages->messages().size(), 1u);
    EXPECT_FALSE(frm->FZaksiegowano);
    EXPECT_EQ(count("FROM TRANS"), 0);
}

TEST_F(FakturyFrmTest, DialogChoosesAnExistingContractorOrStops) {
    addKlient(10, "Alfa", "PL", "1");
    addKlient(11, "Beta", "PL", "2");
    addKlient(12, QString::fromUtf8("Bęben"), "PL", "3");
    TBrakKontrahentaFrm& d = *frm->BrakKontrahenta();
    recFaktura f;
    f.NrFakt = "FV/9";
    f.NipOdb = "777";
    f.KrNip = "PL";
    ASSERT_TRUE(d.Przygotuj(f));
    EXPECT_EQ(d.klienci().recordCount(), 3);
    // nobody has the buyer's number: a new contractor is offered, no contractor is current
    EXPECT_TRUE(d.NowyRb->isChecked());
    EXPECT_EQ(d.OkBtn->text(), "&Dopisz nowego kontrahenta");
    EXPECT_TRUE(d.NowyRb->font().bold());
    EXPECT_EQ(d.klienci().current(), nullptr);
    EXPECT_FALSE(d.KlientGrid->selectionModel()->hasSelection());

    d.FiltrEd->setText(QString::fromUtf8(" bę ")); // upper-cased and trimmed
    EXPECT_EQ(d.sFiltr, QString::fromUtf8("BĘ"));
    ASSERT_EQ(d.klienci().recordCount(), 1);
    EXPECT_TRUE(d.IstniejacyRb->isChecked());
    EXPECT_EQ(d.klienci().field("KLIENTID").toInt(), 12);
    d.OkBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.FKlientId, 12);
    const auto decyzja = d.Decyzja(d.result());
    EXPECT_EQ(decyzja.wybor, DecyzjaBrakKontrahenta::Wybor::WybierzIstniejacego);
    EXPECT_EQ(decyzja.FKlientId, 12);
    EXPECT_EQ(decyzja.NipWybranego, "3");
    EXPECT_EQ(decyzja.KrNip, "PL");

    ASSERT_TRUE(d.Przygotuj(f));
    EXPECT_EQ(d.FiltrEd->text(), "");
    EXPECT_EQ(d.klienci().recordCount(), 3);
    d.PrzerwijBtn->click();
    EXPECT_EQ(d.Decyzja(d.result()).wybor, DecyzjaBrakKontrahenta::Wybor::Przerwij);
    ASSERT_TRUE(d.Przygotuj(f));
    d.PominBtn->click();
    EXPECT_EQ(d.Decyzja(d.result()).wybor, DecyzjaBrakKontrahenta::Wybor::Pomin);
}

// Choosing by click, by keyboard and by the filter all give the contractor shown chosen;
// OK with "Wybierz istniejącego" and nothing chosen says so.
TEST_F(FakturyFrmTest, DialogChoosingByClickKeyboardAndFilter) {
    addKlient(10, "Alfa", "PL", "1");
    addKlient(11, "Beta", "PL", "2");
    addKlient(12, "Gamma", "PL", "PL5990000010"); // the number written with its prefix
    TBrakKontrahentaFrm& d = *frm->BrakKontrahenta();
    d.resize(600, 600);
    d.show();
    recFaktura f;
    f.NrFakt = "FV/9";
    f.NipOdb = "777";

    // a click on the first row, which the view may keep as its own current row
    ASSERT_TRUE(d.Przygotuj(f));
    QCoreApplication::processEvents();
    const QRect pierwszy = d.KlientGrid->visualRect(d.klienci().index(0, 0));
    QTest::mouseClick(d.KlientGrid->viewport(), Qt::LeftButton, {}, pierwszy.center());
    EXPECT_TRUE(d.IstniejacyRb->isChecked());
    ASSERT_NE(d.klienci().current(), nullptr);
    EXPECT_EQ(d.klienci().field("KLIENTID").toInt(), 10);
    d.OkBtn->click();
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.FKlientId, 10);

    // the keyboard: Down in the filter box walks the list, Enter on the list chooses
    d.show();
    ASSERT_TRUE(d.Przygotuj(f));
    QTest::keyClick(d.FiltrEd, Qt::Key_Down);
    QTest::keyClick(d.FiltrEd, Qt::Key_Down);
    EXPECT_TRUE(d.IstniejacyRb->isChecked());
    EXPECT_EQ(d.klienci().field("KLIENTID").toInt(), 11);
    EXPECT_TRUE(d.KlientGrid->selectionModel()->isRowSelected(1, {}));
    QTest::keyClick(d.KlientGrid, Qt::Key_Return);
    EXPECT_EQ(d.result(), QDialog::Accepted);
    EXPECT_EQ(d.FKlientId, 11);

    // "Wybierz istniejącego" with nothing chosen: Enter says so and the dialog stays open
    d.show();
    ASSERT_TRUE(d.Przygotuj(f));
    d.IstniejacyRb->click();
    messages->clear();
    QTest::keyClick(d.FiltrEd, Qt::Key_Enter);
    EXPECT_TRUE(d.isVisible());
    EXPECT_EQ(d.FKlientId, 0);
    EXPECT_EQ(messages->texts(),
              QStringList({QString::fromUtf8("Nie wybrano kontrahenta z listy.\rWskaż kontrahenta "
                                             "na liście albo zaznacz „Dopisz nowego "
                                             "kontrahenta”.")}));
    d.PominBtn->click();

    // a contractor holding the buyer's number written otherwise is offered at once
    f.NipOdb = "5990000010";
    ASSERT_TRUE(d.Przygotuj(f));
    EXPECT_TRUE(d.IstniejacyRb->isChecked());
    EXPECT_EQ(d.klienci().field("KLIENTID").toInt(), 12);
    d.hide();
}

// Enter as the dialog opens adds the buyer as new (nobody has its number); the register is
// read once however many buyers are asked about.
TEST_F(FakturyFrmTest, EnterAddsTheUnknownBuyerAndTheRegisterIsReadOnce) {
    addKlient(10, "Alfa", "PL", "1");
    addKlient(11, "Beta", "PL", "2");
    const QString path = QDir(dir.path()).filePath("dwie.xml");
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>"
              "<Faktura><P_1>2023-03-01</P_1><P_2A>FV/1</P_2A><P_3A>Nowa</P_3A><P_5B>777</P_5B>"
              "<P_15>1</P_15></Faktura><Faktura><P_1>2023-03-02</P_1><P_2A>FV/2</P_2A>"
              "<P_5B>888</P_5B><P_15>2</P_15></Faktura></JPK>");
    out.close();
    lista(path);
    ASSERT_EQ(frm->FaktTbl().rowCount(), 2);

    int odczyty = 0;
    QObject::connect(&frm->BrakKontrahenta()->klienci(), &Dataset::reopened, [&] { ++odczyty; });
    int pytania = 0;
    std::function<void(TBrakKontrahentaFrm&)> odpowiedz = [&](TBrakKontrahentaFrm& d) {
        ++pytania;
        if (pytania == 1) {
            QTest::keyClick(d.FiltrEd, Qt::Key_Enter); // "Dopisz nowego kontrahenta"
            whenDialogShown(odpowiedz);
        } else {
            d.PominBtn->click();
        }
    };
    whenDialogShown(odpowiedz);
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(pytania, 2);
    EXPECT_EQ(odczyty, 1);
    EXPECT_EQ(count("FROM KLIENT WHERE NR_NIP = '777' AND NAZWA = 'Nowa'"), 1);
    EXPECT_EQ(count("FROM KLIENT WHERE NR_NIP = '888'"), 0);
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID=10 AND NR_NIP='1'"), 1);
    EXPECT_EQ(count("FROM TRANS"), 1);
}

// A JPK_FA invoice in euro shows its currency and kind, and is listed but never booked.
TEST_F(FakturyFrmTest, JpkFaCurrencyAndKindShownAndForeignInvoiceNotBooked) {
    addKlient(10, QString::fromUtf8("Żabka"), "PL", "5990000010");
    lista(fixture("jpk_fa_waluty.xml"));
    ASSERT_EQ(frm->FaktTbl().rowCount(), 3);
    EXPECT_EQ(frm->WalutaLbl->text(), "PLN");
    EXPECT_EQ(frm->RodzajLbl->text(), "VAT");
    frm->Grid->selectRow(1);
    EXPECT_EQ(frm->WalutaLbl->text(), "EUR");
    EXPECT_EQ(frm->KwotaLbl->text(),
              QStringLiteral("1") + QLocale().groupSeparator() + QStringLiteral("000,00 EUR"));
    frm->Grid->selectRow(2);
    EXPECT_EQ(frm->RodzajLbl->text(), "KOREKTA");

    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_TRUE(frm->Rap->toPlainText().contains(
        QString::fromUtf8("[Pominięto: faktura w walucie EUR] - FV/2/05/2024 z 07-05-2024 r.")));
    EXPECT_EQ(count("FROM TRANS"), 2);
    EXPECT_EQ(data->SaldoKlienta(10), Money::fromWhole(450)); // 500.00 less the correction
}

TEST_F(FakturyFrmTest, KsefZipListedWithCurrencyAndKindAndBooked) {
    addKlient(10, QString::fromUtf8("Łąka"), "PL", "1112223344");
    const QString ksef = QStringLiteral(BREVANT_FIXTURES "/ksef/");
    const QString zip = QDir(dir.path()).filePath("eksport.zip");
    ZapiszZip(zip, {{"_metadata.json", "{}"},
                    {"1.xml", CzytajPlik(ksef + "fa3_vat.xml")},
                    {"2.xml", CzytajPlik(ksef + "fa3_eur_ue.xml")},
                    {"inne.txt", "x"}});
    lista(zip);
    EXPECT_TRUE(messages->messages().empty());
    ASSERT_EQ(frm->FaktTbl().rowCount(), 2);
    EXPECT_TRUE(frm->KsiegujBtn->isEnabled());
    // the skipped file is named at once
    EXPECT_TRUE(frm->raportWidoczny());
    EXPECT_TRUE(frm->Rap->toPlainText().contains("inne.txt"));
    frm->Grid->selectRow(1);
    EXPECT_EQ(frm->WalutaLbl->text(), "EUR");
    EXPECT_EQ(frm->RodzajLbl->text(), "VAT");

    messages->answer(true);
    frm->KsiegujBtnClick();
    const QString raport = frm->Rap->toPlainText();
    EXPECT_TRUE(raport.startsWith(QString::fromUtf8("[Pominięto plik] - inne.txt")));
    EXPECT_TRUE(
        raport.contains(QString::fromUtf8("[Pominięto: faktura w walucie EUR] - FV/2026/02/2")));
    EXPECT_EQ(count("FROM TRANS"), 1);
}

TEST_F(FakturyFrmTest, StoppedRunReportsWhereAndWhatWasNotBooked) {
    addKlient(10, QString::fromUtf8("Żabka"), "PL", "5990000010");
    lista(fixture("jpk_fa4_tns.xml"));
    messages->answer(true);
    whenDialogShown([](TBrakKontrahentaFrm& d) { d.PrzerwijBtn->click(); });
    frm->KsiegujBtnClick();
    const QStringList raport = frm->Rap->toPlainText().split('\n');
    EXPECT_TRUE(raport.contains(
        QString::fromUtf8("Księgowanie przerwano na fakturze FV/3/03/2023 z 13-03-2023 r.; nie "
                          "zaksięgowano 1:")))
        << frm->Rap->toPlainText().toStdString();
    EXPECT_TRUE(raport.contains(
        QString::fromUtf8("[Nie zaksięgowano - przerwano] - FV/3/03/2023 z 13-03-2023 r.")));
    EXPECT_TRUE(raport.last().endsWith(QString::fromUtf8("Księgowanie przerwano.")));
    // the closing message stays as it was
    EXPECT_EQ(messages->messages().back().text,
              QString::fromUtf8("Zakończono księgowanie faktur."));
    EXPECT_EQ(count("FROM TRANS"), 2);
}

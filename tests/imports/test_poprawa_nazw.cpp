#include "JpkPlik.h"
#include "JpkReader.h"
#include "PoprawaNazw.h"
#include "TestDatabase.h"
#include "fks.h"
#include "frmPoprawaNazw.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using F = JpkPlik::Faktura;

namespace {
const QString BrakPozycji = "Brak pozycji do modyfikacji.\rWszyscy kontrahenci mają nazwy\r"
                            "takie same jak w pliku faktur.";
}

class PoprawaNazwTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ks = std::make_unique<Tks>(data->conn);
        frm = std::make_unique<TPoprawaNazwFrm>(*ks);
        addKlient(1, "Firma Alfa", "PL", "5260250274");
        exec("UPDATE KLIENT SET ADRES = 'Stary adres 1' WHERE KLIENTID = 1");
        addKlient(2, "BETA SP. Z O.O.", "PL", "7740001454");
        exec("UPDATE KLIENT SET ADRES = 'Stary adres 2' WHERE KLIENTID = 2");
        addKlient(3, "GAMMA", "PL", "5250001009");
    }
    void TearDown() override {
        frm.reset();
        ks.reset();
        DbTest::TearDown();
    }
    void wczytaj(const std::vector<F>& faktury, const QString& kod = "JPK_FA") {
        frm->PlikEd->setText(JpkPlik::zapisz(dir, "f.xml", faktury, kod));
        frm->WczytajBtnClick();
    }
    QString nazwa(int id) {
        return scalar("SELECT NAZWA FROM KLIENT WHERE KLIENTID = " + QString::number(id))
            .toString();
    }
    QString adres(int id) {
        return scalar("SELECT ADRES FROM KLIENT WHERE KLIENTID = " + QString::number(id))
            .toString();
    }

    QTemporaryDir dir;
    std::unique_ptr<Tks> ks;
    std::unique_ptr<TPoprawaNazwFrm> frm;
};

TEST_F(PoprawaNazwTest, CaseOnlyDifferenceIsListedAddressAloneIsNotUnknownBuyerIgnored) {
    frm->Resetuj();
    wczytaj({{"FIRMA ALFA", "Nowy adres 1", "PL", "5260250274"},
             {"BETA SP. Z O.O.", "Inny adres", "PL", "7740001454"},
             {"NIEZNANA", "X", "PL", "1111111111"}});
    ASSERT_EQ(frm->FaktTbl().rowCount(), 1);
    EXPECT_EQ(frm->FaktTbl().rows()[0],
              (PoprawaNazwyWiersz{"5260250274", "Firma Alfa", "Stary adres 1", "FIRMA ALFA",
                                  "Nowy adres 1", 1}));
    EXPECT_TRUE(frm->KsiegujBtn->isEnabled());
    EXPECT_EQ(frm->NazwaFkLbl->text(), "FIRMA ALFA"); // the first row's details
    EXPECT_TRUE(messages->texts().isEmpty());

    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(messages->texts(), QStringList({"Wykonać aktualizację nazw kontrahentów?",
                                              "Zakończono aktualizację nazw kontrahentów."}));
    EXPECT_TRUE(frm->FBylaModyfikacja);
    EXPECT_EQ(nazwa(1), "FIRMA ALFA");
    EXPECT_EQ(adres(1), "Nowy adres 1");
    EXPECT_EQ(adres(2), "Stary adres 2");
    EXPECT_EQ(count("FROM KLIENT"), 3);
}

TEST_F(PoprawaNazwTest, AddressAloneGivesTheNoRowsWarning) {
    frm->Resetuj();
    wczytaj({{"BETA SP. Z O.O.", "Inny adres", "PL", "7740001454"}});
    EXPECT_EQ(frm->FaktTbl().rowCount(), 0);
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
    EXPECT_EQ(messages->texts(), QStringList{BrakPozycji});
}

TEST_F(PoprawaNazwTest, TwoVariantsGiveTwoRowsAndTheLaterWins) {
    frm->Resetuj();
    wczytaj({{"BETA Spółka z o.o.", "Adres A", "PL", "7740001454"},
             {"BETA SPÓŁKA Z O.O.", "Adres B", "PL", "7740001454"}});
    ASSERT_EQ(frm->FaktTbl().rowCount(), 2);
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(nazwa(2), "BETA SPÓŁKA Z O.O.");
    EXPECT_EQ(adres(2), "Adres B");
}

TEST_F(PoprawaNazwTest, LongNameIsStoredCutAndListedAgainNextTime) {
    const QString dluga = QString(90, u'Ż');
    frm->Resetuj();
    wczytaj({{dluga, "A", "PL", "5250001009"}});
    messages->answer(true);
    frm->KsiegujBtnClick();
    frm->done(QDialog::Accepted);
    EXPECT_EQ(nazwa(3), QString(80, u'Ż'));
    frm->Resetuj();
    wczytaj({{dluga, "A", "PL", "5250001009"}});
    EXPECT_EQ(frm->FaktTbl().rowCount(), 1);
}

TEST_F(PoprawaNazwTest, ClosingWithoutApplyingOrAnsweringNoChangesNothing) {
    frm->Resetuj();
    wczytaj({{"FIRMA ALFA", "Nowy adres 1", "PL", "5260250274"}});
    messages->answer(false);
    frm->KsiegujBtnClick();
    frm->done(QDialog::Rejected);
    EXPECT_FALSE(frm->FBylaModyfikacja);
    EXPECT_FALSE(ks->active());
    EXPECT_EQ(nazwa(1), "Firma Alfa");
    EXPECT_EQ(adres(1), "Stary adres 1");
}

TEST_F(PoprawaNazwTest, FormCodesAreCheckedAsInTheInvoiceImport) {
    frm->Resetuj();
    wczytaj({{"FIRMA ALFA", "A", "PL", "5260250274"}}, "JPK_VAT");
    wczytaj({{"FIRMA ALFA", "A", "PL", "5260250274"}}, "JPK_FAKTURA");
    EXPECT_EQ(messages->texts(),
              QStringList({"Nie można wczytać danych z pliku JPK_VAT.\rWymagany jest plik JPK_FA.",
                           "Nie można wczytać danych z tego pliku."}));
    EXPECT_EQ(frm->FaktTbl().rowCount(), 0);
}

TEST_F(PoprawaNazwTest, RunWithoutWindowListsAndApplies) {
    PoprawaNazw p(*ks);
    std::vector<PoprawaNazwyWiersz> rows;
    QStringList pominiete;
    p.Wczytaj(
        JpkDocument::open(
            JpkPlik::zapisz(dir, "g.xml",
                            {{"O'Neil", "ul. 'Cicha'", "", "5250001009"},
                             {"Za długi", "A", "PL", "599-000-00-27"}, // 13 characters: passed over
                             {"Zmieniona", "B", "PL", "7740001454"},
                             {"Usunięta", "C", "PL", "5260250274"}})),
        [&rows](const PoprawaNazwyWiersz& w) { rows.push_back(w); },
        [&pominiete](const QString& line) { pominiete << line; });
    EXPECT_FALSE(ks->active()); // the listing takes no lock
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(pominiete,
              QStringList({QString::fromUtf8(
                  "[Pominięto: NIP dłuższy niż 12 znaków] - 599-000-00-27 | Za długi")}));

    // Meanwhile, on another workstation: one contractor renamed, one deleted.
    exec("UPDATE KLIENT SET NAZWA = 'BETA NOWA' WHERE KLIENTID = 2");
    exec("DELETE FROM KLIENT WHERE KLIENTID = 1");
    const WynikPoprawy w = p.Aktualizuj(rows);
    EXPECT_FALSE(ks->active()); // committed
    EXPECT_EQ(w.zmiany, 1);
    EXPECT_EQ(nazwa(3), "O'Neil");
    EXPECT_EQ(adres(3), "ul. 'Cicha'");
    EXPECT_EQ(nazwa(2), "BETA NOWA"); // the other workstation's change stands
    EXPECT_EQ(w.raport,
              QStringList({QString::fromUtf8("[Zmieniono] - 5250001009 | GAMMA → O'Neil | ul. "
                                             "'Cicha'"),
                           QString::fromUtf8("[Pominięto: nazwę zmieniono w międzyczasie na innym "
                                             "stanowisku] - 7740001454 | BETA NOWA"),
                           QString::fromUtf8("[Pominięto: kontrahenta usunięto w międzyczasie] - "
                                             "5260250274 | Firma Alfa"),
                           "Zmieniono kontrahentów: 1."}));
}

TEST_F(PoprawaNazwTest, UserChoosesTheRowsAndSeesTheResultAtOnce) {
    frm->Resetuj();
    wczytaj({{"FIRMA ALFA", "Nowy adres 1", "PL", "5260250274"},
             {"BETA SPÓŁKA", "Nowy adres 2", "PL", "7740001454"},
             {"GAMMA SA", "Nowy adres 3", "PL", "5250001009"}});
    ASSERT_EQ(frm->FaktTbl().rowCount(), 3);
    // every row starts ticked; the box is the first column's
    const QModelIndex beta = frm->FaktTbl().index(1, 0);
    EXPECT_EQ(frm->FaktTbl().data(beta, Qt::CheckStateRole).toInt(), Qt::Checked);
    EXPECT_TRUE(frm->FaktTbl().flags(beta) & Qt::ItemIsUserCheckable);
    frm->FaktTbl().setData(beta, Qt::Unchecked, Qt::CheckStateRole);

    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(nazwa(1), "FIRMA ALFA");
    EXPECT_EQ(nazwa(2), "BETA SP. Z O.O."); // not ticked: unchanged
    EXPECT_EQ(nazwa(3), "GAMMA SA");
    EXPECT_TRUE(frm->FBylaModyfikacja);
    // at once: the report shows what was changed, the list what is still different
    EXPECT_TRUE(frm->raportWidoczny());
    EXPECT_TRUE(frm->Rap->toPlainText().contains(
        QString::fromUtf8("[Zmieniono] - 5260250274 | Firma Alfa → FIRMA ALFA | Nowy adres 1")));
    ASSERT_EQ(frm->FaktTbl().rowCount(), 1);
    EXPECT_EQ(frm->FaktTbl().rows()[0].NIP, "7740001454");
    // left out by the user, it stays left out
    EXPECT_FALSE(frm->FaktTbl().zaznaczony(0));
    EXPECT_EQ(messages->texts(), QStringList({"Wykonać aktualizację nazw kontrahentów?",
                                              "Zakończono aktualizację nazw kontrahentów."}));

    // nothing ticked: said, nothing asked
    messages->clear();
    frm->OdznaczBtn->click();
    frm->KsiegujBtnClick();
    EXPECT_EQ(
        messages->texts(),
        QStringList({QString::fromUtf8("Nie zaznaczono żadnego kontrahenta do aktualizacji.")}));
    EXPECT_EQ(nazwa(2), "BETA SP. Z O.O.");
}

// The windows of open items offscreen: the "Rozrachunki" tab, the settings, the payment
// window's proposals, the contractor's payment term.
#include "Kontrahenci.h"
#include "RozrachunkiPanel.h"
#include "RozrachunkiTest.h"
#include "Siatka.h"
#include "UstawieniaRozrachunkowFrm.h"
#include "fmWczytajWplaty.h"
#include "frmKlient.h"
#include "frmPrzeksiegowanie.h"
#include "frmRozliczenia.h"
#include "frmSzukajKlienta.h"
#include "frmTrans.h"
#include "frmWybierzKodKR.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTabWidget>
#include <QTableView>
#include <QTest>

namespace {
const QString NipA = QStringLiteral("5990000010");
}

class RozrachunkiOkna : public RozrachunkiTest {
protected:
    void SetUp() override {
        RozrachunkiTest::SetUp();
        addKlient(1, "Alfa", "PL", NipA);
        addKonto(100, 1, "PL", KontoA);
        najstarsze(false);
        ksiegujFaktury({faktura("FV/1", NipA, "100.00", Date(2024, 1, 1)),
                        faktura("FV/2", NipA, "50.00", Date(2024, 1, 2))});
        ksiegujWplaty({{'C', "120,00", "PL" + KontoA, "Alfa", "FV/1 i reszta", "240301"}});
    }
};

TEST_F(RozrachunkiOkna, TabShowsOpenItemsAndLinksAndUnlinksByHand) {
    TRozrachunkiPanel panel(data->conn);
    panel.Pokaz(1, "Alfa");
    // FV/1 paid by the title; FV/2 open; 20 of the payment not allocated.
    ASSERT_EQ(panel.Naleznosci->rowCount(), 1);
    EXPECT_EQ(panel.Naleznosci->data(panel.Naleznosci->index(0, 0), Qt::DisplayRole), "FV/2");
    EXPECT_EQ(panel.Naleznosci->data(panel.Naleznosci->index(0, 5), Qt::DisplayRole), "50,00");
    ASSERT_EQ(panel.Wplaty->rowCount(), 1);
    EXPECT_EQ(panel.Wplaty->data(panel.Wplaty->index(0, 4), Qt::DisplayRole), "20,00");
    EXPECT_TRUE(panel.PodsumowanieLbl->text().contains("Nierozliczone wpłaty: 20,00"));
    panel.RozliczoneCb->setChecked(true);
    EXPECT_EQ(panel.Naleznosci->rowCount(), 2);

    const int fv2 = wpisFaktury("FV/2");
    const int wplata = wpisWplaty("FV/1 i reszta");
    ASSERT_TRUE(panel.wybierzNaleznosc(fv2));
    ASSERT_TRUE(panel.wybierzWplate(wplata));
    EXPECT_TRUE(panel.PolaczBtn->isEnabled());
    Money zaproponowano;
    panel.zapytajKwote = [&](Money m) {
        zaproponowano = m;
        return std::optional<Money>(zl("15.00"));
    };
    panel.PolaczBtnClick();
    EXPECT_EQ(zaproponowano, zl("20.00"));
    EXPECT_EQ(powiazane(fv2, wplata), zl("15.00"));
    EXPECT_EQ(scalar("SELECT RECZNE FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = " + QString::number(fv2))
                  .toString(),
              "T");
    // More than the payment has left is refused, and nothing changes.
    panel.wybierzNaleznosc(fv2);
    panel.wybierzWplate(wplata);
    panel.zapytajKwote = [](Money) { return std::optional<Money>(zl("6.00")); };
    messages->clear();
    panel.PolaczBtnClick();
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_TRUE(messages->messages()[0].text.contains("większa"));
    EXPECT_EQ(powiazane(fv2, wplata), zl("15.00"));

    // The payment's links: FV/1 by the title, FV/2 by hand; the latter is removed.
    panel.wybierzWplate(wplata);
    ASSERT_EQ(panel.Powiazania->rowCount(), 2);
    int reczny = -1;
    for (int i = 0; i < 2; ++i)
        if (panel.Powiazania->data(panel.Powiazania->index(i, 3), Qt::DisplayRole) == "ręcznie")
            reczny = i;
    ASSERT_TRUE(panel.wybierzPowiazanie(reczny));
    panel.OdlaczBtnClick();
    EXPECT_EQ(powiazane(fv2, wplata), Money());
    // "Dopasuj automatycznie" applies the oldest-first rule on the user's request.
    najstarsze(true);
    messages->clear();
    panel.DopasujBtnClick();
    EXPECT_EQ(powiazane(fv2, wplata), zl("20.00"));
    EXPECT_EQ(panel.Wplaty->rowCount(), 1); // shows settled rows still (box ticked)
    expectSpojne();
}

// Sorted by a column, a list still acts on the row the user points at: amounts sort by value
// ("50,00" before "100,00"), and the links and buttons follow the row clicked.
TEST_F(RozrachunkiOkna, SortedListsActOnTheRowClicked) {
    TRozrachunkiPanel panel(data->conn);
    panel.resize(900, 600);
    panel.show();
    panel.Pokaz(1, "Alfa");
    panel.RozliczoneCb->setChecked(true);
    ASSERT_EQ(panel.Naleznosci->rowCount(), 2); // FV/1 (100,00, paid), FV/2 (50,00, open)
    Siatka& lista = *panel.NaleznosciGrid;
    lista.sortByColumn(3, Qt::AscendingOrder); // "Kwota"
    EXPECT_EQ(lista.model()->index(0, 0).data().toString(), "FV/2");
    lista.sortByColumn(0, Qt::DescendingOrder);
    ASSERT_EQ(lista.model()->index(0, 0).data().toString(), "FV/2");
    QTest::mouseClick(lista.viewport(), Qt::LeftButton, {},
                      lista.visualRect(lista.model()->index(1, 0)).center());
    EXPECT_EQ(panel.PowiazaniaLbl->text(), QString::fromUtf8("Powiązania: FV/1"));
    EXPECT_EQ(panel.Powiazania->rowCount(), 1); // FV/1 paid by the payment's title
    QTest::mouseClick(lista.viewport(), Qt::LeftButton, {},
                      lista.visualRect(lista.model()->index(0, 0)).center());
    EXPECT_EQ(panel.PowiazaniaLbl->text(), QString::fromUtf8("Powiązania: FV/2"));
    ASSERT_TRUE(panel.wybierzWplate(wpisWplaty("FV/1 i reszta")));
    ASSERT_TRUE(panel.wybierzNaleznosc(wpisFaktury("FV/2")));
    EXPECT_TRUE(panel.PolaczBtn->isEnabled()); // FV/2 is open; FV/1 would not be
}

TEST_F(RozrachunkiOkna, BrowserHasTheTabForTheCurrentContractor) {
    data->openStartupLists();
    TTransFrm trans(*data);
    TPrzeksiegowanieFrm przeks(*data);
    TSzukajKlientaFrm szukaj(*data);
    TRozliczeniaFrm frm(*data, trans, przeks, szukaj);
    frm.Przygotuj();
    ASSERT_EQ(frm.Zakladki->tabText(1), "Rozrachunki");
    frm.Zakladki->setCurrentWidget(frm.RozrachunkiTab);
    EXPECT_EQ(frm.RozrachunkiTab->klientId(), 1);
    EXPECT_EQ(frm.RozrachunkiTab->Naleznosci->rowCount(), 1);
    EXPECT_TRUE(frm.WiekowanieBtn->isVisibleTo(frm.NaleznosciTab));
    frm.reject();
}

TEST_F(RozrachunkiOkna, SettingsAreReadAndSavedForEveryWorkstation) {
    TUstawieniaRozrachunkowFrm frm(data->conn);
    ASSERT_TRUE(frm.Przygotuj());
    EXPECT_EQ(frm.TerminEd->value(), 14);
    EXPECT_FALSE(frm.NajstarszeCb->isChecked()); // set off by the fixture
    frm.TerminEd->setValue(21);
    frm.NajstarszeCb->setChecked(true);
    frm.ZapiszBtnClick();
    EXPECT_EQ(scalar("SELECT TERMIN_DNI || NAJSTARSZE FROM USTAWIENIA_ROZRACHUNKOW").toString(),
              "21T");
    // An invoice booked now is due 21 days after issue.
    addKlient(2, "Beta", "PL", "5990000020");
    ksiegujFaktury({faktura("FV/9", "5990000020", "1.00", Date(2024, 5, 1))});
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE NR_FAKTURY = 'FV/9'").toDate(),
              Date(2024, 5, 22));
}

TEST_F(RozrachunkiOkna, ContractorsPaymentTermIsKept) {
    exec("UPDATE KLIENT SET NR_NIP = '7740001454' WHERE KLIENTID = 1"); // passes the checksum
    data->openStartupLists();
    TWybierzKodKRFrm kody;
    TKlientFrm frm(*data, kody);
    ASSERT_TRUE(data->Klient.locate("KLIENTID", 1));
    ASSERT_TRUE(frm.PrzygotujPopraw());
    EXPECT_EQ(frm.TerminEd->text(), QString());
    frm.TerminEd->setText("4000");
    frm.ZapiszBtnClick();
    ASSERT_EQ(messages->texts(), QStringList{kontrahenci::BlednyTermin});
    frm.TerminEd->setText("45");
    frm.ZapiszBtnClick();
    EXPECT_EQ(scalar("SELECT TERMIN_PLATNOSCI FROM KLIENT WHERE KLIENTID = 1").toInt(), 45);
    ASSERT_TRUE(frm.PrzygotujPopraw());
    EXPECT_EQ(frm.TerminEd->text(), "45");
    frm.TerminEd->clear(); // back to the company's default
    frm.ZapiszBtnClick();
    EXPECT_TRUE(scalar("SELECT TERMIN_PLATNOSCI FROM KLIENT WHERE KLIENTID = 1").isNull());
}

TEST_F(RozrachunkiOkna, PaymentWindowListsNameProposalsAndBooksWhatTheUserDecided) {
    addKlient(500, QString::fromUtf8("Piekarnia Złoty Kłos Sp. z o.o."));
    addKlient(600, "Gamma Sp. j.");
    Tks ks(data->conn);
    TfrmWczytajWplaty frm(ks);
    frm.Reset();
    const QString plik = database->folder() + "/w.sta";
    writeFile(plik,
              ingStatement({{'C', "10,00", "PL" + KontoB,
                             QString::fromUtf8("PIEKARNIA ZŁOTY KŁOS SP. Z O.O."), "a", "240310"},
                            {'C', "20,00", "PL" + KontoC, "GAMMA SPOLKA JAWNA", "b", "240310"}},
                           "C240310PLN1,00"));
    frm.setNazwaPliku(plik);
    frm.WczytajBtnClick();
    ASSERT_TRUE(frm.propozycjeVisible());
    ASSERT_EQ(frm.propozycje().size(), 2u);
    EXPECT_EQ(frm.propozycje()[0].klientId, 500);
    // Gamma: the user says it is someone else, unticking it in the list sorted by amount,
    // largest first, where it is the first row.
    Siatka& lista = *frm.listaPropozycji();
    lista.sortByColumn(3, Qt::DescendingOrder);
    ASSERT_EQ(lista.model()->index(0, 1).data().toString(), "GAMMA SPOLKA JAWNA");
    lista.model()->setData(lista.model()->index(0, 0), Qt::Unchecked, Qt::CheckStateRole);
    messages->answer(true);
    frm.KsiegujBtnClick();
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 500"), 1);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 500"), 1);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 600"), 0);
    EXPECT_TRUE(frm.RapOgolny().join("\n").contains(QString::fromUtf8(
        "[Przypisano płatnika według nazwy] - PIEKARNIA ZŁOTY KŁOS SP. Z O.O. → Piekarnia")));
}

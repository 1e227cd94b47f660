#include "KontrahenciTest.h"

#include "DataGrid.h"
#include "FWindow.h"
#include "PoleKoduKraju.h"
#include "SzukanieKlienta.h"
#include "frmKlienci.h"
#include "frmKlient.h"
#include "frmKonto.h"
#include "frmPolaczFirmy.h"
#include "frmSzczegoly.h"
#include "frmWybierzKodKR.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSettings>
#include <QStandardPaths>
#include <QStatusBar>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

using kontrahenci::Przyciski;

namespace kontrahenci {
void PrintTo(const Przyciski& p, std::ostream* os) {
    *os << "klient " << p.klientDopisz << p.klientPopraw << p.klientUsun << " polacz " << p.polacz
        << " konto " << p.kontoDopisz << p.kontoPopraw << p.kontoUsun << " pobierz " << p.pobierz
        << " szczegoly " << p.szczegoly;
}
} // namespace kontrahenci

class Rejestr : public KontrahenciTest {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        KontrahenciTest::SetUp();
    }
    void TearDown() override {
        okno.reset();
        polacz.reset();
        szczegoly.reset();
        konto.reset();
        klient.reset();
        picker.reset();
        KontrahenciTest::TearDown();
    }
    void otworz() {
        picker = std::make_unique<TWybierzKodKRFrm>();
        klient = std::make_unique<TKlientFrm>(*data, *picker);
        konto = std::make_unique<TKontoFrm>(*data, *picker);
        szczegoly = std::make_unique<TSzczegolyFrm>(*data);
        polacz = std::make_unique<TPolaczFirmyFrm>(*data, *szczegoly, [this] { return wybrany; });
        okno = std::make_unique<TKlienciFrm>(
            *data, *klient, *konto, *szczegoly, *polacz,
            TKlienciFrm::Zewnetrzne{[this](const QString& tekst) {
                                        szukanyTekst = tekst;
                                        return wybrany;
                                    },
                                    [this](const QString& nip) { pobrane << nip; }});
        data->OtworzKlient();
        okno->Przygotuj();
    }
    Przyciski przyciski() const {
        Przyciski p;
        p.klientDopisz = okno->KlientDopiszBtn->isEnabled();
        p.klientPopraw = okno->KlientPoprawBtn->isEnabled();
        p.klientUsun = okno->KlientUsunBtn->isEnabled();
        p.polacz = okno->PolaczBtn->isEnabled();
        p.kontoDopisz = okno->KontoDopiszBtn->isEnabled();
        p.kontoPopraw = okno->KontoPoprawBtn->isEnabled();
        p.kontoUsun = okno->KontoUsunBtn->isEnabled();
        p.pobierz = okno->PobierzBtn->isEnabled();
        p.szczegoly = okno->SzczegolyBtn->isEnabled();
        return p;
    }
    int wybrany = 0;
    QString szukanyTekst; // what the search dialog was opened with
    QStringList pobrane;
    std::unique_ptr<TWybierzKodKRFrm> picker;
    std::unique_ptr<TKlientFrm> klient;
    std::unique_ptr<TKontoFrm> konto;
    std::unique_ptr<TSzczegolyFrm> szczegoly;
    std::unique_ptr<TPolaczFirmyFrm> polacz;
    std::unique_ptr<TKlienciFrm> okno;
};

TEST_F(Rejestr, EnablingRules) {
    otworz();
    EXPECT_EQ(przyciski(),
              (Przyciski{true, false, false, false, false, false, false, false, false}));

    addKlient(1, "Alfa");
    data->OtworzKlient();
    // One contractor, no account, no VAT number: no merge, no account changes, no fetch.
    EXPECT_EQ(przyciski(), (Przyciski{true, true, true, false, true, false, false, false, true}));

    addKlient(2, "Beta", "PL", NipA);
    addKonto(10, 2, "PL", NrbA);
    data->OtworzKlient();
    naKlienta(2);
    EXPECT_EQ(przyciski(), (Przyciski{true, true, true, true, true, true, true, true, true}));
    okno->PobierzNumeryKont();
    EXPECT_EQ(pobrane, QStringList{NipA});

    data->Klient.close();
    okno->UpdateBtns();
    EXPECT_EQ(przyciski(), Przyciski{});
}

TEST_F(Rejestr, AddingTheFirstAccountRemovesTheMarkAtOnce) {
    addKlient(1, "Alfa");
    addKlient(2, "Beta");
    addKonto(10, 2, "PL", NrbB);
    otworz();
    naKlienta(1);
    EXPECT_EQ(znakRB(1), "-");
    EXPECT_EQ(znakRB(2), "");
    EXPECT_EQ(okno->KlientGrid->model()->index(data->Klient.currentIndex(), 0).data().toString(),
              QStringLiteral("−"));

    gdyOknoModalne([](QDialog* d) {
        auto* f = qobject_cast<TKontoFrm*>(d);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->KodKrajuEd->text(), "PL");
        f->NumerEd->setText(QStringLiteral("61 1090 1014 0000 0712 1981 2874"));
        f->ZapiszBtnClick();
    });
    okno->KontoDopiszBtnClick();
    EXPECT_EQ(znakRB(1), "");
    EXPECT_EQ(biezacy(), 1);
    EXPECT_EQ(data->KontoKL.recordCount(), 1);
    EXPECT_TRUE(okno->KontoUsunBtn->isEnabled());

    // Deleting it brings the mark back.
    messages->answer(true);
    okno->KontoUsunBtnClick();
    EXPECT_EQ(
        uwagi().last(),
        QStringLiteral("Usunąć rachunek bankowy PL 61 1090 1014 0000 0712 1981 2874 z wykazu?"));
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 1"), 0);
    EXPECT_EQ(znakRB(1), "-");
    EXPECT_FALSE(okno->KontoUsunBtn->isEnabled());
}

TEST_F(Rejestr, DeletingAnAccountStaysOnTheRowThatBecameCurrent) {
    addKlient(1, "Alfa");
    addKonto(10, 1, "PL", NrbA);
    addKonto(11, 1, "DE", "123456789012");
    addKonto(12, 1, "PL", NrbB);
    otworz();
    ASSERT_TRUE(data->KontoKL.locate("WPISID", 11));
    messages->answer(true);
    okno->KontoUsunBtnClick();
    EXPECT_EQ(uwagi().last(), QStringLiteral("Usunąć rachunek bankowy DE 123456789012 z wykazu?"));
    EXPECT_EQ(data->KontoKL.recordCount(), 2);
    EXPECT_EQ(data->KontoKL.field("WPISID").toInt(), 12);
    // No: nothing is deleted.
    okno->KontoUsunBtnClick();
    EXPECT_EQ(count("FROM KONTO"), 2);
}

TEST_F(Rejestr, RowShownAfterDeletingTheFirstAMiddleAndTheOnlyContractor) {
    addKlient(1, "Alfa");
    addKlient(2, "Beta");
    addKlient(3, "Gamma");
    addTrans(20, 1, "100", "NULL");
    otworz();
    naKlienta(1);
    messages->answer(true);
    messages->answer(true);
    okno->KlientUsunBtnClick();
    EXPECT_EQ(uwagi(), (QStringList{"Usunąć kontrahenta „Alfa” z wykazu?\rSaldo: do zapłaty "
                                    "100,00\u00a0zł.\rZapisów w rozliczeniach: 1 (zostaną "
                                    "usunięte razem z kontrahentem).",
                                    "Usunięcie kontrahenta z wykazu kasuje wszystkie jego dane. "
                                    "Kontynuować ?"}));
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::ZgodaDefNo);
    EXPECT_EQ(count("FROM KLIENT"), 2);
    EXPECT_EQ(count("FROM TRANS"), 0); // the database removed its rows with it
    EXPECT_EQ(biezacy(), 2);           // the first one's next

    naKlienta(3);
    messages->answer(true);
    messages->answer(true);
    okno->KlientUsunBtnClick();
    EXPECT_EQ(biezacy(), 2); // the previous one

    // Either answer No: nothing happens.
    messages->answer(true);
    okno->KlientUsunBtnClick();
    EXPECT_EQ(count("FROM KLIENT"), 1);

    messages->answer(true);
    messages->answer(true);
    okno->KlientUsunBtnClick();
    EXPECT_TRUE(data->Klient.isEmpty());
    EXPECT_EQ(przyciski(),
              (Przyciski{true, false, false, false, false, false, false, false, false}));
    EXPECT_TRUE(okno->SaldoLbl->text().isEmpty());
}

TEST_F(Rejestr, ARefusedDeleteReopensTheListOnTheSameContractorAndShowsTheError) {
    exec("CREATE EXCEPTION KLIENT_CHRONIONY 'Kontrahent jest chroniony'");
    exec("CREATE TRIGGER KLIENT_BD_TEST FOR KLIENT BEFORE DELETE AS BEGIN "
         "IF (OLD.KLIENTID = 2) THEN EXCEPTION KLIENT_CHRONIONY; END");
    addKlient(1, "Alfa");
    addKlient(2, "Beta");
    addKlient(3, "Gamma");
    otworz();
    naKlienta(2);
    addKlient(4, "Beta bis"); // another workstation's row: the reopened list shows it
    messages->answer(true);
    messages->answer(true);
    okno->KlientUsunBtnClick();
    EXPECT_EQ(count("FROM KLIENT"), 4);
    EXPECT_TRUE(data->Klient.isOpen());
    EXPECT_EQ(data->Klient.recordCount(), 4);
    EXPECT_EQ(biezacy(), 2);
    ASSERT_EQ(messages->messages().size(), 3u);
    EXPECT_EQ(messages->messages().back().kind, komun::Kind::Blad);
    EXPECT_TRUE(uwagi()[0].contains("Kontrahent nie ma zapisów w rozliczeniach."));
    EXPECT_TRUE(uwagi().last().contains("Kontrahent jest chroniony"))
        << uwagi().last().toStdString();
}

TEST_F(Rejestr, BalanceLabelAndDetails) {
    addKlient(1, "Alfa");
    addKlient(2, "Beta");
    addTrans(20, 1, "1234.5", "NULL");
    addTrans(21, 2, "100", "NULL");
    addTrans(22, 2, "NULL", "350.25");
    otworz();
    naKlienta(1);
    // Polish settings separate groups and the currency with non-breaking spaces.
    const auto tekst = [](const QString& s) {
        return QString(s).replace(QChar(0xA0), u' ').replace(QChar(0x202F), u' ');
    };
    EXPECT_EQ(tekst(okno->SaldoLbl->text()), QStringLiteral("Do zapłaty: 1 234,50 zł"));
    naKlienta(2);
    EXPECT_EQ(tekst(okno->SaldoLbl->text()), QStringLiteral("Nadpłata: 250,25 zł"));
    ASSERT_TRUE(szczegoly->Przygotuj(2));
    EXPECT_EQ(tekst(szczegoly->SaldoLbl->text()), QStringLiteral("Nadpłata: 250,25 zł"));
    EXPECT_EQ(szczegoly->windowTitle(), QStringLiteral("Transakcje – Beta"));
    EXPECT_EQ(data->TransKL.recordCount(), 2);
    szczegoly->done(QDialog::Accepted);
    EXPECT_EQ(tekst(kontrahenci::TekstSalda(Money())), QStringLiteral("Do zapłaty: 0,00 zł"));
}

TEST_F(Rejestr, IncrementalSearch) {
    addKlient(1, "Alfa");
    addKlient(2, "Beta");
    addKlient(3, "beton sp. z o.o.");
    addKlient(4, "Żaba");
    otworz();
    const struct {
        const char* tekst;
        int klient;
    } kroki[] = {{"b", 2}, {"ET", 2},  {"eton", 3}, {"  ton ", 3},     {"xyz", 0},      {"ż", 4},
                 {"q", 0}, {"ALF", 1}, {"", 1},     {"7740001454", 2}, {"1219 8128", 3}};
    exec("UPDATE KLIENT SET NR_NIP = '" + NipB + "' WHERE KLIENTID = 2");
    addKonto(30, 3, "PL", NrbA);
    data->OtworzKlient();
    for (const auto& k : kroki) {
        okno->SzukajEd->setText(QString::fromUtf8(k.tekst));
        EXPECT_EQ(k.klient ? biezacy() : 0, k.klient) << k.tekst;
        if (k.klient == 0) {
            // Found nothing: no contractor is chosen, the window says so, and nothing can be
            // done to a contractor the user did not find.
            EXPECT_EQ(data->Klient.current(), nullptr) << k.tekst;
            EXPECT_TRUE(okno->KlientGrid->selectionModel()->selectedRows().isEmpty());
            EXPECT_TRUE(okno->SzukajNotkaLbl->text().startsWith("Nie znaleziono kontrahenta"));
            EXPECT_EQ(przyciski(),
                      (Przyciski{true, false, false, false, false, false, false, false, false}));
            EXPECT_TRUE(okno->SaldoLbl->text().isEmpty());
        }
    }
    EXPECT_EQ(okno->SzukajNotkaLbl->text(), "Znaleziono po numerze rachunku bankowego.");
    // "Szukaj" opens the search dialog with the text typed beside it.
    okno->SzukajEd->setText("beton");
    wybrany = 3;
    okno->SzukajBtnClick();
    EXPECT_EQ(szukanyTekst, "beton");
    EXPECT_EQ(biezacy(), 3);
}

// A click on the half-visible last row of the list highlights the contractor it shows, and
// that contractor is the one the register shows and acts on.
TEST_F(Rejestr, ClickOnAHalfVisibleRowHighlightsTheContractorShown) {
    for (int i = 1; i <= 60; ++i)
        addKlient(i, QStringLiteral("Kontrahent %1").arg(i, 2, 10, QChar(u'0')));
    otworz();
    okno->show();
    QApplication::processEvents();
    DataGrid* g = okno->KlientGrid;
    const int h = g->rowHeight(0);
    // A grid whose last visible row shows only its upper half.
    int dol = g->viewport()->height();
    int r = g->rowAt(dol - 1);
    if (g->rowViewportPosition(r) + h <= dol + 2) {
        g->setFixedHeight(g->height() + h / 2);
        QApplication::processEvents();
        dol = g->viewport()->height();
        r = g->rowAt(dol - 1);
    }
    ASSERT_GT(r, 0);
    ASSERT_GT(g->rowViewportPosition(r) + h, dol) << "the row must be cut by the grid's edge";
    const QString pokazany = data->Klient.row(r)[QStringLiteral("NAZWA")].toString();
    const QPoint p(g->columnViewportPosition(2) + 5, (g->rowViewportPosition(r) + dol) / 2);
    QTest::mousePress(g->viewport(), Qt::LeftButton, {}, p);
    QTest::mouseMove(g->viewport(), p + QPoint(2, 1)); // a hand never holds quite still
    QTest::mouseRelease(g->viewport(), Qt::LeftButton, {}, p + QPoint(2, 1));
    QApplication::processEvents();
    EXPECT_EQ(data->Klient.field(QStringLiteral("NAZWA")).toString(), pokazany);
    const QModelIndexList zaznaczone = g->selectionModel()->selectedRows();
    ASSERT_EQ(zaznaczone.size(), 1);
    EXPECT_EQ(zaznaczone[0].row(), data->Klient.currentIndex());
    okno->done(0);
}

// Deleting a contractor names its balance and its ledger rows; when another workstation
// books for it between the question and the delete, nothing is deleted.
TEST_F(Rejestr, DeleteNamesTheBalanceAndStopsWhenTheLedgerChangedMeanwhile) {
    addKlient(1, "Alfa");
    addKlient(2, "Beta");
    addTrans(20, 1, "1234.50", "NULL");
    addTrans(21, 1, "NULL", "34.50");
    addTrans(22, 2, "NULL", "10");
    otworz();
    naKlienta(2);
    messages->answer(false);
    okno->KlientUsunBtnClick();
    EXPECT_EQ(uwagi(), QStringList{"Usunąć kontrahenta „Beta” z wykazu?\rSaldo: nadpłata "
                                   "10,00\u00a0zł.\rZapisów w rozliczeniach: 1 (zostaną usunięte "
                                   "razem z kontrahentem)."});
    EXPECT_EQ(count("FROM KLIENT"), 2);

    naKlienta(1);
    const auto stan = kontrahenci::CzytajStanKlienta(*data, 1);
    ASSERT_TRUE(stan);
    EXPECT_EQ(stan->saldo, Money::fromWhole(1200));
    EXPECT_EQ(stan->wierszy, 2);
    addTrans(23, 1, "NULL", "1200"); // booked elsewhere after the question
    const kontrahenci::WynikUsuniecia w = kontrahenci::UsunKlienta(*data, *stan);
    EXPECT_FALSE(w.blad);
    EXPECT_TRUE(w.komunikat.startsWith("Rozliczenia kontrahenta zmieniły się"))
        << w.komunikat.toStdString();
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID = 1"), 1);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 1"), 3);
    EXPECT_EQ(biezacy(), 1); // the user stays on it

    // Asked afresh, it goes with its rows.
    messages->clear();
    messages->answer(true);
    messages->answer(true);
    okno->KlientUsunBtnClick();
    EXPECT_TRUE(uwagi()[0].contains("Saldo: 0,00\u00a0zł.\rZapisów w rozliczeniach: 3"))
        << uwagi()[0].toStdString();
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID = 1"), 0);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 1"), 0);
}

TEST_F(Rejestr, AddAndCorrectThroughTheDialog) {
    addKlient(1, "Alfa");
    otworz();
    gdyOknoModalne([](QDialog* d) {
        auto* f = qobject_cast<TKlientFrm*>(d);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->KodKrajuEd->text(), "PL");
        f->NazwaEd->setText(QStringLiteral("Łąka sp. z o.o."));
        f->NipEd->setText(QStringLiteral("1234567891")); // a bad checksum: the dialog stays
        f->ZapiszBtnClick();
        EXPECT_TRUE(f->isVisible());
        f->NipEd->setText(NipA);
        f->ZapiszBtnClick();
    });
    okno->KlientDopiszBtnClick();
    EXPECT_EQ(uwagi(), QStringList{"Błędny numer identyfikacyjny VAT."});
    const int nowy = klientOId(NipA);
    ASSERT_GT(nowy, 0);
    EXPECT_EQ(biezacy(), nowy);
    EXPECT_TRUE(okno->PobierzBtn->isEnabled());
    EXPECT_EQ(okno->StatusBar->currentMessage(), QStringLiteral("Kontrahentów: 2"));

    gdyOknoModalne([](QDialog* d) {
        auto* f = qobject_cast<TKlientFrm*>(d);
        ASSERT_NE(f, nullptr);
        EXPECT_EQ(f->NazwaEd->text(), QStringLiteral("Łąka sp. z o.o."));
        f->KodKrajuEd->setText(QStringLiteral("de"));
        f->NipEd->clear();
        f->ZapiszBtnClick();
    });
    okno->KlientPoprawBtnClick();
    EXPECT_EQ(scalar(QStringLiteral("SELECT KR_NIP FROM KLIENT WHERE KLIENTID = %1").arg(nowy))
                  .toString(),
              "DE");
    EXPECT_FALSE(okno->PobierzBtn->isEnabled());
}

TEST_F(Rejestr, ColumnWidthsAreKeptFromOneRunToTheNext) {
    {
        QSettings s = UserSettings::open();
        s.remove(QStringLiteral("Brevant/Grid/KontrahGrid"));
    }
    addKlient(1, "Alfa");
    otworz();
    okno->KlientGrid->setColumnWidth(2, 333);
    okno->KlientGrid->setColumnWidth(4, 2);
    okno->done(QDialog::Accepted);
    okno.reset(); // the end of the program
    {
        QSettings s = UserSettings::open();
        EXPECT_EQ(s.value(QStringLiteral("Brevant/Grid/KontrahGrid/Kol2")).toInt(), 333);
    }
    otworz();
    EXPECT_EQ(okno->KlientGrid->columnWidth(2), 333);
    EXPECT_EQ(okno->KlientGrid->columnWidth(4), 5);
}

// Upper-casing lengthens some names ("ß" is "SS", "ΐ" three characters): the search still
// lands on the name that holds the text, never on one a few rows further.
TEST(IndeksNazw, PositionsStayRightAfterNamesThatGrowWhenUpperCased) {
    IndeksNazw indeks;
    indeks.ustaw({QString::fromUtf8("Große Straße ßßßß"), QString::fromUtf8("ΐΰ ŉ Ǆ"),
                  QString::fromUtf8("İzmir Ticaret ı"), "Alfa", "Beta", "Gamma"});
    const struct {
        const char* tekst;
        int wiersz;
    } przypadki[] = {
        {"ALFA", 3}, {"ETA", 4}, {"GAMMA", 5}, {"STRASSE", 0}, {"SSSS", 0},        {"TICARET", 2},
        {"B", 4},    {"G", 0},   {"XYZ", -1},  {"A GA", -1},   {"ΐ", 1 /* "Ϊ́" */}, {"İzmir", 2},
    };
    for (const auto& p : przypadki) {
        const QString t = QString::fromUtf8(p.tekst).toUpper();
        EXPECT_EQ(indeks.szukaj(t), p.wiersz) << p.tekst;
    }
}

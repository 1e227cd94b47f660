#include "KontrahenciTest.h"

#include "DataGrid.h"
#include "FWindow.h"
#include "PoleKoduKraju.h"
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
            TKlienciFrm::Zewnetrzne{[this] { return wybrany; },
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
    EXPECT_EQ(uwagi(), (QStringList{"Usunąć kontrahenta z wykazu?",
                                    "Usunięcie kontrahenta z wykazu kasuje wszystkie jego dane. "
                                    "Kontynuować ?"}));
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
    } kroki[] = {{"b", 2}, {"ET", 2}, {"eton", 3}, {"  ton ", 3}, {"xyz", 3},
                 {"ż", 4}, {"q", 4},  {"ALF", 1},  {"", 1}};
    for (const auto& k : kroki) {
        okno->SzukajEd->setText(QString::fromUtf8(k.tekst));
        EXPECT_EQ(biezacy(), k.klient) << k.tekst;
    }
    wybrany = 3;
    okno->SzukajBtnClick();
    EXPECT_EQ(biezacy(), 3);
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
    kontrahenci::IndeksNazw indeks;
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

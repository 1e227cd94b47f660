#include "FWindow.h"
#include "Globals.h"
#include "SHA1.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "Ventrol.h"

#include <QMenuBar>
#include <QStandardPaths>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

class MainWindow : public DbTest {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true); // placement goes to a test settings file
        UserSettings::open().remove(QString());
        DbTest::SetUp();
        data->openStartupLists();
        Globals::PierwszaAktywacja = true;
    }
    MainActions allActions() {
        MainActions a;
        a.rozliczenia = [] {};
        a.klienci = [] {};
        a.uzytkownicy = [] {};
        a.zmianaHasla = [] {};
        a.wczytajWplaty = [this] { return booked; };
        a.wczytajFaktury = [this] { return booked; };
        return a;
    }
    bool booked = false;
};

TEST_F(MainWindow, MenuOrderCaptionsAndSeparators) {
    TMainFrm frm;
    QStringList top;
    for (QAction* a : frm.menuBar()->actions())
        top << a->text();
    // Alt+R is the "Rozliczenie" button's: the menu of the same name answers to Alt+O.
    EXPECT_EQ(
        top, QStringList({"&System", "R&ozliczenie", "W&czytanie", "Wi&ndykacja", "O &programie"}));
    QStringList windykacja;
    for (QAction* a : frm.menuBar()->actions()[3]->menu()->actions())
        windykacja << a->text();
    EXPECT_EQ(windykacja, QStringList({"&Wezwania do zapłaty – wszyscy dłużnicy...",
                                       "&Potwierdzenia salda – wszyscy kontrahenci...",
                                       "&Rejestr not odsetkowych"}));
    QStringList system;
    for (QAction* a : frm.menuBar()->actions()[0]->menu()->actions())
        system << (a->isSeparator() ? "-" : a->text());
    EXPECT_EQ(system,
              QStringList({"Kontr&ahenci", "&Transakcje", "-", "&Użytkownicy", "Zmiana &hasła",
                           "&Dziennik zmian", "-", "Korekta &nazw kontrahentów", "-", "Dane &firmy",
                           "Ustawienia &rozrachunków", "Tabele &odsetek", "Kursy &euro (NBP)", "-",
                           "Za&kończ"}));
    EXPECT_EQ(frm.RozliczBtn->text(), "&Rozliczenie");
    EXPECT_EQ(frm.WyciagBtn->text(), "Wczytaj &wyciąg bankowy");
    EXPECT_EQ(frm.FakturyBtn->text(), "Wczytaj &faktury");
    EXPECT_EQ(frm.KontrahBtn->text(), "&Kontrahenci");
    EXPECT_EQ(frm.RozliczBtn->size(), QSize(217, 85));
    EXPECT_EQ(frm.windowTitle(), "Brevant");
    // windows not yet available in this build are disabled, not missing
    EXPECT_FALSE(frm.WyciagBtn->isEnabled());
    EXPECT_FALSE(frm.actTransakcje->isEnabled());
}

TEST_F(MainWindow, SettlementEnabledOnlyWithContractorsAndUsersForAdminOnly) {
    TMainFrm frm;
    frm.setActions(allActions());
    frm.onActivated();
    EXPECT_FALSE(frm.RozliczBtn->isEnabled());
    EXPECT_FALSE(frm.actRozliczenie->isEnabled());
    exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (1, 'A')");
    frm.onActivated(); // a modal window closed: the button follows the register
    EXPECT_TRUE(frm.RozliczBtn->isEnabled());
    EXPECT_FALSE(Globals::PierwszaAktywacja);

    for (const char* name : {"Administrator", " ADMINISTRATOR ", "administrator"}) {
        Globals::App_Operator = QString::fromUtf8(name);
        frm.UpdateMenu();
        EXPECT_TRUE(frm.actUzytkownicy->isVisible()) << name;
        EXPECT_TRUE(frm.actRozliczenie->isEnabled());
    }
    Globals::App_Operator = "Jan";
    frm.UpdateMenu();
    EXPECT_FALSE(frm.actUzytkownicy->isVisible());
}

TEST_F(MainWindow, FocusOnFirstEnabledButtonAndEnterPressesIt) {
    int statements = 0, settlements = 0;
    MainActions a = allActions();
    a.wczytajWplaty = [&] {
        ++statements;
        return false;
    };
    a.rozliczenia = [&] { ++settlements; };
    TMainFrm frm;
    frm.setActions(a);
    frm.showCentred(); // no contractors: "Rozliczenie" is disabled
    EXPECT_EQ(frm.focusWidget(), frm.WyciagBtn);
    QTest::keyClick(frm.WyciagBtn, Qt::Key_Return);
    QTest::keyClick(frm.WyciagBtn, Qt::Key_Enter);
    EXPECT_EQ(statements, 2);
    QTest::keyClick(frm.RozliczBtn, Qt::Key_Return); // a disabled button stays still
    EXPECT_EQ(settlements, 0);
    frm.hide();

    exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (1, 'A')");
    TMainFrm withContractor;
    withContractor.setActions(a);
    withContractor.showCentred();
    EXPECT_EQ(withContractor.focusWidget(), withContractor.RozliczBtn);
    QTest::keyClick(withContractor.RozliczBtn, Qt::Key_Return);
    EXPECT_EQ(settlements, 1);
    withContractor.hide();
}

TEST_F(MainWindow, RefreshAfterImportFollowsTheRememberedContractor) {
    exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (1, 'A')");
    exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (2, 'B')");
    ASSERT_TRUE(data->OtworzKlient());
    ASSERT_TRUE(data->Klient.locate("KlientId", 2));
    TMainFrm frm;
    frm.setActions(allActions());

    exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (3, '0 pierwszy')");
    booked = false;
    frm.WczytajWplaty(); // nothing booked: the list is not reopened
    EXPECT_EQ(data->Klient.recordCount(), 2);
    EXPECT_EQ(data->Klient.field("KLIENTID").toInt(), 2);

    booked = true;
    frm.WczytajFaktury();
    EXPECT_EQ(data->Klient.recordCount(), 3);
    EXPECT_EQ(data->Klient.field("KLIENTID").toInt(), 2);

    data->Klient.close(); // closed before the run: the first contractor becomes current
    frm.WczytajWplaty();
    EXPECT_EQ(data->Klient.field("KLIENTID").toInt(), 3);
}

TEST_F(MainWindow, PlacementStoredAtCloseWithNegativeCornerAsZero) {
    TWindow w;
    w.SetApplicationName("Brevant");
    w.SetName("MainFrm");
    EXPECT_FALSE(w.Read()); // first run: nothing stored
    {
        TMainFrm frm;
        frm.resize(600, 450);
        frm.move(-40, 30);
        frm.close();
    }
    ASSERT_TRUE(w.Read());
    EXPECT_EQ(w.Left(), 0);
    EXPECT_EQ(w.Width(), 600);
    EXPECT_EQ(w.Height(), 450);
    TMainFrm again; // the next run opens with the stored size
    EXPECT_EQ(again.size(), QSize(600, 450));
}

TEST(WindowPlacement, StoredNegativeValuesReadAsZero) {
    QStandardPaths::setTestModeEnabled(true);
    QSettings s = UserSettings::open();
    s.remove(QString());
    s.setValue("App/Okno/Left", -5);
    s.setValue("App/Okno/Width", 300);
    s.sync();
    TWindow w;
    w.SetApplicationName("App");
    w.SetName("Okno");
    w.SetHeight(77);
    ASSERT_TRUE(w.Read());
    EXPECT_EQ(w.Left(), 0);
    EXPECT_EQ(w.Width(), 300);
    EXPECT_EQ(w.Height(), 77); // a missing value leaves the field as it was
}

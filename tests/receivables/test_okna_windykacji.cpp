// The collection windows offscreen: a note counted, saved and booked from its window; the
// reminders to all debtors made with progress, stopped part-way, and written a file each.
#include "DaneFirmy.h"
#include "SeriaDokumentow.h"
#include "TestDatabase.h"
#include "Wyglad.h"
#include "frmWindykacja.h"

#include <QApplication>
#include <QDateEdit>
#include <QDir>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class OknaWindykacji : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        firma::DaneFirmy f;
        f.nazwa = QStringLiteral("Wierzyciel");
        f.adres = QStringLiteral("ul. Długa 1");
        f.konto = QStringLiteral("61109010140000071219812874");
        ASSERT_EQ(firma::zapiszDaneFirmy(data->conn, f).uwaga, QString());
        addKlient(1, QStringLiteral("Alfa"));
        addKlient(2, QStringLiteral("Beta"));
        for (const char* sql : {
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, NR_FAKTURY, "
                 "DOZAPLATY) VALUES (10, 1, 'U', '2024-03-01', '2024-03-15', 'FV/1', 10000)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO) "
                 "VALUES (20, 1, 'U', '2024-04-14', 'przelew', 4000)",
                 "INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) VALUES (10, 20, 4000)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, NR_FAKTURY, "
                 "DOZAPLATY) VALUES (11, 2, 'U', '2024-04-27', '2024-05-11', 'FV/2', 1234.56)",
             })
            exec(QString::fromUtf8(sql));
    }
};

} // namespace

TEST_F(OknaWindykacji, NoteIsCountedSavedAndBookedFromItsWindowOnce) {
    wydruk::TNotaOdsetkowaFrm f(data->conn, 1, QStringLiteral("Alfa"));
    EXPECT_FALSE(f.ZaksiegujBtn->isEnabled()); // nothing counted yet
    f.DoEd->setDate(QDate(2024, 4, 30));
    f.DataEd->setDate(QDate(2024, 5, 2));
    f.ObliczBtn->click();
    EXPECT_EQ(f.Pozycje->rowCount(), 2);
    EXPECT_TRUE(f.RazemLbl->text().contains("170,88")) << f.RazemLbl->text().toStdString();
    EXPECT_EQ(count("FROM NOTA_ODSETKOWA"), 0);

    // Declined: nothing saved. Accepted: saved under its number and booked.
    f.ZaksiegujBtn->click();
    EXPECT_EQ(count("FROM NOTA_ODSETKOWA"), 0);
    f.ZaksiegujBtn->click(); // the note stays shown after a "no"
    messages->clear();
    messages->answer(true);
    f.ZaksiegujBtn->click();
    EXPECT_EQ(messages->texts().last(), "Zapisano i zaksięgowano notę NO/1/2024.");
    EXPECT_EQ(scalar("SELECT DOZAPLATY FROM TRANS WHERE NR_FAKTURY = 'NO/1/2024'").toMoney(),
              *Money::parse(QStringLiteral("170.88")));
    ASSERT_EQ(f.Rejestr->Lista->rowCount(), 1);
    EXPECT_EQ(f.Rejestr->Lista->item(0, 7)->text(), "zaksięgowana");
    f.Rejestr->Lista->selectRow(0);
    EXPECT_FALSE(f.Rejestr->ZaksiegujBtn->isEnabled());
    EXPECT_FALSE(f.ZaksiegujBtn->isEnabled());

    // Counted again for the same days: nothing left to charge.
    messages->clear();
    f.ObliczBtn->click();
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_TRUE(messages->texts()[0].contains("wcześniejsze noty"));
    EXPECT_EQ(f.Pozycje->rowCount(), 0);
}

TEST_F(OknaWindykacji, RemindersToAllShowProgressStopWhenToldAndWriteAFileEach) {
    // Stopped after the first contractor: the documents made until then.
    dokumenty::ParametryWezwania p;
    p.dataWystawienia = QDate(2024, 6, 30);
    p.ponadDni = 30;
    std::vector<std::pair<int, int>> kroki;
    auto w = windykacja::wezwania(data->conn, p, 0, [&](int zrobione, int wszystkie) {
        kroki.emplace_back(zrobione, wszystkie);
        return false;
    });
    ASSERT_TRUE((std::holds_alternative<windykacja::Seria<dokumenty::WezwanieDoZaplaty>>(w)));
    const auto& s = std::get<windykacja::Seria<dokumenty::WezwanieDoZaplaty>>(w);
    EXPECT_TRUE(s.przerwana);
    ASSERT_EQ(s.dokumenty.size(), 1u);
    EXPECT_EQ(s.dokumenty[0].kontrahent.nazwa, "Alfa");
    EXPECT_EQ(kroki, (std::vector<std::pair<int, int>>{{1, 2}}));

    wydruk::TDokumentyWindykacjiFrm f(data->conn, wydruk::TDokumentyWindykacjiFrm::Rodzaj::Wezwania,
                                      0, {});
    f.DataEd->setDate(QDate(2024, 6, 30));
    f.PonadDniEd->setValue(30);
    ASSERT_TRUE(f.Utworz());
    EXPECT_EQ(f.wezwania.size(), 2u);
    EXPECT_EQ(f.Pasek->value(), 2);
    EXPECT_TRUE(f.FolderBtn->isEnabled());
    QTemporaryDir dir;
    EXPECT_EQ(f.ZapiszDoFolderu(dir.path()), 2);
    EXPECT_EQ(QDir(dir.path()).entryList({"Wezwanie_*.pdf"}, QDir::Files).size(), 2);

    // More than 60 days overdue on 30 June: Alfa only (Beta is 48 days late).
    f.PonadDniEd->setValue(60);
    ASSERT_TRUE(f.Utworz());
    ASSERT_EQ(f.wezwania.size(), 1u);
    EXPECT_EQ(f.wezwania[0].kontrahent.nazwa, "Alfa");

    wydruk::TDokumentyWindykacjiFrm c(
        data->conn, wydruk::TDokumentyWindykacjiFrm::Rodzaj::Potwierdzenia, 2, "Beta");
    c.NaDzienEd->setDate(QDate(2024, 6, 30));
    ASSERT_TRUE(c.Utworz());
    ASSERT_EQ(c.potwierdzenia.size(), 1u);
    EXPECT_EQ(c.potwierdzenia[0].saldo, *Money::parse(QStringLiteral("1234.56")));
}

// The note's rows sort by a click on a heading, amounts by value ("12 345,67" after "6 000,00"),
// and Tab leaves the list however many rows it has.
TEST_F(OknaWindykacji, NoteRowsSortByValueAndTabLeavesTheList) {
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, NR_FAKTURY, DOZAPLATY) "
         "VALUES (12, 1, 'U', '2024-03-02', '2024-03-16', 'FV/3', 12345.67)");
    wydruk::TNotaOdsetkowaFrm f(data->conn, 1, QStringLiteral("Alfa"));
    f.DoEd->setDate(QDate(2024, 4, 30));
    f.DataEd->setDate(QDate(2024, 5, 2));
    f.ObliczBtn->click();
    const int wierszy = f.Pozycje->rowCount();
    ASSERT_GE(wierszy, 2);
    f.Pozycje->sortItems(3, Qt::AscendingOrder); // "Kwota"
    EXPECT_EQ(f.Pozycje->item(wierszy - 1, 3)->text(), FormatKwoty(*Money::parse("12345.67")));
    EXPECT_EQ(f.Pozycje->item(wierszy - 1, 0)->text(), "FV/3");

    f.show();
    QApplication::setActiveWindow(&f);
    ASSERT_TRUE(QTest::qWaitForWindowActive(&f));
    f.Pozycje->setFocus();
    f.Pozycje->setCurrentCell(0, 0);
    ASSERT_EQ(QApplication::focusWidget(), f.Pozycje);
    QTest::keyClick(f.Pozycje, Qt::Key_Tab);
    EXPECT_NE(QApplication::focusWidget(), f.Pozycje);
    f.hide();
}

#include "AccessTest.h"
#include "Dziennik.h"
#include "frmDziennik.h"

#include <QDateEdit>
#include <QLabel>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

// "Dziennik zmian" shows the entries of the days chosen, newest last, and offers nothing that
// would change them.
TEST_F(AccessTest, ChangeLogWindowListsTheDaysChosen) {
    addKlient(1, QStringLiteral("Alfa"));
    addTrans(10, 1, "300", "NULL");
    dziennik::UstawOperatora(data->conn, QStringLiteral("Zofia"));
    exec("UPDATE TRANS SET DOZAPLATY = 250 WHERE WPISID = 10");
    exec("DELETE FROM TRANS WHERE WPISID = 10");

    TDziennikFrm frm(*data);
    frm.Przygotuj();
    EXPECT_EQ(frm.OdEd->date(), QDate::currentDate().addDays(-30));
    EXPECT_EQ(frm.DoEd->date(), QDate::currentDate());
    ASSERT_EQ(frm.model().rowCount(), 2);
    EXPECT_EQ(frm.LiczbaLbl->text(), QStringLiteral("Wpisów: 2"));
    const auto cell = [&](int r, int c) {
        return frm.model().data(frm.model().index(r, c), Qt::DisplayRole).toString();
    };
    EXPECT_TRUE(cell(0, 0).startsWith(QDate::currentDate().toString("dd.MM.yyyy")));
    EXPECT_EQ(cell(0, 1), QStringLiteral("Zofia"));
    EXPECT_EQ(cell(0, 2), QStringLiteral("Korekta"));
    EXPECT_EQ(cell(0, 3), QStringLiteral("Transakcja 10 (wpisana ręcznie)"));
    EXPECT_EQ(cell(0, 4), QStringLiteral("Alfa [1]"));
    EXPECT_EQ(cell(0, 5), QString::fromUtf8("data 10.03.2023; należność 300,00 → 250,00"));
    EXPECT_EQ(cell(1, 2), QStringLiteral("Usunięcie"));
    // The latest is chosen and shown in full below the list.
    EXPECT_EQ(frm.Grid->currentIndex().row(), 1);
    EXPECT_EQ(frm.SzczegolyLbl->text(),
              QString::fromUtf8("Usunięcie: Transakcja 10 (wpisana ręcznie), Alfa [1]\n"
                                "data 10.03.2023; należność 250,00"));
    EXPECT_EQ(frm.Grid->editTriggers(), QAbstractItemView::NoEditTriggers);

    // Days without changes, and days the wrong way round.
    frm.OdEd->setDate(QDate::currentDate().addDays(-10));
    frm.DoEd->setDate(QDate::currentDate().addDays(-5));
    frm.PokazBtn->click();
    EXPECT_EQ(frm.model().rowCount(), 0);
    EXPECT_EQ(frm.LiczbaLbl->text(), QStringLiteral("Brak zmian w tym okresie."));
    EXPECT_EQ(frm.SzczegolyLbl->text(), QString());
    frm.OdEd->setDate(QDate::currentDate());
    frm.PokazBtn->click();
    EXPECT_EQ(uwagi(), QStringList{"Data początkowa jest późniejsza niż końcowa."});
}

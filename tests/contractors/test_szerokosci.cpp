#include "FWindow.h"

#include <QStandardItemModel>
#include <QStandardPaths>
#include <QTableView>

#include <gtest/gtest.h>

class Szerokosci : public ::testing::Test {
protected:
    void SetUp() override {
        QStandardPaths::setTestModeEnabled(true);
        QSettings s = UserSettings::open();
        s.remove(QStringLiteral("Brevant/Grid/TestGrid"));
        model.setColumnCount(5);
        grid.setModel(&model);
        for (int i = 0; i < 5; ++i)
            grid.setColumnWidth(i, 100);
    }
    void zapisz(int i, const QVariant& v) {
        QSettings s = UserSettings::open();
        s.setValue(QStringLiteral("Brevant/Grid/TestGrid/") + GridLayout::NazwaKol(i), v);
    }
    std::vector<int> szerokosci() const {
        std::vector<int> w;
        for (int i = 0; i < 5; ++i)
            w.push_back(grid.columnWidth(i));
        return w;
    }
    QStandardItemModel model;
    QTableView grid;
};

TEST_F(Szerokosci, NoKeyChangesNothing) {
    GridLayout::LoadGridCol(grid, QStringLiteral("TestGrid"));
    EXPECT_EQ(szerokosci(), (std::vector<int>{100, 100, 100, 100, 100}));
}

TEST_F(Szerokosci, NarrowWidthsOpenAsFiveAndOnlyStoredPositionsChange) {
    zapisz(0, 0);
    zapisz(2, 4);
    zapisz(7, 300); // the grid has five columns
    GridLayout::LoadGridCol(grid, QStringLiteral("TestGrid"));
    EXPECT_EQ(szerokosci(), (std::vector<int>{5, 100, 5, 100, 100}));
    zapisz(1, 1);
    zapisz(3, 5);
    zapisz(4, QStringLiteral("szeroka")); // not a number: ignored
    GridLayout::LoadGridCol(grid, QStringLiteral("TestGrid"));
    EXPECT_EQ(szerokosci(), (std::vector<int>{5, 5, 5, 5, 100}));
}

TEST_F(Szerokosci, SavedWidthsReadBack) {
    grid.setColumnWidth(2, 321);
    GridLayout::SaveGridCol(grid, QStringLiteral("TestGrid"));
    {
        QSettings s = UserSettings::open();
        EXPECT_EQ(s.value(QStringLiteral("Brevant/Grid/TestGrid/Kol2")).toInt(), 321);
        EXPECT_EQ(s.value(QStringLiteral("Brevant/Grid/TestGrid/Kol4")).toInt(), 100);
        EXPECT_FALSE(s.contains(QStringLiteral("Brevant/Grid/TestGrid/Kol5")));
    }
    EXPECT_EQ(GridLayout::WczytajSzerokosci(QStringLiteral("TestGrid"), {1, 2, 3}),
              (std::vector<int>{100, 100, 321}));
}

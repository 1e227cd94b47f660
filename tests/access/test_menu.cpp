#include "Globals.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "Ventrol.h"

#include <QAction>

#include <gtest/gtest.h>

class MenuTest : public DbTest {};

TEST_F(MenuTest, OnlyTheAdministratorSeesTheOperatorList) {
    TMainFrm mainFrm;
    MainActions actions;
    actions.uzytkownicy = [] {};
    actions.zmianaHasla = [] {};
    mainFrm.setActions(actions);
    const struct {
        const char* name;
        bool visible;
    } cases[] = {
        {"Administrator", true}, {" ADMINISTRATOR ", true}, {"administrator", true},
        {"Jan", false},          {"Admin", false},          {"Administratorka", false},
    };
    for (const auto& c : cases) {
        Globals::App_Operator = QString::fromUtf8(c.name);
        mainFrm.UpdateMenu();
        EXPECT_EQ(mainFrm.actUzytkownicy->isVisible(), c.visible) << c.name;
        // Every operator may change their own password.
        EXPECT_TRUE(mainFrm.actZmianaHasla->isVisible() && mainFrm.actZmianaHasla->isEnabled())
            << c.name;
    }
}

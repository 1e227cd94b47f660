#include "Klawiatura.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

namespace {
struct Okno {
    QDialog d;
    QLineEdit* pole = new QLineEdit(&d);
    QPushButton* dopisz = new QPushButton(QStringLiteral("&Dopisz"), &d);
    QPushButton* usun = new QPushButton(QStringLiteral("&Usuń"), &d);
    int dopisano = 0, usunieto = 0;
    Okno() {
        auto* l = new QVBoxLayout(&d);
        l->addWidget(pole);
        l->addWidget(dopisz);
        l->addWidget(usun);
        QObject::connect(dopisz, &QPushButton::clicked, [this] { ++dopisano; });
        QObject::connect(usun, &QPushButton::clicked, [this] { ++usunieto; });
    }
    void pokaz() {
        d.show();
        QApplication::setActiveWindow(&d);
        EXPECT_TRUE(QTest::qWaitForWindowActive(&d));
    }
};
} // namespace

TEST(Klawiatura, EnterInAFieldPressesOnlyADefaultTheWindowChose) {
    Klawiatura::zainstaluj();
    {
        Okno o; // no default chosen: Enter typed in the field presses nothing
        o.pokaz();
        o.pole->setFocus();
        QTest::keyClick(o.pole, Qt::Key_Return);
        EXPECT_EQ(o.dopisano + o.usunieto, 0);
        EXPECT_TRUE(o.d.isVisible());
        // Enter on a focused button presses that button.
        o.usun->setFocus();
        QTest::keyClick(o.usun, Qt::Key_Return);
        EXPECT_EQ(o.usunieto, 1);
        EXPECT_EQ(o.dopisano, 0);
        // Escape closes the dialog.
        o.pole->setFocus();
        QTest::keyClick(o.pole, Qt::Key_Escape);
        EXPECT_FALSE(o.d.isVisible());
    }
    {
        Okno o;
        o.dopisz->setDefault(true);
        o.pokaz();
        o.pole->setFocus();
        QTest::keyClick(o.pole, Qt::Key_Enter, Qt::KeypadModifier);
        EXPECT_EQ(o.dopisano, 1);
        EXPECT_EQ(o.usunieto, 0);
    }
}

#include "ListaKrajow.h"
#include "Siatka.h"
#include "Slowniki.h"
#include "TestPrinters.h"
#include "frmWybierzKodKR.h"

#include <QLineEdit>
#include <QPushButton>
#include <QSet>
#include <QTableView>
#include <QTest>

#include <gtest/gtest.h>

TEST(KrajeV4, HoldsEachCodeOnceWithNamesThatFit) {
    QSet<QString> kody;
    for (const recKraj& r : KrajeV4()) {
        const QString kod = QString::fromUtf16(r.kod);
        const QString nazwa = QString::fromUtf16(r.nazwa);
        EXPECT_EQ(kod.size(), 2);
        EXPECT_EQ(kod, kod.toUpper());
        EXPECT_FALSE(nazwa.isEmpty());
        EXPECT_LE(nazwa.size(), 40) << nazwa.toStdString();
        kody.insert(kod);
    }
    EXPECT_EQ(kody.size(), LiczbaKrajow);
    // Rows that stand in a fixed place in the list.
    const struct {
        int nr;
        const char* kod;
        const char* nazwa;
    } wiersze[] = {{1, "AF", "Afganistan"},        {9, "AN", "Antyle Holenderskie"},
                   {42, "CW", "Curaçao"},          {109, "XK", "Kosowo"},
                   {148, "NL", "Holandia"},        {149, "DE", "Niemcy"},
                   {167, "PL", "Polska"},          {198, "PM", "Saint-Pierre i Miquelon"},
                   {241, "AX", "Wyspy Alandzkie"}, {252, "AE", "Zjednoczone Emiraty Arabskie"}};
    for (const auto& w : wiersze) {
        const recKraj& r = KrajeV4()[static_cast<size_t>(w.nr - 1)];
        EXPECT_EQ(QString::fromUtf16(r.kod), QString::fromUtf8(w.kod));
        EXPECT_EQ(QString::fromUtf16(r.nazwa), QString::fromUtf8(w.nazwa));
    }
}

TEST(KodKrajuOK, AcceptsListedCodesAndNoCodeRefusesOthers) {
    const struct {
        const char* kod;
        bool ok;
    } przypadki[] = {{"", true},    {"PL", true}, {"pl", true},  {"  DE ", true},
                     {"xk", true},  {"XC", true}, {"AN", true},  {"XX", false},
                     {"EU", false}, {"D", false}, {"DEU", false}};
    for (const auto& p : przypadki)
        EXPECT_EQ(KodKrajuOK(QString::fromUtf8(p.kod)), p.ok) << p.kod;
}

TEST(ListaKrajow, FiltersOnNamesNotCodes) {
    TListaKrajow lista;
    EXPECT_EQ(lista.liczba(), LiczbaKrajow);
    lista.setFiltr(QStringLiteral(" wyspy "));
    EXPECT_EQ(lista.filtr(), QStringLiteral("WYSPY"));
    ASSERT_GT(lista.liczba(), 5);
    for (int i = 0; i < lista.liczba(); ++i)
        EXPECT_TRUE(lista.nazwa(i).toUpper().contains(QStringLiteral("WYSPY")));
    EXPECT_GE(lista.wierszKodu(QStringLiteral("ax")), 0);
    // A code is not a name: "DE" hides Niemcy, and shows names that happen to contain it.
    lista.setFiltr(QStringLiteral("de"));
    EXPECT_EQ(lista.wierszKodu(QStringLiteral("DE")), -1);
    EXPECT_GE(lista.wierszKodu(QStringLiteral("BD")), 0); // Bangladesz
    lista.setFiltr(QStringLiteral("PL"));
    EXPECT_EQ(lista.wierszKodu(QStringLiteral("PL")), -1);
}

class Picker : public ::testing::Test {
protected:
    TWybierzKodKRFrm frm;
    QString biezacyKod() const { return frm.Lista.kod(frm.biezacyWiersz()); }
};

TEST_F(Picker, OpensOnPolskaForNoCodeAndOnTheGivenCode) {
    frm.Przygotuj(QString());
    EXPECT_EQ(biezacyKod(), QStringLiteral("PL"));
    frm.Przygotuj(QStringLiteral("de"));
    EXPECT_EQ(biezacyKod(), QStringLiteral("DE"));
    EXPECT_EQ(frm.Lista.nazwa(frm.biezacyWiersz()), QStringLiteral("Niemcy"));
    // An unknown code leaves the list where it was after the reset: on its first row.
    frm.Przygotuj(QStringLiteral("QQ"));
    EXPECT_EQ(frm.biezacyWiersz(), 0);
}

TEST_F(Picker, ChoosesTheCurrentRowAndANoMatchFilterDisablesTheChoice) {
    frm.Przygotuj(QStringLiteral("PL"));
    frm.FiltrEd->setText(QStringLiteral("niem"));
    ASSERT_TRUE(frm.WybierzBtn->isEnabled());
    frm.WybierzBtnClick();
    EXPECT_EQ(frm.result(), QDialog::Accepted);
    EXPECT_EQ(frm.FKod, QStringLiteral("DE"));
    EXPECT_EQ(frm.FKraj, QStringLiteral("Niemcy"));

    frm.Przygotuj(QStringLiteral("PL"));
    EXPECT_TRUE(frm.FKod.isEmpty());
    frm.FiltrEd->setText(QStringLiteral("zzz"));
    EXPECT_FALSE(frm.WybierzBtn->isEnabled());
    frm.setResult(QDialog::Rejected);
    QTest::mouseDClick(frm.Grid->viewport(), Qt::LeftButton);
    EXPECT_TRUE(frm.FKod.isEmpty());
    EXPECT_EQ(frm.result(), QDialog::Rejected);
}

#include "DataGrid.h"
#include "TestDatabase.h"
#include "frmSzukajKlienta.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTimer>

#include <gtest/gtest.h>

#include <memory>

TEST(NazwaPasuje, EmptyFilterPassesEverythingOtherwiseAFragmentInAnyCase) {
    EXPECT_EQ(NormujFiltr(QStringLiteral("  żółw ")), QStringLiteral("ŻÓŁW"));
    EXPECT_TRUE(NazwaPasuje(QStringLiteral("ABC"), QString()));
    EXPECT_TRUE(
        NazwaPasuje(QStringLiteral("ZAKŁAD ŻÓŁW SP."), NormujFiltr(QStringLiteral("żółw"))));
    EXPECT_FALSE(NazwaPasuje(QStringLiteral("ZAKŁAD ZOLW"), NormujFiltr(QStringLiteral("żółw"))));
}

class SzukajKlientaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        frm = std::make_unique<TSzukajKlientaFrm>(*data);
    }
    void TearDown() override {
        frm.reset();
        DbTest::TearDown();
    }
    QStringList nazwy() const {
        QStringList l;
        const Dataset& ds = frm->lista().lista();
        for (int i = 0; i < ds.recordCount(); ++i)
            l << ds.row(i)[QStringLiteral("NAZWA")].toString();
        return l;
    }
    std::unique_ptr<TSzukajKlientaFrm> frm;
};

TEST_F(SzukajKlientaTest, FilterKeepsNamesContainingTheTextInAnyCase) {
    addKlient(1, QStringLiteral("Łódzkie Młyny"), QStringLiteral("PL"),
              QStringLiteral("7251234567"));
    addKlient(2, QStringLiteral("Anex"));
    addKlient(3, QStringLiteral("Młynarz i syn"));
    ASSERT_TRUE(frm->Przygotuj());
    EXPECT_EQ(nazwy(), (QStringList{"Anex", "Łódzkie Młyny", "Młynarz i syn"}));
    EXPECT_TRUE(frm->WybierzBtn->isEnabled());

    frm->FiltrEd->setText(QStringLiteral("  mŁyN "));
    EXPECT_EQ(frm->sFiltr(), QStringLiteral("MŁYN"));
    EXPECT_EQ(nazwy(), (QStringList{"Łódzkie Młyny", "Młynarz i syn"}));
    EXPECT_EQ(frm->lista().biezacyKlientId(), 1); // the filter starts from the first row
    EXPECT_TRUE(frm->WybierzBtn->isEnabled());

    frm->FiltrEd->setText(QStringLiteral("xyz"));
    EXPECT_TRUE(nazwy().isEmpty());
    EXPECT_FALSE(frm->WybierzBtn->isEnabled());

    frm->FiltrEd->clear();
    EXPECT_EQ(nazwy().size(), 3);
    EXPECT_TRUE(frm->WybierzBtn->isEnabled());
}

TEST_F(SzukajKlientaTest, ChoosingReturnsTheRowCancellingReturnsZero) {
    addKlient(1, QStringLiteral("Alfa"));
    addKlient(2, QStringLiteral("Beta"));
    // Chosen through the shown dialog: filter, then "Wybierz".
    QTimer::singleShot(0, [this] {
        frm->FiltrEd->setText(QStringLiteral("bet"));
        frm->WybierzBtn->click();
    });
    EXPECT_EQ(frm->Execute(), QDialog::Accepted);
    EXPECT_EQ(frm->FKlientId, 2);

    // The next opening starts afresh and sees a contractor added meanwhile.
    addKlient(3, QStringLiteral("Gamma"));
    QTimer::singleShot(0, [this] {
        EXPECT_TRUE(frm->FiltrEd->text().isEmpty());
        EXPECT_EQ(nazwy().size(), 3);
        frm->AnulujBtn->click();
    });
    EXPECT_EQ(frm->Execute(), QDialog::Rejected);
    EXPECT_EQ(frm->FKlientId, 0);
}

TEST_F(SzukajKlientaTest, AnEmptyRegisterOffersNothingToChoose) {
    ASSERT_TRUE(frm->Przygotuj());
    EXPECT_FALSE(frm->WybierzBtn->isEnabled());
    frm->WybierzBtnClick();
    EXPECT_EQ(frm->FKlientId, 0);
    frm->reject();
}

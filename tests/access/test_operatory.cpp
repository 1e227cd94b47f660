#include "AccessTest.h"
#include "DataGrid.h"
#include "frmLogin.h"
#include "frmOperator.h"
#include "gridOperator.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {
struct Przyciski {
    bool dopisz, popraw, usun;
    bool operator==(const Przyciski&) const = default;
};
void PrintTo(const Przyciski& p, std::ostream* os) {
    *os << "Dopisz " << p.dopisz << ", Popraw " << p.popraw << ", Usuń " << p.usun;
}
} // namespace

class OperatorTest : public AccessTest {
protected:
    void SetUp() override {
        AccessTest::SetUp();
        frm = std::make_unique<TOperatorFrm>(*data);
        tbl = std::make_unique<TOperatorTbl>(*data, *frm);
    }
    void TearDown() override {
        tbl.reset();
        frm.reset();
        AccessTest::TearDown();
    }
    Przyciski przyciski() const {
        return {tbl->DopiszBtn->isEnabled(), tbl->PoprawBtn->isEnabled(),
                tbl->UsunBtn->isEnabled()};
    }
    void naWiersz(const QString& name) {
        ASSERT_TRUE(data->OperatorXE.locate(QStringLiteral("NAZWA"), name)) << name.toStdString();
    }
    void wpisz(const QString& name, const QString& password, const QString& repeat) {
        frm->UzytkownikEd->setText(name);
        frm->HasloEd->setText(password);
        frm->PowtorzEd->setText(repeat);
        frm->OkBtnClick();
    }
    std::unique_ptr<TOperatorFrm> frm;
    std::unique_ptr<TOperatorTbl> tbl;
};

TEST_F(OperatorTest, TheAdministratorsRowCanBeNeitherCorrectedNorDeleted) {
    EXPECT_EQ(przyciski(), (Przyciski{false, false, false})); // the table is not open yet
    dodajOperatora(10, QStringLiteral("Jan"), QStringLiteral("haslo-jana"));
    dodajOperatora(11, QStringLiteral(" ADMINISTRATOR "), QStringLiteral("x"));
    dodajOperatora(12, QStringLiteral("administrator"), QStringLiteral("x"));
    dodajOperatora(13, QStringLiteral("Administratorka"), QStringLiteral("x"));
    dodajOperatora(14, QStringLiteral("Admin"), QStringLiteral("x"));
    ASSERT_TRUE(tbl->Przygotuj());
    const struct {
        const char* name;
        Przyciski expected;
    } cases[] = {
        {"Administrator", {true, false, false}}, {" ADMINISTRATOR ", {true, false, false}},
        {"administrator", {true, false, false}}, {"Jan", {true, true, true}},
        {"Administratorka", {true, true, true}}, {"Admin", {true, true, true}},
    };
    for (const auto& c : cases) {
        naWiersz(QString::fromUtf8(c.name));
        EXPECT_EQ(przyciski(), c.expected) << c.name;
    }
    // A move made in the grid applies the rules too.
    naWiersz(QStringLiteral("Jan"));
    const int admin = [&] {
        for (int i = 0; i < data->OperatorXE.recordCount(); ++i)
            if (data->OperatorXE.row(i)["OPERID"].toInt() == 1)
                return i;
        return -1;
    }();
    tbl->Grid->ustawBiezacy(admin);
    EXPECT_EQ(data->OperatorXE.field(QStringLiteral("OPERID")).toInt(), 1);
    EXPECT_EQ(przyciski(), (Przyciski{true, false, false}));
}

TEST_F(OperatorTest, AnEmptyListAllowsOnlyAdding) {
    exec(QStringLiteral("DELETE FROM OPERATOR"));
    ASSERT_TRUE(tbl->Przygotuj());
    EXPECT_EQ(przyciski(), (Przyciski{true, false, false}));
}

TEST_F(OperatorTest, AddingValidatesInOrderAndKeepsTheDialogAsItWas) {
    ASSERT_TRUE(tbl->Przygotuj());
    frm->PrzygotujWstaw();
    frm->show();
    const QString h21 = QStringLiteral("abcdefghijklmnopqrstu");
    struct Case {
        QString name, password, repeat, message;
    };
    const Case cases[] = {
        {QStringLiteral("  "), QStringLiteral("abcdef"), QStringLiteral("abcdef"),
         QStringLiteral("Nazwa użytkownika musi być podana.")},
        {QStringLiteral(" administrator "), QStringLiteral("abcdef"), QStringLiteral("abcdef"),
         QStringLiteral("Nazwa użytkownika nie może się powtarzać.")},
        {QStringLiteral("Jan"), QStringLiteral("abcde"), QStringLiteral("abcde"),
         QStringLiteral("Hasło musi mieć przynajmniej 6 znaków.")},
        {QStringLiteral("Jan"), QStringLiteral(" abcde "), QStringLiteral("abcde"),
         QStringLiteral("Hasło musi mieć przynajmniej 6 znaków.")},
        {QStringLiteral("Jan"), QStringLiteral("abcdef"), QStringLiteral("abcdeF"),
         QStringLiteral("Hasło wprowadzone powtórnie różni się od wprowadzonego hasła.")},
        // The repeat box takes 20 characters: a longer password cannot be confirmed.
        {QStringLiteral("Jan"), h21, h21,
         QStringLiteral("Hasło wprowadzone powtórnie różni się od wprowadzonego hasła.")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.message.toStdString());
        messages->clear();
        wpisz(c.name, c.password, c.repeat);
        EXPECT_EQ(uwagi(), QStringList{c.message});
        EXPECT_TRUE(frm->isVisible());
        EXPECT_EQ(frm->UzytkownikEd->text(), c.name);
        EXPECT_EQ(frm->HasloEd->text(), c.password);
        EXPECT_EQ(count(QStringLiteral("FROM OPERATOR")), 1);
    }
    EXPECT_EQ(frm->PowtorzEd->text(), h21.left(20));

    messages->clear();
    wpisz(QStringLiteral("Jan"), QStringLiteral("abcdef"), QStringLiteral("abcdef"));
    EXPECT_TRUE(uwagi().isEmpty());
    EXPECT_FALSE(frm->isVisible());
    // Committed: another transaction sees the row.
    EXPECT_EQ(count(QStringLiteral("FROM OPERATOR WHERE NAZWA = 'Jan' AND OPERID > 1")), 1);
    const int id = data->OperatorXE.field(QStringLiteral("OPERID")).toInt();
    EXPECT_EQ(data->OperatorXE.field(QStringLiteral("NAZWA")).toString(), QStringLiteral("Jan"));
    EXPECT_EQ(haslo(id), SHA1Digest(QStringLiteral("abcdef")));
    tbl->UpdateBtns();
    EXPECT_EQ(przyciski(), (Przyciski{true, true, true})); // the new row is current
}

TEST_F(OperatorTest, APasswordIsStoredWithoutItsBlanksAndMustBeTypedSoAtLogin) {
    ASSERT_TRUE(tbl->Przygotuj());
    frm->PrzygotujWstaw();
    wpisz(QStringLiteral("  Zofia "), QStringLiteral("  żółw12 "), QStringLiteral("żółw12"));
    ASSERT_TRUE(uwagi().isEmpty()) << uwagi().join(u'|').toStdString();
    const int id = data->OperatorXE.field(QStringLiteral("OPERID")).toInt();
    EXPECT_EQ(nazwa(id), QStringLiteral("Zofia"));
    EXPECT_EQ(haslo(id), SHA1Digest(QStringLiteral("żółw12")));

    TLoginFrm login(*data);
    ASSERT_TRUE(login.Przygotuj());
    login.show();
    login.UzytkownikEd->setText(QStringLiteral("Zofia"));
    login.HasloEd->setText(QStringLiteral("  żółw12 "));
    login.OkBtnClick();
    EXPECT_EQ(uwagi(), QStringList{QStringLiteral("Nazwa użytkownika lub hasło nieprawidłowe.")});
    login.HasloEd->setText(QStringLiteral("żółw12"));
    login.OkBtnClick();
    EXPECT_TRUE(login.FHasloOK);
}

TEST_F(OperatorTest, TheNameBoxTakesNoMoreThanTheColumnHolds) {
    ASSERT_TRUE(tbl->Przygotuj());
    frm->PrzygotujWstaw();
    const QString dluga = QStringLiteral("Żaneta Przybyszewska-Łukasiewicz"); // 32 characters
    wpisz(dluga, QStringLiteral("abcdef"), QStringLiteral("abcdef"));
    ASSERT_TRUE(uwagi().isEmpty()) << uwagi().join(u'|').toStdString();
    const int id = data->OperatorXE.field(QStringLiteral("OPERID")).toInt();
    EXPECT_EQ(nazwa(id), dluga.left(30));
}

TEST_F(OperatorTest, CorrectingRenamesTheRowAndAlwaysSetsANewPassword) {
    dodajOperatora(10, QStringLiteral("Jan"), QStringLiteral("stare-haslo"));
    dodajOperatora(11, QStringLiteral("Ewa"), QStringLiteral("haslo-ewy"));
    ASSERT_TRUE(tbl->Przygotuj());
    naWiersz(QStringLiteral("Jan"));
    ASSERT_TRUE(frm->PrzygotujPopraw());
    frm->show();
    EXPECT_FALSE(frm->NowyWpis);
    EXPECT_EQ(frm->AktOperId, 10);
    EXPECT_EQ(frm->UzytkownikEd->text(), QStringLiteral("Jan"));
    EXPECT_TRUE(frm->HasloEd->text().isEmpty());
    EXPECT_TRUE(frm->PowtorzEd->text().isEmpty());

    wpisz(QStringLiteral("EWA"), QStringLiteral("nowe-haslo"), QStringLiteral("nowe-haslo"));
    EXPECT_EQ(uwagi(), QStringList{QStringLiteral("Nazwa użytkownika nie może się powtarzać.")});
    EXPECT_TRUE(frm->isVisible());
    messages->clear();
    wpisz(QStringLiteral("Jan"), QString(), QString());
    EXPECT_EQ(uwagi(), QStringList{QStringLiteral("Hasło musi mieć przynajmniej 6 znaków.")});
    messages->clear();

    // Its own name in another letter case is no clash.
    wpisz(QStringLiteral("JAN "), QStringLiteral("nowe-haslo"), QStringLiteral("nowe-haslo"));
    EXPECT_TRUE(uwagi().isEmpty()) << uwagi().join(u'|').toStdString();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(nazwa(10), QStringLiteral("JAN"));
    EXPECT_EQ(haslo(10), SHA1Digest(QStringLiteral("nowe-haslo")));
    EXPECT_EQ(haslo(11), SHA1Digest(QStringLiteral("haslo-ewy")));
    EXPECT_EQ(count(QStringLiteral("FROM OPERATOR")), 3);
    EXPECT_EQ(data->OperatorXE.field(QStringLiteral("NAZWA")).toString(), QStringLiteral("JAN"));
}

TEST_F(OperatorTest, DeletingAsksWithNoAsTheDefault) {
    dodajOperatora(10, QStringLiteral("Jan"), QStringLiteral("haslo-jana"));
    ASSERT_TRUE(tbl->Przygotuj());
    naWiersz(QStringLiteral("Jan"));

    messages->answer(false);
    tbl->UsunBtnClick();
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::ZgodaDefNo);
    EXPECT_EQ(messages->messages()[0].text, QStringLiteral("Usunąć użytkownika z wykazu?"));
    EXPECT_EQ(count(QStringLiteral("FROM OPERATOR WHERE OPERID = 10")), 1);

    messages->answer(true);
    tbl->UsunBtnClick();
    EXPECT_EQ(count(QStringLiteral("FROM OPERATOR WHERE OPERID = 10")), 0);
    EXPECT_EQ(data->OperatorXE.recordCount(), 1);
    EXPECT_EQ(przyciski(), (Przyciski{true, false, false})); // the administrator is left
}

TEST_F(OperatorTest, ClosingTheListEndsTheTablesTransaction) {
    ASSERT_TRUE(tbl->Przygotuj());
    tbl->show();
    ASSERT_TRUE(data->trOperator.active());
    tbl->ZamknijBtn->click();
    EXPECT_FALSE(tbl->isVisible());
    EXPECT_FALSE(data->trOperator.active());
}

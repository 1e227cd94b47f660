#include "AccessTest.h"
#include "Globals.h"
#include "frmZmianaHasla.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

class ZmianaHaslaTest : public AccessTest {
protected:
    void SetUp() override {
        AccessTest::SetUp();
        dodajOperatora(10, QStringLiteral("Jan"), QStringLiteral("stare-haslo"));
        Globals::App_Operator = QStringLiteral("Jan");
        frm = std::make_unique<TZmianaHaslaFrm>(*data);
    }
    void TearDown() override {
        frm.reset();
        AccessTest::TearDown();
    }
    void otworz() {
        ASSERT_TRUE(frm->Przygotuj());
        frm->show();
    }
    void zmien(const QString& password, const QString& repeat,
               const QString& obecne = QStringLiteral("stare-haslo")) {
        frm->ObecneEd->setText(obecne);
        frm->HasloEd->setText(password);
        frm->PowtorzEd->setText(repeat);
        frm->ZmienBtnClick();
    }
    std::unique_ptr<TZmianaHaslaFrm> frm;
};

TEST_F(ZmianaHaslaTest, OpensEmptiedUnderTheOperatorsName) {
    frm->HasloEd->setText(QStringLiteral("cokolwiek"));
    frm->ObecneEd->setText(QStringLiteral("cokolwiek"));
    otworz();
    EXPECT_EQ(frm->windowTitle(), QStringLiteral("Jan - zmiana hasła"));
    EXPECT_TRUE(frm->ObecneEd->text().isEmpty());
    EXPECT_TRUE(frm->ObecneEd->isVisible());
    EXPECT_TRUE(frm->HasloEd->text().isEmpty());
    EXPECT_TRUE(frm->PowtorzEd->text().isEmpty());
    EXPECT_EQ(frm->HasloEd->maxLength(), 20);
    EXPECT_EQ(frm->PowtorzEd->maxLength(), 20);
    EXPECT_EQ(frm->ZmienBtn->text(), QStringLiteral("&Zmień hasło"));
}

TEST_F(ZmianaHaslaTest, ARefusedPasswordChangesNothing) {
    otworz();
    const struct {
        const char* password;
        const char* repeat;
        QString message;
    } cases[] = {
        {"abcde", "abcde", QStringLiteral("Hasło musi mieć przynajmniej 6 znaków.")},
        {"abcdef", "abcdeg",
         QStringLiteral("Hasło wprowadzone powtórnie różni się od nowego hasła.")},
    };
    for (const auto& c : cases) {
        messages->clear();
        zmien(QString::fromUtf8(c.password), QString::fromUtf8(c.repeat));
        EXPECT_EQ(uwagi(), QStringList{c.message});
        EXPECT_TRUE(frm->isVisible());
        EXPECT_EQ(frm->HasloEd->text(), QString::fromUtf8(c.password));
    }
    EXPECT_EQ(haslo(10), SHA1Digest(QStringLiteral("stare-haslo")));
}

// A workstation left logged in is no way to another password: the current one is asked for,
// exactly as the login takes it.
TEST_F(ZmianaHaslaTest, TheCurrentPasswordIsAskedFor) {
    otworz();
    for (const char* obecne : {"", "zle-haslo", " stare-haslo", "STARE-HASLO"}) {
        messages->clear();
        zmien(QStringLiteral("nowe-haslo"), QStringLiteral("nowe-haslo"),
              QString::fromUtf8(obecne));
        EXPECT_EQ(uwagi(), QStringList{"Obecne hasło jest nieprawidłowe."}) << obecne;
        EXPECT_TRUE(frm->isVisible());
    }
    EXPECT_EQ(haslo(10), SHA1Digest(QStringLiteral("stare-haslo")));
    // Changed on another workstation since the dialog read it: nothing is overwritten.
    exec(QStringLiteral("UPDATE OPERATOR SET HASLO = '%1' WHERE OPERID = 10")
             .arg(SHA1Digest(QStringLiteral("inne-haslo"))));
    messages->clear();
    zmien(QStringLiteral("nowe-haslo"), QStringLiteral("nowe-haslo"));
    EXPECT_TRUE(uwagi().value(0).startsWith("Hasło zmieniono w międzyczasie"))
        << uwagi().value(0).toStdString();
    EXPECT_EQ(haslo(10), SHA1Digest(QStringLiteral("inne-haslo")));
}

TEST_F(ZmianaHaslaTest, ChangesTheLoggedInOperatorsPasswordWithoutItsBlanks) {
    otworz();
    zmien(QStringLiteral(" nowe-hasło  "), QStringLiteral("nowe-hasło"));
    EXPECT_TRUE(uwagi().isEmpty()) << uwagi().join(u'|').toStdString();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(haslo(10), SHA1Digest(QStringLiteral("nowe-hasło"))); // committed
    EXPECT_EQ(haslo(1), SHA1Digest(QString::fromLatin1(TestAdminPassword)));
    EXPECT_FALSE(data->trOperator.active());
}

TEST_F(ZmianaHaslaTest, AnOperatorRenamedSinceLoginChangesNoRowAndIsTold) {
    exec(QStringLiteral("UPDATE OPERATOR SET NAZWA = 'Janek' WHERE OPERID = 10"));
    exec(QStringLiteral("INSERT INTO OPERATOR (OPERID, NAZWA, HASLO) VALUES (11, 'JAN', 'X')"));
    otworz();
    zmien(QStringLiteral("nowe-haslo"), QStringLiteral("nowe-haslo"));
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(haslo(10), SHA1Digest(QStringLiteral("stare-haslo")));
    EXPECT_EQ(haslo(11), QStringLiteral("X")); // the name is compared letter case included
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
    EXPECT_TRUE(messages->messages()[0].text.contains(QStringLiteral("nie zostało zmienione")));
    EXPECT_FALSE(data->trOperator.active());
}

TEST_F(ZmianaHaslaTest, CancellingEndsTheTablesTransaction) {
    otworz();
    ASSERT_TRUE(data->trOperator.active());
    frm->AnulujBtn->click();
    EXPECT_FALSE(frm->isVisible());
    EXPECT_FALSE(data->trOperator.active());
}

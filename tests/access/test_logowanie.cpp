#include "AccessTest.h"
#include "Globals.h"
#include "frmLogin.h"
#include "frmZmianaHasla.h"

#include <QFile>

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

#include <memory>

namespace {
const QString AdminHaslo = QString::fromLatin1(TestAdminPassword);
const QString Nieprawidlowe = QStringLiteral("Nazwa użytkownika lub hasło nieprawidłowe.");
} // namespace

class LoginTest : public AccessTest {
protected:
    void SetUp() override {
        AccessTest::SetUp();
        frm = std::make_unique<TLoginFrm>(*data);
    }
    void TearDown() override {
        frm.reset();
        AccessTest::TearDown();
    }
    void otworz() {
        ASSERT_TRUE(frm->Przygotuj());
        frm->show();
    }
    void zaloguj(const QString& name, const QString& password) {
        frm->UzytkownikEd->setText(name);
        frm->HasloEd->setText(password);
        frm->OkBtnClick();
    }
    std::unique_ptr<TLoginFrm> frm;
};

TEST_F(LoginTest, RightNameAndPasswordLogInAndSetTheOperatorWithoutBlanks) {
    dodajOperatora(10, QStringLiteral("Zofia Wójcik"), QStringLiteral("żółw123"));
    Globals::App_Operator = QStringLiteral("Administrator");
    otworz();
    zaloguj(QStringLiteral("  Zofia Wójcik "), QStringLiteral("żółw123"));
    EXPECT_TRUE(uwagi().isEmpty()) << uwagi().join(u'|').toStdString();
    EXPECT_TRUE(frm->FHasloOK);
    EXPECT_FALSE(frm->isVisible());
    EXPECT_EQ(frm->result(), QDialog::Accepted);
    EXPECT_EQ(Globals::App_Operator, QStringLiteral("Zofia Wójcik"));
    EXPECT_FALSE(data->trOperator.active()); // closing ended the table's transaction
}

TEST_F(LoginTest, EveryRefusalWarnsAndKeepsTheDialogOpenUntilTheRightLogin) {
    struct Case {
        QString name, password, message;
    };
    const Case cases[] = {
        {QString(), AdminHaslo, QStringLiteral("Nazwa użytkownika nie podana.")},
        {QStringLiteral("   "), AdminHaslo, QStringLiteral("Nazwa użytkownika nie podana.")},
        {QStringLiteral("Administrator"), QString(),
         QStringLiteral("Hasło użytkownika nie podane.")},
        {QStringLiteral("Administrator"), QStringLiteral("  "),
         QStringLiteral("Hasło użytkownika nie podane.")},
        // Names are unique ignoring letter case, but the login compares them exactly.
        {QStringLiteral("administrator"), AdminHaslo, Nieprawidlowe},
        {QStringLiteral("Nikt"), AdminHaslo, Nieprawidlowe},
        {QStringLiteral("Administrator"), QStringLiteral("tajne124"), Nieprawidlowe},
        // The login digests the password as typed: blanks around it make it wrong.
        {QStringLiteral("Administrator"), QStringLiteral(" ") + AdminHaslo, Nieprawidlowe},
    };
    Globals::App_Operator = QStringLiteral("nikt jeszcze");
    otworz();
    for (const Case& c : cases) {
        SCOPED_TRACE((c.name + u'/' + c.password).toStdString());
        messages->clear();
        zaloguj(c.name, c.password);
        ASSERT_EQ(messages->messages().size(), 1u);
        EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
        EXPECT_EQ(messages->messages()[0].text, c.message);
        EXPECT_TRUE(frm->isVisible());
        EXPECT_FALSE(frm->FHasloOK);
        EXPECT_EQ(frm->UzytkownikEd->text(), c.name);
        EXPECT_EQ(frm->HasloEd->text(), c.password);
        EXPECT_EQ(Globals::App_Operator, QStringLiteral("nikt jeszcze"));
    }
    messages->clear();
    zaloguj(QStringLiteral("Administrator"), AdminHaslo);
    EXPECT_TRUE(uwagi().isEmpty());
    EXPECT_TRUE(frm->FHasloOK);
    EXPECT_FALSE(frm->isVisible());
}

TEST_F(LoginTest, AutoryzacjaShowsTheEmptiedDialogModallyAndCancelLeavesNoLogin) {
    otworz();
    zaloguj(QStringLiteral("Administrator"), AdminHaslo);
    ASSERT_TRUE(frm->FHasloOK);

    bool pokazane = false;
    gdyOknoModalne([&](QDialog* d) {
        pokazane = d == frm.get();
        if (!d)
            return;
        EXPECT_TRUE(frm->UzytkownikEd->text().isEmpty());
        EXPECT_TRUE(frm->HasloEd->text().isEmpty());
        EXPECT_EQ(frm->HasloEd->echoMode(), QLineEdit::Password);
        EXPECT_TRUE(frm->OkBtn->isDefault());
        frm->AnulujBtn->click();
    });
    frm->Autoryzacja();
    EXPECT_TRUE(pokazane);
    EXPECT_FALSE(frm->FHasloOK);
    EXPECT_FALSE(data->trOperator.active());
}

TEST_F(LoginTest, AutoryzacjaLogsInThroughTheModalDialog) {
    gdyOknoModalne([&](QDialog* d) {
        EXPECT_EQ(d, frm.get());
        frm->UzytkownikEd->setText(QStringLiteral("Administrator"));
        frm->HasloEd->setText(QStringLiteral("zle-haslo"));
        frm->OkBtn->click();
        frm->HasloEd->setText(AdminHaslo);
        frm->OkBtn->click();
    });
    frm->Autoryzacja();
    EXPECT_EQ(uwagi(), QStringList{Nieprawidlowe});
    EXPECT_TRUE(frm->FHasloOK);
    EXPECT_EQ(Globals::App_Operator, QStringLiteral("Administrator"));
}

TEST_F(LoginTest, AnOperatorTableThatCannotBeOpenedShowsNoDialog) {
    exec(QStringLiteral("DROP TABLE OPERATOR"));
    bool pokazane = false;
    gdyOknoModalne([&](QDialog* d) {
        pokazane = d != nullptr;
        if (d)
            d->reject();
    });
    frm->Autoryzacja();
    QCoreApplication::processEvents(); // the check runs here when no dialog ran a loop
    EXPECT_FALSE(pokazane);
    EXPECT_FALSE(frm->FHasloOK);
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Info);
    EXPECT_EQ(messages->messages()[0].text,
              QStringLiteral("Nie udało się otworzyć bazy Użytkownicy."));
}

// The password printed when the database was made is for the first login only: the operator
// sets one of their own before working, and the file that kept it is removed.
class HasloWygenerowaneTest : public LoginTest {
protected:
    void SetUp() override {
        LoginTest::SetUp();
        plik = database->folder() + QStringLiteral("/brevant.fdb.password");
        zapiszPlik(AdminHaslo);
        exec(QStringLiteral("UPDATE OPERATOR SET ZMIEN_HASLO = 'T', PLIK_HASLA = '%1' "
                            "WHERE OPERID = 1")
                 .arg(plik));
        zmiana = std::make_unique<TZmianaHaslaFrm>(*data);
    }
    void TearDown() override {
        zmiana.reset();
        LoginTest::TearDown();
    }
    void zapiszPlik(const QString& tresc) {
        QFile f(plik);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(tresc.toUtf8() + '\n');
    }
    // The change dialog as the user fills it in: `nowe` typed twice, or cancelled when empty.
    void zmieniajac(const QString& nowe) {
        frm->setZmianaHasla([this, nowe](const QString& obecne) {
            EXPECT_TRUE(zmiana->PrzygotujWymuszona(obecne));
            EXPECT_TRUE(zmiana->ObecneEd->isHidden()); // just typed at the login
            if (nowe.isEmpty()) {
                zmiana->reject();
                return false;
            }
            zmiana->show();
            zmiana->HasloEd->setText(nowe);
            zmiana->PowtorzEd->setText(nowe);
            zmiana->ZmienBtnClick();
            return zmiana->result() == QDialog::Accepted;
        });
    }
    QString plik;
    std::unique_ptr<TZmianaHaslaFrm> zmiana;
};

TEST_F(HasloWygenerowaneTest, FirstLoginSetsAnOwnPasswordAndRemovesTheFile) {
    // Declined: no work without a password of one's own; the dialog stays for another try.
    zmieniajac(QString());
    otworz();
    zaloguj(QStringLiteral("Administrator"), AdminHaslo);
    EXPECT_FALSE(frm->FHasloOK);
    EXPECT_TRUE(frm->isVisible());
    ASSERT_EQ(uwagi().size(), 2);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Info);
    EXPECT_EQ(uwagi()[1], QStringLiteral("Bez zmiany hasła nie można rozpocząć pracy."));
    EXPECT_TRUE(QFile::exists(plik));

    messages->clear();
    zmieniajac(QStringLiteral("moje-wlasne"));
    zaloguj(QStringLiteral("Administrator"), AdminHaslo);
    EXPECT_TRUE(frm->FHasloOK);
    EXPECT_EQ(haslo(1), SHA1Digest(QStringLiteral("moje-wlasne")));
    EXPECT_FALSE(QFile::exists(plik));
    EXPECT_EQ(uwagi().last(), QStringLiteral("Usunięto plik z hasłem początkowym: ") + plik);
    EXPECT_TRUE(scalar("SELECT ZMIEN_HASLO FROM OPERATOR WHERE OPERID = 1").isNull());
    EXPECT_TRUE(scalar("SELECT PLIK_HASLA FROM OPERATOR WHERE OPERID = 1").isNull());
}

TEST_F(HasloWygenerowaneTest, AFileThatNoLongerHoldsThePasswordIsLeft) {
    zapiszPlik(QStringLiteral("cos-innego"));
    zmieniajac(QStringLiteral("moje-wlasne"));
    otworz();
    zaloguj(QStringLiteral("Administrator"), AdminHaslo);
    EXPECT_TRUE(frm->FHasloOK);
    EXPECT_TRUE(QFile::exists(plik));
    EXPECT_TRUE(uwagi().last().contains(QStringLiteral("został pozostawiony")));
    // An operator without the mark logs in as before.
    messages->clear();
    dodajOperatora(10, QStringLiteral("Jan"), QStringLiteral("haslo-jana"));
    frm->setZmianaHasla([](const QString&) {
        ADD_FAILURE() << "nothing to change";
        return false;
    });
    otworz();
    zaloguj(QStringLiteral("Jan"), QStringLiteral("haslo-jana"));
    EXPECT_TRUE(frm->FHasloOK);
    EXPECT_TRUE(uwagi().isEmpty());
}

#include "TestDatabase.h"
#include "TestHttpsServer.h"
#include "WhiteListAnswers.h"
#include "frmPobierzKonta.h"
#include "uWhiteListFrm.h"

#include <QApplication>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>

#include <gtest/gtest.h>

namespace A = WhiteListAnswers;
using Odp = TestHttpsServer::Odpowiedz;

namespace {
const QString NieZnaleziono =
    "Nie znaleziono żadnego numeru rachunku bankowego\rdla podanego kontrahenta.";
const QString BladPobierania = "Wystąpił błąd podczas pobierania.";
} // namespace

class PobierzKontaFrmTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        server = std::make_unique<TestHttpsServer>();
        wl.setAdres(server->adres());
        wl.klient().dodajZaufaneCA(TestCertificates::get().ca());
        wl.klient().setCzasy(2000, 1500);
        frm = std::make_unique<TPobierzKontaFrm>(*data, wl);
        addKlient(10, "Firma „Łączność” spółka z o.o.", "PL", "5260250274");
        addKlient(11, "INNY", "PL", "7740001454");
    }
    void TearDown() override {
        frm.reset();
        server.reset();
        DbTest::TearDown();
    }
    void odpowiadaj(int status, const QByteArray& body) {
        server->setHandler([status, body](const TestHttpsServer::Zapytanie&) {
            return Odp{status, body};
        });
    }
    QStringList lista() const {
        QStringList l;
        for (int i = 0; i < frm->Lista->count(); ++i)
            l << frm->Lista->item(i)->data(Qt::UserRole).toString();
        return l;
    }

    std::unique_ptr<TestHttpsServer> server;
    TWhiteListFrm wl;
    std::unique_ptr<TPobierzKontaFrm> frm;
};

TEST_F(PobierzKontaFrmTest, FetchListsTwoAccountsInOrderAndSavingTwiceAddsThemOnce) {
    odpowiadaj(200, A::dwaKonta());
    bool czekal = false;
    server->setHandler([&](const TestHttpsServer::Zapytanie&) {
        // The window waits visibly with its buttons off while the server is asked.
        czekal = frm->czeka() && !frm->PobierzBtn->isEnabled() && !frm->ZamknijBtn->isEnabled() &&
                 QApplication::overrideCursor() &&
                 QApplication::overrideCursor()->shape() == Qt::WaitCursor;
        return Odp{200, A::dwaKonta()};
    });
    frm->Resetuj("5260250274");
    EXPECT_FALSE(frm->ZapiszBtn->isEnabled());
    frm->PobierzBtnClick();
    EXPECT_TRUE(czekal);
    EXPECT_TRUE(messages->texts().isEmpty());
    EXPECT_EQ(lista(), QStringList({"61109010140000071219812874", "27114020040000300201355387"}));
    EXPECT_TRUE(frm->ZapiszBtn->isEnabled());
    EXPECT_EQ(server->zapytania.size(), 1);
    EXPECT_TRUE(server->zapytania[0].cel.startsWith("/api/search/nip/5260250274?date="));

    frm->ZapiszBtnClick();
    EXPECT_EQ(frm->FDodano, 2);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 10 AND KR_KONTO = 'PL' AND POMIJAJ = 'N'"), 2);
    EXPECT_EQ(count("FROM KONTO WHERE NR_KONTO = '61109010140000071219812874'"), 1);

    frm->Resetuj("5260250274");
    frm->PobierzBtnClick();
    frm->ZapiszBtnClick();
    EXPECT_EQ(frm->FDodano, 0);
    EXPECT_EQ(count("FROM KONTO"), 2);
}

TEST_F(PobierzKontaFrmTest, NumberOfAnotherContractorIsSkippedWhenSavingAndNamed) {
    addKonto(20, 11, "", "27114020040000300201355387"); // no prefix: the same account
    odpowiadaj(200, A::dwaKonta());
    frm->Resetuj("5260250274");
    frm->PobierzBtnClick();
    frm->ZapiszBtnClick();
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 10"), 1);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 11"), 1);
    EXPECT_EQ(messages->texts(),
              QStringList({QString::fromUtf8("Zapisano rachunków: 1.\rTe rachunki są już w "
                                             "wykazie i nie zostały dodane:\r27 1140 2004 0000 "
                                             "3002 0135 5387 (INNY)")}));
}

// A wrong tax number must not bring a stranger's accounts in silently: the dialog shows whose
// they are and, when the name is not the contractor's, ticks nothing until the user does.
TEST_F(PobierzKontaFrmTest, ShowsWhoseAccountsAndWarnsWhenTheNameDiffers) {
    odpowiadaj(200, A::dwaKonta("7740001454"));
    frm->Resetuj("7740001454"); // "INNY" in the register
    frm->PobierzBtnClick();
    EXPECT_EQ(frm->NazwaLbl->text(), QString::fromUtf8("FIRMA \"ŁĄCZNOŚĆ\" SPÓŁKA Z O.O."));
    EXPECT_EQ(frm->StatusLbl->text(), "Czynny");
    EXPECT_EQ(frm->AdresLbl->text(), QString::fromUtf8("UL. ŚWIĘTOKRZYSKA 12, 00-916 WARSZAWA"));
    EXPECT_FALSE(frm->OstrzezenieLbl->isHidden());
    EXPECT_TRUE(frm->OstrzezenieLbl->text().contains(QString::fromUtf8("„INNY”")));
    ASSERT_EQ(frm->Lista->count(), 2);
    EXPECT_EQ(frm->Lista->item(0)->text(), "61 1090 1014 0000 0712 1981 2874");
    EXPECT_EQ(frm->Lista->item(0)->checkState(), Qt::Unchecked);
    EXPECT_FALSE(frm->ZapiszBtn->isEnabled());

    frm->Lista->item(1)->setCheckState(Qt::Checked); // the user ticks the one that is theirs
    EXPECT_TRUE(frm->ZapiszBtn->isEnabled());
    frm->ZapiszBtnClick();
    EXPECT_EQ(frm->FDodano, 1);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 11 AND NR_KONTO = '27114020040000300201355387'"),
              1);
    EXPECT_EQ(count("FROM KONTO"), 1);

    // the contractor's own name (letter case and punctuation aside): no warning, all ticked
    odpowiadaj(200, A::dwaKonta());
    frm->Resetuj("5260250274");
    frm->PobierzBtnClick();
    EXPECT_TRUE(frm->OstrzezenieLbl->isHidden());
    EXPECT_EQ(frm->Lista->item(0)->checkState(), Qt::Checked);
}

TEST_F(PobierzKontaFrmTest, AnswersWithoutAccountsWarnNotFound) {
    QByteArray bezCzlonu = A::subject("FIRMA", "5260250274", "");
    bezCzlonu.replace("\"accountNumbers\":[],", "");
    for (const QByteArray& body :
         {A::brakPodmiotu, A::subject("FIRMA", "5260250274", ""), bezCzlonu}) {
        messages->clear();
        odpowiadaj(200, body);
        frm->Resetuj("5260250274");
        frm->PobierzBtnClick();
        EXPECT_EQ(messages->texts(), QStringList{NieZnaleziono}) << body.constData();
        EXPECT_EQ(frm->Lista->count(), 0);
        EXPECT_FALSE(frm->ZapiszBtn->isEnabled());
    }
}

TEST_F(PobierzKontaFrmTest, RefusalsSilenceAndUnknownCertificateShowTheDownloadError) {
    for (int status : {400, 404, 429}) {
        messages->clear();
        odpowiadaj(status, status == 400 ? A::bladWL113 : status == 429 ? A::limit : "");
        frm->Resetuj("5260250274");
        frm->PobierzBtnClick();
        EXPECT_EQ(messages->texts(), QStringList{BladPobierania}) << status;
        EXPECT_FALSE(frm->ZapiszBtn->isEnabled());
    }

    messages->clear();
    server->setHandler([](const TestHttpsServer::Zapytanie&) {
        Odp o;
        o.milczy = true;
        return o;
    });
    frm->Resetuj("5260250274");
    frm->PobierzBtnClick();
    EXPECT_EQ(messages->texts(), QStringList{BladPobierania});
    EXPECT_TRUE(frm->PobierzBtn->isEnabled()); // usable again after the time-out

    messages->clear();
    TestHttpsServer obcy(true);
    obcy.setHandler([](const TestHttpsServer::Zapytanie&) { return Odp{200, A::dwaKonta()}; });
    wl.setAdres(obcy.adres());
    frm->Resetuj("5260250274");
    frm->PobierzBtnClick();
    EXPECT_EQ(messages->texts(), QStringList{BladPobierania});
    EXPECT_EQ(count("FROM KONTO"), 0);
}

#include "TestDatabase.h"
#include "TestHttpsServer.h"
#include "WhiteListAnswers.h"
#include "frmPobierzKonta.h"
#include "uWhiteListFrm.h"

#include <QApplication>
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
        addKlient(10, "ŁĄCZNOŚĆ SP. Z O.O.", "PL", "5260250274");
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
            l << frm->Lista->item(i)->text();
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

TEST_F(PobierzKontaFrmTest, NumberOfAnotherContractorIsSkippedWhenSaving) {
    addKonto(20, 11, "PL", "27114020040000300201355387");
    odpowiadaj(200, A::dwaKonta());
    frm->Resetuj("5260250274");
    frm->PobierzBtnClick();
    frm->ZapiszBtnClick();
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 10"), 1);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 11"), 1);
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

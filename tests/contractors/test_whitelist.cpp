#include "TestHttpsServer.h"
#include "WhiteListAnswers.h"
#include "uWhiteListFrm.h"

#include <gtest/gtest.h>

namespace A = WhiteListAnswers;
using Odp = TestHttpsServer::Odpowiedz;

class WhiteList : public ::testing::Test {
protected:
    void SetUp() override {
        wl.setAdres(server.adres());
        wl.setDzien(QDate(2024, 3, 5));
        wl.klient().dodajZaufaneCA(TestCertificates::get().ca());
    }
    void odpowiadaj(int status, const QByteArray& body) {
        server.setHandler([status, body](const TestHttpsServer::Zapytanie&) {
            return Odp{status, body};
        });
    }
    TestHttpsServer server;
    TWhiteListFrm wl;
};

TEST_F(WhiteList, RequestAddressAndHeaders) {
    EXPECT_EQ(wl.GetByNipStr("5260250274"),
              server.adres() + "/api/search/nip/5260250274?date=2024-03-05");
    odpowiadaj(200, A::dwaKonta());
    wl.PobierzNumeryKont("5260250274");
    ASSERT_EQ(server.zapytania.size(), 1);
    const TestHttpsServer::Zapytanie& z = server.zapytania[0];
    EXPECT_EQ(z.metoda, "GET");
    EXPECT_EQ(z.cel, "/api/search/nip/5260250274?date=2024-03-05");
    EXPECT_EQ(z.naglowki.value("accept"), "application/json");
    EXPECT_EQ(z.naglowki.value("accept-charset"), "UTF-8");
    EXPECT_EQ(z.naglowki.value("accept-encoding"), "Mtom");
    EXPECT_EQ(z.naglowki.value("content-type"), "application/json; charset=utf-8");
    EXPECT_EQ(z.naglowki.value("user-agent"), "Mozilla/3.0 (compatible; Indy Library)");
}

TEST_F(WhiteList, NumberWithSeparatorsIsSentUnchangedAsOnePathSegment) {
    odpowiadaj(400, A::bladWL113);
    wl.PobierzNumeryKont("526-02/50?274 x");
    ASSERT_EQ(server.zapytania.size(), 1);
    EXPECT_EQ(server.zapytania[0].cel, "/api/search/nip/526-02%2F50%3F274%20x?date=2024-03-05");
    EXPECT_TRUE(wl.DownloadError);
    EXPECT_TRUE(wl.Konta.isEmpty());
}

TEST_F(WhiteList, TwoAccountsInAnswerOrderAndSubjectTextsDecoded) {
    odpowiadaj(200, A::dwaKonta());
    wl.PobierzNumeryKont("5260250274");
    EXPECT_FALSE(wl.DownloadError);
    EXPECT_EQ(wl.Konta, QStringList({"61109010140000071219812874", "27114020040000300201355387"}));
    EXPECT_EQ(wl.WhiteListSubject.Name, "FIRMA \"ŁĄCZNOŚĆ\" SPÓŁKA Z O.O.");
    EXPECT_EQ(wl.WhiteListSubject.Nip, "5260250274");
    EXPECT_EQ(wl.WhiteListSubject.Regon, "012345678");
    EXPECT_EQ(wl.WhiteListSubject.Krs, ""); // null in the answer
    EXPECT_EQ(wl.WhiteListSubject.residenceAddress, "UL. ŚWIĘTOKRZYSKA 12, 00-916 WARSZAWA");
    EXPECT_EQ(wl.WhiteListSubject.workingAddress, "");
    EXPECT_EQ(wl.ServerResponse, QString::fromUtf8(A::dwaKonta()));
}

TEST_F(WhiteList, AnswersWithoutAccountsGiveAnEmptyListNotAnError) {
    QByteArray bezCzlonu = A::subject("FIRMA", "5260250274", "");
    bezCzlonu.replace("\"accountNumbers\":[],", "");
    for (const QByteArray& body :
         {A::brakPodmiotu, A::subject("FIRMA", "5260250274", ""), bezCzlonu}) {
        odpowiadaj(200, body);
        wl.Konta = QStringList{"stale"};
        wl.PobierzNumeryKont("5260250274");
        EXPECT_FALSE(wl.DownloadError) << body.constData();
        EXPECT_TRUE(wl.Konta.isEmpty()) << body.constData();
    }
}

TEST_F(WhiteList, ErrorStatusesAreDownloadErrorsWithTheServicesReason) {
    struct Case {
        int status;
        QByteArray body;
        QString kod;
    };
    for (const Case& c : {Case{400, A::bladWL113, "WL-113"}, Case{404, "", ""},
                          Case{429, A::limit, "WL-191"}, Case{500, "<html>", ""}}) {
        odpowiadaj(c.status, c.body);
        wl.PobierzNumeryKont("5260250274");
        EXPECT_TRUE(wl.DownloadError) << c.status;
        EXPECT_TRUE(wl.ServerResponse.isEmpty());
        EXPECT_TRUE(wl.Konta.isEmpty());
        EXPECT_EQ(wl.StatusHttp, c.status);
        EXPECT_EQ(wl.KodBledu, c.kod);
    }
}

TEST_F(WhiteList, UnknownCertificateIsADownloadError) {
    TestHttpsServer obcy(true);
    obcy.setHandler([](const TestHttpsServer::Zapytanie&) { return Odp{200, A::dwaKonta()}; });
    wl.setAdres(obcy.adres());
    wl.PobierzNumeryKont("5260250274");
    EXPECT_TRUE(wl.DownloadError);
    EXPECT_EQ(wl.Wynik, OdpowiedzHttps::Wynik::Certyfikat);
    EXPECT_TRUE(wl.Konta.isEmpty());
    EXPECT_TRUE(obcy.zapytania.isEmpty());
}

TEST_F(WhiteList, SilentServerIsADownloadErrorAfterTheTimeOut) {
    server.setHandler([](const TestHttpsServer::Zapytanie&) {
        Odp o;
        o.milczy = true;
        return o;
    });
    wl.klient().setCzasy(2000, 800);
    wl.PobierzNumeryKont("5260250274");
    EXPECT_TRUE(wl.DownloadError);
    EXPECT_EQ(wl.Wynik, OdpowiedzHttps::Wynik::CzasMinal);
}

TEST_F(WhiteList, SearchForSeveralNumbersMapsAccountsToEachNumber) {
    const QStringList nipy = {"5260250274", "7740001454", "1111111111"};
    EXPECT_EQ(wl.GetByNipsStr(nipy),
              server.adres() + "/api/search/nips/5260250274,7740001454,1111111111?date=2024-03-05");
    odpowiadaj(
        200, A::wiele(nipy, [](const QString& nip) {
            if (nip == "5260250274")
                return QStringList{"61109010140000071219812874", "27114020040000300201355387"};
            if (nip == "7740001454")
                return QStringList{"10105000997603123456789123"};
            return QStringList{};
        }));
    const TWhiteListFrm::WynikWielu w = wl.PobierzNumeryKontWielu(nipy);
    EXPECT_TRUE(w.ok);
    EXPECT_FALSE(w.limit);
    EXPECT_EQ(w.konta.value("5260250274"),
              QStringList({"61109010140000071219812874", "27114020040000300201355387"}));
    EXPECT_EQ(w.konta.value("7740001454"), QStringList({"10105000997603123456789123"}));
    EXPECT_TRUE(w.konta.value("1111111111").isEmpty());

    odpowiadaj(429, A::limit);
    const TWhiteListFrm::WynikWielu l = wl.PobierzNumeryKontWielu(nipy);
    EXPECT_FALSE(l.ok);
    EXPECT_TRUE(l.limit);
}

TEST(WhiteListAdres, BaseAddressFormsAndTodaysDate) {
    TWhiteListFrm wl;
    EXPECT_EQ(wl.adres(), "https://wl-api.mf.gov.pl");
    wl.setAdres(" wl-test.mf.gov.pl/ ");
    EXPECT_EQ(wl.adres(), "https://wl-test.mf.gov.pl");
    wl.setAdres("");
    EXPECT_EQ(wl.adres(), "https://wl-api.mf.gov.pl");
    EXPECT_EQ(wl.queryDate(), "?date=" + QDate::currentDate().toString("yyyy-MM-dd"));
}

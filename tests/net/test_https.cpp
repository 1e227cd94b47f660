#include "HttpsKlient.h"
#include "TestHttpsServer.h"

#include <QTcpServer>

#include <gtest/gtest.h>

using W = OdpowiedzHttps::Wynik;

class Https : public ::testing::Test {
protected:
    void SetUp() override { klient.dodajZaufaneCA(TestCertificates::get().ca()); }
    HttpsKlient klient;
};

TEST_F(Https, AnswerOfServerWithTrustedCertificateIsReturnedWithItsHeadersSent) {
    TestHttpsServer server;
    server.setHandler([](const TestHttpsServer::Zapytanie&) {
        return TestHttpsServer::Odpowiedz{200, "{\"ok\":1}"};
    });
    const OdpowiedzHttps o =
        klient.get(QUrl(server.adres() + "/a/b?x=1"), {{"Accept", "application/json"}});
    ASSERT_TRUE(o.ok()) << o.blad.toStdString();
    EXPECT_EQ(o.status, 200);
    EXPECT_EQ(o.body, "{\"ok\":1}");
    ASSERT_EQ(server.zapytania.size(), 1);
    EXPECT_EQ(server.zapytania[0].metoda, "GET");
    EXPECT_EQ(server.zapytania[0].cel, "/a/b?x=1");
    EXPECT_EQ(server.zapytania[0].naglowki.value("accept"), "application/json");
}

TEST_F(Https, CertificateOfUnknownAuthorityIsRefused) {
    TestHttpsServer server(true);
    const OdpowiedzHttps o = klient.get(QUrl(server.adres() + "/"), {});
    EXPECT_EQ(o.wynik, W::Certyfikat) << o.blad.toStdString();
    EXPECT_TRUE(o.body.isEmpty());
    EXPECT_TRUE(server.zapytania.isEmpty()); // nothing was sent to it
}

TEST(HttpsBezTestowegoCA, TestAuthorityIsNotTrustedUnlessAdded) {
    TestHttpsServer server;
    HttpsKlient klient;
    const OdpowiedzHttps o = klient.get(QUrl(server.adres() + "/"), {});
    EXPECT_EQ(o.wynik, W::Certyfikat) << o.blad.toStdString();
}

TEST_F(Https, HostNameMustMatchTheCertificate) {
    TestHttpsServer server;
    // The certificate names localhost only: the same server reached by its address is refused.
    QUrl url(server.adres() + "/");
    url.setHost(QStringLiteral("127.0.0.1"));
    const OdpowiedzHttps o = klient.get(url, {});
    EXPECT_EQ(o.wynik, W::Certyfikat) << o.blad.toStdString();
    EXPECT_TRUE(server.zapytania.isEmpty());
}

TEST_F(Https, ErrorStatusKeepsTheServersBody) {
    TestHttpsServer server;
    server.setHandler([](const TestHttpsServer::Zapytanie&) {
        return TestHttpsServer::Odpowiedz{
            400, "{\"code\":\"WL-113\",\"message\":\"Pole 'nip' ma nieprawidłową długość.\"}"};
    });
    const OdpowiedzHttps o = klient.get(QUrl(server.adres() + "/"), {});
    EXPECT_EQ(o.wynik, W::StatusHttp);
    EXPECT_EQ(o.status, 400);
    EXPECT_TRUE(o.body.contains("WL-113"));
    EXPECT_TRUE(o.blad.contains("400"));
}

TEST_F(Https, ServerThatNeverAnswersEndsInTimeOut) {
    TestHttpsServer server;
    server.setHandler([](const TestHttpsServer::Zapytanie&) {
        TestHttpsServer::Odpowiedz o;
        o.milczy = true;
        return o;
    });
    klient.setCzasy(5000, 700);
    const OdpowiedzHttps o = klient.get(QUrl(server.adres() + "/"), {});
    EXPECT_EQ(o.wynik, W::CzasMinal);
    EXPECT_TRUE(o.blad.contains("odpowiedź")) << o.blad.toStdString();
    EXPECT_EQ(server.zapytania.size(), 1);
}

TEST_F(Https, HandshakeThatNeverEndsIsAConnectionTimeOut) {
    MilczacySerwer server;
    klient.setCzasy(500, 5000);
    const OdpowiedzHttps o = klient.get(QUrl(server.adres() + "/"), {});
    EXPECT_EQ(o.wynik, W::CzasMinal);
    EXPECT_TRUE(o.blad.contains("połączenie")) << o.blad.toStdString();
}

TEST_F(Https, ClosedPortAndPlainHttpAddressFail) {
    quint16 port = 0;
    {
        QTcpServer probe;
        ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
        port = probe.serverPort();
    }
    const OdpowiedzHttps o =
        klient.get(QUrl(QStringLiteral("https://localhost:%1/").arg(port)), {});
    EXPECT_EQ(o.wynik, W::Polaczenie) << o.blad.toStdString();
    EXPECT_FALSE(klient.get(QUrl(QStringLiteral("http://localhost:%1/").arg(port)), {}).ok());
}

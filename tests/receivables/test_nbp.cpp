#include "KlientNbp.h"
#include "TestHttpsServer.h"

#include <gtest/gtest.h>

using Odp = TestHttpsServer::Odpowiedz;

namespace {

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

struct Notowanie {
    const char* nr;
    const char* dzien;
    const char* kurs;
};

// An answer as the NBP's API gives it for a series of euro rates in XML.
QByteArray seria(const std::vector<Notowanie>& n, const char* tabela = "A",
                 const char* kod = "EUR") {
    QByteArray x = "<?xml version=\"1.0\" encoding=\"utf-8\"?>"
                   "<ExchangeRatesSeries xmlns:xsd=\"http://www.w3.org/2001/XMLSchema\" "
                   "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\"><Table>";
    x += tabela;
    x += "</Table><Currency>euro</Currency><Code>";
    x += kod;
    x += "</Code><Rates>";
    for (const Notowanie& r : n)
        x += QByteArray("<Rate><No>") + r.nr + "</No><EffectiveDate>" + r.dzien +
             "</EffectiveDate><Mid>" + r.kurs + "</Mid></Rate>";
    return x + "</Rates></ExchangeRatesSeries>";
}

} // namespace

class Nbp : public ::testing::Test {
protected:
    void SetUp() override {
        nbp.setAdres(server.adres());
        nbp.klient().dodajZaufaneCA(TestCertificates::get().ca());
        // Each month answers with its tables; February and March 2024 are known here.
        server.setHandler([](const TestHttpsServer::Zapytanie& z) {
            if (z.cel.contains("/2024-02-01/2024-02-29/"))
                return Odp{200, seria({{"040/A/NBP/2024", "2024-02-27", "4.3300"},
                                       {"041/A/NBP/2024", "2024-02-28", "4.3250"},
                                       {"042/A/NBP/2024", "2024-02-29", "4.3191"}})};
            if (z.cel.contains("/2024-03-01/2024-03-31/"))
                return Odp{200, seria({{"062/A/NBP/2024", "2024-03-28", "4.3009"},
                                       {"063/A/NBP/2024", "2024-03-29", "4.3191"}})};
            return Odp{404, "404 NotFound - Not Found - Brak danych"};
        });
    }
    TestHttpsServer server;
    TKlientNbp nbp;
};

TEST_F(Nbp, LastTableOfEachMonthOneRequestPerMonth) {
    const TKlientNbp::Wynik w =
        nbp.pobierzKursyMiesiecy(d("2024-02-10"), d("2024-03-05"), d("2024-04-15"));
    ASSERT_TRUE(w.ok) << w.blad.toStdString();
    ASSERT_EQ(w.kursy.size(), 2u);
    EXPECT_EQ(w.kursy[0],
              (kursy::KursEur{d("2024-02-29"), *Money::parse("4.3191"), "042/A/NBP/2024", false}));
    EXPECT_EQ(w.kursy[1].data, d("2024-03-29"));
    ASSERT_EQ(server.zapytania.size(), 2);
    EXPECT_EQ(server.zapytania[0].metoda, "GET");
    EXPECT_EQ(server.zapytania[0].cel, "/api/exchangerates/rates/a/eur/2024-02-01/2024-02-29/"
                                       "?format=xml");
    EXPECT_EQ(server.zapytania[0].naglowki.value("accept"), "application/xml");
}

TEST_F(Nbp, MonthsWithoutTheirLastTableAreRefusedKeepingWhatCame) {
    // April has no tables at this server: the March rate came and is kept.
    TKlientNbp::Wynik w =
        nbp.pobierzKursyMiesiecy(d("2024-03-01"), d("2024-04-01"), d("2024-06-01"));
    EXPECT_FALSE(w.ok);
    EXPECT_EQ(w.kursy.size(), 1u);
    EXPECT_TRUE(w.blad.contains("04.2024")) << w.blad.toStdString();
    // March is not over on its 28th: the table of the 29th is still to come.
    server.zapytania.clear();
    w = nbp.pobierzKursyMiesiecy(d("2024-03-01"), d("2024-03-01"), d("2024-03-28"));
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.blad.contains("29.03.2024")) << w.blad.toStdString();
    EXPECT_TRUE(server.zapytania.isEmpty());
    // On the 29th itself, its table will do.
    w = nbp.pobierzKursyMiesiecy(d("2024-03-01"), d("2024-03-01"), d("2024-03-29"));
    EXPECT_TRUE(w.ok) << w.blad.toStdString();
}

TEST_F(Nbp, AnswersThatCannotBeReadAreRefusedNotGuessed) {
    struct Case {
        QByteArray body;
        const char* blad;
    } cases[] = {
        {seria({{"042/A/NBP/2024", "2024-02-29", "4,3191x"}}), "Nieczytelny kurs"},
        {seria({{"042/A/NBP/2024", "2024-02-31", "4.3191"}}), "Nieczytelny kurs"},
        {seria({{"042/A/NBP/2024", "2024-02-29", "4.3191"}}, "B"), "tabeli A"},
        {seria({{"042/A/NBP/2024", "2024-02-29", "4.3191"}}, "A", "USD"), "kursu euro"},
        {"<ExchangeRatesSeries><Table>A</Table>", "XML"},
    };
    for (const Case& c : cases) {
        const auto r = TKlientNbp::czytajOdpowiedz(c.body);
        ASSERT_TRUE(std::holds_alternative<QString>(r)) << c.body.constData();
        EXPECT_TRUE(std::get<QString>(r).contains(QString::fromUtf8(c.blad)))
            << std::get<QString>(r).toStdString();
    }
}

TEST_F(Nbp, UntrustedCertificateIsRefused) {
    TestHttpsServer obcy(true);
    obcy.setHandler([](const TestHttpsServer::Zapytanie&) {
        return Odp{200, seria({{"042/A/NBP/2024", "2024-02-29", "4.3191"}})};
    });
    nbp.setAdres(obcy.adres());
    const TKlientNbp::Wynik w =
        nbp.pobierzKursyMiesiecy(d("2024-02-01"), d("2024-02-01"), d("2024-04-15"));
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.kursy.empty());
    EXPECT_TRUE(w.blad.contains("certyfikatu")) << w.blad.toStdString();
    EXPECT_TRUE(obcy.zapytania.isEmpty());
}

TEST_F(Nbp, SilentServerIsGivenUpAfterTheTimeOut) {
    server.setHandler([](const TestHttpsServer::Zapytanie&) {
        Odp o;
        o.milczy = true;
        return o;
    });
    nbp.klient().setCzasy(2000, 800);
    TKlientNbp::Wynik w =
        nbp.pobierzKursyMiesiecy(d("2024-02-01"), d("2024-02-01"), d("2024-04-15"));
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.blad.contains("Przekroczono czas")) << w.blad.toStdString();
    // A server that accepts the connection and never starts TLS.
    MilczacySerwer milczacy;
    nbp.setAdres(milczacy.adres());
    nbp.klient().setCzasy(800, 5000);
    w = nbp.pobierzKursyMiesiecy(d("2024-02-01"), d("2024-02-01"), d("2024-04-15"));
    EXPECT_FALSE(w.ok);
    EXPECT_TRUE(w.blad.contains("połączenie")) << w.blad.toStdString();
}

TEST(NbpAdres, DefaultAndConfiguredAddresses) {
    TKlientNbp nbp;
    EXPECT_EQ(nbp.adres(), "https://api.nbp.pl");
    nbp.setAdres(" api.nbp.test:8443/ ");
    EXPECT_EQ(nbp.adres(), "https://api.nbp.test:8443");
    EXPECT_EQ(nbp.adresZapytania(d("2024-01-01"), d("2024-01-31")),
              "https://api.nbp.test:8443/api/exchangerates/rates/a/eur/2024-01-01/2024-01-31/"
              "?format=xml");
    nbp.setAdres("");
    EXPECT_EQ(nbp.adres(), "https://api.nbp.pl");
}

#include "Cli.h"
#include "CliRun.h"
#include "Commands.h"
#include "KursyEur.h"
#include "StawkiOdsetek.h"
#include "TestDatabase.h"
#include "TestHttpsServer.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {
QString run(const QStringList& args) {
    int status = -1;
    const QString printed = clitest::run(cli::rates, args, status);
    EXPECT_EQ(status, cli::ExitOk);
    return printed;
}
QString refusal(const QStringList& args) {
    try {
        run(args);
    } catch (const cli::Refused& e) {
        return e.message();
    }
    return QStringLiteral("(not refused)");
}
} // namespace

class CliRates : public DbTest {
protected:
    QStringList db() const { return {"--db", database->path()}; }
};

TEST_F(CliRates, ListsBothTablesAsTextAndJson) {
    const QJsonObject o = QJsonDocument::fromJson(run(db() << "--json").toUtf8()).object();
    const QJsonArray h = o["commercial"].toArray();
    const QJsonArray c = o["civil"].toArray();
    ASSERT_EQ(h.size(), 22);
    ASSERT_EQ(c.size(), 24);
    EXPECT_EQ(h[0].toObject(), (QJsonObject{{"from", "2016-01-01"},
                                            {"rate", "9.50"},
                                            {"healthcare", QJsonValue()},
                                            {"toCheck", false}}));
    EXPECT_EQ(h[21].toObject(), (QJsonObject{{"from", "2026-07-01"},
                                             {"rate", "13.75"},
                                             {"healthcare", "11.75"},
                                             {"toCheck", true}}));
    EXPECT_EQ(c[23].toObject(),
              (QJsonObject{{"from", "2026-03-05"}, {"rate", "9.25"}, {"toCheck", false}}));
    const QString text = run(db());
    EXPECT_TRUE(text.contains("Odsetki za opóźnienie w transakcjach handlowych\n"));
    EXPECT_TRUE(text.contains("2026-07-01\t13,75\tpodmiot leczniczy 11,75\tdo sprawdzenia\n"));
    EXPECT_TRUE(text.contains("Odsetki ustawowe za opóźnienie\n2016-01-01\t7,00\n"));
}

TEST_F(CliRates, AddsARateOnceAndRefusesWhatTheWindowRefuses) {
    EXPECT_EQ(run(db() << "add"
                       << "commercial"
                       << "2027-01-01"
                       << "13.50"),
              "Dopisano stawkę 13,50% od 2027-01-01 (publiczny podmiot leczniczy: 11,50%).\n");
    EXPECT_EQ(run(db() << "add"
                       << "civil"
                       << "2026-05-07"
                       << "9,00"),
              "Dopisano stawkę 9,00% od 2026-05-07.\n");
    EXPECT_EQ(run(db() << "add"
                       << "commercial"
                       << "2027-07-01"
                       << "13"
                       << "--healthcare"
                       << "10.5"),
              "Dopisano stawkę 13,00% od 2027-07-01 (publiczny podmiot leczniczy: 10,50%).\n");
    struct Case {
        QStringList args;
        const char* uwaga;
    } cases[] = {
        {{"add", "commercial", "2027-01-01", "13.50"}, "jest już w tabeli"},
        {{"add", "commercial", "2028-02-01", "13.50"}, "1 stycznia albo 1 lipca"},
        {{"add", "civil", "2026-06-01", "9", "--healthcare", "7"}, "tylko odsetek w transakcjach"},
        {{"add", "civil", "2026-06-01", "9.999"}, "Błędna stawka: 9.999"},
        {{"add", "civil", "2026-06-01", "0"}, "Błędna stawka: 0"},
    };
    for (const Case& c : cases) {
        const QString u = refusal(db() + c.args);
        EXPECT_TRUE(u.contains(QString::fromUtf8(c.uwaga))) << u.toStdString();
    }
    int status = -1;
    EXPECT_THROW(clitest::run(cli::rates,
                              db() << "add"
                                   << "civil"
                                   << "2026-13-01"
                                   << "9",
                              status),
                 cli::UsageError);
    EXPECT_THROW(clitest::run(cli::rates,
                              db() << "add"
                                   << "yearly"
                                   << "2026-01-01"
                                   << "9",
                              status),
                 cli::UsageError);
    const odsetki::Tabele t = stawki::czytajTabele(data->conn);
    EXPECT_EQ(t.handlowe.size(), 24u);
    EXPECT_EQ(t.ustawowe.size(), 25u);
}

TEST_F(CliRates, EuroRatesTypedInAndFetchedFromALocalNbp) {
    EXPECT_EQ(run(db() << "eur"
                       << "add"
                       << "2024-02-29"
                       << "4.3191"),
              "Zapisano kurs euro z dnia 2024-02-29: 4,3191.\n");
    EXPECT_TRUE(refusal(db() << "eur"
                             << "add"
                             << "2024-02-28"
                             << "4.3191")
                    .contains("ostatniego dnia roboczego"));

    TestHttpsServer server;
    server.setHandler([](const TestHttpsServer::Zapytanie& z) {
        if (z.cel.contains("/2024-03-01/2024-03-31/"))
            return TestHttpsServer::Odpowiedz{
                200, "<ExchangeRatesSeries><Table>A</Table><Code>EUR</Code><Rates><Rate>"
                     "<No>063/A/NBP/2024</No><EffectiveDate>2024-03-29</EffectiveDate>"
                     "<Mid>4.3191</Mid></Rate></Rates></ExchangeRatesSeries>"};
        return TestHttpsServer::Odpowiedz{404, "Not Found"};
    });
    const QStringList nbp = {"--url", server.adres(), "--ca", TestCertificates::get().caPem};
    EXPECT_EQ(run(db() + nbp << "eur"
                             << "fetch"
                             << "2024-03"),
              "2024-03-29\t4,3191\t063/A/NBP/2024\tNBP\n"
              "Pobrano z NBP kursów: 1 (nowych w tabeli: 1).\n");
    // A month the server has nothing for: an error (exit 1) after what came is saved.
    int status = -1;
    EXPECT_THROW(clitest::run(cli::rates,
                              db() + nbp << "eur"
                                         << "fetch"
                                         << "2024-03"
                                         << "2024-04",
                              status),
                 std::runtime_error);
    const QJsonObject o = QJsonDocument::fromJson(run(db() << "eur"
                                                           << "--json")
                                                      .toUtf8())
                              .object();
    EXPECT_EQ(o["eur"].toArray(), (QJsonArray{QJsonObject{{"date", "2024-03-29"},
                                                          {"rate", "4.3191"},
                                                          {"table", "063/A/NBP/2024"},
                                                          {"source", "nbp"}},
                                              QJsonObject{{"date", "2024-02-29"},
                                                          {"rate", "4.3191"},
                                                          {"table", QJsonValue()},
                                                          {"source", "manual"}}}));
}

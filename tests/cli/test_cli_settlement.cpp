#include "Cli.h"
#include "CliRun.h"
#include "Commands.h"
#include "TestDatabase.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {
// What a subcommand that must succeed printed.
QString run(int (*command)(cli::Args), const QStringList& args) {
    int status = -1;
    const QString printed = clitest::run(command, args, status);
    EXPECT_EQ(status, cli::ExitOk);
    return printed;
}
QJsonObject json(const QString& printed) {
    return QJsonDocument::fromJson(printed.toUtf8()).object();
}
// The message of a refused command, or "(not refused)".
QString refusal(int (*command)(cli::Args), const QStringList& args) {
    try {
        run(command, args);
    } catch (const cli::Refused& e) {
        return e.message();
    }
    return QStringLiteral("(not refused)");
}
} // namespace

class CliSettlement : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addKlient(1, QStringLiteral("Kowalski"));
        addKlient(2, QStringLiteral("Kowalski"));
        addKlient(3, QStringLiteral("Żuraw"));
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY, OPIS_TR) "
             "VALUES (10, 1, 'F', '2024-01-10', 1000.00, 'FV 1')");
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR, "
             "NR_WYCIAGU) VALUES (11, 1, 'W', '2024-01-12', 400.00, 'przelew', '3/1')");
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY) "
             "VALUES (12, 2, 'F', '2024-01-11', 0.50)");
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO) "
             "VALUES (13, 3, 'W', '2024-01-11', 2000.00)");
    }
    QStringList db() const { return {"--db", database->path()}; }
};

TEST_F(CliSettlement, BalancesListEachTabWithItsTotal) {
    const QJsonObject all = json(run(cli::balances, db() << "--json"));
    EXPECT_EQ(all["rows"].toArray(),
              (QJsonArray{QJsonObject{{"name", "Kowalski"}, {"amount", "600.50"}},
                          QJsonObject{{"name", "Żuraw"}, {"amount", "-2000.00"}}}));
    EXPECT_EQ(all["total"].toString(), "-1399.50");
    const QJsonObject debtors = json(run(cli::balances, db() << "--debtors"
                                                             << "--json"));
    EXPECT_EQ(debtors["rows"].toArray().size(), 1);
    EXPECT_EQ(debtors["total"].toString(), "600.50");
    const QJsonObject over = json(run(cli::balances, db() << "--overpayments"
                                                          << "--json"));
    EXPECT_EQ(over["rows"].toArray(),
              (QJsonArray{QJsonObject{{"name", "Żuraw"}, {"amount", "2000.00"}}}));
    EXPECT_TRUE(
        run(cli::balances, db())
            .endsWith(QStringLiteral("Razem kontrahenci - nadpłata: 1\u00a0399,50\u00a0zł\n")));
}

TEST_F(CliSettlement, LedgerNewestFirstWithTheBalanceAndRefusalsOfUnknownContractors) {
    const QJsonObject l = json(run(cli::ledger, db() << "1"
                                                     << "--json"));
    const QJsonArray t = l["transactions"].toArray();
    ASSERT_EQ(t.size(), 2);
    EXPECT_EQ(t[0].toObject(), (QJsonObject{{"id", 11},
                                            {"date", "2024-01-12"},
                                            {"due", QJsonValue()},
                                            {"paid", "400.00"},
                                            {"description", "przelew"},
                                            {"source", "W"},
                                            {"statement", "3/1"}}));
    EXPECT_EQ(t[1].toObject()["due"].toString(), "1000.00");
    EXPECT_EQ(t[1].toObject()["statement"], QJsonValue());
    EXPECT_EQ(l["balance"].toString(), "600.00");
    EXPECT_EQ(json(run(cli::ledger, db() << "3"
                                         << "--json"))["balance"]
                  .toString(),
              "-2000.00");
    EXPECT_EQ(refusal(cli::ledger, db() << "99"), "Nie ma kontrahenta o identyfikatorze 99.");
    EXPECT_TRUE(refusal(cli::ledger, db() << "x1").startsWith("Identyfikator kontrahenta"));
}

TEST_F(CliSettlement, RebookMovesOnlyStatementPayments) {
    EXPECT_EQ(refusal(cli::rebook, db() << "10"
                                        << "3"),
              "Przeksięgować można tylko wpłatę wczytaną z wyciągu bankowego.");
    EXPECT_EQ(refusal(cli::rebook, db() << "11"
                                        << "1"),
              "Transakcja jest już zaksięgowana na tego kontrahenta.");
    EXPECT_EQ(refusal(cli::rebook, db() << "11"
                                        << "42"),
              "Nie ma kontrahenta o identyfikatorze 42.");
    EXPECT_EQ(run(cli::rebook, db() << "11"
                                    << "3"),
              "Przeksięgowano transakcję 11 z kontrahenta 1 na kontrahenta 3.\n");
    EXPECT_EQ(json(run(cli::ledger, db() << "1"
                                         << "--json"))["balance"]
                  .toString(),
              "1000.00");
    EXPECT_EQ(json(run(cli::ledger, db() << "3"
                                         << "--json"))["balance"]
                  .toString(),
              "-2400.00");
}

// What the command line changes is logged under its name; `log` lists the change log from a
// day on, with the values before and after.
TEST_F(CliSettlement, ChangesAreLoggedAndLogListsThem) {
    EXPECT_EQ(json(run(cli::log, db() << "--json"))["entries"].toArray().size(), 0);
    run(cli::rebook, db() << "11"
                          << "3");
    const QJsonArray wpisy = json(run(cli::log, db() << "--json"))["entries"].toArray();
    ASSERT_EQ(wpisy.size(), 1);
    const QJsonObject w = wpisy[0].toObject();
    EXPECT_EQ(w["kind"].toString(), "Przeksięgowanie");
    EXPECT_EQ(w["object"].toString(), "Transakcja");
    EXPECT_EQ(w["objectId"].toInt(), 11);
    EXPECT_EQ(w["source"].toString(), "W");
    EXPECT_TRUE(w["operator"].toString().startsWith("brevant-cli"))
        << w["operator"].toString().toStdString();
    EXPECT_TRUE(w["when"].toString().startsWith(QDate::currentDate().toString(Qt::ISODate)));
    EXPECT_EQ(w["before"].toObject()["contractor"].toString(), "Kowalski");
    EXPECT_EQ(w["before"].toObject()["paid"].toString(), "400.00");
    EXPECT_EQ(w["after"].toObject()["contractor"].toString(), "Żuraw");
    EXPECT_EQ(w["after"].toObject()["contractorId"].toInt(), 3);

    const QString tekst =
        run(cli::log, db() << "--from" << QDate::currentDate().toString(Qt::ISODate));
    EXPECT_TRUE(tekst.contains("\tPrzeksięgowanie\tTransakcja 11 (z wyciągu)\tKowalski [1] → "
                               "Żuraw [3]\tdata 12.01.2024; wpłata 400,00; opis „przelew”"))
        << tekst.toStdString();
    EXPECT_EQ(
        json(run(cli::log, db() << "--from" << QDate::currentDate().addDays(1).toString(Qt::ISODate)
                                << "--json"))["entries"]
            .toArray()
            .size(),
        0);
    EXPECT_EQ(refusal(cli::log, db() << "--from"
                                     << "12.01.2024"),
              "Data musi mieć postać RRRR-MM-DD: 12.01.2024");
}

TEST_F(CliSettlement, BalancesJsonKeepsQuotesAndBackslashesOfNames) {
    addKlient(4, QStringLiteral("PHU \"Ala\" C:\\dane"));
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY) "
         "VALUES (14, 4, 'F', '2024-01-11', 3)");
    const QJsonArray rows = json(run(cli::balances, db() << "--debtors"
                                                         << "--json"))["rows"]
                                .toArray();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[1].toObject()["name"].toString(), QStringLiteral("PHU \"Ala\" C:\\dane"));
}

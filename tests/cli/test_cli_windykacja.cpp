// interest, reminders and confirmations from the command line, against a real database.
#include "Cli.h"
#include "CliRun.h"
#include "Commands.h"
#include "DaneFirmy.h"
#include "TestDatabase.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {

class CliWindykacja : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        firma::DaneFirmy f;
        f.nazwa = QStringLiteral("Wierzyciel");
        f.adres = QStringLiteral("ul. Długa 1");
        f.konto = QStringLiteral("61109010140000071219812874");
        ASSERT_EQ(firma::zapiszDaneFirmy(data->conn, f).uwaga, QString());
        addKlient(1, QStringLiteral("Alfa"));
        addKlient(2, QStringLiteral("Beta"));
        addKlient(3, QStringLiteral("Gamma"));
        for (const char* sql : {
                 // Alfa: 10 000,00 due Friday 15 March 2024, 4 000,00 paid on 14 April.
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, NR_FAKTURY, "
                 "DOZAPLATY) VALUES (10, 1, 'U', '2024-03-01', '2024-03-15', 'FV/1', 10000)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO) "
                 "VALUES (20, 1, 'U', '2024-04-14', 'przelew', 4000)",
                 "INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) VALUES (10, 20, 4000)",
                 // Beta: 1 234,56 due Saturday 11 May 2024, so in fact on Monday 13 May.
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, NR_FAKTURY, "
                 "DOZAPLATY) VALUES (11, 2, 'U', '2024-04-27', '2024-05-11', 'FV/2', 1234.56)",
                 // Gamma: paid in time, and a credit of 50,00 on top.
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, NR_FAKTURY, "
                 "DOZAPLATY) VALUES (12, 3, 'U', '2024-04-01', '2024-04-15', 'FV/3', 300)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO) "
                 "VALUES (22, 3, 'U', '2024-04-10', 'FV/3', 350)",
                 "INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) VALUES (12, 22, 300)",
             })
            exec(QString::fromUtf8(sql));
    }
    QJsonObject json(int (*command)(cli::Args), QStringList args) {
        int status = -1;
        const QString printed = clitest::run(command,
                                             args << "--json"
                                                  << "--db" << database->path(),
                                             status);
        EXPECT_EQ(status, cli::ExitOk);
        return QJsonDocument::fromJson(printed.toUtf8()).object();
    }
    QString refusal(int (*command)(cli::Args), QStringList args) {
        int status = -1;
        try {
            clitest::run(command, args << "--db" << database->path(), status);
        } catch (const cli::Refused& e) {
            return e.message();
        }
        return QStringLiteral("(not refused)");
    }
};

} // namespace

TEST_F(CliWindykacja, InterestGivesAnItemPerLatePaymentAndOneForTheUnpaidRest) {
    // 4 000,00 for 30 days (51,78...) and 6 000,00 for 46 days (119,09...): 170,88 rounded
    // once; the compensation (70 EUR: above 5 000 zł) on the invoice's first item.
    const QJsonObject o = json(cli::interest, {"1", "--to", "2024-04-30"});
    const QJsonObject oczekiwane = QJsonDocument::fromJson(R"({"contractor":1,"to":"2024-04-30",
        "items":[{"number":"FV/1","due":"2024-03-15","paid":"2024-04-14","amount":"4000.00",
                  "days":30,"interest":"51.78","compensationEUR":"70"},
                 {"number":"FV/1","due":"2024-03-15","paid":null,"amount":"6000.00",
                  "days":46,"interest":"119.10","compensationEUR":null}],
        "interest":"170.88"})")
                                       .object();
    EXPECT_EQ(o, oczekiwane);
    // A due date on a Saturday moves to Monday: 14-31 May, 18 days of 1 234,56 = 9,59.
    const QJsonObject b = json(cli::interest, {"2", "--to", "2024-05-31"});
    ASSERT_EQ(b["items"].toArray().size(), 1);
    const QJsonObject i = b["items"].toArray()[0].toObject();
    EXPECT_EQ(i["due"].toString(), "2024-05-13");
    EXPECT_EQ(i["days"].toInt(), 18);
    EXPECT_EQ(i["compensationEUR"].toString(), "40");
    EXPECT_EQ(b["interest"].toString(), "9.59");
    // Nothing late: no items, nothing refused.
    EXPECT_EQ(json(cli::interest, {"3", "--to", "2024-05-31"})["items"].toArray().size(), 0);

    EXPECT_TRUE(refusal(cli::interest, {"9", "--to", "2024-05-31"}).contains("Nie ma kontrahenta"));
    EXPECT_TRUE(refusal(cli::interest, {"1", "--to", "2024-02-30"}).contains("--to"));
    // A half-year with no rate in the table: refused, nothing guessed.
    exec("DELETE FROM STAWKA_ODSETEK WHERE RODZAJ = 'H' AND OD >= '2024-01-01'");
    const QString brak = refusal(cli::interest, {"1", "--to", "2024-04-30"});
    EXPECT_TRUE(brak.contains("2024")) << brak.toStdString();
}

TEST_F(CliWindykacja, RemindersGoToDebtorsOverdueMoreThanNDaysAndConfirmationsToNonZeroBalances) {
    // On 30 June Alfa is 107 days overdue, Beta 48; Gamma owes nothing.
    QJsonArray r =
        json(cli::reminders, {"--overdue", "30", "--date", "2024-06-30"})["reminders"].toArray();
    ASSERT_EQ(r.size(), 2);
    EXPECT_EQ(r[0].toObject()["name"].toString(), "Alfa");
    EXPECT_EQ(r[0].toObject()["remaining"].toString(), "6000.00");
    EXPECT_EQ(r[0].toObject()["payBy"].toString(), "2024-07-07");
    r = json(cli::reminders,
             {"--overdue", "60", "--date", "2024-06-30", "--days", "14"})["reminders"]
            .toArray();
    ASSERT_EQ(r.size(), 1);
    EXPECT_EQ(r[0].toObject()["payBy"].toString(), "2024-07-14");
    EXPECT_TRUE(
        refusal(cli::reminders, {"--overdue", "200", "--date", "2024-06-30"}).contains("Żaden"));
    EXPECT_TRUE(refusal(cli::reminders, {"--overdue", "-1"}).contains("--overdue"));

    const QJsonArray c =
        json(cli::confirmations, {"--as-of", "2024-06-30"})["confirmations"].toArray();
    ASSERT_EQ(c.size(), 3);
    EXPECT_EQ(c[2].toObject(), (QJsonObject{{"contractor", 3},
                                            {"name", "Gamma"},
                                            {"invoices", "0.00"},
                                            {"credits", "50.00"},
                                            {"balance", "-50.00"}}));
    // Before anything was issued nobody had a balance.
    EXPECT_TRUE(refusal(cli::confirmations, {"--as-of", "2024-02-01"}).contains("żadnego"));
}

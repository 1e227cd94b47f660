#include "Cli.h"
#include "CliRun.h"
#include "Commands.h"
#include "TestDatabase.h"
#include "TestPrinters.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <gtest/gtest.h>

namespace {
using clitest::run;
} // namespace

class CliKontrahenci : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addKlient(1, "Zeta", "PL", "5260250274");
        addKlient(2, "Alfa");
        addKonto(10, 1, "PL", "61109010140000071219812874", "T");
        addKonto(11, 2, "DE", "123456789012");
        addTrans(20, 1, "100", "NULL");
        addTrans(21, 2, "NULL", "40.5");
        // The test's own connection lets the command open the file too.
        data->closeConnection();
    }
};

TEST_F(CliKontrahenci, ListsContractorsInNameOrderAsJson) {
    int status = -1;
    const QString printed = run(cli::contractors, {"--db", database->path(), "--json"}, status);
    EXPECT_EQ(status, cli::ExitOk);
    const QJsonArray rows =
        QJsonDocument::fromJson(printed.toUtf8()).object()["contractors"].toArray();
    ASSERT_EQ(rows.size(), 2) << printed.toStdString();
    const QJsonObject alfa = rows[0].toObject();
    const QJsonObject zeta = rows[1].toObject();
    EXPECT_EQ(alfa["name"].toString(), "Alfa");
    EXPECT_TRUE(alfa["vatNumber"].isNull());
    EXPECT_EQ(alfa["balance"].toString(), "-40.50");
    EXPECT_EQ(alfa["accounts"].toArray()[0].toObject()["country"].toString(), "DE");
    EXPECT_EQ(zeta["id"].toInt(), 1);
    EXPECT_EQ(zeta["vatCountry"].toString(), "PL");
    EXPECT_EQ(zeta["vatNumber"].toString(), "5260250274");
    EXPECT_EQ(zeta["balance"].toString(), "100.00");
    const QJsonObject konto = zeta["accounts"].toArray()[0].toObject();
    EXPECT_EQ(konto["number"].toString(), "61109010140000071219812874");
    EXPECT_TRUE(konto["skip"].toBool());
}

TEST_F(CliKontrahenci, MergesAndRefusesTheSameOrAnUnknownIdentifier) {
    int status = -1;
    for (const QStringList& args :
         {QStringList{"1", "1"}, QStringList{"1", "99"}, QStringList{"99", "1"}}) {
        try {
            run(cli::merge, args + QStringList{"--db", database->path()}, status);
            FAIL() << args.join(' ').toStdString();
        } catch (const cli::Refused& e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
    }
    run(cli::merge, {"1", "2", "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    data->connect(database->path(), true);
    EXPECT_EQ(count("FROM KLIENT"), 1);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 1"), 2);
    EXPECT_EQ(scalar("SELECT DOZAPLATY - ZAPLACONO FROM SALDA WHERE KLIENTID = 1").toMoney(),
              Money::fromCents(5950));
}

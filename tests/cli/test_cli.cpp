#include "Cli.h"
#include "Commands.h"
#include "SHA1.h"
#include "TestDatabase.h"
#include "TestPrinters.h"

#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {
QString fixture(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/statement/") + name;
}

// Runs a subcommand and returns what it printed; its exit status goes to `status`.
QString run(int (*command)(cli::Args), const QStringList& args, int& status) {
    testing::internal::CaptureStdout();
    try {
        status = command(cli::Args(args));
    } catch (...) {
        testing::internal::GetCapturedStdout();
        throw;
    }
    return QString::fromStdString(testing::internal::GetCapturedStdout());
}
} // namespace

class Cli : public DbTest {};

TEST_F(Cli, BookStatementThenRefuseItTheSecondTime) {
    int status = -1;
    const QString printed =
        run(cli::bookStatement, {fixture("ing_example.sta"), "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(printed.contains("[Dopisano kontrahenta] - FIRMA TESTOWA SP. Z O.O."))
        << printed.toStdString();
    EXPECT_TRUE(printed.contains("Niezidentyfikowane należności:"));
    EXPECT_TRUE(printed.endsWith("Zakończono księgowanie wpłat.\n"));
    EXPECT_EQ(count("FROM WYCIAG"), 1);
    const int payments = count("FROM TRANS");
    EXPECT_GT(payments, 0);

    try {
        run(cli::bookStatement, {fixture("ing_example.sta"), "--db", database->path()}, status);
        FAIL() << "booked twice";
    } catch (const cli::Refused& e) {
        EXPECT_EQ(e.message(), "Dane z tego wyciągu bankowego zostały już wczytane.");
    }
    EXPECT_EQ(count("FROM TRANS"), payments);
}

TEST_F(Cli, BookStatementRefusesUnsupportedBankBeforeTouchingTheDatabase) {
    int status = -1;
    try {
        run(cli::bookStatement, {fixture("mbank.sta"), "--db", "/nie/ma/bazy.fdb"}, status);
        FAIL();
    } catch (const cli::Refused& e) {
        EXPECT_TRUE(e.message().startsWith("Program obsługuje pliki MT-940 określonych banków."));
    }
}

TEST(CliCreateDb, CreatesDatabaseWithAdministratorAndKeepsGeneratedPasswordPrivate) {
    QTemporaryDir dir;
    const QString path = dir.filePath("nowa.fdb");
    int status = -1;
    const QString printed = run(cli::createDb, {path}, status);
    EXPECT_EQ(status, cli::ExitOk);
    const QString keep = path + ".password";
    ASSERT_TRUE(QFileInfo::exists(keep));
    EXPECT_EQ(QFileInfo(keep).permissions() & (QFileDevice::ReadGroup | QFileDevice::ReadOther), 0);
    QFile f(keep);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString password = QString::fromUtf8(f.readAll()).trimmed();
    EXPECT_TRUE(printed.contains("Hasło: " + password));

    Tdm data;
    data.connect(path, true);
    ASSERT_TRUE(data.OtworzOperator());
    EXPECT_EQ(data.OperatorXE.field("NAZWA").toString(), "Administrator");
    EXPECT_EQ(data.OperatorXE.field("HASLO").toString(), SHA1Digest(password));
    data.closeConnection();

    EXPECT_THROW(run(cli::createDb, {path, "--admin-password", "x"}, status), std::runtime_error);
}

TEST(CliWords, PrintsTheWordsWithTheirTrailingBlank) {
    int status = -1;
    EXPECT_EQ(run(cli::words, {"1.00"}, status), "jeden złoty \n");
    EXPECT_EQ(run(cli::words, {"2000.22"}, status), "dwa tysiące złotych dwadzieścia dwa grosze\n");
    EXPECT_THROW(run(cli::words, {"1,00"}, status), cli::UsageError);
}

TEST_F(Cli, BookStatementEndsWithTheCounts) {
    int status = -1;
    const QString printed =
        run(cli::bookStatement, {fixture("ing_multi.sta"), "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    const QStringList lines = printed.split('\n');
    EXPECT_TRUE(lines.contains("Zaksięgowano wpłat: 3")) << printed.toStdString();
    EXPECT_TRUE(lines.contains("Dopisano kontrahentów: 2"));
    EXPECT_TRUE(lines.contains("Zarejestrowano wyciągów: 3"));
    EXPECT_EQ(count("FROM WYCIAG"), 3);
}

TEST_F(Cli, BookStatementRefusesAFileThatIsNotUtf8) {
    int status = -1;
    try {
        run(cli::bookStatement, {fixture("bzwbk_win1250.sta"), "--db", database->path()}, status);
        FAIL();
    } catch (const cli::Refused& e) {
        EXPECT_EQ(e.message(),
                  "Plik nie jest zapisany w UTF-8. Wybierz kodowanie Windows-1250 lub CP-852.");
    }
    EXPECT_EQ(count("FROM TRANS"), 0);
}

// One statement keeps the shape; a file of more adds "next", each of the same shape.
TEST(CliStatement, SeveralStatementsAddNext) {
    int status = -1;
    const QString one = run(cli::statement, {fixture("ing_example.sta"), "--json"}, status);
    EXPECT_FALSE(QJsonDocument::fromJson(one.toUtf8()).object().contains("next"));
    const QString printed = run(cli::statement, {fixture("ing_multi.sta"), "--json"}, status);
    EXPECT_EQ(status, cli::ExitOk);
    const QJsonObject o = QJsonDocument::fromJson(printed.toUtf8()).object();
    EXPECT_EQ(o["number"].toString(), "45/1");
    const QJsonArray next = o["next"].toArray();
    ASSERT_EQ(next.size(), 2);
    EXPECT_EQ(next[0].toObject()["number"].toString(), "46/1");
    EXPECT_EQ(next[1].toObject()["opening"].toString(), "C230302PLN1300,00");
    EXPECT_EQ(next[1].toObject().keys(), o.keys().filter(QRegularExpression("^(?!next$)")));
}

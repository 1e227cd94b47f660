#include "Cli.h"
#include "CliRun.h"
#include "Commands.h"
#include "JpkPlik.h"
#include "TestDatabase.h"
#include "TestHttpsServer.h"
#include "WhiteListAnswers.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace A = WhiteListAnswers;
using Odp = TestHttpsServer::Odpowiedz;

namespace {
using clitest::run;
} // namespace

class CliWhiteList : public DbTest {
protected:
    void odpowiadaj(int status, const QByteArray& body) {
        server.setHandler([status, body](const TestHttpsServer::Zapytanie&) {
            return Odp{status, body};
        });
    }
    QStringList wl(const QString& nip) const {
        return {nip,      "--url",     server.adres(), "--ca", TestCertificates::get().caPem,
                "--date", "2024-03-05"};
    }
    TestHttpsServer server;
    QTemporaryDir dir;
};

TEST_F(CliWhiteList, AccountsInAnswerOrderAsTextAndJson) {
    odpowiadaj(200, A::dwaKonta());
    int status = -1;
    EXPECT_EQ(run(cli::whitelist, wl("5260250274") << "--json", status),
              "{\"accounts\":[\"61109010140000071219812874\",\"27114020040000300201355387\"]}\n");
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_EQ(run(cli::whitelist, wl("5260250274"), status),
              "61109010140000071219812874\n27114020040000300201355387\n");
    EXPECT_EQ(server.zapytania.last().cel, "/api/search/nip/5260250274?date=2024-03-05");
}

TEST_F(CliWhiteList, NoneFoundIsNotAnError) {
    odpowiadaj(200, A::brakPodmiotu);
    int status = -1;
    testing::internal::CaptureStderr();
    const QString printed = run(cli::whitelist, wl("5260250274") << "--json", status);
    const QString errors = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_EQ(printed, "{\"accounts\":[]}\n");
    EXPECT_TRUE(errors.contains("Nie znaleziono żadnego numeru rachunku bankowego"));
}

TEST_F(CliWhiteList, DownloadErrorsNameTheirReason) {
    odpowiadaj(400, A::bladWL113);
    int status = -1;
    try {
        run(cli::whitelist, wl("52602"), status);
        FAIL();
    } catch (const std::runtime_error& e) {
        const QString text = QString::fromUtf8(e.what());
        EXPECT_TRUE(text.contains("400")) << e.what();
        EXPECT_TRUE(text.contains("WL-113: Pole 'nip' ma nieprawidłową długość")) << e.what();
    }
    // Without the test authority the certificate is refused.
    try {
        run(cli::whitelist, {"5260250274", "--url", server.adres()}, status);
        FAIL();
    } catch (const std::runtime_error& e) {
        EXPECT_TRUE(QString::fromUtf8(e.what()).contains("certyfikatu")) << e.what();
    }
}

TEST_F(CliWhiteList, AddContractorsWithAccountsThenCorrectNames) {
    const QString plik = JpkPlik::zapisz(dir, "f.xml",
                                         {{"NOWA FIRMA", "ul. Nowa 1", "PL", "5260250274"},
                                          {"NOWA FIRMA BIS", "ul. Nowa 2", "PL", "5260250274"}});
    server.setHandler([](const TestHttpsServer::Zapytanie& z) {
        const QStringList nipy = QString::fromLatin1(z.cel).mid(17).section('?', 0, 0).split(',');
        return Odp{200, A::wiele(nipy, [](const QString&) {
                       return QStringList{"61109010140000071219812874"};
                   })};
    });
    int status = -1;
    const QString printed = run(cli::addContractors,
                                {plik, "--db", database->path(), "--fetch-accounts", "--url",
                                 server.adres(), "--ca", TestCertificates::get().caPem},
                                status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(printed.contains("Dopisano kontrahentów: 1, rachunków bankowych: 1;"))
        << printed.toStdString();
    EXPECT_EQ(count("FROM KLIENT WHERE NAZWA = 'NOWA FIRMA' AND NR_NIP = '5260250274'"), 1);
    EXPECT_EQ(count("FROM KONTO WHERE NR_KONTO = '61109010140000071219812874'"), 1);

    const QString corrected = run(cli::correctNames, {plik, "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(corrected.contains("Zmieniono kontrahentów: 1.")) << corrected.toStdString();
    EXPECT_EQ(count("FROM KLIENT WHERE NAZWA = 'NOWA FIRMA BIS' AND ADRES = 'ul. Nowa 2'"), 1);

    try {
        run(cli::addContractors,
            {JpkPlik::zapisz(dir, "v.xml", {}, "JPK_VAT"), "--db", database->path()}, status);
        FAIL();
    } catch (const cli::Refused& e) {
        EXPECT_TRUE(e.message().startsWith("Nie można wczytać danych z pliku JPK_VAT."));
    }
}

// The white list answering 503: every buyer is added without accounts, each named with the
// reason, and the command exits 1; fetch-accounts --missing fetches them once it answers.
TEST_F(CliWhiteList, FailedSearchesExitOneAndFetchAccountsMendsThem) {
    const QString plik = JpkPlik::zapisz(
        dir, "f.xml", {{"PIERWSZA", "A", "PL", "5260250274"}, {"DRUGA", "B", "PL", "7740001454"}});
    odpowiadaj(503, "Service Unavailable");
    int status = -1;
    testing::internal::CaptureStderr();
    const QString printed = run(cli::addContractors,
                                {plik, "--db", database->path(), "--fetch-accounts", "--url",
                                 server.adres(), "--ca", TestCertificates::get().caPem},
                                status);
    const QString bledy = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(status, cli::ExitError);
    EXPECT_EQ(count("FROM KLIENT"), 2);
    EXPECT_TRUE(printed.contains(QString::fromUtf8(
        "[Dopisano bez rachunków: nie pobrano z białej listy: Serwer odpowiedział kodem HTTP "
        "503.] - 5260250274 | PIERWSZA")))
        << printed.toStdString();
    EXPECT_TRUE(bledy.contains("brevant-cli fetch-accounts --missing")) << bledy.toStdString();
    // a later run finds nothing to add: only fetch-accounts can mend it
    run(cli::addContractors, {plik, "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);

    server.setHandler([](const TestHttpsServer::Zapytanie& z) {
        const QStringList nipy = QString::fromLatin1(z.cel).mid(17).section('?', 0, 0).split(',');
        return Odp{200, A::wiele(nipy, [](const QString& n) {
                       return n == "5260250274" ? QStringList{"61109010140000071219812874"}
                                                : QStringList{};
                   })};
    });
    const QString pobrane = run(cli::fetchAccounts,
                                {"--missing", "--db", database->path(), "--url", server.adres(),
                                 "--ca", TestCertificates::get().caPem},
                                status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(
        pobrane.contains(QString::fromUtf8("[Dodano rachunków: 1] - 5260250274 | PIERWSZA")))
        << pobrane.toStdString();
    EXPECT_TRUE(pobrane.contains(
        QString::fromUtf8("[Brak rachunków w wykazie podatników VAT] - 7740001454 | DRUGA")));
    EXPECT_EQ(count("FROM KONTO WHERE NR_KONTO = '61109010140000071219812874'"), 1);
}

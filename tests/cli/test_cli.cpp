#include "../imports/ZipPisz.h"
#include "Cli.h"
#include "CliRun.h"
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
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString fixture(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/statement/") + name;
}

using clitest::run;
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
        run(cli::bookStatement, {fixture("nieznany_uklad.sta"), "--db", "/nie/ma/bazy.fdb"},
            status);
        FAIL();
    } catch (const cli::Refused& e) {
        EXPECT_TRUE(e.message().startsWith("Program obsługuje pliki MT-940 określonych banków."));
    }
}

namespace {
QString ksef(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/ksef/") + name;
}
} // namespace

TEST_F(Cli, InvoicesListsAKsefZipWithCurrencyKindAndFile) {
    QTemporaryDir dir;
    const QString zip = dir.filePath("eksport.zip");
    ZapiszZip(zip, {{"_metadata.json", "{}"},
                    {"a.xml", CzytajPlik(ksef("fa3_kor.xml"))},
                    {"b.xml", CzytajPlik(ksef("fa3_eur_ue.xml"))}});
    int status = -1;
    const QString printed = run(cli::invoices, {zip, "--json"}, status);
    EXPECT_EQ(status, cli::ExitOk);
    const QJsonArray rows = QJsonDocument::fromJson(printed.toUtf8()).array();
    ASSERT_EQ(rows.size(), 2);
    const QJsonObject kor = rows[0].toObject();
    EXPECT_EQ(kor["number"].toString(), "FK/2026/03/1");
    EXPECT_EQ(kor["amount"].toString(), "-200.00");
    EXPECT_EQ(kor["date"].toString(), "2026-03-15");
    EXPECT_EQ(kor["nip"].toString(), "1112223344");
    EXPECT_EQ(kor["countryCode"].toString(), "PL");
    EXPECT_EQ(kor["currency"].toString(), "PLN");
    EXPECT_EQ(kor["kind"].toString(), "KOR");
    EXPECT_EQ(kor["file"].toString(), "a.xml");
    EXPECT_EQ(rows[1].toObject()["currency"].toString(), "EUR");
}

TEST_F(Cli, BookInvoicesAbortExitsTwoNamingWhatWasNotBooked) {
    addKlient(10, "Alfa", "PL", "1112223344");
    QTemporaryDir dir;
    const QString zip = dir.filePath("eksport.zip");
    ZapiszZip(zip, {{"1.xml", CzytajPlik(ksef("fa3_vat.xml"))},
                    {"2.xml", CzytajPlik(ksef("fa3_inny_kraj.xml"))}, // unknown buyer
                    {"3.xml", CzytajPlik(ksef("fa3_kor.xml"))}});
    int status = -1;
    testing::internal::CaptureStderr();
    const QString printed =
        run(cli::book_invoices, {zip, "--db", database->path(), "--unknown", "abort"}, status);
    const QString errors = QString::fromStdString(testing::internal::GetCapturedStderr());
    EXPECT_EQ(status, cli::ExitRefused);
    EXPECT_TRUE(
        printed.contains(QString::fromUtf8("[Nie zaksięgowano - przerwano] - FV/2026/02/3")))
        << printed.toStdString();
    EXPECT_TRUE(
        printed.contains(QString::fromUtf8("[Nie zaksięgowano - przerwano] - FK/2026/03/1")));
    EXPECT_FALSE(printed.contains(QString::fromUtf8("Zakończono księgowanie faktur.")));
    EXPECT_TRUE(errors.contains(QString::fromUtf8("Przerwano księgowanie faktur na fakturze "
                                                  "FV/2026/02/3")))
        << errors.toStdString();
    EXPECT_EQ(count("FROM TRANS"), 1); // the one before the stop stays booked
}

TEST_F(Cli, BookInvoicesRefusesABrokenZipWithNothingBooked) {
    addKlient(10, "Alfa", "PL", "1112223344");
    QTemporaryDir dir;
    QByteArray zla = CzytajPlik(ksef("fa3_kor.xml"));
    zla.replace("<P_15>-200.00</P_15>", "<P_15>-200,00</P_15>");
    const QString zip = dir.filePath("zly.zip");
    ZapiszZip(zip, {{"01.xml", CzytajPlik(ksef("fa3_vat.xml"))}, {"02.xml", zla}});
    int status = -1;
    try {
        run(cli::book_invoices, {zip, "--db", database->path(), "--unknown", "add"}, status);
        FAIL() << "accepted";
    } catch (const cli::Refused& e) {
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Nie można odczytać kwoty „-200,00” "
                                                             "faktury FK/2026/03/1 (plik 02.xml)")))
            << e.message().toStdString();
    }
    EXPECT_EQ(count("FROM TRANS"), 0);
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
    // A printed password is for the first login only; the file goes once it is changed.
    EXPECT_EQ(data.OperatorXE.field("ZMIEN_HASLO").toString(), "T");
    EXPECT_EQ(data.OperatorXE.field("PLIK_HASLA").toString(), QFileInfo(keep).absoluteFilePath());
    data.closeConnection();

    EXPECT_THROW(run(cli::createDb, {path, "--admin-password", "x"}, status), std::runtime_error);
    // A password the user chose is theirs already.
    const QString own = dir.filePath("wlasna.fdb");
    run(cli::createDb, {own, "--admin-password", "moje-haslo"}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_FALSE(QFileInfo::exists(own + ".password"));
    data.connect(own, true);
    ASSERT_TRUE(data.OtworzOperator());
    EXPECT_TRUE(data.OperatorXE.field("ZMIEN_HASLO").isNull());
    data.closeConnection();
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

// A wrong statement booked: undone by the registration number book-statement printed, then
// booked again; a payment changed in between stops the undoing with exit 2 and the row.
TEST_F(Cli, UnbookStatementByItsRegistrationNumber) {
    int status = -1;
    const QString printed =
        run(cli::bookStatement, {fixture("ing_example.sta"), "--db", database->path()}, status);
    const int nr = scalar("SELECT WPISID FROM WYCIAG").toInt();
    EXPECT_TRUE(printed.contains(QString("numer rejestracji %1").arg(nr))) << printed.toStdString();
    const int wplaty = count("FROM TRANS");
    ASSERT_GT(wplaty, 0);

    exec(QString("UPDATE TRANS SET OPIS_TR = 'poprawione' WHERE WPISID = (SELECT MIN(WPISID) "
                 "FROM TRANS WHERE IMPORTID = %1)")
             .arg(nr));
    try {
        run(cli::unbookStatement, {QString::number(nr), "--db", database->path()}, status);
        FAIL();
    } catch (const cli::Refused& e) {
        EXPECT_TRUE(e.message().contains("poprawione | zmieniony")) << e.message().toStdString();
    }
    EXPECT_EQ(count("FROM TRANS"), wplaty);
    exec("UPDATE TRANS SET ZMIENIONO = NULL"); // as if the correction had not been made

    const QString undone =
        run(cli::unbookStatement, {QString::number(nr), "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(undone.startsWith(QString::fromUtf8("Cofnięto import wyciągu nr ")))
        << undone.toStdString();
    EXPECT_EQ(count("FROM TRANS"), 0);
    EXPECT_EQ(count("FROM WYCIAG"), 0);
    run(cli::bookStatement, {fixture("ing_example.sta"), "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_EQ(count("FROM TRANS"), wplaty);
    EXPECT_THROW(run(cli::unbookStatement, {"x", "--db", database->path()}, status),
                 cli::UsageError);
}

TEST_F(Cli, UnbookInvoicesByFile) {
    const QString plik = fixture("../invoices/jpk_fa_waluty.xml");
    addKlient(900001, "Alfa", "PL", "5990000010");
    int status = -1;
    const QString printed =
        run(cli::book_invoices, {plik, "--db", database->path(), "--unknown", "skip"}, status);
    EXPECT_TRUE(printed.contains("Numer importu: ")) << printed.toStdString();
    EXPECT_EQ(count("FROM TRANS"), 2); // the euro invoice is not booked
    try {
        run(cli::unbookInvoices, {"nie_ma.xml", "--db", database->path()}, status);
        FAIL();
    } catch (const cli::Refused& e) {
        EXPECT_EQ(e.message(),
                  QString::fromUtf8("Nie ma zaksięgowanych faktur z pliku nie_ma.xml."));
    }
    const QString undone = run(cli::unbookInvoices, {plik, "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(undone.contains(QString::fromUtf8("usunięto faktur 2 na kwotę 450,00")))
        << undone.toStdString();
    EXPECT_EQ(count("FROM TRANS"), 0);
    EXPECT_EQ(data->SaldoKlienta(900001), Money());
}

// Told to read UTF-8, a Windows-1250 file is refused with the hint; left to itself the reader
// finds Windows-1250 and books the names right.
TEST_F(Cli, BookStatementRefusesAFileThatIsNotUtf8) {
    int status = -1;
    try {
        run(cli::bookStatement,
            {fixture("bzwbk_win1250.sta"), "--db", database->path(), "--encoding", "utf-8"},
            status);
        FAIL();
    } catch (const cli::Refused& e) {
        EXPECT_EQ(e.message(),
                  "Plik nie jest zapisany w UTF-8. Wybierz kodowanie Windows-1250 lub CP-852.");
    }
    EXPECT_EQ(count("FROM TRANS"), 0);
    run(cli::bookStatement, {fixture("bzwbk_win1250.sta"), "--db", database->path()}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_EQ(scalar("SELECT NAZWA_KL FROM TRANS").toString(), "Świętokrzyska Spółka Źródlana");
}

// Every bank's statement books with the encoding left to the reader: payer, name and title in
// the ledger as the statement gives them.
TEST_F(Cli, BookStatementOfEachBank) {
    const struct {
        const char* plik;
        const char* konto;
        const char* nazwa;
        const char* opis;
    } cases[] = {
        {"pko_iso8859-2.sta", "50105014451000009012345678",
         "PRZEDSIĘBIORSTWO USŁUG SKARBOWYCH ŻURAWIE UL. POLNA 1",
         "Zapłata za fakturę FV 12/03/2024 i FV 13/03/2024"},
        {"mbank_pln_eur.sta", "08105014451000009099999999",
         "ŚWIĘTOKRZYSKA FIRMA HANDLOWA SP. Z O.O. UL. KIELECKA 5 25-001 KIELCE",
         "FAKTURA VAT NR FV/7/03/2024 ZA TOWAR"},
        {"pekao_cp852.sta", "61109010140000071219812874",
         // the name's first 80 characters, as the ledger keeps it
         "PRZEDSIĘBIORSTWO HANDLOWO-USŁUGOWE GRZEGORZ BRZĘCZYSZCZYKIEWICZ UL. ŻÓŁKIEWSKIEG",
         "ZAPŁATA ZA FAKTURĘ NR FV/2024/03/118 Z DNIA 01.03.2024"},
        {"bnp_win1250.sta", "95194010140000071219812874",
         "SPÓŁDZIELNIA MIESZKANIOWA ŁĄCZNIK UL. DŁUGA 2 ŁÓDŹ", "FV 3/2024"},
        {"nest.sta", "03105014451000009077777777", "JANINA ZIELINSKA UL. LESNA 4 00-001 WARSZAWA",
         "FAKTURA FV/5/2024 ZA USLUGI"},
        {"alior_multicash.sta", "61109010140000071219812874",
         "WÓJCIK ŁUKASZ UL. GÓRNA 7 31-001 KRAKÓW", "ZAPŁATA ZA FAKTURĘ FV/11/2024 CZĘŚĆ PIERWSZA"},
        {"millennium_cp852.sta", "49105014451000009066666666", "MARIA DĄBROWSKA UL. WIŚNIOWA 3",
         "OPŁATA ZA SZKOLENIE"},
    };
    for (const auto& c : cases) {
        int status = -1;
        run(cli::bookStatement, {fixture(c.plik), "--db", database->path()}, status);
        EXPECT_EQ(status, cli::ExitOk) << c.plik;
        // The payment just booked: the same payer may have paid from another bank's file.
        const QString where =
            QString("FROM TRANS WHERE NR_KONTO = '%1' ORDER BY WPISID DESC ROWS 1").arg(c.konto);
        EXPECT_EQ(scalar("SELECT NAZWA_KL " + where).toString(), QString::fromUtf8(c.nazwa))
            << c.plik;
        EXPECT_EQ(scalar("SELECT OPIS_TR " + where).toString(), QString::fromUtf8(c.opis))
            << c.plik;
        EXPECT_EQ(count("FROM KONTO WHERE NR_KONTO = '" + QString(c.konto) + "'"), 1) << c.plik;
    }
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

// The JSON of `statement` is written straight out; it must be what Qt's JSON writer makes of
// the same document, escapes and all.
TEST(CliStatement, JsonAsQtWritesIt) {
    QTemporaryDir dir;
    const QString plik = dir.filePath("znaki.sta");
    QFile f(plik);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(
        QString::fromUtf8(":20:X\r\n:25:/PL79105010120000000012345678\r\n:28C:1/\"1\"\r\n"
                          ":60F:C230102PLN1,00\r\n:61:230103C1,00NTRF\r\n"
                          ":86:~20A \"B\" \\ C\tD\x02 😀 ż €~32Zażółć\r\n:62F:C230103PLN2,00\r\n")
            .toUtf8());
    f.close();
    for (const QString& p : {plik, fixture("ing_multi.sta"), fixture("pekao_cp852.sta"),
                             fixture("mbank_pln_eur.sta")}) {
        int status = -1;
        const QString printed = run(cli::statement, {p, "--json"}, status);
        ASSERT_EQ(status, cli::ExitOk);
        QJsonParseError e{};
        const QJsonDocument d = QJsonDocument::fromJson(printed.toUtf8(), &e);
        ASSERT_EQ(e.error, QJsonParseError::NoError) << printed.toStdString();
        EXPECT_EQ(printed, QString::fromUtf8(d.toJson(QJsonDocument::Indented))) << p.toStdString();
    }
}

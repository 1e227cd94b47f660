#include "Cli.h"
#include "CliRun.h"
#include "CofniecieImportu.h"
#include "Commands.h"
#include "DatabaseCreator.h"
#include "Error.h"
#include "Globals.h"
#include "JpkReader.h"
#include "SHA1.h"
#include "SchemaVersion.h"
#include "SqlScript.h"
#include "StaraBaza.h"
#include "Statement.h"
#include "StatementBuilder.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "WczytajWyciag.h"
#include "fdm.h"
#include "komun.h"
#include "recFaktura.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>

#include <algorithm>

#include <gtest/gtest.h>

namespace {

QString fixture(const QString& name) {
    return QStringLiteral(BREVANT_FIXTURES "/") + name;
}

QString readText(const QString& path) {
    QFile f(path);
    f.open(QIODevice::ReadOnly);
    return QString::fromUtf8(f.readAll());
}

using starabaza::embedded;

// A database as the program made it before the schema carried a version.
void createVersion1(const QString& path) {
    starabaza::utworzWersje1(path);
}

int versionOf(const QString& path) {
    db::Attachment att(embedded(path));
    return schemaVersion(att);
}

QVariant scalarIn(const QString& path, const QString& sql) {
    db::Attachment att(embedded(path));
    db::Transaction tr(att);
    tr.start();
    db::Statement s(tr, sql);
    db::Row r;
    const QVariant v = s.fetchOne(r) && !r[0].isNull() ? QVariant(r[0].toString()) : QVariant();
    tr.commit();
    return v;
}

int countIn(const QString& path, const QString& fromWhere) {
    return scalarIn(path, QStringLiteral("SELECT COUNT(*) ") + fromWhere).toInt();
}

using clitest::run;

// The refusal message of a subcommand, empty when it ran.
QString refusal(int (*command)(cli::Args), const QStringList& args) {
    int status = -1;
    try {
        run(command, args, status);
    } catch (const cli::Refused& e) {
        return e.message();
    }
    return {};
}

QStringList backups(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*-kopia-wersja*")}, QDir::Files);
}

// A statement and the first invoice of a file booked by the program of version 1: the rows
// its booking runs wrote.
void bookAsVersion1(const QString& path, const QString& statement, const QString& invoices) {
    const WynikOtwarcia w = OtworzPlikWyciagu(statement, TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok());
    std::vector<recFaktura> faktury;
    CzytajFaktury(JpkDocument::open(invoices), [&](const recFaktura& f) { faktury.push_back(f); });
    ASSERT_FALSE(faktury.empty());
    const recFaktura& f = faktury.front();
    db::Attachment att(embedded(path));
    db::Transaction tr(att);
    tr.start();
    auto exec = [&](const QString& sql, std::initializer_list<db::Value> values) {
        db::Statement s(tr, sql);
        s.bindAll(values);
        s.execute();
    };
    exec(QStringLiteral("INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA) VALUES (10, ?, ?)"),
         {w.wyciag()->GetKontoWL(), w.wyciag()->LiniaSaldoPocz()});
    exec(
        QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) VALUES (11, ?, ?, ?)"),
        {f.NazwaOdb, QStringLiteral("PL"), f.NipOdb});
    exec(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, DOZAPLATY) "
                        "VALUES (12, 11, 'F', ?, ?, ?)"),
         {f.DataWyst, f.NrFakt, f.Kwota});
    tr.commit();
}

} // namespace

class Upgrade : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath(QStringLiteral("stara.fdb"));
        createVersion1(path);
    }
    QTemporaryDir dir;
    QString path;
    komun::Recorder messages;
};

TEST_F(Upgrade, OldDatabaseIsRefusedThenUpgradedAndWorksAsANewOne) {
    const QString statement = fixture("statement/ing_example.sta");
    const QString invoices = fixture("invoices/jpk_fa4_tns.xml");
    bookAsVersion1(path, statement, invoices);
    ASSERT_EQ(versionOf(path), 1);

    // Other commands refuse it and name the upgrade.
    const QString refused = refusal(cli::bookStatement, {statement, "--db", path});
    EXPECT_TRUE(refused.contains("wcześniejszej wersji programu")) << refused.toStdString();
    EXPECT_TRUE(refused.contains("brevant-cli upgrade-db --db " + path));

    int status = -1;
    QString printed = run(cli::upgradeDb, {"--db", path}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(printed.contains("Wykonano aktualizację schematu 1 → 2")) << printed.toStdString();
    ASSERT_EQ(backups(dir.path()).size(), 1);
    EXPECT_TRUE(printed.contains("Kopia zapasowa: " + dir.filePath(backups(dir.path())[0])));
    EXPECT_EQ(versionOf(dir.filePath(backups(dir.path())[0])), 1); // the copy is the old one
    EXPECT_EQ(versionOf(path), currentSchemaVersion());

    // Booking refuses what was booked before the upgrade, as on a new database.
    EXPECT_EQ(refusal(cli::bookStatement, {statement, "--db", path}),
              "Dane z tego wyciągu bankowego zostały już wczytane.");
    printed = run(cli::book_invoices, {invoices, "--db", path, "--unknown", "skip"}, status);
    EXPECT_TRUE(printed.contains("[Zaksięgowano wcześniej] - ")) << printed.toStdString();
    EXPECT_EQ(countIn(path, "FROM TRANS WHERE ZRODLO = 'F' AND WPISID = 12"), 1);
    EXPECT_EQ(countIn(path, "FROM TRANS WHERE ZRODLO = 'F'"),
              1 + printed.count("[Zaksięgowano] - "));

    // A new statement books, and the database now forbids a second registration itself.
    const QString other = dir.filePath("inny.sta");
    writeFile(other, ingStatement({{'C', "12,34", "PL61109010140000071219812874", "NOWY"}},
                                  "C230301PLN1,00"));
    run(cli::bookStatement, {other, "--db", path}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_EQ(countIn(path, "FROM WYCIAG"), 2);
    {
        db::Attachment att(embedded(path));
        EXPECT_THROW(att.executeImmediate("INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA) "
                                          "SELECT 99, KONTO_WL, LINIA_SALDA FROM WYCIAG ROWS 1"),
                     db::Error);
    }

    // The second upgrade finds nothing to do and makes no copy.
    printed = run(cli::upgradeDb, {"--db", path}, status);
    EXPECT_EQ(status, cli::ExitOk);
    EXPECT_TRUE(printed.contains("jest aktualna")) << printed.toStdString();
    EXPECT_EQ(backups(dir.path()).size(), 1);
    EXPECT_EQ(versionOf(path), currentSchemaVersion());
}

// The step that lets imports be undone, on a database of the version before it with rows booked
// then: those rows belong to no import and are never undone blindly; what is booked afterwards
// is recorded, and a row changed afterwards is marked.
TEST_F(Upgrade, UndoStepKeepsOldRowsOutOfAnyImport) {
    std::vector<UpgradeStep> przed;
    std::vector<UpgradeStep> zKrokiem;
    for (const UpgradeStep& step : upgradeSteps()) {
        zKrokiem.push_back(step);
        if (readText(step.script).contains("CREATE TABLE IMPORT_FAKTUR"))
            break;
        przed.push_back(step);
    }
    ASSERT_LT(przed.size(), zKrokiem.size());
    upgradeDatabase(embedded(path), przed);
    const QString statement = fixture("statement/ing_example.sta");
    bookAsVersion1(path, statement, fixture("invoices/jpk_fa4_tns.xml"));
    const UpgradeResult r = upgradeDatabase(embedded(path), zKrokiem);
    EXPECT_EQ(r.to, zKrokiem.back().toVersion);

    EXPECT_EQ(countIn(path, "FROM TRANS WHERE IMPORTID IS NULL AND ZMIENIONO IS NULL"), 1);
    EXPECT_EQ(countIn(path, "FROM WYCIAG WHERE WPISID = 10 AND ZAKSIEGOWANO IS NULL"), 1);
    {
        db::Attachment att(embedded(path));
        const auto historia = cofniecie::Historia(att, cofniecie::Rodzaj::Wyciag);
        ASSERT_EQ(historia.size(), 1u);
        EXPECT_FALSE(historia[0].moznaCofnac());
        EXPECT_THROW(cofniecie::CofnijWyciag(att, 10), cofniecie::Odmowa);
        // a correction of the old row is marked like any other
        att.executeImmediate("UPDATE TRANS SET OPIS_TR = 'Poprawiony' WHERE WPISID = 12");
    }
    EXPECT_EQ(countIn(path, "FROM TRANS WHERE WPISID = 12 AND ZMIENIONO IS NOT NULL"), 1);
    EXPECT_EQ(countIn(path, "FROM WYCIAG WHERE WPISID = 10"), 1);
}

TEST_F(Upgrade, StepFailingPartWayLeavesTheOldVersion) {
    // A statement that cannot be prepared, and a unique key the data breaks at commit.
    struct Case {
        const char* name;
        const char* sql;
    } cases[] = {
        {"bad statement", "CREATE TABLE NOWA (A INTEGER);\n"
                          "ALTER TABLE WYCIAG ADD DODANA INTEGER;\n"
                          "SELECT FROM NIGDZIE;\n"},
        {"fails at commit", "CREATE TABLE NOWA (A INTEGER);\n"
                            "ALTER TABLE WYCIAG ADD DODANA INTEGER;\n"
                            "ALTER TABLE WYCIAG ADD CONSTRAINT UQ_X UNIQUE (KONTO_WL);\n"},
    };
    db::Attachment att(embedded(path));
    att.executeImmediate("INSERT INTO WYCIAG VALUES (1, 'PL1', 'C230101PLN1,00')");
    att.executeImmediate("INSERT INTO WYCIAG VALUES (2, 'PL1', 'C230102PLN1,00')");
    att.close();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const QString script = dir.filePath("krok.sql");
        writeFile(script, QString::fromUtf8(c.sql));
        EXPECT_THROW(upgradeDatabase(embedded(path), {{2, script, {}, {}, {}, {}}}), db::Error);
        EXPECT_EQ(versionOf(path), 1);
        EXPECT_EQ(countIn(path, "FROM RDB$RELATIONS WHERE RDB$RELATION_NAME = 'NOWA'"), 0);
        EXPECT_EQ(countIn(path, "FROM RDB$RELATION_FIELDS WHERE RDB$FIELD_NAME = 'DODANA'"), 0);
        EXPECT_EQ(countIn(path, "FROM WYCIAG"), 2);
    }
}

TEST_F(Upgrade, StatementRegisteredTwiceStopsTheUpgradeWithTheList) {
    db::Attachment att(embedded(path));
    att.executeImmediate("INSERT INTO WYCIAG VALUES (1, 'PL79105010120000000012345678', "
                         "'C230228PLN5000,00')");
    att.executeImmediate("INSERT INTO WYCIAG VALUES (2, 'PL79105010120000000012345678', "
                         "'C230228PLN5000,00')");
    att.executeImmediate("INSERT INTO WYCIAG VALUES (3, 'PL79105010120000000012345678', "
                         "'C230301PLN5000,00')");
    att.close();
    const QString refused = refusal(cli::upgradeDb, {"--db", path});
    EXPECT_TRUE(refused.contains("Wyciągi bankowe zarejestrowane więcej niż raz"))
        << refused.toStdString();
    EXPECT_TRUE(refused.contains("PL79105010120000000012345678 | C230228PLN5000,00 | 2"));
    EXPECT_FALSE(refused.contains("C230301"));
    EXPECT_EQ(versionOf(path), 1);
    EXPECT_EQ(countIn(path, "FROM WYCIAG"), 3);
    EXPECT_TRUE(backups(dir.path()).isEmpty());
}

TEST_F(Upgrade, NewerDatabaseIsRefusedUntouched) {
    const QString newer = dir.filePath("nowsza.fdb");
    createBrevantDatabase(newer, "x");
    {
        db::Attachment att(embedded(newer));
        db::Transaction tr(att);
        tr.start();
        writeSchemaVersion(tr, currentSchemaVersion() + 1);
        tr.commit();
    }
    for (auto* command : {cli::upgradeDb, cli::bookStatement}) {
        QStringList args{"--db", newer};
        if (command == cli::bookStatement)
            args.prepend(fixture("statement/ing_example.sta"));
        const QString refused = refusal(command, args);
        EXPECT_TRUE(refused.contains("pochodzi z nowszej wersji programu"))
            << refused.toStdString();
    }
    EXPECT_EQ(versionOf(newer), currentSchemaVersion() + 1);
    EXPECT_EQ(countIn(newer, "FROM WYCIAG"), 0);
    EXPECT_TRUE(backups(dir.path()).isEmpty());
}

TEST_F(Upgrade, ProgramAsksAtStartUpAndEndsWhenDeclined) {
    writeFile(dir.filePath("Brevant.ini"), "[Baza]\nPlik=" + path + "\n");
    {
        Tdm data;
        messages.answer(false);
        EXPECT_FALSE(data.DataModuleCreate(dir.path()));
        EXPECT_FALSE(data.connected());
        ASSERT_GE(messages.messages().size(), 2u);
        EXPECT_EQ(messages.messages()[0].text,
                  "Baza danych pochodzi z wcześniejszej wersji programu. Zaktualizować ją teraz?");
        EXPECT_EQ(versionOf(path), 1);
        EXPECT_TRUE(backups(dir.path()).isEmpty());
    }
    messages.clear();
    {
        Tdm data;
        messages.answer(true);
        EXPECT_TRUE(data.DataModuleCreate(dir.path()));
        EXPECT_TRUE(data.connected());
        EXPECT_TRUE(messages.texts().join("\n").contains("Kopia zapasowa sprzed aktualizacji: "))
            << messages.texts().join("\n").toStdString();
        data.closeConnection();
    }
    EXPECT_EQ(versionOf(path), currentSchemaVersion());
    EXPECT_EQ(backups(dir.path()).size(), 1);
}

TEST(CreateDb, FailingHalfWayRemovesWhatItMade) {
    QTemporaryDir dir;
    const QString path = dir.filePath("nowa.fdb");
    EXPECT_THROW(createBrevantDatabase(embedded(path), "x",
                                       "CREATE TABLE A (X INTEGER);\nCREATE TABLE B (Y NIEMA);\n"),
                 db::Error);
    EXPECT_FALSE(QFile::exists(path));
    createBrevantDatabase(path, "x"); // and the same path works again
    EXPECT_EQ(versionOf(path), currentSchemaVersion());
}

// The step that adds the change log and the first-login password change, run on a database
// of the version before it that holds data: nothing of the data changes, nobody is made to
// change a password, and changes are logged from then on.
TEST_F(Upgrade, ChangeLogStepKeepsTheDataAndLogsFromThenOn) {
    const std::vector<UpgradeStep>& steps = upgradeSteps();
    const auto krok = std::find_if(steps.begin(), steps.end(), [](const UpgradeStep& s) {
        return readText(s.script).contains("CREATE TABLE DZIENNIK");
    });
    ASSERT_NE(krok, steps.end());
    upgradeDatabase(embedded(path), std::vector<UpgradeStep>(steps.begin(), krok));
    {
        db::Attachment att(embedded(path));
        att.executeImmediate("INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) "
                             "VALUES (11, 'Alfa', 'PL', '5260250274')");
        att.executeImmediate("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, "
                             "DOZAPLATY) VALUES (12, 11, 'F', '2024-01-10', 'FV 1', 300)");
        att.executeImmediate("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, "
                             "ZAPLACONO) VALUES (13, 11, 'W', '2024-01-11', 'wpłata', 100)");
        att.executeImmediate(QStringLiteral("INSERT INTO OPERATOR (OPERID, NAZWA, HASLO) VALUES "
                                            "(2, 'Jan', '%1')")
                                 .arg(SHA1Digest(QStringLiteral("haslo-jana"))));
    }
    upgradeDatabase(embedded(path), std::vector<UpgradeStep>(steps.begin(), krok + 1));
    EXPECT_EQ(versionOf(path), krok->toVersion);
    EXPECT_EQ(countIn(path, "FROM TRANS"), 2);
    EXPECT_EQ(countIn(path, "FROM DZIENNIK"), 0);
    EXPECT_EQ(countIn(path, "FROM OPERATOR WHERE ZMIEN_HASLO IS NULL AND PLIK_HASLA IS NULL"), 2);
    EXPECT_EQ(scalarIn(path, "SELECT HASLO FROM OPERATOR WHERE OPERID = 2").toString(),
              SHA1Digest(QStringLiteral("haslo-jana")));

    // From now on every change is logged, with the values it had.
    {
        db::Attachment att(embedded(path));
        att.executeImmediate("UPDATE TRANS SET DOZAPLATY = 250 WHERE WPISID = 12");
        att.executeImmediate("DELETE FROM KLIENT WHERE KLIENTID = 11");
    }
    EXPECT_EQ(countIn(path, "FROM DZIENNIK"), 4); // the correction, the contractor, its rows
    EXPECT_EQ(scalarIn(path, "SELECT DOZAPLATY_PRZED FROM DZIENNIK WHERE OBIEKT = 'Transakcja' "
                             "AND OBIEKT_ID = 12 AND DOZAPLATY_PO IS NOT NULL")
                  .toString(),
              "300");
    EXPECT_EQ(countIn(path, "FROM DZIENNIK WHERE KLIENT_PRZED = 'Alfa'"), 4);

    // The steps after it, if any, run on it as on any other database.
    upgradeDatabase(embedded(path));
    EXPECT_EQ(versionOf(path), currentSchemaVersion());
}

namespace {
// The step that adds the collection tables, found by the data it writes.
std::vector<UpgradeStep>::const_iterator krokWindykacji() {
    const auto& kroki = upgradeSteps();
    return std::find_if(kroki.begin(), kroki.end(), [](const UpgradeStep& k) {
        return k.dataScript == QStringLiteral(":/brevant/odsetki.sql");
    });
}

// A database at the version just before that step, with contractors and ledger rows
// written the way the program wrote them then.
void bazaPrzedWindykacja(const QString& path) {
    const std::vector<UpgradeStep> przed(upgradeSteps().begin(), krokWindykacji());
    upgradeDatabase(embedded(path), przed);
    db::Attachment att(embedded(path));
    att.executeImmediate("INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) VALUES "
                         "(11, 'Hurtownia Stara', 'PL', '5260250274')");
    att.executeImmediate("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (12, 'Jan Kowalski')");
    att.executeImmediate("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, "
                         "DOZAPLATY) VALUES (13, 11, 'F', '2024-03-01', 'FV/1', 100.00)");
}
} // namespace

TEST_F(Upgrade, CollectionStepMarksOldContractorsAsBusinessesAndShipsTheRates) {
    ASSERT_NE(krokWindykacji(), upgradeSteps().end());
    bazaPrzedWindykacja(path);
    const int przed = versionOf(path);
    EXPECT_EQ(przed, krokWindykacji()->toVersion - 1);
    upgradeDatabase(embedded(path));
    EXPECT_EQ(versionOf(path), currentSchemaVersion());
    EXPECT_EQ(countIn(path, "FROM KLIENT WHERE KONSUMENT = 'N' AND ZOZ_PUBLICZNY = 'N'"), 2);
    EXPECT_EQ(countIn(path, "FROM TRANS"), 1);
    EXPECT_EQ(countIn(path, "FROM STAWKA_ODSETEK WHERE RODZAJ = 'H'"), 22);
    EXPECT_EQ(countIn(path, "FROM STAWKA_ODSETEK WHERE RODZAJ = 'C'"), 24);
    EXPECT_EQ(countIn(path, "FROM FIRMA"), 0);
    EXPECT_EQ(countIn(path, "FROM KURS_EUR"), 0);
    // The upgraded database holds what a new one does.
    const QString nowa = dir.filePath(QStringLiteral("nowa.fdb"));
    createBrevantDatabase(nowa, "x");
    const QString stawki = QStringLiteral(
        "SELECT LIST(RODZAJ || OD || STAWKA || COALESCE(CAST(STAWKA_ZOZ AS VARCHAR(10)), '-') || "
        "DO_SPRAWDZENIA, ',') "
        "FROM (SELECT * FROM STAWKA_ODSETEK ORDER BY RODZAJ, OD)");
    EXPECT_EQ(scalarIn(path, stawki), scalarIn(nowa, stawki));
    // And keeps its rules: a consumer is no healthcare provider.
    db::Attachment att(embedded(path));
    EXPECT_THROW(att.executeImmediate(
                     "UPDATE KLIENT SET KONSUMENT = 'T', ZOZ_PUBLICZNY = 'T' WHERE KLIENTID = 12"),
                 db::Error);
}

TEST_F(Upgrade, CollectionStepWhoseDataFailedIsFinishedByTheNextRun) {
    bazaPrzedWindykacja(path);
    const int przed = versionOf(path);
    UpgradeStep zepsuty = *krokWindykacji();
    zepsuty.dataScript = dir.filePath(QStringLiteral("dane.sql"));
    writeFile(zepsuty.dataScript,
              "INSERT INTO STAWKA_ODSETEK (RODZAJ, OD, STAWKA) VALUES ('H', '2016-01-01', 9.5);\n"
              "INSERT INTO NIEMA (A) VALUES (1);\n");
    std::vector<UpgradeStep> kroki(upgradeSteps().begin(), krokWindykacji());
    kroki.push_back(zepsuty);
    EXPECT_THROW(upgradeDatabase(embedded(path), kroki), db::Error);
    // The definitions stand, the version and the data do not.
    EXPECT_EQ(versionOf(path), przed);
    EXPECT_EQ(countIn(path, "FROM STAWKA_ODSETEK"), 0);
    // The next run writes the data without defining anything twice.
    upgradeDatabase(embedded(path));
    EXPECT_EQ(versionOf(path), currentSchemaVersion());
    EXPECT_EQ(countIn(path, "FROM STAWKA_ODSETEK"), 46);
}

TEST_F(Upgrade, ACopyAlreadyTakingTheNameIsKeptAndTheNewCopyGetsItsOwn) {
    // Copies named for this second and the next few, as a run just before would leave them.
    QStringList zajete;
    const QDateTime teraz = QDateTime::currentDateTime();
    for (int s = 0; s < 6; ++s) {
        const QString p = path.left(path.size() - 4) +
                          QStringLiteral("-kopia-wersja1-%1.fdb")
                              .arg(teraz.addSecs(s).toString(QStringLiteral("yyyyMMdd-HHmmss")));
        writeFile(p, QStringLiteral("wcześniejsza kopia"));
        zajete << p;
    }
    const UpgradeResult r = upgradeDatabase(embedded(path));
    EXPECT_TRUE(r.backup.endsWith(QStringLiteral("-2.fdb"))) << r.backup.toStdString();
    EXPECT_EQ(versionOf(r.backup), 1);
    for (const QString& p : zajete)
        EXPECT_EQ(readText(p), QStringLiteral("wcześniejsza kopia"));
}

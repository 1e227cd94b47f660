// Several workstations on one database served by a local Firebird server: booking runs of
// the same file at the same moment book once, runs of different files both book, and the
// tools create and reach databases with the configured credentials.
#include "Attachment.h"
#include "DaneFirmy.h"
#include "Dziennik.h"
#include "Error.h"
#include "Globals.h"
#include "Kontrahenci.h"
#include "NotyOdsetkowe.h"
#include "Operatorzy.h"
#include "Przeksiegowanie.h"
#include "Rozrachunki.h"
#include "SHA1.h"
#include "SerwerTest.h"
#include "Statement.h"
#include "StatementBuilder.h"
#include "TestPrinters.h"
#include "Transaction.h"
#include "fdm.h"
#include "komun.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTcpSocket>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <gtest/gtest.h>

#include <future>
#include <memory>

using namespace serwer;

TEST_F(Server, CreateDbOnLocalhostMakesAServedDatabaseOfTheCurrentVersion) {
    EXPECT_TRUE(QFile::exists(folder.local("wspolna.fdb")));
    EXPECT_EQ(count(*att, "FROM OPERATOR WHERE NAZWA = 'Administrator'"), 1);
    EXPECT_EQ(count(*att, "FROM BLOKADA_KSIEGOWANIA"), 1);
    // The same name again is refused by the server and the database stays.
    const Result again = runCli({"create-db", db, "--admin-password", "y"});
    EXPECT_NE(again.status, 0);
    EXPECT_EQ(count(*att, "FROM OPERATOR"), 1);
}

TEST_F(Server, OneStatementBookedFromTwoWorkstationsAtOnceIsBookedOnce) {
    constexpr int credits = 3000;
    const QString file = folder.local("wyciag.sta");
    writeFile(file, bigStatement(credits, "C230228PLN5000,00", 0));
    Cli a({"book-statement", file, "--db", db});
    Cli b({"book-statement", file, "--db", db});
    const Result ra = a.finish();
    const Result rb = b.finish();
    const std::vector<int> statuses{ra.status, rb.status};
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 0), 1)
        << ra.err.toStdString() << rb.err.toStdString();
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 2), 1);
    EXPECT_TRUE((ra.status == 2 ? ra.err : rb.err)
                    .contains("Dane z tego wyciągu bankowego zostały już wczytane."));
    EXPECT_EQ(count(*att, "FROM WYCIAG"), 1);
    EXPECT_EQ(count(*att, "FROM TRANS"), credits);
    EXPECT_EQ(count(*att, "FROM KLIENT"), credits);
    EXPECT_EQ(count(*att, "FROM (SELECT NR_KONTO FROM KONTO GROUP BY NR_KONTO "
                          "HAVING COUNT(*) > 1)"),
              0);
    expectBalancesMatchLedger();
}

TEST_F(Server, OneInvoiceFileBookedFromTwoWorkstationsAtOnceIsBookedOnce) {
    constexpr int invoices = 1500;
    const QString file = folder.local("faktury.xml");
    writeFile(file, invoiceFile(invoices));
    Cli a({"book-invoices", file, "--db", db, "--unknown", "add"});
    Cli b({"book-invoices", file, "--db", db, "--unknown", "add"});
    const Result ra = a.finish();
    const Result rb = b.finish();
    ASSERT_EQ(ra.status, 0) << ra.err.toStdString();
    ASSERT_EQ(rb.status, 0) << rb.err.toStdString();
    // One run booked everything, the other found every invoice booked before.
    const int duplicatesA = static_cast<int>(ra.out.count("[Zaksięgowano wcześniej]"));
    const int duplicatesB = static_cast<int>(rb.out.count("[Zaksięgowano wcześniej]"));
    EXPECT_EQ(std::min(duplicatesA, duplicatesB), 0);
    EXPECT_EQ(std::max(duplicatesA, duplicatesB), invoices);
    EXPECT_EQ(count(*att, "FROM TRANS WHERE ZRODLO = 'F'"), invoices);
    EXPECT_EQ(count(*att, "FROM KLIENT"), invoices);
    expectBalancesMatchLedger();
}

TEST_F(Server, TwoDifferentStatementsAtOnceBothBook) {
    constexpr int credits = 1500;
    const QString first = folder.local("pierwszy.sta");
    const QString second = folder.local("drugi.sta");
    writeFile(first, bigStatement(credits, "C230228PLN5000,00", 0));
    writeFile(second, bigStatement(credits, "C230301PLN5000,00", 100000));
    Cli a({"book-statement", first, "--db", db});
    Cli b({"book-statement", second, "--db", db});
    const Result ra = a.finish();
    const Result rb = b.finish();
    EXPECT_EQ(ra.status, 0) << ra.err.toStdString();
    EXPECT_EQ(rb.status, 0) << rb.err.toStdString();
    EXPECT_EQ(count(*att, "FROM WYCIAG"), 2);
    EXPECT_EQ(count(*att, "FROM TRANS"), 2 * credits);
    EXPECT_EQ(count(*att, "FROM KLIENT"), 2 * credits);
    // Identifiers are unique across all tables.
    EXPECT_EQ(count(*att, "FROM (SELECT ID FROM (SELECT WPISID ID FROM TRANS UNION ALL "
                          "SELECT KLIENTID FROM KLIENT UNION ALL SELECT WPISID FROM KONTO "
                          "UNION ALL SELECT WPISID FROM WYCIAG UNION ALL SELECT OPERID FROM "
                          "OPERATOR) GROUP BY ID HAVING COUNT(*) > 1)"),
              0);
    expectBalancesMatchLedger();
}

TEST_F(Server, SigtermPartWayThroughABookingLeavesNothingAndTheFileBooksAgain) {
    constexpr int credits = 12000;
    const QString file = folder.local("duzy.sta");
    writeFile(file, bigStatement(credits, "C230228PLN5000,00", 0));
    Cli run({"book-statement", file, "--db", db});
    // Part-way: the run's transaction has written rows that nobody else sees yet.
    const QString written =
        QStringLiteral("SELECT COALESCE(SUM(R.MON$RECORD_INSERTS), 0) FROM MON$TRANSACTIONS T "
                       "JOIN MON$RECORD_STATS R ON R.MON$STAT_ID = T.MON$STAT_ID "
                       "WHERE T.MON$ATTACHMENT_ID <> CURRENT_CONNECTION");
    bool partWay = false;
    for (int i = 0; i < 600 && !partWay; ++i) {
        partWay = scalar(*att, written).toLongLong() > 1000;
        if (!partWay)
            QThread::msleep(50);
    }
    ASSERT_TRUE(partWay) << "the run never started writing";
    run.process().terminate(); // SIGTERM
    ASSERT_TRUE(run.process().waitForFinished(3000)) << "still running 3 s after SIGTERM";
    const Result r = run.finish();
    EXPECT_NE(r.status, 0);
    EXPECT_TRUE(r.err.contains("Przerwano")) << r.err.toStdString();
    EXPECT_EQ(count(*att, "FROM TRANS"), 0);
    EXPECT_EQ(count(*att, "FROM KLIENT"), 0);
    EXPECT_EQ(count(*att, "FROM WYCIAG"), 0);

    const Result again = runCli({"book-statement", file, "--db", db});
    EXPECT_EQ(again.status, 0) << again.err.toStdString();
    EXPECT_EQ(count(*att, "FROM TRANS"), credits);
    EXPECT_EQ(count(*att, "FROM WYCIAG"), 1);
}

TEST_F(Server, CredentialsComeFromOptionsEnvironmentAndTheIni) {
    const QString file = folder.local("wyciag.sta");
    writeFile(file, bigStatement(2, "C230228PLN5000,00", 0));
    // A wrong password from the environment is used, and refused by the server...
    Result r = runCli({"book-statement", file, "--db", db}, {"ISC_PASSWORD=zle-haslo"});
    EXPECT_EQ(r.status, 1);
    EXPECT_TRUE(r.err.contains("user name and password")) << r.err.toStdString();
    // ... and the option wins over it.
    r = runCli({"book-statement", file, "--db", db, "--user", "SYSDBA", "--password", "tubaplank"},
               {"ISC_PASSWORD=zle-haslo"});
    EXPECT_EQ(r.status, 0) << r.err.toStdString();

    // The program reads "Uzytkownik" and "Haslo" of its configuration.
    QTemporaryDir ini;
    komun::Recorder messages;
    writeFile(ini.filePath("Brevant.ini"),
              "[Baza]\nPlik=" + db + "\nUzytkownik=SYSDBA\nHaslo=zle-haslo\n");
    {
        Tdm data;
        EXPECT_FALSE(data.DataModuleCreate(ini.path()));
    }
    writeFile(ini.filePath("Brevant.ini"),
              "[Baza]\nPlik=" + db + "\nUzytkownik=SYSDBA\nHaslo=tubaplank\n");
    {
        Tdm data;
        EXPECT_TRUE(data.DataModuleCreate(ini.path())) << messages.texts().join("|").toStdString();
        EXPECT_EQ(Globals::DatabaseUser, "SYSDBA");
        data.closeConnection();
    }
    Globals::DatabaseUser = QStringLiteral("sysdba");
    Globals::DatabasePassword = QStringLiteral("tubaplank");
}

namespace {
// A workstation: the program's data module on the served database, its operator logged in.
struct Stanowisko {
    Stanowisko(const QString& db, const QString& operatorNazwa) {
        data.connect(server(db));
        dziennik::UstawOperatora(data.conn, operatorNazwa);
        data.OtworzKlient();
    }
    ~Stanowisko() { data.closeConnection(); }
    Tdm data;
};
} // namespace

// Deleting a contractor asks first and writes afterwards: a payment another workstation
// moved onto it in between stops the delete, and each workstation's change is logged under
// its own operator, in the transaction that made it.
TEST_F(Server, ContractorDeleteRechecksAfterTheQuestionAndEachChangeIsLoggedByItsOperator) {
    att->executeImmediate("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (101, 'Alfa')");
    att->executeImmediate("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (102, 'Beta')");
    att->executeImmediate("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY) "
                          "VALUES (201, 101, 'F', '2024-01-10', 300)");
    att->executeImmediate("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO) "
                          "VALUES (202, 102, 'W', '2024-01-11', 120)");
    Stanowisko a(db, QStringLiteral("Anna"));
    Stanowisko b(db, QStringLiteral("Bogdan"));

    // A asks about Alfa; meanwhile B moves Beta's payment onto Alfa.
    ASSERT_TRUE(a.data.Klient.locate(QStringLiteral("KLIENTID"), 101));
    const auto widziany = kontrahenci::CzytajStanKlienta(a.data, 101);
    ASSERT_TRUE(widziany);
    EXPECT_EQ(widziany->wierszy, 1);
    Przeksieguj(b.data.conn, 202, 101);
    const kontrahenci::WynikUsuniecia odmowa = kontrahenci::UsunKlienta(a.data, *widziany);
    EXPECT_FALSE(odmowa.blad);
    EXPECT_TRUE(odmowa.komunikat.contains("zmieniły się")) << odmowa.komunikat.toStdString();
    EXPECT_EQ(count(*att, "FROM KLIENT WHERE KLIENTID = 101"), 1);
    EXPECT_EQ(count(*att, "FROM TRANS WHERE KLIENTID = 101"), 2);

    // Asked again with what is there now, it goes with both rows.
    ASSERT_TRUE(a.data.Klient.locate(QStringLiteral("KLIENTID"), 101));
    const auto teraz = kontrahenci::CzytajStanKlienta(a.data, 101);
    EXPECT_EQ(kontrahenci::UsunKlienta(a.data, *teraz).komunikat, QString());
    EXPECT_EQ(count(*att, "FROM TRANS"), 0);
    expectBalancesMatchLedger();

    EXPECT_EQ(count(*att, "FROM DZIENNIK WHERE OPERATOR = 'Bogdan' AND RODZAJ = "
                          "'Przeksięgowanie' AND OBIEKT_ID = 202 AND KLIENT_PRZED = 'Beta' AND "
                          "KLIENT_PO = 'Alfa' AND ZAPLACONO_PRZED = 120"),
              1);
    EXPECT_EQ(count(*att, "FROM DZIENNIK WHERE OPERATOR = 'Anna' AND RODZAJ = "
                          "'Usunięcie kontrahenta'"),
              3); // the contractor and its two rows
    EXPECT_EQ(count(*att, "FROM DZIENNIK"), 4);
}

// Two workstations change one operator's password at once: the second, proving itself with
// the password both read, is refused instead of overwriting the first.
TEST_F(Server, PasswordChangedOnTwoWorkstationsAtOnceIsChangedOnce) {
    Stanowisko a(db, QStringLiteral("Administrator"));
    Stanowisko b(db, QStringLiteral("Administrator"));
    ASSERT_TRUE(a.data.OtworzOperator());
    ASSERT_TRUE(b.data.OtworzOperator());
    const operatorzy::Wynik wa =
        operatorzy::ZmienHaslo(a.data, "Administrator", "x", "haslo-anny", "haslo-anny");
    EXPECT_EQ(wa.uwaga, QString());
    const operatorzy::Wynik wb =
        operatorzy::ZmienHaslo(b.data, "Administrator", "x", "haslo-bogdana", "haslo-bogdana");
    EXPECT_TRUE(wb.uwaga.startsWith("Hasło zmieniono w międzyczasie")) << wb.uwaga.toStdString();
    EXPECT_EQ(scalar(*att, "SELECT HASLO FROM OPERATOR WHERE OPERID = 1"),
              SHA1Digest(QStringLiteral("haslo-anny")));
    operatorzy::ZakonczOdczyt(a.data);
    operatorzy::ZakonczOdczyt(b.data);
}

TEST_F(Server, TheSameRateAddedFromTwoWorkstationsAtOnceIsAddedOnce) {
    for (int proba = 0; proba < 3; ++proba) {
        const QString od = QStringLiteral("2027-0%1-05").arg(proba + 1);
        Cli a({"rates", "add", "civil", od, "9.25", "--db", db});
        Cli b({"rates", "add", "civil", od, "9.50", "--db", db});
        const Result ra = a.finish();
        const Result rb = b.finish();
        const std::vector<int> statuses{ra.status, rb.status};
        EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 0), 1)
            << ra.err.toStdString() << rb.err.toStdString();
        EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 2), 1);
        EXPECT_TRUE((ra.status == 2 ? ra.err : rb.err).contains("jest już w tabeli"));
        EXPECT_EQ(count(*att, "FROM STAWKA_ODSETEK WHERE RODZAJ = 'C' AND OD = '" + od + "'"), 1);
    }
}

TEST_F(Server, CompanyDetailsSavedFromTwoWorkstationsKeepTheFirstAndSayItToTheSecond) {
    db::Attachment druga(server(db));
    firma::DaneFirmy a = firma::czytajDaneFirmy(*att);
    firma::DaneFirmy b = firma::czytajDaneFirmy(druga);
    a.nazwa = QStringLiteral("Firma z pierwszego stanowiska");
    b.nazwa = QStringLiteral("Firma z drugiego stanowiska");
    EXPECT_EQ(firma::zapiszDaneFirmy(*att, a).uwaga, QString());
    EXPECT_TRUE(firma::zapiszDaneFirmy(druga, b).uwaga.contains("inny użytkownik"));
    // Read again, the second workstation's change goes through over the first one's.
    b = firma::czytajDaneFirmy(druga);
    EXPECT_EQ(b.nazwa, a.nazwa);
    b.nazwa = QStringLiteral("Firma po poprawce");
    EXPECT_EQ(firma::zapiszDaneFirmy(druga, b).uwaga, QString());
    EXPECT_EQ(firma::czytajDaneFirmy(*att).nazwa, "Firma po poprawce");
}

namespace {
// One contractor's invoice of 100,00 (row 10) and two payments of 80,00 (rows 20 and 21).
void fakturaIDwieWplaty(db::Attachment& att) {
    for (const char* sql : {
             "INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (1, 'Alfa')",
             "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY, OPIS_TR) "
             "VALUES (10, 1, 'U', '2024-03-01', 100, 'FV/1')",
             "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) "
             "VALUES (20, 1, 'U', '2024-03-02', 80, 'a')",
             "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) "
             "VALUES (21, 1, 'U', '2024-03-02', 80, 'b')",
         })
        att.executeImmediate(QString::fromUtf8(sql));
}
} // namespace

TEST_F(Server, TwoWorkstationsLinkingOneInvoiceAtOnceNeverAllocateMoreThanIt) {
    fakturaIDwieWplaty(*att);
    // Without any lock of the program's: the database itself refuses the second link once
    // the first commits.
    db::Attachment a(server(db)), b(server(db));
    db::Transaction ta(a);
    ta.start();
    db::Statement(ta, QStringLiteral("INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) "
                                     "VALUES (10, 20, 80)"))
        .execute();
    auto druga = std::async(std::launch::async, [&] {
        db::Transaction tb(b);
        tb.start();
        db::Statement(tb, QStringLiteral("INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, "
                                         "KWOTA) VALUES (10, 21, 80)"))
            .execute();
        tb.commit();
    });
    QThread::msleep(300);
    ta.commit();
    EXPECT_THROW(druga.get(), db::Error);
    EXPECT_EQ(scalar(*att, "SELECT ROZLICZONO FROM TRANS WHERE WPISID = 10"), "80");
    EXPECT_EQ(count(*att, "FROM ROZRACHUNEK"), 1);

    // Two users linking by hand at the same moment: one link is made, the other refused.
    att->executeImmediate("DELETE FROM ROZRACHUNEK");
    auto pierwszy = std::async(std::launch::async, [&] {
        return rozrachunki::PolaczRecznie(a, 10, 20, Money::fromWhole(60));
    });
    auto drugi = std::async(std::launch::async, [&] {
        return rozrachunki::PolaczRecznie(b, 10, 21, Money::fromWhole(60));
    });
    const QStringList wyniki{pierwszy.get(), drugi.get()};
    EXPECT_EQ(wyniki.count(QString()), 1) << wyniki.join(" | ").toStdString();
    EXPECT_TRUE(wyniki.join(QString()).contains("większa"));
    EXPECT_EQ(scalar(*att, "SELECT ROZLICZONO FROM TRANS WHERE WPISID = 10"), "60");
    expectBalancesMatchLedger();
}

TEST_F(Server, TwoStatementsPayingOneInvoiceAtOnceSplitItAndKeepTheRest) {
    const QString faktury = folder.local("faktura.xml");
    writeFile(faktury, invoiceFile(1)); // FV/0/03/2023, 100.50, to a new buyer
    ASSERT_EQ(runCli({"book-invoices", faktury, "--db", db, "--unknown", "add"}).status, 0);
    const QString konto = QStringLiteral("61109010140000071219812874");
    const QString pierwszy = folder.local("a.sta");
    const QString drugi = folder.local("b.sta");
    writeFile(pierwszy,
              ingStatement({{'C', "80,00", konto, "Nabywca", "FV/0/03/2023"}}, "C230301PLN1,00"));
    writeFile(drugi,
              ingStatement({{'C', "80,00", konto, "Nabywca", "FV 0/03/2023"}}, "C230302PLN1,00"));
    Cli a({"book-statement", pierwszy, "--db", db});
    Cli b({"book-statement", drugi, "--db", db});
    const Result ra = a.finish();
    const Result rb = b.finish();
    ASSERT_EQ(ra.status, 0) << ra.err.toStdString();
    ASSERT_EQ(rb.status, 0) << rb.err.toStdString();
    // One payer: the first run learnt the account from the invoice number.
    EXPECT_EQ(count(*att, "FROM KLIENT"), 1);
    EXPECT_EQ(count(*att, "FROM KONTO"), 1);
    EXPECT_EQ(scalar(*att, "SELECT OTWARTE FROM TRANS WHERE ZRODLO = 'F'"), "0");
    EXPECT_EQ(scalar(*att, "SELECT SUM(OTWARTE) FROM TRANS WHERE ZRODLO = 'W'"), "-59.5");
    expectBalancesMatchLedger();
}

TEST_F(Server, NotesSavedFromTwoWorkstationsAtOnceTakeDifferentNumbersAndOneNoteIsSavedOnce) {
    firma::DaneFirmy f;
    f.nazwa = QStringLiteral("Wierzyciel");
    f.adres = QStringLiteral("ul. Długa 1");
    f.konto = QStringLiteral("61109010140000071219812874");
    ASSERT_EQ(firma::zapiszDaneFirmy(*att, f).uwaga, QString());
    // Two debtors, each with an invoice due on 15 March 2024 and unpaid.
    for (int k : {1, 2}) {
        att->executeImmediate(
            QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (%1, 'Dłużnik %1')")
                .arg(k));
        att->executeImmediate(
            QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                           "TERMIN, NR_FAKTURY, DOZAPLATY) VALUES (%1, %2, 'U', "
                           "'2024-03-01', '2024-03-15', 'FV/%2', 1000)")
                .arg(100 + k)
                .arg(k));
    }
    db::Attachment a(server(db)), b(server(db));
    auto zapisz = [](db::Attachment& att, int klientId, const QDate& doDnia) {
        dokumenty::ParametryNoty p;
        p.doDnia = doDnia;
        p.dataWystawienia = QDate(2024, 12, 31);
        const auto n = noty::przygotuj(att, klientId, p);
        if (!std::holds_alternative<dokumenty::NotaOdsetkowa>(n)) {
            noty::WynikZapisu odmowa;
            odmowa.uwaga = std::get<QString>(n);
            return odmowa;
        }
        return noty::zapisz(att, klientId, p, std::get<dokumenty::NotaOdsetkowa>(n), true);
    };
    QStringList numery;
    for (int miesiac = 4; miesiac <= 6; ++miesiac) {
        const QDate doDnia(2024, miesiac, 1);
        auto pierwsza = std::async(std::launch::async, [&] { return zapisz(a, 1, doDnia); });
        auto druga = std::async(std::launch::async, [&] { return zapisz(b, 2, doDnia); });
        for (const noty::WynikZapisu& w : {pierwsza.get(), druga.get()}) {
            ASSERT_EQ(w.uwaga, QString());
            numery << w.nota->numer;
        }
    }
    numery.sort();
    EXPECT_EQ(numery.join(u' '), "NO/1/2024 NO/2/2024 NO/3/2024 NO/4/2024 NO/5/2024 NO/6/2024");
    EXPECT_EQ(count(*att, "FROM TRANS WHERE NR_FAKTURY STARTING 'NO/'"), 6);

    // Both workstations issue the same note of one debtor: one is saved, the other is told.
    for (int miesiac = 7; miesiac <= 9; ++miesiac) {
        const QDate doDnia(2024, miesiac, 1);
        auto pierwsza = std::async(std::launch::async, [&] { return zapisz(a, 1, doDnia); });
        auto druga = std::async(std::launch::async, [&] { return zapisz(b, 1, doDnia); });
        const noty::WynikZapisu x = pierwsza.get();
        const noty::WynikZapisu y = druga.get();
        EXPECT_EQ((x.id != 0) + (y.id != 0), 1) << x.uwaga.toStdString() << y.uwaga.toStdString();
        EXPECT_FALSE((x.id != 0 ? y : x).uwaga.isEmpty());
    }
    EXPECT_EQ(count(*att, "FROM NOTA_ODSETKOWA WHERE KLIENTID = 1"), 6);
    // No day of the debtor's delay was charged twice: the notes cover 16 March to 1 September
    // once, and together charge what one note for that time would.
    EXPECT_EQ(scalar(*att, "SELECT SUM(P.DNI) FROM NOTA_POZYCJA P JOIN NOTA_ODSETKOWA N "
                           "ON N.ID = P.NOTA_ID WHERE N.KLIENTID = 1"),
              QString::number(QDate(2024, 3, 15).daysTo(QDate(2024, 9, 1))));
    expectBalancesMatchLedger();
}

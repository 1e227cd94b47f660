#include "Dziennik.h"
#include "Error.h"
#include "Statement.h"
#include "TestDatabase.h"
#include "Transaction.h"

#include <gtest/gtest.h>

namespace {
Money zl(const char* t) {
    return *Money::parse(QString::fromLatin1(t));
}
} // namespace

class DziennikTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addKlient(1, QStringLiteral("Alfa"), QStringLiteral("PL"), QStringLiteral("5260250274"));
        addKlient(2, QStringLiteral("Beta"));
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, DOZAPLATY) VALUES "
             "(10, 1, 'F', '2024-01-10', 'FV 1/2024', 300)");
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO, "
             "NAZWA_KL) VALUES (11, 1, 'W', '2024-01-11', 'przelew', 120, 'ALFA')");
        addKonto(20, 1, QStringLiteral("PL"), QStringLiteral("61109010140000071219812874"));
        dziennik::UstawOperatora(data->conn, QStringLiteral("Zofia"));
    }
    std::vector<dziennik::WpisDziennika> wpisy() {
        return dziennik::CzytajDziennik(data->conn, std::nullopt);
    }
    // Runs statements in one transaction, with the kind of operation given (or none).
    void wTransakcji(std::initializer_list<const char*> sql, const QString& rodzaj = {},
                     bool zatwierdz = true) {
        db::Transaction tr(data->conn);
        tr.start();
        if (!rodzaj.isEmpty())
            dziennik::UstawRodzaj(tr, rodzaj);
        for (const char* s : sql) {
            db::Statement st(tr, QString::fromUtf8(s));
            st.execute();
        }
        if (zatwierdz)
            tr.commit();
        else
            tr.rollback();
    }
};

// Booking runs add rows: the log holds only what was changed afterwards.
TEST_F(DziennikTest, InsertsAreNotLogged) {
    EXPECT_TRUE(wpisy().empty());
}

// Every correction, deletion and move of a ledger row is one entry, with who, what and the
// values before and after; the kind is named by what changed unless the program says it.
TEST_F(DziennikTest, LedgerChangesWithTheirValuesBeforeAndAfter) {
    wTransakcji({"UPDATE TRANS SET DOZAPLATY = 250, OPIS_TR = 'FV 1/2024 kor.' WHERE WPISID = 10"});
    wTransakcji({"UPDATE TRANS SET KLIENTID = 2 WHERE WPISID = 11"});
    wTransakcji({"UPDATE TRANS SET NR_WYCIAGU = '7' WHERE WPISID = 11"}); // nothing the log keeps
    wTransakcji({"DELETE FROM TRANS WHERE WPISID = 10"});
    const auto w = wpisy();
    ASSERT_EQ(w.size(), 3u);

    EXPECT_EQ(w[0].operatorNazwa, QStringLiteral("Zofia"));
    EXPECT_EQ(w[0].dzien, Date(QDate::currentDate()));
    EXPECT_EQ(w[0].rodzaj, QStringLiteral("Korekta"));
    EXPECT_EQ(w[0].obiekt, QStringLiteral("Transakcja"));
    EXPECT_EQ(w[0].obiektId, 10);
    EXPECT_EQ(w[0].przed.doZaplaty, zl("300"));
    ASSERT_TRUE(w[0].po);
    EXPECT_EQ(w[0].po->doZaplaty, zl("250"));
    EXPECT_EQ(dziennik::OpisObiektu(w[0]), QStringLiteral("Transakcja 10 (z faktury)"));
    EXPECT_EQ(dziennik::OpisKontrahenta(w[0]), QStringLiteral("Alfa [1]"));
    EXPECT_EQ(dziennik::OpisZmiany(w[0]),
              QStringLiteral("data 10.01.2024; należność 300,00 → 250,00; opis „FV 1/2024” → "
                             "„FV 1/2024 kor.”"));

    EXPECT_EQ(w[1].rodzaj, QStringLiteral("Przeksięgowanie"));
    EXPECT_EQ(dziennik::OpisKontrahenta(w[1]), QStringLiteral("Alfa [1] → Beta [2]"));
    EXPECT_EQ(dziennik::OpisZmiany(w[1]),
              QStringLiteral("data 11.01.2024; wpłata 120,00; opis „przelew”"));

    EXPECT_EQ(w[2].rodzaj, QStringLiteral("Usunięcie"));
    EXPECT_FALSE(w[2].po);
    EXPECT_EQ(dziennik::OpisZmiany(w[2]),
              QStringLiteral("data 10.01.2024; należność 250,00; opis „FV 1/2024 kor.”"));
}

// The entry belongs to the change: a change rolled back leaves none.
TEST_F(DziennikTest, AChangeRolledBackLeavesNoEntry) {
    wTransakcji({"DELETE FROM TRANS WHERE WPISID = 10"}, {}, false);
    EXPECT_TRUE(wpisy().empty());
    EXPECT_EQ(count("FROM TRANS"), 2);
}

// A contractor deleted with everything it had: its balance and row count, then each ledger
// row and account with the contractor's name, all under the operation the program named.
TEST_F(DziennikTest, AContractorsDeletionLogsItsBalanceAndEveryRowItTakes) {
    wTransakcji({"DELETE FROM KLIENT WHERE KLIENTID = 1"}, dziennik::UsuniecieKontrahenta);
    const auto w = wpisy();
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[0].obiekt, QStringLiteral("Kontrahent"));
    EXPECT_EQ(w[0].przed.klient, QStringLiteral("Alfa"));
    EXPECT_EQ(dziennik::OpisZmiany(w[0]),
              QStringLiteral("NIP PL 5260250274; zapisów w rozliczeniach: 2; saldo do zapłaty "
                             "180,00"));
    QStringList obiekty;
    for (const auto& e : w) {
        EXPECT_EQ(e.rodzaj, dziennik::UsuniecieKontrahenta);
        EXPECT_EQ(e.przed.klient, QStringLiteral("Alfa")) << e.obiekt.toStdString();
        obiekty << e.obiekt + u' ' + QString::number(e.obiektId);
    }
    obiekty.sort();
    EXPECT_EQ(obiekty,
              (QStringList{"Kontrahent 1", "Rachunek 20", "Transakcja 10", "Transakcja 11"}));
}

TEST_F(DziennikTest, ContractorAndAccountCorrections) {
    wTransakcji({"UPDATE KLIENT SET NAZWA = 'Alfa S.A.', ADRES = 'Długa 1' WHERE KLIENTID = 1",
                 "UPDATE KONTO SET POMIJAJ = 'T' WHERE WPISID = 20"});
    const auto w = wpisy();
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(dziennik::OpisKontrahenta(w[0]), QStringLiteral("Alfa [1] → Alfa S.A. [1]"));
    EXPECT_EQ(dziennik::OpisZmiany(w[0]),
              QStringLiteral("NIP PL 5260250274 → NIP PL 5260250274; Długa 1"));
    EXPECT_EQ(dziennik::OpisObiektu(w[1]), QStringLiteral("Rachunek 20"));
    EXPECT_EQ(dziennik::OpisZmiany(w[1]),
              QStringLiteral("PL 61109010140000071219812874 → PL 61109010140000071219812874 "
                             "(wpłaty pomijane)"));
}

// Nobody changes the log: not the program, not a statement typed by hand.
TEST_F(DziennikTest, TheLogCannotBeChanged) {
    wTransakcji({"DELETE FROM TRANS WHERE WPISID = 10"});
    EXPECT_THROW(exec("DELETE FROM DZIENNIK"), db::Error);
    EXPECT_THROW(exec("UPDATE DZIENNIK SET OPERATOR = 'ktoś'"), db::Error);
    EXPECT_EQ(count("FROM DZIENNIK"), 1);
}

// Without the program's name for the connection, the database user is named as working
// outside the program.
TEST_F(DziennikTest, AChangeOutsideTheProgramIsMarkedSo) {
    data->closeConnection();
    data->connect(database->path(), true);
    wTransakcji({"DELETE FROM TRANS WHERE WPISID = 11"});
    const auto w = wpisy();
    ASSERT_EQ(w.size(), 1u);
    EXPECT_TRUE(w[0].operatorNazwa.endsWith(QStringLiteral("(poza programem)")))
        << w[0].operatorNazwa.toStdString();
}

// The days asked for, both ends included.
TEST_F(DziennikTest, ReadsTheDaysAskedFor) {
    wTransakcji({"DELETE FROM TRANS WHERE WPISID = 11"});
    const Date dzis(QDate::currentDate());
    const Date wczoraj(QDate::currentDate().addDays(-1));
    EXPECT_EQ(dziennik::CzytajDziennik(data->conn, dzis, dzis).size(), 1u);
    EXPECT_EQ(dziennik::CzytajDziennik(data->conn, wczoraj, wczoraj).size(), 0u);
    EXPECT_EQ(dziennik::CzytajDziennik(data->conn, Date(QDate::currentDate().addDays(1))).size(),
              0u);
}

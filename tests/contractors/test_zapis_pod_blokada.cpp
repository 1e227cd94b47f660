#include "Statement.h"
#include "TestDatabase.h"
#include "Transaction.h"
#include "ZapisPodBlokada.h"

#include <QThread>

#include <gtest/gtest.h>

#include <future>

// Another workstation holds the counter's lock and adds the same contractor and account
// meanwhile: the waiting write sees them once they commit and adds nothing.
class ZapisPodBlokadaTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        db::ConnectionParams p;
        p.database = database->path();
        p.forceEmbedded = true;
        druga.open(p);
    }
    void TearDown() override {
        druga.close();
        DbTest::TearDown();
    }
    // The other workstation: takes the lock, writes, waits a moment, commits.
    void drugaStacja(const QString& sql, const std::function<void()>& poBlokadzie) {
        db::Transaction tr(druga, db::Isolation::ReadCommittedNoRecVersion);
        tr.start();
        db::Statement lock(tr, QStringLiteral("SELECT NEXT_ID FROM GENER WITH LOCK"));
        db::Row r;
        lock.fetchOne(r);
        db::Statement(tr, QStringLiteral("UPDATE GENER SET NEXT_ID = NEXT_ID + 1")).execute();
        db::Statement(tr, sql).execute();
        poBlokadzie();
        QThread::msleep(300);
        tr.commit();
    }
    db::Attachment druga;
};

TEST_F(ZapisPodBlokadaTest, ContractorAddedMeanwhileIsNotAddedAgain) {
    std::future<int> wynik;
    drugaStacja("INSERT INTO KLIENT (KLIENTID, NR_NIP, NAZWA) VALUES (500, '7740001454', 'B')",
                [&] {
                    wynik = std::async(std::launch::async, [this] {
                        return DopiszKlientaPodBlokada(data->conn, "PL", "7740001454", "A", "");
                    });
                });
    EXPECT_EQ(wynik.get(), 0);
    EXPECT_EQ(count("FROM KLIENT WHERE NR_NIP = '7740001454'"), 1);
}

TEST_F(ZapisPodBlokadaTest, AccountAddedMeanwhileIsNotAddedAgain) {
    addKlient(1, "A", "PL", "7740001454");
    std::future<bool> wynik;
    drugaStacja("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, NR_KONTO, POMIJAJ) VALUES "
                "(501, 1, 'PL', '61109010140000071219812874', 'N')",
                [&] {
                    wynik = std::async(std::launch::async, [this] {
                        return DopiszKontoPodBlokada(data->conn, "7740001454",
                                                     "61109010140000071219812874");
                    });
                });
    EXPECT_FALSE(wynik.get());
    EXPECT_EQ(count("FROM KONTO"), 1);
    // Without a competitor the number is added, with the next identifier.
    EXPECT_TRUE(DopiszKontoPodBlokada(data->conn, "7740001454", "27114020040000300201355387"));
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 1 AND KR_KONTO = 'PL' AND POMIJAJ = 'N'"), 2);
}

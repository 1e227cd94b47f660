#include "Error.h"
#include "Statement.h"
#include "TestDatabase.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

class DbLayer : public DbTest {};

TEST_F(DbLayer, ValuesRoundTripExactly) {
    exec("CREATE TABLE T (ID INTEGER, KW NUMERIC(18,2), D DATE, S VARCHAR(20), C CHAR(5), "
         "B BLOB SUB_TYPE TEXT)");
    db::Transaction tr(data->conn);
    tr.start();
    db::Statement ins(tr, "INSERT INTO T (ID, KW, D, S, C, B) VALUES (?, ?, ?, ?, ?, ?)");
    const QString polish = QString::fromUtf8("Zażółć gęślą jaźń");
    const QString longText = QString(70000, u'ą'); // several blob segments
    ins.bindAll({1, *Money::parse("12345678901234.56"), Date(2023, 3, 10), polish, "ab", longText});
    ins.execute();
    ins.bindAll({2, *Money::parse("-0.01"), Date(), QString(""), db::Value(), db::Value()});
    ins.execute();
    tr.commit();

    tr.start();
    db::Statement sel(tr, "SELECT ID, KW, D, S, C, B FROM T ORDER BY ID");
    db::Cursor c = sel.open();
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c["KW"].toMoney(), *Money::parse("12345678901234.56"));
    EXPECT_EQ(c["D"].toDate(), Date(2023, 3, 10));
    EXPECT_EQ(c["S"].toString(), polish);
    EXPECT_EQ(c["C"].toString(), "ab"); // CHAR padding removed
    EXPECT_EQ(c["B"].toString(), longText);
    ASSERT_TRUE(c.next());
    EXPECT_EQ(c["KW"].toMoney(), Money::fromCents(-1));
    EXPECT_TRUE(c["D"].toDate().isZero());
    EXPECT_FALSE(c["S"].isNull()); // empty text is not null
    EXPECT_EQ(c["S"].toString(), "");
    EXPECT_TRUE(c["C"].isNull());
    EXPECT_FALSE(c.next());
}

TEST_F(DbLayer, ServerMessageTravelsInError) {
    db::Transaction tr(data->conn);
    tr.start();
    try {
        db::Statement s(tr, "SELECT * FROM NIE_MA_TAKIEJ");
        FAIL() << "prepared a query of a missing table";
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().contains("NIE_MA_TAKIEJ")) << e.message().toStdString();
    }
}

TEST_F(DbLayer, ActiveTransactionIsRolledBackOnDestruction) {
    {
        db::Transaction tr(data->conn);
        tr.start();
        db::Statement s(tr, "INSERT INTO OPERACJA (WPISID, OPIS) VALUES (7, 'x')");
        s.execute();
    }
    EXPECT_EQ(count("FROM OPERACJA"), 0);
}

TEST_F(DbLayer, CommitRetainingKeepsTransactionUsable) {
    db::Transaction tr(data->conn);
    tr.start();
    db::Statement s(tr, "INSERT INTO OPERACJA (WPISID, OPIS) VALUES (?, ?)");
    s.bindAll({1, "a"});
    s.execute();
    tr.commitRetaining();
    EXPECT_TRUE(tr.active());
    s.bindAll({2, "b"});
    s.execute();
    tr.rollback();
    EXPECT_EQ(count("FROM OPERACJA"), 1);
}

TEST(DbConnection, MissingFileGivesServerMessage) {
    db::ConnectionParams p;
    p.database = "/nonexistent/folder/x.fdb";
    p.forceEmbedded = true;
    try {
        db::Attachment att(p);
        FAIL();
    } catch (const db::Error& e) {
        EXPECT_TRUE(e.message().contains("/nonexistent/folder/x.fdb")) << e.message().toStdString();
    }
}

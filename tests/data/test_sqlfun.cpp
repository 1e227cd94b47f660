#include "NamedParams.h"
#include "SqlScript.h"
#include "TestPrinters.h"
#include "fSQLFun.h"

#include <gtest/gtest.h>

TEST(SqlLiterals, TextDatesAndAmounts) {
    EXPECT_EQ(sqlStr("O'Neil"), "'O''Neil'");
    EXPECT_EQ(sqlStr(""), "''");
    EXPECT_EQ(sqlDate(Date(2023, 3, 10)), "'2023-03-10'");
    EXPECT_EQ(sqlDate(Date()), "");
    EXPECT_EQ(sqlCurr(Money()), "0");
    EXPECT_EQ(sqlCurr(*Money::parse("-3.25")), "-3.25");
    EXPECT_EQ(sqlCurr(*Money::parse("150.50")), "150.5");
    EXPECT_EQ(sqlCurr(*Money::parse("12.00")), "12");
}

TEST(SqlLiterals, NamedParamsSkipQuotedText) {
    const NamedParams np =
        parseNamedParams("select * from T where A=:KlientId and B=':nie' and C=:x_1");
    EXPECT_EQ(np.sql, "select * from T where A=? and B=':nie' and C=?");
    EXPECT_EQ(np.names, QStringList({"KLIENTID", "X_1"}));
}

TEST(SqlScriptSplit, TerminatorsCommentsAndQuotes) {
    const QStringList s = splitSqlScript(
        "/* a; b */ CREATE TABLE A (X INTEGER);\n-- c;\nINSERT INTO A VALUES (';');\n"
        "SET TERM ^ ;\nCREATE TRIGGER T FOR A AS BEGIN X = 1; END^\nSET TERM ; ^\nCOMMIT;");
    ASSERT_EQ(s.size(), 4);
    EXPECT_EQ(s[1], "INSERT INTO A VALUES (';')");
    EXPECT_EQ(s[2], "CREATE TRIGGER T FOR A AS BEGIN X = 1; END");
}

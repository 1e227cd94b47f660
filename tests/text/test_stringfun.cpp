#include "StringFun.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

struct ExtractCase {
    const char* text;
    const char* d1;
    const char* d2;
    const char* expected;
};

TEST(StringFun, ExtractText) {
    const ExtractCase cases[] = {
        {":25:12345:28C:1", ":25:", ":28C:", "12345"},
        {":25:12345:28C:1", ":25:", ":", ""}, // the colon found ends ":25:" itself
        {"abc", "", "c", ""},
        {"abc", "x", "c", ""},
        {"abc", "a", "x", ""},
        {"<a><b>", "<", ">", "a"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(ExtractText(c.text, c.d1, c.d2), QString(c.expected)) << c.text << " " << c.d1;
}

TEST(StringFun, ExtractTextExStartsSearchAtPosition) {
    EXPECT_EQ(ExtractTextEx("<1><2>", "<", ">", 1), "1");
    EXPECT_EQ(ExtractTextEx("<1><2>", "<", ">", 3), "2");
    // the closing delimiter is searched from just after the start of the opening one
    EXPECT_EQ(ExtractTextEx("/A/1/A/2/", "/A/", "/", 1), "");
}

TEST(StringFun, ExtractToEnd) {
    EXPECT_EQ(ExtractToEnd("/NAME/ABC", "/NAME/"), "ABC");
    EXPECT_EQ(ExtractToEnd("/NAME/ABC", ""), "");
    EXPECT_EQ(ExtractToEnd("/NAME/ABC", "/X/"), "");
}

TEST(StringFun, CleaningAndDigits) {
    EXPECT_EQ(lsTrimUP(QString::fromUtf8(" \tżółć jan\r\n")), QString::fromUtf8("ŻÓŁĆ JAN"));
    EXPECT_EQ(UsunSpacje(" 1 2 3 "), "123");
    EXPECT_EQ(UsunCRLF("a\r\nb\nc\r"), "abc");
    EXPECT_EQ(TylkoCyfry("PL 12-34 x5"), "12345");
    EXPECT_FALSE(SaTylkoCyfry(""));
    EXPECT_TRUE(SaTylkoCyfry("0123"));
    EXPECT_FALSE(SaTylkoCyfry("01 23"));
    EXPECT_EQ(LiczbaCyfrNaPoczatku("12AB3"), 2);
    EXPECT_EQ(LiczbaCyfrNaPoczatku(""), 0);
}

TEST(StringFun, StatementAndInvoiceDates) {
    EXPECT_EQ(StrNaDate("230310"), Date(2023, 3, 10));
    EXPECT_TRUE(StrNaDate("2303101").isZero());
    EXPECT_TRUE(StrNaDate("").isZero());
    EXPECT_THROW(StrNaDate("231310"), ConversionError);
    EXPECT_THROW(StrNaDate("23A310"), ConversionError);
    EXPECT_EQ(fakt_strDataToDate("2023-03-10"), Date(2023, 3, 10));
    EXPECT_EQ(fakt_strDataToDate("2023/03/10"), Date(2023, 3, 10));
    EXPECT_TRUE(fakt_strDataToDate("2023-3-10").isZero());
    EXPECT_THROW(fakt_strDataToDate("2023-02-30"), ConversionError);
}

TEST(StringFun, StrNaCurr) {
    struct Case {
        const char* text;
        char sep;
        std::int64_t cents;
    } const cases[] = {
        {"1.234,56", ',', 123456},
        {"1234.56", '.', 123456},
        {"-15,00", ',', 1500},
        {"PLN 12,5", ',', 1250},
        {"", ',', 0},
        {"1,2,3", ',', 0},
        {"abc", ',', 0},
        {"1 000 000,01", ',', 100000001},
    };
    for (const auto& c : cases)
        EXPECT_EQ(StrNaCurr(c.text, QChar(c.sep)), Money::fromCents(c.cents)) << c.text;
}

TEST(StringFun, FormatKontoAlwaysInGroupsOfFour) {
    struct Case {
        const char* numer;
        bool zPrefiksem;
        const char* wynik;
    } const cases[] = {
        // A Polish number: 2 + 6 x 4, a letter prefix dropped unless it is asked for.
        {"PL61 1090 1014 0000 0712 1981 2874", false, "61 1090 1014 0000 0712 1981 2874"},
        {"61109010140000071219812874", false, "61 1090 1014 0000 0712 1981 2874"},
        {"PL61109010140000071219812874", true, "PL61 1090 1014 0000 0712 1981 2874"},
        // Any other length is grouped in fours from its start too, never left in one run.
        {"6110901014000007121981287", false, "6110 9010 1400 0007 1219 8128 7"},
        {"611090101400000712198128745", false, "6110 9010 1400 0007 1219 8128 745"},
        {"DE89 370400440532013000", false, "DE89 3704 0044 0532 0130 00"},
        {"12345", false, "1234 5"},
        // Text that is no account number stays as it is.
        {"", false, ""},
        {"12-34/56", false, "12-34/56"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FormatKonto(QString::fromLatin1(c.numer), c.zPrefiksem), c.wynik) << c.numer;
}

TEST(StringFun, CutsToColumnWidths) {
    const QString s141(141, u'x');
    EXPECT_EQ(KorygOpis(s141).size(), 140);
    EXPECT_EQ(KorygNazwa(s141).size(), 80);
    EXPECT_EQ(KorygAdres("krótki"), "krótki");
}

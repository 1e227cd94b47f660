#include "WeryfNum.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

TEST(WeryfNum, UsunZnakiFrm) {
    EXPECT_EQ(UsunZnakiFrm(" 12-34_5 6/"), "123456/");
}

struct CheckCase {
    const char* input;
    bool expected;
};

TEST(WeryfNum, KontoZgrubOk) {
    const CheckCase cases[] = {
        {"", true},
        {" - _", true},
        {"12345678901", false},                       // 11
        {"123456789012", true},                       // 12
        {"12345678901234567890123456789012", true},   // 32
        {"123456789012345678901234567890123", false}, // 33
        {"PL61109010140000071219812874", false},      // the prefix is never part of the input
        {"12ABCDEFGHIJKL", true},                     // letters after the check digits
        {"1A345678901234", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KontoZgrubOk(c.input), c.expected) << c.input;
}

TEST(WeryfNum, KontoOk) {
    const CheckCase cases[] = {
        {"61109010140000071219812874", true},
        {"61 1090 1014 0000 0712 1981 2874", true},
        {"61-1090-1014-0000-0712-1981-2874", true},
        {"61109010140000071219812875", false}, // last digit changed
        {"16109010140000071219812874", false}, // check digits swapped
        {"PL61109010140000071219812874", false},
        {"6110901014000007121981287", false},   // 25 digits
        {"611090101400000712198128741", false}, // 27 digits
        {"6110901014000007121981287A", false},
        {"27114020040000300201355387", true},
        {"79105010120000000012345678", true},
        {"", true},
        {"--", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(KontoOk(c.input), c.expected) << c.input;
}

TEST(WeryfNum, NipOk) {
    const CheckCase cases[] = {
        {"1234563218", true},
        {" 1234563218 ", true}, // trimmed
        {"1234563219", false},
        {"123-456-32-18", false}, // 13 characters
        {"123456321", false},
        {"12345632a8", false},
        {"12-4563218", false}, // ten characters but nine digits
        {"", true},
        {"   ", true},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NipOk(c.input), c.expected) << c.input;
}

TEST(WeryfNum, SumaNIPOk) {
    EXPECT_TRUE(SumaNIPOk("1234563218"));
    EXPECT_FALSE(SumaNIPOk("123456321"));
    EXPECT_FALSE(SumaNIPOk("12345632x8"));
    // 2 x 5 = 10: a remainder of 10 counts as 0, so the last digit must be 0.
    EXPECT_TRUE(SumaNIPOk("0200000000"));
    EXPECT_FALSE(SumaNIPOk("0200000001"));
}

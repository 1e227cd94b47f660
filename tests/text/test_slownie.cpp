#include "TekstNum.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

TEST(Slownie, Examples) {
    struct Case {
        const char* amount;
        const char* words;
    } const cases[] = {
        {"1234.56", "jeden tysiąc dwieście trzydzieści cztery złote pięćdziesiąt sześć groszy"},
        {"1.00", "jeden złoty "},
        {"0.05", "pięć groszy"},
        {"1.01", "jeden złoty jeden grosz"},
        {"21000.00", "dwadzieścia jeden tysięcy złotych "},
        {"112.00", "sto dwanaście złotych "},
        {"2000.22", "dwa tysiące złotych dwadzieścia dwa grosze"},
        {"0.01", "jeden grosz"},
        {"0.10", "dziesięć groszy"},
        {"0.12", "dwanaście groszy"},
        {"0.22", "dwadzieścia dwa grosze"},
        {"11", "jedenaście złotych "},
        {"22", "dwadzieścia dwa złote "},
        {"101", "sto jeden złotych "},
        {"1012", "jeden tysiąc dwanaście złotych "},
        {"12000", "dwanaście tysięcy złotych "},
        {"112000", "sto dwanaście tysięcy złotych "},
        {"100000", "sto tysięcy złotych "},
        {"999999.99", "dziewięćset dziewięćdziesiąt dziewięć tysięcy dziewięćset "
                      "dziewięćdziesiąt dziewięć złotych dziewięćdziesiąt dziewięć groszy"},
        {"0", ""},
        {"5", "pięć złotych "},
        {"2", "dwa złote "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Slownie(*Money::parse(c.amount)), QString::fromUtf8(c.words)) << c.amount;
}

TEST(Slownie, NegativeAmountDoesNotBreak) {
    EXPECT_EQ(Slownie(*Money::parse("-2")), QString::fromUtf8("minus dwa złote "));
}

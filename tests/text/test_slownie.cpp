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

TEST(Slownie, MillionsTakeTheirPolishForms) {
    struct Case {
        const char* amount;
        const char* words;
    } const cases[] = {
        {"1000000", "jeden milion złotych "},
        {"1500000.00", "jeden milion pięćset tysięcy złotych "},
        {"2000000", "dwa miliony złotych "},
        {"5000000", "pięć milionów złotych "},
        {"12000000", "dwanaście milionów złotych "},
        {"14000000", "czternaście milionów złotych "},
        {"22000000", "dwadzieścia dwa miliony złotych "},
        {"21000000", "dwadzieścia jeden milionów złotych "},
        {"112000000", "sto dwanaście milionów złotych "},
        {"1001001", "jeden milion jeden tysiąc jeden złotych "},
        {"3000002.02", "trzy miliony dwa złote dwa grosze"},
        {"1021000", "jeden milion dwadzieścia jeden tysięcy złotych "},
        {"999999999.99",
         "dziewięćset dziewięćdziesiąt dziewięć milionów dziewięćset dziewięćdziesiąt dziewięć "
         "tysięcy dziewięćset dziewięćdziesiąt dziewięć złotych dziewięćdziesiąt dziewięć groszy"},
        {"1000000000", "jeden miliard złotych "},
        {"2000000001", "dwa miliardy jeden złotych "},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Slownie(*Money::parse(c.amount)), QString::fromUtf8(c.words)) << c.amount;
}

TEST(Slownie, MoreThanTwoDecimalsAreRoundedToGroszeFirst) {
    struct Case {
        const char* amount;
        const char* words;
    } const cases[] = {
        {"0.995", "jeden złoty "},
        {"0.994", "dziewięćdziesiąt dziewięć groszy"},
        {"1.005", "jeden złoty jeden grosz"},
        {"999999.995", "jeden milion złotych "},
        {"0.004", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Slownie(*Money::parse(c.amount)), QString::fromUtf8(c.words)) << c.amount;
}

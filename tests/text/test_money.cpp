#include "Money.h"

#include <QLocale>

#include "TestPrinters.h"

#include <gtest/gtest.h>

TEST(Money, ParseAndPlainForm) {
    struct Case {
        const char* in;
        const char* plain;
    } const cases[] = {
        {"150.50", "150.5"},
        {"12.00", "12"},
        {"0", "0"},
        {"-3.25", "-3.25"},
        {"0.0001", "0.0001"},
        {"0.00005", "0.0001"},
        {"999999999.99", "999999999.99"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Money::parse(c.in)->toPlain(), QString(c.plain)) << c.in;
    EXPECT_FALSE(Money::parse("").has_value());
    EXPECT_FALSE(Money::parse("1.2.3").has_value());
    EXPECT_FALSE(Money::parse("1,5").has_value());
    EXPECT_TRUE(Money::parse("922337203685477").has_value());
    EXPECT_FALSE(Money::parse("922337203685478").has_value()); // would overflow
    EXPECT_FALSE(Money::parse("99999999999999999999").has_value());
}

TEST(Money, ScaledConversionIsExact) {
    EXPECT_EQ(Money::fromScaled(15050, -2), Money::fromCents(15050));
    EXPECT_EQ(Money::fromCents(-1).toScaled(-2), -1);
    EXPECT_EQ(Money::fromScaled(7, 0), Money::fromWhole(7));
    // 0.1 + 0.2 stays exactly 0.3
    EXPECT_EQ(*Money::parse("0.1") + *Money::parse("0.2"), *Money::parse("0.3"));
}

TEST(Money, Formats) {
    const QLocale pl(QLocale::Polish, QLocale::Poland);
    EXPECT_EQ(Money::fromCents(123456789).format(pl),
              QString("1") + pl.groupSeparator() + "234" + pl.groupSeparator() + "567,89");
    EXPECT_EQ(Money::fromCents(-50).format(pl), "-0,50");
    EXPECT_EQ(Money::fromCents(-50).toFixed2(), "-0.50");
    EXPECT_EQ(Money::fromCents(100000).toFixed2(), "1000.00");
}

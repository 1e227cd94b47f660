#include "Wyglad.h"

#include <QDate>
#include <QLocale>

#include <gtest/gtest.h>

namespace {
const QString Nbsp = QString(QChar(0x00A0));
QString P(const char* s) {
    return QString::fromUtf8(s).replace(u'~', QChar(0x00A0));
}
} // namespace

TEST(Wyglad, EveryThousandGroupedEverywhere) {
    const QLocale pl(QLocale::Polish, QLocale::Poland);
    struct Case {
        const char* kwota;
        const char* tekst;
    } const cases[] = {
        {"0", "0,00"},
        {"0.5", "0,50"},
        {"999.99", "999,99"},
        {"1000", "1~000,00"},
        {"1012345.67", "1~012~345,67"}, // never "1012 345,67"
        {"-1234567.891", "-1~234~567,89"},
        {"100000000", "100~000~000,00"},
    };
    for (const auto& c : cases) {
        const Money m = *Money::parse(QString::fromLatin1(c.kwota));
        EXPECT_EQ(FormatKwoty(m, pl), P(c.tekst)) << c.kwota;
    }
    EXPECT_EQ(FormatKwotyWaluty(Money::fromCents(101234567), pl), P("1~012~345,67~zł"));
}

TEST(Wyglad, DatesDayMonthYearWithFullStops) {
    EXPECT_EQ(FormatDaty(Date(2024, 2, 29)), "29.02.2024");
    EXPECT_EQ(FormatDaty(QDate(2023, 1, 3)), "03.01.2023");
    EXPECT_EQ(FormatDaty(Date::zero()), QString());
    EXPECT_EQ(FormatDaty(QDate()), QString());
    EXPECT_EQ(QDate::fromString("03.01.2023", QLatin1String(WzorDaty)), QDate(2023, 1, 3));
}

TEST(Wyglad, AccountWithItsPrefixPrintedAsIban) {
    EXPECT_EQ(FormatKonta("PL", "61109010140000071219812874"),
              "PL61 1090 1014 0000 0712 1981 2874");
    EXPECT_EQ(FormatKonta(" DE ", "89370400440532013000"), "DE89 3704 0044 0532 0130 00");
    EXPECT_EQ(FormatKonta("", "61109010140000071219812874"), "61 1090 1014 0000 0712 1981 2874");
}

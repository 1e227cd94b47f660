#include "KwotaWpisana.h"

#include <gtest/gtest.h>

namespace {
QString U(const char* t) {
    return QString::fromUtf8(t);
}
} // namespace

// Every way a Polish user writes an amount reads as that amount, exactly.
TEST(KwotaWpisana, ReadsTheWaysPolishUsersWriteAmounts) {
    const struct {
        const char* tekst;
        std::int64_t grosze;
    } przypadki[] = {
        {"1234,56", 123456},
        {"1 234,56", 123456},
        {"1\u00a0234,56", 123456},
        {"1\u202f234,56", 123456},
        {"1.234,56", 123456},
        {"1234.56", 123456},
        {"1,234.56", 123456},
        {"1 234 567,89", 123456789},
        {"1.234.567,89", 123456789},
        {"1.234.567", 123456700},
        {"1,234,567", 123456700},
        {"12,5", 1250},
        {"12.5", 1250},
        {"0,05", 5},
        {",5", 50},
        {"1234", 123400},
        {"1 234", 123400},
        {"-12,30", -1230},
        {"\u221212,30", -1230},
        {"+7", 700},
        {"12,50 zł", 1250},
        {"12,50zł", 1250},
        {"1 000 PLN", 100000},
        {"  007,10 ", 710},
        {"12,", 1200},
        {"999 999 999 999,99", 99999999999999},
    };
    for (const auto& p : przypadki) {
        const OdczytKwoty o = CzytajKwoteWpisana(U(p.tekst));
        ASSERT_TRUE(o.ok()) << p.tekst << ": " << o.blad.toStdString();
        EXPECT_EQ(*o.kwota, Money::fromCents(p.grosze)) << p.tekst;
        EXPECT_FALSE(o.pusta);
    }
}

// What cannot be read one way only is refused with a reason, never cut to two decimals.
TEST(KwotaWpisana, RefusesWhatItCannotReadOneWayOnly) {
    const struct {
        const char* tekst;
        const char* wPowodzie;
    } przypadki[] = {
        {"1.234", "Nie wiadomo"},
        {"12,345", "Nie wiadomo"},
        {"1,234", "Nie wiadomo"},
        {"1,2345", "więcej niż dwa miejsca"},
        {"0,125", "więcej niż dwa miejsca"},
        {"1 234.567", "więcej niż dwa miejsca"},
        {"1.234,567", "więcej niż dwa miejsca"},
        {"12 34,00", "co trzy cyfry"},
        {"1.23.456", "co trzy cyfry"},
        {"1.234.56", "co trzy cyfry"},
        {"1234 567", "co trzy cyfry"},
        {"1,5.3", "co trzy cyfry"},
        {"1,2,3", "co trzy cyfry"},
        {"abc", "nie jest kwotą"},
        {"12a", "nie jest kwotą"},
        {"-", "nie jest kwotą"},
        {"1,5,0.2", "co trzy cyfry"},
        {"1,5 0", "nie jest kwotą"},
        {"1 000 000 000 000", "za duża"},
    };
    for (const auto& p : przypadki) {
        const OdczytKwoty o = CzytajKwoteWpisana(U(p.tekst));
        EXPECT_FALSE(o.ok()) << p.tekst << " read as "
                             << (o.kwota ? o.kwota->toPlain().toStdString() : "");
        EXPECT_TRUE(o.blad.contains(U(p.wPowodzie))) << p.tekst << ": " << o.blad.toStdString();
        EXPECT_TRUE(o.blad.contains(U(p.tekst).trimmed())) << "the message names what was typed";
    }
}

TEST(KwotaWpisana, AnEmptyBoxIsZeroAndSaysSo) {
    for (const char* t : {"", "   ", "\u00a0"}) {
        const OdczytKwoty o = CzytajKwoteWpisana(U(t));
        ASSERT_TRUE(o.ok());
        EXPECT_TRUE(o.pusta);
        EXPECT_TRUE(o.kwota->isZero());
    }
}

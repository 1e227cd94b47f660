#include "procBankowe.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

TEST(TKonto, SplitsPolishIbanWrittenWithSpaces) {
    TKonto k;
    k.SetNumer("PL61 1090 1014 0000 0712 1981 2874");
    EXPECT_EQ(k.Numer(), "PL61109010140000071219812874");
    EXPECT_EQ(k.KodKR(), "PL");
    EXPECT_EQ(k.NRB(), "61109010140000071219812874");
    EXPECT_EQ(k.IBAN(), "PL61109010140000071219812874");
    EXPECT_EQ(k.IdBanku(), "1090");
    EXPECT_EQ(k.IdOddz(), "1014");
    EXPECT_EQ(k.NrRozl(), "10901014");
    EXPECT_TRUE(k.KontoPL());
    EXPECT_EQ(k.WyroznikIII(), 109);
    EXPECT_EQ(k.WyroznikIV(), 1090);
}

TEST(TKonto, WithoutPrefix) {
    TKonto k;
    k.SetNumer(" 61 1090 1014 0000 0712 1981 2874\r\n");
    EXPECT_EQ(k.KodKR(), "");
    EXPECT_EQ(k.IBAN(), "");
    EXPECT_EQ(k.NRB(), "61109010140000071219812874");
    EXPECT_EQ(k.NrRozl(), "10901014");
    EXPECT_TRUE(k.KontoPL());
    EXPECT_EQ(k.WyroznikIII(), 109);
}

struct KontoCase {
    const char* numer;
    const char* kodKR;
    const char* nrb;
    bool kontoPL;
    int iii;
};

TEST(TKonto, PrefixesAndMalformedNumbers) {
    const KontoCase cases[] = {
        {"pl61109010140000071219812874", "pl", "61109010140000071219812874", false, 0},
        {"DE89370400440532013000", "DE", "89370400440532013000", false, 0},
        {"61-1090-1014-0000-0712-1981-2874", "", "61-1090-1014-0000-0712-1981-2874", false, 0},
        {"6110901014000007121981287", "", "6110901014000007121981287", false, 0}, // 25 digits
        {"ŻŁ61109010140000071219812874", "ŻŁ", "61109010140000071219812874", false, 0},
        {"PL6110901014000007121981287X", "PL", "6110901014000007121981287X", false, 0},
    };
    for (const auto& c : cases) {
        TKonto k;
        k.SetNumer(QString::fromUtf8(c.numer));
        EXPECT_EQ(k.KodKR(), QString::fromUtf8(c.kodKR)) << c.numer;
        EXPECT_EQ(k.NRB(), QString::fromUtf8(c.nrb)) << c.numer;
        EXPECT_EQ(k.KontoPL(), c.kontoPL) << c.numer;
        EXPECT_EQ(k.WyroznikIII(), c.iii) << c.numer;
        EXPECT_EQ(k.WyroznikIV(), c.iii) << c.numer;
    }
}

TEST(TKonto, ShortInputSetsNumberOnly) {
    TKonto k;
    k.SetNumer("PL6110901014000007121981287");
    k.SetNumer("PL123456789"); // 11 characters: nothing of the earlier number survives
    EXPECT_EQ(k.Numer(), "PL123456789");
    EXPECT_EQ(k.KodKR(), "");
    EXPECT_EQ(k.NRB(), "");
    EXPECT_EQ(k.IdBanku(), "");
    EXPECT_EQ(k.IBAN(), "");
    EXPECT_FALSE(k.KontoPL());

    k.SetNumer("123456789012"); // 12: split, parts as long as the text allows
    EXPECT_EQ(k.NRB(), "123456789012");
    EXPECT_EQ(k.IdBanku(), "3456");
    EXPECT_EQ(k.IdOddz(), "7890");

    k.Zeruj();
    EXPECT_EQ(k.Numer(), "");
}

#include "Banki.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

namespace {
// A Polish number with the given four bank digits; the check digits do not matter here.
QString numerZBankiem(const char* bank) {
    return QStringLiteral("61") + QLatin1String(bank) + QStringLiteral("10140000071219812874");
}
} // namespace

struct NazwaCase {
    QString konto;
    const char* nazwa;
};

// Banks are named as today's register of sorting codes names them; a code it no longer
// holds by the bank that took its accounts over, or by its last name.
TEST(Banki, NazwaBanku) {
    const NazwaCase cases[] = {
        {numerZBankiem("1090"), "Erste Bank Polska Spółka Akcyjna"}, // formerly Santander, BZ WBK
        {"PL" + numerZBankiem("1090"), "Erste Bank Polska Spółka Akcyjna"},
        {"pl" + numerZBankiem("1090"), ""},
        {"DE" + numerZBankiem("1090"), ""},
        {numerZBankiem("8001"), "Bank Spółdzielczy w Otwocku"},
        {numerZBankiem("8005"), ""}, // neither 8005 nor 800 is known
        {numerZBankiem("1050"), "ING Bank Śląski Spółka Akcyjna"},
        {numerZBankiem("1800"), "ING Bank Śląski Spółka Akcyjna"}, // an older ING code
        {numerZBankiem("2490"), "Alior Bank Spółka Akcyjna"},
        {numerZBankiem("1060"), "Alior Bank Spółka Akcyjna"}, // formerly BPH
        {numerZBankiem("1600"), "BNP Paribas Bank Polska Spółka Akcyjna"},
        {numerZBankiem("1560"), "VeloBank Spółka Akcyjna"},
        {numerZBankiem("2240"), "Banque PSA Finance SA"}, // gone, without a successor
        {numerZBankiem("2690"), "PKO Bank Hipoteczny Spółka Akcyjna"},
        {numerZBankiem("9681"), "Powiatowy Bank Spółdzielczy we Wrześni"},
        {numerZBankiem("8099"), "Podlasko-Mazurski Bank Spółdzielczy  w Zabłudowie"},
        {"61 1090 1014", ""},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(NazwaBanku(c.konto), QString::fromUtf8(c.nazwa)) << c.konto.toStdString();
}

TEST(Banki, FourDigitEntryWithBrandName) {
    const QString n = NazwaBankuIV(8015);
    ASSERT_EQ(n.size(), 140 + 1 + 8);
    EXPECT_TRUE(n.startsWith(QString::fromUtf8("Warszawski Bank Spółdzielczy ")));
    EXPECT_EQ(n.mid(140), "\tWBS Bank");
    EXPECT_EQ(n.left(140).trimmed(), QString::fromUtf8("Warszawski Bank Spółdzielczy"));
    // The padded name shows as the plain name in a display cut to 100 characters.
    EXPECT_EQ(NazwaBanku(numerZBankiem("8015")).left(100).trimmed(),
              QString::fromUtf8("Warszawski Bank Spółdzielczy"));
}

TEST(Banki, TablesCoverTheirRanges) {
    EXPECT_EQ(NazwaBankuIV(8000), "");
    EXPECT_EQ(NazwaBankuIV(9682), "");
    EXPECT_EQ(NazwaBankuIV(0), "");
    EXPECT_EQ(NazwaBankuIV(1090), "");
    int known = 0;
    for (int kod = 8000; kod <= 9999; ++kod)
        known += NazwaBankuIV(kod).isEmpty() ? 0 : 1;
    EXPECT_GE(known, 560); // a broken generation step would leave the table empty or cut short
    EXPECT_EQ(NazwaBankuIII(249), "Alior Bank Spółka Akcyjna");
    EXPECT_EQ(NazwaBankuIII(100), "");
    EXPECT_EQ(NazwaBankuIII(271), "");
    int known3 = 0;
    for (int kod = 100; kod <= 999; ++kod)
        known3 += NazwaBankuIII(kod).isEmpty() ? 0 : 1;
    EXPECT_GE(known3, 100); // the register's 108 prefixes and the former codes
}

struct BankCase {
    int kod;
    TBank bank;
};

TEST(Banki, WyznBankXXX) {
    const BankCase cases[] = {
        {105, bk_ING},
        {180, bk_ING},
        {197, bk_ING},
        {218, bk_ING},
        {109, bk_BZWBK},
        {139, bk_BZWBK},
        {150, bk_BZWBK},
        {104, bk_Millennium},
        {116, bk_Millennium},
        {114, bk_mBank},
        {151, bk_mBank},
        {163, bk_mBank},
        {196, bk_Santander},
        {212, bk_Santander},
        {249, bk_Alior_Bank},
        {124, bk_Pekao},
        {168, bk_PLUS_Bank},
        {154, bk_BOS},
        {101, bk_NBP},
        {269, bk_Nieznany},
        // Codes whose accounts another bank keeps today read with that bank's dialect.
        {144, bk_PKOBP},
        {160, bk_Paribas},
        {203, bk_Paribas},
        {195, bk_Pekao},
        {147, bk_Millennium},
        {191, bk_BZWBK},
        {253, bk_Nest_Bank},
        {106, bk_BPH},
        {0, bk_Nieznany},
        {107, bk_Nieznany},
        {-105, bk_Nieznany},
        {361, bk_Nieznany},
    };
    for (const auto& c : cases)
        EXPECT_EQ(WyznBankXXX(c.kod), c.bank) << c.kod;
}

TEST(Banki, TBankiSet) {
    constexpr TBanki s{bk_ING, bk_BZWBK, bk_Alior_Bank};
    static_assert(s.contains(bk_Alior_Bank));
    EXPECT_TRUE(s.contains(bk_ING));
    EXPECT_FALSE(s.contains(bk_mBank));
    EXPECT_FALSE(s.contains(bk_Nieznany));
}

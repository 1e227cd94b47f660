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

TEST(Banki, NazwaBanku) {
    const QString ing = QString::fromUtf8("ING Bank Śląski SA");
    const NazwaCase cases[] = {
        {numerZBankiem("1090"), "Bank Zachodni WBK SA"}, // no 1090 in the four-digit table
        {"PL" + numerZBankiem("1090"), "Bank Zachodni WBK SA"},
        {"pl" + numerZBankiem("1090"), ""},
        {"DE" + numerZBankiem("1090"), ""},
        {numerZBankiem("8001"), "Bank Spółdzielczy w Otwocku"},
        {numerZBankiem("8005"), ""}, // neither 8005 nor 800 is known
        {numerZBankiem("1050"), "ING Bank Śląski SA"},
        {numerZBankiem("1800"), "ING Bank Śląski SA"},
        {numerZBankiem("2490"), "Alior Bank SA"},
        {numerZBankiem("2690"), "PKO Bank Hipoteczny SA"},
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
    EXPECT_EQ(NazwaBankuIII(249), "Alior Bank SA");
    EXPECT_EQ(NazwaBankuIII(100), "");
    EXPECT_EQ(NazwaBankuIII(270), "");
}

struct BankCase {
    int kod;
    TBank bank;
};

TEST(Banki, WyznBankXXX) {
    const BankCase cases[] = {
        {105, bk_ING},        {180, bk_ING},       {197, bk_ING},        {218, bk_ING},
        {109, bk_BZWBK},      {139, bk_BZWBK},     {150, bk_BZWBK},      {104, bk_Millennium},
        {116, bk_Millennium}, {114, bk_mBank},     {151, bk_mBank},      {163, bk_mBank},
        {196, bk_Santander},  {212, bk_Santander}, {249, bk_Alior_Bank}, {124, bk_Pekao},
        {168, bk_PLUS_Bank},  {154, bk_BOS},       {101, bk_NBP},        {269, bk_Nieznany},
        {0, bk_Nieznany},     {107, bk_Nieznany},  {-105, bk_Nieznany},  {361, bk_Nieznany},
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

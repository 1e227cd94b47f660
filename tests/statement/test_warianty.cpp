#include "Warianty.h"

#include "FTypy.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

namespace {
// One credit whose field 86 is given, in a statement of the given number line.
QString wyciag(const QString& linia86, const QString& linia28 = QStringLiteral(":28C:5/1")) {
    return QStringLiteral(":20:X\r\n:25:/PL79105010120000000012345678\r\n") + linia28 +
           QStringLiteral("\r\n:60F:C230102PLN1,00\r\n:61:230103C9,99NTRFNONREF//R\r\n:86:") +
           linia86 + QStringLiteral("\r\n:62F:C230103PLN10,99\r\n:64:C\r\n");
}

std::shared_ptr<IWyciag> czytaj(TBank bank, const QString& tekst) {
    auto w = UtworzWyciag(bank);
    w->SetTekst(tekst);
    w->DzielNaLinie();
    return w;
}

// The subfields 20 to 29 and 31 to 39 and 62 to 65 each hold their own number, so what a
// variant joins shows which subfields it reads.
QString wszystkiePodpola(QChar sep) {
    QString r = QStringLiteral("000");
    for (int n : {20, 21, 22, 23, 24, 25, 26, 27, 28, 29, 31, 32, 33, 38, 62, 63, 64, 65})
        r += sep + QString::number(n) + QStringLiteral("v") + QString::number(n);
    return r;
}
} // namespace

TEST(Warianty, LayoutOfEachBank) {
    struct Case {
        TBank bank;
        char sep;
        const char* nazwa;
        const char* opis;
        const char* konto;
    } cases[] = {
        // PKO BP cuts values at a fixed width: pieces join directly. Pekao, BNP Paribas and
        // MultiCash go on directly only from a full piece of 27 characters.
        {bk_Pekao, '^', "v32 v33 v62 v63 v64 v65", "v20 v21 v22 v23 v24 v25", "v38"},
        {bk_Paribas, '^', "v32 v33 v62 v63 v64 v65", "v20 v21 v22 v23 v24 v25", "v38"},
        {bk_PKOBP, '~', "v32v33", "v20v21v22v23v24v25", "v38"},
        {bk_Alior_Bank, '<', "v27 v28 v29", "v20 v21 v22 v23 v24", "v38"},
        {bk_BZWBK, '>', "v32", "v20", "v31"},
        {bk_ING, '~', "v32 v33", "v20 v21 v22 v23 v24 v25", "v38"},
        {bk_Millennium, '<', "v27 v28 v29", "v20 v21 v22 v23 v24 v25", "v38"},
        {bk_Nest_Bank, '<', "v27 v28 v29", "v20 v21 v22 v23", "v38"},
        {bk_PLUS_Bank, '<', "v21 v22 v23 v24 v25", "v20", "v27"},
    };
    for (const auto& c : cases) {
        const auto w = czytaj(c.bank, wyciag(wszystkiePodpola(QChar(c.sep))));
        ASSERT_EQ(w->MaxIndex(), 0) << c.bank;
        EXPECT_EQ(w->Bank(), c.bank);
        EXPECT_EQ(w->GetNazwaKL(0), QString(c.nazwa)) << c.bank;
        EXPECT_EQ(w->GetOpisTR(0), QString(c.opis)) << c.bank;
        EXPECT_EQ(w->GetKontoKL(0), QString(c.konto)) << c.bank;
        EXPECT_EQ(w->GetKwotaTR(0), Money::fromCents(999)) << c.bank;
        // Another bank's separator is just text to this variant.
        const QChar obcy = c.sep == '~' ? u'^' : u'~';
        EXPECT_EQ(czytaj(c.bank, wyciag(wszystkiePodpola(obcy)))->GetKontoKL(0), "");
    }
    EXPECT_EQ(UtworzWyciag(bk_BPH)->NazwaUkladu(), "Alior (MultiCash)"); // BPH's accounts
    EXPECT_EQ(UtworzWyciag(bk_HSBC), nullptr);
    EXPECT_EQ(UtworzWyciag(bk_Nieznany), nullptr);
}

TEST(Warianty, Supported) {
    for (TBank b : {bk_ING, bk_BZWBK, bk_Alior_Bank, bk_PKOBP, bk_mBank, bk_Pekao, bk_Paribas,
                    bk_Millennium, bk_Nest_Bank})
        EXPECT_TRUE(ObslugiwaneBanki.contains(b)) << b;
    for (TBank b : {bk_PLUS_Bank, bk_HSBC, bk_Nieznany})
        EXPECT_FALSE(ObslugiwaneBanki.contains(b)) << b;
}

TEST(Warianty, AliorExample) {
    const auto w =
        czytaj(bk_Alior_Bank, wyciag("<20TYTUL<27JAN<28KOWALSKI<38PL27114020040000300201355387"));
    EXPECT_EQ(w->GetOpisTR(0), "TYTUL");
    EXPECT_EQ(w->GetNazwaKL(0), "JAN KOWALSKI");
    EXPECT_EQ(w->GetKontoKL(0), "PL27114020040000300201355387");
}

TEST(Warianty, BzwbkStatementNumber) {
    EXPECT_EQ(czytaj(bk_BZWBK, wyciag(">20X", ":28C:00012/001"))->GetNrWyciagu(), "00012");
    // Without a "/" of its own the number is its line: it never runs into the next fields.
    const auto w = czytaj(bk_BZWBK, wyciag(">20X", ":28C:12 NUMER"));
    EXPECT_EQ(w->GetNrWyciagu(), "12 NUMER");
    EXPECT_EQ(static_cast<const TWyciagAbs&>(*w).Transakcje()[0].NumerWyciagu, "12 NUMER");
    // Today's "year/number/page" keeps year and number.
    EXPECT_EQ(czytaj(bk_BZWBK, wyciag(">20X", ":28C:2024/77/1"))->GetNrWyciagu(), "2024/77");
    // ":28:" is not looked at by this bank.
    EXPECT_EQ(czytaj(bk_BZWBK, wyciag(">20X", ":28:7/1"))->GetNrWyciagu(), "");
    // The other banks keep the general rule.
    EXPECT_EQ(czytaj(bk_ING, wyciag("~20X", ":28C:00012/001"))->GetNrWyciagu(), "00012/001");
}

// Invoice numbers in transfer titles, payer names without legal forms, ageing ranges.
#include "DopasowanieNazw.h"
#include "DopasowanieTytulu.h"
#include "Wiekowanie.h"

#include <gtest/gtest.h>

using namespace rozrachunki;

TEST(NumerWTytule, SpellingsOfOneNumberAndItsNeighbours) {
    const QString fv1 = KluczNumeru(QStringLiteral("FV/1/03/2024"));
    EXPECT_EQ(fv1, "FV1032024");
    const struct {
        const char* tytul;
        bool zawiera;
    } cases[] = {
        {"FV/1/03/2024", true},
        {"Zapłata za FV 1/03/2024", true},
        {"fv1-03-2024", true},
        {"faktura nr fv.1.03.2024r.", true}, // a letter after the year is a break
        {"FV 1 / 03 / 2024, FV 2/03/2024", true},
        {"FV/11/03/2024", false}, // another invoice
        {"FV/1/03/20245", false},
        {"XFV/1/03/2024", false},
        {"1/03/2024", false}, // the number needs its prefix
        {"", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TytulPrzelewu(QString::fromUtf8(c.tytul)).zawiera(fv1), c.zawiera) << c.tytul;
    // A number without a prefix is found only where it stands on its own.
    const QString bez = KluczNumeru(QStringLiteral("1/03/2024"));
    EXPECT_TRUE(TytulPrzelewu(QStringLiteral("za 1/03/2024")).zawiera(bez));
    EXPECT_FALSE(TytulPrzelewu(QStringLiteral("za 11/03/2024")).zawiera(bez));
    // Polish letters fold, and too short a number is never looked for.
    EXPECT_TRUE(TytulPrzelewu(QString::fromUtf8("RACH-ŁÓDŹ/7"))
                    .zawiera(KluczNumeru(QString::fromUtf8("rach łódź 7"))));
    EXPECT_FALSE(TytulPrzelewu(QStringLiteral("rata 12 z 24")).zawiera(QStringLiteral("12")));
}

TEST(NumerWTytule, CandidatesHoldEveryNumberTheTitleNames) {
    const QStringList k =
        TytulPrzelewu(QStringLiteral("Zaplata FV 1/03/2024 oraz FA-77 kwota 100")).kandydaci();
    EXPECT_TRUE(k.contains(KluczNumeru(QStringLiteral("FV/1/03/2024"))));
    EXPECT_TRUE(k.contains(KluczNumeru(QStringLiteral("FA/77"))));
    EXPECT_TRUE(k.contains(QStringLiteral("1032024")));
    EXPECT_FALSE(k.contains(QStringLiteral("ZAPLATA"))); // no digit: no invoice number
    for (const QString& c : k)
        EXPECT_GE(c.size(), MinDlugoscKlucza) << c.toStdString();
}

TEST(NazwaPlatnika, LegalFormsCaseAndPolishLettersAreIgnored) {
    const QString piekarnia = KluczNazwy(QString::fromUtf8("Piekarnia Złoty Kłos Sp. z o.o."));
    EXPECT_EQ(piekarnia, "PIEKARNIA ZLOTY KLOS");
    for (const char* n :
         {"PIEKARNIA ZŁOTY KŁOS SP. Z O.O.", "Piekarnia \"Złoty Kłos\" sp.z o.o.",
          "PIEKARNIA ZLOTY KLOS SPÓŁKA Z OGRANICZONĄ ODPOWIEDZIALNOŚCIĄ", "Piekarnia Złoty-Kłos"})
        EXPECT_EQ(KluczNazwy(QString::fromUtf8(n)), piekarnia) << n;
    EXPECT_EQ(KluczNazwy(QString::fromUtf8("Kowalski i Syn Spółka Jawna")), "KOWALSKI I SYN");
    EXPECT_EQ(KluczNazwy(QStringLiteral("ALFA S.A.")), "ALFA");
    EXPECT_EQ(KluczNazwy(QStringLiteral("Sp. z o.o.")), QString());

    IndeksNazw indeks;
    indeks.dodaj(1, QString::fromUtf8("Piekarnia Złoty Kłos Sp. z o.o."));
    indeks.dodaj(2, QStringLiteral("Alfa S.A."));
    indeks.dodaj(3, QStringLiteral("ALFA SPOLKA AKCYJNA")); // two contractors of one name
    EXPECT_EQ(indeks.jedyny(QString::fromUtf8("PIEKARNIA ZŁOTY KŁOS SP. Z O.O.")), 1);
    EXPECT_EQ(indeks.jedyny(QStringLiteral("Alfa")), 0);
    EXPECT_EQ(indeks.jedyny(QStringLiteral("Beta")), 0);
}

TEST(Wiekowanie, RangesAtTheirEdges) {
    const struct {
        int dni, przedzial;
    } cases[] = {{-5, 0}, {0, 0},  {1, 1},  {30, 1},  {31, 2},  {60, 2},
                 {61, 3}, {90, 3}, {91, 4}, {180, 4}, {181, 5}, {4000, 5}};
    for (const auto& c : cases)
        EXPECT_EQ(Przedzial(c.dni), c.przedzial) << c.dni;
    EXPECT_EQ(KluczPrzedzialu(0), "notDue");
    EXPECT_EQ(KluczPrzedzialu(5), "over180");
}

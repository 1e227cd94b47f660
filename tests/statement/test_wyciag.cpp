#include "bank_ING.h"

#include "StringFun.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

#include <memory>

namespace {
// The lines joined with CR LF, each line ended by one.
QString linie(std::initializer_list<const char*> l) {
    QString r;
    for (const char* s : l)
        r += QString::fromUtf8(s) + QStringLiteral("\r\n");
    return r;
}

std::shared_ptr<IWyciag> ing(const QString& tekst) {
    auto w = std::make_shared<TWyciagING>();
    w->SetTekst(tekst);
    w->DzielNaLinie();
    return w;
}

const QString przyklad = linie({
    ":20:ST230103",
    ":25:/PL79105010120000000012345678",
    ":28C:3/1",
    ":60F:C230102PLN1000,00",
    ":61:2301030103CN250,50NTRFNONREF//BANKREF1",
    ":86:152~00PRZELEW PRZYCHODZACY~20FV 12/2023~21ZA USLUGI~32FIRMA TESTOWA~33SP. Z O.O.",
    "~38PL27114020040000300201355387~60",
    ":61:230103D20,00NCHGNONREF",
    ":86:~00OPLATA~20PROWIZJA",
    ":62F:C230103PLN1230,50",
    ":64:C230103PLN1230,50",
});
} // namespace

TEST(TWyciagAbs, WorkedExample) {
    const auto w = ing(przyklad);
    EXPECT_TRUE(w->TekstWyciagu().endsWith(":62F:C"));
    EXPECT_FALSE(w->TekstWyciagu().contains(":64:"));
    EXPECT_EQ(w->GetNrWyciagu(), "3/1");
    EXPECT_EQ(w->GetKontoWL(), "79105010120000000012345678");
    EXPECT_EQ(w->LiniaSaldoPocz(), "C230102PLN1000,00");
    EXPECT_EQ(w->SaldoPocz(), Money::fromWhole(1000));
    ASSERT_EQ(w->MinIndex(), 0);
    ASSERT_EQ(w->MaxIndex(), 1);

    EXPECT_EQ(w->GetDataTR(0), Date(2023, 1, 3));
    EXPECT_EQ(w->GetStrDataTR(0), "03-01-2023");
    EXPECT_EQ(w->GetStronaKS(0), u'C');
    EXPECT_EQ(w->GetKwotaTR(0), Money::fromCents(25050));
    EXPECT_EQ(w->GetOpisTR(0), "FV 12/2023 ZA USLUGI");
    EXPECT_EQ(w->GetNazwaKL(0), "FIRMA TESTOWA SP. Z O.O.");
    EXPECT_EQ(w->GetKontoKL(0), "PL27114020040000300201355387");
    EXPECT_EQ(w->GetKontoKL_KR(0), "PL");
    EXPECT_EQ(w->GetKontoKL_NR(0), "27114020040000300201355387");

    EXPECT_EQ(w->GetDataTR(1), Date(2023, 1, 3));
    EXPECT_EQ(w->GetStronaKS(1), u'D');
    EXPECT_EQ(w->GetKwotaTR(1), Money::fromCents(2000));
    EXPECT_EQ(w->GetOpisTR(1), "PROWIZJA");
    EXPECT_EQ(w->GetNazwaKL(1), "");
    EXPECT_EQ(w->GetKontoKL(1), "");
    EXPECT_EQ(w->GetKontoKL_NR(1), "");

    // Every transaction carries the statement's number and owner.
    const auto& t = static_cast<const TWyciagAbs&>(*w).Transakcje();
    EXPECT_EQ(t[1].NumerWyciagu, "3/1");
    EXPECT_EQ(t[1].NrKontaWlasciciela, "79105010120000000012345678");
}

TEST(TWyciagAbs, OutOfRangeIndexes) {
    const auto w = ing(przyklad);
    for (int i : {-1, w->MaxIndex() + 1}) {
        EXPECT_EQ(w->GetNazwaKL(i), "");
        EXPECT_EQ(w->GetOpisTR(i), "");
        EXPECT_EQ(w->GetKontoKL(i), "");
        EXPECT_EQ(w->GetKontoKL_KR(i), "");
        EXPECT_EQ(w->GetStrDataTR(i), "");
        EXPECT_EQ(w->GetStronaKS(i), u' ');
        EXPECT_TRUE(w->GetDataTR(i).isZero());
        EXPECT_TRUE(w->GetKwotaTR(i).isZero());
    }
}

TEST(TWyciagAbs, EmptyStatement) {
    const auto w = ing("");
    EXPECT_EQ(w->MaxIndex(), -1);
    EXPECT_EQ(w->GetNrWyciagu(), "");
    EXPECT_EQ(w->GetKontoWL(), "");
    EXPECT_EQ(w->LiniaSaldoPocz(), "");
    EXPECT_TRUE(w->SaldoPocz().isZero());
}

TEST(TWyciagAbs, StatementNumber) {
    // Fewer than seven line feeds: from the tag to ":60F:", line breaks removed.
    EXPECT_EQ(ing(":28C:3/1\r\n:60F:C230102PLN1,00\r\n:61:230103C1,00\r\n:86:~20X\r\n:62F:C")
                  ->GetNrWyciagu(),
              "3/1");
    // ":28:" is preferred over ":28C:".
    QString t = przyklad;
    t.replace(":20:ST230103", ":28:77/2");
    EXPECT_EQ(ing(t)->GetNrWyciagu(), "77/2");
    // Cut to 50 characters.
    t = przyklad;
    t.replace(":28C:3/1", ":28C:" + QString(60, u'9'));
    EXPECT_EQ(ing(t)->GetNrWyciagu(), QString(50, u'9'));
    // No number tag at all.
    t = przyklad;
    t.replace(":28C:3/1", ":99:3/1");
    EXPECT_EQ(ing(t)->GetNrWyciagu(), "");
}

TEST(TWyciagAbs, OwnerAccount) {
    struct Case {
        const char* linia25;
        const char* konto;
    } cases[] = {
        {":25:/79105010120000000012345678", "79105010120000000012345678"},
        {":25:PL79105010120000000012345678", "79105010120000000012345678"},
        {":25:/PL 7910 5010 1200 0000 0012 3456 78", "79105010120000000012345678"},
        {":25:1234567890123456789012345678", "1234567890123456789012345678"}, // 28 digits
        {":25:DE89370400440532013000", "DE89370400440532013000"},
    };
    for (const auto& c : cases) {
        QString t = przyklad;
        t.replace(":25:/PL79105010120000000012345678", c.linia25);
        EXPECT_EQ(ing(t)->GetKontoWL(), QString(c.konto)) << c.linia25;
    }
    // An owner line that ends at ":28:" still gives the owner: the statement is registered
    // with its own account.
    QString t = przyklad;
    t.replace(":28C:3/1", ":28:3/1");
    const auto w = ing(t);
    EXPECT_EQ(w->GetKontoWL(), "79105010120000000012345678");
    EXPECT_EQ(static_cast<const TWyciagAbs&>(*w).Transakcje()[0].NrKontaWlasciciela,
              "79105010120000000012345678");
    EXPECT_EQ(w->GetNrWyciagu(), "3/1");
}

TEST(TWyciagAbs, OpeningBalance) {
    struct Case {
        const char* linia60;
        const char* linia;
        std::int64_t grosze;
    } cases[] = {
        {":60F:D230102PLN1000,00", "D230102PLN1000,00", -100000},
        {":60F:C230102PLN0,5", "C230102PLN0,5", 50},
        {":60F:C230102PLN1000", "C230102PLN1000", 0}, // no decimal separator
        {":60F:1000,00", "1000,00", 0},               // digits only before the separator
        // A line a bank adds after the balance is a field of its own, passed over.
        {":60F:C230102PLN7,00\r\n:NS:XX", "C230102PLN7,00", 700},
        {":60F:C230102PLN7,00\r\n:NS:22\r\n:34F:PLNC0,00", "C230102PLN7,00", 700},
    };
    for (const auto& c : cases) {
        QString t = przyklad;
        t.replace(":60F:C230102PLN1000,00", c.linia60);
        const auto w = ing(t);
        EXPECT_EQ(w->LiniaSaldoPocz(), QString(c.linia)) << c.linia60;
        EXPECT_EQ(w->SaldoPocz(), Money::fromCents(c.grosze)) << c.linia60;
    }
}

TEST(TWyciagAbs, Field61) {
    struct Case {
        const char* linia61;
        Date data;
        char strona;
        std::int64_t grosze;
    } cases[] = {
        // The entry date takes the year that puts it nearest to the value date.
        {"2312310102CN5,00NTRF", Date(2024, 1, 2), 'C', 500},
        {"2401021231CN5,00NTRF", Date(2023, 12, 31), 'C', 500},
        {"2303010302CN5,00NTRF", Date(2023, 3, 2), 'C', 500},
        {"2402290301C1,00", Date(2024, 3, 1), 'C', 100},
        {"230105RC12,34NTRF", Date(2023, 1, 5), 'R', 1234},
        {"230105RD1,00NTRF", Date(2023, 1, 5), 'R', 100},
        {"230105C75,NTRF", Date(2023, 1, 5), 'C', 7500}, // no decimals written
        {"230105C0,5NTRF", Date(2023, 1, 5), 'C', 50},
        {"230105C99999999999999,99", Date(2023, 1, 5), 'C', 9999999999999999},
    };
    for (const auto& c : cases) {
        QString t = przyklad;
        t.replace(":61:230103D20,00NCHGNONREF", QStringLiteral(":61:") + c.linia61);
        const auto w = ing(t);
        ASSERT_EQ(w->MaxIndex(), 1) << c.linia61;
        EXPECT_EQ(w->GetDataTR(1), c.data) << c.linia61;
        EXPECT_EQ(w->GetStronaKS(1), QChar(c.strona)) << c.linia61;
        EXPECT_EQ(w->GetKwotaTR(1), Money::fromCents(c.grosze)) << c.linia61;
    }
}

// An amount or date that cannot be read would be booked as 0,00 or on no day: the reading
// stops with a message naming the line.
TEST(TWyciagAbs, UnreadableField61IsRefused) {
    const char* const kwota = "Nie można odczytać kwoty w wierszu :61:";
    const char* const data = "Nie można odczytać daty w wierszu :61:";
    struct Case {
        const char* linia61;
        const char* komunikat;
    } cases[] = {
        {"230105C250.50NTRF", kwota},         // a point for the separator
        {"230105CNTRFNONREF", kwota},         // no amount
        {"230105C,50NTRF", kwota},            // no whole part
        {"230105CABC,00NTRF", kwota},         // letters
        {"230105D1000NTRF", kwota},           // no ","
        {"230105C1 234,56", kwota},           // a space inside
        {"230105C12,345NTRF", kwota},         // three decimals
        {"230105C123456789012345,00", kwota}, // more digits than an amount can hold
        {"231301D20,00NCHG", data},           // month 13
        {"230230C1,00", data},                // 30 February
        {"2301051C1,00", data},               // seven digits
        {"C1,00", data},                      // no date
        {"2301031340C1,00", data},            // entry date 13-40
        {"230105X1,00", "Nie można odczytać znaku C/D w wierszu :61:"},
    };
    for (const auto& c : cases) {
        QString t = przyklad;
        t.replace(":61:230103D20,00NCHGNONREF", QStringLiteral(":61:") + c.linia61);
        try {
            ing(t);
            ADD_FAILURE() << c.linia61;
        } catch (const BladWyciagu& e) {
            EXPECT_EQ(e.komunikat(), QString::fromUtf8(c.komunikat) + c.linia61);
        }
    }
}

TEST(TWyciagAbs, TransactionSpans) {
    // An empty field 61 is no transaction that could be booked: the reading stops there,
    // rather than leaving out the money of the entries after it.
    QString t = przyklad;
    t.replace(":61:230103D20,00NCHGNONREF\r\n", ":61:");
    EXPECT_THROW(ing(t), BladWyciagu);
    // A last ":61:" with no ":86:" after it is read, without counterparty.
    t = przyklad;
    t.replace(":86:~00OPLATA~20PROWIZJA", "");
    ASSERT_EQ(ing(t)->MaxIndex(), 1);
    EXPECT_EQ(ing(t)->GetKwotaTR(1), Money::fromCents(2000));
    EXPECT_EQ(ing(t)->GetOpisTR(1), "");
    // A statement object reads one statement; a file of several is split before.
    const auto w = ing(przyklad + przyklad);
    EXPECT_EQ(w->MaxIndex(), 1);
}

TEST(TWyciagAbs, EmptyField86DoesNotBorrowTheNextTransaction) {
    // Without line breaks an empty field 86 stands right before the next ":61:"; its
    // details must not be read from the transactions that follow.
    const QString t = ":25:/PL79105010120000000012345678:28C:1/1:60F:C230102PLN1,00"
                      ":61:230103C5,00NTRF:86::61:230103C7,00NTRF"
                      ":86:~20SECOND~32NAME~38PL27114020040000300201355387:62F:C";
    const auto w = ing(t);
    ASSERT_EQ(w->MaxIndex(), 1);
    EXPECT_EQ(w->GetKwotaTR(0), Money::fromCents(500));
    EXPECT_EQ(w->GetKontoKL(0), "");
    EXPECT_EQ(w->GetNazwaKL(0), "");
    EXPECT_EQ(w->GetOpisTR(1), "SECOND");
    EXPECT_EQ(w->GetKontoKL(1), "PL27114020040000300201355387");
    EXPECT_EQ(w->GetNrWyciagu(), "1/1");
}

TEST(TWyciagAbs, TransactionWithoutField86HasNoCounterparty) {
    // Field 86 is optional: a credit without it must not take the next transaction's payer.
    const QString t = linie({
        ":25:/PL79105010120000000012345678",
        ":28C:1/1",
        ":60F:C230102PLN1,00",
        ":61:230103C100,00NTRFNONREF",
        ":61:230104C200,00NTRFNONREF",
        ":86:~20FV 1~32PAYER~38PL27114020040000300201355387",
        ":61:230105D5,00NCHG",
        ":62F:C230105PLN296,00",
    });
    const auto w = ing(t);
    ASSERT_EQ(w->MaxIndex(), 2); // every entry counts, with or without field 86
    EXPECT_EQ(w->GetKwotaTR(2), Money::fromCents(500));
    EXPECT_EQ(w->GetKontoKL(2), "");
    EXPECT_EQ(w->GetKwotaTR(0), Money::fromCents(10000));
    EXPECT_EQ(w->GetDataTR(0), Date(2023, 1, 3));
    EXPECT_EQ(w->GetKontoKL(0), "");
    EXPECT_EQ(w->GetNazwaKL(0), "");
    EXPECT_EQ(w->GetKwotaTR(1), Money::fromCents(20000));
    EXPECT_EQ(w->GetKontoKL(1), "PL27114020040000300201355387");
    EXPECT_EQ(w->GetOpisTR(1), "FV 1");
}

TEST(TWyciagAbs, Field86Joining) {
    struct Case {
        const char* linia86;
        const char* opis;
        const char* nazwa;
        const char* konto;
    } cases[] = {
        // Pieces joined with one space wherever the bank cut; three spaces become two.
        {"~20PRZELEW ZA ~21FAKTURE~32A~33B", "PRZELEW ZA FAKTURE", "A B", ""},
        {"~32A ~33 B", "", "A  B", ""},
        {"~20A   B", "A  B", "", ""},
        {"~20A~20B~32N~32M", "A", "N", ""},                 // repeated subfield: first occurrence
        {"~20X~38 PL 27 1140~39Y", "X", "", " PL 27 1140"}, // account as written
        {"~20X~3800", "X", "", "00"},
        {"~21ONLY~25LAST", "ONLY  LAST", "", ""}, // empty 22 to 24 leave four spaces
    };
    for (const auto& c : cases) {
        QString t = przyklad;
        t.replace(":86:~00OPLATA~20PROWIZJA", QStringLiteral(":86:") + c.linia86);
        const auto w = ing(t);
        EXPECT_EQ(w->GetOpisTR(1), QString(c.opis)) << c.linia86;
        EXPECT_EQ(w->GetNazwaKL(1), QString(c.nazwa)) << c.linia86;
        EXPECT_EQ(w->GetKontoKL(1), QString(c.konto)) << c.linia86;
    }
}

TEST(TWyciagAbs, LineOfAmount) {
    const auto w = std::make_shared<TWyciagING>();
    w->SetTekst(przyklad);
    const int poz = static_cast<int>(przyklad.indexOf(":61:230103D")) + 1;
    EXPECT_EQ(w->GetLiniaKwoty(poz), "230103D20,00NCHGNONREF");
    EXPECT_EQ(w->GetLiniaKwoty(1), "2301030103CN250,50NTRFNONREF//BANKREF1");
}

#include "WczytajWyciag.h"

#include "FTypy.h"
#include "TestPrinters.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
QString fixture(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/statement/") + QLatin1String(name);
}

QByteArray bajty(const char* name) {
    QFile f(fixture(name));
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("missing fixture");
    return f.readAll();
}

const QString nieobslugiwany =
    QString::fromUtf8("Program obsługuje pliki MT-940 określonych banków.\r"
                      "Wpłaty z tego pliku nie mogą być wczytane.");

QByteArray minimalny(const QByteArray& linia25) {
    return ":20:X\r\n" + linia25 +
           "\r\n:28C:1/1\r\n:60F:C230102PLN1,00\r\n:61:230103C1,00\r\n:86:~20X\r\n:62F:C\r\n";
}
} // namespace

TEST(WczytajWyciag, StructureCheckReportsFirstMissingTag) {
    const QByteArray pelny = minimalny(":25:/PL79105010120000000012345678");
    struct Case {
        const char* usun;
        const char* brak;
    } cases[] = {{":60F:", ":60F:"}, {":61:", ":61:"}, {":86:", ":86:"}, {":62F:", ":62F:"}};
    for (const auto& c : cases) {
        QByteArray b = pelny;
        b.replace(c.usun, ":XX:");
        const auto w = OtworzWyciag(b, TKodowanie::kdUTF_8);
        ASSERT_FALSE(w.ok());
        EXPECT_EQ(w.komunikat(),
                  QStringLiteral("Niepoprawna struktura pliku. Brak sekcji: ") + c.brak);
    }
    // Both ":60F:" and ":61:" missing: only the first is named.
    QByteArray b = pelny;
    b.replace(":60F:", "").replace(":61:", "");
    EXPECT_EQ(OtworzWyciag(b, TKodowanie::kdUTF_8).komunikat(),
              "Niepoprawna struktura pliku. Brak sekcji: :60F:");
    EXPECT_FALSE(WyciagOK(QString::fromLatin1(pelny)).has_value());
}

TEST(WczytajWyciag, OwnerAccountChoosesTheBank) {
    struct Case {
        const char* linia25;
        TBank bank;
    } cases[] = {
        {":25:/PL79105010120000000012345678", bk_ING},
        {":25:/PL67180000010000000012345678", bk_ING}, // an older ING code
        {":25:/PL61109010140000071219812874", bk_BZWBK},
        {":25:PL75249000050000400070436987", bk_Alior_Bank},
        {":25:/PL27114020040000300201355387", bk_mBank},
        {":25:/DE89370400440532013000", bk_Nieznany},
        {":25:/PL12124000050000400070436987", bk_Pekao},
        {":26:/PL79105010120000000012345678", bk_Nieznany}, // no field 25
    };
    for (const auto& c : cases)
        EXPECT_EQ(WyznBankWyciagu(QString::fromLatin1(minimalny(c.linia25))), c.bank) << c.linia25;

    // Field 25 ending at ":28:": the window's rule still finds the account...
    const QString t28 = ":25:/PL61109010140000071219812874\r\n:28:1/1\r\n:60F:C";
    EXPECT_EQ(WyznKontoWL(t28), "61109010140000071219812874");
    EXPECT_EQ(WyznKontoWL(":25:/PL 6110 9010 1400 0007 1219 8128 74:28C:"),
              "61109010140000071219812874");
    EXPECT_EQ(WyznKontoWL(":28C:1/1"), "");
}

TEST(WczytajWyciag, UnsupportedBanksAreRefused) {
    for (const char* linia :
         {":25:/PL27114020040000300201355387", ":25:/PL12124000050000400070436987",
          ":25:/DE89370400440532013000", ":25:", ":20:"}) {
        const auto w = OtworzWyciag(minimalny(linia), TKodowanie::kdUTF_8);
        ASSERT_FALSE(w.ok()) << linia;
        EXPECT_EQ(w.komunikat(), nieobslugiwany) << linia;
    }
    // A named variant skips the bank check.
    const auto w =
        OtworzWyciag(minimalny(":25:/PL27114020040000300201355387"), TKodowanie::kdUTF_8, bk_mBank);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.wyciag()->Bank(), bk_mBank);
    EXPECT_EQ(w.wyciag()->GetOpisTR(0), "X");
    // ...but a bank without a variant cannot read it.
    EXPECT_FALSE(OtworzWyciag(minimalny(":25:"), TKodowanie::kdUTF_8, bk_PKOBP).ok());
}

TEST(WczytajWyciag, OwnerLineEndingAtTag28) {
    // The bank is still chosen, while the statement model reports no owner.
    const QByteArray b = ":25:/PL61109010140000071219812874\r\n:28:1/1\r\n:60F:C230102PLN1,00\r\n"
                         ":61:230103C1,00\r\n:86:>20X\r\n:62F:C\r\n";
    const auto w = OtworzWyciag(b, TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.wyciag()->Bank(), bk_BZWBK);
    EXPECT_EQ(w.wyciag()->GetKontoWL(), "");
}

TEST(WczytajWyciag, FileNameChecks) {
    EXPECT_EQ(OtworzPlikWyciagu("   ", TKodowanie::kdUTF_8).komunikat(),
              QString::fromUtf8("Nazwa pliku wyciągu bankowego nie podana."));
    const QString brak = fixture("nie-ma-takiego.sta");
    EXPECT_EQ(OtworzPlikWyciagu(" " + brak + " ", TKodowanie::kdUTF_8).komunikat(),
              "Plik: " + brak + " - nie istnieje.");
    QTemporaryDir dir;
    EXPECT_EQ(OtworzPlikWyciagu(dir.path(), TKodowanie::kdUTF_8).komunikat(),
              "Plik: " + dir.path() + " - nie istnieje.");
}

TEST(WczytajWyciag, IngExampleFile) {
    const auto w = OtworzPlikWyciagu(fixture("ing_example.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const auto& s = *w.wyciag();
    EXPECT_EQ(s.Bank(), bk_ING);
    EXPECT_EQ(s.GetNrWyciagu(), "3/1");
    EXPECT_EQ(s.GetKontoWL(), "79105010120000000012345678");
    EXPECT_EQ(s.LiniaSaldoPocz(), "C230102PLN1000,00");
    EXPECT_EQ(s.MaxIndex(), 1);
    EXPECT_EQ(s.GetNazwaKL(0), "FIRMA TESTOWA SP. Z O.O.");
}

// The same ING statement with Polish letters, once in UTF-8 with a byte-order mark and once
// in code page 852.
TEST(WczytajWyciag, IngPolishLettersInTwoEncodings) {
    const QString nazwa = QString::fromUtf8("PRZEDSIĘBIORSTWO ŻÓŁTA ŁÓDŹ SPÓŁKA Z O.O.");
    const QString opis = QString::fromUtf8("Faktura FV 7/2023 za usługi księgowe");
    struct Case {
        const char* plik;
        TKodowanie kodowanie;
    } cases[] = {{"ing_utf8_bom.sta", TKodowanie::kdWin_1250},
                 {"ing_cp852.sta", TKodowanie::kdCP_852}};
    for (const auto& c : cases) {
        const auto w = OtworzWyciag(bajty(c.plik), c.kodowanie);
        ASSERT_TRUE(w.ok()) << c.plik;
        const auto& s = *w.wyciag();
        ASSERT_EQ(s.MaxIndex(), 2) << c.plik;
        EXPECT_EQ(s.GetNrWyciagu(), "45/1");
        EXPECT_EQ(s.GetNazwaKL(0), nazwa) << c.plik;
        EXPECT_EQ(s.GetOpisTR(0), opis) << c.plik;
        EXPECT_EQ(s.GetKontoKL(0), "PL27114020040000300201355387");
        EXPECT_EQ(s.GetKwotaTR(0), Money::fromCents(123456));
        EXPECT_EQ(s.GetDataTR(0), Date(2023, 3, 1));
        EXPECT_EQ(s.GetOpisTR(1), QString::fromUtf8("Zwrot nadpłaty"));
        EXPECT_EQ(s.GetKontoKL_KR(1), "");
        EXPECT_EQ(s.GetKontoKL_NR(1), "61109010140000071219812874");
        EXPECT_EQ(s.GetStronaKS(2), u'D');
        EXPECT_EQ(s.GetOpisTR(2), "Prowizja za przelew");
    }
    // The file with a mark read with the default "UTF-8" choice: the mark decides as well.
    const auto w = OtworzWyciag(bajty("ing_utf8_bom.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.wyciag()->GetNazwaKL(0), nazwa);
    EXPECT_EQ(w.wyciag()->GetKwotaTR(0), Money::fromCents(123456));
    // With "ISO-8859-2" the decoded text is re-read through its Windows-1250 bytes.
    const auto iso = OtworzWyciag(bajty("ing_utf8_bom.sta"), TKodowanie::kdISO_8859_2);
    ASSERT_TRUE(iso.ok());
    EXPECT_NE(iso.wyciag()->GetNazwaKL(0), nazwa);
    // Code page 852 read as Windows-1250: the letters differ, the structure does not.
    const auto zle = OtworzWyciag(bajty("ing_cp852.sta"), TKodowanie::kdWin_1250);
    ASSERT_TRUE(zle.ok());
    EXPECT_NE(zle.wyciag()->GetNazwaKL(0), nazwa);
    EXPECT_EQ(zle.wyciag()->MaxIndex(), 2);
}

TEST(WczytajWyciag, BzwbkWindows1250File) {
    const auto w = OtworzWyciag(bajty("bzwbk_win1250.sta"), TKodowanie::kdWin_1250);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const auto& s = *w.wyciag();
    EXPECT_EQ(s.Bank(), bk_BZWBK);
    EXPECT_EQ(s.GetNrWyciagu(), "00012");
    ASSERT_EQ(s.MaxIndex(), 1);
    EXPECT_EQ(s.GetNazwaKL(0), QString::fromUtf8("Świętokrzyska Spółka Źródlana"));
    EXPECT_EQ(s.GetOpisTR(0), QString::fromUtf8("Zapłata za fakturę 12/03"));
    EXPECT_EQ(s.GetKontoKL(0), "PL27114020040000300201355387");
    EXPECT_EQ(s.GetStronaKS(1), u'D');
    EXPECT_EQ(s.GetKontoKL(1), "");
    // Read as UTF-8 the Polish bytes become U+FFFD.
    const auto u = OtworzWyciag(bajty("bzwbk_win1250.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(u.ok());
    EXPECT_EQ(u.wyciag()->GetNazwaKL(0), QString::fromUtf8("\uFFFDwi\uFFFDtokrzyska Sp\uFFFD"
                                                           "\uFFFDka \uFFFDr\uFFFDdlana"));
}

TEST(WczytajWyciag, AliorIso88592File) {
    const auto w = OtworzWyciag(bajty("alior_iso8859-2.sta"), TKodowanie::kdISO_8859_2);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const auto& s = *w.wyciag();
    EXPECT_EQ(s.Bank(), bk_Alior_Bank);
    EXPECT_EQ(s.GetNrWyciagu(), "7"); // few line breaks: the number runs up to ":60F:"
    EXPECT_EQ(s.GetKontoWL(), "75249000050000400070436987");
    EXPECT_EQ(s.SaldoPocz(), -Money::fromCents(2500));
    ASSERT_EQ(s.MaxIndex(), 0);
    EXPECT_EQ(s.GetOpisTR(0), QString::fromUtf8("Ąś Źą tytuł część druga"));
    EXPECT_EQ(s.GetNazwaKL(0), QString::fromUtf8("ŚWIĄTEK ŹDZISŁAW Ąń"));
    // Read as Windows-1250 the letters with other codes come out wrong, the rest right.
    const auto win = OtworzWyciag(bajty("alior_iso8859-2.sta"), TKodowanie::kdWin_1250);
    ASSERT_TRUE(win.ok());
    const QString opisWin = win.wyciag()->GetOpisTR(0);
    EXPECT_TRUE(opisWin.endsWith(QString::fromUtf8("ł czę¶ć druga"))) << opisWin.toStdString();
    EXPECT_NE(win.wyciag()->GetNazwaKL(0), s.GetNazwaKL(0));
}

TEST(WczytajWyciag, MbankFileIsRefused) {
    const auto w = OtworzPlikWyciagu(fixture("mbank.sta"), TKodowanie::kdUTF_8);
    ASSERT_FALSE(w.ok());
    EXPECT_EQ(w.komunikat(), nieobslugiwany);
}

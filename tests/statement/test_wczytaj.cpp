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
           "\r\n:28C:1/1\r\n:60F:C230102PLN1,00\r\n:61:230103C1,00\r\n:86:~20X\r\n"
           ":62F:C230103PLN2,00\r\n";
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

// A bank without a dialect of its own is read by the shape of its field 86; one whose field
// 86 has no known shape is refused, naming the bank.
TEST(WczytajWyciag, BanksWithoutDialectReadByShape) {
    const QByteArray agricole = minimalny(":25:/PL12194000050000400070436987");
    const auto w = OtworzWyciag(agricole, TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    EXPECT_EQ(w.wyciag()->NazwaUkladu(), QString::fromUtf8("układ ogólny ~"));
    EXPECT_EQ(w.wyciag()->Bank(), bk_Credit_Agricole);
    EXPECT_EQ(w.wyciag()->GetOpisTR(0), "X");

    const QString nieznany = QString::fromUtf8("Nie rozpoznano banku rachunku wyciągu (pole :25:)");
    const struct {
        const char* linia;
        QString bank;
    } cases[] = {
        {":25:/PL12194000050000400070436987",
         QString::fromUtf8("Rachunek wyciągu jest w banku ") + NazwaBankuIII(194)},
        {":25:/DE89370400440532013000", nieznany},
        {":25:", nieznany},
    };
    for (const auto& c : cases) {
        QByteArray b = minimalny(c.linia);
        b.replace(":86:~20X", ":86:PRZELEW X");
        const auto r = OtworzWyciag(b, TKodowanie::kdUTF_8);
        ASSERT_FALSE(r.ok()) << c.linia;
        EXPECT_TRUE(r.komunikat().startsWith(nieobslugiwany + u'\r' + c.bank + ", a pole :86:"))
            << r.komunikat().toStdString();
    }
    // A named bank's dialect reads the file whatever its account.
    const auto named =
        OtworzWyciag(minimalny(":25:/PL27114020040000300201355387"), TKodowanie::kdUTF_8, bk_ING);
    ASSERT_TRUE(named.ok());
    EXPECT_EQ(named.wyciag()->Bank(), bk_ING);
    EXPECT_EQ(named.wyciag()->GetOpisTR(0), "X");
}

TEST(WczytajWyciag, OwnerLineEndingAtTag28) {
    // The bank is chosen, and the statement is registered with its own account.
    const QByteArray b = ":25:/PL61109010140000071219812874\r\n:28:1/1\r\n:60F:C230102PLN1,00\r\n"
                         ":61:230103C1,00\r\n:86:>20X\r\n:62F:C230103PLN2,00\r\n";
    const auto w = OtworzWyciag(b, TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok());
    EXPECT_EQ(w.wyciag()->Bank(), bk_BZWBK);
    EXPECT_EQ(w.wyciag()->GetKontoWL(), "61109010140000071219812874");
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
    // so the reading says the file is not UTF-8.
    EXPECT_FALSE(w.nieUtf8());
    const auto u = OtworzWyciag(bajty("bzwbk_win1250.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(u.ok());
    EXPECT_TRUE(u.nieUtf8());
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

// A file of an mBank account whose field 86 has "~" subfields rather than mBank's keywords is
// read by that shape.
TEST(WczytajWyciag, FieldShapeWinsOverTheBanksDialect) {
    const auto w = OtworzPlikWyciagu(fixture("mbank.sta"), TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    EXPECT_EQ(w.wyciag()->NazwaUkladu(), QString::fromUtf8("układ ogólny ~"));
    EXPECT_EQ(w.wyciag()->GetNazwaKL(0), "NADAWCA");
}

// Today's Santander layout: ">31" holds the statement's own account, ">38" the payer's.
TEST(WczytajWyciag, Santander2024Layout) {
    const auto w = OtworzPlikWyciagu(fixture("santander_2024.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    ASSERT_EQ(w.wyciagi().size(), 1u);
    const auto& s = *w.wyciag();
    EXPECT_EQ(s.Bank(), bk_BZWBK);
    EXPECT_EQ(s.GetNrWyciagu(), "2024/77");
    EXPECT_EQ(s.GetKontoWL(), "80109000040000001260140001");
    EXPECT_EQ(s.LiniaSaldoPocz(), "C240221PLN0,00");
    ASSERT_EQ(s.MaxIndex(), 3);
    const char* const konta[] = {"14109000047074000000006003", "52109000047074000000006004",
                                 "14109000047074000000006003"};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(s.GetStronaKS(i), u'C');
        EXPECT_EQ(s.GetKontoKL(i), konta[i]) << i;
        EXPECT_EQ(s.GetKontoKL_KR(i), "") << i;
    }
    EXPECT_EQ(s.GetNazwaKL(0), "CEZARY KOWALCZYK UL. OKREZNA 16 83-305 HOPY");
    EXPECT_EQ(s.GetOpisTR(1), "FV 2/2024 EIN52109000047074000000006004");
    EXPECT_EQ(s.GetKwotaTR(1), Money::fromCents(12050));
    // A debit with only the own account keeps it: the booking never gets that far with it.
    EXPECT_EQ(s.GetStronaKS(3), u'D');
}

TEST(WczytajWyciag, SantanderOlderLayoutKeepsField31) {
    const auto w = OtworzPlikWyciagu(fixture("santander_old.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const auto& s = *w.wyciag();
    EXPECT_EQ(s.GetNrWyciagu(), "00031");
    ASSERT_EQ(s.MaxIndex(), 0);
    EXPECT_EQ(s.GetKontoKL(0), "27114020040000300201355387");
    EXPECT_EQ(s.GetNazwaKL(0), "JAN NOWAK UL. POLNA 1 00-001 WARSZAWA");
}

// The pages of one statement are one list, registered by the first page's opening line;
// the intermediate balances end field 86 as the closing one does.
TEST(WczytajWyciag, StatementInPagesIsOne) {
    const auto w = OtworzPlikWyciagu(fixture("santander_pages.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    ASSERT_EQ(w.wyciagi().size(), 1u);
    const auto& s = *w.wyciag();
    EXPECT_EQ(s.GetNrWyciagu(), "17001");
    EXPECT_EQ(s.LiniaSaldoPocz(), "C170123PLN100,00");
    ASSERT_EQ(s.MaxIndex(), 1);
    EXPECT_EQ(s.GetNazwaKL(0), "ANNA ZIELINSKA");
    EXPECT_EQ(s.GetKontoKL(0), "27114020040000300201355387");
    EXPECT_EQ(s.GetNazwaKL(1), "ROMAN WOJCIK");
    EXPECT_EQ(s.GetKwotaTR(1), Money::fromCents(2500));
    for (int i = 0; i <= s.MaxIndex(); ++i)
        for (const QString& v : {s.GetNazwaKL(i), s.GetOpisTR(i), s.GetKontoKL(i)})
            EXPECT_FALSE(v.contains(u':')) << v.toStdString();
}

TEST(WczytajWyciag, BzwbkStatementNumbers) {
    const struct {
        const char* linia28;
        const char* numer;
    } cases[] = {
        {":28C:2024/77/1", "2024/77"}, {":28C:00012/001", "00012"},
        {":28C:17001/2", "17001"},     {":28C:12", "12"},
        {":28C: 5/1 ", "5"},
    };
    for (const auto& c : cases) {
        QByteArray b = minimalny(":25:/PL61109010140000071219812874");
        b.replace(":28C:1/1", c.linia28);
        b.replace("~20X", ">20X");
        const auto w = OtworzWyciag(b, TKodowanie::kdUTF_8);
        ASSERT_TRUE(w.ok()) << c.linia28;
        EXPECT_EQ(w.wyciag()->GetNrWyciagu(), c.numer) << c.linia28;
    }
}

namespace {
QByteArray calosc0() {
    return bajty("ing_multi.sta");
}
} // namespace

// A bank's export of several days: every statement is read, in file order.
TEST(WczytajWyciag, SeveralStatementsInOneFile) {
    const auto w = OtworzPlikWyciagu(fixture("ing_multi.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    ASSERT_EQ(w.wyciagi().size(), 3u);
    const char* const linie[] = {"C230228PLN1000,00", "C230301PLN1100,00", "C230302PLN1300,00"};
    const char* const numery[] = {"45/1", "46/1", "47/1"};
    for (size_t i = 0; i < 3; ++i) {
        const auto& s = *w.wyciagi()[i];
        EXPECT_EQ(s.LiniaSaldoPocz(), linie[i]);
        EXPECT_EQ(s.GetNrWyciagu(), numery[i]);
        EXPECT_EQ(s.GetKontoWL(), "79105010120000000012345678");
        EXPECT_EQ(s.MaxIndex(), 0);
    }
    EXPECT_EQ(w.wyciagi()[1]->GetNazwaKL(0), "FIRMA DRUGA");

    // Without line breaks between them the statements are told apart all the same.
    QByteArray bezLinii = calosc0();
    bezLinii.replace("\r\n", "");
    const auto jednaLinia = OtworzWyciag(bezLinii + "\r\n", TKodowanie::kdUTF_8);
    ASSERT_TRUE(jednaLinia.ok()) << jednaLinia.komunikat().toStdString();
    EXPECT_EQ(jednaLinia.wyciagi().size(), 3u);
    EXPECT_EQ(jednaLinia.wyciagi()[2]->LiniaSaldoPocz(), "C230302PLN1300,00");

    // Nor do envelopes of a SWIFT message stop them being read.
    QByteArray koperty = bajty("santander_pages.sta");
    koperty.replace("\r\n", "");
    const auto wKopertach = OtworzWyciag(koperty, TKodowanie::kdUTF_8);
    ASSERT_TRUE(wKopertach.ok()) << wKopertach.komunikat().toStdString();
    EXPECT_EQ(wKopertach.wyciag()->MaxIndex(), 1);
    EXPECT_EQ(wKopertach.wyciag()->GetNazwaKL(1), "ROMAN WOJCIK");

    // A statement cut short after the last closing balance refuses the file.
    QFile f(fixture("ing_multi.sta"));
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QByteArray calosc = f.readAll();
    const QByteArray urwany = calosc + calosc.left(calosc.indexOf(":62F:"));
    EXPECT_EQ(OtworzWyciag(urwany, TKodowanie::kdUTF_8).komunikat(),
              "Niepoprawna struktura pliku. Brak sekcji: :62F:");
}

// Values too long for the statement registry refuse the file with a Polish message; an
// unreadable amount does too, naming its line.
TEST(WczytajWyciag, OddValuesRefuseTheFile) {
    const struct {
        const char* z;
        const char* na;
        const char* komunikat;
    } cases[] = {
        {":60F:C230102PLN1,00", ":60F:C230102PLN1,00 SALDO POCZATKOWE DNIA",
         "Saldo początkowe dłuższe niż 25 znaków w wierszu :60F:"},
        {":61:230103C1,00", ":61:230103C1.00",
         "Nie można odczytać kwoty w wierszu :61:230103C1.00"},
        {":61:230103C1,00", ":61:230199C1,00", "Nie można odczytać daty w wierszu :61:230199C1,00"},
    };
    for (const auto& c : cases) {
        QByteArray b = minimalny(":25:/PL79105010120000000012345678");
        b.replace(c.z, c.na);
        const auto w = OtworzWyciag(b, TKodowanie::kdUTF_8);
        ASSERT_FALSE(w.ok()) << c.na;
        EXPECT_TRUE(w.komunikat().startsWith(QString::fromUtf8(c.komunikat)))
            << w.komunikat().toStdString();
    }
}

#include "FTypy.h"
#include "Pole86.h"
#include "TestPrinters.h"
#include "WczytajWyciag.h"

#include <QFile>
#include <QLocale>
#include <QStringEncoder>

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

QString u(const char* s) {
    return QString::fromUtf8(s);
}

// An amount as the messages write it, under the user's regional settings.
QString kw(std::int64_t grosze) {
    return Money::fromCents(grosze).format(QLocale());
}

// The worked ING statement with the given lines in place of its two entries.
QByteArray ing(const QByteArray& wpisy, const QByteArray& saldoKonc = ":62F:C230103PLN1230,50") {
    return ":20:ST230103\r\n:25:/PL79105010120000000012345678\r\n:28C:3/1\r\n"
           ":60F:C230102PLN1000,00\r\n" +
           wpisy + saldoKonc + "\r\n";
}

const QByteArray DwaWpisy =
    ":61:2301030103CN250,50NTRFNONREF//BANKREF1\r\n"
    ":86:152~20FV 12/2023~32FIRMA TESTOWA~38PL27114020040000300201355387\r\n"
    ":61:230103D20,00NCHGNONREF\r\n"
    ":86:~20PROWIZJA\r\n";
} // namespace

// Each bank's statement as its export writes it, read with the encoding left to the reader:
// the dialect chosen by the statement's own account, and payer, name and title of the first
// credit.
TEST(Dialekty, EachBanksStatement) {
    const struct {
        const char* plik;
        TKodowanie kodowanie;
        const char* uklad;
        const char* konto;
        const char* nazwa;
        const char* opis;
        const char* kwota;
    } cases[] = {
        {"pko_iso8859-2.sta", TKodowanie::kdISO_8859_2, "PKO BP", "PL50105014451000009012345678",
         "PRZEDSIĘBIORSTWO USŁUG SKARBOWYCH ŻURAWIE UL. POLNA 1",
         "Zapłata za fakturę FV 12/03/2024 i FV 13/03/2024", "1234.56"},
        {"mbank_pln_eur.sta", TKodowanie::kdISO_8859_2, "mBank", "08105014451000009099999999",
         "ŚWIĘTOKRZYSKA FIRMA HANDLOWA SP. Z O.O. UL. KIELECKA 5 25-001 KIELCE",
         "FAKTURA VAT NR FV/7/03/2024 ZA TOWAR", "1500.00"},
        {"pekao_cp852.sta", TKodowanie::kdCP_852, "Pekao", "PL61109010140000071219812874",
         "PRZEDSIĘBIORSTWO HANDLOWO-USŁUGOWE GRZEGORZ BRZĘCZYSZCZYKIEWICZ UL. ŻÓŁKIEWSKIEGO 12/3 "
         "00-950 WARSZAWA",
         "ZAPŁATA ZA FAKTURĘ NR FV/2024/03/118 Z DNIA 01.03.2024", "1000.00"},
        {"bnp_win1250.sta", TKodowanie::kdWin_1250, "BNP Paribas", "95194010140000071219812874",
         "SPÓŁDZIELNIA MIESZKANIOWA ŁĄCZNIK UL. DŁUGA 2 ŁÓDŹ", "FV 3/2024", "300.00"},
        {"nest.sta", TKodowanie::kdUTF_8, "Nest Bank", "03105014451000009077777777",
         "JANINA ZIELINSKA UL. LESNA 4 00-001 WARSZAWA", "FAKTURA FV/5/2024 ZA USLUGI", "99.99"},
        {"alior_multicash.sta", TKodowanie::kdCP_852, "Alior (MultiCash)",
         "61109010140000071219812874", "WÓJCIK ŁUKASZ UL. GÓRNA 7 31-001 KRAKÓW",
         "ZAPŁATA ZA FAKTURĘ FV/11/2024 CZĘŚĆ PIERWSZA", "410.00"},
        {"millennium_cp852.sta", TKodowanie::kdCP_852, "Millennium", "49105014451000009066666666",
         "MARIA DĄBROWSKA UL. WIŚNIOWA 3", "OPŁATA ZA SZKOLENIE", "75.00"},
        {"ing_cp852.sta", TKodowanie::kdCP_852, "ING", "PL27114020040000300201355387",
         "PRZEDSIĘBIORSTWO ŻÓŁTA ŁÓDŹ SPÓŁKA Z O.O.", "Faktura FV 7/2023 za usługi księgowe",
         "1234.56"},
        {"bzwbk_win1250.sta", TKodowanie::kdWin_1250, "Santander/Erste",
         "PL27114020040000300201355387", "Świętokrzyska Spółka Źródlana",
         "Zapłata za fakturę 12/03", "500.00"},
        {"ing_utf8_bom.sta", TKodowanie::kdUTF_8, "ING", "PL27114020040000300201355387",
         "PRZEDSIĘBIORSTWO ŻÓŁTA ŁÓDŹ SPÓŁKA Z O.O.", "Faktura FV 7/2023 za usługi księgowe",
         "1234.56"},
    };
    for (const auto& c : cases) {
        const auto w = OtworzWyciag(bajty(c.plik), TKodowanie::kdWykryj);
        ASSERT_TRUE(w.ok()) << c.plik << ": " << w.komunikat().toStdString();
        EXPECT_EQ(w.kodowanie(), c.kodowanie) << c.plik;
        EXPECT_TRUE(w.wykryte());
        const IWyciag& s = *w.wyciag();
        EXPECT_EQ(s.NazwaUkladu(), u(c.uklad)) << c.plik;
        EXPECT_EQ(s.Waluta(), "PLN");
        EXPECT_EQ(s.GetZnakTR(0), ZnakTR::C) << c.plik;
        EXPECT_EQ(s.GetKontoKL(0), u(c.konto)) << c.plik;
        EXPECT_EQ(s.GetNazwaKL(0), u(c.nazwa)) << c.plik;
        EXPECT_EQ(s.GetOpisTR(0), u(c.opis)) << c.plik;
        EXPECT_EQ(s.GetKwotaTR(0).toFixed2(), c.kwota) << c.plik;
    }
}

// PKO BP: a lone 0xFF is an empty subfield; without "~38" the account is made of "~30" and
// "~31" with its check digits.
TEST(Dialekty, PkoFillerAndSplitAccount) {
    const auto w = OtworzWyciag(bajty("pko_iso8859-2.sta"), TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const IWyciag& s = *w.wyciag();
    ASSERT_EQ(s.MaxIndex(), 2);
    EXPECT_EQ(s.GetNazwaKL(1), u("URZĄD GMINY"));
    EXPECT_EQ(s.GetOpisTR(1), "Czynsz marzec");
    EXPECT_EQ(s.GetKontoKL(1), "61102030000000111122223333");
    EXPECT_EQ(s.GetKontoKL(2), "");
    EXPECT_EQ(s.GetOpisTR(2), u("Opłata za prowadzenie rachunku"));
    for (int i = 0; i <= s.MaxIndex(); ++i)
        for (const QString& v : {s.GetNazwaKL(i), s.GetOpisTR(i), s.GetKontoKL(i)})
            EXPECT_FALSE(v.contains(u'\u02D9')) << v.toStdString();
    EXPECT_EQ(CyfryKontrolne("10203000", "0000111122223333"), "61");
    EXPECT_EQ(CyfryKontrolne("1020300", "0000111122223333"), "");
}

// Pekao: "^38" with and without "PL", zero-padded amounts, ":NS:" after the opening balance.
TEST(Dialekty, PekaoPiecesAndPaddedAmounts) {
    const auto w = OtworzWyciag(bajty("pekao_cp852.sta"), TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const IWyciag& s = *w.wyciag();
    EXPECT_EQ(s.LiniaSaldoPocz(), "C240304PLN000000001273,23");
    EXPECT_EQ(s.SaldoPocz().toFixed2(), "1273.23");
    ASSERT_EQ(s.MaxIndex(), 2);
    EXPECT_EQ(s.GetKontoKL_KR(0), "PL");
    EXPECT_EQ(s.GetKontoKL(1), "27114020040000300201355387");
    EXPECT_EQ(s.GetKontoKL_KR(1), "");
    EXPECT_EQ(s.GetNazwaKL(1), u("JAN KOWALSKI UL. KRÓTKA 1 CZĘSTOCHOWA"));
    EXPECT_EQ(s.GetKwotaTR(1).toFixed2(), "50.50");
}

// mBank: one file holds an account's statement in PLN and another's in EUR, each between SOH
// and ETX; the euro credit carries the funds code R, which is no reversal.
TEST(Dialekty, MbankAccountsOfTwoCurrencies) {
    const auto w = OtworzWyciag(bajty("mbank_pln_eur.sta"), TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    ASSERT_EQ(w.wyciagi().size(), 2u);
    const IWyciag& pln = *w.wyciagi()[0];
    const IWyciag& eur = *w.wyciagi()[1];
    EXPECT_EQ(pln.Waluta(), "PLN");
    EXPECT_EQ(pln.GetKontoWL(), "27114020040000300201355387");
    ASSERT_EQ(pln.MaxIndex(), 1);
    EXPECT_EQ(pln.GetOpisTR(1), u("OPŁATA ZA PRZELEW"));
    EXPECT_EQ(pln.GetNrWyciagu(), "00012/1");
    EXPECT_EQ(eur.Waluta(), "EUR");
    EXPECT_EQ(eur.GetKontoWL(), "35114020040000310201355388");
    ASSERT_EQ(eur.MaxIndex(), 0);
    EXPECT_EQ(eur.GetZnakTR(0), ZnakTR::C);
    EXPECT_EQ(eur.GetStronaKS(0), u'C');
    EXPECT_EQ(eur.GetNazwaKL(0), "ZAGRANICZNY KLIENT GMBH");
    EXPECT_EQ(eur.GetOpisTR(0), "INVOICE 42");
}

// Tags count only at the start of a line: a title holding ":61:…:86:" and ":62F:" is text,
// and neither invents a payment nor ends the statement.
TEST(Dialekty, TagsInsideATitleAreText) {
    const QByteArray wpisy =
        ":61:2301030103CN1,00NTRFNONREF//R1\r\n"
        ":86:152~20ZWROT :61:2301030103CN9999,00NTRF:86:OSZUST :62F:C230103PLN0,00\r\n"
        "~32FIRMA PRAWDZIWA~38PL27114020040000300201355387\r\n";
    const auto w = OtworzWyciag(ing(wpisy, ":62F:C230103PLN1001,00"), TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const IWyciag& s = *w.wyciag();
    ASSERT_EQ(s.MaxIndex(), 0);
    EXPECT_EQ(s.GetKwotaTR(0).toFixed2(), "1.00");
    EXPECT_EQ(s.GetNazwaKL(0), "FIRMA PRAWDZIWA");
    EXPECT_EQ(s.GetKontoKL(0), "PL27114020040000300201355387");
    EXPECT_EQ(s.GetOpisTR(0), "ZWROT :61:2301030103CN9999,00NTRF:86:OSZUST :62F:C230103PLN0,00");
}

// Lines some banks add between the fields end the field before them and are passed over.
TEST(Dialekty, NonStandardLinesArePassedOver) {
    const QByteArray wpisy =
        ":NS:22BANK\r\n" + DwaWpisy + ":34F:PLNC0,00\r\n:13D:2301031200+0100\r\n";
    const auto w =
        OtworzWyciag(ing(wpisy, ":90D:1PLN20,00\r\n:90C:1PLN250,50\r\n:62F:C230103PLN1230,50"),
                     TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    EXPECT_EQ(w.wyciag()->LiniaSaldoPocz(), "C230102PLN1000,00");
    EXPECT_EQ(w.wyciag()->GetOpisTR(1), "PROWIZJA");
}

// A statement must add up, in one currency; otherwise the file is refused naming the
// statement and the two sums.
TEST(Dialekty, StatementsThatDoNotAddUpAreRefused) {
    const struct {
        QByteArray tekst;
        QString komunikat;
    } cases[] = {
        {ing(DwaWpisy, ":62F:C230103PLN1250,50"),
         u("nie bilansuje się: saldo początkowe ") + kw(100000) + u(" + uznania ") + kw(25050) +
             u(" − obciążenia ") + kw(2000) + " = " + kw(123050) + " PLN, a saldo :62F: wynosi " +
             kw(125050) + " PLN."},
        {ing(DwaWpisy, ":62F:D230103PLN1230,50"), "a saldo :62F: wynosi " + kw(-123050) + " PLN."},
        {ing(DwaWpisy, ":62F:C230103EUR1230,50"),
         u("waluta salda :62F: (EUR) nie zgadza się z walutą salda początkowego :60F: (PLN).")},
        {ing(QByteArray(DwaWpisy).replace("CN250,50", "CR250,50")),
         u("kod waluty R w wierszu :61:2301030103CR250,50NTRFNONREF//BANKREF1 nie zgadza się z "
           "walutą wyciągu (PLN).")},
        {ing(DwaWpisy, ":62F:C230103PLN"), u("Nie można odczytać salda w wierszu :62F:C230103PLN")},
        // A reversed credit takes money back: counted as such, the sums no longer agree.
        {ing(QByteArray(DwaWpisy).replace("CN250,50", "RC250,50")), u("nie bilansuje się")},
    };
    for (const auto& c : cases) {
        const auto w = OtworzWyciag(c.tekst, TKodowanie::kdWykryj);
        ASSERT_FALSE(w.ok()) << c.komunikat.toStdString();
        EXPECT_TRUE(w.komunikat().contains(c.komunikat)) << w.komunikat().toStdString();
        EXPECT_TRUE(w.komunikat().contains("Wyciąg nr 3/1") ||
                    w.komunikat().startsWith("Nie można"))
            << w.komunikat().toStdString();
    }
    // Reversals and funds codes as they add up: RC takes away, RD gives back, CD in dollars.
    const QByteArray usd = ":20:X\r\n:25:/PL27124010371111000012345678\r\n:28C:1\r\n"
                           ":60F:C240301USD100,00\r\n"
                           ":61:240301CD50,00NTRF\r\n:86:^20A^38PL61109010140000071219812874\r\n"
                           ":61:240301RC10,00NTRF\r\n:86:^20B^38PL61109010140000071219812874\r\n"
                           ":61:240301RD5,00NTRF\r\n:86:^20C\r\n"
                           ":62F:C240301USD145,00\r\n";
    const auto w = OtworzWyciag(usd, TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const IWyciag& s = *w.wyciag();
    EXPECT_EQ(s.Waluta(), "USD");
    EXPECT_EQ(s.GetZnakTR(0), ZnakTR::C);
    EXPECT_EQ(s.GetZnakTR(1), ZnakTR::RC);
    EXPECT_EQ(s.GetZnakTR(2), ZnakTR::RD);
    EXPECT_EQ(s.GetStronaKS(1), u'R');
}

// The pages of a statement add up each, and together.
TEST(Dialekty, PagesAddUpEach) {
    QByteArray b = bajty("santander_pages.sta");
    EXPECT_TRUE(OtworzWyciag(b, TKodowanie::kdWykryj).ok());
    b.replace(":62M:C170124PLN150,00", ":62M:C170124PLN160,00");
    const auto w = OtworzWyciag(b, TKodowanie::kdWykryj);
    ASSERT_FALSE(w.ok());
    EXPECT_TRUE(w.komunikat().contains(u("a saldo :62M: wynosi ") + kw(16000) + " PLN"))
        << w.komunikat().toStdString();
}

// With no encoding chosen: valid UTF-8 (with or without a byte-order mark) is UTF-8; else the
// code page whose letters are Polish; a file none reads cleanly is refused.
TEST(Dialekty, EncodingFoundByItself) {
    const QString nazwa = u("ŻÓŁTA ŁÓDŹ ŚWIĘTA");
    const auto plik = [&](const QByteArray& litery) {
        QByteArray b = ing(DwaWpisy);
        return b.replace("FIRMA TESTOWA", litery);
    };
    const struct {
        const char* kodek;
        TKodowanie kodowanie;
    } cases[] = {{"UTF-8", TKodowanie::kdUTF_8},
                 {"windows-1250", TKodowanie::kdWin_1250},
                 {"ISO-8859-2", TKodowanie::kdISO_8859_2},
                 {"IBM852", TKodowanie::kdCP_852}};
    for (const auto& c : cases) {
        QStringEncoder enc(c.kodek);
        const QByteArray b = plik(enc.encode(nazwa));
        ASSERT_FALSE(enc.hasError()) << c.kodek;
        EXPECT_EQ(WykryjKodowanie(b), c.kodowanie) << c.kodek;
        const auto w = OtworzWyciag(b, TKodowanie::kdWykryj);
        ASSERT_TRUE(w.ok()) << c.kodek;
        EXPECT_EQ(w.wyciag()->GetNazwaKL(0), nazwa) << c.kodek;
        EXPECT_EQ(w.opisKodowania(), NazwaKodowania(c.kodowanie) + " (wykryte)");
    }
    EXPECT_EQ(WykryjKodowanie("\xEF\xBB\xBF" + plik(nazwa.toUtf8())), TKodowanie::kdUTF_8);
    EXPECT_EQ(WykryjKodowanie(plik("ASCII")), TKodowanie::kdUTF_8);
    // A UTF-16 file is told by its mark, and said to be one.
    const QString tekst16 = QString::fromUtf8(plik(nazwa.toUtf8()));
    QByteArray utf16("\xFF\xFE");
    utf16.append(reinterpret_cast<const char*>(tekst16.utf16()), tekst16.size() * 2);
    const auto w16 = OtworzWyciag(utf16, TKodowanie::kdWykryj);
    ASSERT_TRUE(w16.ok()) << w16.komunikat().toStdString();
    EXPECT_EQ(w16.wyciag()->GetNazwaKL(0), nazwa);
    EXPECT_EQ(w16.opisKodowania(), "UTF-16 (znacznik BOM)");
    // Letters that Windows-1250 and ISO-8859-2 write alike read the same either way.
    EXPECT_EQ(WykryjKodowanie(plik("\xB3\xF3\xBF")), TKodowanie::kdWin_1250);

    // 0x81 is no letter in Windows-1250 or ISO-8859-2, 0xB0 a box in CP-852.
    const auto zly = OtworzWyciag(plik("\x81\xB0"), TKodowanie::kdWykryj);
    ASSERT_FALSE(zly.ok());
    EXPECT_EQ(zly.komunikat(), BrakKodowania());
    // A chosen encoding is obeyed.
    const auto wybrane = OtworzWyciag(plik("\x81\xB0"), TKodowanie::kdWin_1250);
    ASSERT_TRUE(wybrane.ok());
    EXPECT_FALSE(wybrane.wykryte());
    // A file that is no statement says that first.
    EXPECT_EQ(OtworzWyciag("\x81\xB0 nic", TKodowanie::kdWykryj).komunikat(),
              "Niepoprawna struktura pliku. Brak sekcji: :60F:");
}

// The keyword text of mBank: labels and values wherever a line was wrapped.
TEST(Dialekty, KeywordsWrappedAnywhere) {
    const QString t =
        u("854 PRZELEW; Z RA\r\nCH.: 0410 5014 4510 00\r\n00 9099 9999 99; OD: JAN KOW"
          "\r\nALSKI; TYT.: FV 1; 2; TNR: 1.0");
    const Dane86 d = CzytajPole86(t, dialekty::mBank, QString());
    EXPECT_EQ(d.konto, "04105014451000009099999999");
    EXPECT_EQ(d.nazwa, "JAN KOWALSKI");
    EXPECT_EQ(d.opis, "FV 1; 2");
    // Outgoing: the counterparty is the payee.
    const Dane86 na = CzytajPole86(u("852 PRZELEW WYCH.; NA RACH.: 12; DLA: ZUS; TYT.: SKLADKA"),
                                   dialekty::mBank, QString());
    EXPECT_EQ(na.konto, "12");
    EXPECT_EQ(na.nazwa, "ZUS");
}

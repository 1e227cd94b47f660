#include "FakturaKSeF.h"
#include "JpkReader.h"
#include "ZrodloFaktur.h"

#include "TestPrinters.h"
#include "ZipPisz.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

QString fixKsef(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/ksef/") + QString::fromUtf8(name);
}
QString jpk(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/invoices/") + QString::fromUtf8(name);
}

recFaktura jedna(const char* name) {
    const ListaFaktur l = CzytajListeFaktur(fixKsef(name));
    EXPECT_EQ(l.faktury.size(), 1u) << name;
    return l.faktury.empty() ? recFaktura() : l.faktury[0];
}

QString odmowa(const std::function<void()>& f) {
    try {
        f();
    } catch (const JpkRefused& e) {
        return e.message();
    }
    return QStringLiteral("<accepted>");
}

// The plain FA(3) invoice with one element's text replaced (or the element removed).
QByteArray zmieniona(const QByteArray& element, const QByteArray& text, bool usun = false) {
    QByteArray x = CzytajPlik(fixKsef("fa3_vat.xml"));
    const QByteArray open = "<" + element + ">";
    const QByteArray close = "</" + element + ">";
    const auto a = x.indexOf(open);
    const auto b = x.indexOf(close, a);
    if (usun)
        x.remove(a, b + close.size() - a);
    else
        x.replace(a + open.size(), b - a - open.size(), text);
    return x;
}

QString odmowaBajtow(const QByteArray& bytes) {
    return odmowa([&] {
        ListaFaktur l;
        CzytajPlikFaktur(bytes, QStringLiteral("5990000010-20260215-ABC.xml"), true, l);
    });
}

} // namespace

TEST(KSeF, Fa3AndFa2ReadAlike) {
    const recFaktura f3 = jedna("fa3_vat.xml");
    EXPECT_EQ(f3.NrFakt, "FV/2026/02/1");
    EXPECT_EQ(f3.DataWyst, Date(2026, 2, 15));
    EXPECT_EQ(f3.Kwota, Money::fromCents(123000));
    EXPECT_EQ(f3.Waluta, "PLN");
    EXPECT_EQ(f3.Rodzaj, "VAT");
    EXPECT_EQ(f3.KrNip, "PL");
    EXPECT_EQ(f3.NipOdb, "1112223344");
    EXPECT_EQ(f3.NazwaOdb, QString::fromUtf8("Łąka i Synowie s.c."));
    EXPECT_EQ(f3.AdresOdb, "ul. Polna 1, 00-001 Warszawa");
    EXPECT_EQ(f3.Plik, "fa3_vat.xml");
    EXPECT_TRUE(f3.NrKorygowanej.isEmpty());
    EXPECT_FALSE(f3.WInnejWalucie());

    recFaktura f2 = jedna("fa2_vat.xml");
    EXPECT_EQ(f2.Plik, "fa2_vat.xml");
    f2.Plik = f3.Plik;
    EXPECT_EQ(f2, f3);
}

TEST(KSeF, BuyerForms) {
    struct Case {
        const char* file;
        const char* kr;
        const char* nip;
        const char* nazwa;
        const char* adres;
    };
    for (const Case c : {
             Case{"fa3_eur_ue.xml", "DE", "811907980", "EFG GmbH",
                  "Blümchenstraße 1, 10999 Berlin"},
             Case{"fa3_inny_kraj.xml", "UA", "3012345678", "TOW Dnipro",
                  "vul. Khreshchatyk 1, Kyiv"},
             Case{"fa3_brak_id.xml", "", "", "", ""}, // no number, no name, no address
             Case{"fa3_kor.xml", "PL", "1112223344", "Łąka i Synowie s.c.",
                  "ul. Polna 1, 00-001 Warszawa"}, // one address line
         }) {
        const recFaktura f = jedna(c.file);
        EXPECT_EQ(f.KrNip, QString::fromUtf8(c.kr)) << c.file;
        EXPECT_EQ(f.NipOdb, QString::fromUtf8(c.nip)) << c.file;
        EXPECT_EQ(f.NazwaOdb, QString::fromUtf8(c.nazwa)) << c.file;
        EXPECT_EQ(f.AdresOdb, QString::fromUtf8(c.adres)) << c.file;
    }
}

TEST(KSeF, CorrectionsCurrencyAndReportTexts) {
    const recFaktura kor = jedna("fa3_kor.xml");
    EXPECT_EQ(kor.Kwota, Money::fromCents(-20000));
    EXPECT_EQ(kor.Rodzaj, "KOR");
    EXPECT_EQ(kor.NrKorygowanej, "FV/2026/02/1");
    EXPECT_EQ(kor.KomWprowadz(), QString::fromUtf8("[Zaksięgowano] - FK/2026/03/1 z 15-03-2026 "
                                                   "r. (korekta faktury FV/2026/02/1)"));
    EXPECT_EQ(jedna("fa3_kor_zero.xml").Kwota, Money());

    const recFaktura eur = jedna("fa3_eur_ue.xml");
    EXPECT_EQ(eur.Waluta, "EUR");
    EXPECT_TRUE(eur.WInnejWalucie());
    EXPECT_EQ(
        eur.KomWaluta(),
        QString::fromUtf8("[Pominięto: faktura w walucie EUR] - FV/2026/02/2 z 16-02-2026 r."));
}

TEST(KSeF, TheKindComesFromTheNamespaceNotTheName) {
    // a KSeF invoice under a JPK-like name and a JPK_FA file under a KSeF-like name
    QTemporaryDir dir;
    QFile::copy(fixKsef("fa3_vat.xml"), dir.filePath("JPK_FA.xml"));
    EXPECT_EQ(CzytajListeFaktur(dir.filePath("JPK_FA.xml")).faktury[0].NrFakt, "FV/2026/02/1");
    QFile::copy(jpk("jpk_fa4_tns.xml"), dir.filePath("5990000010-20260215-ABC.xml"));
    EXPECT_EQ(CzytajListeFaktur(dir.filePath("5990000010-20260215-ABC.xml")).faktury.size(), 4u);
    // another namespace with the same element names is not a KSeF invoice
    QByteArray other = CzytajPlik(fixKsef("fa3_vat.xml"));
    other.replace("http://crd.gov.pl/wzor/2025/06/25/13775/", "urn:inny");
    ListaFaktur l;
    CzytajPlikFaktur(other, "inny.xml", true, l);
    EXPECT_TRUE(l.faktury.empty());
    EXPECT_EQ(l.pominietePliki.size(), 1);
}

// A broken file refuses the import, naming the file (and the invoice once it is known).
TEST(KSeF, BrokenFilesRefuse) {
    struct Case {
        QByteArray bytes;
        const char* starts;
    };
    const Case cases[] = {
        {zmieniona("P_2", "", true), "Brak elementu P_2 (numer faktury) faktury bez numeru"},
        {zmieniona("P_2", "  "), "Brak elementu P_2 (numer faktury) faktury bez numeru"},
        {zmieniona("P_1", "", true), "Brak elementu P_1 (data wystawienia) faktury FV/2026/02/1"},
        {zmieniona("P_1", "15.02.2026"),
         "Nie można odczytać daty „15.02.2026” faktury FV/2026/02/1"},
        {zmieniona("P_15", "", true), "Brak elementu P_15 (kwota należności ogółem) faktury"},
        {zmieniona("P_15", "1 230,00"), "Nie można odczytać kwoty „1 230,00” faktury FV/2026/02/1"},
        {zmieniona("P_15", ""), "Brak kwoty (P_15) faktury FV/2026/02/1"},
        {zmieniona("Fa", "", true), "Brak elementu Fa faktury bez numeru"},
        {zmieniona("P_2", "<b>1</b>"), "Element P_2 faktury bez numeru"},
        {CzytajPlik(fixKsef("fa3_vat.xml")).left(400), "Nie udało się otworzyć pliku: 5990000010"},
    };
    for (const Case& c : cases) {
        const QString r = odmowaBajtow(c.bytes);
        EXPECT_TRUE(r.startsWith(QString::fromUtf8(c.starts))) << c.starts << "\n"
                                                               << r.toStdString();
        EXPECT_TRUE(r.contains(QStringLiteral("5990000010-20260215-ABC.xml"))) << r.toStdString();
    }
}

TEST(KSeF, ZipExportWithMetadataAndAStrayFile) {
    QTemporaryDir dir;
    const QString zip = dir.filePath("eksport.zip");
    ZapiszZip(zip,
              {
                  {"5990000010-20260316-0000000000B2-02.xml", CzytajPlik(fixKsef("fa3_kor.xml"))},
                  {"_metadata.json", R"({"invoices":[]})"},
                  {"5990000010-20260215-0000000000A1-01.xml", CzytajPlik(fixKsef("fa3_vat.xml"))},
                  {"notatka.txt", "nie faktura"},
                  {"jpk_vat.xml", CzytajPlik(jpk("jpk_vat.xml"))},
                  {"faktury/", {}},
                  {"faktury/fa2.xml", CzytajPlik(fixKsef("fa2_vat.xml"))},
              });
    const ListaFaktur l = CzytajListeFaktur(zip);
    ASSERT_EQ(l.faktury.size(), 3u);
    // in name order
    EXPECT_EQ(l.faktury[0].Plik, "5990000010-20260215-0000000000A1-01.xml");
    EXPECT_EQ(l.faktury[1].Rodzaj, "KOR");
    EXPECT_EQ(l.faktury[2].Plik, "faktury/fa2.xml");
    EXPECT_EQ(l.pominietePliki,
              QStringList({QString::fromUtf8("[Pominięto plik] - jpk_vat.xml: to nie jest faktura "
                                             "KSeF (FA(2), FA(3)) ani plik JPK_FA."),
                           QString::fromUtf8("[Pominięto plik] - notatka.txt: to nie jest plik xml "
                                             "faktury.")}));

    // a broken member refuses the whole ZIP
    const QString zly = dir.filePath("zly.zip");
    ZapiszZip(zly, {{"a.xml", CzytajPlik(fixKsef("fa3_vat.xml"))},
                    {"b.xml", zmieniona("P_15", "12,50")}});
    const QString r = odmowa([&] { CzytajListeFaktur(zly); });
    EXPECT_TRUE(r.startsWith(QString::fromUtf8("Nie można odczytać kwoty „12,50” faktury "
                                               "FV/2026/02/1 (plik b.xml)")))
        << r.toStdString();

    // not a ZIP after all
    const QString uszk = dir.filePath("uszkodzony.zip");
    QFile f(uszk);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(QByteArray("PK\x03\x04", 4) + QByteArray(100, 'x'));
    f.close();
    EXPECT_TRUE(odmowa([&] {
                    CzytajListeFaktur(uszk);
                }).startsWith(QString::fromUtf8("Nie udało się otworzyć pliku: ") + uszk));
}

// A ZIP re-packed on a Mac carries "__MACOSX/._name" resource forks (binary, not XML) and
// "._name" companions: passed over without a word, the invoices are read.
TEST(KSeF, MacCompanionsInAZipOrFolderArePassedOver) {
    QTemporaryDir dir;
    const QByteArray rozwidlenie("\x00\x05\x16\x07\x00\x02\x00\x00Mac OS X", 16);
    const QString zip = dir.filePath("z_maca.zip");
    ZapiszZip(zip, {{"faktury/", {}},
                    {"faktury/01.xml", CzytajPlik(fixKsef("fa3_vat.xml"))},
                    {"__MACOSX/", {}},
                    {"__MACOSX/faktury/", {}},
                    {"__MACOSX/faktury/._01.xml", rozwidlenie},
                    {"faktury/._02.xml", rozwidlenie}});
    const ListaFaktur l = CzytajListeFaktur(zip);
    ASSERT_EQ(l.faktury.size(), 1u);
    EXPECT_TRUE(l.pominietePliki.isEmpty()) << l.pominietePliki.join('\n').toStdString();

    QDir(dir.path()).mkdir("folder");
    QFile::copy(fixKsef("fa3_vat.xml"), dir.filePath("folder/01.xml"));
    QFile companion(dir.filePath("folder/._01.xml"));
    ASSERT_TRUE(companion.open(QIODevice::WriteOnly));
    companion.write(rozwidlenie);
    companion.close();
    const ListaFaktur f = CzytajListeFaktur(dir.filePath("folder"));
    EXPECT_EQ(f.faktury.size(), 1u);
    EXPECT_TRUE(f.pominietePliki.isEmpty());
}

TEST(KSeF, Folder) {
    QTemporaryDir dir;
    for (const char* n : {"fa3_vat.xml", "fa3_kor.xml", "fa3_eur_ue.xml"})
        QFile::copy(fixKsef(n), dir.filePath(n));
    QFile::copy(jpk("jpk_fa_bez_przestrzeni.xml"), dir.filePath("jpk.xml"));
    QFile stray(dir.filePath("opis.pdf"));
    ASSERT_TRUE(stray.open(QIODevice::WriteOnly));
    stray.close();
    QDir(dir.path()).mkdir("podfolder");
    const ListaFaktur l = CzytajListeFaktur(dir.path() + "  ");
    ASSERT_EQ(l.faktury.size(), 5u); // three KSeF invoices and the JPK_FA file's two
    EXPECT_EQ(l.faktury[0].Plik, "fa3_eur_ue.xml");
    EXPECT_EQ(l.faktury[3].Plik, "jpk.xml");
    EXPECT_EQ(l.pominietePliki.size(), 1);
    EXPECT_TRUE(l.pominietePliki[0].contains("opis.pdf"));

    EXPECT_TRUE(CzytajListeFaktur(QTemporaryDir().path()).faktury.empty());
}

// Fa/Platnosc: the due date is the last of the terms; what was paid on issue comes with the
// invoice; a date or amount that cannot be read refuses the file naming the element.
TEST(KSeF, PaymentTermsAndWhatWasPaidOnIssue) {
    auto z = [](const char* platnosc) {
        QByteArray x = CzytajPlik(fixKsef("fa3_vat.xml"));
        x.replace("</Fa>", QByteArray("<Platnosc>") + platnosc + "</Platnosc></Fa>");
        return x;
    };
    auto czytaj = [](const QByteArray& x) {
        ListaFaktur l;
        CzytajPlikFaktur(x, QStringLiteral("f.xml"), false, l);
        return l.faktury.at(0);
    };
    const recFaktura terminy =
        czytaj(z("<TerminPlatnosci><Termin>2026-03-01</Termin></TerminPlatnosci>"
                 "<TerminPlatnosci><Termin>2026-04-15</Termin></TerminPlatnosci>"
                 "<TerminPlatnosci><Termin>2026-03-20</Termin></TerminPlatnosci><FormaPlatnosci>6"
                 "</FormaPlatnosci>"));
    EXPECT_EQ(terminy.Termin, Date(2026, 4, 15));
    EXPECT_TRUE(terminy.Zaplaty.empty());

    const recFaktura opis = czytaj(
        z("<TerminPlatnosci><TerminOpis><Ilosc>14</Ilosc><Jednostka>Dzień</Jednostka>"
          "<ZdarzeniePoczatkowe>doręczenie</ZdarzeniePoczatkowe></TerminOpis></TerminPlatnosci>"));
    EXPECT_TRUE(opis.Termin.isZero()); // in words only: the contractor's term counts

    const recFaktura zaplacona =
        czytaj(z("<Zaplacono>1</Zaplacono><DataZaplaty>2026-02-15</DataZaplaty>"));
    ASSERT_EQ(zaplacona.Zaplaty.size(), 1u);
    EXPECT_EQ(zaplacona.Zaplaty[0].data, Date(2026, 2, 15));
    EXPECT_EQ(zaplacona.Zaplaty[0].kwota, Money::fromCents(123000));

    const recFaktura czesci =
        czytaj(z("<ZnacznikZaplatyCzesciowej>1</ZnacznikZaplatyCzesciowej>"
                 "<ZaplataCzesciowa><KwotaZaplatyCzesciowej>200</KwotaZaplatyCzesciowej>"
                 "<DataZaplatyCzesciowej>2026-02-10</DataZaplatyCzesciowej></ZaplataCzesciowa>"
                 "<ZaplataCzesciowa><KwotaZaplatyCzesciowej>30.50</KwotaZaplatyCzesciowej>"
                 "<DataZaplatyCzesciowej>2026-02-15</DataZaplatyCzesciowej></ZaplataCzesciowa>"));
    ASSERT_EQ(czesci.Zaplaty.size(), 2u);
    EXPECT_EQ(czesci.Zaplaty[1].kwota, Money::fromCents(3050));

    const struct {
        const char* platnosc;
        const char* element;
    } zle[] = {
        {"<TerminPlatnosci><Termin>2026-02-30</Termin></TerminPlatnosci>",
         "Platnosc/TerminPlatnosci/Termin"},
        {"<Zaplacono>1</Zaplacono>", "Platnosc/DataZaplaty"},
        {"<ZaplataCzesciowa><KwotaZaplatyCzesciowej>1,5</KwotaZaplatyCzesciowej>"
         "<DataZaplatyCzesciowej>2026-02-10</DataZaplatyCzesciowej></ZaplataCzesciowa>",
         "Platnosc/ZaplataCzesciowa/KwotaZaplatyCzesciowej"},
    };
    for (const auto& c : zle) {
        const QString m = odmowaBajtow(z(c.platnosc));
        EXPECT_TRUE(m.contains(QString::fromLatin1(c.element))) << m.toStdString();
        EXPECT_TRUE(m.contains("FV/2026/02/1")) << m.toStdString();
    }
}

#include "JpkReader.h"
#include "StringFun.h"
#include "ZrodloFaktur.h"
#include "recFaktura.h"

#include "TestPrinters.h"

#include <QLocale>

#include <gtest/gtest.h>

#include <vector>

namespace {

QString fixture(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/invoices/") + QString::fromUtf8(name);
}

std::vector<recFaktura> listFile(const QString& path) {
    return CzytajListeFaktur(path).faktury;
}

std::vector<recFaktura> listBytes(const char* xml) {
    std::vector<recFaktura> rows;
    CzytajFaktury(
        JpkDocument::fromBytes(QByteArray(xml), QStringLiteral("test.xml")),
        [&](const recFaktura& f) { rows.push_back(f); }, QStringLiteral("test.xml"));
    return rows;
}

QString refusalOf(const char* xml) {
    try {
        listBytes(xml);
    } catch (const JpkRefused& e) {
        return e.message();
    }
    return QStringLiteral("<accepted>");
}

const QString General = QStringLiteral("Nie można wczytać danych z tego pliku.");

} // namespace

TEST(JpkReader, PrefixedFileWithRealNamespaceAndAttributedFormCode) {
    const JpkDocument doc = JpkDocument::open(fixture("jpk_fa4_tns.xml"));
    EXPECT_EQ(doc.KodFormularza(), "JPK_FA");
    EXPECT_EQ(doc.rootChildCount(), 8);

    const auto rows = listFile(fixture("jpk_fa4_tns.xml"));
    ASSERT_EQ(rows.size(), 4u);

    const recFaktura& a = rows[0];
    EXPECT_EQ(a.NrFakt, "FV/1/03/2023");
    EXPECT_EQ(a.DataWyst, Date(2023, 3, 10));
    EXPECT_EQ(a.NazwaOdb, QString::fromUtf8("Żabka & Synowie Sp. z o.o."));
    EXPECT_EQ(a.AdresOdb, QString::fromUtf8("ul. Łąkowa 5, 66-400 Gorzów Wielkopolski"));
    EXPECT_EQ(a.KrNip, "PL");
    EXPECT_EQ(a.NipOdb, "5990000010");
    EXPECT_EQ(a.Kwota, Money::fromCents(123450));
    EXPECT_EQ(a.StrKwota(), QStringLiteral("1") + QLocale().groupSeparator() + "234,50");
    EXPECT_EQ(a.StrData(), "10-03-2023");

    // no P_5A and P_5B: listed with an empty tax number
    EXPECT_EQ(rows[1].NrFakt, "FV/2/03/2023");
    EXPECT_TRUE(rows[1].NipOdb.isEmpty());
    EXPECT_TRUE(rows[1].KrNip.isEmpty());

    // a correcting invoice keeps its sign
    EXPECT_EQ(rows[2].Kwota, Money::fromCents(-10000));

    const recFaktura& d = rows[3];
    EXPECT_EQ(d.DataWyst, Date(2023, 3, 13));
    EXPECT_EQ(d.NazwaOdb.size(), 120); // the record keeps the whole name
    EXPECT_EQ(d.NipOdb, "DE123456789");
    EXPECT_EQ(d.Plik, "jpk_fa4_tns.xml");
    EXPECT_EQ(a.Waluta, "PLN");
    EXPECT_EQ(a.Rodzaj, "VAT");
    EXPECT_TRUE(d.Waluta.isEmpty()); // no KodWaluty: złoty
}

// An invoice in euro is never taken for złoty: its currency and kind come from the file.
TEST(JpkReader, CurrencyAndKindAreRead) {
    const auto rows = listFile(fixture("jpk_fa_waluty.xml"));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].Waluta, "PLN");
    EXPECT_EQ(rows[0].Rodzaj, "VAT");
    EXPECT_FALSE(rows[0].WInnejWalucie());
    EXPECT_EQ(rows[1].Waluta, "EUR");
    EXPECT_TRUE(rows[1].WInnejWalucie());
    EXPECT_EQ(
        rows[1].KomWaluta(),
        QString::fromUtf8("[Pominięto: faktura w walucie EUR] - FV/2/05/2024 z 07-05-2024 r."));
    EXPECT_EQ(rows[2].Rodzaj, "KOREKTA");
    // an invoice without the element is złoty, as files without it always were
    const auto bez = listBytes("<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>"
                               "<Faktura><P_1>2024-05-06</P_1><P_2A>A</P_2A><P_15>1.00</P_15>"
                               "</Faktura></JPK>");
    ASSERT_EQ(bez.size(), 1u);
    EXPECT_TRUE(bez[0].Waluta.isEmpty());
    EXPECT_FALSE(bez[0].WInnejWalucie());
}

TEST(JpkReader, FilesWithoutPrefixReadLikeThePrefixedOne) {
    const auto prefixed = listFile(fixture("jpk_fa4_tns.xml"));
    for (const char* name : {"jpk_fa3_bez_prefiksu.xml", "jpk_fa_bez_przestrzeni.xml"}) {
        auto rows = listFile(fixture(name));
        ASSERT_EQ(rows.size(), 2u) << name;
        for (int i = 0; i < 2; ++i) {
            EXPECT_EQ(rows[i].Plik, QString::fromUtf8(name));
            rows[i].Plik = prefixed[i].Plik;
            // the files carry the optional currency and kind on different invoices
            rows[i].Waluta = prefixed[i].Waluta;
            rows[i].Rodzaj = prefixed[i].Rodzaj;
            EXPECT_EQ(rows[i], prefixed[i]) << name;
        }
    }
}

TEST(JpkReader, ElementInAnotherNamespaceCountsAsMissing) {
    const auto rows = listFile(fixture("jpk_fa_obca_przestrzen.xml"));
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].NazwaOdb, "Nabywca");
    EXPECT_TRUE(rows[0].NipOdb.isEmpty()); // x:P_5B under tns:Faktura
    // an invoice element of any namespace is read, its children in its own namespace
    EXPECT_EQ(rows[1].NrFakt, "FV/2/03/2023");
    EXPECT_EQ(rows[1].NipOdb, "2222222222");
    EXPECT_EQ(rows[1].Kwota, Money::fromWhole(30));
}

TEST(JpkReader, FormCodeChecks) {
    EXPECT_EQ(JpkOdmowa("JPK_FA"), "");
    EXPECT_EQ(JpkOdmowa("JPK_VAT"),
              QString::fromUtf8("Nie można wczytać danych z pliku JPK_VAT.\rWymagany jest plik "
                                "JPK_FA."));
    EXPECT_EQ(JpkOdmowa(""), General);

    try {
        listFile(fixture("jpk_vat.xml"));
        FAIL() << "JPK_VAT accepted";
    } catch (const JpkRefused& e) {
        EXPECT_EQ(e.message(), JpkOdmowa("JPK_VAT"));
    }

    struct Case {
        const char* what;
        const char* xml;
    };
    const Case cases[] = {
        {"no header", "<JPK><Faktura><P_2A>1</P_2A></Faktura></JPK>"},
        {"lower case", "<JPK><Naglowek><KodFormularza>jpk_fa</KodFormularza></Naglowek></JPK>"},
        {"blank after code",
         "<JPK><Naglowek><KodFormularza>JPK_FA </KodFormularza></Naglowek></JPK>"},
        {"header in another namespace",
         "<a:JPK xmlns:a='urn:a' xmlns:b='urn:b'><b:Naglowek><a:KodFormularza>JPK_FA"
         "</a:KodFormularza></b:Naglowek></a:JPK>"},
        {"code holding an element",
         "<JPK><Naglowek><KodFormularza>JPK_FA<x/></KodFormularza></Naglowek></JPK>"},
        {"other form", "<JPK><Naglowek><KodFormularza>JPK_MAG</KodFormularza></Naglowek></JPK>"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(refusalOf(c.xml), General) << c.what;
    EXPECT_EQ(
        refusalOf("<a:JPK xmlns:a='urn:a'><a:Naglowek><a:KodFormularza>JPK_FA</a:KodFormularza>"
                  "</a:Naglowek></a:JPK>"),
        "<accepted>");
    EXPECT_EQ(refusalOf("<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>"
                        "<Naglowek><KodFormularza>JPK_VAT</KodFormularza></Naglowek></JPK>"),
              "<accepted>")
        << "the first header counts";
}

TEST(JpkReader, FileChecks) {
    try {
        JpkDocument::open("  ");
        FAIL();
    } catch (const JpkRefused& e) {
        EXPECT_EQ(e.message(), "Nazwa pliku JPK_FAKTURA nie podana.");
    }
    const QString missing = fixture("nie_ma_takiego.xml");
    try {
        JpkDocument::open(" " + missing + " ");
        FAIL();
    } catch (const JpkRefused& e) {
        EXPECT_EQ(e.message(), "Plik: " + missing + " - nie istnieje.");
    }
    const QString broken = fixture("jpk_fa_uszkodzony.xml");
    try {
        JpkDocument::open(broken);
        FAIL();
    } catch (const JpkRefused& e) {
        EXPECT_EQ(e.message(), QString::fromUtf8("Nie udało się otworzyć pliku: ") + broken);
    }
    EXPECT_THROW(JpkDocument::fromBytes("", "pusty.xml"), JpkRefused);
    EXPECT_THROW(JpkDocument::fromBytes("<JPK><a></JPK>", "x.xml"), JpkRefused);
    // an entity that would expand without bound is refused, not expanded
    EXPECT_THROW(JpkDocument::fromBytes("<!DOCTYPE JPK [<!ENTITY a 'aaaaaaaaaa'>"
                                        "<!ENTITY b '&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;'>"
                                        "<!ENTITY c '&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;'>"
                                        "<!ENTITY d '&c;&c;&c;&c;&c;&c;&c;&c;&c;&c;'>"
                                        "<!ENTITY e '&d;&d;&d;&d;&d;&d;&d;&d;&d;&d;'>]>"
                                        "<JPK>&e;&e;&e;&e;&e;&e;&e;&e;&e;&e;</JPK>",
                                        "x.xml"),
                 JpkRefused);
}

TEST(JpkReader, EmptyListIsNoError) {
    EXPECT_TRUE(listFile(fixture("jpk_fa_pusty.xml")).empty());
}

TEST(JpkReader, BadInvoiceRefusesTheWholeFileNamingIt) {
    struct Case {
        const char* file;
        const char* names;
    };
    for (const Case c :
         {Case{"jpk_fa_zla_data.xml", "„2023-13-01” faktury FV/3"},
          Case{"jpk_fa_tekst_z_komentarzem.xml", "Element P_2A faktury bez numeru (wiersz 5)"}}) {
        std::vector<recFaktura> rows;
        try {
            rows = listFile(fixture(c.file));
            ADD_FAILURE() << c.file << " accepted";
        } catch (const JpkRefused& e) {
            EXPECT_TRUE(e.message().contains(QString::fromUtf8(c.names)))
                << e.message().toStdString();
            EXPECT_TRUE(e.message().contains(QString::fromUtf8("Nic nie zostało wczytane")));
        }
    }
}

// Odd amounts and dates: a decimal number with its sign is read exactly; anything else refuses
// the file with a Polish message naming the invoice, never a zero or a made-up amount.
TEST(JpkReader, OddAmountsAndDates) {
    const QByteArray head = "<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>";
    auto faktura = [&](const char* p1, const char* p15) {
        return head + "<Faktura><P_1>" + p1 + "</P_1><P_2A>FV/1</P_2A><P_15>" + p15 +
               "</P_15></Faktura></JPK>";
    };
    struct Good {
        const char* text;
        qint64 cents;
    };
    for (const Good g :
         {Good{"1234.50", 123450}, Good{"-100.00", -10000}, Good{"+5", 500}, Good{" 7.5 ", 750},
          Good{"0", 0}, Good{"-0.01", -1}, Good{"99999999999999.99", 9999999999999999}}) {
        const auto rows = listBytes(faktura("2023-03-01", g.text).constData());
        ASSERT_EQ(rows.size(), 1u) << g.text;
        EXPECT_EQ(rows[0].Kwota, Money::fromCents(g.cents)) << g.text;
    }
    for (const char* bad : {"1 234,56", "", "1,234.50", "12,5x", "abc", "1.2.3", "12.345",
                            "123456789012345678901", "1e5", "--1", "-", ".5", "5."}) {
        const QString r = refusalOf(faktura("2023-03-01", bad).constData());
        const QString what = QString::fromUtf8(bad).trimmed().isEmpty()
                                 ? QStringLiteral("Brak kwoty (P_15) faktury FV/1 (plik test.xml).")
                                 : QString::fromUtf8("Nie można odczytać kwoty „%1” faktury FV/1 "
                                                     "(plik test.xml)")
                                       .arg(QString::fromUtf8(bad));
        EXPECT_TRUE(r.startsWith(what)) << bad << ": " << r.toStdString();
    }
    EXPECT_EQ(listBytes(faktura(" 2024-02-29 ", "1").constData())[0].DataWyst, Date(2024, 2, 29));
    for (const char* bad : {"2023-3-1", "2023-13-01", "2023-02-29", "", "01-03-2023", "2023/03/01",
                            "2023-03-01T00:00"}) {
        const QString r = refusalOf(faktura(bad, "1").constData());
        EXPECT_TRUE(r.contains(QStringLiteral("faktury FV/1 (plik test.xml)"))) << bad;
        EXPECT_TRUE(r.startsWith(QString::fromUtf8(*bad ? "Nie można odczytać daty" : "Brak daty")))
            << bad << ": " << r.toStdString();
    }
    // an invoice without a number is named by its line
    EXPECT_TRUE(
        refusalOf((head + "\n<Faktura><P_1>x</P_1><P_15>1</P_15></Faktura></JPK>").constData())
            .contains(QStringLiteral("faktury bez numeru (wiersz 2)")));
}

TEST(JpkReader, OverDeepFileIsRefusedNotCrashing) {
    auto nested = [](int depth) {
        QByteArray x = "<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>";
        for (int i = 1; i < depth; ++i)
            x += "<a>";
        for (int i = 1; i < depth; ++i)
            x += "</a>";
        return x + "</JPK>";
    };
    EXPECT_THROW(JpkDocument::fromBytes(nested(30000), "gleboki.xml"), JpkRefused);
    EXPECT_THROW(JpkDocument::fromBytes(nested(JpkDocument::MaxDepth + 1), "x.xml"), JpkRefused);
    EXPECT_NO_THROW(JpkDocument::fromBytes(nested(JpkDocument::MaxDepth), "x.xml"));
    try {
        JpkDocument::fromBytes(nested(30000), "gleboki.xml");
    } catch (const JpkRefused& e) {
        EXPECT_TRUE(e.message().startsWith(QString::fromUtf8("Nie udało się otworzyć pliku: "
                                                             "gleboki.xml\rElementy pliku są "
                                                             "zagnieżdżone głębiej")));
    }
}

TEST(JpkReader, ElementText) {
    const char* head = "<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>";
    auto one = [&](const char* faktura) {
        const auto rows = listBytes((QByteArray(head) + faktura + "</JPK>").constData());
        EXPECT_EQ(rows.size(), 1u);
        return rows.empty() ? recFaktura() : rows[0];
    };
    const char* ok = "<P_1>2023-03-01</P_1><P_15>1</P_15>";
    EXPECT_EQ(
        one((QByteArray("<Faktura><P_2A/><P_3A></P_3A>") + ok + "</Faktura>").constData()).NrFakt,
        "");
    EXPECT_EQ(one((QByteArray("<Faktura><P_2A>FV/<![CDATA[1&2]]>/&#65;</P_2A>") + ok + "</Faktura>")
                      .constData())
                  .NrFakt,
              "FV/1&2/A");
    EXPECT_EQ(
        one((QByteArray("<Faktura><P_2A>A</P_2A><P_2A>B</P_2A>") + ok + "</Faktura>").constData())
            .NrFakt,
        "A");
    // a direct child named Faktura in another place is not an invoice
    EXPECT_TRUE(
        listBytes((QByteArray(head) + "<Inne><Faktura/></Inne></JPK>").constData()).empty());

    for (const char* bad : {"<Faktura><P_3A>Jan<b>X</b></P_3A></Faktura>",
                            "<Faktura><P_3A><!-- sam komentarz --></P_3A></Faktura>",
                            "<Faktura><P_3A>Jan<?pi x?></P_3A></Faktura>"}) {
        EXPECT_TRUE(refusalOf((QByteArray(head) + bad + "</JPK>").constData())
                        .startsWith(QStringLiteral("Element P_3A faktury")))
            << bad;
    }
}

TEST(JpkReader, ReportTexts) {
    recFaktura f;
    f.NrFakt = "FV/7";
    f.DataWyst = Date(2023, 3, 1);
    EXPECT_EQ(f.IdFaktury(), "FV/7 z 01-03-2023 r.");
    EXPECT_EQ(f.KomBrakNip(), "[Brak NIP] - FV/7 z 01-03-2023 r.");
    EXPECT_EQ(f.KomDuplikat(),
              QString::fromUtf8("[Zaksięgowano wcześniej] - FV/7 z 01-03-2023 r."));
    EXPECT_EQ(f.KomWprowadz(), QString::fromUtf8("[Zaksięgowano] - FV/7 z 01-03-2023 r."));
}

TEST(JpkReader, CorrectionNamesTheInvoiceItCorrects) {
    const auto rows = listBytes(
        "<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>"
        "<Faktura><P_1>2024-03-05</P_1><P_2A>KOR/1</P_2A><P_5B>1</P_5B><P_15>-200.00</P_15>"
        "<RodzajFaktury>KOREKTA</RodzajFaktury><NrFaKorygowanej>FV/1/03/2024</NrFaKorygowanej>"
        "</Faktura><Faktura><P_1>2024-03-01</P_1><P_2A>FV/2</P_2A><P_15>1.00</P_15></Faktura>"
        "</JPK>");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].Korygowane, QStringList{"FV/1/03/2024"});
    EXPECT_EQ(rows[0].NrKorygowanej, "FV/1/03/2024");
    EXPECT_TRUE(rows[1].Korygowane.isEmpty());
}

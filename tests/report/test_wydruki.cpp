#include "PdfTekst.h"
#include "Wydruki.h"
#include "Wyglad.h"

#include "Formaty.h"
#include "Kanwa.h"
#include "TekstNum.h"

#include <QFontInfo>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace wydruk;

namespace {

constexpr double Tol = 0.5;   // mm
constexpr double Marg = 10.0; // the page margin: positions are given inside it

Money m(const char* s) {
    return *Money::parse(QString::fromLatin1(s));
}

DaneDowodu dowod(const char* kwota) {
    DaneDowodu d;
    d.wpisId = 17;
    d.nazwa = QStringLiteral("Przedsiębiorstwo Handlowe Żółw Sp. z o.o.");
    d.opis = QStringLiteral("Wpłata gotówką za fakturę FV/12/2026");
    d.zaplacono = m(kwota);
    d.slownie = Slownie(d.zaplacono);
    d.dataWydruku = QDate(2026, 12, 10);
    return d;
}

TekstPdf doPdf(const Wydruk& w, const QTemporaryDir& dir) {
    const QString plik = dir.filePath(QStringLiteral("wydruk.pdf"));
    EXPECT_EQ(zapiszPdf(w, plik, QStringLiteral("Test")), QString());
    return TekstPdf::czytaj(plik);
}

enum class Poziom { Lewo, Srodek, Prawo };
enum class Pion { Gora, Srodek };

} // namespace

TEST(Wydruki, FontsResolveToTheirMetricCounterparts) {
    // On Windows the originals are used; here their substitutes must be installed.
    const QString a = QFontInfo(arial(12)).family();
    const QString v = QFontInfo(verdana(12)).family();
    EXPECT_TRUE(a == "Arial" || a == "Liberation Sans") << a.toStdString();
    EXPECT_TRUE(v == "Verdana" || v == "DejaVu Sans") << v.toStdString();
}

TEST(Dowod, EveryElementOfBothCopiesSitsWhereTheLayoutPutsIt) {
    QTemporaryDir dir;
    const DaneDowodu d = dowod("1234567.89");
    const TekstPdf t = doPdf(wydrukDowodu(d), dir);
    ASSERT_EQ(t.stron, 1);

    struct Element {
        QString tekst;
        double left, top, width, height;
        Poziom poziom;
        Pion pion;
        double wciecie = 0.0;
    };
    const QString kwota = QStringLiteral("1 234 567,89"); // the grouping blanks split words
    const Element elementy[] = {
        {"Dowód wpłaty z dnia: 10.12.2026 r.", 128.8, 4.0, 59.0, 5.0, Poziom::Prawo, Pion::Gora},
        {"Pieczęć", 4.0, 30.3, 47.0, 6.0, Poziom::Srodek, Pion::Srodek},
        {"Dla:", 5.3, 43.7, 9.0, 5.0, Poziom::Srodek, Pion::Gora},
        {d.nazwa, 15.9, 43.7, 172.4, 5.0, Poziom::Lewo, Pion::Gora},
        {"Opis transakcji", 3.9, 68.1, 141.1, 6.0, Poziom::Srodek, Pion::Srodek},
        {d.opis, 3.9, 74.2, 141.1, 7.0, Poziom::Lewo, Pion::Srodek, WciecieOpisu},
        {"Kwota wpłaty", 145.1, 68.1, 45.0, 6.0, Poziom::Srodek, Pion::Srodek},
        {kwota, 145.0, 74.2, 45.0, 7.0, Poziom::Prawo, Pion::Srodek, WciecieRamki},
        // Long words wrap to a second line: the first words mark the position.
        {"Słownie: jeden milion", 4.5, 84.9, 185.4, 5.0, Poziom::Lewo, Pion::Gora},
        {"Podpis", 141.0, 111.7, 47.0, 6.0, Poziom::Srodek, Pion::Srodek},
    };
    for (const Element& e : elementy) {
        const auto znalezione = t.znajdz(e.tekst);
        ASSERT_EQ(znalezione.size(), 2u) << e.tekst.toStdString();
        for (int kopia = 0; kopia < 2; ++kopia) {
            const SlowoPdf& s = znalezione[static_cast<std::size_t>(kopia)];
            const double dy = kopia * PrzesuniecieKopii;
            const double x = s.x1 - Marg, x2 = s.x2 - Marg, y = s.y1 - Marg - dy,
                         y2 = s.y2 - Marg - dy;
            const std::string co = e.tekst.toStdString() + " copy " + std::to_string(kopia + 1);
            switch (e.poziom) {
            case Poziom::Lewo:
                EXPECT_NEAR(x, e.left + e.wciecie, Tol) << co;
                break;
            case Poziom::Prawo:
                EXPECT_NEAR(x2, e.left + e.width - e.wciecie, Tol) << co;
                break;
            case Poziom::Srodek:
                EXPECT_NEAR((x + x2) / 2, e.left + e.width / 2, Tol) << co;
                break;
            }
            if (e.pion == Pion::Gora)
                EXPECT_NEAR(y, e.top, Tol) << co;
            else
                EXPECT_NEAR((y + y2) / 2, e.top + e.height / 2, Tol) << co;
            // Nothing runs out of its box or the printable area.
            EXPECT_GE(x, std::min(e.left, 0.0) - Tol) << co;
            EXPECT_LE(x2, 190.0) << co;
            EXPECT_GE(x, e.left - Tol) << co;
            EXPECT_LE(x2, e.left + e.width + Tol) << co;
            EXPECT_LE(y2, e.top + e.height + Tol) << co;
        }
    }
    // The date line fits its box; the words come in full, on one line.
    EXPECT_GE(t.znajdz("Dowód wpłaty z dnia:")[0].x1 - Marg, 128.8 - Tol);
}

TEST(Dowod, LongTextsShrinkOrWrapInsideTheirBoxes) {
    QTemporaryDir dir;
    DaneDowodu d = dowod("999999999.99");
    d.nazwa = QStringLiteral("Spółdzielnia Mieszkaniowa Właścicieli Lokali Użytkowych i "
                             "Garażowych Łączność"); // 80 characters
    d.opis =
        QString(QStringLiteral("Zapłata za fakturę nr FV/2026/12/0001 ")).repeated(3).left(140);
    const TekstPdf t = doPdf(wydrukDowodu(d), dir);
    for (const SlowoPdf& s : t.slowa) {
        const double y = s.y1 - Marg;
        EXPECT_GE(s.x1 - Marg, -Tol) << s.tekst.toStdString();
        EXPECT_LE(s.x2 - Marg, 190.0 + Tol) << s.tekst.toStdString();
        // The description stays in its framed box, the words above the signature line.
        const double kopia = y >= PrzesuniecieKopii ? PrzesuniecieKopii : 0.0;
        if (s.y1 - Marg - kopia > 74.0 && s.y1 - Marg - kopia < 81.2 && s.x1 - Marg < 145.0) {
            EXPECT_LE(s.x2 - Marg, 145.0 + Tol) << s.tekst.toStdString();
            EXPECT_LE(s.y2 - Marg - kopia, 81.2 + Tol) << s.tekst.toStdString();
        }
    }
    EXPECT_EQ(t.znajdz("Łączność").size(), 2u);
    EXPECT_EQ(t.znajdz("dziewięćdziesiąt dziewięć groszy").size(), 2u);
    for (const SlowoPdf& s : t.znajdz("groszy")) // the words stay above the signature line
        EXPECT_LT(s.y2 - Marg - (s.y1 - Marg > PrzesuniecieKopii ? PrzesuniecieKopii : 0), 111.7);
    EXPECT_EQ(t.znajdz("999 999 999,99").size(), 2u);
}

TEST(ListaSald, TwoHundredDebtorsSpanPagesWithHeadingsSumAndPageNumbers) {
    QTemporaryDir dir;
    DaneListy l;
    l.rodzaj = RodzajListy::Dluznicy;
    l.dataWydruku = QDate(2026, 12, 10);
    Money suma;
    for (int i = 1; i <= 200; ++i) {
        // Amounts below and above a thousand and a million.
        const Money kwota = Money::fromCents(i == 7 ? 123456789LL : i * 123457LL % 9999999LL);
        l.wiersze.push_back(
            {QStringLiteral("Kontrahent Łódzki nr %1").arg(i, 3, 10, QChar(u'0')), kwota});
        suma += kwota;
    }
    const TekstPdf t = doPdf(wydrukListy(l), dir);
    ASSERT_GE(t.stron, 4);

    EXPECT_EQ(t.znajdz("Zobowiązania kontrahentów").size(), 1u);
    const auto tytul = t.znajdz("Zobowiązania kontrahentów")[0];
    EXPECT_EQ(tytul.strona, 1);
    EXPECT_NEAR(tytul.srodekX() - Marg, 95.0, Tol);

    for (int s = 1; s <= t.stron; ++s) {
        int kontrahent = 0, naleznosc = 0, strona = 0;
        for (const SlowoPdf& w : t.znajdz("Kontrahent"))
            if (w.strona == s && w.x1 - Marg < 2.0 && t.slowaStrony(s).contains("Należność"))
                ++kontrahent;
        for (const SlowoPdf& w : t.znajdz("Należność"))
            if (w.strona == s) {
                ++naleznosc;
                EXPECT_NEAR(w.x2 - Marg, 189.0, Tol); // right-aligned over the amounts
            }
        for (const SlowoPdf& w : t.znajdz(QStringLiteral("Strona %1 z %2").arg(s).arg(t.stron)))
            if (w.strona == s) {
                ++strona;
                EXPECT_GT(w.y1 - Marg, 260.0);
                EXPECT_NEAR(w.x2 - Marg, 190.0, Tol);
            }
        EXPECT_EQ(naleznosc, 1) << "page " << s;
        EXPECT_GE(kontrahent, 1) << "page " << s;
        EXPECT_EQ(strona, 1) << "page " << s;
        EXPECT_TRUE(t.slowaStrony(s).contains("10.12.2026")) << "page " << s;
    }
    // Every row once, in order; "Razem" once, after the last row, with the sum.
    int poprzedni = 0;
    for (int i = 1; i <= 200; ++i) {
        const auto w = t.znajdz(QStringLiteral("Łódzki nr %1").arg(i, 3, 10, QChar(u'0')));
        ASSERT_EQ(w.size(), 1u) << i;
        EXPECT_GE(w[0].strona, poprzedni);
        poprzedni = w[0].strona;
    }
    const auto razem = t.znajdz("Razem");
    ASSERT_EQ(razem.size(), 1u);
    EXPECT_EQ(razem[0].strona, t.stron);
    EXPECT_NEAR(razem[0].x2 - Marg, 152.6 - 1.0, Tol);
    const auto ostatni = t.znajdz("Łódzki nr 200")[0];
    EXPECT_TRUE(razem[0].strona > ostatni.strona || razem[0].y1 > ostatni.y2);
    const QString sumaTekst = FormatKwoty(suma).replace(QChar(0x00A0), u' ');
    const auto s = t.znajdz(sumaTekst);
    ASSERT_EQ(s.size(), 1u) << sumaTekst.toStdString();
    EXPECT_NEAR(s[0].y1, razem[0].y1, Tol);
    EXPECT_NEAR(s[0].x2 - Marg, 189.0, Tol);

    // Every thousand grouped, never "1234 567,89".
    EXPECT_EQ(t.znajdz("1 234 567,89").size(), 1u);
    EXPECT_EQ(t.znajdz("1234 567,89").size(), 0u);
    // The day the list shows, once, under the title; no company line while none is known.
    const auto stan = t.znajdz("Stan na dzień 10.12.2026 r.");
    ASSERT_EQ(stan.size(), 1u);
    EXPECT_EQ(stan[0].strona, 1);
    EXPECT_GT(stan[0].y1, tytul.y2 - Tol);
}

TEST(ListaSald, CompanyNameHeadsTheListWhenKnownAndZestawienieHasItsTitle) {
    QTemporaryDir dir;
    DaneListy l;
    l.rodzaj = RodzajListy::Zestawienie;
    l.dataWydruku = QDate(2026, 12, 10);
    l.firma = QStringLiteral("Przedsiębiorstwo Żuraw sp. z o.o.");
    l.wiersze = {{QStringLiteral("Ąbc"), m("100")}, {QStringLiteral("Źdź"), m("-30.5")}};
    const TekstPdf t = doPdf(wydrukListy(l), dir);
    const auto firma = t.znajdz("Przedsiębiorstwo Żuraw sp. z o.o.");
    const auto tytul = t.znajdz("Zestawienie sald kontrahentów");
    ASSERT_EQ(firma.size(), 1u);
    ASSERT_EQ(tytul.size(), 1u);
    EXPECT_LT(firma[0].y2, tytul[0].y1 + Tol);
    EXPECT_EQ(t.znajdz("-30,50").size(), 1u);
    EXPECT_EQ(t.znajdz("69,50").size(), 1u); // "Razem"
    EXPECT_EQ(t.znajdz("Strona 1 z 1").size(), 1u);
}

TEST(RaportTekstowy, EveryLineOnceAcrossPagesUnderItsTitle) {
    QTemporaryDir dir;
    DaneRaportu r;
    r.tytul = QStringLiteral("Wczytywanie wpłat – Raport");
    r.dataWydruku = QDate(2026, 12, 10);
    for (int i = 1; i <= 150; ++i)
        r.wiersze << QStringLiteral("[Dopisano wpłatę] - wiersz %1 | 1 234,50").arg(i);
    r.wiersze << QString() << QStringLiteral("Zaksięgowano wpłat: 150");
    const TekstPdf t = doPdf(wydrukRaportu(r), dir);
    ASSERT_GE(t.stron, 2);
    EXPECT_EQ(t.znajdz("Wczytywanie wpłat – Raport").size(), 1u);
    for (int i = 1; i <= 150; ++i)
        EXPECT_EQ(t.znajdz(QStringLiteral("wiersz %1 |").arg(i)).size(), 1u) << i;
    EXPECT_EQ(t.znajdz("Zaksięgowano wpłat: 150").size(), 1u);
    EXPECT_EQ(t.znajdz(QStringLiteral("Strona %1 z %1").arg(t.stron)).size(), 1u);
}

TEST(ListaSald, OverpaymentsUseGroupedAmountsAndTheirOwnHeadings) {
    QTemporaryDir dir;
    DaneListy l;
    l.rodzaj = RodzajListy::Nadplaty;
    l.dataWydruku = QDate(2026, 12, 10);
    l.wiersze = {{QStringLiteral("Ąbc"), m("1234567.89")}, {QStringLiteral("Źdź"), m("12.5")}};
    const TekstPdf t = doPdf(wydrukListy(l), dir);
    EXPECT_EQ(t.stron, 1);
    EXPECT_EQ(t.znajdz("Nadpłaty").size(), 1u);
    EXPECT_EQ(t.znajdz("Nadpłata").size(), 1u);
    EXPECT_EQ(t.znajdz("1 234 567,89").size(), 1u);
    EXPECT_EQ(t.znajdz("12,50").size(), 1u);
    EXPECT_EQ(t.znajdz("1 234 580,39").size(), 1u); // the sum
    EXPECT_EQ(t.znajdz("Strona 1 z 1").size(), 1u);
}

TEST(ListaSald, LongNamesWrapInsideTheirRowAndKeepTheAmountBeside) {
    QTemporaryDir dir;
    DaneListy l;
    l.rodzaj = RodzajListy::Dluznicy;
    l.dataWydruku = QDate(2026, 12, 10);
    const QString dluga = QStringLiteral("Spółdzielnia Mieszkaniowa Właścicieli Lokali "
                                         "Użytkowych i Garażowych Łączność Końcowa");
    l.wiersze = {{dluga, m("10")}, {QStringLiteral("Następny"), m("20")}};
    const TekstPdf t = doPdf(wydrukListy(l), dir);
    for (const SlowoPdf& s : t.slowa)
        EXPECT_LE(s.x2 - Marg, 190.0 + Tol);
    const auto koniec = t.znajdz("Końcowa");
    const auto nastepny = t.znajdz("Następny");
    ASSERT_EQ(koniec.size(), 1u);
    ASSERT_EQ(nastepny.size(), 1u);
    EXPECT_LT(koniec[0].x2 - Marg, 152.6);
    EXPECT_GT(nastepny[0].y1, koniec[0].y2); // the next row starts below the wrapped name
}

TEST(Pdf, UnwritableFileIsReportedAndNothingIsLeft) {
    QTemporaryDir dir;
    const QString plik = dir.filePath(QStringLiteral("brak/wydruk.pdf"));
    EXPECT_TRUE(zapiszPdf(wydrukDowodu(dowod("1")), plik, QStringLiteral("x"))
                    .startsWith(QStringLiteral("Nie udało się zapisać pliku")));
    EXPECT_FALSE(QFile::exists(plik));
}

TEST(Wiekowanie, LandscapePagesWithRangesHeadingsTotalsAndTheCompany) {
    QTemporaryDir dir;
    DaneWiekowania d;
    d.firma = QStringLiteral("Brevant Sp. z o.o.");
    d.dataWydruku = QDate(2026, 12, 10);
    d.wiekowanie.naDzien = Date(2026, 12, 10);
    for (int i = 1; i <= 60; ++i) {
        rozrachunki::WierszWiekowania w;
        w.klientId = i;
        w.nazwa = QStringLiteral("Kontrahent Łódzki nr %1").arg(i, 2, 10, QChar(u'0'));
        w.kwoty[static_cast<size_t>(i % rozrachunki::LiczbaPrzedzialow)] = m("1234567.89");
        for (size_t p = 0; p < w.kwoty.size(); ++p)
            d.wiekowanie.suma.kwoty[p] += w.kwoty[p];
        d.wiekowanie.wiersze.push_back(w);
    }
    const TekstPdf t = doPdf(wydrukWiekowania(d), dir);
    ASSERT_GE(t.stron, 2);
    const auto tytul = t.znajdz("Wiekowanie należności");
    ASSERT_EQ(tytul.size(), 1u);
    EXPECT_NEAR(tytul[0].srodekX() - Marg, 277.0 / 2, Tol); // centred on a landscape page
    const auto dzien = t.znajdz("Stan na dzień 10.12.2026 r.");
    ASSERT_EQ(dzien.size(), 1u);
    EXPECT_GT(dzien[0].y1, tytul[0].y2);
    const auto firma = t.znajdz("Brevant Sp. z o.o.");
    ASSERT_EQ(firma.size(), 1u);
    EXPECT_LT(firma[0].y2, tytul[0].y1);
    for (int s = 1; s <= t.stron; ++s) {
        for (const char* naglowek : {"Przed", "1–30", "powyżej"})
            EXPECT_TRUE(t.slowaStrony(s).contains(QString::fromUtf8(naglowek)))
                << naglowek << " on page " << s;
        EXPECT_EQ(t.znajdz(QStringLiteral("Strona %1 z %2").arg(s).arg(t.stron)).size(), 1u);
    }
    for (int i = 1; i <= 60; ++i)
        EXPECT_EQ(t.znajdz(QStringLiteral("Łódzki nr %1").arg(i, 2, 10, QChar(u'0'))).size(), 1u)
            << i;
    // Every amount whole; the totals once, after the last row, the grand total at the right.
    const auto razem = t.znajdz("Razem");
    ASSERT_GE(razem.size(), 1u);
    const QString suma = FormatKwoty(d.wiekowanie.suma.razem()).replace(QChar(0x00A0), u' ');
    const auto s = t.znajdz(suma);
    ASSERT_EQ(s.size(), 1u) << suma.toStdString();
    EXPECT_EQ(s[0].strona, t.stron);
    EXPECT_NEAR(s[0].x2 - Marg, 277.0 - 1.0, Tol);
    EXPECT_EQ(t.znajdz("1 234 567,89").size(), 120u); // its range and its total, per row
}

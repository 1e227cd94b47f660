#include "Dokumenty.h"
#include "DrukiWindykacji.h"
#include "PdfTekst.h"
#include "PodgladWydruku.h"
#include "Wydruki.h"
#include "komun.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QPrintPreviewDialog>
#include <QPrintPreviewWidget>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace dokumenty;

namespace {

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

Money m(const char* s) {
    return *Money::parse(QString::fromLatin1(s));
}

firma::DaneFirmy firmaPelna() {
    firma::DaneFirmy f;
    f.nazwa = QStringLiteral("Hurtownia Łąka Sp. z o.o.");
    f.adres = QStringLiteral("ul. Świętokrzyska 12");
    f.kodMiejscowosc = QStringLiteral("00-916 Warszawa");
    f.nip = QStringLiteral("5260250274");
    f.konto = QStringLiteral("61109010140000071219812874");
    f.miejsceWystawienia = QStringLiteral("Warszawa");
    f.podpis = QStringLiteral("Anna Nowak – główna księgowa");
    f.wersja = 1;
    return f;
}

Odbiorca odbiorca(const char* nazwa = "Przedsiębiorstwo Handlowo-Usługowe „Żuraw” Zenon Źdźbło") {
    Odbiorca o;
    o.klientId = 17;
    o.nazwa = QString::fromUtf8(nazwa);
    o.adres = QStringLiteral("ul. Długa 5/7, 80-827 Gdańsk");
    o.nip = QStringLiteral("PL 7740001454");
    return o;
}

odsetki::Tabele tabele() {
    odsetki::Tabele t;
    t.handlowe = {{d("2024-01-01"), 1575, 1375, false},
                  {d("2024-07-01"), 1575, 1375, false},
                  {d("2025-01-01"), 1575, 1375, false}};
    t.ustawowe = {{d("2023-10-05"), 1125, std::nullopt, false}};
    return t;
}

std::vector<kursy::KursEur> kursyEur() {
    return {{d("2024-02-29"), m("4.3191"), "042/A/NBP/2024", false},
            {d("2024-03-29"), m("4.3191"), "063/A/NBP/2024", false}};
}

// FV/12 paid 35 days late at once; FV/20 partly 7 days late, the rest unpaid.
std::vector<windykacja::Faktura> faktury() {
    return {
        {"FV/12/03/2024",
         d("2024-03-01"),
         d("2024-03-15"),
         m("12345.67"),
         {{d("2024-04-19"), m("12345.67")}}},
        {"FV/20/03/2024",
         d("2024-03-20"),
         d("2024-04-03"),
         m("1234.56"),
         {{d("2024-04-10"), m("600.00")}}},
        {"FV/30/04/2024", d("2024-04-25"), d("2024-05-09"), m("1000.00"), {}},
    };
}

// BREVANT_PDF_DIR keeps a copy of each document there, to be looked at.
TekstPdf doPdf(const wydruk::Wydruk& w, const QTemporaryDir& dir, const QString& nazwa) {
    const QString plik = dir.filePath(nazwa + QStringLiteral(".pdf"));
    EXPECT_EQ(wydruk::zapiszPdf(w, plik, nazwa), QString());
    if (const QString kopia = qEnvironmentVariable("BREVANT_PDF_DIR"); !kopia.isEmpty()) {
        QFile::remove(kopia + u'/' + nazwa + QStringLiteral(".pdf"));
        QFile::copy(plik, kopia + u'/' + nazwa + QStringLiteral(".pdf"));
    }
    return TekstPdf::czytaj(plik);
}

// Nothing runs off the printable area of the A4 page, and no two words sit on each other.
void nicNieUcieteINaSiebie(const TekstPdf& t) {
    for (const SlowoPdf& s : t.slowa) {
        EXPECT_GE(s.x1, 10.0 - 0.3) << s.tekst.toStdString();
        EXPECT_LE(s.x2, 200.0 + 0.3) << s.tekst.toStdString();
        EXPECT_GE(s.y1, 10.0 - 0.3) << s.tekst.toStdString();
        EXPECT_LE(s.y2, 287.0 + 0.3) << s.tekst.toStdString();
    }
    for (std::size_t i = 0; i < t.slowa.size(); ++i)
        for (std::size_t j = i + 1; j < t.slowa.size(); ++j) {
            const SlowoPdf& a = t.slowa[i];
            const SlowoPdf& b = t.slowa[j];
            if (a.strona != b.strona)
                continue;
            const double x = std::min(a.x2, b.x2) - std::max(a.x1, b.x1);
            const double y = std::min(a.y2, b.y2) - std::max(a.y1, b.y1);
            EXPECT_FALSE(x > 0.4 && y > 0.4) << a.tekst.toStdString() << " / "
                                             << b.tekst.toStdString() << " on page " << a.strona;
        }
}

// The words of the whole document in reading order, one blank between them: a phrase is
// found also where the text wraps to the next line.
bool ma(const TekstPdf& t, const QString& fraza) {
    QStringList slowa;
    for (const SlowoPdf& s : t.slowa)
        slowa << s.tekst;
    QString szukana = fraza.simplified();
    szukana.replace(QChar(0xA0), u' ');
    return (u' ' + slowa.join(u' ') + u' ').contains(u' ' + szukana + u' ');
}

ParametryNoty parametryNoty() {
    ParametryNoty p;
    p.numer = numerNoty(7, 2024);
    p.dataWystawienia = d("2024-05-06");
    p.od = d("2024-04-01");
    p.doDnia = d("2024-04-30");
    p.zRekompensata = true;
    return p;
}

} // namespace

TEST(NotaOdsetkowa, ItemsInterestCompensationAndTotalsAsWorkedByHand) {
    const auto wynik =
        zbudujNote(firmaPelna(), odbiorca(), faktury(), tabele(), kursyEur(), parametryNoty());
    ASSERT_TRUE(std::holds_alternative<NotaOdsetkowa>(wynik))
        << std::get<QString>(wynik).toStdString();
    const NotaOdsetkowa& n = std::get<NotaOdsetkowa>(wynik);
    EXPECT_EQ(n.numer, "NO/7/2024");
    ASSERT_EQ(n.pozycje.size(), 3u); // FV/30 is not late on 30 April
    // 12345.67 × 0.1575 × 35 / 365 = 186.4534...
    EXPECT_EQ(n.pozycje[0].dni, 35);
    EXPECT_EQ(n.pozycje[0].odsetki, m("186.45"));
    // 600 × 0.1575 × 7/365 = 1.8123... and 634.56 × 0.1575 × 27/365 = 7.3930...; the
    // invoice's 9.2053... rounds once to 9.21, split 1.81 + 7.40.
    EXPECT_EQ(n.pozycje[1].odsetki, m("1.81"));
    EXPECT_EQ(n.pozycje[2].kwota, m("634.56"));
    EXPECT_EQ(n.pozycje[2].dni, 27);
    EXPECT_EQ(n.pozycje[2].odsetki, m("7.40"));
    EXPECT_EQ(n.sumaOdsetek, m("195.66"));
    // 70 EUR at the February rate (due in March) and 40 EUR at the March rate (due in April).
    ASSERT_EQ(n.rekompensaty.size(), 2u);
    EXPECT_EQ(n.rekompensaty[0].euro, 70);
    EXPECT_EQ(n.rekompensaty[0].kurs.data, d("2024-02-29"));
    EXPECT_EQ(n.rekompensaty[0].pln, m("302.34")); // 302.337
    EXPECT_EQ(n.rekompensaty[1].euro, 40);
    EXPECT_EQ(n.rekompensaty[1].pln, m("172.76")); // 172.764
    EXPECT_EQ(n.sumaRekompensat, m("475.10"));
    EXPECT_EQ(n.razem, m("670.76"));
}

TEST(NotaOdsetkowa, RenderedInPolishWithTheCompanyAndNothingCut) {
    QTemporaryDir dir;
    const NotaOdsetkowa n = std::get<NotaOdsetkowa>(
        zbudujNote(firmaPelna(), odbiorca(), faktury(), tabele(), kursyEur(), parametryNoty()));
    const TekstPdf t = doPdf(wydruk::wydrukNoty(n), dir, wydruk::nazwaPlikuNoty(n));
    EXPECT_EQ(wydruk::nazwaPlikuNoty(n), "Nota_odsetkowa_NO_7_2024");
    ASSERT_EQ(t.stron, 1);
    for (const char* fraza :
         {"NOTA ODSETKOWA nr NO/7/2024",
          "Hurtownia Łąka Sp. z o.o.",
          "ul. Świętokrzyska 12",
          "00-916 Warszawa",
          "NIP: 526-025-02-74",
          "Warszawa, dnia 06.05.2024 r.",
          "Zenon Źdźbło",
          "NIP: PL 7740001454",
          "FV/12/03/2024",
          "12 345,67",
          "186,45",
          "nie zapłacono",
          "Razem odsetki:",
          "195,66",
          "302,34",
          "475,10",
          "Razem do zapłaty: 670,76 zł",
          "Słownie: sześćset siedemdziesiąt złotych siedemdziesiąt sześć groszy.",
          "61 1090 1014 0000 0712 1981 2874",
          "Anna Nowak – główna księgowa",
          "Strona 1",
          "16.03–19.04.2024: 35 dn. × 15,75%",
          "w transakcjach handlowych",
          "4,3191 042/A/NBP/2024 z dnia 29.02.2024"})
        EXPECT_TRUE(ma(t, QString::fromUtf8(fraza))) << fraza;
    nicNieUcieteINaSiebie(t);
}

TEST(NotaOdsetkowa, ConsumerNoteCitesTheCivilCodeAndClaimsNoCompensation) {
    Odbiorca o = odbiorca("Jan Kowalski");
    o.dluznik = odsetki::Dluznik::Konsument;
    const auto wynik = zbudujNote(firmaPelna(), o, faktury(), tabele(), {}, parametryNoty());
    ASSERT_TRUE(std::holds_alternative<NotaOdsetkowa>(wynik));
    const NotaOdsetkowa& n = std::get<NotaOdsetkowa>(wynik);
    EXPECT_TRUE(n.rekompensaty.empty());
    // 11.25 %: 12345.67 × 0.1125 × 35 / 365 = 133.1810...
    EXPECT_EQ(n.pozycje[0].odsetki, m("133.18"));
    QTemporaryDir dir;
    const TekstPdf t = doPdf(wydruk::wydrukNoty(n), dir, QStringLiteral("konsument"));
    EXPECT_TRUE(ma(t, QStringLiteral("art. 481 § 1 i 2 Kodeksu cywilnego")));
    EXPECT_FALSE(ma(t, QStringLiteral("Rekompensata")));
}

TEST(NotaOdsetkowa, LongNoteRepeatsTheTableHeadingOnEveryPage) {
    std::vector<windykacja::Faktura> wiele;
    for (int i = 1; i <= 70; ++i)
        wiele.push_back({QStringLiteral("FV/%1/03/2024").arg(i),
                         d("2024-03-01"),
                         d("2024-03-15"),
                         m("1000.00"),
                         {{d("2024-04-15"), m("1000.00")}}});
    ParametryNoty p = parametryNoty();
    p.zRekompensata = true;
    const NotaOdsetkowa n = std::get<NotaOdsetkowa>(
        zbudujNote(firmaPelna(), odbiorca(), wiele, tabele(), kursyEur(), p));
    QTemporaryDir dir;
    const TekstPdf t = doPdf(wydruk::wydrukNoty(n), dir, QStringLiteral("dluga"));
    ASSERT_GE(t.stron, 3);
    int naglowkow = 0;
    for (const SlowoPdf& s : t.znajdz(QStringLiteral("Okresy i stawki odsetek")))
        naglowkow += s.strona > 0;
    EXPECT_GE(naglowkow, 2);
    for (int i = 1; i <= t.stron; ++i)
        EXPECT_TRUE(t.slowaStrony(i).contains(QStringLiteral("%1").arg(i))) << i;
    EXPECT_TRUE(ma(t, QStringLiteral("FV/70/03/2024")));
    EXPECT_TRUE(ma(t, QStringLiteral("Razem do zapłaty:")));
    nicNieUcieteINaSiebie(t);
}

TEST(NotaOdsetkowa, RefusedWhenSomethingItNeedsIsMissing) {
    struct Case {
        const char* opis;
        firma::DaneFirmy dane;
        odsetki::Tabele stawki;
        std::vector<kursy::KursEur> kursyEur;
        QDate doDnia;
        const char* uwaga;
    } cases[] = {
        {"no company account",
         [] {
             auto f = firmaPelna();
             f.konto.clear();
             return f;
         }(),
         tabele(), kursyEur(), d("2024-04-30"), "numeru rachunku bankowego"},
        {"no interest rate", firmaPelna(), {}, kursyEur(), d("2024-04-30"), "Brak stawki"},
        {"no euro rate for March",
         firmaPelna(),
         tabele(),
         {kursyEur()[0]},
         d("2024-04-30"),
         "miesiąca: 03.2024"},
        {"nothing late", firmaPelna(), tabele(), kursyEur(), d("2024-03-10"), "nie zapłacił"},
    };
    for (const Case& c : cases) {
        ParametryNoty p = parametryNoty();
        p.od = d("2024-03-01");
        p.doDnia = c.doDnia;
        const auto w = zbudujNote(c.dane, odbiorca(), faktury(), c.stawki, c.kursyEur, p);
        ASSERT_TRUE(std::holds_alternative<QString>(w)) << c.opis;
        EXPECT_TRUE(std::get<QString>(w).contains(QString::fromUtf8(c.uwaga)))
            << c.opis << ": " << std::get<QString>(w).toStdString();
    }
}

TEST(Wezwanie, OverdueInvoicesWithInterestToTheDateOnePagePerContractor) {
    ParametryWezwania p;
    p.dataWystawienia = d("2024-05-10");
    p.terminDni = 7;
    const auto a = zbudujWezwanie(firmaPelna(), odbiorca(), faktury(), tabele(), p);
    ASSERT_TRUE(std::holds_alternative<WezwanieDoZaplaty>(a));
    const WezwanieDoZaplaty& wa = std::get<WezwanieDoZaplaty>(a);
    ASSERT_EQ(wa.pozycje.size(), 2u); // FV/12 is paid
    // 634.56 unpaid for 37 days: 10.1312...; 1000.00 for one day: 0.4315...
    EXPECT_EQ(wa.pozycje[0].pozostalo, m("634.56"));
    EXPECT_EQ(wa.pozycje[0].dniZwloki, 37);
    EXPECT_EQ(wa.pozycje[0].odsetki, m("10.13"));
    EXPECT_EQ(wa.pozycje[1].odsetki, m("0.43"));
    EXPECT_EQ(wa.razem, m("1645.12"));
    EXPECT_EQ(wa.terminZaplaty, d("2024-05-17"));

    // Only more than 30 days overdue: the one-day-late invoice stays out.
    p.ponadDni = 30;
    EXPECT_EQ(std::get<WezwanieDoZaplaty>(
                  zbudujWezwanie(firmaPelna(), odbiorca(), faktury(), tabele(), p))
                  .pozycje.size(),
              1u);
    p.ponadDni = 0;
    const std::vector<windykacja::Faktura> duza = {
        {"FV/5/04/2024", d("2024-04-16"), d("2024-04-30"), m("50000.00"), {}}};
    const WezwanieDoZaplaty wb = std::get<WezwanieDoZaplaty>(
        zbudujWezwanie(firmaPelna(), odbiorca("Beta S.A."), duza, tabele(), p));
    EXPECT_EQ(wb.pozycje[0].odsetki, m("215.75")); // 50000 × 0.1575 × 10 / 365 = 215.7534...

    QTemporaryDir dir;
    const TekstPdf t = doPdf(wydruk::wydrukWezwan({wa, wb}), dir, QStringLiteral("wezwania"));
    ASSERT_EQ(t.stron, 2);
    for (const char* fraza :
         {"WEZWANIE DO ZAPŁATY", "Hurtownia Łąka Sp. z o.o.", "Zenon Źdźbło", "FV/20/03/2024",
          "634,56", "10,13", "Łącznie do zapłaty: 1 645,12 zł",
          "do dnia 17.05.2024 r., na rachunek bankowy nr 61 1090 1014 0000 0712 1981 2874",
          "Odsetki na dzień 10.05.2024 (zł)", "uznać niniejsze wezwanie za nieaktualne."})
        EXPECT_TRUE(ma(t, QString::fromUtf8(fraza))) << fraza;
    // The second contractor starts the second page.
    const auto beta = t.znajdz(QStringLiteral("Beta S.A."));
    ASSERT_FALSE(beta.empty());
    EXPECT_EQ(beta.front().strona, 2);
    EXPECT_TRUE(ma(t, QStringLiteral("50 000,00")));
    for (const SlowoPdf& s : t.znajdz(QStringLiteral("Zenon Źdźbło")))
        EXPECT_EQ(s.strona, 1);
    nicNieUcieteINaSiebie(t);
    EXPECT_EQ(wydruk::nazwaPlikuWezwania(wb), "Wezwanie_17_Beta_S_A");

    p.dataWystawienia = d("2024-03-10"); // nothing due yet
    EXPECT_TRUE(std::holds_alternative<QString>(
        zbudujWezwanie(firmaPelna(), odbiorca(), faktury(), tabele(), p)));
}

TEST(PotwierdzenieSalda, OpenInvoicesCreditsBalanceAndTheReplySlip) {
    std::vector<windykacja::Faktura> f = faktury();
    f.push_back({"FV/40/12/2024", d("2024-12-20"), d("2025-01-03"), m("2500.00"), {}});
    f.push_back({"FV/1/01/2025", d("2025-01-05"), d("2025-01-19"), m("999.00"), {}});
    f[2].wplaty.push_back({d("2024-06-01"), m("1000.00")}); // FV/30 paid off
    const std::vector<KwotaNierozliczona> kredyty = {
        {d("2024-11-05"), QStringLiteral("Przedpłata na dostawę"), m("300.00")},
        {d("2025-01-10"), QStringLiteral("Po dniu salda"), m("50.00")}};
    const auto w =
        zbudujPotwierdzenie(firmaPelna(), odbiorca(), f, kredyty, d("2024-12-31"), d("2025-01-08"));
    ASSERT_TRUE(std::holds_alternative<PotwierdzenieSalda>(w));
    const PotwierdzenieSalda& p = std::get<PotwierdzenieSalda>(w);
    ASSERT_EQ(p.faktury.size(), 2u);
    EXPECT_EQ(p.faktury[0].numer, "FV/20/03/2024");
    EXPECT_EQ(p.faktury[0].pozostalo, m("634.56"));
    EXPECT_EQ(p.sumaFaktur, m("3134.56"));
    ASSERT_EQ(p.nierozliczone.size(), 1u);
    EXPECT_EQ(p.saldo, m("2834.56"));
    auto zwykleSpacje = [](QString s) { return s.replace(QChar(0xA0), u' '); };
    EXPECT_EQ(zwykleSpacje(opisSalda(p.saldo)),
              "2 834,56 zł na naszą korzyść (Państwa zobowiązanie)");
    EXPECT_EQ(zwykleSpacje(opisSalda(-m("10.00"))), "10,00 zł na Państwa korzyść (nadpłata)");

    QTemporaryDir dir;
    const TekstPdf t = doPdf(wydruk::wydrukPotwierdzen({p}), dir, QStringLiteral("saldo"));
    ASSERT_EQ(t.stron, 1);
    for (const char* fraza :
         {"POTWIERDZENIE SALDA", "na dzień 31.12.2024 r.", "Hurtownia Łąka Sp. z o.o.",
          "Zenon Źdźbło", "FV/40/12/2024", "2 500,00", "Przedpłata na dostawę", "300,00",
          "Razem należności:", "3 134,56",
          "Potwierdzamy zgodność salda w kwocie 2 834,56 zł – nasze zobowiązanie wobec Hurtownia "
          "Łąka Sp. z o.o.",
          "Nie potwierdzamy zgodności salda.", "Przyczyny różnicy:",
          "(pieczęć i podpis kontrahenta)", "art. 26 ust. 1 pkt 2 ustawy o rachunkowości"})
        EXPECT_TRUE(ma(t, QString::fromUtf8(fraza))) << fraza;
    EXPECT_FALSE(ma(t, QStringLiteral("FV/1/01/2025")));
    EXPECT_FALSE(ma(t, QStringLiteral("Po dniu salda")));
    nicNieUcieteINaSiebie(t);
}

TEST(PotwierdzenieSalda, AReplySlipThatNoLongerFitsGoesWholeToTheNextPage) {
    std::vector<windykacja::Faktura> f;
    for (int i = 1; i <= 38; ++i)
        f.push_back({QStringLiteral("FV/%1/2024").arg(i),
                     d("2024-11-01"),
                     d("2024-11-15"),
                     m("100.00"),
                     {}});
    const PotwierdzenieSalda p = std::get<PotwierdzenieSalda>(
        zbudujPotwierdzenie(firmaPelna(), odbiorca(), f, {}, d("2024-12-31"), d("2025-01-08")));
    QTemporaryDir dir;
    const TekstPdf t = doPdf(wydruk::wydrukPotwierdzen({p}), dir, QStringLiteral("dlugie"));
    ASSERT_GE(t.stron, 2);
    const auto odcinek = t.znajdz(QStringLiteral("Odcinek zwrotny"));
    const auto podpis = t.znajdz(QStringLiteral("(pieczęć i podpis kontrahenta)"));
    ASSERT_EQ(odcinek.size(), 1u);
    ASSERT_EQ(podpis.size(), 1u);
    EXPECT_EQ(odcinek[0].strona, podpis[0].strona);
    nicNieUcieteINaSiebie(t);
}

TEST(ListaDluznikow, CompanyNameStandsAboveTheTitleWhenSet) {
    wydruk::DaneListy l;
    l.rodzaj = wydruk::RodzajListy::Dluznicy;
    l.dataWydruku = d("2024-05-06");
    l.wiersze = {{QStringLiteral("Alfa"), m("10.00")}};
    QTemporaryDir dir;
    const TekstPdf bez = doPdf(wydruk::wydrukListy(l), dir, QStringLiteral("bez"));
    l.firma = QStringLiteral("Hurtownia Łąka Sp. z o.o.");
    const TekstPdf z = doPdf(wydruk::wydrukListy(l), dir, QStringLiteral("z"));
    EXPECT_FALSE(ma(bez, l.firma));
    const auto nazwa = z.znajdz(l.firma);
    const auto tytul = z.znajdz(QStringLiteral("Zobowiązania kontrahentów"));
    ASSERT_EQ(nazwa.size(), 1u);
    ASSERT_EQ(tytul.size(), 1u);
    EXPECT_LT(nazwa[0].y2, tytul[0].y1);
    nicNieUcieteINaSiebie(z);
}

TEST(Podglad, TheNoteOpensInThePreviewAndExportsToPdf) {
    komun::Recorder rec;
    QTemporaryDir dir;
    const NotaOdsetkowa n = std::get<NotaOdsetkowa>(
        zbudujNote(firmaPelna(), odbiorca(), faktury(), tabele(), kursyEur(), parametryNoty()));
    wydruk::TPodgladWydruku p(wydruk::wydrukNoty(n), wydruk::tytulNoty(n),
                              wydruk::nazwaPlikuNoty(n));
    p.okno().show();
    QCoreApplication::processEvents();
    auto* widok = p.okno().findChild<QPrintPreviewWidget*>();
    ASSERT_NE(widok, nullptr);
    EXPECT_EQ(widok->pageCount(), 1);
    EXPECT_EQ(p.okno().windowTitle(), "Podgląd wydruku - Nota odsetkowa NO/7/2024");
    QString nazwa;
    p.wybierzPlik = [&](const QString&, const QString& proponowana) {
        nazwa = proponowana;
        return dir.filePath(QStringLiteral("nota.pdf"));
    };
    p.akcjaPdf()->trigger();
    EXPECT_EQ(nazwa, "Nota_odsetkowa_NO_7_2024.pdf");
    EXPECT_TRUE(ma(TekstPdf::czytaj(dir.filePath(QStringLiteral("nota.pdf"))),
                   QStringLiteral("Razem do zapłaty: 670,76 zł")));
    p.okno().close();
}

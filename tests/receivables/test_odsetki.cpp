#include "Odsetki.h"
#include "Swieta.h"
#include "Windykacja.h"

#include <gtest/gtest.h>

using namespace odsetki;

namespace {

Money m(const char* s) {
    return *Money::parse(QString::fromLatin1(s));
}

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

// The rows of the shipped history the examples below run through.
Tabele tabele() {
    Tabele t;
    t.handlowe = {
        {d("2019-07-01"), 950, std::nullopt, false}, {d("2020-01-01"), 1150, 950, false},
        {d("2022-01-01"), 1175, 975, false},         {d("2022-07-01"), 1600, 1400, false},
        {d("2023-01-01"), 1675, 1475, false},        {d("2023-07-01"), 1675, 1475, false},
        {d("2024-01-01"), 1575, 1375, false},        {d("2024-07-01"), 1575, 1375, false},
        {d("2025-01-01"), 1575, 1375, false},        {d("2025-07-01"), 1525, 1325, false},
        {d("2026-01-01"), 1400, 1200, false},
    };
    t.ustawowe = {
        {d("2022-09-08"), 1225, std::nullopt, false},
        {d("2023-09-07"), 1150, std::nullopt, false},
        {d("2023-10-05"), 1125, std::nullopt, false},
        {d("2025-05-08"), 1075, std::nullopt, false},
    };
    return t;
}

} // namespace

TEST(Swieta, EasterAndTheHolidaysThatHangOnIt) {
    EXPECT_EQ(swieta::wielkanoc(2024), d("2024-03-31"));
    EXPECT_EQ(swieta::wielkanoc(2025), d("2025-04-20"));
    EXPECT_EQ(swieta::wielkanoc(2026), d("2026-04-05"));
    EXPECT_EQ(swieta::wielkanoc(2038), d("2038-04-25")); // the latest possible
    EXPECT_EQ(swieta::wielkanoc(2285), d("2285-03-22")); // the earliest possible

    struct Case {
        const char* dzien;
        bool swieto;
    } cases[] = {
        {"2024-04-01", true}, // Easter Monday
        {"2024-05-30", true}, // Corpus Christi
        {"2024-05-19", true}, // Pentecost Sunday
        {"2024-05-03", true},  {"2024-05-02", false}, {"2024-01-06", true},
        {"2010-01-06", false},                       // Epiphany is a day off from 2011
        {"2024-12-24", false}, {"2025-12-24", true}, // Christmas Eve from 2025
        {"2018-11-12", true},  {"2019-11-12", false}, {"2024-08-15", true},
        {"2024-11-11", true},  {"2024-12-26", true},  {"2024-06-04", false},
    };
    for (const Case& c : cases)
        EXPECT_EQ(swieta::czySwieto(d(c.dzien)), c.swieto) << c.dzien;
}

TEST(Swieta, NextWorkingDayAndLastWorkingDayOfAMonth) {
    EXPECT_EQ(swieta::najblizszyDzienRoboczy(d("2024-05-03")), d("2024-05-06")); // Fri holiday
    EXPECT_EQ(swieta::najblizszyDzienRoboczy(d("2025-12-20")), d("2025-12-22")); // Saturday
    EXPECT_EQ(swieta::najblizszyDzienRoboczy(d("2025-12-24")), d("2025-12-29")); // 24-28 off
    EXPECT_EQ(swieta::najblizszyDzienRoboczy(d("2024-06-04")), d("2024-06-04"));
    EXPECT_EQ(swieta::ostatniDzienRoboczy(2024, 3), d("2024-03-29")); // Easter on the 31st
    EXPECT_EQ(swieta::ostatniDzienRoboczy(2025, 8), d("2025-08-29"));
    EXPECT_EQ(swieta::ostatniDzienRoboczy(2025, 12), d("2025-12-31"));
    EXPECT_EQ(swieta::ostatniDzienRoboczy(2023, 4), d("2023-04-28"));
}

TEST(Odsetki, RatesAsTypedAndAsShown) {
    EXPECT_EQ(parsujStawke("15,75"), 1575);
    EXPECT_EQ(parsujStawke(" 9.5 % "), 950);
    EXPECT_EQ(parsujStawke("11"), 1100);
    for (const char* zle : {"", "0", "0,00", "100", "15,755", "-3", "1e2", "abc", "15,7,5"})
        EXPECT_FALSE(parsujStawke(QString::fromLatin1(zle))) << zle;
    EXPECT_EQ(formatStawki(1575), "15,75");
    EXPECT_EQ(formatStawki(950), "9,50");
}

// Worked by hand: amount × rate × days / 365 for each period, summed, rounded once.
TEST(Odsetki, HandComputedDelays) {
    struct Case {
        const char* opis;
        const char* kwota;
        const char* termin;
        const char* zaplata;
        Dluznik dluznik;
        const char* termin_po_przesunieciu;
        int dni;
        std::vector<std::pair<int, int>> okresy; // days, rate
        const char* odsetki;
    } cases[] = {
        // 15 days at 11.75 % and 20 at 16 %: 10000 × (0.1175×15 + 0.16×20) / 365
        // = 49625 / 365 = 135.9589...
        {"rate changes with the half-year",
         "10000.00",
         "2022-06-15",
         "2022-07-20",
         Dluznik::Przedsiebiorca,
         "2022-06-15",
         35,
         {{15, 1175}, {20, 1600}},
         "135.96"},
        // Due on the Constitution Day (Friday): moved to Monday 6 May; 7-10 May is 4 days.
        // 5000 × 0.1575 × 4 / 365 = 8.6301...
        {"due date on a holiday",
         "5000.00",
         "2024-05-03",
         "2024-05-10",
         Dluznik::Przedsiebiorca,
         "2024-05-06",
         4,
         {{4, 1575}},
         "8.63"},
        {"paid on the moved due date",
         "5000.00",
         "2024-05-03",
         "2024-05-06",
         Dluznik::Przedsiebiorca,
         "2024-05-06",
         0,
         {},
         "0.00"},
        // The delay starts on Christmas Eve (a holiday since 2025) and crosses into 2026:
        // 1234.56 × (0.1525×8 + 0.14×7) / 365 = 2716.032 / 365 = 7.4411...
        {"delay starting on a holiday, two half-years",
         "1234.56",
         "2025-12-23",
         "2026-01-07",
         Dluznik::Przedsiebiorca,
         "2025-12-23",
         15,
         {{8, 1525}, {7, 1400}},
         "7.44"},
        // 28, 29 February and 1 March 2024: 100000 × 0.1575 × 3 / 365 = 129.4520...
        {"leap day counts, 365-day year",
         "100000.00",
         "2024-02-27",
         "2024-03-01",
         Dluznik::Przedsiebiorca,
         "2024-02-27",
         3,
         {{3, 1575}},
         "129.45"},
        // Due on Sunday 31 December, moved past New Year's Day to 2 January; the delay runs
        // through leap 2024: 180 + 184 days, 1000 × 0.1575 × 364 / 365 = 157.0684...
        {"year-long delay through a leap year",
         "1000.00",
         "2023-12-31",
         "2024-12-31",
         Dluznik::Przedsiebiorca,
         "2024-01-02",
         364,
         {{180, 1575}, {184, 1575}},
         "157.07"},
        // Civil rates change on any day: 5 days at 12.25, 28 at 11.50, 6 at 11.25:
        // 2000 × 4.5075 / 365 = 9015 / 365 = 24.6986...
        {"consumer, civil rates",
         "2000.00",
         "2023-09-01",
         "2023-10-10",
         Dluznik::Konsument,
         "2023-09-01",
         39,
         {{5, 1225}, {28, 1150}, {6, 1125}},
         "24.70"},
        // Healthcare debtor: 13.75 % in 2024; 10000 × 0.1375 × 10 / 365 = 37.6712...
        {"public healthcare debtor",
         "10000.00",
         "2024-06-10",
         "2024-06-20",
         Dluznik::PublicznyZoz,
         "2024-06-10",
         10,
         {{10, 1375}},
         "37.67"},
        // Before 2020 there is no healthcare rate: the ordinary 9.50 % applies.
        {"healthcare debtor before 2020",
         "10000.00",
         "2019-12-02",
         "2019-12-12",
         Dluznik::PublicznyZoz,
         "2019-12-02",
         10,
         {{10, 950}},
         "26.03"},
    };
    const Tabele t = tabele();
    for (const Case& c : cases) {
        SCOPED_TRACE(c.opis);
        const Naliczenie n = nalicz(m(c.kwota), d(c.termin), d(c.zaplata), t, c.dluznik);
        EXPECT_EQ(n.termin, d(c.termin_po_przesunieciu));
        EXPECT_EQ(n.dni, c.dni);
        ASSERT_EQ(n.okresy.size(), c.okresy.size());
        for (std::size_t i = 0; i < c.okresy.size(); ++i) {
            EXPECT_EQ(n.okresy[i].dni, c.okresy[i].first) << i;
            EXPECT_EQ(n.okresy[i].stawka, c.okresy[i].second) << i;
        }
        EXPECT_EQ(n.odsetki.zaokraglona(), m(c.odsetki));
    }
}

TEST(Odsetki, PeriodsAreContiguousAndNamedByTheirDays) {
    const Naliczenie n =
        nalicz(m("100.00"), d("2022-06-15"), d("2022-07-20"), tabele(), Dluznik::Przedsiebiorca);
    ASSERT_EQ(n.okresy.size(), 2u);
    EXPECT_EQ(n.okresy[0].od, d("2022-06-16"));
    EXPECT_EQ(n.okresy[0].doDnia, d("2022-06-30"));
    EXPECT_EQ(n.okresy[1].od, d("2022-07-01"));
    EXPECT_EQ(n.okresy[1].doDnia, d("2022-07-20"));
}

TEST(Odsetki, DaysWithoutARateAreRefusedNotGuessed) {
    const Tabele t = tabele();
    // The second half of 2026 has no row here: the last commercial rate ends with its
    // half-year.
    try {
        nalicz(m("100.00"), d("2026-06-19"), d("2026-07-10"), t, Dluznik::Przedsiebiorca);
        FAIL() << "expected BrakStawki";
    } catch (const BrakStawki& e) {
        EXPECT_EQ(e.dzien(), d("2026-07-01"));
        EXPECT_TRUE(e.komunikat().contains("01.07.2026")) << e.komunikat().toStdString();
        EXPECT_TRUE(e.komunikat().contains("transakcjach handlowych"));
    }
    // A half-year missing in the middle is refused too, not bridged by its neighbour.
    Tabele dziura = t;
    std::erase_if(dziura.handlowe, [](const Stawka& s) { return s.od == d("2024-07-01"); });
    EXPECT_THROW(
        nalicz(m("100.00"), d("2024-06-20"), d("2024-07-05"), dziura, Dluznik::Przedsiebiorca),
        BrakStawki);
    // Before the first row.
    EXPECT_THROW(nalicz(m("100.00"), d("2022-09-01"), d("2022-09-20"), t, Dluznik::Konsument),
                 BrakStawki);
    // The last civil rate stays in force until a new one is added.
    EXPECT_EQ(nalicz(m("100.00"), d("2027-03-01"), d("2027-03-11"), t, Dluznik::Konsument).dni, 10);
}

TEST(Odsetki, ExactSumsAndOverflow) {
    KwotaDokladna k;
    k.dodaj(m("0.01"), 1, 1); // a tiny fraction of a grosz, kept
    EXPECT_EQ(k.zaokraglona(), Money());
    // Ten billion złoty for ten years at 99.99 %: still exact, no overflow.
    KwotaDokladna duza;
    duza.dodaj(m("10000000000.00"), 9999, 3650);
    EXPECT_EQ(duza.zaokraglona(), m("99990000000.00"));
    KwotaDokladna poza;
    EXPECT_THROW(poza.dodaj(Money::fromRaw(std::numeric_limits<std::int64_t>::max() / 2), 9999, 1),
                 std::overflow_error);
}

TEST(Rekompensata, ThresholdsAtTheirEdgesAndConversion) {
    struct Case {
        const char* kwota;
        const char* dzien;
        Dluznik dluznik;
        int euro;
    } cases[] = {
        {"5000.00", "2024-03-01", Dluznik::Przedsiebiorca, 40},
        {"5000.01", "2024-03-01", Dluznik::Przedsiebiorca, 70},
        {"49999.99", "2024-03-01", Dluznik::Przedsiebiorca, 70},
        {"50000.00", "2024-03-01", Dluznik::Przedsiebiorca, 100},
        {"50000.00", "2024-03-01", Dluznik::PublicznyZoz, 100},
        {"60000.00", "2019-12-31", Dluznik::Przedsiebiorca, 40}, // flat before 2020
        {"60000.00", "2020-01-01", Dluznik::Przedsiebiorca, 100},
        {"60000.00", "2024-03-01", Dluznik::Konsument, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(rekompensataEur(m(c.kwota), d(c.dzien), c.dluznik), c.euro)
            << c.kwota << " " << c.dzien;
    EXPECT_EQ(rekompensataPln(40, m("4.3434")), m("173.74")); // 173.736
    EXPECT_EQ(rekompensataPln(70, m("4.2692")), m("298.84")); // 298.844
    EXPECT_EQ(rekompensataPln(100, m("4.5")), m("450.00"));
    EXPECT_EQ(rekompensataPln(70, m("4.2125")), m("294.88")); // 294.875, half up
    EXPECT_EQ(miesiacKursu(d("2024-03-15")), d("2024-02-01"));
    EXPECT_EQ(miesiacKursu(d("2024-01-02")), d("2023-12-01"));
}

TEST(NaliczOdsetki, PaymentsLateInPartsAndTheUnpaidRest) {
    // 3000.00 due Tuesday 16 April 2024: 1000 paid early, 1000 ten days late, 1000 unpaid on
    // 6 May (20 days). Items: 1000 × 0.1575 × 10/365 = 4.3150..., 1000 × 0.1575 × 20/365 =
    // 8.6301...; together 4725/365 = 12.9452... rounded once to 12.95.
    windykacja::Faktura f{"FV/1/04/2024",
                          d("2024-04-02"),
                          d("2024-04-16"),
                          m("3000.00"),
                          {{d("2024-04-26"), m("1000.00")}, {d("2024-04-10"), m("1000.00")}}};
    const windykacja::WynikOdsetek w = windykacja::naliczOdsetki({f}, {QDate(), d("2024-05-06")},
                                                                 tabele(), Dluznik::Przedsiebiorca);
    ASSERT_EQ(w.pozycje.size(), 2u);
    EXPECT_EQ(w.pozycje[0].zaplata, d("2024-04-26"));
    EXPECT_EQ(w.pozycje[0].kwota, m("1000.00"));
    EXPECT_EQ(w.pozycje[0].dni, 10);
    EXPECT_EQ(w.pozycje[0].odsetki, m("4.32"));
    EXPECT_EQ(w.pozycje[0].rekompensataEur, 40);
    EXPECT_FALSE(w.pozycje[1].zaplata);
    EXPECT_EQ(w.pozycje[1].dni, 20);
    EXPECT_EQ(w.pozycje[1].odsetki, m("8.63"));
    EXPECT_EQ(w.pozycje[1].rekompensataEur, 0);
    EXPECT_EQ(w.suma, m("12.95"));

    // Only what was paid late within the period: the unpaid rest left out.
    const windykacja::WynikOdsetek okres = windykacja::naliczOdsetki(
        {f}, {d("2024-04-20"), d("2024-04-30"), true, false}, tabele(), Dluznik::Przedsiebiorca);
    ASSERT_EQ(okres.pozycje.size(), 1u);
    EXPECT_EQ(okres.suma, m("4.32"));
}

TEST(NaliczOdsetki, OneRoundingPerInvoiceNotPerPayment) {
    // Two transfers of 500.00 a day late: 0.2157... each. Rounded apiece they would make
    // 0.44; the invoice's interest is 0.4315... = 0.43, and the items add up to it.
    windykacja::Faktura f{"FV/2",
                          d("2024-06-01"),
                          d("2024-06-10"),
                          m("1000.00"),
                          {{d("2024-06-11"), m("500.00")}, {d("2024-06-11"), m("500.00")}}};
    windykacja::Faktura g{"FV/3",
                          d("2024-06-01"),
                          d("2024-06-10"),
                          m("1000.00"),
                          {{d("2024-06-11"), m("500.00")}, {d("2024-06-11"), m("500.00")}}};
    const windykacja::WynikOdsetek w = windykacja::naliczOdsetki({f, g}, {QDate(), d("2024-06-30")},
                                                                 tabele(), Dluznik::Przedsiebiorca);
    ASSERT_EQ(w.pozycje.size(), 4u);
    EXPECT_EQ(w.pozycje[0].odsetki, m("0.22"));
    EXPECT_EQ(w.pozycje[1].odsetki, m("0.21"));
    EXPECT_EQ(w.pozycje[2].numer, "FV/3");
    EXPECT_EQ(w.pozycje[2].rekompensataEur, 40);
    EXPECT_EQ(w.suma, m("0.86"));
}

TEST(NaliczOdsetki, NothingForInvoicesPaidInTimeOrAfterTheEndOfThePeriod) {
    windykacja::Faktura wCzas{
        "FV/4", d("2024-06-01"), d("2024-06-10"), m("700.00"), {{d("2024-06-10"), m("700.00")}}};
    windykacja::Faktura pozniej{
        "FV/5", d("2024-06-01"), d("2024-06-10"), m("700.00"), {{d("2024-07-15"), m("700.00")}}};
    const windykacja::WynikOdsetek w = windykacja::naliczOdsetki(
        {wCzas, pozniej}, {QDate(), d("2024-06-10")}, tabele(), Dluznik::Przedsiebiorca);
    EXPECT_TRUE(w.pozycje.empty());
    EXPECT_EQ(w.suma, Money());
    EXPECT_EQ(windykacja::pozostaloNaDzien(pozniej, d("2024-07-14")), m("700.00"));
    EXPECT_EQ(windykacja::pozostaloNaDzien(pozniej, d("2024-07-15")), Money());
}

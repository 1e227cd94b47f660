#include "Rozliczenia.h"
#include "SettlementTest.h"
#include "SzukanieKlienta.h"

#include <QLocale>

#include <gtest/gtest.h>

// Found by the test framework next to the type, to print a failing comparison readably.
void PrintTo(const PrzyciskiRozliczen& p, std::ostream* os) {
    *os << "Dopisz " << p.dopisz << ", Popraw " << p.popraw << ", Usuń " << p.usun << ", Drukuj "
        << p.drukuj << ", Przeksięguj " << p.przeksieguj;
}

namespace {
// The text with "~" standing for the locale's non-breaking blank.
QString P(const char* t) {
    return QString::fromUtf8(t).replace(u'~', QChar(0x00a0));
}
} // namespace

TEST(FormatyKwot, BalanceLinesAndListFormatsInPolish) {
    const QLocale pl(QLocale::Polish, QLocale::Poland);
    EXPECT_EQ(FormatWaluty(Money::fromCents(123450), pl), P("1~234,50~zł"));
    EXPECT_EQ(LiniaSalda(Money()), P(" Do zapłaty: 0,00~zł"));
    EXPECT_EQ(LiniaSalda(Money::fromCents(-1)), P(" Nadpłata: 0,01~zł"));
    EXPECT_EQ(LiniaZestawienia(Money::fromCents(-250000)),
              P(" Razem kontrahenci - nadpłata: 2~500,00~zł"));
    EXPECT_EQ(LiniaZestawienia(Money::fromCents(5)),
              P(" Razem kontrahenci - suma należności: 0,05~zł"));
    // "# ##0.00": one blank before the last three digits, a leading blank below a thousand.
    EXPECT_EQ(FormatListy(Money::fromCents(1234567), pl), QStringLiteral("12 345,67"));
    EXPECT_EQ(FormatListy(Money::fromCents(123456789), pl), QStringLiteral("1234 567,89"));
    EXPECT_EQ(FormatListy(Money::fromCents(5050), pl), QStringLiteral(" 50,50"));
    EXPECT_EQ(FormatListy(Money::fromCents(100000), pl), QStringLiteral("1 000,00"));
}

class RozliczeniaTest : public SettlementTest {
protected:
    PrzyciskiRozliczen przyciski() { return UpdateBtns(data->Klient, data->TransKL); }
    void naKlienta(int id) {
        ASSERT_TRUE(data->Klient.locate(QStringLiteral("KLIENTID"), id));
        UpdateTrans(*data);
    }
    void naWpis(int wpisId) { ASSERT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), wpisId)); }
    QString biezacaNazwa() const { return data->Klient.field(QStringLiteral("NAZWA")).toString(); }
};

TEST_F(RozliczeniaTest, EnablingRulesBySourceOfTheCurrentRow) {
    // Nothing open: nothing enabled.
    EXPECT_EQ(przyciski(), PrzyciskiRozliczen{});
    data->openStartupLists();
    // An empty register: all five disabled, a zero balance to pay.
    UpdateTrans(*data);
    EXPECT_EQ(przyciski(), PrzyciskiRozliczen{});
    EXPECT_EQ(LiniaSaldaBiezacego(*data), P(" Do zapłaty: 0,00~zł"));

    addKlient(1, QStringLiteral("Bez transakcji"));
    addKlient(2, QStringLiteral("Z transakcjami"));
    addRow(10, 2, "F", "2024-01-10", "100.00", "NULL", QStringLiteral("FV 1/2024"));
    addRow(11, 2, "W", "2024-01-11", "NULL", "40.00", QStringLiteral("przelew"));
    addRow(12, 2, "U", "2024-01-12", "NULL", "0.01", QStringLiteral("wpłata w kasie"));
    addRow(13, 2, "U", "2024-01-13", "25.00", "NULL", QStringLiteral("należność"));
    addRow(14, 2, "U", "2024-01-14", "NULL", "0.00", QStringLiteral("wpłata zero"));
    addRow(15, 2, "U", "2024-01-15", "NULL", "-5.00", QStringLiteral("zwrot"));
    data->OtworzKlient();
    naKlienta(1);
    EXPECT_EQ(przyciski(), (PrzyciskiRozliczen{true, false, false, false, false}));

    naKlienta(2);
    const struct {
        int wpis;
        PrzyciskiRozliczen expected;
    } cases[] = {
        {10, {true, true, true, false, false}}, // invoice
        {11, {true, true, true, false, true}},  // statement payment: may be moved
        {12, {true, true, true, true, false}},  // user payment of 0.01: a receipt
        {13, {true, true, true, false, false}}, // user amount due
        {14, {true, true, true, false, false}}, // user payment of nothing
        {15, {true, true, true, false, false}}, // negative payment
    };
    for (const auto& c : cases) {
        naWpis(c.wpis);
        EXPECT_EQ(przyciski(), c.expected) << c.wpis;
    }
    // The balance line: 100 + 25 due, 40 + 0.01 - 5 paid.
    EXPECT_EQ(LiniaSaldaBiezacego(*data), P(" Do zapłaty: 89,99~zł"));
    // Newest first.
    EXPECT_EQ(data->TransKL.row(0)[QStringLiteral("WPISID")].toInt(), 15);
}

TEST_F(RozliczeniaTest, IncrementalSearchByFirstLetterThenByFragment) {
    for (const auto& [id, nazwa] :
         std::initializer_list<std::pair<int, const char*>>{{1, "Alfa"},
                                                            {2, "beta sp. z o.o."},
                                                            {3, "Betonex"},
                                                            {4, "Łąka Nowak"},
                                                            {5, "Zakład Łąkowy"},
                                                            {6, "  Omega  "}}) {
        addKlient(id, QString::fromUtf8(nazwa));
    }
    data->OtworzKlient();
    WyszukiwarkaKlientow szukaj(data->Klient, data->conn);
    const struct {
        const char* tekst;
        const char* gdzie; // the current name afterwards ("" none)
        WynikSzukania wynik;
    } cases[] = {
        // one letter: first name beginning with it, any case
        {"b", "beta sp. z o.o.", WynikSzukania::PoNazwie},
        {"ł", "Łąka Nowak", WynikSzukania::PoNazwie},  // Polish letters upper-case too
        {"ETO", "Betonex", WynikSzukania::PoNazwie},   // more: first name containing it
        {"ąk", "Łąka Nowak", WynikSzukania::PoNazwie}, // the first in name order
        {"kowy", "Zakład Łąkowy", WynikSzukania::PoNazwie},
        {"xyz", "", WynikSzukania::Brak}, // nothing matches: no contractor stays chosen
        {"   ", "", WynikSzukania::Nic},  // blanks only: nothing happens
        {" mEg ", "  Omega  ", WynikSzukania::PoNazwie}, // the text's own blanks do not count
        {"o", "", WynikSzukania::Brak},                  // no name begins with "O"
        {"a", "Alfa", WynikSzukania::PoNazwie},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(szukaj.Szukaj(QString::fromUtf8(c.tekst)), c.wynik) << c.tekst;
        EXPECT_EQ(biezacaNazwa(), QString::fromUtf8(c.gdzie)) << c.tekst;
    }
    // A contractor added and the list read again is found at the next keystroke.
    addKlient(7, QStringLiteral("Nowy Gość"));
    data->OtworzKlient();
    szukaj.Szukaj(QStringLiteral("gość"));
    EXPECT_EQ(biezacaNazwa(), QStringLiteral("Nowy Gość"));
}

TEST_F(RozliczeniaTest, SearchInAnEmptyRegisterDoesNothing) {
    data->OtworzKlient();
    WyszukiwarkaKlientow szukaj(data->Klient, data->conn);
    EXPECT_EQ(szukaj.Szukaj(QStringLiteral("ab")), WynikSzukania::Nic);
    EXPECT_EQ(data->Klient.current(), nullptr);
}

TEST_F(RozliczeniaTest, ListsSumContractorsOfTheSameNameAndTheGrandTotal) {
    addKlient(1, QStringLiteral("Kowalski"));
    addKlient(2, QStringLiteral("Kowalski"));
    addKlient(3, QStringLiteral("Nadpłacający"));
    addKlient(4, QStringLiteral("Rozliczony"));
    addRow(10, 1, "F", "2024-01-10", "100.00", "NULL");
    addRow(11, 2, "F", "2024-01-10", "50.50", "NULL");
    addRow(12, 2, "W", "2024-01-11", "NULL", "20.00");
    addRow(13, 3, "W", "2024-01-11", "NULL", "1000.00");
    addRow(14, 4, "F", "2024-01-11", "10.00", "NULL");
    addRow(15, 4, "W", "2024-01-11", "NULL", "10.00");

    auto rows = [](const std::vector<WierszSalda>& w) {
        QStringList l;
        for (const WierszSalda& r : w)
            l << r.nazwa + u'=' + r.kwota.toFixed2();
        return l;
    };
    EXPECT_EQ(rows(CzytajListe(*data, RodzajListy::Zestawienie)),
              (QStringList{"Kowalski=130.50", "Nadpłacający=-1000.00", "Rozliczony=0.00"}));
    EXPECT_EQ(rows(CzytajListe(*data, RodzajListy::Naleznosci)), (QStringList{"Kowalski=130.50"}));
    EXPECT_EQ(rows(CzytajListe(*data, RodzajListy::Nadplaty)),
              (QStringList{"Nadpłacający=1000.00"}));
    ASSERT_TRUE(data->OtworzSalda());
    EXPECT_EQ(SumaSald(data->Salda), zl("-869.50"));
    EXPECT_EQ(LiniaZestawienia(SumaSald(data->Salda)),
              P(" Razem kontrahenci - nadpłata: 869,50~zł"));
}

TEST_F(RozliczeniaTest, ReceiptRowWithItsContractorAndWords) {
    addKlient(1, QStringLiteral("Kasa Sp. z o.o."));
    addRow(10, 1, "U", "2024-01-10", "NULL", "1234.56", QStringLiteral("wpłata gotówką"));
    const auto d = CzytajDowodWplaty(*data, 10);
    ASSERT_TRUE(d);
    EXPECT_EQ(d->nazwa, QStringLiteral("Kasa Sp. z o.o."));
    EXPECT_EQ(d->opis, QStringLiteral("wpłata gotówką"));
    EXPECT_EQ(d->zaplacono, zl("1234.56"));
    EXPECT_EQ(
        d->slownie,
        QStringLiteral("jeden tysiąc dwieście trzydzieści cztery złote pięćdziesiąt sześć groszy"));
    EXPECT_FALSE(CzytajDowodWplaty(*data, 99));
}

TEST_F(RozliczeniaTest, RefreshReturnsToTheRowAndDeleteKeepsTheBalanceRight) {
    addKlient(1, QStringLiteral("Alfa"));
    addRow(10, 1, "F", "2024-01-10", "100.00", "NULL");
    addRow(11, 1, "U", "2024-01-11", "NULL", "30.00");
    addRow(12, 1, "U", "2024-01-12", "5.00", "NULL");
    data->OtworzKlient();
    naKlienta(1);
    naWpis(11);
    // Another workstation changes the row meanwhile: the refresh shows it, on the same row.
    exec(QStringLiteral("UPDATE TRANS SET OPIS_TR = 'zmieniony' WHERE WPISID = 11"));
    RefreshTrans(*data);
    EXPECT_EQ(data->TransKL.field(QStringLiteral("WPISID")).toInt(), 11);
    EXPECT_EQ(data->TransKL.field(QStringLiteral("OPIS_TR")).toString(),
              QStringLiteral("zmieniony"));

    UsunTransakcje(*data);
    RefreshTrans(*data);
    EXPECT_EQ(count(QStringLiteral("FROM TRANS WHERE KLIENTID = 1")), 2);
    EXPECT_EQ(saldo(1), zl("105.00"));
    EXPECT_EQ(LiniaSaldaBiezacego(*data), P(" Do zapłaty: 105,00~zł"));

    // A row another workstation moved to another contractor is not deleted from there.
    addKlient(2, QStringLiteral("Beta"));
    naWpis(10);
    exec(QStringLiteral("UPDATE TRANS SET KLIENTID = 2 WHERE WPISID = 10"));
    EXPECT_THROW(UsunTransakcje(*data), db::Error);
    EXPECT_EQ(count(QStringLiteral("FROM TRANS WHERE WPISID = 10")), 1);
}

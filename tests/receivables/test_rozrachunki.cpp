// Payments matched to the invoices they pay, through the booking runs and the settlement's
// edits, against a real database.
#include "CliRun.h"
#include "Commands.h"
#include "Dopasowanie.h"
#include "Error.h"
#include "PropozycjePlatnikow.h"
#include "Przeksiegowanie.h"
#include "Rozliczenia.h"
#include "Rozrachunki.h"
#include "RozrachunkiTest.h"
#include "Scalanie.h"
#include "Statement.h"
#include "TestPrinters.h"
#include "Transaction.h"
#include "Transakcja.h"
#include "Wiekowanie.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {
const QString NipA = QStringLiteral("5990000010");
const QString NipB = QStringLiteral("5990000020");
} // namespace

TEST_F(RozrachunkiTest, EditedDescriptionDoesNotBookTheInvoiceAgain) {
    addKlient(1, "Alfa", "PL", NipA);
    ASSERT_EQ(ksiegujFaktury({faktura("FV/1/03/2024", NipA, "1134.50")}).zaksiegowane, 1);
    data->OtworzTransKL(1);
    DaneTransakcji d;
    d.nowyWpis = false;
    d.rodzaj = TRodzTrans::rtFaktura;
    d.klientId = 1;
    d.wpisId = wpisFaktury("FV/1/03/2024");
    d.opis = QString::fromUtf8("Sprzedaż pieczywa, marzec");
    ASSERT_EQ(ZapiszTransakcje(*data, d), QString());

    const WynikKsiegowania again = ksiegujFaktury({faktura("FV/1/03/2024", NipA, "1134.50")});
    EXPECT_EQ(again.zaksiegowane, 0);
    EXPECT_EQ(again.wczesniej, 1);
    EXPECT_EQ(data->SaldoKlienta(1), zl("1134.50"));
    // The invoice keeps its identity apart from the new description.
    EXPECT_EQ(
        scalar("SELECT NR_FAKTURY || '|' || NIP_NABYWCY || '|' || OPIS_TR FROM TRANS").toString(),
        QString::fromUtf8("FV/1/03/2024|5990000010|Sprzedaż pieczywa, marzec"));
}

TEST_F(RozrachunkiTest, TitleNumbersInSeveralSpellingsPayTheirInvoices) {
    najstarsze(false); // only what the titles say
    const struct {
        const char* tytul;
        const char* kwota;
        std::vector<const char*> zaplacone; // invoices linked, in order
    } cases[] = {
        {"FV/1/03/2024", "100,00", {"FV/1/03/2024"}},
        {"Zapłata FV 1/03/2024", "100,00", {"FV/1/03/2024"}},
        {"fv1-03-2024", "100,00", {"FV/1/03/2024"}},
        {"za FV/11/03/2024", "110,00", {"FV/11/03/2024"}},
        {"FV 2/03/2024, FV 1/03/2024", "300,00", {"FV/1/03/2024", "FV/2/03/2024"}},
        {"czynsz", "50,00", {}},
    };
    int klientId = 0;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.tytul);
        ++klientId;
        const QString nip = QString::number(5990000100LL + klientId);
        addKlient(klientId, QStringLiteral("K%1").arg(klientId), "PL", nip);
        const QString konto =
            QStringLiteral("611090101400000712198128%1").arg(klientId, 2, 10, QChar(u'0'));
        addKonto(1000 + klientId, klientId, "PL", konto);
        // Numbers are unique per seller: each contractor's get a suffix.
        const QString s = QStringLiteral("-%1").arg(klientId);
        ksiegujFaktury({faktura("FV/1/03/2024" + s, nip, "100.00", Date(2024, 3, 1)),
                        faktura("FV/11/03/2024" + s, nip, "110.00", Date(2024, 3, 2)),
                        faktura("FV/2/03/2024" + s, nip, "200.00", Date(2024, 3, 3))});
        QString tytul = QString::fromUtf8(c.tytul);
        tytul.replace(QStringLiteral("2024"), QStringLiteral("2024") + s);
        ksiegujWplaty({{'C', c.kwota, "PL" + konto, "Platnik", tytul, "240305"}},
                      QStringLiteral("C2403%1PLN1,00").arg(10 + klientId));
        QStringList zaplacone;
        for (const char* nr : {"FV/1/03/2024", "FV/2/03/2024", "FV/11/03/2024"})
            if (pozostalo(nr + s) == Money())
                zaplacone << QString::fromLatin1(nr);
        QStringList oczekiwane;
        for (const char* nr : c.zaplacone)
            oczekiwane << QString::fromLatin1(nr);
        zaplacone.sort();
        oczekiwane.sort();
        EXPECT_EQ(zaplacone, oczekiwane);
    }
    expectSpojne();
}

TEST_F(RozrachunkiTest, PartialAndMultiplePaymentsAndOldestFirst) {
    addKlient(1, "Alfa", "PL", NipA);
    addKonto(100, 1, "PL", KontoA);
    ksiegujFaktury({faktura("FV/10", NipA, "1000.00", Date(2024, 1, 10)),
                    faktura("FV/20", NipA, "500.00", Date(2024, 1, 5)),
                    faktura("FV/30", NipA, "300.00", Date(2024, 2, 1))});
    // Due 14 days after issue: FV/20 falls due first.
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE NR_FAKTURY = 'FV/20'").toDate(),
              Date(2024, 1, 19));
    const RaportWplat r = ksiegujWplaty({
        {'C', "300,00", "PL" + KontoA, "Alfa", "wplata", "240201"},      // oldest: FV/20
        {'C', "700,00", "PL" + KontoA, "Alfa", "FV/10 czesc", "240202"}, // named: FV/10
        {'C', "700,00", "PL" + KontoA, "Alfa", "reszta", "240203"},      // FV/20, FV/10, FV/30
    });
    EXPECT_TRUE(r.ogolny.filter("[Rozliczono] - FV/20 (300,00)").size() == 1)
        << r.ogolny.join("\n").toStdString();
    EXPECT_EQ(pozostalo("FV/20"), Money());
    EXPECT_EQ(pozostalo("FV/10"), Money());
    EXPECT_EQ(pozostalo("FV/30"), zl("100.00"));
    const int fv10 = wpisFaktury("FV/10");
    EXPECT_EQ(powiazane(fv10, wpisWplaty("FV/10 czesc")), zl("700.00"));
    EXPECT_EQ(powiazane(fv10, wpisWplaty("reszta")), zl("300.00"));
    EXPECT_EQ(otwarte(wpisWplaty("reszta")), Money());
    expectSpojne();

    // Turned off, a payment naming no invoice stays a credit.
    najstarsze(false);
    ksiegujWplaty({{'C', "50,00", "PL" + KontoA, "Alfa", "bez numeru", "240204"}},
                  QStringLiteral("C240204PLN1,00"));
    EXPECT_EQ(otwarte(wpisWplaty("bez numeru")), zl("-50.00"));
    EXPECT_EQ(pozostalo("FV/30"), zl("100.00"));
}

TEST_F(RozrachunkiTest, OverpaymentPaysTheNextInvoices) {
    addKlient(1, "Alfa", "PL", NipA);
    addKonto(100, 1, "PL", KontoA);
    ksiegujWplaty({{'C', "150,00", "PL" + KontoA, "Alfa", "zaliczka", "240201"}});
    const int wplata = wpisWplaty("zaliczka");
    EXPECT_EQ(otwarte(wplata), zl("-150.00"));
    const WynikKsiegowania w = ksiegujFaktury({faktura("FV/1", NipA, "100.00")});
    EXPECT_TRUE(w.raport.at(0).contains("rozliczono z wpłat: zaliczka (100,00)"))
        << w.raport.join("\n").toStdString();
    ksiegujFaktury({faktura("FV/2", NipA, "80.00", Date(2024, 3, 2))});
    EXPECT_EQ(pozostalo("FV/1"), Money());
    EXPECT_EQ(pozostalo("FV/2"), zl("30.00"));
    EXPECT_EQ(otwarte(wplata), Money());

    // A payment made ahead for an invoice it names waits for it and goes to it.
    najstarsze(false);
    ksiegujWplaty({{'C', "40,00", "PL" + KontoA, "Alfa", "za FV/4", "240302"}},
                  QStringLiteral("C240302PLN1,00"));
    ksiegujFaktury({faktura("FV/4", NipA, "40.00", Date(2024, 3, 4))});
    EXPECT_EQ(pozostalo("FV/4"), Money());
    EXPECT_EQ(pozostalo("FV/2"), zl("30.00"));
    expectSpojne();
}

TEST_F(RozrachunkiTest, CorrectionLowersTheInvoiceItCorrects) {
    addKlient(1, "Alfa", "PL", NipA);
    addKonto(100, 1, "PL", KontoA);
    recFaktura kor = faktura("KOR/5", NipA, "-200.00", Date(2024, 3, 5));
    kor.Korygowane = QStringList{QStringLiteral("FV/5")};
    ksiegujFaktury(
        {faktura("FV/4", NipA, "50.00", Date(2024, 2, 1)), faktura("FV/5", NipA, "1000.00"), kor});
    // The corrected invoice, not the older one, takes the correction.
    EXPECT_EQ(pozostalo("FV/5"), zl("800.00"));
    EXPECT_EQ(pozostalo("FV/4"), zl("50.00"));
    ksiegujWplaty({{'C', "800,00", "PL" + KontoA, "Alfa", "FV/5", "240310"}});
    EXPECT_EQ(pozostalo("FV/5"), Money());

    // A correction of an invoice paid already is a credit for what is still owed.
    recFaktura kor2 = faktura("KOR/5/2", NipA, "-70.00", Date(2024, 3, 11));
    kor2.Korygowane = QStringList{QStringLiteral("FV/5")};
    ksiegujFaktury({kor2});
    EXPECT_EQ(pozostalo("FV/4"), Money());
    EXPECT_EQ(otwarte(wpisFaktury("KOR/5/2")), zl("-20.00"));
    expectSpojne();
}

TEST_F(RozrachunkiTest, KsefInvoicePaidOnIssueNeverShowsOwedForWhatWasPaid) {
    addKlient(1, "Alfa", "PL", NipA);
    recFaktura f = faktura("FA/1/2024", NipA, "1000.00");
    f.Termin = Date(2024, 4, 30);
    f.Zaplaty = {{Date(2024, 3, 1), zl("300.00")}, {Date(2024, 3, 5), zl("200.00")}};
    const WynikKsiegowania w = ksiegujFaktury({f});
    EXPECT_TRUE(w.raport.at(0).contains("zapłacono wg faktury: 500,00"))
        << w.raport.join("\n").toStdString();
    EXPECT_EQ(pozostalo("FA/1/2024"), zl("500.00"));
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE NR_FAKTURY = 'FA/1/2024'").toDate(),
              Date(2024, 4, 30));
    EXPECT_EQ(count("FROM TRANS WHERE ZRODLO = 'F' AND ZAPLACONO IS NOT NULL AND OTWARTE = 0"), 2);
    EXPECT_EQ(data->SaldoKlienta(1), zl("500.00"));
    expectSpojne();
}

TEST_F(RozrachunkiTest, PayerFoundByInvoiceNumberAndItsAccountLearnt) {
    addKlient(1, QString::fromUtf8("Piekarnia Złoty Kłos Sp. z o.o."), "PL", NipA);
    addKlient(2, "Beta", "PL", NipB);
    ksiegujFaktury({faktura("FV/1/03/2024", NipA, "500.00"), faktura("FV/9/2024", NipB, "10.00")});
    const RaportWplat r = ksiegujWplaty({
        {'C', "100,00", "PL" + KontoA, QString::fromUtf8("PIEKARNIA ZŁOTY KŁOS SP. Z O.O."),
         "Zaplata FV 1/03/2024", "240305"},
        // Two contractors' invoices named: nobody's, a new contractor as before.
        {'C', "5,00", "PL" + KontoB, "Ktos", "FV/1/03/2024 FV/9/2024", "240305"},
    });
    EXPECT_EQ(count("FROM KLIENT"), 3);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 1 AND NR_KONTO = '" + KontoA + "'"), 1);
    EXPECT_EQ(pozostalo("FV/1/03/2024"), zl("400.00"));
    EXPECT_EQ(r.poNumerze, 1);
    EXPECT_EQ(r.ogolny
                  .filter(QString::fromUtf8("[Rozpoznano płatnika po numerze faktury] - "
                                            "PIEKARNIA ZŁOTY KŁOS SP. Z O.O. → Piekarnia "
                                            "Złoty Kłos Sp. z o.o. (FV/1/03/2024)"))
                  .size(),
              1)
        << r.ogolny.join("\n").toStdString();
    // Next time the account alone tells the payer.
    ksiegujWplaty({{'C', "1,00", KontoA, "Piekarnia", "inne", "240306"}},
                  QStringLiteral("C240306PLN1,00"));
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 1 AND ZAPLACONO = 1"), 1);
    expectSpojne();
}

TEST_F(RozrachunkiTest, PayerByNameIsProposedAndBookedOnlyWhenAccepted) {
    addKlient(1, QString::fromUtf8("Piekarnia Złoty Kłos Sp. z o.o."), "PL", NipA);
    addKlient(2, "Alfa S.A.");
    addKlient(3, "ALFA SPOLKA AKCYJNA");
    const std::vector<TxSpec> txs{
        {'C', "10,00", "PL" + KontoA, QString::fromUtf8("PIEKARNIA ZŁOTY KŁOS SP. Z O.O."), "x",
         "240305"},
        {'C', "11,00", "PL" + KontoA, QString::fromUtf8("PIEKARNIA ZŁOTY KŁOS SP. Z O.O."), "y",
         "240305"},
        {'C', "12,00", "PL" + KontoB, "ALFA", "z", "240305"}, // two contractors of that name
    };
    const auto w = wyciag(txs);
    const std::vector<PropozycjaPlatnika> p = PropozycjePlatnikow(data->conn, {w});
    ASSERT_EQ(p.size(), 1u);
    EXPECT_EQ(p[0].klientId, 1);
    EXPECT_EQ(p[0].konto, "PL" + KontoA);

    const RaportWplat r =
        ksiegujWplaty(txs, QStringLiteral("C240301PLN1,00"), PrzyjmijWszystkie(p));
    EXPECT_EQ(r.poNazwie, 1);
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 1"), 2);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 1"), 1);
    EXPECT_EQ(count("FROM KLIENT"), 4); // ALFA became a new contractor

    // Not accepted: a new contractor, as before.
    addKlient(500, "Gamma Sp. j.");
    const std::vector<TxSpec> gamma{
        {'C', "5,00", "PL" + KontoC, "GAMMA SPÓŁKA JAWNA", "q", "240306"}};
    EXPECT_EQ(PropozycjePlatnikow(data->conn, {wyciag(gamma, "C240306PLN1,00")}).size(), 1u);
    ksiegujWplaty(gamma, QStringLiteral("C240306PLN1,00"));
    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 500"), 0);
    EXPECT_EQ(count("FROM KLIENT"), 6);
}

TEST_F(RozrachunkiTest, DeleteEditAndRebookFreeAndAdjustTheirLinks) {
    addKlient(1, "Alfa", "PL", NipA);
    addKlient(2, "Beta", "PL", NipB);
    addKonto(100, 1, "PL", KontoA);
    ksiegujFaktury({faktura("FV/1", NipA, "100.00", Date(2024, 1, 1)),
                    faktura("FV/2", NipA, "100.00", Date(2024, 2, 1)),
                    faktura("FV/3", NipB, "60.00", Date(2024, 2, 1))});
    ksiegujWplaty({{'C', "100,00", "PL" + KontoA, "Alfa", "FV/1", "240301"}});
    const int wplata = wpisWplaty("FV/1");
    const int fv1 = wpisFaktury("FV/1");
    ASSERT_EQ(powiazane(fv1, wplata), zl("100.00"));

    // The invoice deleted: its link goes, and the payment pays the next oldest.
    data->OtworzTransKL(1);
    ASSERT_TRUE(data->TransKL.locate("WPISID", fv1));
    UsunTransakcje(*data);
    EXPECT_EQ(count(QStringLiteral("FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = %1").arg(fv1)), 0);
    EXPECT_EQ(powiazane(wpisFaktury("FV/2"), wplata), zl("100.00"));
    expectSpojne();

    // Re-booked to Beta: FV/2 is owed again, the payment pays Beta's FV/3 and the rest waits.
    Przeksieguj(data->conn, wplata, 2);
    EXPECT_EQ(pozostalo("FV/2"), zl("100.00"));
    EXPECT_EQ(pozostalo("FV/3"), Money());
    EXPECT_EQ(otwarte(wplata), zl("-40.00"));
    expectSpojne();

    // An amount due entered by hand, paid, then lowered: the link shrinks to fit and the
    // payment's freed part goes on to what else is owed.
    DaneTransakcji d;
    d.rodzaj = TRodzTrans::rtWpisUzyt;
    d.klientId = 2;
    d.naleznosc = true;
    d.data = Date(2024, 1, 15);
    d.kwota = zl("30.00");
    d.opis = QStringLiteral("kara");
    ASSERT_EQ(ZapiszTransakcje(*data, d), QString());
    const int kara = scalar("SELECT WPISID FROM TRANS WHERE OPIS_TR = 'kara'").toInt();
    EXPECT_EQ(powiazane(kara, wplata), zl("30.00")); // the payment's credit took it at once
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE WPISID = " + QString::number(kara)).toDate(),
              Date(2024, 1, 29));
    d.nowyWpis = false;
    d.wpisId = kara;
    d.kwota = zl("10.00");
    d.termin = Date(2024, 3, 1);
    ASSERT_EQ(ZapiszTransakcje(*data, d), QString());
    EXPECT_EQ(powiazane(kara, wplata), zl("10.00"));
    EXPECT_EQ(otwarte(wplata), zl("-30.00"));
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE WPISID = " + QString::number(kara)).toDate(),
              Date(2024, 3, 1));
    // Turned into a payment: all its links go.
    d.naleznosc = false;
    ASSERT_EQ(ZapiszTransakcje(*data, d), QString());
    EXPECT_EQ(count(QStringLiteral("FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = %1").arg(kara)), 0);
    expectSpojne();
}

TEST_F(RozrachunkiTest, TheDatabaseRefusesMoreThanARowHas) {
    addKlient(1, "Alfa", "PL", NipA);
    addKlient(2, "Beta", "PL", NipB);
    najstarsze(false);
    ksiegujFaktury({faktura("FV/1", NipA, "100.00"), faktura("FV/2", NipB, "100.00")});
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) "
         "VALUES (900, 1, 'U', '2024-03-02', 80, 'gotowka')");
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) "
         "VALUES (901, 1, 'U', '2024-03-02', 80, 'gotowka 2')");
    const int fv1 = wpisFaktury("FV/1");
    EXPECT_EQ(rozrachunki::PolaczRecznie(data->conn, fv1, 900, zl("80.00")), QString());
    // More than the invoice has left, more than the payment has, another contractor's invoice,
    // two payments.
    EXPECT_TRUE(rozrachunki::PolaczRecznie(data->conn, fv1, 901, zl("30.00")).contains("większa"));
    EXPECT_TRUE(rozrachunki::PolaczRecznie(data->conn, fv1, 900, zl("1.00")).contains("większa"));
    EXPECT_EQ(rozrachunki::PolaczRecznie(data->conn, wpisFaktury("FV/2"), 901, zl("1.00")),
              QString::fromUtf8("Powiązać można tylko transakcje jednego kontrahenta."));
    EXPECT_EQ(rozrachunki::PolaczRecznie(data->conn, 900, 901, zl("1.00")),
              QString::fromUtf8("Wpłatę wiąże się z należnością do zapłaty."));
    EXPECT_THROW(exec("UPDATE TRANS SET DOZAPLATY = 50 WHERE WPISID = " + QString::number(fv1)),
                 db::Error);
    EXPECT_EQ(rozrachunki::PolaczRecznie(data->conn, fv1, 901, zl("20.00")), QString());
    EXPECT_EQ(scalar("SELECT RECZNE FROM ROZRACHUNEK WHERE ID_ZAPLATY = 901").toString(), "T");
    EXPECT_EQ(rozrachunki::OdlaczRecznie(data->conn, fv1, 900), QString());
    EXPECT_FALSE(rozrachunki::OdlaczRecznie(data->conn, fv1, 900).isEmpty());
    EXPECT_EQ(pozostalo("FV/1"), zl("80.00"));
    expectSpojne();
}

TEST_F(RozrachunkiTest, MergedDuplicatesSettleWhatOneOwesWithWhatTheOtherPaid) {
    addKlient(1, QString::fromUtf8("Piekarnia Złoty Kłos Sp. z o.o."), "PL", NipA);
    addKlient(2, QString::fromUtf8("PIEKARNIA ZŁOTY KŁOS SP. Z O.O."));
    addKonto(100, 2, "PL", KontoA);
    ksiegujFaktury({faktura("FV/1/03/2024", NipA, "300.00")});
    ksiegujWplaty({{'C', "300,00", "PL" + KontoA, "PIEKARNIA", "przelew", "240305"}});
    TScalanie s(data->conn);
    ASSERT_TRUE(s.LaczFirmyOK(1, 2)) << s.blad().toStdString();
    EXPECT_EQ(pozostalo("FV/1/03/2024"), Money());
    EXPECT_EQ(data->SaldoKlienta(1), Money());
    expectSpojne();
}

TEST_F(RozrachunkiTest, OpenItemsAsOfADayAndAgeingAtTheEdges) {
    addKlient(1, "Alfa", "PL", NipA);
    addKlient(2, "Beta", "PL", NipB);
    najstarsze(false);
    const Date d(2024, 6, 30);
    // Due on the day itself, then 1, 30, 31, 60, 61, 90, 91, 180 and 181 days before it.
    const int dni[] = {0, 1, 30, 31, 60, 61, 90, 91, 180, 181};
    std::vector<recFaktura> f;
    int n = 0;
    for (int x : dni) {
        recFaktura r = faktura(QStringLiteral("A/%1").arg(++n), NipA, "10.00", Date(2024, 1, 1));
        r.Termin = Date(d.qdate().addDays(-x));
        f.push_back(r);
    }
    f.push_back(faktura("B/1", NipB, "5.00", Date(2024, 6, 20))); // due 14 days later: not due
    f.push_back(faktura("B/2", NipB, "7.00", Date(2024, 7, 5)));  // issued after the day
    ksiegujFaktury(f);
    // A/1 paid before the day, A/2 after it: on the day A/2 was still owed.
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) VALUES "
         "(900, 1, 'U', '2024-06-15', 10, 'przed')");
    exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) VALUES "
         "(901, 1, 'U', '2024-07-02', 10, 'po')");
    ASSERT_EQ(rozrachunki::PolaczRecznie(data->conn, wpisFaktury("A/1"), 900, zl("10")), QString());
    ASSERT_EQ(rozrachunki::PolaczRecznie(data->conn, wpisFaktury("A/2"), 901, zl("10")), QString());

    db::Transaction tr(data->conn, db::Isolation::ReadCommitted);
    tr.start();
    const rozrachunki::Wiekowanie w = rozrachunki::CzytajWiekowanie(tr, d);
    ASSERT_EQ(w.wiersze.size(), 2u);
    EXPECT_EQ(w.wiersze[0].nazwa, "Alfa");
    // notDue: due on the day (A/1, paid before it); 1–30: 1 day (A/2, paid only after the
    // day) and 30; then 31, 60 | 61, 90 | 91, 180 | 181.
    const std::array<Money, 6> alfa{Money(), zl("20"), zl("20"), zl("20"), zl("20"), zl("10")};
    EXPECT_EQ(w.wiersze[0].kwoty, alfa);
    const std::array<Money, 6> b{zl("5"), Money(), Money(), Money(), Money(), Money()};
    EXPECT_EQ(w.wiersze[1].kwoty, b);
    EXPECT_EQ(w.suma.razem(), zl("95"));
    // A day later: A/2 is paid and out, the one due on the day is one day past due.
    const rozrachunki::Wiekowanie pozniej = rozrachunki::CzytajWiekowanie(tr, Date(2024, 7, 3));
    EXPECT_EQ(pozniej.wiersze[0].razem(), zl("80"));

    const rozrachunki::StanRozrachunkow st = rozrachunki::CzytajStan(tr, 1, d);
    tr.commit();
    EXPECT_EQ(st.pozostaloDoZaplaty(), zl("90"));
    EXPECT_EQ(st.nierozliczone(), Money()); // "po" is after the day
    ASSERT_EQ(st.zaplaty.size(), 1u);
    const auto a2 = std::find_if(st.naleznosci.begin(), st.naleznosci.end(),
                                 [](const auto& p) { return p.numer == "A/2"; });
    ASSERT_NE(a2, st.naleznosci.end());
    EXPECT_EQ(a2->pozostalo(), zl("10"));
    EXPECT_TRUE(a2->rozliczenia.empty());
    EXPECT_EQ(rozrachunki::DniPoTerminie(a2->termin, d), 1);
}

TEST_F(RozrachunkiTest, CommandLineAgeingAndOpenItems) {
    addKlient(1, "Alfa \"Nowa\"", "PL", NipA);
    addKlient(2, "Bez długu", "PL", NipB);
    najstarsze(false);
    const Date dzis(QDate::currentDate());
    recFaktura a = faktura("FV/1", NipA, "100.00", Date(dzis.qdate().addDays(-60)));
    a.Termin = Date(dzis.qdate().addDays(-45));
    ksiegujFaktury({a, faktura("FV/2", NipA, "50.00", dzis)});
    exec(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) "
                        "VALUES (900, 1, 'U', '%1', 30, 'czesc')")
             .arg(dzis.toIso()));
    ASSERT_EQ(rozrachunki::PolaczRecznie(data->conn, wpisFaktury("FV/1"), 900, zl("20")),
              QString());
    const QString db = database->path();
    data->closeConnection();

    int status = -1;
    const QString ageing = clitest::run(cli::ageing, {"--db", db, "--json"}, status);
    EXPECT_EQ(status, 0);
    const QJsonObject a0 = QJsonDocument::fromJson(ageing.toUtf8()).object();
    EXPECT_EQ(a0["asOf"].toString(), dzis.toIso());
    const QJsonArray k = a0["contractors"].toArray();
    ASSERT_EQ(k.size(), 1) << ageing.toStdString();
    EXPECT_EQ(k[0].toObject()["id"].toInt(), 1);
    EXPECT_EQ(k[0].toObject()["name"].toString(), "Alfa \"Nowa\"");
    EXPECT_EQ(k[0].toObject()["notDue"].toString(), "50.00");
    EXPECT_EQ(k[0].toObject()["31-60"].toString(), "80.00");
    EXPECT_EQ(k[0].toObject()["over180"].toString(), "0.00");
    EXPECT_EQ(k[0].toObject()["total"].toString(), "130.00");
    EXPECT_EQ(a0["total"].toObject()["total"].toString(), "130.00");
    EXPECT_EQ(a0["total"].toObject().keys().size(), 7);

    const QString open = clitest::run(cli::openItems, {"1", "--db", db, "--json"}, status);
    EXPECT_EQ(status, 0);
    const QJsonObject o = QJsonDocument::fromJson(open.toUtf8()).object();
    EXPECT_EQ(o["contractor"].toInt(), 1);
    EXPECT_EQ(o["credit"].toString(), "10.00");
    const QJsonArray inv = o["invoices"].toArray();
    ASSERT_EQ(inv.size(), 2) << open.toStdString();
    const QJsonObject fv1 = inv[0].toObject();
    EXPECT_EQ(fv1["number"].toString(), "FV/1");
    EXPECT_EQ(fv1["due"].toString(), a.Termin.toIso());
    EXPECT_EQ(fv1["amount"].toString(), "100.00");
    EXPECT_EQ(fv1["paid"].toString(), "20.00");
    EXPECT_EQ(fv1["remaining"].toString(), "80.00");
    EXPECT_EQ(fv1["daysOverdue"].toInt(), 45);
    EXPECT_EQ(inv[1].toObject()["daysOverdue"].toInt(), 0);

    // Refusals: exit 2 with the reason.
    for (const QStringList& args : {QStringList{"99", "--db", db}, QStringList{"x", "--db", db}}) {
        EXPECT_THROW(clitest::run(cli::openItems, args, status), cli::Refused);
    }
    EXPECT_THROW(clitest::run(cli::ageing, {"--db", db, "--as-of", "2024-02-30"}, status),
                 cli::Refused);
    const QString csv = database->folder() + "/wiek.csv";
    clitest::run(cli::ageing, {"--db", db, "--csv", csv}, status);
    QFile f(csv);
    ASSERT_TRUE(f.open(QIODevice::ReadOnly));
    const QString tekst = QString::fromUtf8(f.readAll());
    EXPECT_TRUE(tekst.contains(QString::fromUtf8("Kontrahent;Przed terminem;1–30 dni;")));
    EXPECT_TRUE(tekst.contains("Razem;50,00;0,00;80,00;0,00;0,00;0,00;130,00"));
}

TEST_F(RozrachunkiTest, DueDateFromTheContractorsTermOrTheCompanyDefault) {
    addKlient(1, "Alfa", "PL", NipA);
    addKlient(2, "Beta", "PL", NipB);
    exec("UPDATE KLIENT SET TERMIN_PLATNOSCI = 30 WHERE KLIENTID = 1");
    exec("UPDATE USTAWIENIA_ROZRACHUNKOW SET TERMIN_DNI = 7");
    recFaktura ksef = faktura("K/1", NipA, "1.00");
    ksef.Termin = Date(2024, 3, 20);
    ksiegujFaktury({faktura("FV/1", NipA, "1.00"), faktura("FV/2", NipB, "1.00"), ksef});
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE NR_FAKTURY = 'FV/1'").toDate(),
              Date(2024, 3, 31));
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE NR_FAKTURY = 'FV/2'").toDate(),
              Date(2024, 3, 8));
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE NR_FAKTURY = 'K/1'").toDate(),
              Date(2024, 3, 20));
}

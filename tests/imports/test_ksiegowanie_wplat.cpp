#include "Error.h"
#include "KsiegowanieWplat.h"
#include "StatementBuilder.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "WczytajWyciag.h"
#include "fks.h"

#include <QLocale>

#include <gtest/gtest.h>

namespace {
const QString A = QStringLiteral("61109010140000071219812874");
const QString B = QStringLiteral("27114020040000300201355387");
const QString C = QStringLiteral("83105000861000002332140531");
} // namespace

class BookPayments : public DbTest {
protected:
    std::shared_ptr<IWyciag> statement(const std::vector<TxSpec>& txs,
                                       const QString& opening = "C230228PLN5000,00") {
        const WynikOtwarcia w =
            OtworzWyciag(ingStatement(txs, opening).toUtf8(), TKodowanie::kdUTF_8);
        EXPECT_TRUE(w.ok()) << w.komunikat().toStdString();
        return w.wyciag();
    }
    RaportWplat book(const IWyciag& w) {
        Tks ks(data->conn);
        KsiegowanieWplat run(ks);
        return run.ksieguj(w);
    }
    // A picture of every table a run writes, to compare before and after.
    QString snapshot() {
        QStringList parts;
        for (const char* t : {"KLIENT", "KONTO", "TRANS", "WYCIAG", "SALDA"})
            parts << QString("%1=%2").arg(t).arg(count(QString("FROM ") + t));
        parts << scalar("SELECT CAST(SUM(COALESCE(ZAPLACONO,0)) AS VARCHAR(30)) FROM SALDA")
                     .toString();
        return parts.join(' ');
    }
};

TEST_F(BookPayments, KnownAndUnknownPayersWithReportLines) {
    addKlient(1, "Znany");
    addKonto(1000, 1, "PL", A);
    exec("UPDATE GENER SET NEXT_ID = 2000");
    const auto w = statement({
        {'C', "100,00", "PL" + A, "Znany Sp", "Faktura 1"},
        {'C', "1234,50", B, "Nowy Kontrahent", "Faktura 2"},
        {'D', "5,00", C, "Bank", "Prowizja"},             // debit: skipped
        {'C', "7,00", "12345678901", "Krótki", "x"},      // 11 characters: skipped
        {'C', "8,00", "", "Bez konta", "y"},              // no account: skipped
        {'C', "0,50", B, "Nowy Kontrahent", "Faktura 3"}, // same unknown payer again
    });
    const RaportWplat r = book(*w);

    EXPECT_EQ(count("FROM TRANS WHERE KLIENTID = 1 AND ZRODLO = 'W'"), 1);
    EXPECT_EQ(count("FROM KLIENT"), 2);
    const int nowy = scalar("SELECT KLIENTID FROM KLIENT WHERE KLIENTID <> 1").toInt();
    EXPECT_EQ(count(QString("FROM KONTO WHERE KLIENTID = %1 AND NR_KONTO = '%2' AND POMIJAJ = 'N'")
                        .arg(nowy)
                        .arg(B)),
              1);
    EXPECT_EQ(count(QString("FROM TRANS WHERE KLIENTID = %1").arg(nowy)), 2);
    EXPECT_EQ(data->SaldoKlienta(nowy), -*Money::parse("1235.00"));
    EXPECT_EQ(data->SaldoKlienta(1), -Money::fromWhole(100));
    EXPECT_EQ(count("FROM TRANS WHERE DOZAPLATY IS NOT NULL OR UWAGI IS NOT NULL"), 0);
    EXPECT_EQ(scalar("SELECT NR_WYCIAGU FROM TRANS ROWS 1").toString(), w->GetNrWyciagu());
    EXPECT_TRUE(data->JestWyciag(w->LiniaSaldoPocz(), w->GetKontoWL()));

    // Identifiers in write order: contractor, account, payment; the statement last.
    EXPECT_LT(nowy,
              scalar(QString("SELECT WPISID FROM KONTO WHERE KLIENTID = %1").arg(nowy)).toInt());
    EXPECT_GT(scalar("SELECT WPISID FROM WYCIAG").toInt(),
              scalar("SELECT MAX(WPISID) FROM TRANS").toInt());

    const QLocale pl;
    const QStringList expected = {
        "[Dopisano wpłatę] - 01-03-2023 | 100,00 | " + A + " | Faktura 1",
        "",
        "[Dopisano kontrahenta] - Nowy Kontrahent",
        "[Dopisano konto] - " + B,
        "[Dopisano wpłatę] - 01-03-2023 | 1" + QString(pl.groupSeparator()) + "234,50 | " + B +
            " | Faktura 2",
        "[Dopisano wpłatę] - 01-03-2023 | 0,50 | " + B + " | Faktura 3",
    };
    EXPECT_EQ(r.ogolny, expected);
    EXPECT_EQ(r.nowyKlient, QStringList({"Nowy Kontrahent"}));
}

TEST_F(BookPayments, PrefixRulesOfIdentification) {
    addKlient(1, "Bez prefiksu");
    addKlient(2, "Z prefiksem");
    addKlient(3, "Tylko bez prefiksu");
    addKonto(10, 1, "", A);
    addKonto(11, 2, "PL", A);
    addKonto(12, 3, "", C);
    const auto w = statement({
        {'C', "1,00", A, "x", "bez prefiksu"},        // lower WPISID wins
        {'C', "2,00", "PL" + A, "x", "z prefiksem"},  // only the PL row
        {'C', "3,00", "PL" + C, "Nowy PL", "nie ma"}, // no fallback to the number alone
    });
    Tks ks(data->conn);
    KsiegowanieWplat run(ks);
    ks.start();
    EXPECT_EQ(run.WyznKlientId(A), 1);
    EXPECT_EQ(run.WyznKlientId("PL" + A), 2);
    EXPECT_EQ(run.WyznKlientId("PL" + C), 0);
    EXPECT_EQ(run.WyznKlientId("12345678901"), 0);
    ks.rollback();
    run.ksieguj(*w);
    EXPECT_EQ(scalar("SELECT KLIENTID FROM TRANS WHERE OPIS_TR = 'bez prefiksu'").toInt(), 1);
    EXPECT_EQ(scalar("SELECT KLIENTID FROM TRANS WHERE OPIS_TR = 'z prefiksem'").toInt(), 2);
    const int nowy = scalar("SELECT KLIENTID FROM TRANS WHERE OPIS_TR = 'nie ma'").toInt();
    EXPECT_GT(nowy, 3);
    EXPECT_EQ(count(QString("FROM KONTO WHERE NR_KONTO = '%1'").arg(C)), 2);
    EXPECT_EQ(count(QString("FROM KONTO WHERE KLIENTID = %1 AND KR_KONTO = 'PL'").arg(nowy)), 1);
    EXPECT_EQ(
        count("FROM TRANS WHERE OPIS_TR = 'nie ma' AND KR_KONTO = 'PL' AND NR_KONTO = '" + C + "'"),
        1);
}

TEST_F(BookPayments, SkipMarkOnlyT) {
    addKlient(1, "Pomijany");
    addKlient(2, "N");
    addKlient(3, "Pusty");
    addKonto(10, 1, "", A, "T");
    addKonto(11, 2, "", B, "N");
    exec(QString("INSERT INTO KONTO (WPISID, KLIENTID, NR_KONTO) VALUES (12, 3, '%1')").arg(C));
    Tks ks(data->conn);
    KsiegowanieWplat run(ks);
    ks.start();
    EXPECT_TRUE(run.PomijaneKonto(A));
    EXPECT_FALSE(run.PomijaneKonto(B));
    EXPECT_FALSE(run.PomijaneKonto(C));
    EXPECT_TRUE(run.PomijaneKonto("99999999999999999999999999")); // unknown counts as skipped
    ks.rollback();

    const auto w = statement({{'C', "1,00", A, "x", "t"}});
    const RaportWplat r = run.ksieguj(*w);
    EXPECT_EQ(count("FROM TRANS"), 0);
    EXPECT_EQ(count("FROM WYCIAG"), 1); // registered even when nothing was booked
    EXPECT_TRUE(r.ogolny.isEmpty());
    EXPECT_TRUE(r.nowyKlient.isEmpty());
}

TEST_F(BookPayments, LongNamesAndTitlesAreCutToColumns) {
    QString name;
    for (int i = 0; i < 100; ++i)
        name += QChar(u'a' + i % 26);
    QString title;
    for (int i = 0; i < 200; ++i)
        title += QChar(u'0' + i % 10);
    const auto w = statement({{'C', "1,00", B, name, title}});
    ASSERT_GT(w->GetNazwaKL(0).size(), 80);
    ASSERT_GT(w->GetOpisTR(0).size(), 140);
    const RaportWplat r = book(*w);
    EXPECT_EQ(scalar("SELECT NAZWA FROM KLIENT").toString(), w->GetNazwaKL(0).left(80));
    EXPECT_EQ(scalar("SELECT ADRES FROM KLIENT").toString(), w->GetNazwaKL(0).mid(80));
    EXPECT_EQ(scalar("SELECT NAZWA_KL FROM TRANS").toString(), w->GetNazwaKL(0).left(80));
    EXPECT_EQ(scalar("SELECT OPIS_TR FROM TRANS").toString(), w->GetOpisTR(0).left(140));
    EXPECT_TRUE(r.ogolny.last().endsWith(w->GetOpisTR(0))); // the report keeps the whole title
}

TEST_F(BookPayments, FailureInTheMiddleLeavesDatabaseAsBefore) {
    addKlient(1, "Znany");
    addKonto(10, 1, "", A);
    exec("CREATE EXCEPTION AWARIA 'awaria zapisu'");
    exec("CREATE TRIGGER TRANS_AWARIA FOR TRANS BEFORE INSERT AS BEGIN "
         "IF (NEW.OPIS_TR = 'awaria') THEN EXCEPTION AWARIA; END");
    const auto w = statement({
        {'C', "1,00", A, "Znany", "pierwsza"},
        {'C', "2,00", B, "Nowy", "druga"},
        {'C', "3,00", C, "Trzeci", "awaria"},
    });
    const QString before = snapshot();
    EXPECT_THROW(book(*w), db::Error);
    EXPECT_EQ(snapshot(), before);
    EXPECT_FALSE(data->JestWyciag(w->LiniaSaldoPocz(), w->GetKontoWL()));

    exec("DROP TRIGGER TRANS_AWARIA");
    book(*w);
    EXPECT_EQ(count("FROM TRANS"), 3);
    EXPECT_EQ(count("FROM KLIENT"), 3);
    EXPECT_EQ(count("FROM WYCIAG"), 1);
}

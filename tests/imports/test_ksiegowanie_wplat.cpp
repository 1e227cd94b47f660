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

    // Identifiers in write order: contractor, account, payment. The statement's registration
    // takes its identifier first: every payment carries it, so the import can be undone.
    EXPECT_LT(nowy,
              scalar(QString("SELECT WPISID FROM KONTO WHERE KLIENTID = %1").arg(nowy)).toInt());
    const int rejestracja = scalar("SELECT WPISID FROM WYCIAG").toInt();
    EXPECT_EQ(r.rejestracje, std::vector<int>{rejestracja});
    EXPECT_EQ(count(QString("FROM TRANS WHERE IMPORTID = %1").arg(rejestracja)), 3);
    EXPECT_EQ(count(QString("FROM WYCIAG WHERE WPISID = %1 AND NR_WYCIAGU = '45/1' AND "
                            "OPERATOR = 'Administrator' AND ZAKSIEGOWANO IS NOT NULL")
                        .arg(rejestracja)),
              1);

    // Credits that cannot be booked are reported, so they can be booked by hand; the report
    // ends with what the run did.
    const QLocale pl;
    const QStringList expected = {
        "[Dopisano wpłatę] - 01-03-2023 | 100,00 | " + A + " | Faktura 1",
        "",
        "[Dopisano kontrahenta] - Nowy Kontrahent",
        "[Dopisano konto] - " + B,
        "[Dopisano wpłatę] - 01-03-2023 | 1" + QString(pl.groupSeparator()) + "234,50 | " + B +
            " | Faktura 2",
        "[Pominięto wpłatę: rachunek płatnika krótszy niż 12 znaków] - 01-03-2023 | 7,00 | "
        "12345678901 | Krótki | x",
        "[Pominięto wpłatę: brak rachunku płatnika] - 01-03-2023 | 8,00 |  | Bez konta | y",
        "[Dopisano wpłatę] - 01-03-2023 | 0,50 | " + B + " | Faktura 3",
        QString("[Zarejestrowano wyciąg] - nr 45/1 | 79105010120000000012345678 | numer "
                "rejestracji %1")
            .arg(rejestracja),
        "",
        "Zaksięgowano wpłat: 3",
        "Dopisano kontrahentów: 1",
        "Dopisano kont: 1",
        "Pominięto wpłat: 2",
        "Zarejestrowano wyciągów: 1",
    };
    EXPECT_EQ(r.ogolny, expected);
    EXPECT_EQ(r.nowyKlient, QStringList({"Nowy Kontrahent"}));
}

// For a Polish 26-digit number an empty prefix and "PL" are one account: a payer stays one
// contractor however the bank writes the number.
TEST_F(BookPayments, PrefixRulesOfIdentification) {
    addKlient(1, "Bez prefiksu");
    addKlient(2, "Z prefiksem");
    addKlient(3, "Tylko bez prefiksu");
    addKlient(4, "Niemiecki");
    addKonto(10, 1, "", A);
    addKonto(11, 2, "PL", A);
    addKonto(12, 3, "", C);
    addKonto(13, 4, "DE", "89370400440532013000");
    const auto w = statement({
        {'C', "1,00", A, "x", "bez prefiksu"},       // lower WPISID wins
        {'C', "2,00", "PL" + A, "x", "z prefiksem"}, // the row with the very prefix first
        {'C', "3,00", "PL" + C, "x", "ten sam"},     // the number alone is the same account
        {'C', "4,00", "FR89370400440532013000", "Nowy FR", "obcy"}, // a foreign prefix is not
    });
    Tks ks(data->conn);
    KsiegowanieWplat run(ks);
    ks.start();
    EXPECT_EQ(run.WyznKlientId(A), 1);
    EXPECT_EQ(run.WyznKlientId("PL" + A), 2);
    EXPECT_EQ(run.WyznKlientId("PL" + C), 3);
    EXPECT_EQ(run.WyznKlientId("PL " + C.left(2) + " " + C.mid(2)), 3);
    EXPECT_EQ(run.WyznKlientId("DE89370400440532013000"), 4);
    EXPECT_EQ(run.WyznKlientId("FR89370400440532013000"), 0);
    EXPECT_EQ(run.WyznKlientId("12345678901"), 0);
    ks.rollback();
    run.ksieguj(*w);
    EXPECT_EQ(scalar("SELECT KLIENTID FROM TRANS WHERE OPIS_TR = 'bez prefiksu'").toInt(), 1);
    EXPECT_EQ(scalar("SELECT KLIENTID FROM TRANS WHERE OPIS_TR = 'z prefiksem'").toInt(), 2);
    EXPECT_EQ(scalar("SELECT KLIENTID FROM TRANS WHERE OPIS_TR = 'ten sam'").toInt(), 3);
    EXPECT_EQ(count(QString("FROM KONTO WHERE NR_KONTO = '%1'").arg(C)), 1);
    EXPECT_EQ(count("FROM TRANS WHERE OPIS_TR = 'ten sam' AND KR_KONTO = 'PL' AND NR_KONTO = '" +
                    C + "'"),
              1);
    EXPECT_GT(scalar("SELECT KLIENTID FROM TRANS WHERE OPIS_TR = 'obcy'").toInt(), 4);
    EXPECT_EQ(count("FROM KONTO WHERE KR_KONTO = 'FR'"), 1);
}

// The account uniqueness checks hold the same rule as the payer lookup.
TEST_F(BookPayments, AccountUniquenessTreatsPLAndNoPrefixAlike) {
    addKlient(1, "Bez prefiksu");
    addKonto(10, 1, "", A);
    addKlient(2, "Z prefiksem");
    addKonto(11, 2, "PL", B);
    EXPECT_FALSE(data->NowyKontoOK("PL", A));
    EXPECT_FALSE(data->NowyKontoOK("", B));
    EXPECT_FALSE(data->NowyKontoOK("PL", B));
    EXPECT_TRUE(data->NowyKontoOK("PL", C));
    EXPECT_TRUE(data->NowyKontoOK("DE", A)); // not a Polish number under that prefix
    EXPECT_TRUE(data->EditKontoOK("PL", A, 10));
    EXPECT_FALSE(data->EditKontoOK("PL", A, 11));
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
    ASSERT_FALSE(r.ogolny.isEmpty());
    EXPECT_EQ(r.ogolny[0], "[Pominięto wpłatę: rachunek oznaczony do pomijania] - 01-03-2023 | "
                           "1,00 | " +
                               A + " | x | t");
    EXPECT_EQ(r.pominiete, 1);
    EXPECT_EQ(r.wplaty, 0);
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
    // The report keeps the whole title.
    EXPECT_TRUE(r.ogolny.filter("[Dopisano wpłatę]").at(0).endsWith(w->GetOpisTR(0)));
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

namespace {
QString fixture(const char* name) {
    return QStringLiteral(BREVANT_FIXTURES "/statement/") + QLatin1String(name);
}
} // namespace

// Today's Santander layout: three payments from two payers become two contractors with
// their own accounts; the company's own account becomes nobody's.
TEST_F(BookPayments, Santander2024PayersFromField38) {
    const WynikOtwarcia w = OtworzPlikWyciagu(fixture("santander_2024.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    Tks ks(data->conn);
    const RaportWplat r = KsiegowanieWplat(ks).ksieguj(w.wyciagi());
    EXPECT_EQ(count("FROM KLIENT"), 2);
    EXPECT_EQ(count("FROM KONTO"), 2);
    EXPECT_EQ(count("FROM KONTO WHERE NR_KONTO = '80109000040000001260140001'"), 0);
    const int kowalczyk = scalar("SELECT KLIENTID FROM KONTO WHERE NR_KONTO = "
                                 "'14109000047074000000006003'")
                              .toInt();
    EXPECT_EQ(count(QString("FROM TRANS WHERE KLIENTID = %1").arg(kowalczyk)), 2);
    EXPECT_EQ(data->SaldoKlienta(kowalczyk), -Money::fromWhole(105));
    EXPECT_EQ(count("FROM TRANS WHERE NR_WYCIAGU = '2024/77'"), 3);
    EXPECT_EQ(r.wplaty, 3);
    EXPECT_EQ(r.kontrahenci, 2);
}

// A payment whose payer account would be the statement's own is reported, never booked.
TEST_F(BookPayments, OwnAccountIsNeverAContractor) {
    const auto w = statement({
        {'C', "5,00", IngOwner, "Przeksięgowanie", "własne"},
        {'C', "6,00", IngOwner.mid(2), "Przeksięgowanie", "własne bez PL"},
        {'C', "7,00", QString(38, u'1'), "Za długi", "konto 38 znaków"},
        {'C', "8,00", B, "Nowy", "dobre"},
    });
    const RaportWplat r = book(*w);
    EXPECT_EQ(count("FROM TRANS"), 1);
    EXPECT_EQ(count("FROM KONTO"), 1);
    EXPECT_EQ(r.pominiete, 3);
    EXPECT_EQ(
        r.ogolny.filter("[Pominięto wpłatę: rachunek płatnika jest rachunkiem wyciągu]").size(), 2);
    EXPECT_EQ(
        r.ogolny.filter("[Pominięto wpłatę: rachunek płatnika nie jest numerem rachunku]").size(),
        1);
}

// A bank's export of several days: each statement is booked and registered by its own
// opening line; one registered before is skipped and named; the payer written once without
// and once with "PL" stays one contractor.
TEST_F(BookPayments, SeveralStatementsOfOneFile) {
    const WynikOtwarcia w = OtworzPlikWyciagu(fixture("ing_multi.sta"), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    ASSERT_EQ(w.wyciagi().size(), 3u);
    // The second day was booked before (by another workstation, say).
    exec("INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA) VALUES "
         "(1000000, '79105010120000000012345678', 'C230301PLN1100,00')");
    Tks ks(data->conn);
    // Progress runs over the transactions of every statement, to the end.
    std::vector<std::pair<int, int>> postep;
    const RaportWplat r = KsiegowanieWplat(ks, [&](int done, int total) {
                              postep.emplace_back(done, total);
                          }).ksieguj(w.wyciagi());
    ASSERT_FALSE(postep.empty());
    EXPECT_EQ(postep.back(), std::make_pair(3, 3));
    EXPECT_EQ(count("FROM WYCIAG"), 3);
    EXPECT_EQ(count("FROM TRANS"), 2);
    EXPECT_EQ(count("FROM KLIENT"), 1);
    EXPECT_EQ(count("FROM TRANS WHERE NR_WYCIAGU = '46/1'"), 0);
    EXPECT_EQ(r.wyciagi, 2);
    EXPECT_EQ(r.wczesniejsze, 1);
    EXPECT_EQ(r.ogolny.filter("[Pominięto wyciąg] - nr 46/1").size(), 1);
    EXPECT_TRUE(r.ogolny.contains("Pominięto wyciągów wczytanych wcześniej: 1"));

    // Booked again (another workstation's run that waited for this one): every statement is
    // registered, so the run is refused as the listing would be, and nothing is written.
    const QString before = snapshot();
    EXPECT_THROW(KsiegowanieWplat(ks).ksieguj(w.wyciagi()), WyciagJuzWczytany);
    EXPECT_EQ(snapshot(), before);
}

// The same statement twice in one file is booked once.
TEST_F(BookPayments, SameStatementTwiceInAFileIsBookedOnce) {
    const QString jeden = ingStatement({{'C', "1,00", B, "Nowy", "t"}});
    const WynikOtwarcia w = OtworzWyciag((jeden + jeden).toUtf8(), TKodowanie::kdUTF_8);
    ASSERT_TRUE(w.ok());
    ASSERT_EQ(w.wyciagi().size(), 2u);
    Tks ks(data->conn);
    const RaportWplat r = KsiegowanieWplat(ks).ksieguj(w.wyciagi());
    EXPECT_EQ(count("FROM TRANS"), 1);
    EXPECT_EQ(count("FROM WYCIAG"), 1);
    EXPECT_EQ(r.wczesniejsze, 1);
}

// The database keeps names and titles in its code page: what it cannot hold is said in the
// report with what was stored, never turned into "?" without a word.
TEST_F(BookPayments, TextsTheDatabaseCannotHoldAreReported) {
    const auto w = statement({{'C', "10,00", A, "ООО Ромашка", "Zapłata 😀"}});
    const RaportWplat r = book(*w);
    EXPECT_TRUE(r.ogolny.contains(QString::fromUtf8(
        "[Znaki spoza strony kodowej bazy danych] - nazwa płatnika „ООО Ромашка” zapisano jako "
        "„??? ???????”")))
        << r.ogolny.join('\n').toStdString();
    EXPECT_TRUE(r.ogolny.contains(QString::fromUtf8(
        "[Znaki spoza strony kodowej bazy danych] - tytuł przelewu „Zapłata 😀” zapisano jako "
        "„Zapłata ??”")));
    EXPECT_EQ(scalar("SELECT NAZWA_KL FROM TRANS").toString(), "??? ???????");
}

// A reversed credit (RC) is a negative payment of the contractor whose account it names; one
// whose account nobody has is reported, and so is a reversed debit (RD), which no customer
// paid. The funds code after C is never a reversal.
TEST_F(BookPayments, ReversalsOfCreditsAndDebits) {
    addKlient(1, "Znany");
    addKonto(10, 1, "", A);
    const QString tekst =
        ":20:X\r\n:25:/PL79105010120000000012345678\r\n:28C:9/1\r\n:60F:C230228PLN1000,00\r\n"
        ":61:2303010301CN100,00NTRF\r\n:86:~20FV 1~32ZNANY~38" +
        A +
        "\r\n"
        ":61:2303010301RC30,00NTRF\r\n:86:~20FV 1~32ZNANY~38" +
        A +
        "\r\n"
        ":61:2303010301RC20,00NTRF\r\n:86:~20FV 2~32OBCY~38" +
        C +
        "\r\n"
        ":61:2303010301RD5,00NTRF\r\n:86:~20ZWROT OPLATY\r\n"
        ":61:2303010301DN10,00NTRF\r\n:86:~20OPLATA\r\n:62F:C230301PLN1045,00\r\n";
    const WynikOtwarcia w = OtworzWyciag(tekst.toUtf8(), TKodowanie::kdWykryj);
    ASSERT_TRUE(w.ok()) << w.komunikat().toStdString();
    const RaportWplat r = book(*w.wyciag());
    EXPECT_EQ(data->SaldoKlienta(1), -Money::fromWhole(70));
    EXPECT_EQ(count("FROM TRANS"), 2);
    EXPECT_EQ(count("FROM KLIENT"), 1); // nobody is created for a reversal
    EXPECT_EQ(scalar("SELECT OPIS_TR FROM TRANS WHERE ZAPLACONO < 0").toString(),
              "Zwrot wpłaty: FV 1");
    const QLocale pl;
    EXPECT_TRUE(
        r.ogolny.contains("[Dopisano zwrot wpłaty] - 01-03-2023 | -30,00 | " + A + " | FV 1"))
        << r.ogolny.join('\n').toStdString();
    EXPECT_TRUE(r.ogolny.contains("[Pominięto zwrot wpłaty: żaden kontrahent nie ma tego "
                                  "rachunku] - 01-03-2023 | 20,00 | " +
                                  C + " | OBCY | FV 2"));
    EXPECT_TRUE(r.ogolny.contains("[Pominięto zwrot obciążenia: zwrot obciążenia, nie wpłata "
                                  "kontrahenta] - 01-03-2023 | 5,00 |  |  | ZWROT OPLATY"));
    EXPECT_TRUE(r.ogolny.contains("Zaksięgowano zwrotów wpłat: 1"));
    EXPECT_EQ(r.pominiete, 2);
}

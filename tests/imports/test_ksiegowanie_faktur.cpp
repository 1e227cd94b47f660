#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "JpkReader.h"
#include "KsiegowanieFaktur.h"
#include "Statement.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "Transaction.h"
#include "ZipPisz.h"
#include "ZrodloFaktur.h"
#include "fks.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <vector>

namespace {

recFaktura faktura(const QString& nr, const QString& nip, const char* kwota,
                   const QString& kr = QStringLiteral("PL"), Date data = Date(2023, 3, 10)) {
    recFaktura f;
    f.NrFakt = nr;
    f.DataWyst = data;
    f.NazwaOdb = QStringLiteral("Nabywca ") + nip;
    f.AdresOdb = QStringLiteral("ul. Długa 1");
    f.KrNip = kr;
    f.NipOdb = nip;
    f.SetXmlKwota(QString::fromUtf8(kwota));
    return f;
}

using W = DecyzjaBrakKontrahenta::Wybor;

} // namespace

class KsiegowanieFakturTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ks = std::make_unique<Tks>(data->conn);
    }
    void TearDown() override {
        ks.reset();
        DbTest::TearDown();
    }

    // Runs the booking with a scripted answer for every unknown buyer; counts questions.
    WynikKsiegowania ksieguj(const std::vector<recFaktura>& faktury,
                             std::vector<DecyzjaBrakKontrahenta> odpowiedzi = {}) {
        KsiegowanieFaktur run(*ks, [&, i = size_t(0)](const recFaktura& f) mutable {
            pytania << f.NrFakt;
            return i < odpowiedzi.size() ? odpowiedzi[i++] : DecyzjaBrakKontrahenta{};
        });
        return run.run(faktury);
    }
    int transOf(int klientId) {
        return count(QStringLiteral("FROM TRANS WHERE ZRODLO='F' AND KLIENTID=%1").arg(klientId));
    }
    Money saldo(int klientId) { return data->SaldoKlienta(klientId); }

    std::unique_ptr<Tks> ks;
    QStringList pytania;
};

TEST_F(KsiegowanieFakturTest, BooksKnownBuyersByTaxNumber) {
    addKlient(10, "Alfa", "PL", "5990000010");
    addKlient(11, "Beta", "DE", "5990000010"); // same number, another country
    addKlient(12, "Gamma", "PL", "ABC123");
    const auto wynik = ksieguj({
        faktura("FV/1", "5990000010", "1234.50"),     // PL + number: Alfa
        faktura("FV/2", "5990000010", "10.00", "de"), // country code compared ignoring case
        faktura("FV/3", "5990000010", "-250.00", ""), // no country code: first by name
        faktura("FV/4", "abc123", "5.00", " "),       // number ignoring case, blank code
        faktura("FV/5", "", "1.00"),                  // no tax number
    });
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_TRUE(wynik.FZaksiegowano);
    EXPECT_EQ(wynik.raport,
              QStringList({QString::fromUtf8("[Zaksięgowano] - FV/1 z 10-03-2023 r."),
                           QString::fromUtf8("[Zaksięgowano] - FV/2 z 10-03-2023 r."),
                           QString::fromUtf8("[Zaksięgowano] - FV/3 z 10-03-2023 r. - "
                                             "rozliczono z należnościami: FV/1 (250,00)"),
                           QString::fromUtf8("[Zaksięgowano] - FV/4 z 10-03-2023 r."),
                           "[Brak NIP] - FV/5 z 10-03-2023 r."}));
    EXPECT_EQ(transOf(10), 2);
    EXPECT_EQ(transOf(11), 1);
    EXPECT_EQ(transOf(12), 1);
    EXPECT_EQ(saldo(10), *Money::parse("984.50")); // the correction lowers the amount due
    EXPECT_EQ(count("FROM TRANS"), 4);

    // the row as booked
    const auto id = scalar("SELECT WPISID FROM TRANS WHERE OPIS_TR='FV/1'").toInt();
    EXPECT_EQ(scalar(QString("SELECT DATA_TR FROM TRANS WHERE WPISID=%1").arg(id)).toDate(),
              Date(2023, 3, 10));
    EXPECT_EQ(count(QString("FROM TRANS WHERE WPISID=%1 AND ZRODLO='F' AND DOZAPLATY=1234.50 "
                            "AND ZAPLACONO IS NULL AND NAZWA_KL IS NULL AND KR_KONTO IS NULL "
                            "AND NR_KONTO IS NULL AND NR_WYCIAGU IS NULL")
                        .arg(id)),
              1);
    // identifiers come from the counter, which has moved past them
    EXPECT_GT(scalar("SELECT NEXT_ID FROM GENER").toInt(),
              scalar("SELECT MAX(WPISID) FROM TRANS").toInt());
}

TEST_F(KsiegowanieFakturTest, BuyerFoundByNumberAloneWhenCountryCodeMissing) {
    addKlient(10, "Alfa", "PL", "5990000010");
    const auto wynik = ksieguj({faktura("FV/1", "5990000010", "1.00", "")});
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_EQ(transOf(10), 1);
}

TEST_F(KsiegowanieFakturTest, UnknownBuyerAddedOnceForTwoInvoices) {
    DecyzjaBrakKontrahenta nowy;
    nowy.wybor = W::DopiszNowego;
    nowy.Nazwa = "  " + QString(100, u'N') + "  ";
    nowy.Adres = QString::fromUtf8(" ul. Łąkowa 5 ");
    nowy.KrNip = "PL";
    const auto wynik = ksieguj(
        {faktura("FV/1", "1112223344", "100.00"), faktura("FV/2", "1112223344", "50.00")}, {nowy});
    EXPECT_EQ(pytania, QStringList({"FV/1"}));
    EXPECT_EQ(wynik.raport.size(), 2);
    const int id = scalar("SELECT KLIENTID FROM KLIENT WHERE NR_NIP='1112223344'").toInt();
    ASSERT_NE(id, 0);
    EXPECT_EQ(scalar(QString("SELECT NAZWA FROM KLIENT WHERE KLIENTID=%1").arg(id)).toString(),
              QString(80, u'N'));
    EXPECT_EQ(scalar(QString("SELECT ADRES FROM KLIENT WHERE KLIENTID=%1").arg(id)).toString(),
              QString::fromUtf8("ul. Łąkowa 5"));
    EXPECT_EQ(scalar(QString("SELECT KR_NIP FROM KLIENT WHERE KLIENTID=%1").arg(id)).toString(),
              "PL");
    EXPECT_EQ(count(QString("FROM KONTO WHERE KLIENTID=%1").arg(id)), 0);
    EXPECT_EQ(transOf(id), 2);
    EXPECT_EQ(saldo(id), Money::fromWhole(150));
}

TEST_F(KsiegowanieFakturTest, ExistingContractorChosenReceivesTheTaxNumber) {
    addKlient(10, "Alfa", "DE", "999");
    DecyzjaBrakKontrahenta wybor;
    wybor.wybor = W::WybierzIstniejacego;
    wybor.FKlientId = 10;
    wybor.KrNip = "PL";
    const auto wynik = ksieguj({faktura("FV/1", "1112223344", "100.00")}, {wybor});
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID=10 AND KR_NIP='PL' AND NR_NIP='1112223344'"), 1);
    // the report says who received the tax number
    EXPECT_EQ(wynik.raport, QStringList({QString::fromUtf8(
                                "[Zaksięgowano] - FV/1 z 10-03-2023 r. - przypisano kontrahentowi "
                                "„Alfa”, który otrzymał NIP PL 1112223344")}));
    EXPECT_EQ(wynik.nadaneNip, 1);
    EXPECT_EQ(transOf(10), 1);

    // the next file of that buyer needs no question
    pytania.clear();
    ksieguj({faktura("FV/2", "1112223344", "1.00")});
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_EQ(transOf(10), 2);
}

TEST_F(KsiegowanieFakturTest, SkippedInvoiceLeavesNoLineAndNothingWritten) {
    const auto wynik =
        ksieguj({faktura("FV/1", "1112223344", "100.00")}, {DecyzjaBrakKontrahenta{}}); // "&Pomiń"
    EXPECT_EQ(pytania.size(), 1);
    EXPECT_TRUE(wynik.raport.isEmpty());
    EXPECT_FALSE(wynik.FZaksiegowano);
    EXPECT_EQ(count("FROM TRANS"), 0);
    EXPECT_EQ(count("FROM KLIENT"), 0);
}

TEST_F(KsiegowanieFakturTest, SecondRunReportsEveryInvoiceAsBookedBefore) {
    addKlient(10, "Alfa", "PL", "5990000010");
    const std::vector<recFaktura> plik = {
        faktura("FV/1", "5990000010", "1.00"), faktura("FV/2", "5990000010", "2.00"),
        faktura("FV/3", "5990000010", "3.00", "PL", Date()), // zero date
        faktura("FV/1", "5990000010", "1.00"),               // twice in one file
    };
    const auto first = ksieguj(plik);
    EXPECT_EQ(first.raport.last(),
              QString::fromUtf8("[Zaksięgowano wcześniej] - FV/1 z 10-03-2023 r."));
    EXPECT_EQ(transOf(10), 3);

    const auto second = ksieguj(plik);
    EXPECT_FALSE(second.FZaksiegowano);
    ASSERT_EQ(second.raport.size(), 4);
    for (size_t i = 0; i < plik.size(); ++i)
        EXPECT_EQ(second.raport[int(i)], plik[i].KomDuplikat());
    EXPECT_EQ(transOf(10), 3);
    EXPECT_EQ(saldo(10), Money::fromWhole(6));

    // a number differing only in letter case is another invoice to the database
    ksieguj({faktura("fv/1", "5990000010", "1.00")});
    EXPECT_EQ(transOf(10), 4);
}

TEST_F(KsiegowanieFakturTest, AbortOnTheThirdInvoiceKeepsTheFirstTwo) {
    DecyzjaBrakKontrahenta nowy;
    nowy.wybor = W::DopiszNowego;
    nowy.Nazwa = "Nowy";
    DecyzjaBrakKontrahenta przerwij;
    przerwij.wybor = W::Przerwij;
    const auto wynik = ksieguj({faktura("FV/1", "111", "1.00"), faktura("FV/2", "222", "2.00"),
                                faktura("FV/3", "333", "3.00"), faktura("FV/4", "444", "4.00")},
                               {nowy, nowy, przerwij});
    EXPECT_EQ(pytania, QStringList({"FV/1", "FV/2", "FV/3"}));
    EXPECT_TRUE(wynik.przerwano);
    EXPECT_TRUE(wynik.FZaksiegowano);
    EXPECT_EQ(wynik.raport.size(), 2);
    // where it stopped and what it did not book, then the counts
    EXPECT_EQ(
        wynik.podsumowanie(),
        QStringList({QString::fromUtf8("Księgowanie przerwano na fakturze FV/3 z 10-03-2023 "
                                       "r.; nie zaksięgowano 2:"),
                     QString::fromUtf8("[Nie zaksięgowano - przerwano] - FV/3 z 10-03-2023 r."),
                     QString::fromUtf8("[Nie zaksięgowano - przerwano] - FV/4 z 10-03-2023 r."),
                     QString::fromUtf8("Zaksięgowano faktur: 2, zaksięgowanych wcześniej: 0, "
                                       "pominiętych: 0; dodano kontrahentów: 2, nadano NIP "
                                       "kontrahentom: 0. Księgowanie przerwano.")}));
    EXPECT_EQ(count("FROM TRANS"), 2);
    EXPECT_EQ(count("FROM KLIENT"), 2);
    EXPECT_FALSE(ks->active()); // committed
}

TEST_F(KsiegowanieFakturTest, ErrorRollsBackEverythingTheRunWrote) {
    addKlient(10, "Alfa", "PL", "5990000010");
    DecyzjaBrakKontrahenta nowy;
    nowy.wybor = W::DopiszNowego;
    nowy.Nazwa = "Nowy";
    DecyzjaBrakKontrahenta zlyKod = nowy;
    zlyKod.KrNip = "PLX"; // longer than the column: the engine refuses the row
    EXPECT_THROW(ksieguj({faktura("FV/1", "5990000010", "1.00"), faktura("FV/2", "111", "2.00"),
                          faktura("FV/3", "222", "3.00")},
                         {nowy, zlyKod}),
                 std::runtime_error);
    EXPECT_EQ(count("FROM TRANS"), 0);
    EXPECT_EQ(count("FROM KLIENT"), 1);
    EXPECT_EQ(count("FROM IMPORT_FAKTUR"), 0);
    EXPECT_EQ(saldo(10), Money());
    EXPECT_FALSE(ks->active());
}

// The questions come first, with no transaction of the run open: another workstation books
// (takes the lock) while the user thinks, and what it changed meanwhile is decided again.
TEST_F(KsiegowanieFakturTest, NothingIsLockedWhileTheUserDecidesAndChangesMeanwhileCount) {
    addKlient(10, "Alfa", "DE", "999");
    addKlient(11, "Beta", "PL", "5990000010");
    db::ConnectionParams p;
    p.database = database->path();
    p.forceEmbedded = true;
    db::Attachment inne(p); // the other workstation
    UstawCzasOczekiwaniaNaBlokade(1);
    KsiegowanieFaktur run(*ks, [&](const recFaktura& f) {
        pytania << f.NrFakt;
        EXPECT_FALSE(ks->active());
        db::Transaction tr(inne, db::Isolation::ReadCommittedNoRecVersion);
        EXPECT_NO_THROW(ZajmijBlokade(tr)); // the lock is free
        DecyzjaBrakKontrahenta d;
        if (f.NrFakt == "FV/1") {
            // "Dopisz nowego", while the other workstation adds that very buyer
            db::Statement(tr, "INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) "
                              "VALUES (50, 'Gamma', 'PL', '1112223344')")
                .execute();
            d.wybor = W::DopiszNowego;
            d.Nazwa = "Gamma druga";
        } else if (f.NrFakt == "FV/2") {
            // Alfa chosen, then given another tax number there
            db::Statement(tr, "UPDATE KLIENT SET NR_NIP = '123' WHERE KLIENTID = 10").execute();
            d.wybor = W::WybierzIstniejacego;
            d.FKlientId = 10;
            d.NipWybranego = "999";
        } else {
            // Beta chosen, then deleted there
            db::Statement(tr, "DELETE FROM KLIENT WHERE KLIENTID = 11").execute();
            d.wybor = W::WybierzIstniejacego;
            d.FKlientId = 11;
            d.NipWybranego = "5990000010";
        }
        tr.commit();
        return d;
    });
    const auto wynik =
        run.run({faktura("FV/1", "1112223344", "10.00"), faktura("FV/2", "2223334455", "20.00"),
                 faktura("FV/3", "3334445566", "30.00")},
                "/dane/faktury.xml");
    UstawCzasOczekiwaniaNaBlokade(30);
    EXPECT_EQ(pytania, QStringList({"FV/1", "FV/2", "FV/3"}));
    EXPECT_EQ(count("FROM KLIENT WHERE NR_NIP = '1112223344'"), 1); // no second contractor
    EXPECT_EQ(transOf(50), 1);
    EXPECT_EQ(transOf(10), 0);
    EXPECT_EQ(count("FROM KLIENT WHERE KLIENTID = 10 AND NR_NIP = '123'"), 1);
    EXPECT_EQ(wynik.raport,
              QStringList({QString::fromUtf8("[Zaksięgowano] - FV/1 z 10-03-2023 r. - kontrahenta "
                                             "z tym NIP dopisano w międzyczasie na innym "
                                             "stanowisku"),
                           QString::fromUtf8("[Pominięto: kontrahent „Alfa” otrzymał w "
                                             "międzyczasie na innym stanowisku NIP 123] - FV/2 z "
                                             "10-03-2023 r."),
                           QString::fromUtf8("[Pominięto: wybranego kontrahenta usunięto w "
                                             "międzyczasie na innym stanowisku] - FV/3 z "
                                             "10-03-2023 r.")}));
    EXPECT_EQ(wynik.zaksiegowane, 1);
    EXPECT_EQ(wynik.pominiete, 2);
}

TEST_F(KsiegowanieFakturTest, BusyLockBooksNothingAndTheSameAnswersBookLater) {
    UstawCzasOczekiwaniaNaBlokade(1);
    db::ConnectionParams p;
    p.database = database->path();
    p.forceEmbedded = true;
    db::Attachment inne(p);
    db::Transaction trzyma(inne, db::Isolation::ReadCommittedNoRecVersion);
    ZajmijBlokade(trzyma); // another workstation is booking

    DecyzjaBrakKontrahenta nowy;
    nowy.wybor = W::DopiszNowego;
    nowy.Nazwa = "Nowy";
    KsiegowanieFaktur run(*ks, [&](const recFaktura& f) {
        pytania << f.NrFakt;
        return nowy;
    });
    const std::vector<recFaktura> plik{faktura("FV/1", "111", "1.00")};
    run.Pytaj(plik);
    EXPECT_THROW(run.Ksieguj(plik, "f.xml"), BlokadaZajeta);
    EXPECT_FALSE(ks->active());
    EXPECT_EQ(count("FROM TRANS"), 0);

    trzyma.commit();
    const auto wynik = run.Ksieguj(plik, "f.xml"); // "Ponów": no second question
    UstawCzasOczekiwaniaNaBlokade(30);
    EXPECT_EQ(pytania, QStringList({"FV/1"}));
    EXPECT_EQ(wynik.zaksiegowane, 1);
    EXPECT_EQ(count("FROM TRANS"), 1);
}

TEST_F(KsiegowanieFakturTest, BookingIsRecordedForItsUndoing) {
    addKlient(10, "Alfa", "PL", "5990000010");
    const auto wynik =
        ksieguj({faktura("FV/1", "5990000010", "1.00"), faktura("FV/2", "5990000010", "2.50")});
    ASSERT_NE(wynik.importId, 0);
    EXPECT_EQ(count(QString("FROM TRANS WHERE IMPORTID = %1").arg(wynik.importId)), 2);
    EXPECT_EQ(count(QString("FROM IMPORT_FAKTUR WHERE IMPORTID = %1 AND OPERATOR = "
                            "'Administrator' AND ZAKSIEGOWANO IS NOT NULL")
                        .arg(wynik.importId)),
              1);
    // a run that books nothing leaves no record
    const auto drugi = ksieguj({faktura("FV/1", "5990000010", "1.00")});
    EXPECT_EQ(drugi.importId, 0);
    EXPECT_EQ(count("FROM IMPORT_FAKTUR"), 1);
}

TEST_F(KsiegowanieFakturTest, TextsTheDatabaseCannotHoldAreReported) {
    DecyzjaBrakKontrahenta nowy;
    nowy.wybor = W::DopiszNowego;
    nowy.Nazwa = QString::fromUtf8("ООО Ромашка");
    nowy.Adres = QString::fromUtf8("ul. Łąkowa 5");
    const auto wynik = ksieguj({faktura(QString::fromUtf8("FV/1/😀"), "111", "1.00")}, {nowy});
    EXPECT_EQ(wynik.raport,
              QStringList({QString::fromUtf8("[Znaki spoza strony kodowej bazy danych] - nazwa "
                                             "kontrahenta „ООО Ромашка” zapisano jako „??? "
                                             "???????”"),
                           QString::fromUtf8("[Zaksięgowano] - FV/1/😀 z 10-03-2023 r."),
                           QString::fromUtf8("[Znaki spoza strony kodowej bazy danych] - numer "
                                             "faktury „FV/1/😀” zapisano jako „FV/1/??”")}));
    EXPECT_EQ(scalar("SELECT NAZWA FROM KLIENT").toString(), "??? ???????");
}

TEST_F(KsiegowanieFakturTest, OverlongTaxNumberIsReportedNotAsked) {
    const auto wynik = ksieguj({faktura("FV/1", "NL123456789B01", "1.00", "")});
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_EQ(
        wynik.raport,
        QStringList({QString::fromUtf8("[NIP dłuższy niż 12 znaków] - FV/1 z 10-03-2023 r.")}));
    EXPECT_EQ(count("FROM TRANS"), 0);
}

TEST_F(KsiegowanieFakturTest, PrefixedFileBookedEndToEnd) {
    addKlient(10, QString::fromUtf8("Żabka"), "PL", "5990000010");
    std::vector<recFaktura> plik;
    CzytajFaktury(JpkDocument::open(QStringLiteral(BREVANT_FIXTURES "/invoices/jpk_fa4_tns.xml")),
                  [&](const recFaktura& f) { plik.push_back(f); });
    DecyzjaBrakKontrahenta nowy;
    nowy.wybor = W::DopiszNowego;
    nowy.Nazwa = plik[3].NazwaOdb;
    const auto wynik = ksieguj(plik, {nowy});
    EXPECT_EQ(pytania, QStringList({"FV/3/03/2023"}));
    EXPECT_EQ(wynik.raport,
              QStringList({QString::fromUtf8("[Zaksięgowano] - FV/1/03/2023 z 10-03-2023 r."),
                           "[Brak NIP] - FV/2/03/2023 z 11-03-2023 r.",
                           QString::fromUtf8("[Zaksięgowano] - KOR/1/03/2023 z 12-03-2023 r. - "
                                             "rozliczono z należnościami: FV/1/03/2023 (100,00)"),
                           QString::fromUtf8("[Zaksięgowano] - FV/3/03/2023 z 13-03-2023 r.")}));
    EXPECT_EQ(saldo(10), *Money::parse("1134.50")); // 1234.50 less the correction of 100.00
}

TEST_F(KsiegowanieFakturTest, BookedBeforeIsDecidedBeforeAnyContractorIsCreated) {
    addKlient(10, "Alfa", "PL", "5990000010");
    ksieguj({faktura("FV/1", "5990000010", "100.00")});
    // the same invoice again, its buyer's tax number changed since: nothing asked or added
    const auto wynik = ksieguj({faktura("FV/1", "1112223344", "100.00")});
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_EQ(wynik.raport,
              QStringList({QString::fromUtf8("[Zaksięgowano wcześniej] - FV/1 z 10-03-2023 r. "
                                             "(zaksięgowana dla nabywcy o NIP 5990000010)")}));
    EXPECT_EQ(wynik.wczesniej, 1);
    EXPECT_EQ(count("FROM KLIENT"), 1);
    EXPECT_EQ(count("FROM TRANS"), 1);
}

class KsefBookingTest : public KsiegowanieFakturTest {
protected:
    QString ksef(const char* name) {
        return QStringLiteral(BREVANT_FIXTURES "/ksef/") + QString::fromUtf8(name);
    }
    QString eksport() {
        const QString zip = dir.filePath("eksport.zip");
        ZapiszZip(zip, {{"_metadata.json", "{}"},
                        {"01.xml", CzytajPlik(ksef("fa3_vat.xml"))},
                        {"02.xml", CzytajPlik(ksef("fa3_kor.xml"))},
                        {"03.xml", CzytajPlik(ksef("fa3_kor_zero.xml"))},
                        {"04.xml", CzytajPlik(ksef("fa3_eur_ue.xml"))},
                        {"05.xml", CzytajPlik(ksef("fa3_brak_id.xml"))},
                        {"readme.txt", "x"}});
        return zip;
    }
    QTemporaryDir dir;
};

TEST_F(KsefBookingTest, ZipBookedTwiceBooksNothingTheSecondTime) {
    addKlient(10, QString::fromUtf8("Łąka"), "PL", "1112223344");
    addKlient(11, "EFG", "DE", "811907980");
    const ListaFaktur lista = CzytajListeFaktur(eksport());
    ASSERT_EQ(lista.faktury.size(), 5u);
    ASSERT_EQ(lista.pominietePliki.size(), 1);

    const auto first = ksieguj(lista.faktury);
    EXPECT_TRUE(pytania.isEmpty());
    EXPECT_EQ(first.raport,
              QStringList({
                  QString::fromUtf8("[Zaksięgowano] - FV/2026/02/1 z 15-02-2026 r."),
                  QString::fromUtf8("[Zaksięgowano] - FK/2026/03/1 z 15-03-2026 r. (korekta "
                                    "faktury FV/2026/02/1) - pomniejsza: FV/2026/02/1 (200,00)"),
                  QString::fromUtf8("[Zaksięgowano] - FK/2026/03/2 z 20-03-2026 r. (korekta "
                                    "faktury FV/2026/02/1)"),
                  QString::fromUtf8("[Pominięto: faktura w walucie EUR] - FV/2026/02/2 z "
                                    "16-02-2026 r."),
                  "[Brak NIP] - FV/2026/02/4 z 18-02-2026 r.",
              }));
    // 1230.00 less the correction of 200.00; the zero correction is booked as 0.00
    EXPECT_EQ(saldo(10), Money::fromCents(103000));
    EXPECT_EQ(transOf(10), 3);
    EXPECT_EQ(count("FROM TRANS WHERE DOZAPLATY = 0"), 1);
    EXPECT_EQ(count("FROM TRANS WHERE DOZAPLATY = -200"), 1);
    // the EUR invoice is listed, not booked
    EXPECT_EQ(transOf(11), 0);
    EXPECT_EQ(first.zaksiegowane, 3);
    EXPECT_EQ(first.pominiete, 2);

    const auto second = ksieguj(CzytajListeFaktur(eksport()).faktury);
    EXPECT_FALSE(second.FZaksiegowano);
    EXPECT_EQ(second.wczesniej, 3);
    EXPECT_EQ(second.zaksiegowane, 0);
    EXPECT_EQ(count("FROM TRANS"), 3);
    EXPECT_EQ(saldo(10), Money::fromCents(103000));
}

TEST_F(KsefBookingTest, CorrectionOfAnUnknownBuyerAddsThemWithTheDialogAnswer) {
    DecyzjaBrakKontrahenta nowy;
    nowy.wybor = W::DopiszNowego;
    nowy.Nazwa = QString::fromUtf8("Łąka");
    nowy.KrNip = "PL";
    const ListaFaktur lista = CzytajListeFaktur(ksef("fa3_kor.xml"));
    ksieguj(lista.faktury, {nowy});
    const int id = scalar("SELECT KLIENTID FROM KLIENT WHERE NR_NIP='1112223344'").toInt();
    EXPECT_EQ(saldo(id), Money::fromCents(-20000)); // an overpayment until the invoice is booked
}

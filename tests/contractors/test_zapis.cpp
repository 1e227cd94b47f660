#include "KontrahenciTest.h"

#include "Attachment.h"
#include "Statement.h"

#include <gtest/gtest.h>

#include <chrono>
#include <thread>

using kontrahenci::DaneKlienta;
using kontrahenci::DaneKonta;
using kontrahenci::ZapiszKlienta;
using kontrahenci::ZapiszKonto;

namespace {
DaneKlienta klient(const QString& nazwa, const QString& kr, const QString& nip) {
    return {nazwa, QStringLiteral("ul. Długa 1"), kr, nip, QString(), QString(), std::nullopt};
}
} // namespace

class ZapisKlienta : public KontrahenciTest {};

TEST_F(ZapisKlienta, TwoPolishContractorsWithoutNumberAreBothSavedAsNull) {
    EXPECT_TRUE(ZapiszKlienta(*data, true, 0, klient("Alfa", "PL", "")).zapisano);
    EXPECT_TRUE(ZapiszKlienta(*data, true, 0, klient("Beta", "PL", "  ")).zapisano);
    EXPECT_EQ(count("FROM KLIENT WHERE NR_NIP IS NULL AND KR_NIP = 'PL'"), 2);
    EXPECT_EQ(data->Klient.recordCount(), 2);
    EXPECT_EQ(data->Klient.field("NAZWA").toString(),
              QStringLiteral("Beta")); // the new row is current
    EXPECT_TRUE(uwagi().isEmpty());
}

TEST_F(ZapisKlienta, PolishNumberIsCheckedOtherCodesAreNot) {
    const QString zly = QStringLiteral("5260250275");
    EXPECT_EQ(ZapiszKlienta(*data, true, 0, klient("Alfa", "PL", zly)).uwaga,
              QStringLiteral("Błędny numer identyfikacyjny VAT."));
    EXPECT_EQ(ZapiszKlienta(*data, true, 0, klient("Alfa", "", zly)).uwaga,
              QStringLiteral("Błędny numer identyfikacyjny VAT."));
    EXPECT_EQ(count("FROM KLIENT"), 0);
    EXPECT_TRUE(ZapiszKlienta(*data, true, 0, klient("Alfa GmbH", "DE", zly)).zapisano);
    EXPECT_EQ(scalar("SELECT KR_NIP || NR_NIP FROM KLIENT").toString(), "DE" + zly);
}

TEST_F(ZapisKlienta, UniquenessWhenAddingAndCorrecting) {
    const QString duplikat = QStringLiteral(
        "Kontrahent o podanym numerze identyfikacyjnym VAT\rznajduje się już w wykazie.");
    ASSERT_TRUE(ZapiszKlienta(*data, true, 0, klient("Alfa", "PL", NipA)).zapisano);
    ASSERT_TRUE(ZapiszKlienta(*data, true, 0, klient("Beta", "PL", NipB)).zapisano);
    EXPECT_EQ(ZapiszKlienta(*data, true, 0, klient("Alfa bis", "PL", NipA)).uwaga, duplikat);
    // With no code the number alone is compared.
    EXPECT_EQ(ZapiszKlienta(*data, true, 0, klient("Alfa bis", "", NipA)).uwaga, duplikat);
    // The same number under another code is another identifier.
    EXPECT_TRUE(ZapiszKlienta(*data, true, 0, klient("Alfa DE", "DE", NipA)).zapisano);

    const int alfa = klientOId(NipA);
    const int beta = klientOId(NipB);
    // Correcting without changing the number passes; taking another's number does not.
    EXPECT_TRUE(ZapiszKlienta(*data, false, alfa, klient("Alfa S.A.", "PL", NipA)).zapisano);
    EXPECT_EQ(
        scalar(QStringLiteral("SELECT NAZWA FROM KLIENT WHERE KLIENTID = %1").arg(alfa)).toString(),
        QStringLiteral("Alfa S.A."));
    EXPECT_EQ(ZapiszKlienta(*data, false, beta, klient("Beta", "PL", NipA)).uwaga, duplikat);
    EXPECT_EQ(klientOId(NipB), beta);
}

TEST_F(ZapisKlienta, NameAndAddressAreCutToTheirColumns) {
    const QString dluga = QString(90, u'ż');
    ASSERT_TRUE(
        ZapiszKlienta(*data, true, 0, {dluga, dluga, "PL", NipA, "123", "a@b.pl", std::nullopt})
            .zapisano);
    EXPECT_EQ(scalar("SELECT NAZWA FROM KLIENT").toString(), QString(80, u'ż'));
    EXPECT_EQ(scalar("SELECT ADRES FROM KLIENT").toString(), QString(80, u'ż'));
    EXPECT_EQ(scalar("SELECT EMAIL1 FROM KLIENT").toString(), QStringLiteral("a@b.pl"));
}

TEST_F(ZapisKlienta, TheCheckInsideTheWriteCatchesANumberCommittedMeanwhile) {
    // Another workstation saves the number after this one's first check passed: the check
    // made inside the writing transaction still refuses it.
    ASSERT_TRUE(data->NowyNipOK("PL", NipA));
    addKlient(900, "Inna stacja", "PL", NipA);
    EXPECT_FALSE(ZapiszKlienta(*data, true, 0, klient("Alfa", "PL", NipA)).zapisano);
    EXPECT_EQ(count(QStringLiteral("FROM KLIENT WHERE NR_NIP = '%1'").arg(NipA)), 1);
}

class ZapisKonta : public KontrahenciTest {
protected:
    void SetUp() override {
        KontrahenciTest::SetUp();
        addKlient(1, "Alfa");
        addKlient(2, "Beta");
        data->OtworzKlient();
        data->OtworzKontoKL(1);
    }
};

TEST_F(ZapisKonta, NumberTypedWithBlanksIsStoredWithoutAndIsUniqueAcrossContractors) {
    const QString zBlankami = QStringLiteral(" 61 1090 1014 0000 0712 1981 2874 ");
    ASSERT_TRUE(ZapiszKonto(*data, true, 1, 0, {"PL", zBlankami, false}).zapisano);
    EXPECT_EQ(scalar("SELECT NR_KONTO FROM KONTO WHERE KLIENTID = 1").toString(), NrbA);
    EXPECT_EQ(scalar("SELECT POMIJAJ FROM KONTO WHERE KLIENTID = 1").toString(), "N");
    EXPECT_EQ(data->KontoKL.field("KontoStr").toString(),
              QStringLiteral("61 1090 1014 0000 0712 1981 2874"));

    data->OtworzKontoKL(2);
    EXPECT_EQ(ZapiszKonto(*data, true, 2, 0, {"PL", NrbA, true}).uwaga,
              QStringLiteral("Rachunek bankowy o podanym numerze\rznajduje się już w wykazie."));
    // With no code the number alone is compared.
    EXPECT_FALSE(ZapiszKonto(*data, true, 2, 0, {"", NrbA, true}).zapisano);
    EXPECT_EQ(count("FROM KONTO WHERE KLIENTID = 2"), 0);
}

TEST_F(ZapisKonta, WarningsInTheirOrderWithTheirOwnBlanks) {
    const struct {
        const char* kod;
        const char* numer;
        const char* uwaga;
    } przypadki[] = {
        {"XX", "", "Nieprawidłowy kod kraju. "},
        {"PL", "   ", "Numer rachunku bankowego nie podany. "},
        {"DE", "12345", "Błędny numer rachunku bankowego. "},
        {"PL", "AB109010140000071219812874", "Błędny numer rachunku bankowego. "},
        {"PL", "61109010140000071219812875", "Błędny numer rachunku bankowego."},
        {"", "1234567890123", "Błędny numer rachunku bankowego."},
    };
    for (const auto& p : przypadki) {
        const auto w = ZapiszKonto(*data, true, 1, 0,
                                   {QString::fromUtf8(p.kod), QString::fromUtf8(p.numer), false});
        EXPECT_EQ(w.uwaga, QString::fromUtf8(p.uwaga)) << p.kod << " " << p.numer;
        EXPECT_FALSE(w.zapisano);
    }
    EXPECT_EQ(count("FROM KONTO"), 0);
    // A foreign number of 12 or more digits is saved without the checksum.
    EXPECT_TRUE(ZapiszKonto(*data, true, 1, 0, {"de", "123456789012", false}).zapisano);
    EXPECT_EQ(scalar("SELECT KR_KONTO || NR_KONTO FROM KONTO").toString(), "DE123456789012");
}

TEST_F(ZapisKonta, CorrectionKeepsItsOwnNumberAndSetsTheSkipMark) {
    addKonto(10, 1, "PL", NrbA);
    addKonto(11, 1, "PL", NrbB);
    data->OtworzKontoKL(1);
    EXPECT_TRUE(ZapiszKonto(*data, false, 1, 10, {"PL", NrbA, true}).zapisano);
    EXPECT_EQ(scalar("SELECT POMIJAJ FROM KONTO WHERE WPISID = 10").toString(), "T");
    EXPECT_EQ(data->KontoKL.field("POMIJAJ").toString(), "T");
    EXPECT_FALSE(ZapiszKonto(*data, false, 1, 10, {"PL", NrbB, true}).zapisano);
    EXPECT_EQ(scalar("SELECT NR_KONTO FROM KONTO WHERE WPISID = 10").toString(), NrbA);
}

// Another workstation has written the same VAT number and not yet committed: the save
// waits for it, and is refused when it commits, saved when it rolls back.
TEST_F(ZapisKlienta, ASaveWaitsForAnotherWorkstationWritingTheSameNumber) {
    for (const bool drugaZatwierdza : {true, false}) {
        db::ConnectionParams p;
        p.database = database->path();
        p.forceEmbedded = true;
        db::Attachment druga(p);
        db::Transaction tr(druga, db::Isolation::ReadCommittedNoRecVersion);
        tr.start();
        db::Statement(tr, QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) "
                                         "VALUES (900, 'Inna stacja', 'PL', '%1')")
                              .arg(NipA))
            .execute();
        std::thread konczy([&] {
            std::this_thread::sleep_for(std::chrono::milliseconds(300));
            if (drugaZatwierdza)
                tr.commit();
            else
                tr.rollback();
        });
        const auto w = ZapiszKlienta(*data, true, 0, klient("Alfa", "PL", NipA));
        konczy.join();
        EXPECT_EQ(w.zapisano, !drugaZatwierdza);
        EXPECT_EQ(count(QStringLiteral("FROM KLIENT WHERE NR_NIP = '%1'").arg(NipA)), 1);
        exec("DELETE FROM KLIENT");
    }
}

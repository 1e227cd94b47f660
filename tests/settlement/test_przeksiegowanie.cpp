#include "ListaWyboru.h"
#include "Przeksiegowanie.h"
#include "SettlementTest.h"

#include "Attachment.h"
#include "fdm.h"

#include <gtest/gtest.h>

class PrzeksiegowanieTest : public SettlementTest {
protected:
    void SetUp() override {
        SettlementTest::SetUp();
        addKlient(1, QStringLiteral("Stary Płatnik"));
        addKlient(2, QStringLiteral("Właściwy Płatnik"));
        addKlient(3, QStringLiteral("Inny"));
        addRow(10, 1, "F", "2024-01-10", "300.00", "NULL");
        addRow(11, 1, "W", "2024-01-11", "NULL", "120.00", QStringLiteral("za FV 2"),
               QStringLiteral("WŁAŚCIWY PŁATNIK SP J"));
        addRow(12, 2, "F", "2024-01-09", "120.00", "NULL");
        addRow(13, 1, "U", "2024-01-12", "NULL", "10.00");
    }
    void rowneSumom() {
        for (int k : {1, 2, 3})
            EXPECT_EQ(saldo(k), sumaTrans(k)) << k;
    }
};

TEST_F(PrzeksiegowanieTest, CandidatesAreEveryOtherContractorNarrowedByTheFilter) {
    TListaWyboru lista(data->conn, SqlKandydaciPrzeksiegowania());
    lista.setParam(QStringLiteral("KlientId"), 1);
    lista.otworz();
    auto nazwy = [&] {
        QStringList l;
        for (int i = 0; i < lista.lista().recordCount(); ++i)
            l << lista.lista().row(i)[QStringLiteral("NAZWA")].toString();
        return l;
    };
    EXPECT_EQ(nazwy(), (QStringList{"Inny", "Właściwy Płatnik"}));
    EXPECT_TRUE(lista.ustawFiltr(QStringLiteral("płat")));
    EXPECT_EQ(lista.filtr(), QStringLiteral("PŁAT"));
    EXPECT_EQ(nazwy(), (QStringList{"Właściwy Płatnik"}));
    EXPECT_FALSE(lista.ustawFiltr(QStringLiteral("Stary"))); // its own contractor is not there
    EXPECT_EQ(lista.biezacyKlientId(), 0);
    lista.zakoncz();
    EXPECT_FALSE(lista.lista().isOpen());
}

TEST_F(PrzeksiegowanieTest, MovesTheRowAndBothBalancesInOneGo) {
    EXPECT_EQ(saldo(1), Money::fromWhole(170));
    const WynikPrzeksiegowania w = Przeksieguj(data->conn, 11, 2);
    EXPECT_EQ(w.staryKlientId, 1);
    EXPECT_EQ(w.nowyKlientId, 2);
    EXPECT_EQ(scalar(QStringLiteral("SELECT KLIENTID FROM TRANS WHERE WPISID = 11")).toInt(), 2);
    // The row keeps everything else.
    EXPECT_EQ(scalar(QStringLiteral("SELECT NAZWA_KL || '|' || OPIS_TR || '|' || ZAPLACONO || "
                                    "'|' || DATA_TR FROM TRANS WHERE WPISID = 11"))
                  .toString(),
              QStringLiteral("WŁAŚCIWY PŁATNIK SP J|za FV 2|120.00|2024-01-11"));
    EXPECT_EQ(saldo(1), Money::fromWhole(290));
    EXPECT_EQ(saldo(2), Money());
    rowneSumom();
}

TEST_F(PrzeksiegowanieTest, BalancesStayRightWithAnotherWorkstationBookingMeanwhile) {
    // A second workstation: its own connection to the same database.
    Tdm druga;
    druga.connect(database->path(), true);
    // This one's lists were read before the other booked.
    data->OtworzKlient();
    data->OtworzTransKL(1);
    druga.ExecuteSQL(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                                    "ZAPLACONO) VALUES (20, 1, 'W', '2024-01-20', 50)"));
    druga.ExecuteSQL(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                                    "DOZAPLATY) VALUES (21, 2, 'F', '2024-01-20', 7)"));
    Przeksieguj(data->conn, 11, 2);
    rowneSumom();
    EXPECT_EQ(saldo(1), Money::fromWhole(240));
    EXPECT_EQ(saldo(2), Money::fromWhole(7));
    // And the other way: the other workstation moves it back.
    Przeksieguj(druga.conn, 11, 1);
    rowneSumom();
    druga.closeConnection();
}

TEST_F(PrzeksiegowanieTest, RefusalsLeaveEverythingAsItWas) {
    const struct {
        int wpis, klient;
        const char* komunikat;
    } cases[] = {
        {10, 2, "Przeksięgować można tylko wpłatę wczytaną z wyciągu bankowego."},
        {13, 2, "Przeksięgować można tylko wpłatę wczytaną z wyciągu bankowego."},
        {11, 1, "Transakcja jest już zaksięgowana na tego kontrahenta."},
        {11, 99, "Nie ma kontrahenta o identyfikatorze 99."},
        {99, 2, "Nie ma transakcji o identyfikatorze 99."},
    };
    for (const auto& c : cases) {
        try {
            Przeksieguj(data->conn, c.wpis, c.klient);
            ADD_FAILURE() << c.wpis << " -> " << c.klient;
        } catch (const PrzeksiegowanieOdmowa& e) {
            EXPECT_EQ(e.komunikat(), QString::fromUtf8(c.komunikat));
        }
    }
    EXPECT_EQ(scalar(QStringLiteral("SELECT KLIENTID FROM TRANS WHERE WPISID = 11")).toInt(), 1);
    rowneSumom();
}

TEST_F(PrzeksiegowanieTest, AnErrorRollsTheMoveBack) {
    // A balance row that refuses the change (a rule another administrator added) makes the
    // whole move fail: the row stays where it was.
    exec(QStringLiteral("ALTER TABLE SALDA ADD CONSTRAINT SALDA_TEST CHECK (ZAPLACONO < 100)"));
    EXPECT_THROW(Przeksieguj(data->conn, 11, 2), db::Error);
    EXPECT_EQ(scalar(QStringLiteral("SELECT KLIENTID FROM TRANS WHERE WPISID = 11")).toInt(), 1);
    rowneSumom();
}

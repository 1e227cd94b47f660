#include "Operacje.h"
#include "Rozliczenia.h"
#include "SettlementTest.h"
#include "Transakcja.h"

#include <gtest/gtest.h>

TEST(Transakcja, KindAndControlsFromTheRow) {
    auto wiersz = [](const char* zrodlo, db::Value nalez, db::Value zapl) {
        auto cols = std::make_shared<const db::Columns>(
            QStringList{"ZRODLO", "DATA_TR", "OPIS_TR", "DOZAPLATY", "ZAPLACONO"});
        return db::Row(cols, {db::Value(zrodlo), db::Value(Date(2024, 2, 29)), db::Value("opis"),
                              nalez, zapl});
    };
    const Money m = Money::fromCents(1250), n = Money::fromCents(300);
    const struct {
        const char* zrodlo;
        db::Value nalez, zapl;
        TRodzTrans rodzaj;
        bool naleznosc, edytowalne;
        Money kwota;
    } cases[] = {
        {"F", m, {}, TRodzTrans::rtFaktura, true, false, m},
        {"W", {}, m, TRodzTrans::rtPrzelew, false, false, m},
        {"U", m, {}, TRodzTrans::rtWpisUzyt, true, true, m},
        {"U", {}, m, TRodzTrans::rtWpisUzyt, false, true, m},
        {"U", n, m, TRodzTrans::rtWpisUzyt, false, true, m}, // both set: the payment wins
    };
    for (const auto& c : cases) {
        const PolaTransakcji p = PolaZWiersza(wiersz(c.zrodlo, c.nalez, c.zapl));
        EXPECT_EQ(p.rodzaj, c.rodzaj) << c.zrodlo;
        EXPECT_EQ(p.naleznosc, c.naleznosc) << c.zrodlo;
        EXPECT_EQ(p.edytowalne, c.edytowalne) << c.zrodlo;
        EXPECT_EQ(p.kwota, c.kwota) << c.zrodlo;
        EXPECT_EQ(p.data, Date(2024, 2, 29));
    }
}

TEST(Transakcja, DateAsTyped) {
    EXPECT_EQ(DataZTekstu(QStringLiteral("29-02-2024")), Date(2024, 2, 29));
    EXPECT_TRUE(DataZTekstu(QStringLiteral("--")).isZero()); // an empty masked box
    EXPECT_TRUE(DataZTekstu(QStringLiteral("30-02-2024")).isZero());
}

TEST(Transakcja, ValidationsInTheirOrder) {
    DaneTransakcji d;
    d.rodzaj = TRodzTrans::rtWpisUzyt;
    EXPECT_EQ(SprawdzTransakcje(d), QStringLiteral("Data transakcji nie podana."));
    d.data = Date(2024, 1, 1);
    EXPECT_EQ(SprawdzTransakcje(d), QStringLiteral("Kwota transakcji nie podana."));
    d.bladKwoty = QStringLiteral("„1.234” ...");
    EXPECT_EQ(SprawdzTransakcje(d), d.bladKwoty); // the box's reason, before anything else
    d.bladKwoty.clear();
    d.kwota = Money::fromCents(-100);
    EXPECT_TRUE(SprawdzTransakcje(d).startsWith(QStringLiteral("Wpłata nie może być ujemna")));
    d.naleznosc = true; // a negative amount due (a correction) is accepted
    EXPECT_EQ(SprawdzTransakcje(d), QStringLiteral("Opis transakcji nie podany."));
    d.opis = QStringLiteral("   "); // blanks pass
    EXPECT_EQ(SprawdzTransakcje(d), QString());
    d.opis = QString(141, u'x');
    EXPECT_FALSE(SprawdzTransakcje(d).isEmpty());
    d.opis = QString(140, u'x');
    EXPECT_EQ(SprawdzTransakcje(d), QString());
    // Invoice and statement rows: no date or amount needed, a description still is.
    DaneTransakcji f;
    f.rodzaj = TRodzTrans::rtFaktura;
    EXPECT_EQ(SprawdzTransakcje(f), QStringLiteral("Opis transakcji nie podany."));
}

class TransakcjaTest : public SettlementTest {
protected:
    void SetUp() override {
        SettlementTest::SetUp();
        addKlient(1, QStringLiteral("Alfa"));
        addRow(10, 1, "F", "2024-01-10", "100.00", "NULL", QStringLiteral("FV 1"));
        addRow(11, 1, "W", "2024-01-11", "NULL", "40.00", QStringLiteral("przelew"));
        addRow(12, 1, "U", "2024-01-12", "25.00", "NULL", QStringLiteral("kara"));
        data->OtworzKlient();
        data->OtworzTransKL(1);
    }
    DaneTransakcji edycja(int wpisId) {
        EXPECT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), wpisId));
        const PolaTransakcji p = PolaZWiersza(*data->TransKL.current());
        DaneTransakcji d;
        d.nowyWpis = false;
        d.rodzaj = p.rodzaj;
        d.klientId = 1;
        d.wpisId = wpisId;
        d.naleznosc = p.naleznosc;
        d.data = p.data;
        d.kwota = p.kwota;
        d.opis = p.opis;
        return d;
    }
    db::Value pole(int wpisId, const char* kolumna) {
        return scalar(QStringLiteral("SELECT %1 FROM TRANS WHERE WPISID = %2")
                          .arg(QString::fromLatin1(kolumna))
                          .arg(wpisId));
    }
};

TEST_F(TransakcjaTest, NewRowIsTheUsersOwnForTheContractor) {
    DaneTransakcji d;
    d.klientId = 1;
    d.data = Date(2024, 3, 1);
    d.kwota = Money::fromCents(1999);
    d.opis = QStringLiteral("wpłata w kasie");
    EXPECT_EQ(ZapiszTransakcje(*data, d), QString());
    const int id = data->TransKL.field(QStringLiteral("WPISID")).toInt();
    EXPECT_GT(id, 0);
    EXPECT_EQ(pole(id, "ZRODLO").toString(), QStringLiteral("U"));
    EXPECT_EQ(pole(id, "KLIENTID").toInt(), 1);
    EXPECT_TRUE(pole(id, "DOZAPLATY").isNull());
    EXPECT_EQ(pole(id, "ZAPLACONO").toMoney(), Money::fromCents(1999));
    EXPECT_EQ(pole(id, "DATA_TR").toDate(), Date(2024, 3, 1));
    EXPECT_EQ(saldo(1), sumaTrans(1));
    EXPECT_EQ(saldo(1), zl("65.01"));

    // A refused entry writes nothing.
    d.opis.clear();
    EXPECT_EQ(ZapiszTransakcje(*data, d), QStringLiteral("Opis transakcji nie podany."));
    EXPECT_EQ(count(QStringLiteral("FROM TRANS")), 4);
}

TEST_F(TransakcjaTest, InvoiceAndStatementRowsSaveOnlyTheirDescription) {
    for (int wpis : {10, 11}) {
        DaneTransakcji d = edycja(wpis);
        // Whatever the greyed controls would hold, only the description is written.
        d.kwota = Money::fromCents(1);
        d.data = Date(2000, 1, 1);
        d.naleznosc = !d.naleznosc;
        d.opis = QStringLiteral("nowy opis %1").arg(wpis);
        EXPECT_EQ(ZapiszTransakcje(*data, d), QString());
        EXPECT_EQ(pole(wpis, "OPIS_TR").toString(), d.opis);
        EXPECT_EQ(pole(wpis, "DATA_TR").toDate(),
                  wpis == 10 ? Date(2024, 1, 10) : Date(2024, 1, 11));
        d.opis.clear();
        EXPECT_EQ(ZapiszTransakcje(*data, d), QStringLiteral("Opis transakcji nie podany."));
    }
    EXPECT_EQ(pole(10, "DOZAPLATY").toMoney(), zl("100"));
    EXPECT_EQ(pole(11, "ZAPLACONO").toMoney(), zl("40"));
    EXPECT_EQ(saldo(1), zl("85"));
}

TEST_F(TransakcjaTest, UserRowKeepsItsKindOrMovesItsAmountWhenSwitched) {
    DaneTransakcji d = edycja(12);
    EXPECT_TRUE(d.naleznosc);
    EXPECT_EQ(ZapiszTransakcje(*data, d), QString()); // saved unchanged
    EXPECT_EQ(pole(12, "DOZAPLATY").toMoney(), zl("25"));
    EXPECT_TRUE(pole(12, "ZAPLACONO").isNull());

    d.naleznosc = false; // "Zapłata"
    EXPECT_EQ(ZapiszTransakcje(*data, d), QString());
    EXPECT_TRUE(pole(12, "DOZAPLATY").isNull());
    EXPECT_EQ(pole(12, "ZAPLACONO").toMoney(), zl("25"));
    EXPECT_EQ(saldo(1), sumaTrans(1));
    EXPECT_EQ(saldo(1), zl("35"));
}

TEST_F(TransakcjaTest, ACorrectionOfARowMovedElsewhereMeanwhileIsRefused) {
    addKlient(2, QStringLiteral("Beta"));
    DaneTransakcji d = edycja(12);
    // Another workstation moves the row after this one read it.
    exec(QStringLiteral("UPDATE TRANS SET KLIENTID = 2 WHERE WPISID = 12"));
    d.opis = QStringLiteral("poprawka");
    EXPECT_THROW(ZapiszTransakcje(*data, d), db::Error);
    EXPECT_EQ(pole(12, "OPIS_TR").toString(), QStringLiteral("kara"));
    EXPECT_EQ(pole(12, "KLIENTID").toInt(), 2);
}

TEST_F(TransakcjaTest, SavesAfterAnotherWorkstationBookedForTheSameContractor) {
    // The list was read; then another workstation books a payment for the same contractor,
    // which changes its balance row.
    Tdm druga;
    druga.connect(database->path(), true);
    druga.ExecuteSQL(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                                    "ZAPLACONO) VALUES (30, 1, 'W', '2024-02-01', 5)"));
    DaneTransakcji d;
    d.klientId = 1;
    d.data = Date(2024, 3, 1);
    d.kwota = Money::fromWhole(7);
    d.naleznosc = true;
    d.opis = QStringLiteral("odsetki");
    EXPECT_EQ(ZapiszTransakcje(*data, d), QString());
    DaneTransakcji e = edycja(12);
    e.kwota = Money::fromWhole(20);
    EXPECT_EQ(ZapiszTransakcje(*data, e), QString());
    // Both bookings count, and the list shows the other workstation's row too.
    EXPECT_EQ(saldo(1), sumaTrans(1));
    EXPECT_EQ(saldo(1), zl("82"));
    EXPECT_TRUE(data->TransKL.locate(QStringLiteral("WPISID"), 30));
    druga.closeConnection();
}

class OperacjeTest : public SettlementTest {};

TEST_F(OperacjeTest, DuplicatesRefusedIgnoringCaseAndBlanksButNotForTheirOwnRow) {
    ASSERT_TRUE(data->OtworzOperacje());
    EXPECT_EQ(operacje::ZapiszOpis(*data, true, 0, QString()),
              QStringLiteral("Opis transakcji musi być podany."));
    EXPECT_EQ(operacje::ZapiszOpis(*data, true, 0, QStringLiteral(" Czynsz ")), QString());
    EXPECT_EQ(operacje::ZapiszOpis(*data, true, 0, QStringLiteral("Prąd")), QString());
    EXPECT_EQ(operacje::ZapiszOpis(*data, true, 0, QStringLiteral("Abonament")), QString());
    // A new text takes its place in the dictionary's order (a leading blank sorts first) and
    // becomes current.
    EXPECT_EQ(data->Operacja.row(1)[QStringLiteral("OPIS")].toString(),
              QStringLiteral("Abonament"));
    EXPECT_EQ(data->Operacja.currentIndex(), 1);
    messages->clear();
    const QString dup = QStringLiteral("Opis transakcji nie może się powtarzać.");
    for (const char* t : {"czynsz", "CZYNSZ  ", "  Czynsz", "PRĄD", "prąd"})
        EXPECT_EQ(operacje::ZapiszOpis(*data, true, 0, QString::fromUtf8(t)), dup) << t;
    EXPECT_EQ(count(QStringLiteral("FROM OPERACJA")), 3);

    ASSERT_TRUE(data->Operacja.locate(QStringLiteral("OPIS"), QStringLiteral("Prąd")));
    const int pradId = data->Operacja.field(QStringLiteral("WPISID")).toInt();
    // Its own text in another case is accepted; another row's text is not.
    EXPECT_EQ(operacje::ZapiszOpis(*data, false, pradId, QStringLiteral("PRĄD")), QString());
    EXPECT_EQ(operacje::ZapiszOpis(*data, false, pradId, QStringLiteral("czynsz")), dup);
    EXPECT_EQ(scalar(QStringLiteral("SELECT OPIS FROM OPERACJA WHERE WPISID = %1").arg(pradId))
                  .toString(),
              QStringLiteral("PRĄD"));

    QStringList opisy;
    ASSERT_TRUE(operacje::WczytajOpisy(*data, opisy));
    EXPECT_EQ(opisy, (QStringList{" Czynsz ", "Abonament", "PRĄD"})); // as typed

    // Deleting a description leaves ledger rows that use its text alone.
    addKlient(1, QStringLiteral("Alfa"));
    addRow(10, 1, "U", "2024-01-10", "5.00", "NULL", QStringLiteral("PRĄD"));
    ASSERT_TRUE(data->Operacja.locate(QStringLiteral("WPISID"), pradId));
    operacje::UsunOpis(*data);
    EXPECT_EQ(count(QStringLiteral("FROM OPERACJA")), 2);
    EXPECT_EQ(count(QStringLiteral("FROM TRANS WHERE OPIS_TR = 'PRĄD'")), 1);
}

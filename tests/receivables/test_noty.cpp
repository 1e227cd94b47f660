// The register of interest notes through a real database: a note is numbered only when saved,
// booked once, and a later note charges only the days earlier ones did not.
#include "DaneFirmy.h"
#include "DaneWindykacji.h"
#include "Error.h"
#include "NotyOdsetkowe.h"
#include "SchemaVersion.h"
#include "StaraBaza.h"
#include "StawkiOdsetek.h"
#include "TestDatabase.h"
#include "Transaction.h"
#include "Windykacja.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <tuple>

namespace {

QDate d(const char* iso) {
    return QDate::fromString(QString::fromLatin1(iso), Qt::ISODate);
}

Money zl(const char* s) {
    return *Money::parse(QString::fromLatin1(s));
}

class Noty : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        firma::DaneFirmy f;
        f.nazwa = QStringLiteral("Wierzyciel sp. z o.o.");
        f.adres = QStringLiteral("ul. Długa 1");
        f.kodMiejscowosc = QStringLiteral("00-001 Warszawa");
        f.konto = QStringLiteral("61109010140000071219812874");
        ASSERT_EQ(firma::zapiszDaneFirmy(data->conn, f).uwaga, QString());
        addKlient(1, QStringLiteral("Alfa"));
        // FV/1: 10 000,00 due on Friday 15 March 2024; 4 000,00 of it paid on 14 April.
        faktura(10, "FV/1", "2024-03-01", "2024-03-15", "10000.00");
        wplata(20, "2024-04-14", "4000.00", 10);
    }
    void faktura(int wpisId, const char* nr, const char* data, const char* termin,
                 const char* kwota, int klientId = 1) {
        exec(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, "
                            "NR_FAKTURY, OPIS_TR, DOZAPLATY) VALUES (%1, %2, 'U', '%3', '%4', "
                            "'%5', '%5', %6)")
                 .arg(wpisId)
                 .arg(klientId)
                 .arg(QString::fromLatin1(data), QString::fromLatin1(termin),
                      QString::fromLatin1(nr), QString::fromLatin1(kwota)));
    }
    void wplata(int wpisId, const char* data, const char* kwota, int naleznosc) {
        exec(QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, "
                            "ZAPLACONO) SELECT %1, KLIENTID, 'U', '%2', 'przelew', %3 FROM TRANS "
                            "WHERE WPISID = %4")
                 .arg(wpisId)
                 .arg(QString::fromLatin1(data), QString::fromLatin1(kwota))
                 .arg(naleznosc));
        exec(QStringLiteral("INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) "
                            "VALUES (%1, %2, %3)")
                 .arg(naleznosc)
                 .arg(wpisId)
                 .arg(QString::fromLatin1(kwota)));
    }
    static dokumenty::ParametryNoty do_(const char* doDnia, const char* wystawiona) {
        dokumenty::ParametryNoty p;
        p.doDnia = d(doDnia);
        p.dataWystawienia = d(wystawiona);
        p.zNiezaplaconymi = true;
        return p;
    }
    dokumenty::NotaOdsetkowa przygotuj(const dokumenty::ParametryNoty& p) {
        auto n = noty::przygotuj(data->conn, 1, p);
        if (const QString* u = std::get_if<QString>(&n))
            ADD_FAILURE() << u->toStdString();
        return std::get<dokumenty::NotaOdsetkowa>(n);
    }
    noty::WynikZapisu zapisz(const dokumenty::ParametryNoty& p, bool zaksieguj) {
        return noty::zapisz(data->conn, 1, p, przygotuj(p), zaksieguj);
    }
};

} // namespace

TEST_F(Noty, LaterNoteStartsWhereTheEarlierEndedAndTogetherTheyChargeWhatOneWould) {
    // 16 days (16-31 March) of 10 000,00 at 15.75%: 69,04.
    const dokumenty::ParametryNoty marzec = do_("2024-03-31", "2024-04-02");
    const dokumenty::NotaOdsetkowa pokaz = przygotuj(marzec);
    EXPECT_TRUE(pokaz.numer.isEmpty());
    EXPECT_EQ(pokaz.razem, zl("69.04"));
    EXPECT_EQ(count("FROM NOTA_ODSETKOWA"), 0); // looking takes no number

    const noty::WynikZapisu pierwsza = noty::zapisz(data->conn, 1, marzec, pokaz, true);
    ASSERT_EQ(pierwsza.uwaga, QString());
    EXPECT_EQ(pierwsza.nota->numer, "NO/1/2024");
    EXPECT_EQ(
        scalar("SELECT DOZAPLATY FROM TRANS WHERE OPIS_TR = 'Nota odsetkowa NO/1/2024'").toMoney(),
        zl("69.04"));

    // April: 4 000,00 for 1-14 April (24,16...) and 6 000,00 for 1-30 April (77,67...), one
    // rounding: 101,84. The booked note, unpaid and overdue by then, bears no interest.
    const dokumenty::ParametryNoty kwiecien = do_("2024-04-30", "2024-05-02");
    const dokumenty::NotaOdsetkowa druga = przygotuj(kwiecien);
    ASSERT_EQ(druga.pozycje.size(), 2u);
    for (const windykacja::PozycjaOdsetek& p : druga.pozycje) {
        EXPECT_EQ(p.naliczoneOd, d("2024-04-01"));
        EXPECT_EQ(p.numer, "FV/1");
    }
    EXPECT_EQ(druga.pozycje[0].kwota, zl("4000.00"));
    EXPECT_EQ(druga.pozycje[0].dni, 14);
    EXPECT_EQ(druga.pozycje[1].kwota, zl("6000.00"));
    EXPECT_EQ(druga.pozycje[1].dni, 30);
    EXPECT_EQ(druga.razem, zl("101.84"));
    EXPECT_TRUE(druga.poWczesniejszychNotach);
    // One note for both months would charge 170,88: nothing charged twice, nothing lost.
    db::Transaction tr(data->conn, db::Isolation::Snapshot);
    tr.start();
    const auto dane = windykacja::czytajKontrahenta(tr, 1, d("2024-04-30"));
    tr.commit();
    std::vector<windykacja::Faktura> bezNot;
    for (const windykacja::Faktura& f : dane->faktury)
        if (!f.bezOdsetek)
            bezNot.push_back(f);
    EXPECT_EQ(windykacja::naliczOdsetki(bezNot, {QDate(), d("2024-04-30"), true, true},
                                        stawki::czytajTabele(data->conn),
                                        odsetki::Dluznik::Przedsiebiorca)
                  .suma,
              pokaz.razem + druga.razem);

    EXPECT_EQ(noty::zapisz(data->conn, 1, kwiecien, druga, false).nota->numer, "NO/2/2024");
    // The same period again: every day of it was charged.
    const auto trzecia = noty::przygotuj(data->conn, 1, kwiecien);
    ASSERT_TRUE(std::holds_alternative<QString>(trzecia));
    EXPECT_TRUE(std::get<QString>(trzecia).contains("wcześniejsze"));
    EXPECT_EQ(noty::kolejnyPoczatek(data->conn, 1), d("2024-05-01"));
}

TEST_F(Noty, BookedOnceCancelledFreesItsDaysAndNumbersRunPerYear) {
    const noty::WynikZapisu a = zapisz(do_("2024-03-31", "2024-04-02"), false);
    ASSERT_EQ(a.uwaga, QString());
    EXPECT_EQ(noty::zaksieguj(data->conn, a.id), QString());
    EXPECT_TRUE(noty::zaksieguj(data->conn, a.id).contains("już zaksięgowana"));
    EXPECT_EQ(count("FROM TRANS WHERE NR_FAKTURY = 'NO/1/2024'"), 1);
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE NR_FAKTURY = 'NO/1/2024'").toDate(),
              Date(2024, 4, 9));
    EXPECT_TRUE(noty::anuluj(data->conn, a.id).contains("zaksięgowana"));

    // A note saved and cancelled keeps its number; its days may be charged again.
    const dokumenty::ParametryNoty kwiecien = do_("2024-04-30", "2024-05-02");
    const noty::WynikZapisu b = zapisz(kwiecien, false);
    EXPECT_EQ(b.nota->numer, "NO/2/2024");
    EXPECT_EQ(noty::anuluj(data->conn, b.id), QString());
    EXPECT_TRUE(noty::zaksieguj(data->conn, b.id).contains("anulowana"));
    EXPECT_EQ(przygotuj(kwiecien).razem, b.nota->razem);
    // A new year starts from 1.
    EXPECT_EQ(zapisz(do_("2024-12-31", "2025-01-10"), false).nota->numer, "NO/1/2025");
    EXPECT_EQ(zapisz(do_("2025-01-31", "2025-02-03"), false).nota->numer, "NO/2/2025");
    EXPECT_EQ(zapisz(do_("2025-02-28", "2024-12-30"), false).nota->numer, "NO/3/2024");

    const std::vector<noty::Wpis> rejestr = noty::czytajRejestr(data->conn, 2024);
    ASSERT_EQ(rejestr.size(), 3u);
    EXPECT_EQ(rejestr[0].numer, "NO/3/2024");
    EXPECT_TRUE(rejestr[1].anulowana);
    EXPECT_NE(rejestr[2].wpisId, 0);
    // What was issued stays: the database refuses deleting or rewriting a note.
    EXPECT_THROW(exec("DELETE FROM NOTA_ODSETKOWA WHERE ID = " + QString::number(a.id)), db::Error);
    EXPECT_THROW(exec("UPDATE NOTA_ODSETKOWA SET RAZEM = 1 WHERE ID = " + QString::number(a.id)),
                 db::Error);
    // Read back, a saved note is what was shown.
    const std::optional<dokumenty::NotaOdsetkowa> zapisana = noty::czytajNote(data->conn, a.id);
    ASSERT_TRUE(zapisana);
    EXPECT_EQ(zapisana->numer, "NO/1/2024");
    EXPECT_EQ(zapisana->razem, a.nota->razem);
    ASSERT_EQ(zapisana->pozycje.size(), a.nota->pozycje.size());
    for (std::size_t i = 0; i < a.nota->pozycje.size(); ++i) {
        const windykacja::PozycjaOdsetek& x = zapisana->pozycje[i];
        const windykacja::PozycjaOdsetek& y = a.nota->pozycje[i];
        EXPECT_EQ(std::tie(x.numer, x.termin, x.kwota, x.naliczoneOd, x.dni, x.odsetki),
                  std::tie(y.numer, y.termin, y.kwota, y.naliczoneOd, y.dni, y.odsetki));
        EXPECT_EQ(x.okresy, y.okresy);
    }
}

TEST_F(Noty, NoteShownBeforeAPaymentArrivedIsNotSavedAndTheNewOneIsOffered) {
    const dokumenty::ParametryNoty maj = do_("2024-05-31", "2024-06-03");
    const dokumenty::NotaOdsetkowa pokaz = przygotuj(maj);
    // Meanwhile the rest came on 20 May.
    wplata(21, "2024-05-20", "6000.00", 10);
    const noty::WynikZapisu w = noty::zapisz(data->conn, 1, maj, pokaz, true);
    EXPECT_TRUE(w.uwaga.contains("zmieniły się")) << w.uwaga.toStdString();
    EXPECT_EQ(w.id, 0);
    EXPECT_EQ(count("FROM NOTA_ODSETKOWA"), 0);
    EXPECT_EQ(count("FROM TRANS WHERE NR_FAKTURY STARTING 'NO/'"), 0);
    ASSERT_TRUE(w.nota);
    EXPECT_LT(w.nota->razem, pokaz.razem);
    // The note offered saves as it stands.
    EXPECT_EQ(noty::zapisz(data->conn, 1, maj, *w.nota, true).nota->numer, "NO/1/2024");
}

TEST_F(Noty, NothingLateOrUnknownContractorIsRefusedInWords) {
    struct Case {
        int klientId;
        const char* doDnia;
        const char* uwaga;
    } cases[] = {
        {1, "2024-03-15", "nie ma z czego"}, // due that day: not late yet
        {7, "2024-04-30", "Nie ma kontrahenta"},
    };
    for (const Case& c : cases) {
        const auto n = noty::przygotuj(data->conn, c.klientId, do_(c.doDnia, "2024-05-02"));
        ASSERT_TRUE(std::holds_alternative<QString>(n)) << c.doDnia;
        EXPECT_TRUE(std::get<QString>(n).contains(QString::fromUtf8(c.uwaga)))
            << std::get<QString>(n).toStdString();
    }
}

TEST(NotyAktualizacja, StepAddsAnEmptyRegisterAndANoteIssuesOnTheUpgradedLedger) {
    auto moj = [](const UpgradeStep& s) { return s.script.endsWith(QStringLiteral("/7.sql")); };
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("przed.fdb"));
    starabaza::utworzWersje1(path);
    upgradeDatabase(starabaza::embedded(path), starabaza::krokiPrzed(moj));
    {
        // An invoice, its late payment and their link, as the version before wrote them.
        db::Attachment att(starabaza::embedded(path));
        for (const char* sql : {
                 "INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (1, 'Alfa')",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, TERMIN, NR_FAKTURY, "
                 "OPIS_TR, DOZAPLATY) VALUES (10, 1, 'F', '2024-03-01', '2024-03-15', 'FV/1', "
                 "'FV/1', 10000)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO) "
                 "VALUES (20, 1, 'W', '2024-03-31', 'FV/1', 10000)",
                 "INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) VALUES (10, 20, "
                 "10000)",
             })
            att.executeImmediate(QString::fromUtf8(sql));
    }
    const UpgradeResult r = upgradeDatabase(starabaza::embedded(path));
    EXPECT_EQ(r.to, currentSchemaVersion());
    db::Attachment att(starabaza::embedded(path));
    EXPECT_EQ(schemaVersion(att), currentSchemaVersion());

    firma::DaneFirmy f;
    f.nazwa = QStringLiteral("Wierzyciel");
    f.adres = QStringLiteral("ul. Długa 1");
    f.konto = QStringLiteral("61109010140000071219812874");
    ASSERT_EQ(firma::zapiszDaneFirmy(att, f).uwaga, QString());
    dokumenty::ParametryNoty p;
    p.doDnia = d("2024-03-31");
    p.dataWystawienia = d("2024-04-02");
    const auto n = noty::przygotuj(att, 1, p);
    ASSERT_TRUE(std::holds_alternative<dokumenty::NotaOdsetkowa>(n));
    EXPECT_EQ(std::get<dokumenty::NotaOdsetkowa>(n).razem, zl("69.04"));
    const noty::WynikZapisu w =
        noty::zapisz(att, 1, p, std::get<dokumenty::NotaOdsetkowa>(n), true);
    ASSERT_EQ(w.uwaga, QString());
    EXPECT_EQ(w.nota->numer, "NO/1/2024");
    EXPECT_EQ(noty::czytajRejestr(att).size(), 1u);
}

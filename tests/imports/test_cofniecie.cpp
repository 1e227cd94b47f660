// Undoing an import: the rows it booked go, its registration is freed, the balances follow,
// contractors it added stay; a row changed since stops it, naming the row.
#include "CofniecieImportu.h"
#include "HistoriaImportow.h"
#include "KsiegowanieFaktur.h"
#include "KsiegowanieWplat.h"
#include "StatementBuilder.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "WczytajWyciag.h"
#include "fks.h"

#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace {
const QString A = QStringLiteral("61109010140000071219812874");
const QString B = QStringLiteral("27114020040000300201355387");
} // namespace

class Cofniecie : public DbTest {
protected:
    std::shared_ptr<IWyciag> statement(const QString& opening, const QString& kwota = "100,00") {
        const WynikOtwarcia w = OtworzWyciag(
            ingStatement({{'C', kwota, A, "Znany", "Faktura 1"}, {'C', "50,00", B, "Nowy", "F 2"}},
                         opening)
                .toUtf8(),
            TKodowanie::kdUTF_8);
        EXPECT_TRUE(w.ok()) << w.komunikat().toStdString();
        return w.wyciag();
    }
    RaportWplat book(const IWyciag& w) {
        Tks ks(data->conn);
        KsiegowanieWplat run(ks);
        run.UstawPlik("/dane/wyciag.sta");
        return run.ksieguj(w);
    }
    int ksiegujFaktury(const QString& plik, const QString& nr) {
        Tks ks(data->conn);
        recFaktura f;
        f.NrFakt = nr;
        f.DataWyst = Date(2024, 5, 6);
        f.NipOdb = "5990000010";
        f.SetXmlKwota("300.00");
        KsiegowanieFaktur run(ks, [](const recFaktura&) { return DecyzjaBrakKontrahenta{}; });
        return run.run({f}, plik).importId;
    }
    // Balances equal the ledger's sums for every contractor.
    int saldaInneNizKsiega() {
        return count("FROM SALDA S WHERE COALESCE(S.ZAPLACONO, 0) <> "
                     "(SELECT COALESCE(SUM(T.ZAPLACONO), 0) FROM TRANS T "
                     "WHERE T.KLIENTID = S.KLIENTID) OR COALESCE(S.DOZAPLATY, 0) <> "
                     "(SELECT COALESCE(SUM(T.DOZAPLATY), 0) FROM TRANS T "
                     "WHERE T.KLIENTID = S.KLIENTID)");
    }
};

TEST_F(Cofniecie, StatementUndoneWholeAndBookableAgain) {
    addKlient(1, "Znany");
    addKonto(900002, 1, "PL", A);
    addTrans(900003, 1, "40", "NULL"); // entered by hand: stays
    const auto w = statement("C230228PLN5000,00");
    const RaportWplat r = book(*w);
    ASSERT_EQ(r.rejestracje.size(), 1u);
    const int id = r.rejestracje[0];
    EXPECT_EQ(count("FROM TRANS"), 3);

    const auto historia = cofniecie::Historia(data->conn, cofniecie::Rodzaj::Wyciag);
    ASSERT_EQ(historia.size(), 1u);
    EXPECT_EQ(historia[0].id, id);
    EXPECT_EQ(historia[0].nrWyciagu, w->GetNrWyciagu());
    EXPECT_EQ(historia[0].plik, "/dane/wyciag.sta");
    EXPECT_EQ(historia[0].operatorNazwa, "Administrator");
    EXPECT_EQ(historia[0].wierszy, 2);
    EXPECT_EQ(historia[0].kwota, Money::fromWhole(150));
    EXPECT_TRUE(historia[0].moznaCofnac());

    const cofniecie::Wynik c = cofniecie::CofnijWyciag(data->conn, id);
    EXPECT_EQ(c.usunieto, 2);
    EXPECT_EQ(c.kwota, Money::fromWhole(150));
    EXPECT_EQ(count("FROM TRANS"), 1); // the row entered by hand
    EXPECT_EQ(count("FROM WYCIAG"), 0);
    // the change log names each removed payment as part of the undone import
    EXPECT_EQ(count(QString::fromUtf8("FROM DZIENNIK WHERE RODZAJ = 'Cofnięcie importu' AND "
                                      "OBIEKT = 'Transakcja'")),
              2);
    EXPECT_EQ(count("FROM KLIENT WHERE NAZWA = 'Nowy'"), 1); // the contractor it added stays
    EXPECT_EQ(data->SaldoKlienta(1), Money::fromWhole(40));
    EXPECT_EQ(saldaInneNizKsiega(), 0);
    EXPECT_FALSE(data->JestWyciag(w->LiniaSaldoPocz(), w->GetKontoWL()));

    // the corrected file books again, to the contractors it found the first time
    book(*statement("C230228PLN5000,00", "90,00"));
    EXPECT_EQ(count("FROM TRANS"), 3);
    EXPECT_EQ(count("FROM KLIENT WHERE NAZWA = 'Nowy'"), 1);
    EXPECT_EQ(data->SaldoKlienta(1), Money::fromWhole(-50));

    // undone twice: the second is refused, nothing changes
    const int drugi = cofniecie::Historia(data->conn, cofniecie::Rodzaj::Wyciag)[0].id;
    cofniecie::CofnijWyciag(data->conn, drugi);
    try {
        cofniecie::CofnijWyciag(data->conn, drugi);
        FAIL();
    } catch (const cofniecie::Odmowa& e) {
        EXPECT_TRUE(e.komunikat().contains("mógł zostać już cofnięty")) << e.pelny().toStdString();
    }
}

TEST_F(Cofniecie, ChangedRowStopsTheUndoAndIsListed) {
    addKlient(1, "Znany");
    addKonto(900002, 1, "PL", A);
    addKlient(5, "Inny");
    const int id = book(*statement("C230228PLN5000,00")).rejestracje.at(0);
    const QString przed = QString::number(count("FROM TRANS"));

    // the same values written again change nothing; a move to another contractor does
    exec(QString("UPDATE TRANS SET OPIS_TR = OPIS_TR WHERE IMPORTID = %1").arg(id));
    EXPECT_EQ(count("FROM TRANS WHERE ZMIENIONO IS NOT NULL"), 0);
    exec(QString("UPDATE TRANS SET KLIENTID = 5 WHERE IMPORTID = %1 AND KLIENTID = 1").arg(id));
    try {
        cofniecie::CofnijWyciag(data->conn, id);
        FAIL();
    } catch (const cofniecie::Odmowa& e) {
        ASSERT_EQ(e.wiersze().size(), 1);
        EXPECT_TRUE(
            e.wiersze()[0].startsWith("01.03.2023 | 100,00 | Inny | Faktura 1 | zmieniony "))
            << e.wiersze()[0].toStdString();
        EXPECT_TRUE(e.pelny().startsWith(QString::fromUtf8("Nie można cofnąć importu wyciągu")));
    }
    EXPECT_EQ(QString::number(count("FROM TRANS")), przed);
    EXPECT_EQ(count("FROM WYCIAG"), 1);

    // a statement registered before imports were recorded is never undone blindly
    exec("INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA) VALUES (900, 'X', 'C1')");
    EXPECT_THROW(cofniecie::CofnijWyciag(data->conn, 900), cofniecie::Odmowa);
    EXPECT_EQ(count("FROM WYCIAG WHERE WPISID = 900"), 1);
}

TEST_F(Cofniecie, InvoiceFileUndoneByPathOrName) {
    addKlient(1, "Alfa", "PL", "5990000010");
    const int pierwszy = ksiegujFaktury("/dane/marzec/faktury.xml", "FV/1");
    const int drugi = ksiegujFaktury("/dane/marzec/faktury.xml", "FV/2");
    const int inny = ksiegujFaktury("/inne/kwiecien.xml", "FV/3");
    ASSERT_NE(pierwszy, 0);
    EXPECT_EQ(data->SaldoKlienta(1), Money::fromWhole(900));

    const auto poSciezce = cofniecie::ImportyPliku(data->conn, "/dane/marzec/faktury.xml");
    EXPECT_EQ(poSciezce.size(), 2u);
    const auto poNazwie = cofniecie::ImportyPliku(data->conn, "/gdzie/indziej/kwiecien.xml");
    ASSERT_EQ(poNazwie.size(), 1u);
    EXPECT_EQ(poNazwie[0].first, inny);
    EXPECT_TRUE(cofniecie::ImportyPliku(data->conn, "brak.xml").empty());

    const cofniecie::Wynik w = cofniecie::CofnijFaktury(data->conn, {pierwszy, drugi});
    EXPECT_EQ(w.usunieto, 2);
    EXPECT_EQ(w.opis.size(), 2);
    EXPECT_EQ(data->SaldoKlienta(1), Money::fromWhole(300));
    EXPECT_EQ(count("FROM IMPORT_FAKTUR"), 1);
    EXPECT_EQ(saldaInneNizKsiega(), 0);
    // booked again, the file's invoices are no longer "booked before"
    EXPECT_NE(ksiegujFaktury("/dane/marzec/faktury.xml", "FV/1"), 0);
}

// Links follow the undo: automatic ones go with the removed rows and what they freed on the
// other side is matched again; a link the user made stops the undo, naming its row.
TEST_F(Cofniecie, LinksFreedOrManualLinkRefuses) {
    addKlient(1, "Znany", "PL", "5990000010");
    addKonto(900002, 1, "PL", A);
    const int faktury = ksiegujFaktury("/dane/faktury.xml", "FV/1");            // 300,00 due
    const int wyciag = book(*statement("C230228PLN5000,00")).rejestracje.at(0); // 100,00 paid
    ASSERT_EQ(count("FROM ROZRACHUNEK"), 1);
    EXPECT_EQ(count("FROM TRANS WHERE DOZAPLATY = 300 AND OTWARTE = 200"), 1);

    // the invoices go: the payment is a credit again, nothing left linked
    cofniecie::CofnijFaktury(data->conn, {faktury});
    EXPECT_EQ(count("FROM ROZRACHUNEK"), 0);
    EXPECT_EQ(count("FROM TRANS WHERE ZAPLACONO = 100 AND OTWARTE = -100"), 1);

    // booked again, the invoice takes the waiting credit; undoing the statement gives it back
    const int znow = ksiegujFaktury("/dane/faktury.xml", "FV/1");
    EXPECT_EQ(count("FROM ROZRACHUNEK"), 1);
    addTrans(900010, 1, "NULL", "30"); // a payment entered by hand, not yet allocated
    cofniecie::CofnijWyciag(data->conn, wyciag);
    // the freed invoice is matched again with the credit that is left
    EXPECT_EQ(count("FROM TRANS WHERE DOZAPLATY = 300 AND OTWARTE = 270"), 1);
    EXPECT_EQ(count("FROM ROZRACHUNEK"), 1);

    // a link made by hand is the user's: the import stays whole
    exec("UPDATE ROZRACHUNEK SET RECZNE = 'T'");
    try {
        cofniecie::CofnijFaktury(data->conn, {znow});
        FAIL();
    } catch (const cofniecie::Odmowa& e) {
        EXPECT_TRUE(e.komunikat().contains("powiązane ręcznie")) << e.pelny().toStdString();
        ASSERT_EQ(e.wiersze().size(), 1);
        EXPECT_TRUE(e.wiersze()[0].contains("FV/1")) << e.wiersze()[0].toStdString();
    }
    EXPECT_EQ(count("FROM IMPORT_FAKTUR"), 1);
    EXPECT_EQ(count("FROM ROZRACHUNEK"), 1);
    EXPECT_EQ(saldaInneNizKsiega(), 0);
}

// The history in the window: "Cofnij import" asks with "Nie" as the default, names what it
// removes, and undoes on "Tak".
TEST_F(Cofniecie, WindowHistoryAsksThenUndoes) {
    addKlient(1, "Znany");
    addKonto(900002, 1, "PL", A);
    book(*statement("C230228PLN5000,00"));
    HistoriaImportow historia(data->conn, cofniecie::Rodzaj::Wyciag);
    bool cofnieto = false;
    QObject::connect(&historia, &HistoriaImportow::cofnieto, [&] { cofnieto = true; });
    historia.odswiez();
    ASSERT_EQ(historia.lista().rowCount(), 1);
    EXPECT_TRUE(historia.CofnijBtn->isEnabled());
    EXPECT_EQ(historia.lista().data(historia.lista().index(0, 5), Qt::DisplayRole).toString(), "2");

    messages->answer(false); // "Nie": nothing happens
    historia.CofnijClick();
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::ZgodaDefNo);
    EXPECT_TRUE(
        messages->messages()[0].text.contains(QString::fromUtf8("wpłat: 2 na kwotę 150,00")))
        << messages->messages()[0].text.toStdString();
    EXPECT_EQ(count("FROM TRANS"), 2);
    EXPECT_FALSE(cofnieto);

    messages->clear();
    messages->answer(true);
    historia.CofnijClick();
    EXPECT_TRUE(cofnieto);
    EXPECT_EQ(count("FROM TRANS"), 0);
    EXPECT_EQ(historia.lista().rowCount(), 0);
    ASSERT_EQ(messages->messages().size(), 2u);
    EXPECT_EQ(messages->messages()[1].kind, komun::Kind::Info);
    EXPECT_TRUE(messages->messages()[1].text.startsWith(QString::fromUtf8("Cofnięto import")));
}

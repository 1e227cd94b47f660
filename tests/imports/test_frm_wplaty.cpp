#include "StatementBuilder.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "fks.h"
#include "fmWczytajWplaty.h"

#include <gtest/gtest.h>

namespace {
const QString B = QStringLiteral("27114020040000300201355387");
const QString C = QStringLiteral("83105000861000002332140531");
} // namespace

class PaymentWindow : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        ks = std::make_unique<Tks>(data->conn);
        frm = std::make_unique<TfrmWczytajWplaty>(*ks);
        frm->Reset();
    }
    void TearDown() override {
        frm.reset();
        ks.reset();
        DbTest::TearDown();
    }
    QString file(const QString& name, const QString& text) {
        const QString path = database->folder() + "/" + name;
        writeFile(path, text);
        return path;
    }
    void list(const QString& path) {
        frm->setNazwaPliku(path);
        messages->clear();
        frm->WczytajBtnClick();
    }
    std::unique_ptr<Tks> ks;
    std::unique_ptr<TfrmWczytajWplaty> frm;
};

TEST_F(PaymentWindow, RefusalsKeepThePreviousList) {
    const QString good = file("a.sta", ingStatement({{'C', "1,00", B, "Nowy", "t"}}));
    list(good);
    ASSERT_EQ(frm->lista().rowCount(), 1);
    const auto loaded = frm->wyciag();

    QString noEnd = ingStatement({{'C', "1,00", B, "Nowy", "t"}});
    noEnd.replace(":62F:", ":62X:");
    QString noStart = noEnd;
    noStart.replace(":60F:", ":60X:").replace(":61:", ":6X:");
    QString otherBank = ingStatement({{'C', "1,00", B, "x", "t"}}, "C230228PLN5000,00",
                                     "PL10124000010000000012345678");
    const struct {
        QString name;
        QString expected;
    } cases[] = {
        {"   ", "Nazwa pliku wyciągu bankowego nie podana."},
        {database->folder() + "/brak.sta",
         "Plik: " + database->folder() + "/brak.sta - nie istnieje."},
        {file("b.sta", noEnd), "Niepoprawna struktura pliku. Brak sekcji: :62F:"},
        {file("c.sta", noStart), "Niepoprawna struktura pliku. Brak sekcji: :60F:"},
        {file("d.sta", otherBank), "Program obsługuje pliki MT-940 określonych banków.\r"
                                   "Wpłaty z tego pliku nie mogą być wczytane."},
    };
    for (const auto& c : cases) {
        list(c.name);
        ASSERT_EQ(messages->messages().size(), 1u) << c.name.toStdString();
        EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
        EXPECT_EQ(messages->messages()[0].text, c.expected);
        EXPECT_EQ(frm->lista().rowCount(), 1);
        EXPECT_EQ(frm->wyciag(), loaded);
        EXPECT_TRUE(frm->ksiegujEnabled());
    }
}

TEST_F(PaymentWindow, ListShowsCreditsWithAccountOnly) {
    QString longName(100, u'N');
    list(file("a.sta", ingStatement({
                           {'C', "1,00", B, longName, "t1"},
                           {'D', "2,00", C, "Debet", "t2"},
                           {'C', "3,00", "", "Bez konta", "t3"},
                           {'C', "4,00", "12345", "Krótkie", "t4"},
                       })));
    ASSERT_EQ(frm->lista().rowCount(), 2);
    const auto& row = frm->lista().rows()[0];
    EXPECT_EQ(row.Konto, "27 1140 2004 0000 3002 0135 5387");
    EXPECT_EQ(row.Nazwa.size(), 80);
    EXPECT_EQ(row.Data, Date(2023, 3, 1));
    EXPECT_FALSE(row.Bank.isEmpty());
    EXPECT_TRUE(frm->ksiegujEnabled());
    EXPECT_TRUE(messages->messages().empty());
}

TEST_F(PaymentWindow, DebitsOnlyGiveEmptyListAndInfo) {
    list(file("a.sta", ingStatement({{'D', "2,00", C, "Debet", "t2"}})));
    EXPECT_EQ(frm->lista().rowCount(), 0);
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Info);
    EXPECT_EQ(messages->messages()[0].text, "Wyciąg nie zawiera żadnego przelewu z wpłatą.");
    EXPECT_FALSE(frm->ksiegujEnabled());
}

TEST_F(PaymentWindow, AnsweringNoWritesNothing) {
    list(file("a.sta", ingStatement({{'C', "1,00", B, "Nowy", "t"}})));
    messages->answer(false);
    frm->KsiegujBtnClick();
    EXPECT_EQ(count("FROM TRANS"), 0);
    EXPECT_EQ(count("FROM WYCIAG"), 0);
    EXPECT_FALSE(frm->FZaksiegowano);
    EXPECT_TRUE(frm->ksiegujEnabled());
    EXPECT_EQ(messages->texts(), QStringList({"Zaksięgować wpłaty z wyciągu bankowego?"}));
}

TEST_F(PaymentWindow, BookThenTheSameFileIsRefused) {
    const QString path = file("a.sta", ingStatement({{'C', "1,00", B, "Nowy Płatnik", "t"}}));
    list(path);
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(messages->texts(), QStringList({"Zaksięgować wpłaty z wyciągu bankowego?",
                                              "Zakończono księgowanie wpłat."}));
    EXPECT_EQ(messages->messages()[1].kind, komun::Kind::Uwaga);
    EXPECT_TRUE(frm->FZaksiegowano);
    EXPECT_FALSE(frm->ksiegujEnabled());
    EXPECT_TRUE(frm->raportVisible());
    EXPECT_TRUE(frm->nowyKlientVisible());
    EXPECT_EQ(frm->currentTabText(), "Niezidentyfikowane należności");
    EXPECT_EQ(frm->RapNowyKlient(), QStringList({"Nowy Płatnik"}));
    EXPECT_EQ(count("FROM TRANS"), 1);

    list(path);
    EXPECT_EQ(messages->texts(),
              QStringList({"Dane z tego wyciągu bankowego zostały już wczytane."}));
    EXPECT_FALSE(frm->ksiegujEnabled());

    frm->Reset(); // what the next opening starts with
    EXPECT_FALSE(frm->FZaksiegowano);
    EXPECT_FALSE(frm->raportVisible());
    EXPECT_EQ(frm->lista().rowCount(), 0);
    EXPECT_EQ(frm->Kodowanie(), TKodowanie::kdUTF_8);
}

TEST_F(PaymentWindow, KnownPayerOnlyShowsGeneralReport) {
    exec("INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (1, 'Znany')");
    exec("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, NR_KONTO, POMIJAJ) VALUES (2, 1, '', '" +
         B + "', 'N')");
    list(file("a.sta", ingStatement({{'C', "1,00", B, "Znany", "t"}})));
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_TRUE(frm->raportVisible());
    EXPECT_FALSE(frm->nowyKlientVisible());
    EXPECT_EQ(frm->currentTabText(), "Raport");
}

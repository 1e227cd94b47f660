#include "Banki.h"
#include "Klawiatura.h"
#include "StatementBuilder.h"
#include "StringFun.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "WczytajWyciag.h"
#include "fks.h"
#include "fmWczytajWplaty.h"

#include <QFile>
#include <QLineEdit>
#include <QRegularExpression>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

namespace {
// The text with "~" standing for the locale's non-breaking blank.
QString P(const char* t) {
    return QString::fromUtf8(t).replace(u'~', QChar(0x00a0));
}
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

// Every listing starts empty: a file that fails after a good one leaves nothing to book.
TEST_F(PaymentWindow, FailedListingLeavesNothingToBook) {
    const QString good = file("a.sta", ingStatement({{'C', "1,00", B, "Nowy", "t"}}));

    QString noEnd = ingStatement({{'C', "1,00", B, "Nowy", "t"}});
    noEnd.replace(":62F:", ":62X:");
    QString noStart = noEnd;
    noStart.replace(":60F:", ":60X:").replace(":61:", ":6X:");
    // A bank without a dialect whose field 86 has no known shape.
    QString otherBank = ingStatement({{'C', "1,00", B, "x", "t"}}, "C230228PLN5000,00",
                                     "PL10194000010000000012345678");
    otherBank.replace(u'~', u' ');
    QString badAmount = ingStatement({{'C', "1.00", B, "x", "t"}});
    const QString booked =
        file("e.sta", ingStatement({{'C', "1,00", B, "x", "t"}}, "C230228PLN1,00"));
    exec("INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA) VALUES "
         "(1000000, '79105010120000000012345678', 'C230228PLN1,00')");
    const struct {
        QString name;
        QString expected;
    } cases[] = {
        {"   ", "Nazwa pliku wyciągu bankowego nie podana."},
        {database->folder() + "/brak.sta",
         "Plik: " + database->folder() + "/brak.sta - nie istnieje."},
        {file("b.sta", noEnd), "Niepoprawna struktura pliku. Brak sekcji: :62F:"},
        {file("c.sta", noStart), "Niepoprawna struktura pliku. Brak sekcji: :60F:"},
        {file("d.sta", otherBank), OdmowaBanku(bk_Credit_Agricole)},
        {file("f.sta", badAmount),
         "Nie można odczytać kwoty w wierszu :61:2303010301CN1.00NTRFNONREF//ING0001"},
        {booked, "Dane z tego wyciągu bankowego zostały już wczytane."},
    };
    for (const auto& c : cases) {
        list(good);
        ASSERT_EQ(frm->lista().rowCount(), 1);
        ASSERT_TRUE(frm->ksiegujEnabled());
        list(c.name);
        ASSERT_EQ(messages->messages().size(), 1u) << c.name.toStdString();
        EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
        EXPECT_EQ(messages->messages()[0].text, c.expected);
        EXPECT_EQ(frm->lista().rowCount(), 0) << c.name.toStdString();
        EXPECT_EQ(frm->wyciag(), nullptr);
        EXPECT_FALSE(frm->ksiegujEnabled());
        frm->KsiegujBtnClick(); // nothing to book: not even the question
        EXPECT_EQ(messages->messages().size(), 1u);
    }
    // The report of an earlier run is hidden by the next listing.
    list(good);
    messages->answer(true);
    frm->KsiegujBtnClick();
    ASSERT_TRUE(frm->raportVisible());
    list(database->folder() + "/brak.sta");
    EXPECT_FALSE(frm->raportVisible());
    EXPECT_FALSE(frm->nowyKlientVisible());
    EXPECT_TRUE(frm->RapOgolny().isEmpty());
}

// The list was read in the encoding chosen then: a new choice must list again.
// Enter typed in the file field lists the file, as in the invoice window (with the keys as
// the program has them: Enter presses only a default the window chose).
TEST_F(PaymentWindow, EnterInTheFileFieldListsTheFile) {
    Klawiatura::zainstaluj();
    const QString plik = file("a.sta", ingStatement({{'C', "1,00", B, "Nowy", "t"}}));
    frm->setNazwaPliku(plik);
    frm->show();
    QLineEdit* pole = nullptr;
    for (QLineEdit* e : frm->findChildren<QLineEdit*>())
        if (e->text() == plik)
            pole = e;
    ASSERT_NE(pole, nullptr);
    QTest::keyClick(pole, Qt::Key_Return);
    EXPECT_EQ(frm->lista().rowCount(), 1);
    EXPECT_TRUE(frm->ksiegujEnabled());
    frm->hide();
}

TEST_F(PaymentWindow, ChangingTheEncodingDisablesBooking) {
    list(file("a.sta", ingStatement({{'C', "1,00", B, "Nowy", "t"}})));
    ASSERT_TRUE(frm->ksiegujEnabled());
    frm->setKodowanie(TKodowanie::kdWin_1250);
    EXPECT_FALSE(frm->ksiegujEnabled());
    EXPECT_EQ(frm->lista().rowCount(), 0);
    list(file("a.sta", ingStatement({{'C', "1,00", B, "Nowy", "t"}})));
    EXPECT_TRUE(frm->ksiegujEnabled());
    // The encoding listed in last is what the window starts with next time, also in the
    // next run of the program.
    TfrmWczytajWplaty nastepny(*ks);
    nastepny.Reset();
    EXPECT_EQ(nastepny.Kodowanie(), TKodowanie::kdWin_1250);
}

// Another path, typed or picked, empties the list of the file before: "Księguj" never books a
// file other than the one the window names.
TEST_F(PaymentWindow, AnotherFileEmptiesTheListAndDisablesBooking) {
    const QString a = file("a.sta", ingStatement({{'C', "1,00", B, "Nowy", "t"}}));
    const QString b = file("b.sta", ingStatement({{'C', "2,00", C, "Inny", "t"}}, "C2"));
    for (const QString& inna : {b, a + " ", QString()}) {
        list(a);
        ASSERT_EQ(frm->lista().rowCount(), 1);
        ASSERT_TRUE(frm->ksiegujEnabled());
        frm->setNazwaPliku(inna);
        EXPECT_EQ(frm->lista().rowCount(), 0) << inna.toStdString();
        EXPECT_FALSE(frm->ksiegujEnabled());
        EXPECT_EQ(frm->wyciag(), nullptr);
        frm->KsiegujBtnClick(); // nothing to book, nothing asked
        EXPECT_TRUE(messages->messages().empty());
        EXPECT_EQ(count("FROM TRANS"), 0);
    }
}

// A Windows-1250 file read as UTF-8: the user is told what to choose, nothing is listed.
TEST_F(PaymentWindow, NotUtf8GivesTheHint) {
    const QString path = database->folder() + "/w.sta";
    QFile g(path);
    ASSERT_TRUE(g.open(QIODevice::WriteOnly));
    QByteArray bytes = ingStatement({{'C', "1,00", B, "Xrodlo", "t"}}).toLatin1();
    bytes.replace("Xrodlo", "\x8F"
                            "r"
                            "\xF3"
                            "d"
                            "\xB3"
                            "o"); // "Źródło" in Windows-1250
    g.write(bytes);
    g.close();
    frm->setKodowanie(TKodowanie::kdUTF_8); // chosen by the user: obeyed
    list(path);
    EXPECT_EQ(messages->texts(),
              QStringList({"Plik nie jest zapisany w UTF-8. Wybierz kodowanie Windows-1250 lub "
                           "CP-852."}));
    EXPECT_EQ(frm->lista().rowCount(), 0);
    EXPECT_FALSE(frm->ksiegujEnabled());
    frm->setKodowanie(TKodowanie::kdWin_1250);
    list(path);
    EXPECT_TRUE(messages->texts().isEmpty());
    ASSERT_EQ(frm->lista().rowCount(), 1);
    EXPECT_EQ(frm->lista().rows()[0].Nazwa, "Źródło");
}

// A file of several statements lists the credits of those not read before and books them.
TEST_F(PaymentWindow, SeveralStatementsListedAndCounted) {
    const QString path = QStringLiteral(BREVANT_FIXTURES "/statement/ing_multi.sta");
    exec("INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA) VALUES "
         "(1000000, '79105010120000000012345678', 'C230228PLN1000,00')");
    list(path);
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Info);
    EXPECT_TRUE(messages->messages()[0].text.contains("nr 45/1"));
    EXPECT_EQ(frm->lista().rowCount(), 2);
    messages->clear();
    messages->answer(true);
    frm->KsiegujBtnClick();
    const QStringList rap = frm->RapOgolny();
    EXPECT_EQ(rap.filter(QRegularExpression("^Zaksięgowano wpłat: 2 na kwotę \\d")).size(), 1);
    EXPECT_TRUE(rap.contains("Dopisano kontrahentów: 2"));
    EXPECT_TRUE(rap.contains("Zarejestrowano wyciągów: 2"));
    EXPECT_EQ(messages->texts().last(), "Zakończono księgowanie wpłat.");
    EXPECT_EQ(count("FROM WYCIAG"), 3);
    EXPECT_FALSE(frm->trwa());
}

// Every credit is listed, so the user sees all the money that came; those that booking will
// leave are marked with the reason and counted apart.
TEST_F(PaymentWindow, ListShowsEveryCreditAndMarksThoseNotBooked) {
    QString longName(100, u'N');
    list(file("a.sta", ingStatement({
                           {'C', "1001,00", B, longName, "t1"},
                           {'D', "2,00", C, "Debet", "t2"},
                           {'C', "3,00", "", "Bez konta", "t3"},
                           {'C', "4,00", "12345", "Krótkie", "t4"},
                       })));
    ASSERT_EQ(frm->lista().rowCount(), 3);
    const auto& row = frm->lista().rows()[0];
    EXPECT_EQ(row.Konto, "27 1140 2004 0000 3002 0135 5387");
    EXPECT_EQ(row.Nazwa.size(), 80);
    EXPECT_EQ(row.Data, Date(2023, 3, 1));
    EXPECT_FALSE(row.Bank.isEmpty());
    EXPECT_TRUE(row.Pominieta.isEmpty());
    EXPECT_EQ(frm->lista().rows()[1].Pominieta, "brak rachunku płatnika");
    EXPECT_EQ(frm->lista().rows()[2].Pominieta, "rachunek płatnika krótszy niż 12 znaków");
    EXPECT_EQ(frm->lista().index(1, 3).data().toString(), "(brak rachunku)");
    EXPECT_EQ(frm->lista().podsumowanie(),
              P("Wpłat do zaksięgowania: 1 na kwotę 1~001,00~zł; nie zostaną zaksięgowane (bez "
                "rozpoznawalnego rachunku płatnika): 2 na kwotę 7,00~zł"));
    EXPECT_TRUE(frm->ksiegujEnabled());
    EXPECT_TRUE(messages->messages().empty());

    // Nothing that can be booked: said, and "Księguj" stays off.
    list(file("b.sta", ingStatement({{'C', "3,00", "", "Bez konta", "t3"}})));
    EXPECT_EQ(frm->lista().rowCount(), 1);
    EXPECT_FALSE(frm->ksiegujEnabled());
    ASSERT_EQ(messages->messages().size(), 1u);
    EXPECT_EQ(messages->messages()[0].kind, komun::Kind::Uwaga);
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
    EXPECT_EQ(messages->messages()[1].kind, komun::Kind::Info); // success informs
    EXPECT_TRUE(frm->FZaksiegowano);
    EXPECT_FALSE(frm->ksiegujEnabled());
    EXPECT_TRUE(frm->raportVisible());
    EXPECT_TRUE(frm->nowyKlientVisible());
    EXPECT_EQ(frm->currentTabText(), "Niezidentyfikowane należności");
    // The pane shows the blanks of the amounts as plain blanks.
    EXPECT_EQ(frm->RapNowyKlient(),
              QStringList({"Nowy Płatnik", "    01.03.2023 | 1,00 | t", "",
                           "Razem od niezidentyfikowanych płatników: wpłat 1 na kwotę 1,00 zł"}));
    EXPECT_EQ(count("FROM TRANS"), 1);
    EXPECT_EQ(frm->podsumowanieListy(), P("Zaksięgowano wpłat: 1 na kwotę 1,00~zł; pominięto: 0"));

    list(path);
    EXPECT_EQ(messages->texts(),
              QStringList({"Dane z tego wyciągu bankowego zostały już wczytane."}));
    EXPECT_FALSE(frm->ksiegujEnabled());

    frm->Reset(); // what the next opening starts with
    EXPECT_FALSE(frm->FZaksiegowano);
    EXPECT_FALSE(frm->raportVisible());
    EXPECT_EQ(frm->lista().rowCount(), 0);
    EXPECT_EQ(frm->Kodowanie(), TKodowanie::kdWykryj);
}

// A statement of no bank's own layout names its general layout once.
TEST_F(PaymentWindow, GeneralLayoutNamedOnce) {
    list(file("o.sta", ":20:MB\r\n:25:/PL27114020040000300201355387\r\n:28C:7/1\r\n"
                       ":60F:C240301PLN0,00\r\n:61:240301C10,00NTRFNONREF\r\n"
                       ":86:~20FV 1~32ALFA~3861109010140000071219812874\r\n"
                       ":62F:C240301PLN10,00\r\n"));
    EXPECT_TRUE(frm->opisPliku().contains(QString::fromUtf8("waluta PLN · układ ogólny ~")))
        << frm->opisPliku().toStdString();
}

// Left to the reader, the encoding is found and shown with each statement's layout and
// currency; a statement in euro is listed and not booked, and the report names its credits.
TEST_F(PaymentWindow, ForeignCurrencyListedNotBooked) {
    list(QStringLiteral(BREVANT_FIXTURES "/statement/mbank_pln_eur.sta"));
    EXPECT_TRUE(messages->texts().isEmpty()) << messages->texts().join('|').toStdString();
    const QString opis = frm->opisPliku();
    EXPECT_TRUE(opis.contains("Kodowanie: ISO-8859-2 (wykryte)")) << opis.toStdString();
    EXPECT_TRUE(opis.contains("waluta PLN · układ mBank")) << opis.toStdString();
    EXPECT_TRUE(opis.contains("waluta EUR · układ mBank · nie będzie księgowany"));
    ASSERT_EQ(frm->lista().rowCount(), 2);
    EXPECT_EQ(frm->lista().rows()[0].Waluta, "PLN");
    EXPECT_TRUE(frm->lista().rows()[0].DoKsiegowania);
    EXPECT_EQ(frm->lista().rows()[1].Waluta, "EUR");
    EXPECT_FALSE(frm->lista().rows()[1].DoKsiegowania);
    EXPECT_EQ(frm->lista().rows()[0].Nazwa,
              "ŚWIĘTOKRZYSKA FIRMA HANDLOWA SP. Z O.O. UL. KIELECKA 5 25-001 KIELCE");
    ASSERT_TRUE(frm->ksiegujEnabled());
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(count("FROM TRANS"), 1);
    EXPECT_EQ(scalar("SELECT CAST(ZAPLACONO AS VARCHAR(20)) FROM TRANS").toString(), "1500.00");
    EXPECT_EQ(count("FROM WYCIAG"), 2);
    const QStringList rap = frm->RapOgolny();
    EXPECT_TRUE(rap.contains("[Pominięto wyciąg w walucie EUR] - nr 00003/1 | "
                             "35114020040000310201355388 | C240305EUR100,00"))
        << rap.join('\n').toStdString();
    EXPECT_TRUE(rap.filter("[Pominięto wpłatę: wyciąg w walucie EUR] - 06.03.2024 | 250,00 | " +
                           FormatKonto("89124010371111000022223333") +
                           " | ZAGRANICZNY KLIENT GMBH | INVOICE 42")
                    .size() == 1)
        << rap.join('\n').toStdString();
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

// A long booking lets the window's events run to move its progress bar; meanwhile nothing
// else can start, and closing the window waits for the run's end.
TEST_F(PaymentWindow, BookingKeepsTheWindowAliveAndBlocked) {
    std::vector<TxSpec> txs;
    for (int i = 0; i < 50; ++i)
        txs.push_back({'C', "1,00", B, "Nowy", QString("t%1").arg(i)});
    list(file("a.sta", ingStatement(txs)));
    bool wTrakcie = false;
    bool ksiegujWTrakcie = true;
    QTimer::singleShot(0, frm.get(), [&] {
        wTrakcie = frm->trwa();
        ksiegujWTrakcie = frm->ksiegujEnabled();
        frm->reject();          // ignored while the run goes on
        frm->WczytajBtnClick(); // ignored too
    });
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_TRUE(wTrakcie);
    EXPECT_FALSE(ksiegujWTrakcie);
    EXPECT_FALSE(frm->trwa());
    EXPECT_EQ(count("FROM TRANS"), 50);
    EXPECT_EQ(frm->lista().rowCount(), 50);
    EXPECT_EQ(frm->result(), 0); // not closed
}

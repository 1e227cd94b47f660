#include "JpkPlik.h"
#include "JpkReader.h"
#include "TestDatabase.h"
#include "TestHttpsServer.h"
#include "WczytajKlienci.h"
#include "WhiteListAnswers.h"
#include "frmWczytajKlienci.h"
#include "uWhiteListFrm.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QTableView>

#include <gtest/gtest.h>

namespace A = WhiteListAnswers;
using Odp = TestHttpsServer::Odpowiedz;
using F = JpkPlik::Faktura;

namespace {
const QString BrakPozycji = "Brak pozycji do wczytania.\rWszyscy kontrahenci znajdujący się "
                            "\rw pliku JPK są już w wykazie.";
const QString Zakonczono = "Zakończono dopisywanie kontrahentów.";

QString nip(int i) {
    return QStringLiteral("10000%1").arg(i, 5, 10, QLatin1Char('0'));
}
QString kontoDla(const QString& nip) {
    return QStringLiteral("6110901014") + nip + QStringLiteral("000000");
}
} // namespace

class WczytajKlienciTest : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        server = std::make_unique<TestHttpsServer>();
        wl.setAdres(server->adres());
        wl.klient().dodajZaufaneCA(TestCertificates::get().ca());
        // Each number's own account, for every search; the single search answers too.
        server->setHandler([](const TestHttpsServer::Zapytanie& z) {
            const QString cel = QString::fromLatin1(z.cel);
            if (cel.startsWith("/api/search/nips/")) {
                const QStringList nipy = cel.mid(17).section('?', 0, 0).split(',');
                return Odp{
                    200, A::wiele(nipy, [](const QString& n) { return QStringList{kontoDla(n)}; })};
            }
            const QString n = cel.mid(16).section('?', 0, 0);
            return Odp{200,
                       A::subject("FIRMA", n.toLatin1(), "\"" + kontoDla(n).toLatin1() + "\"")};
        });
    }
    void TearDown() override {
        server.reset();
        DbTest::TearDown();
    }
    std::vector<NowyKlient> lista(const QString& path) {
        std::vector<NowyKlient> rows;
        ListaNowychKlientow(
            JpkDocument::open(path), [this](const QString& n) { return data->jestKlient(n); },
            [&rows](const NowyKlient& k) { rows.push_back(k); });
        return rows;
    }

    QTemporaryDir dir;
    std::unique_ptr<TestHttpsServer> server;
    TWhiteListFrm wl;
};

TEST_F(WczytajKlienciTest, ListHasEachNewBuyerOnceNamedAfterTheFirstInvoice) {
    addKlient(1, "ZNANY", "DE", "5260250274");
    std::vector<F> faktury;
    for (int i = 0; i < 10; ++i)
        faktury.push_back({QStringLiteral("NOWY %1").arg(i), QStringLiteral("ADRES %1").arg(i),
                           "PL", "7740001454"});
    faktury.push_back({"ZNANY POD PL", "X", "PL", "5260250274"}); // known under DE
    faktury.push_back({"BEZ NUMERU 1", "A", "", ""});
    faktury.push_back({"BEZ NUMERU 2", "B", "", ""});
    faktury.push_back({QString(120, 'N'), QString(100, 'A'), "PL", "5250001009"});
    const auto rows = lista(JpkPlik::zapisz(dir, "a.xml", faktury));
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0], (NowyKlient{"7740001454", "NOWY 0", "ADRES 0", "PL"}));
    EXPECT_EQ(rows[1], (NowyKlient{"", "BEZ NUMERU 1", "A", ""}));
    EXPECT_EQ(rows[2].Nazwa, QString(80, 'N'));
    EXPECT_EQ(rows[2].Adres, QString(80, 'A'));
}

TEST_F(WczytajKlienciTest, JpkVatIsRefusedAndOtherFormCodesAreRead) {
    const std::vector<F> one = {{"NOWY", "A", "PL", "7740001454"}};
    try {
        lista(JpkPlik::zapisz(dir, "vat.xml", one, "JPK_VAT"));
        FAIL() << "JPK_VAT read";
    } catch (const JpkRefused& e) {
        EXPECT_EQ(e.message(),
                  "Nie można wczytać danych z pliku JPK_VAT.\rWymagany jest plik JPK_FA.");
    }
    EXPECT_EQ(lista(JpkPlik::zapisz(dir, "inny.xml", one, "JPK_FAKTURA")).size(), 1u);
    EXPECT_EQ(lista(JpkPlik::zapisz(dir, "pusty.xml", one, "")).size(), 1u);
    EXPECT_EQ(lista(QStringLiteral(BREVANT_FIXTURES "/invoices/jpk_bez_naglowka.xml")).size(), 1u);
}

TEST_F(WczytajKlienciTest, RunAddsNumberedBuyersOnlyAndStoresApostrophesAsTheyAre) {
    const std::vector<NowyKlient> rows = {
        {" 7740001454 ", "O'Brien i 'Syn' – Łódź", "ul. D'Arc 1", " PL"},
        {"", "BEZ NUMERU", "", ""}};
    DopisywanieKlientow run(data->conn, nullptr);
    const WynikDopisywania w = run.run(rows);
    EXPECT_EQ(w.dodani, 1);
    EXPECT_EQ(w.ostatniNip, "");
    EXPECT_EQ(count("FROM KLIENT"), 1);
    EXPECT_EQ(scalar("SELECT NAZWA FROM KLIENT WHERE NR_NIP = '7740001454'").toString(),
              "O'Brien i 'Syn' – Łódź");
    EXPECT_EQ(scalar("SELECT ADRES FROM KLIENT").toString(), "ul. D'Arc 1");
    EXPECT_EQ(scalar("SELECT KR_NIP FROM KLIENT").toString(), "PL");
    EXPECT_EQ(count("FROM SALDA"), 1);
    EXPECT_TRUE(server->zapytania.isEmpty());

    // Run again: everything is in the register now.
    EXPECT_EQ(DopisywanieKlientow(data->conn, nullptr).run(rows).dodani, 0);
    EXPECT_EQ(count("FROM KLIENT"), 1);
}

TEST_F(WczytajKlienciTest, SixtyFiveNumbersAreFetchedInThreeSearches) {
    std::vector<NowyKlient> rows;
    for (int i = 0; i < 65; ++i)
        rows.push_back({nip(i), QStringLiteral("FIRMA %1").arg(i), "", "PL"});
    // One account is another contractor's already: it is not added twice.
    addKlient(1, "STARY", "PL", "9999999999");
    addKonto(2, 1, "PL", kontoDla(nip(7)));
    std::vector<std::pair<int, int>> postep;
    DopisywanieKlientow run(data->conn, &wl,
                            [&postep](int done, int n) { postep.emplace_back(done, n); });
    const WynikDopisywania w = run.run(rows);
    EXPECT_EQ(w.dodani, 65);
    EXPECT_EQ(w.konta, 64);
    EXPECT_FALSE(w.limit);
    ASSERT_EQ(server->zapytania.size(), 3);
    EXPECT_EQ(QString::fromLatin1(server->zapytania[0].cel).section('?', 0, 0).split(',').size(),
              30);
    EXPECT_EQ(QString::fromLatin1(server->zapytania[1].cel).section('?', 0, 0).split(',').size(),
              30);
    EXPECT_EQ(QString::fromLatin1(server->zapytania[2].cel).section('?', 0, 0).split(',').size(),
              5);
    EXPECT_TRUE(server->zapytania[0].cel.startsWith("/api/search/nips/" + nip(0).toLatin1() + ","));
    EXPECT_EQ(count("FROM KLIENT"), 66);
    EXPECT_EQ(count("FROM KONTO K JOIN KLIENT C ON C.KLIENTID = K.KLIENTID "
                    "WHERE K.NR_KONTO = '" +
                    kontoDla(nip(64)) + "' AND C.NR_NIP = '" + nip(64) + "'"),
              1);
    ASSERT_FALSE(postep.empty());
    EXPECT_EQ(postep.back(), std::make_pair(65, 65));
}

TEST_F(WczytajKlienciTest, DailyLimitEndsTheRunKeepingWhatWasAddedWithItsAccounts) {
    std::vector<NowyKlient> rows;
    for (int i = 0; i < 40; ++i)
        rows.push_back({nip(i), QStringLiteral("FIRMA %1").arg(i), "", "PL"});
    int searches = 0;
    server->setHandler([&searches](const TestHttpsServer::Zapytanie& z) {
        if (++searches > 1)
            return Odp{429, A::limit};
        const QStringList nipy = QString::fromLatin1(z.cel).mid(17).section('?', 0, 0).split(',');
        return Odp{200, A::wiele(nipy, [](const QString& n) { return QStringList{kontoDla(n)}; })};
    });
    const WynikDopisywania w = DopisywanieKlientow(data->conn, &wl).run(rows);
    EXPECT_TRUE(w.limit);
    EXPECT_EQ(w.dodani, 30);
    EXPECT_EQ(count("FROM KLIENT"), 30);
    EXPECT_EQ(count("FROM KONTO"), 30);
    EXPECT_TRUE(KomunikatLimitu(30).contains("dzienny limit"));
}

TEST_F(WczytajKlienciTest, RefusedSearchIsAskedNumberByNumberAndFailuresLeaveNoAccounts) {
    const std::vector<NowyKlient> rows = {
        {nip(1), "A", "", "PL"}, {"12/34", "B", "", "PL"}, {nip(3), "C", "", "PL"}};
    server->setHandler([](const TestHttpsServer::Zapytanie& z) {
        const QString cel = QString::fromLatin1(z.cel);
        if (cel.startsWith("/api/search/nips/") || cel.contains("%2F"))
            return Odp{400, A::bladWL113};
        const QString n = cel.mid(16).section('?', 0, 0);
        return Odp{200, A::subject("FIRMA", n.toLatin1(), "\"" + kontoDla(n).toLatin1() + "\"")};
    });
    const WynikDopisywania w = DopisywanieKlientow(data->conn, &wl).run(rows);
    EXPECT_EQ(w.dodani, 3);
    EXPECT_EQ(w.konta, 2);
    EXPECT_EQ(server->zapytania.size(), 4);
    EXPECT_EQ(
        count("FROM KONTO K JOIN KLIENT C ON C.KLIENTID = K.KLIENTID WHERE C.NR_NIP = '12/34'"), 0);
}

TEST_F(WczytajKlienciTest, StopEndsAfterTheCurrentContractor) {
    std::vector<NowyKlient> rows;
    for (int i = 0; i < 10; ++i)
        rows.push_back({nip(i), QStringLiteral("FIRMA %1").arg(i), "", "PL"});
    int asked = 0;
    const WynikDopisywania w =
        DopisywanieKlientow(data->conn, &wl, {}, [&asked] { return ++asked >= 3; }).run(rows);
    EXPECT_TRUE(w.przerwano);
    EXPECT_EQ(w.dodani, 3);
    EXPECT_EQ(count("FROM KLIENT"), 3);
    EXPECT_EQ(count("FROM KONTO"), 3);
}

// The window, as the user drives it.
class WczytajKlienciFrmTest : public WczytajKlienciTest {
protected:
    void SetUp() override {
        WczytajKlienciTest::SetUp();
        frm = std::make_unique<TWczytajKlienciFrm>(*data, wl);
        ASSERT_TRUE(data->OtworzKlient());
    }
    void TearDown() override {
        frm.reset();
        WczytajKlienciTest::TearDown();
    }
    void utworz(const QString& path) {
        frm->PlikEd->setText(path);
        frm->Button1Click();
    }
    std::unique_ptr<TWczytajKlienciFrm> frm;
};

TEST_F(WczytajKlienciFrmTest, FileChecksAndEmptyList) {
    utworz("");
    utworz(dir.filePath("brak.xml"));
    utworz(JpkPlik::zapisz(dir, "vat.xml", {{"N", "A", "PL", "7740001454"}}, "JPK_VAT"));
    addKlient(1, "ZNANY", "PL", "7740001454");
    utworz(JpkPlik::zapisz(dir, "znani.xml", {{"N", "A", "PL", "7740001454"}}));
    EXPECT_EQ(messages->texts(),
              QStringList({"Nazwa pliku JPK_FAKTURA nie podana.",
                           "Plik: " + dir.filePath("brak.xml") + " - nie istnieje.",
                           "Nie można wczytać danych z pliku JPK_VAT.\rWymagany jest plik JPK_FA.",
                           BrakPozycji}));
    EXPECT_FALSE(frm->KsiegujBtn->isEnabled());
}

TEST_F(WczytajKlienciFrmTest, BoxClearedAddsWithoutAnyRequest) {
    utworz(JpkPlik::zapisz(dir, "a.xml",
                           {{"PIERWSZY", "A", "PL", nip(1)}, {"DRUGI", "B", "PL", nip(2)}}));
    EXPECT_EQ(frm->FaktTbl().rowCount(), 2);
    ASSERT_TRUE(frm->KsiegujBtn->isEnabled());
    frm->PobierzNRB->setChecked(false);
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(messages->texts(), QStringList({"Dopisać kontrahentów do wykazu?", Zakonczono}));
    EXPECT_TRUE(server->zapytania.isEmpty());
    EXPECT_EQ(count("FROM KLIENT"), 2);
    EXPECT_EQ(count("FROM KONTO"), 0);
    ASSERT_NE(data->Klient.current(), nullptr);
    EXPECT_EQ(data->Klient.field("NR_NIP").toString(), nip(2)); // the last list row
    EXPECT_TRUE(frm->KsiegujBtn->isEnabled());
    EXPECT_FALSE(frm->FBylaModyfikacja);
}

TEST_F(WczytajKlienciFrmTest, TickedBoxFetchesWhileShowingProgressAndStop) {
    utworz(JpkPlik::zapisz(dir, "a.xml",
                           {{"PIERWSZY", "A", "PL", nip(1)}, {"DRUGI", "B", "PL", nip(2)}}));
    bool widac = false;
    server->setHandler([&](const TestHttpsServer::Zapytanie& z) {
        widac = frm->trwa() && frm->Gauge->isVisibleTo(frm.get()) &&
                frm->PrzerwijBtn->isVisibleTo(frm.get()) && frm->PrzerwijBtn->isEnabled() &&
                !frm->ZamknijBtn->isEnabled();
        const QStringList nipy = QString::fromLatin1(z.cel).mid(17).section('?', 0, 0).split(',');
        return Odp{200, A::wiele(nipy, [](const QString& n) { return QStringList{kontoDla(n)}; })};
    });
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_TRUE(widac);
    EXPECT_EQ(server->zapytania.size(), 1);
    EXPECT_EQ(count("FROM KONTO"), 2);
    EXPECT_FALSE(frm->Gauge->isVisibleTo(frm.get()));
    EXPECT_EQ(messages->texts().last(), Zakonczono);
}

TEST_F(WczytajKlienciFrmTest, DailyLimitIsToldInPolish) {
    utworz(JpkPlik::zapisz(dir, "a.xml", {{"PIERWSZY", "A", "PL", nip(1)}}));
    server->setHandler([](const TestHttpsServer::Zapytanie&) { return Odp{429, A::limit}; });
    messages->answer(true);
    frm->KsiegujBtnClick();
    ASSERT_EQ(messages->texts().size(), 3);
    EXPECT_EQ(messages->texts()[1], KomunikatLimitu(0));
    EXPECT_EQ(count("FROM KLIENT"), 0);
}

TEST_F(WczytajKlienciFrmTest, AnsweringNoAddsNothing) {
    utworz(JpkPlik::zapisz(dir, "a.xml", {{"PIERWSZY", "A", "PL", nip(1)}}));
    messages->answer(false);
    frm->KsiegujBtnClick();
    EXPECT_EQ(count("FROM KLIENT"), 0);
    EXPECT_TRUE(server->zapytania.isEmpty());
}

// A white list answering 503: the contractors are added, each named with the reason, the
// window says it, and "Pobierz brakujące rachunki" fetches their accounts once it answers.
TEST_F(WczytajKlienciFrmTest, FailedSearchesAreNamedAndTheAccountsFetchedLater) {
    addKlient(900001, "MA KONTO", "PL", nip(9));
    addKonto(900002, 900001, "PL", kontoDla(nip(9)));
    addKlient(900003, "ZAGRANICZNY", "DE", "123456789");
    utworz(JpkPlik::zapisz(dir, "a.xml",
                           {{"PIERWSZY", "A", "PL", nip(1)}, {"DRUGI", "B", "PL", nip(2)}}));
    const TestHttpsServer::Handler odpowiada = [](const TestHttpsServer::Zapytanie& z) {
        const QStringList nipy = QString::fromLatin1(z.cel).mid(17).section('?', 0, 0).split(',');
        return Odp{200, A::wiele(nipy, [](const QString& n) { return QStringList{kontoDla(n)}; })};
    };
    server->setHandler([](const TestHttpsServer::Zapytanie&) {
        return Odp{503, "Service Unavailable"};
    });
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(count("FROM KLIENT"), 4);
    EXPECT_EQ(count("FROM KONTO"), 1);
    ASSERT_EQ(messages->texts().size(), 3);
    EXPECT_EQ(messages->texts()[1], KomunikatNieudanych(2));
    const QString raport = frm->Rap->toPlainText();
    EXPECT_TRUE(frm->raportWidoczny());
    EXPECT_TRUE(
        raport.contains(QString::fromUtf8("[Dopisano bez rachunków: nie pobrano z białej listy: ")))
        << raport.toStdString();
    EXPECT_TRUE(raport.contains("503")) << raport.toStdString();
    EXPECT_TRUE(raport.contains(nip(1) + " | PIERWSZY"));
    EXPECT_TRUE(raport.contains(QString::fromUtf8("nie udało się pobrać rachunków: 2.")));

    // later: only the contractors without any account are asked about
    server->zapytania.clear();
    server->setHandler(odpowiada);
    messages->clear();
    messages->answer(true);
    frm->BrakujaceBtnClick();
    ASSERT_EQ(server->zapytania.size(), 1);
    EXPECT_TRUE(server->zapytania[0].cel.startsWith(
        ("/api/search/nips/" + nip(2) + "," + nip(1) + "?date=").toLatin1()))
        << server->zapytania[0].cel.constData();
    EXPECT_EQ(count("FROM KONTO"), 3);
    EXPECT_EQ(messages->texts().last(),
              QString::fromUtf8("Sprawdzono kontrahentów: 2; dodano rachunków: 2; bez rachunków w "
                                "wykazie: 0; nie udało się pobrać: 0."));
}

// A buyer whose tax number is longer than the register holds, or whose name is no plain
// text, is named and passed over; the others are added.
TEST_F(WczytajKlienciFrmTest, BadBuyerIsNamedAndTheRunGoesOn) {
    const QString path = dir.filePath("zle.xml");
    QFile out(path);
    ASSERT_TRUE(out.open(QIODevice::WriteOnly));
    out.write("<JPK><Naglowek><KodFormularza>JPK_FA</KodFormularza></Naglowek>"
              "<Faktura><P_3A>ZA DŁUGI</P_3A><P_5A>PL</P_5A><P_5B>599-000-00-27</P_5B></Faktura>"
              "<Faktura><P_3A>ZŁA <b>NAZWA</b></P_3A><P_5B>7740001454</P_5B></Faktura>"
              "<Faktura><P_3A>DOBRY</P_3A><P_5A>PL</P_5A><P_5B>5260250274</P_5B></Faktura>"
              "</JPK>");
    out.close();
    utworz(path);
    ASSERT_EQ(frm->FaktTbl().rowCount(), 1);
    EXPECT_TRUE(messages->texts().isEmpty()) << messages->texts().join('|').toStdString();
    EXPECT_TRUE(frm->raportWidoczny());
    const QStringList raport = frm->Rap->toPlainText().split('\n');
    ASSERT_EQ(raport.size(), 2);
    EXPECT_EQ(raport[0],
              QString::fromUtf8("[Pominięto: NIP dłuższy niż 12 znaków] - PL 599-000-00-27 | ZA "
                                "DŁUGI"));
    EXPECT_TRUE(raport[1].startsWith(QString::fromUtf8("[Pominięto fakturę 2 w pliku (wiersz 1)]")))
        << raport[1].toStdString();

    frm->PobierzNRB->setChecked(false);
    messages->answer(true);
    frm->KsiegujBtnClick();
    EXPECT_EQ(count("FROM KLIENT"), 1);
    EXPECT_EQ(messages->texts().last(), Zakonczono);
    // the listing's lines stay in the report, followed by the run's
    EXPECT_TRUE(frm->Rap->toPlainText().startsWith(raport[0]));
    EXPECT_TRUE(frm->Rap->toPlainText().contains("[Dopisano] - 5260250274 | DOBRY"));
}

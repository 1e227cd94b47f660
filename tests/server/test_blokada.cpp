// Two workstations through the server: nobody waits without end for another's booking, and
// no lock is held while a person decides.
#include "BlokadaKsiegowania.h"
#include "Globals.h"
#include "JpkPlik.h"
#include "KsiegowanieFaktur.h"
#include "SerwerTest.h"
#include "StatementBuilder.h"
#include "TestPrinters.h"
#include "ZrodloFaktur.h"
#include "fdm.h"
#include "fks.h"
#include "fmWczytajWplaty.h"
#include "frmPoprawaNazw.h"
#include "komun.h"

#include <QLineEdit>
#include <QPushButton>

#include <gtest/gtest.h>

using namespace serwer;

namespace {

// Holds the booking lock the way another workstation's booking run does.
class InneStanowisko {
public:
    explicit InneStanowisko(const QString& db) : att_(server(db)), tr_(att_) {}
    void ksieguje() { ZajmijBlokade(tr_); }
    void konczy() { tr_.commit(); }
    db::Attachment& polaczenie() { return att_; }

private:
    db::Attachment att_;
    db::Transaction tr_;
};

} // namespace

class Blokada : public Server {
protected:
    void SetUp() override {
        Server::SetUp();
        if (IsSkipped())
            return;
        UstawCzasOczekiwaniaNaBlokade(2);
    }
    void TearDown() override {
        UstawCzasOczekiwaniaNaBlokade(30);
        Server::TearDown();
    }
    const QStringList krotko{"BREVANT_LOCK_TIMEOUT=2"};
};

// The command line waits at most the limit, then exits 2 with the message; nothing is written.
TEST_F(Blokada, CommandsGiveUpAfterTheLimitWithExit2) {
    const QString file = folder.local("wyciag.sta");
    writeFile(file, bigStatement(3, "C230228PLN5000,00", 0));
    InneStanowisko inne(db);
    inne.ksieguje();
    const struct {
        QStringList args;
    } polecenia[] = {{{"book-statement", file, "--db", db}},
                     {{"rebook", "1", "2", "--db", db}},
                     {{"unbook-statement", "1", "--db", db}}};
    for (const auto& p : polecenia) {
        const Result r = runCli(p.args, krotko);
        EXPECT_EQ(r.status, 2) << p.args.join(' ').toStdString() << r.err.toStdString();
        EXPECT_TRUE(r.err.contains(QString::fromUtf8("Na innym stanowisku trwa księgowanie")))
            << r.err.toStdString();
    }
    EXPECT_EQ(count(*att, "FROM TRANS"), 0);
    inne.konczy();
    const Result r = runCli({"book-statement", file, "--db", db}, krotko);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(count(*att, "FROM TRANS"), 3);
}

// The window asks "Ponów"/"Anuluj": "Anuluj" books nothing and shows no error; "Ponów" after
// the other workstation finished books.
TEST_F(Blokada, StatementWindowOffersRetryAndCancel) {
    const QString file = folder.local("wyciag.sta");
    writeFile(file, bigStatement(2, "C230228PLN5000,00", 0));
    komun::Recorder messages;
    Tdm data;
    data.connect(db);
    dm = &data;
    Tks ks(data.conn);
    TfrmWczytajWplaty okno(ks);
    okno.Reset();
    okno.setNazwaPliku(file);
    okno.WczytajBtnClick();
    ASSERT_TRUE(okno.ksiegujEnabled()) << messages.texts().join('|').toStdString();

    InneStanowisko inne(db);
    inne.ksieguje();
    messages.answer(true);  // "Zaksięgować wpłaty…?"
    messages.answer(false); // "Anuluj"
    okno.KsiegujBtnClick();
    ASSERT_EQ(messages.messages().size(), 2u) << messages.texts().join('|').toStdString();
    EXPECT_EQ(messages.messages()[1].kind, komun::Kind::Ponow);
    EXPECT_EQ(messages.messages()[1].text, BlokadaZajeta::komunikat());
    EXPECT_EQ(count(*att, "FROM TRANS"), 0);
    EXPECT_TRUE(okno.ksiegujEnabled());
    EXPECT_FALSE(okno.FZaksiegowano);

    // "Ponów" once the other workstation is done
    messages.clear();
    komun::setPresenter([&](komun::Kind kind, const QString&) {
        if (kind == komun::Kind::Ponow)
            inne.konczy();
        return kind == komun::Kind::Zgoda || kind == komun::Kind::Ponow;
    });
    okno.KsiegujBtnClick();
    EXPECT_EQ(count(*att, "FROM TRANS"), 2);
    EXPECT_TRUE(okno.FZaksiegowano);
    dm = nullptr;
}

// The name correction window open with its list on one workstation: another books at once,
// not after the window closes; the correction then writes in one short locked transaction.
TEST_F(Blokada, NameCorrectionOpenElsewhereDoesNotStopBooking) {
    komun::Recorder messages;
    Tdm data;
    data.connect(db);
    data.conn.executeImmediate("INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) VALUES "
                               "(900001, 'Stara nazwa', 'PL', '5260250274')");
    QTemporaryDir dir;
    Tks ks(data.conn);
    TPoprawaNazwFrm okno(ks);
    okno.Resetuj();
    okno.PlikEd->setText(JpkPlik::zapisz(dir, "f.xml", {{"NOWA NAZWA", "A", "PL", "5260250274"}}));
    okno.WczytajBtnClick();
    ASSERT_EQ(okno.FaktTbl().rowCount(), 1);

    const QString file = folder.local("wyciag.sta");
    writeFile(file, bigStatement(2, "C230228PLN5000,00", 0));
    const Result r = runCli({"book-statement", file, "--db", db}, krotko);
    EXPECT_EQ(r.status, 0) << r.err.toStdString();
    EXPECT_EQ(count(*att, "FROM TRANS"), 2);

    messages.answer(true);
    okno.KsiegujBtnClick();
    EXPECT_EQ(scalar(*att, "SELECT NAZWA FROM KLIENT WHERE KLIENTID = 900001"), "NOWA NAZWA");
}

// While the user decides about an unknown buyer, another workstation books a statement and
// adds that very buyer; the invoice then goes to it, and no second contractor appears.
TEST_F(Blokada, InvoiceQuestionOpenElsewhereDoesNotStopBooking) {
    Tdm data;
    data.connect(db);
    Tks ks(data.conn);
    const QString file = folder.local("wyciag.sta");
    writeFile(file, bigStatement(2, "C230228PLN5000,00", 0));
    QTemporaryDir dir;
    const QString nabywcy =
        JpkPlik::zapisz(dir, "nabywcy.xml", {{"NABYWCA", "ul. Polna 1", "PL", "5260250274"}});
    Result wInnym;
    Result dodani;
    KsiegowanieFaktur run(ks, [&](const recFaktura&) {
        wInnym = runCli({"book-statement", file, "--db", db}, krotko);
        dodani = runCli({"add-contractors", nabywcy, "--db", db}, krotko);
        DecyzjaBrakKontrahenta d;
        d.wybor = DecyzjaBrakKontrahenta::Wybor::DopiszNowego;
        d.Nazwa = "NABYWCA";
        return d;
    });
    const auto wynik = run.run(CzytajListeFaktur(nabywcy).faktury, nabywcy);
    EXPECT_EQ(wInnym.status, 0) << wInnym.err.toStdString();
    EXPECT_EQ(dodani.status, 0) << dodani.err.toStdString();
    EXPECT_EQ(count(*att, "FROM KLIENT WHERE NR_NIP = '5260250274'"), 1);
    EXPECT_EQ(wynik.zaksiegowane, 1);
    EXPECT_EQ(count(*att, "FROM TRANS WHERE ZRODLO = 'W'"), 2);
    expectBalancesMatchLedger();
}

// An import undone from two workstations at once is undone once; the other is told.
TEST_F(Blokada, OneImportUndoneFromTwoWorkstationsAtOnce) {
    const QString file = folder.local("wyciag.sta");
    writeFile(file, bigStatement(500, "C230228PLN5000,00", 0));
    ASSERT_EQ(runCli({"book-statement", file, "--db", db}).status, 0);
    const QString nr = scalar(*att, "SELECT WPISID FROM WYCIAG");
    Cli a({"unbook-statement", nr, "--db", db});
    Cli b({"unbook-statement", nr, "--db", db});
    const Result ra = a.finish();
    const Result rb = b.finish();
    const std::vector<int> statuses{ra.status, rb.status};
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 0), 1);
    EXPECT_EQ(std::count(statuses.begin(), statuses.end(), 2), 1);
    EXPECT_TRUE((ra.status == 2 ? ra.err : rb.err).contains(QString::fromUtf8("już cofnięty")));
    EXPECT_EQ(count(*att, "FROM TRANS"), 0);
    EXPECT_EQ(count(*att, "FROM WYCIAG"), 0);
    expectBalancesMatchLedger();
}

#include "Cli.h"
#include "Commands.h"
#include "PrintPdf.h"
#include "TestDatabase.h"

#include "../report/PdfTekst.h"

#include <QFile>
#include <QProcess>

#include <gtest/gtest.h>

namespace {
int run(int (*command)(cli::Args), const QStringList& args) {
    testing::internal::CaptureStdout();
    int status = -1;
    try {
        status = command(cli::Args(args));
    } catch (...) {
        testing::internal::GetCapturedStdout();
        throw;
    }
    testing::internal::GetCapturedStdout();
    return status;
}
} // namespace

class CliPrint : public DbTest {
protected:
    void SetUp() override {
        DbTest::SetUp();
        addKlient(1, QStringLiteral("Źródło Łęcka"));
        addKlient(2, QStringLiteral("Gęślą Jaźń; S.A."));
        addKlient(3, QStringLiteral("Ala"));
        addTrans(10, 1, "NULL", "1500000.00"); // a payment entered by hand
        addTrans(11, 1, "2001234.56", "NULL"); // an amount due entered by hand
        addTrans(12, 2, "999.99", "NULL");
        exec("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, ZAPLACONO, OPIS_TR) "
             "VALUES (13, 3, 'W', '2026-12-01', 250.50, 'przelew')");
        exec(QStringLiteral("UPDATE TRANS SET OPIS_TR = 'Wpłata gotówką' WHERE WPISID = 10"));
    }
    QString out(const char* name) const { return database->folder() + u'/' + name; }
    QString db() const { return database->path(); }
};

TEST_F(CliPrint, ListsToCsvAsTheTabsShowThem) {
    EXPECT_EQ(run(cli::print, {"debtors", "--csv", out("d.csv"), "--db", db()}), cli::ExitOk);
    EXPECT_EQ(run(cli::print, {"overpayments", "--csv", out("o.csv"), "--db", db()}), cli::ExitOk);
    QFile d(out("d.csv")), o(out("o.csv"));
    ASSERT_TRUE(d.open(QIODevice::ReadOnly));
    ASSERT_TRUE(o.open(QIODevice::ReadOnly));
    const QByteArray bom("\xEF\xBB\xBF");
    EXPECT_EQ(d.readAll(), bom + QStringLiteral("Kontrahent;Należność\r\n"
                                                "\"Gęślą Jaźń; S.A.\";999,99\r\n"
                                                "Źródło Łęcka;501234,56\r\n")
                                     .toUtf8());
    EXPECT_EQ(o.readAll(), bom + QStringLiteral("Kontrahent;Nadpłata\r\nAla;250,50\r\n").toUtf8());
    EXPECT_THROW(run(cli::print, {"receipt", "10", "--csv", out("x.csv"), "--db", db()}),
                 cli::UsageError);
    EXPECT_THROW(run(cli::print, {"debtors", "--db", db()}), cli::UsageError);
    EXPECT_THROW(run(cli::print, {"others", "--csv", out("x.csv"), "--db", db()}), cli::UsageError);
}

TEST_F(CliPrint, ReceiptOnlyForAPaymentEnteredByHand) {
    EXPECT_EQ(run(cli::printPdf, {"receipt", "10", "--pdf", out("r.pdf"), "--db", db()}),
              cli::ExitOk);
    const TekstPdf t = TekstPdf::czytaj(out("r.pdf"));
    EXPECT_EQ(t.znajdz("Źródło Łęcka").size(), 2u);
    EXPECT_EQ(t.znajdz("Wpłata gotówką").size(), 2u);
    EXPECT_EQ(t.znajdz("1 500 000,00").size(), 2u);
    EXPECT_EQ(t.znajdz("Słownie: jeden milion pięćset tysięcy złotych").size(), 2u);

    // Words longer than the receipt query's 200-character field come whole.
    addTrans(14, 3, "NULL", "777777777777777.77");
    EXPECT_EQ(run(cli::printPdf, {"receipt", "14", "--pdf", out("r14.pdf"), "--db", db()}),
              cli::ExitOk);
    EXPECT_EQ(TekstPdf::czytaj(out("r14.pdf")).znajdz("siedemdziesiąt siedem groszy").size(), 2u);

    for (const char* wpis : {"11", "13", "999"}) {
        try {
            run(cli::printPdf, {"receipt", wpis, "--pdf", out("x.pdf"), "--db", db()});
            FAIL() << wpis;
        } catch (const cli::Refused& e) {
            EXPECT_FALSE(e.message().isEmpty());
        }
    }
    EXPECT_FALSE(QFile::exists(out("x.pdf")));
}

TEST_F(CliPrint, BrevantCliHandsPdfToThePrintingProgram) {
    data->closeConnection(); // the embedded engine opens a file for one process
    auto cliRun = [&](const QStringList& args, QString* stderrText = nullptr) {
        QProcess p;
        p.start(QStringLiteral(BREVANT_CLI),
                QStringList{"print"} + args + QStringList{"--db", db()});
        p.waitForFinished(120000);
        if (stderrText)
            *stderrText = QString::fromUtf8(p.readAllStandardError());
        return p.exitCode();
    };
    EXPECT_EQ(cliRun({"debtors", "--pdf", out("d.pdf")}), 0);
    const TekstPdf t = TekstPdf::czytaj(out("d.pdf"));
    EXPECT_EQ(t.znajdz("Zobowiązania kontrahentów").size(), 1u);
    EXPECT_EQ(t.znajdz("1234 567,89").size() + t.znajdz("501 234,56").size(), 1u);
    EXPECT_EQ(t.znajdz("Razem").size(), 1u);

    QString blad;
    EXPECT_EQ(cliRun({"receipt", "13", "--pdf", out("x.pdf")}, &blad), 2);
    EXPECT_EQ(blad.trimmed(),
              "Dowód wpłaty drukuje się tylko dla wpłaty większej od zera wpisanej ręcznie.");
    data->connect(db(), true); // for the fixture's tear-down
}

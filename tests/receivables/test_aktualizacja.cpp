// The upgrade step that brought open items, on a database of the version before it.
#include "CliRun.h"
#include "Commands.h"
#include "Error.h"
#include "Globals.h"
#include "RozrachunkiTest.h"
#include "SchemaVersion.h"
#include "StaraBaza.h"
#include "Statement.h"
#include "Transaction.h"

#include <QTemporaryDir>

namespace {

bool krokRozrachunkow(const UpgradeStep& s) {
    return s.definitionsDoneSql.contains(QStringLiteral("'ROZRACHUNEK'"));
}

class Aktualizacja : public ::testing::Test {
protected:
    void SetUp() override {
        path = dir.filePath(QStringLiteral("przed.fdb"));
        starabaza::utworzWersje1(path);
        upgradeDatabase(starabaza::embedded(path), starabaza::krokiPrzed(krokRozrachunkow));
        // What the program of the version before booked: an invoice whose description was
        // left as its number, one whose number a later edit changed, payments by bank and by
        // hand, an amount due entered by hand.
        db::Attachment att(starabaza::embedded(path));
        for (const char* sql : {
                 "INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, NR_NIP) VALUES (1, 'Alfa', 'PL', "
                 "'5990000010')",
                 "INSERT INTO KLIENT (KLIENTID, NAZWA) VALUES (2, 'Beta')",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, DOZAPLATY) "
                 "VALUES (10, 1, 'F', '2024-01-10', 'FV/1/01/2024', 100)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, DOZAPLATY) "
                 "VALUES (11, 1, 'F', '2024-01-05', 'FV/2/01/2024', 200)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, DOZAPLATY) "
                 "VALUES (12, 1, 'U', '2024-02-01', 'kara umowna', 50)",
                 // Names FV/1 although FV/2 falls due first.
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO, "
                 "NR_KONTO) VALUES (20, 1, 'W', '2024-02-10', 'Zaplata FV 1/01/2024', 100, "
                 "'61109010140000071219812874')",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO) "
                 "VALUES (21, 1, 'U', '2024-02-11', 'gotowka', 230)",
                 "INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, OPIS_TR, ZAPLACONO) "
                 "VALUES (22, 2, 'W', '2024-02-12', 'przedplata', 40)",
             })
            att.executeImmediate(QString::fromUtf8(sql));
    }

    QString scalar(const QString& sql) {
        db::Attachment att(starabaza::embedded(path));
        db::Transaction tr(att, db::Isolation::ReadCommitted);
        tr.start();
        db::Statement s(tr, sql);
        db::Row r;
        const QString v = s.fetchOne(r) ? r[0].toString() : QString();
        tr.commit();
        return v;
    }
    int version() {
        db::Attachment att(starabaza::embedded(path));
        return schemaVersion(att);
    }

    QTemporaryDir dir;
    QString path;
};

} // namespace

TEST_F(Aktualizacja, FillsInvoiceIdentityDueDatesAndLinksWhatWasBooked) {
    int status = -1;
    const QString printed = clitest::run(cli::upgradeDb, {"--db", path}, status);
    ASSERT_EQ(status, cli::ExitOk);
    EXPECT_EQ(version(), currentSchemaVersion());
    // FV/1 named by the bank payment; the cash pays FV/2 (due first), then the amount due by
    // hand; Beta's payment stays a credit.
    EXPECT_TRUE(printed.contains(
        QString::fromUtf8("Powiązano z należnościami wpłat: 2 (powiązań: 3, na kwotę 330,00).")))
        << printed.toStdString();
    EXPECT_TRUE(printed.contains(QString::fromUtf8("Nierozliczone wpłaty (nadpłaty): 40,00.")));

    EXPECT_EQ(scalar("SELECT NR_FAKTURY || '|' || NR_KLUCZ || '|' || NIP_NABYWCY || '|' || "
                     "TERMIN FROM TRANS WHERE WPISID = 10"),
              "FV/1/01/2024|FV1012024|5990000010|2024-01-24");
    EXPECT_EQ(scalar("SELECT NR_FAKTURY FROM TRANS WHERE WPISID = 12"), QString());
    EXPECT_EQ(scalar("SELECT TERMIN FROM TRANS WHERE WPISID = 12"), "2024-02-15");
    EXPECT_EQ(scalar("SELECT KWOTA FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = 10 AND ID_ZAPLATY = 20"),
              "100");
    EXPECT_EQ(scalar("SELECT KWOTA FROM ROZRACHUNEK WHERE ID_NALEZNOSCI = 11 AND ID_ZAPLATY = 21"),
              "200");
    EXPECT_EQ(scalar("SELECT OTWARTE FROM TRANS WHERE WPISID = 12"), "20");
    EXPECT_EQ(scalar("SELECT OTWARTE FROM TRANS WHERE WPISID = 22"), "-40");
    EXPECT_EQ(scalar("SELECT TERMIN_DNI || NAJSTARSZE FROM USTAWIENIA_ROZRACHUNKOW"), "14T");

    // The invoices are known by their numbers: booking the file again books nothing.
    komun::Recorder messages;
    Tdm data;
    dm = &data;
    data.connect(path, true);
    {
        Tks ks(data.conn);
        KsiegowanieFaktur run(ks, [](const recFaktura&) { return DecyzjaBrakKontrahenta{}; });
        recFaktura f;
        f.NrFakt = QStringLiteral("FV/2/01/2024");
        f.DataWyst = Date(2024, 1, 5);
        f.KrNip = QStringLiteral("PL");
        f.NipOdb = QStringLiteral("5990000010");
        f.SetXmlKwota(QStringLiteral("200.00"));
        const WynikKsiegowania w = run.run({f});
        EXPECT_EQ(w.wczesniej, 1);
        EXPECT_EQ(w.zaksiegowane, 0);
    }
    data.closeConnection();
    dm = nullptr;
}

TEST_F(Aktualizacja, FillingThatFailsLeavesTheOldVersionAndTheNextUpgradeFinishesIt) {
    std::vector<UpgradeStep> kroki = upgradeSteps();
    const auto moj = std::find_if(kroki.begin(), kroki.end(), krokRozrachunkow);
    ASSERT_NE(moj, kroki.end());
    const int przed = version();
    moj->fill = [](db::Transaction& tr, const UpgradeProgress&) -> QStringList {
        db::Statement(tr, QStringLiteral("UPDATE TRANS SET ROZLICZONO = 0")).execute();
        throw db::Error(QStringLiteral("przerwano"));
    };
    kroki.erase(moj + 1, kroki.end());
    EXPECT_THROW(upgradeDatabase(starabaza::embedded(path), kroki), db::Error);
    EXPECT_EQ(version(), przed);
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM TRANS WHERE OTWARTE IS NOT NULL"), "0");

    // The user waiting sees each stage, and the linking counted up to its contractors.
    QStringList etapy;
    std::pair<int, int> ostatni{-1, -1};
    const UpgradeResult r = upgradeDatabase(starabaza::embedded(path), upgradeSteps(),
                                            [&](const QString& co, int zrobione, int razem) {
                                                if (etapy.isEmpty() || etapy.back() != co)
                                                    etapy << co;
                                                if (co.startsWith(QString::fromUtf8("Łączenie")))
                                                    ostatni = {zrobione, razem};
                                            });
    EXPECT_EQ(r.to, currentSchemaVersion());
    EXPECT_EQ(scalar("SELECT COUNT(*) FROM ROZRACHUNEK"), "3");
    ASSERT_GE(etapy.size(), 3) << etapy.join(" / ").toStdString();
    EXPECT_TRUE(etapy[0].startsWith("Kopia zapasowa")) << etapy.join(" / ").toStdString();
    EXPECT_TRUE(etapy.contains(QString::fromUtf8("Aktualizacja do wersji %1…").arg(r.to)))
        << etapy.join(" / ").toStdString();
    EXPECT_EQ(ostatni, std::make_pair(2, 2)); // both contractors
}

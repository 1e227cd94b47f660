// The settlement browser on 100,000 contractors and 1,000,000 ledger rows: opening it,
// moving between contractors, typing in the search box, entering the three list tabs, and
// "brevant-cli balances" as a whole process. Prints the figures.
//
//   bench_settlement [DATABASE]   reuses DATABASE when it exists, else builds it there
#include "DatabaseCreator.h"
#include "Globals.h"
#include "Statement.h"
#include "fdm.h"
#include "frmPrzeksiegowanie.h"
#include "frmRozliczenia.h"
#include "frmSzukajKlienta.h"
#include "frmTrans.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QTabWidget>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
constexpr int Contractors = 100000;
constexpr int Rows = 1000000;

void build(const QString& path) {
    createBrevantDatabase(path, QStringLiteral("bench1"));
    Tdm data;
    data.connect(path, true);
    // The ledger is filled with the balance triggers off and the balances set once at the end:
    // the same result, a fraction of the time.
    for (const char* t : {"TRANS_AI_SALDA", "TRANS_AU_SALDA", "TRANS_AD_SALDA"})
        data.ExecuteSQL(QStringLiteral("ALTER TRIGGER %1 INACTIVE").arg(QString::fromLatin1(t)));
    db::Transaction tr(data.conn);
    tr.start();
    {
        db::Statement klient(tr, QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, "
                                                "NR_NIP) VALUES (?, ?, 'PL', ?)"));
        for (int i = 1; i <= Contractors; ++i) {
            // Every hundredth name is shared by two contractors.
            const int n = i % 100 == 0 ? i - 1 : i;
            klient.bindAll(
                {i, QStringLiteral("Kontrahent %1 Spółka z o.o.").arg((n * 7919) % Contractors),
                 QString::number(5260000000LL + i)});
            klient.execute();
        }
        db::Statement trans(tr, QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, "
                                               "DATA_TR, DOZAPLATY, ZAPLACONO, OPIS_TR) "
                                               "VALUES (?, ?, ?, ?, ?, ?, ?)"));
        const Date start(2020, 1, 1);
        for (int i = 0; i < Rows; ++i) {
            const int klientId = 1 + (i * 37) % Contractors;
            const bool faktura = i % 2 == 0;
            const Money kwota = Money::fromCents(1000 + (i * 131) % 500000);
            trans.bindAll(
                {Contractors + 1 + i, klientId,
                 faktura ? QStringLiteral("F") : (i % 5 == 1 ? "U" : "W"),
                 Date(start.qdate().addDays(i % 1500)), faktura ? db::Value(kwota) : db::Value(),
                 faktura ? db::Value() : db::Value(kwota), QStringLiteral("Operacja %1").arg(i)});
            trans.execute();
        }
        db::Statement saldo(tr, QStringLiteral("UPDATE SALDA S SET S.DOZAPLATY = (SELECT "
                                               "COALESCE(SUM(T.DOZAPLATY),0) FROM TRANS T "
                                               "WHERE T.KLIENTID = S.KLIENTID), S.ZAPLACONO = "
                                               "(SELECT COALESCE(SUM(T.ZAPLACONO),0) "
                                               "FROM TRANS T WHERE T.KLIENTID = S.KLIENTID)"));
        saldo.execute();
    }
    tr.commit();
    for (const char* t : {"TRANS_AI_SALDA", "TRANS_AU_SALDA", "TRANS_AD_SALDA"})
        data.ExecuteSQL(QStringLiteral("ALTER TRIGGER %1 ACTIVE").arg(QString::fromLatin1(t)));
    data.ExecuteSQL(QStringLiteral("UPDATE GENER SET NEXT_ID = %1").arg(Contractors + Rows + 10));
    data.closeConnection();
}

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

// The process's own processor time: on a machine shared with other work the wall-clock
// figures include waiting for a core, this does not.
double cpuMs() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Stats {
    std::vector<double> v;
    void add(double x) { v.push_back(x); }
    void print(const char* what) {
        std::sort(v.begin(), v.end());
        double sum = 0;
        for (double x : v)
            sum += x;
        std::printf("%-58s n=%zu  mean %.1f ms  median %.1f ms  max %.1f ms\n", what, v.size(),
                    sum / static_cast<double>(v.size()), v[v.size() / 2], v.back());
    }
};
} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QTemporaryDir dir;
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("bench.fdb"));
    if (!QFile::exists(path)) {
        QElapsedTimer t;
        t.start();
        build(path);
        std::printf("built %d contractors, %d ledger rows in %.1f s\n", Contractors, Rows,
                    ms(t) / 1000);
    }

    {
        Tdm data;
        dm = &data;
        data.connect(path, true);
        QElapsedTimer t;
        t.start();
        data.openStartupLists();
        std::printf("%-58s %.1f ms\n", "start-up contractor list (main window, before)", ms(t));

        TTransFrm trans(data);
        TPrzeksiegowanieFrm przeks(data);
        TSzukajKlientaFrm szukaj(data);
        TRozliczeniaFrm frm(data, trans, przeks, szukaj);
        frm.resize(1000, 700);

        t.restart();
        double c0 = cpuMs();
        frm.Przygotuj();
        frm.show();
        QApplication::processEvents();
        std::printf("%-58s %.1f ms (processor %.1f ms)\n", "open the browser (reset, first paint)",
                    ms(t), cpuMs() - c0);

        Stats moves;
        c0 = cpuMs();
        for (int i = 0; i < 200; ++i) {
            t.restart();
            data.Klient.setCurrentIndex((i * 4999) % data.Klient.recordCount());
            QApplication::processEvents();
            moves.add(ms(t));
        }
        moves.print("move to another contractor (rows, balance, buttons, paint)");
        std::printf("%-58s %.1f ms\n", "  processor time per move", (cpuMs() - c0) / 200);

        Stats first, keys;
        c0 = cpuMs();
        const QString texts[] = {QStringLiteral("Kontrahent 4242"),
                                 QStringLiteral("spółka z o.o. x"), QStringLiteral("rahent 9999")};
        for (const QString& text : texts) {
            frm.SzukajEd->clear();
            for (int n = 1; n <= text.size(); ++n) {
                t.restart();
                frm.SzukajEd->setText(text.left(n));
                QApplication::processEvents();
                (n == 1 ? first : keys).add(ms(t));
            }
        }
        first.print("search keystroke, first character");
        keys.print("search keystroke, two or more characters");
        std::printf("%-58s %.1f ms\n", "  processor time per keystroke, all",
                    (cpuMs() - c0) / static_cast<double>(first.v.size() + keys.v.size()));

        for (QWidget* tab : {frm.ZestawienieTab, frm.NaleznosciTab, frm.NadplatyTab}) {
            frm.Zakladki->setCurrentWidget(frm.RozliczeniaTab);
            QApplication::processEvents();
            t.restart();
            const double c0 = cpuMs();
            frm.Zakladki->setCurrentWidget(tab);
            QApplication::processEvents();
            const double cpu = cpuMs() - c0;
            std::printf("enter \"%s\" (%d rows)%*s %.1f ms (processor %.1f ms)\n",
                        frm.Zakladki->tabText(frm.Zakladki->indexOf(tab)).toUtf8().constData(),
                        tab == frm.ZestawienieTab  ? data.Salda.recordCount()
                        : tab == frm.NaleznosciTab ? data.Dluznicy.recordCount()
                                                   : data.Nadplaty.recordCount(),
                        20, "", ms(t), cpu);
        }
        frm.reject();
        data.closeConnection();
        dm = nullptr;
    }

    for (const char* option : {"", "--debtors"}) {
        QElapsedTimer t;
        t.start();
        QProcess cli;
        QStringList args{QStringLiteral("balances"), QStringLiteral("--db"), path, "--json"};
        if (*option)
            args << QString::fromLatin1(option);
        cli.start(QStringLiteral(BREVANT_CLI), args);
        cli.waitForFinished(-1);
        const QByteArray out = cli.readAllStandardOutput();
        std::printf("brevant-cli balances --json %-12s exit %d, %lld bytes: %.1f ms\n", option,
                    cli.exitCode(), static_cast<long long>(out.size()), ms(t));
    }
    return 0;
}

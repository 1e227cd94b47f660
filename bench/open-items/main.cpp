// Open items on 100,000 contractors and 1,000,000 ledger rows: booking 10,000 payments with
// the matching against booking them without it, the ageing of the whole ledger, and the
// "Rozrachunki" tab of a contractor with 1,000 invoices. Prints the figures.
//
//   bench_open_items [DATABASE] [--no-booking]
//     reuses DATABASE when it exists, else builds it there; --no-booking leaves out the
//     booking comparison (the longest part)
#include "DatabaseCreator.h"
#include "DopasowanieTytulu.h"
#include "Globals.h"
#include "KsiegowanieWplat.h"
#include "RozrachunkiPanel.h"
#include "Statement.h"
#include "StatementBuilder.h"
#include "Transaction.h"
#include "WczytajWyciag.h"
#include "Wiekowanie.h"
#include "fdm.h"
#include "fks.h"

#include <QApplication>
#include <QCheckBox>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <ctime>
#include <vector>

namespace {
constexpr int Contractors = 100000;
constexpr int Rows = 1000000;
constexpr int Payments = 10000;
constexpr int FirstRow = 1000000; // WPISID of ledger row r is FirstRow + r
constexpr int BigContractor = Contractors + 1;
constexpr int BigInvoices = 1000;

double ms(const QElapsedTimer& t) {
    return static_cast<double>(t.nsecsElapsed()) / 1e6;
}

QString account(int klientId) {
    return QStringLiteral("%1").arg(klientId, 26, 10, QChar(u'1'));
}

// Row r of the ledger belongs to contractor 1 + r % Contractors; its tenth k = r / Contractors
// says what it is: an invoice for even k, for odd k the payment of the invoice before it.
// Every tenth contractor paid half of each invoice, every tenth but one named nothing and is
// left unlinked: they are what is still open.
Money amount(int r) {
    return Money::fromCents(5000 + (r * 131) % 500000);
}
QString invoiceNumber(int r) {
    return QStringLiteral("FV/%1/2023").arg(r);
}

void execSql(Tdm& data, const QString& sql) {
    db::Transaction tr(data.conn);
    tr.start();
    db::Statement(tr, sql).execute();
    tr.commit();
}

void build(const QString& path) {
    createBrevantDatabase(path, QStringLiteral("bench1"));
    Tdm data;
    data.connect(path, true);
    for (const char* t : {"TRANS_AI_SALDA", "TRANS_AU_SALDA", "TRANS_AD_SALDA"})
        data.ExecuteSQL(QStringLiteral("ALTER TRIGGER %1 INACTIVE").arg(QString::fromLatin1(t)));
    const QDate start = QDate::currentDate().addDays(-420);
    {
        db::Transaction tr(data.conn);
        tr.start();
        db::Statement klient(tr, QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, KR_NIP, "
                                                "NR_NIP) VALUES (?, ?, 'PL', ?)"));
        db::Statement konto(tr, QStringLiteral("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, "
                                               "NR_KONTO, POMIJAJ) VALUES (?, ?, 'PL', ?, 'N')"));
        for (int i = 1; i <= BigContractor; ++i) {
            klient.bindAll(
                {i, QStringLiteral("Kontrahent %1 Spółka z o.o.").arg((i * 7919) % Contractors),
                 QString::number(5260000000LL + i)});
            klient.execute();
            konto.bindAll({500000 + i, i, account(i)});
            konto.execute();
        }
        db::Statement trans(
            tr, QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, DOZAPLATY, "
                               "ZAPLACONO, OPIS_TR, NR_FAKTURY, NR_KLUCZ, TERMIN, NR_KONTO) "
                               "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
        auto row = [&](int wpisId, int klientId, int k, int r, int poprzedni) {
            const Date data(start.addDays(k * 40 + r % 30));
            if (k % 2 == 0) {
                const QString nr = invoiceNumber(r);
                trans.bindAll({wpisId, klientId, QStringLiteral("F"), data, amount(r), db::Value(),
                               nr, nr, rozrachunki::KluczNumeru(nr), Date(data.qdate().addDays(14)),
                               db::Value()});
            } else {
                const Money kwota = klientId % 10 == 1
                                        ? Money::fromCents(amount(poprzedni).cents() / 2)
                                        : amount(poprzedni);
                trans.bindAll({wpisId, klientId, QStringLiteral("W"), data, db::Value(), kwota,
                               klientId % 10 == 2
                                   ? QStringLiteral("Wpłata")
                                   : QStringLiteral("Zapłata ") + invoiceNumber(poprzedni),
                               db::Value(), db::Value(), db::Value(), account(klientId)});
            }
            trans.execute();
        };
        for (int r = 0; r < Rows; ++r)
            row(FirstRow + r, 1 + r % Contractors, r / Contractors, r, r - Contractors);
        for (int j = 0; j < 2 * BigInvoices; ++j)
            row(FirstRow + Rows + j, BigContractor, j % 2 == 0 ? 0 : 1, Rows + j, Rows + j - 1);
        tr.commit();
    }
    // Each payment linked to the invoice it names, the triggers keeping what is left.
    execSql(data,
            QStringLiteral("INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) "
                           "SELECT I.WPISID, P.WPISID, P.ZAPLACONO FROM TRANS P "
                           "JOIN TRANS I ON I.WPISID = P.WPISID - %1 "
                           "WHERE P.ZRODLO = 'W' AND P.KLIENTID <= %2 AND MOD(P.KLIENTID, 10) <> 2")
                .arg(Contractors)
                .arg(Contractors));
    execSql(data, QStringLiteral("INSERT INTO ROZRACHUNEK (ID_NALEZNOSCI, ID_ZAPLATY, KWOTA) "
                                 "SELECT I.WPISID, P.WPISID, P.ZAPLACONO FROM TRANS P "
                                 "JOIN TRANS I ON I.WPISID = P.WPISID - 1 "
                                 "WHERE P.KLIENTID = %1 AND P.ZRODLO = 'W'")
                      .arg(BigContractor));
    execSql(data, QStringLiteral(
                      "UPDATE SALDA S SET S.DOZAPLATY = (SELECT COALESCE(SUM(T.DOZAPLATY),0) FROM "
                      "TRANS T WHERE T.KLIENTID = S.KLIENTID), S.ZAPLACONO = (SELECT "
                      "COALESCE(SUM(T.ZAPLACONO),0) FROM TRANS T WHERE T.KLIENTID = S.KLIENTID)"));
    for (const char* t : {"TRANS_AI_SALDA", "TRANS_AU_SALDA", "TRANS_AD_SALDA"})
        data.ExecuteSQL(QStringLiteral("ALTER TRIGGER %1 ACTIVE").arg(QString::fromLatin1(t)));
    data.ExecuteSQL(
        QStringLiteral("UPDATE GENER SET NEXT_ID = %1").arg(FirstRow + Rows + 3 * BigInvoices));
    data.closeConnection();
}

// Credits from contractors that still owe (every tenth paid only half of each invoice): half
// of them name one of those invoices, the others nothing.
std::shared_ptr<IWyciag> statement(const QString& opening) {
    std::vector<TxSpec> txs;
    txs.reserve(Payments);
    for (int j = 0; j < Payments; ++j) {
        const int klientId = 1 + 10 * j;
        const int r = klientId - 1 + 2 * Contractors; // its third invoice
        txs.push_back({'C', QStringLiteral("%1,00").arg(10 + j % 400), "PL" + account(klientId),
                       QStringLiteral("Kontrahent %1").arg(klientId),
                       j % 2 == 0 ? QStringLiteral("Zapłata za ") + invoiceNumber(r)
                                  : QStringLiteral("Przelew %1").arg(j),
                       QStringLiteral("240301")});
    }
    const WynikOtwarcia w = OtworzWyciag(ingStatement(txs, opening).toUtf8(), TKodowanie::kdUTF_8);
    if (!w.ok())
        throw std::runtime_error(w.komunikat().toStdString());
    return w.wyciag();
}

// The process's own processor time, the embedded engine's included: on a machine shared
// with other work the wall-clock figures include waiting for a core, this does not.
double cpuMs() {
    return 1000.0 * static_cast<double>(std::clock()) / CLOCKS_PER_SEC;
}

struct Czas {
    double sciana = 0;
    double procesor = 0;
};

Czas bookMs(const QString& path, const IWyciag& w, bool dopasowanie) {
    Tdm data;
    data.connect(path, true);
    Czas wynik;
    {
        Tks ks(data.conn);
        KsiegowanieWplat run(ks);
        run.setBezDopasowania(!dopasowanie);
        QElapsedTimer t;
        t.start();
        const double c0 = cpuMs();
        const RaportWplat r = run.ksieguj(w);
        wynik = {ms(t), cpuMs() - c0};
        std::printf("  %s: %d payments, %d linked: %.0f ms (processor %.0f ms)\n",
                    dopasowanie ? "with matching   " : "without matching", r.wplaty, r.rozliczone,
                    wynik.sciana, wynik.procesor);
    }
    data.closeConnection();
    return wynik;
}

} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty())
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QTemporaryDir dir;
    const QString path =
        argc > 1 ? QString::fromLocal8Bit(argv[1]) : dir.filePath(QStringLiteral("bench.fdb"));
    if (!QFile::exists(path)) {
        QElapsedTimer t;
        t.start();
        build(path);
        std::printf("built %d contractors, %d ledger rows (and %d of one contractor) in %.1f s\n",
                    Contractors, Rows, 2 * BigInvoices, ms(t) / 1000);
    }

    // The same statement booked into two copies of the ledger, twice over, alternating.
    const bool ksieguj = !(argc > 2 && QByteArray(argv[2]) == "--no-booking");
    const auto w = statement(QStringLiteral("C240301PLN1,00"));
    if (ksieguj)
        std::printf("booking %d payments into %d rows:\n", Payments, Rows);
    Czas bez, z;
    for (int round = 0; ksieguj && round < 2; ++round) {
        for (bool dopasowanie : {false, true}) {
            const QString copy = dir.filePath(QStringLiteral("kopia.fdb"));
            QFile::remove(copy);
            if (!QFile::copy(path, copy))
                throw std::runtime_error("cannot copy the database");
            const Czas c = bookMs(copy, *w, dopasowanie);
            Czas& suma = dopasowanie ? z : bez;
            suma.sciana += c.sciana;
            suma.procesor += c.procesor;
            QFile::remove(copy);
        }
    }
    if (ksieguj)
        std::printf("  ratio with/without matching: %.2f (processor time %.2f)\n",
                    z.sciana / bez.sciana, z.procesor / bez.procesor);

    Tdm data;
    dm = &data;
    data.connect(path, true);
    for (int i = 0; i < 3; ++i) {
        QElapsedTimer t;
        t.start();
        db::Transaction tr(data.conn, db::Isolation::ReadCommitted);
        tr.start();
        const rozrachunki::Wiekowanie a =
            rozrachunki::CzytajWiekowanie(tr, Date(QDate::currentDate()));
        tr.commit();
        std::printf("ageing of the whole ledger as of today: %zu contractors, %s owed: %.0f ms\n",
                    a.wiersze.size(), a.suma.razem().toFixed2().toUtf8().constData(), ms(t));
    }
    {
        QElapsedTimer t;
        t.start();
        db::Transaction tr(data.conn, db::Isolation::ReadCommitted);
        tr.start();
        const rozrachunki::Wiekowanie a =
            rozrachunki::CzytajWiekowanie(tr, Date(QDate::currentDate().addDays(-200)));
        tr.commit();
        std::printf("ageing as of 200 days ago: %zu contractors: %.0f ms\n", a.wiersze.size(),
                    ms(t));
    }

    {
        TRozrachunkiPanel panel(data.conn);
        panel.resize(1000, 700);
        panel.show();
        std::vector<double> v;
        for (int i = 0; i < 5; ++i) {
            QElapsedTimer t;
            t.start();
            panel.RozliczoneCb->setChecked(i % 2 == 1);
            panel.Pokaz(BigContractor, QStringLiteral("Duży kontrahent"));
            QApplication::processEvents();
            v.push_back(ms(t));
        }
        std::sort(v.begin(), v.end());
        std::printf("\"Rozrachunki\" tab of a contractor with %d invoices and %d payments: median "
                    "%.1f ms, max %.1f ms\n",
                    BigInvoices, BigInvoices, v[v.size() / 2], v.back());
    }
    data.closeConnection();
    dm = nullptr;

    QElapsedTimer t;
    t.start();
    QProcess cli;
    cli.start(QStringLiteral(BREVANT_CLI),
              {QStringLiteral("ageing"), QStringLiteral("--db"), path, QStringLiteral("--json")});
    cli.waitForFinished(-1);
    std::printf("brevant-cli ageing --json (whole process): exit %d, %lld bytes: %.0f ms\n",
                cli.exitCode(), static_cast<long long>(cli.readAllStandardOutput().size()), ms(t));
    return 0;
}

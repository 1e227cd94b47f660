// The contractor register over 100,000 contractors, half of them with an account: opening
// the window, moving to another contractor (its accounts, balance and buttons) and each
// keystroke of a search. Prints the figures; run with QT_QPA_PLATFORM=offscreen.
#include "DatabaseCreator.h"
#include "Globals.h"
#include "Statement.h"
#include "SzukanieKlienta.h"
#include "fdm.h"
#include "frmKlienci.h"
#include "frmKlient.h"
#include "frmKonto.h"
#include "frmPolaczFirmy.h"
#include "frmSzczegoly.h"
#include "frmWybierzKodKR.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLineEdit>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <vector>

namespace {
constexpr int Contractors = 100000;

void fill(Tdm& data) {
    db::Transaction tr(data.conn);
    tr.start();
    db::Statement klient(tr, QStringLiteral("INSERT INTO KLIENT (KLIENTID, NAZWA, ADRES, KR_NIP, "
                                            "NR_NIP) VALUES (?, ?, ?, 'PL', ?)"));
    db::Statement konto(tr, QStringLiteral("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, "
                                           "NR_KONTO, POMIJAJ) VALUES (?, ?, 'PL', ?, 'N')"));
    db::Statement trans(tr, QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                                           "DOZAPLATY) VALUES (?, ?, 'F', '2024-01-15', 123.45)"));
    for (int i = 1; i <= Contractors; ++i) {
        klient.bindAll(
            {i, QStringLiteral("Kontrahent %1 Spółka z o.o.").arg((i * 7919) % Contractors),
             QStringLiteral("ul. Długa %1, Łódź").arg(i), QString::number(5260000000LL + i)});
        klient.execute();
        if (i % 2 == 0) {
            konto.bindAll({Contractors + i, i, QStringLiteral("%1").arg(i, 26, 10, QChar(u'1'))});
            konto.execute();
            trans.bindAll({2 * Contractors + i, i});
            trans.execute();
        }
    }
    tr.commit();
}

struct Figures {
    std::vector<double> ms;
    void add(const QElapsedTimer& t) { ms.push_back(static_cast<double>(t.nsecsElapsed()) / 1e6); }
    void print(const char* what) {
        std::sort(ms.begin(), ms.end());
        std::printf("%-48s median %7.2f ms   worst %7.2f ms   (%zu runs)\n", what,
                    ms[ms.size() / 2], ms.back(), ms.size());
    }
};
} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("bench.fdb"));
    createBrevantDatabase(path, QStringLiteral("bench1"));
    Tdm data;
    dm = &data;
    data.connect(path, true);
    fill(data);
    data.openStartupLists();

    TWybierzKodKRFrm picker;
    TKlientFrm klient(data, picker);
    TKontoFrm konto(data, picker);
    TSzczegolyFrm szczegoly(data);
    TPolaczFirmyFrm polacz(data, szczegoly, [] { return 0; });
    TKlienciFrm okno(data, klient, konto, szczegoly, polacz, {});

    Figures open, openFresh, move, key;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer t;
        t.start();
        okno.Przygotuj();
        okno.show();
        app.processEvents();
        open.add(t);
        okno.done(0);
        t.restart();
        data.OtworzKlient();
        okno.Przygotuj();
        okno.show();
        app.processEvents();
        openFresh.add(t);
        okno.done(0);
    }
    okno.Przygotuj();
    okno.show();
    app.processEvents();
    for (int i = 0; i < 200; ++i) {
        QElapsedTimer t;
        t.start();
        data.Klient.setCurrentIndex((i * 4999) % Contractors);
        app.processEvents();
        move.add(t);
    }
    // The parts of a move, each on its own.
    Figures konta, saldo, przyciski;
    for (int i = 0; i < 200; ++i) {
        const int id = (i * 4999) % Contractors + 1;
        QElapsedTimer t;
        t.start();
        data.OtworzKontoKL(id);
        konta.add(t);
        t.restart();
        kontrahenci::TekstSaldaKlienta(data, id);
        saldo.add(t);
        t.restart();
        kontrahenci::RegulyPrzyciskow(data);
        przyciski.add(t);
    }
    {
        // The search's own work: upper-casing the names once, then one scan.
        WyszukiwarkaKlientow w(data.Klient, data.conn);
        QElapsedTimer t;
        t.start();
        w.Szukaj(QStringLiteral("zz"));
        std::printf("first search (names upper-cased once): %.2f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
        t.restart();
        w.Szukaj(QStringLiteral("zzz"));
        std::printf("a later search matching nothing: %.2f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
        // Digits: names, then every tax number, then the accounts (read once, at the first).
        t.restart();
        w.Szukaj(QStringLiteral("1111 1111 9998"));
        std::printf("first search by an account (accounts read once): %.2f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
        t.restart();
        w.Szukaj(QStringLiteral("5260099999"));
        std::printf("a search by a tax number: %.2f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
        t.restart();
        w.Szukaj(QStringLiteral("999999999"));
        std::printf("a later digit search matching nothing: %.2f ms\n",
                    static_cast<double>(t.nsecsElapsed()) / 1e6);
    }
    // A name typed letter by letter, then one that matches nothing (the whole list is read).
    const QString typed[] = {QStringLiteral("kontrahent 9876"), QStringLiteral("zzzzzzzz")};
    for (const QString& word : typed)
        for (int n = 1; n <= word.size(); ++n) {
            QElapsedTimer t;
            t.start();
            okno.SzukajEd->setText(word.left(n));
            app.processEvents();
            key.add(t);
        }
    okno.done(0);

    std::printf("contractors: %d, of which with an account: %d\n", data.Klient.recordCount(),
                Contractors / 2);
    open.print("open the register (list already read)");
    openFresh.print("open the register, list read again");
    move.print("move to another contractor");
    konta.print("  of which: its accounts");
    saldo.print("  of which: its balance");
    przyciski.print("  of which: the enabling rules");
    key.print("search keystroke");
    data.closeConnection();
    dm = nullptr;
    return 0;
}

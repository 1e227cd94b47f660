// Reads a generated MT940 statement of many transactions and prints how long each stage
// takes: decoding, the structure and bank checks, splitting into transactions with every
// field derived, and reading every field back through the interface, then the whole open
// from the bytes (the encoding left to the reader) in MB/s. Run with a number of
// transactions (default 10000); the statement of twice as many is timed too, so the growth
// with the file's size shows. With --zapisz FILE it only writes the statement of that many
// transactions to FILE (for timing other readers on it).
#include "Banki.h"
#include "StronyKodowe.h"
#include "Warianty.h"
#include "WczytajWyciag.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <functional>

namespace {
using Clock = std::chrono::steady_clock;

// An ING statement in UTF-8 with Polish letters in every name and title; about 300 bytes
// per transaction.
QByteArray generuj(int n) {
    QByteArray b;
    b.reserve(static_cast<qsizetype>(n) * 320 + 200);
    b += ":20:ST230103\r\n:25:/PL79105010120000000012345678\r\n:28C:3/1\r\n"
         ":60F:C230102PLN1000,00\r\n";
    qint64 grosze = 100000;
    for (int i = 0; i < n; ++i) {
        const QByteArray nr = QByteArray::number(i);
        const bool wplata = i % 5 != 0;
        const qint64 kwota = (100 + i % 9000) * 100 + 10 + i % 90;
        grosze += wplata ? kwota : -kwota;
        b += ":61:2301030103" + QByteArray(wplata ? "C" : "D") + "N" +
             QByteArray::number(100 + i % 9000) + "," + QByteArray::number(10 + i % 90) +
             "NTRFNONREF//REF" + nr + "\r\n";
        b += ":86:152~00PRZELEW PRZYCHODZĄCY~20Zapłata za fakturę FV " + nr +
             "/2023~21za usługi księgowe i doradztwo~22podatkowe w miesiącu styczniu\r\n"
             "~32PRZEDSIĘBIORSTWO HANDLOWE ŻÓŁW ~33SPÓŁKA Z O.O. ODDZIAŁ " +
             nr + "\r\n~38PL27114020040000300201355387~60\r\n";
    }
    // The statement adds up, as the reader demands.
    const QByteArray saldo = QByteArray(grosze < 0 ? "D" : "C") + "230103PLN" +
                             QByteArray::number(std::llabs(grosze) / 100) + "," +
                             QByteArray::number(std::llabs(grosze) % 100).rightJustified(2, '0');
    b += ":62F:" + saldo + "\r\n:64:" + saldo + "\r\n";
    return b;
}

// The best of a few runs, in milliseconds: the least disturbed by the rest of the machine.
double ms(const std::function<void()>& f, int razy = 5) {
    double best = 1e300;
    for (int i = 0; i < razy; ++i) {
        const auto t0 = Clock::now();
        f();
        best = std::min(best, std::chrono::duration<double, std::milli>(Clock::now() - t0).count());
    }
    return best;
}

// The least CPU time of this thread over a few runs, in milliseconds: on a machine shared
// with other work it does not count the time spent waiting for a core.
double cpuMs(const std::function<void()>& f, int razy = 7) {
    double best = 1e300;
    for (int i = 0; i < razy; ++i) {
        timespec a{};
        timespec b{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &a);
        f();
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &b);
        best = std::min(best, (b.tv_sec - a.tv_sec) * 1e3 + (b.tv_nsec - a.tv_nsec) / 1e6);
    }
    return best;
}

struct Wynik {
    double mb, dekodowanie, kontrola, podzial, odczyt, razem, razemCpu;
    int transakcje;
};

Wynik zmierz(int n) {
    const QByteArray bajty = generuj(n);
    Wynik w{};
    w.mb = static_cast<double>(bajty.size()) / (1024.0 * 1024.0);
    QString tekst;
    w.dekodowanie = ms([&] { tekst = DekodujWyciag(bajty, TKodowanie::kdUTF_8); });
    TBank bank = bk_Nieznany;
    w.kontrola = ms([&] {
        if (WykryjKodowanie(bajty) != TKodowanie::kdUTF_8 || WyciagOK(tekst))
            std::abort();
        bank = WyznBankWyciagu(tekst);
    });
    std::shared_ptr<TWyciagAbs> wyciag;
    w.podzial = ms([&] {
        wyciag = UtworzWyciag(bank);
        wyciag->SetTekst(tekst);
        wyciag->DzielNaLinie();
        SprawdzBilans(*wyciag);
    });
    w.transakcje = wyciag->MaxIndex() + 1;
    if (w.transakcje != n)
        std::abort();
    qint64 suma = 0;
    w.odczyt = ms([&] {
        suma = 0;
        for (int i = wyciag->MinIndex(); i <= wyciag->MaxIndex(); ++i) {
            suma += wyciag->GetDataTR(i).day() + wyciag->GetKwotaTR(i).raw() +
                    wyciag->GetStronaKS(i).unicode() + wyciag->GetKontoKL(i).size() +
                    wyciag->GetKontoKL_KR(i).size() + wyciag->GetKontoKL_NR(i).size() +
                    wyciag->GetNazwaKL(i).size() + wyciag->GetOpisTR(i).size() +
                    wyciag->GetStrDataTR(i).size();
        }
    });
    if (suma == 0)
        std::abort();
    // The whole road once more, as one call from the bytes.
    const auto otworz = [&] {
        if (!OtworzWyciag(bajty, TKodowanie::kdWykryj).ok())
            std::abort();
    };
    w.razem = ms(otworz);
    w.razemCpu = cpuMs(otworz);
    return w;
}

void drukuj(const Wynik& w) {
    std::printf("%6d transactions, %5.2f MB: decode %7.2f ms, checks %6.2f ms, split, derive and "
                "balance %7.2f ms, read every field %6.2f ms\n"
                "    whole open from the bytes (encoding found, checked, added up): %7.2f ms = "
                "%6.1f MB/s; CPU time %7.2f ms = %6.1f MB/s\n",
                w.transakcje, w.mb, w.dekodowanie, w.kontrola, w.podzial, w.odczyt, w.razem,
                w.mb / (w.razem / 1000.0), w.razemCpu, w.mb / (w.razemCpu / 1000.0));
}
} // namespace

int main(int argc, char** argv) {
    if (argc > 2 && std::strcmp(argv[1], "--zapisz") == 0) {
        const int n = argc > 3 ? std::atoi(argv[3]) : 10000;
        QFile f(QString::fromLocal8Bit(argv[2]));
        if (!f.open(QIODevice::WriteOnly) || f.write(generuj(n)) < 0)
            return 1;
        return 0;
    }
    const int n = argc > 1 ? std::atoi(argv[1]) : 10000;
    const Wynik a = zmierz(n);
    const Wynik b = zmierz(2 * n);
    drukuj(a);
    drukuj(b);
    std::printf("size x%.2f -> whole open x%.2f, split x%.2f\n", b.mb / a.mb, b.razem / a.razem,
                b.podzial / a.podzial);
    return 0;
}

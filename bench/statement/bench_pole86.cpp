// Reads an ING statement whose one field 86 is of a given size in MB (default 20) and prints
// the time of the whole open and the process's peak memory. One size per run, since the peak
// is the process's own: run it with 5, 10 and 20 to see the growth.
#include "StronyKodowe.h"
#include "WczytajWyciag.h"

#include <QByteArray>

#include <sys/resource.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

namespace {
// A field 86 of subfields 35 characters long, wrapped over lines as banks write them.
QByteArray generuj(int mb) {
    const qsizetype cel = static_cast<qsizetype>(mb) * 1024 * 1024;
    QByteArray b;
    b.reserve(cel + 1024);
    b += ":20:ST230103\r\n:25:/PL79105010120000000012345678\r\n:28C:3/1\r\n"
         ":60F:C230102PLN1000,00\r\n:61:2301030103CN250,50NTRFNONREF//R1\r\n:86:152";
    for (int i = 0; b.size() < cel; ++i) {
        b += "~2" + QByteArray::number(i % 6) + "TYTUL PRZELEWU NUMER " +
             QByteArray::number(i).rightJustified(10, '0') + " ABCD";
        if (i % 2 == 1)
            b += "\r\n";
    }
    b += "~32FIRMA~38PL27114020040000300201355387\r\n:62F:C230103PLN1250,50\r\n";
    return b;
}

double szczytMB() {
    rusage u{};
    getrusage(RUSAGE_SELF, &u);
    return static_cast<double>(u.ru_maxrss) / 1024.0; // kilobytes on Linux
}
} // namespace

int main(int argc, char** argv) {
    const int mb = argc > 1 ? std::atoi(argv[1]) : 20;
    const QByteArray bajty = generuj(mb);
    const double przed = szczytMB();
    const auto t0 = std::chrono::steady_clock::now();
    const WynikOtwarcia w = OtworzWyciag(bajty, TKodowanie::kdUTF_8);
    const double ms =
        std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - t0).count();
    if (!w.ok() || w.wyciag()->MaxIndex() != 0)
        return 1;
    std::printf("field 86 of %d MB (file %.1f MB): open %.0f ms, peak memory %.0f MB "
                "(%.0f MB before the open), title %lld characters\n",
                mb, static_cast<double>(bajty.size()) / 1048576.0, ms, szczytMB(), przed,
                static_cast<long long>(w.wyciag()->GetOpisTR(0).size()));
    return 0;
}

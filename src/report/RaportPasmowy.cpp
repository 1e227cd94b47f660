#include "RaportPasmowy.h"

#include "Kanwa.h"

namespace wydruk {

int RaportPasmowy::drukuj(Kanwa& k) const {
    const int stron = uloz(k, nullptr);
    return uloz(k, &stron);
}

int RaportPasmowy::uloz(Kanwa& k, const int* stron) const {
    const bool rysuj = stron != nullptr;
    const double dol = k.wysokosc() - wysokoscStopki;
    int strona = 1;
    double y = 0.0;
    auto pasmo = [&](const Pasmo& p) {
        if (rysuj && p.rysuj)
            p.rysuj(k, y);
        y += p.wysokosc;
    };
    auto zamknijStrone = [&] {
        if (rysuj && stopka)
            stopka(k, dol, strona, *stron);
    };
    auto nowaStrona = [&] {
        zamknijStrone();
        if (rysuj)
            k.nowaStrona();
        ++strona;
        y = 0.0;
        pasmo(naglowekStrony);
    };

    pasmo(tytul);
    pasmo(naglowekStrony);
    for (int i = 0; i < liczbaWierszy; ++i) {
        const double h = wysokoscWiersza(k, i);
        // A row taller than a whole page is drawn anyway rather than looping.
        if (y + h > dol && y > naglowekStrony.wysokosc + (strona == 1 ? tytul.wysokosc : 0.0))
            nowaStrona();
        if (rysuj)
            rysujWiersz(k, i, y);
        y += h;
    }
    if (y + podsumowanie.wysokosc > dol)
        nowaStrona();
    pasmo(podsumowanie);
    zamknijStrone();
    return strona;
}

} // namespace wydruk

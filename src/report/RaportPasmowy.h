#pragma once

#include <functional>

namespace wydruk {

class Kanwa;

// A list printout made of bands: a title on the first page, a page header and footer on
// every page, the rows, and a summary after the last row. A row that does not fit above the
// footer starts a new page; so does the summary.
class RaportPasmowy {
public:
    // Draws a band whose top is at the given height (mm); returns nothing.
    using Rysuj = std::function<void(Kanwa&, double gora)>;
    struct Pasmo {
        double wysokosc = 0.0;
        Rysuj rysuj;
    };

    Pasmo tytul;
    Pasmo naglowekStrony;
    Pasmo podsumowanie;
    double wysokoscStopki = 0.0;
    std::function<void(Kanwa&, double gora, int strona)> stopka;

    int liczbaWierszy = 0;
    // A row's height may depend on its content (a long name wraps).
    std::function<double(Kanwa&, int wiersz)> wysokoscWiersza;
    std::function<void(Kanwa&, int wiersz, double gora)> rysujWiersz;

    // Lays the pages out; returns the number of pages.
    int drukuj(Kanwa& k) const;
};

} // namespace wydruk

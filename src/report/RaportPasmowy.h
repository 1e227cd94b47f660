#pragma once

#include <functional>

namespace wydruk {

class Kanwa;

// A list printout made of bands: a title on the first page, a page header and footer on
// every page, the rows, and a summary after the last row. A row that does not fit above the
// footer starts a new page; so does the summary. The pages are laid out twice: first counted,
// then drawn, so that every footer can say how many pages there are.
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
    // The footer of page `strona` of `stron`.
    std::function<void(Kanwa&, double gora, int strona, int stron)> stopka;

    int liczbaWierszy = 0;
    // A row's height may depend on its content (a long name wraps).
    std::function<double(Kanwa&, int wiersz)> wysokoscWiersza;
    std::function<void(Kanwa&, int wiersz, double gora)> rysujWiersz;

    // Lays the pages out; returns the number of pages.
    int drukuj(Kanwa& k) const;

private:
    // Walks the bands and rows page by page; draws only when `stron` (the page count) is
    // given. Returns the number of pages.
    int uloz(Kanwa& k, const int* stron) const;
};

} // namespace wydruk

#include "Windykacja.h"

#include <algorithm>

namespace windykacja {

Money pozostaloNaDzien(const Faktura& f, const QDate& dzien) {
    Money p = f.kwota;
    for (const Wplata& w : f.wplaty)
        if (w.data <= dzien)
            p -= w.kwota;
    return p;
}

namespace {

// The items of one invoice, each with its interest still exact.
struct PozycjeFaktury {
    std::vector<PozycjaOdsetek> pozycje;
    std::vector<odsetki::KwotaDokladna> dokladne;
};

PozycjeFaktury pozycjeFaktury(const Faktura& f, const ZakresOdsetek& zakres,
                              const odsetki::Tabele& tabele, odsetki::Dluznik dluznik) {
    PozycjeFaktury wynik;
    std::vector<Wplata> wplaty = f.wplaty;
    std::stable_sort(wplaty.begin(), wplaty.end(),
                     [](const Wplata& a, const Wplata& b) { return a.data < b.data; });
    auto dodaj = [&](const std::optional<QDate>& zaplata, Money kwota, const QDate& doDnia) {
        const odsetki::Naliczenie n = odsetki::nalicz(kwota, f.termin, doDnia, tabele, dluznik);
        if (n.dni == 0)
            return;
        PozycjaOdsetek p;
        p.numer = f.numer;
        p.wystawiona = f.wystawiona;
        p.termin = n.termin;
        p.zaplata = zaplata;
        p.kwota = kwota;
        p.dni = n.dni;
        p.okresy = n.okresy;
        p.kwotaFaktury = f.kwota;
        wynik.pozycje.push_back(std::move(p));
        wynik.dokladne.push_back(n.odsetki);
    };

    // Each payment settles what was still outstanding; a payment beyond it pays nothing late.
    Money zalegle = f.kwota;
    for (const Wplata& w : wplaty) {
        if (w.data > zakres.doDnia || zalegle <= Money())
            break;
        const Money kwota = std::min(w.kwota, zalegle);
        zalegle -= kwota;
        const bool wOkresie = !zakres.od.isValid() || w.data >= zakres.od;
        if (zakres.zaplaconeWOkresie && wOkresie && kwota > Money())
            dodaj(w.data, kwota, w.data);
    }
    if (zakres.zNiezaplaconymi && zalegle > Money())
        dodaj(std::nullopt, zalegle, zakres.doDnia);
    return wynik;
}

} // namespace

WynikOdsetek naliczOdsetki(const std::vector<Faktura>& faktury, const ZakresOdsetek& zakres,
                           const odsetki::Tabele& tabele, odsetki::Dluznik dluznik) {
    WynikOdsetek wynik;
    for (const Faktura& f : faktury) {
        PozycjeFaktury pf = pozycjeFaktury(f, zakres, tabele, dluznik);
        if (pf.pozycje.empty())
            continue;
        // One rounding per invoice: each item takes the growth of the rounded running total,
        // so the items add up to the invoice's rounded interest.
        odsetki::KwotaDokladna narastajaco;
        Money poprzednio;
        for (std::size_t i = 0; i < pf.pozycje.size(); ++i) {
            narastajaco += pf.dokladne[i];
            const Money teraz = narastajaco.zaokraglona();
            pf.pozycje[i].odsetki = teraz - poprzednio;
            poprzednio = teraz;
        }
        pf.pozycje.front().rekompensataEur = odsetki::rekompensataEur(
            f.kwota, f.wystawiona.isValid() ? f.wystawiona : f.termin, dluznik);
        wynik.suma += poprzednio;
        for (PozycjaOdsetek& p : pf.pozycje)
            wynik.pozycje.push_back(std::move(p));
    }
    return wynik;
}

} // namespace windykacja

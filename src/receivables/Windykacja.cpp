#include "Windykacja.h"

#include "Swieta.h"

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

// Part of a late amount and the last day earlier notes charged on it (invalid: none).
struct Czesc {
    Money od;
    Money kwota;
    QDate naliczoneDo;
};

// The slice [od, od + kwota) of an invoice's amount cut where the days charged on it change.
std::vector<Czesc> podziel(Money od, Money kwota, const Naliczone* naliczone) {
    const Money koniec = od + kwota;
    if (!naliczone || naliczone->odcinki.empty())
        return {{od, kwota, QDate()}};
    std::vector<Money> granice{od, koniec};
    for (const Odcinek& o : naliczone->odcinki)
        for (const Money g : {o.od, o.od + o.kwota})
            if (g > od && g < koniec)
                granice.push_back(g);
    std::sort(granice.begin(), granice.end());
    granice.erase(std::unique(granice.begin(), granice.end()), granice.end());
    std::vector<Czesc> czesci;
    for (std::size_t i = 0; i + 1 < granice.size(); ++i) {
        const Money a = granice[i];
        const Money b = granice[i + 1];
        QDate doDnia;
        for (const Odcinek& o : naliczone->odcinki)
            if (o.kwota > Money() && o.od <= a && o.od + o.kwota >= b &&
                (!doDnia.isValid() || o.doDnia > doDnia))
                doDnia = o.doDnia;
        if (!czesci.empty() && czesci.back().naliczoneDo == doDnia)
            czesci.back().kwota += b - a;
        else
            czesci.push_back({a, b - a, doDnia});
    }
    return czesci;
}

PozycjeFaktury pozycjeFaktury(const Faktura& f, const ZakresOdsetek& zakres,
                              const odsetki::Tabele& tabele, odsetki::Dluznik dluznik,
                              const Naliczone* naliczone) {
    PozycjeFaktury wynik;
    std::vector<Wplata> wplaty = f.wplaty;
    std::stable_sort(wplaty.begin(), wplaty.end(),
                     [](const Wplata& a, const Wplata& b) { return a.data < b.data; });
    const QDate termin = swieta::najblizszyDzienRoboczy(f.termin);
    // The late amount [od, od + kwota), paid on `zaplata` (none: unpaid, counted to doDnia).
    auto dodaj = [&](const std::optional<QDate>& zaplata, int wpisIdZaplaty, Money od, Money kwota,
                     const QDate& doDnia) {
        for (const Czesc& c : podziel(od, kwota, naliczone)) {
            QDate pierwszy = termin.addDays(1);
            if (c.naliczoneDo.isValid() && c.naliczoneDo >= pierwszy)
                pierwszy = c.naliczoneDo.addDays(1);
            const odsetki::Naliczenie n =
                odsetki::naliczDni(c.kwota, pierwszy, doDnia, tabele, dluznik);
            if (n.dni == 0)
                continue;
            PozycjaOdsetek p;
            p.numer = f.numer;
            p.wystawiona = f.wystawiona;
            p.termin = termin;
            p.zaplata = zaplata;
            p.kwota = c.kwota;
            p.dni = n.dni;
            p.okresy = n.okresy;
            p.kwotaFaktury = f.kwota;
            p.wpisIdFaktury = f.wpisId;
            p.wpisIdZaplaty = wpisIdZaplaty;
            p.pozycjaOd = c.od;
            p.naliczoneOd = pierwszy;
            wynik.pozycje.push_back(std::move(p));
            wynik.dokladne.push_back(n.odsetki);
        }
    };

    // Each payment settles what was still outstanding; a payment beyond it pays nothing late.
    Money zalegle = f.kwota;
    for (const Wplata& w : wplaty) {
        if (w.data > zakres.doDnia || zalegle <= Money())
            break;
        const Money kwota = std::min(w.kwota, zalegle);
        const Money od = f.kwota - zalegle;
        zalegle -= kwota;
        const bool wOkresie = !zakres.od.isValid() || w.data >= zakres.od;
        if (zakres.zaplaconeWOkresie && wOkresie && kwota > Money())
            dodaj(w.data, w.wpisId, od, kwota, w.data);
    }
    if (zakres.zNiezaplaconymi && zalegle > Money())
        dodaj(std::nullopt, 0, f.kwota - zalegle, zalegle, zakres.doDnia);
    return wynik;
}

} // namespace

WynikOdsetek naliczOdsetki(const std::vector<Faktura>& faktury, const ZakresOdsetek& zakres,
                           const odsetki::Tabele& tabele, odsetki::Dluznik dluznik,
                           const NaliczoneFaktur& naliczone) {
    WynikOdsetek wynik;
    for (const Faktura& f : faktury) {
        if (f.bezOdsetek)
            continue;
        const auto juz = f.wpisId != 0 ? naliczone.constFind(f.wpisId) : naliczone.constEnd();
        const Naliczone* n = juz != naliczone.constEnd() ? &*juz : nullptr;
        PozycjeFaktury pf = pozycjeFaktury(f, zakres, tabele, dluznik, n);
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
        if (!n || !n->rekompensata)
            pf.pozycje.front().rekompensataEur = odsetki::rekompensataEur(
                f.kwota, f.wystawiona.isValid() ? f.wystawiona : f.termin, dluznik);
        wynik.suma += poprzednio;
        for (PozycjaOdsetek& p : pf.pozycje)
            wynik.pozycje.push_back(std::move(p));
    }
    return wynik;
}

} // namespace windykacja

#include "UkladStron.h"

#include "Kanwa.h"

#include <algorithm>

namespace wydruk {

UkladStron::UkladStron(Kanwa& k, double wysokoscStopki, Stopka stopka)
    : k_(k), dol_(Kanwa::Wysokosc - wysokoscStopki), stopka_(std::move(stopka)) {}

double UkladStron::miejsce() const {
    return dol_ - y_;
}

void UkladStron::nowaStrona() {
    if (stopka_)
        stopka_(k_, dol_, strona_);
    k_.nowaStrona();
    ++strona_;
    y_ = 0.0;
}

void UkladStron::blok(double wysokosc, const Rysuj& rysuj, double zapas) {
    // A block taller than a whole page is drawn where it stands rather than looping.
    if (y_ + wysokosc + zapas > dol_ && y_ > 0.0)
        nowaStrona();
    if (rysuj)
        rysuj(k_, y_);
    y_ += wysokosc;
}

void UkladStron::odstep(double mm) {
    y_ = std::min(y_ + mm, dol_);
}

void UkladStron::tabela(const Tabela& t) {
    const double pierwszy = t.wierszy > 0 ? t.wysokoscWiersza(0) : 0.0;
    blok(t.wysokoscNaglowka, t.naglowek, pierwszy);
    for (int i = 0; i < t.wierszy; ++i) {
        const double h = t.wysokoscWiersza(i);
        if (y_ + h > dol_ && y_ > t.wysokoscNaglowka) {
            nowaStrona();
            blok(t.wysokoscNaglowka, t.naglowek);
        }
        t.rysujWiersz(k_, i, y_);
        y_ += h;
    }
}

int UkladStron::zakoncz() {
    if (!zakonczony_ && stopka_)
        stopka_(k_, dol_, strona_);
    zakonczony_ = true;
    return strona_;
}

SiatkaTabeli::SiatkaTabeli(std::vector<Kolumna> kolumny, QFont tresc, QFont naglowek, double lewa)
    : kolumny_(std::move(kolumny)), tresc_(std::move(tresc)), naglowek_(std::move(naglowek)),
      lewa_(lewa) {}

double SiatkaTabeli::szerokosc() const {
    double s = 0.0;
    for (const Kolumna& k : kolumny_)
        s += k.szerokosc;
    return s;
}

double SiatkaTabeli::wysokosc(Kanwa& k, const QStringList& komorki, const QFont& f) const {
    double h = k.wysokoscWiersza(f);
    for (std::size_t i = 0; i < kolumny_.size() && i < static_cast<std::size_t>(komorki.size());
         ++i)
        h = std::max(h, k.wysokoscTekstu(komorki[static_cast<qsizetype>(i)], f,
                                         kolumny_[i].szerokosc - 2 * Wciecie));
    return h + 2 * Pion;
}

void SiatkaTabeli::rysuj(Kanwa& k, double gora, const QStringList& komorki, const QFont& f,
                         bool naglowek) const {
    const double h = wysokosc(k, komorki, f);
    double x = lewa_;
    for (std::size_t i = 0; i < kolumny_.size(); ++i) {
        const Kolumna& kol = kolumny_[i];
        const QRectF ramka(x, gora, kol.szerokosc, h);
        k.ramka(ramka);
        const QString t = i < static_cast<std::size_t>(komorki.size())
                              ? komorki[static_cast<qsizetype>(i)]
                              : QString();
        const Qt::Alignment wyr = naglowek ? Qt::Alignment(Qt::AlignHCenter)
                                           : (kol.wyrownanie & Qt::AlignHorizontal_Mask);
        // Wraps at the font's size as measured; a word wider than its column shrinks instead.
        k.tekst(QRectF(x, gora + Pion, kol.szerokosc, h - 2 * Pion), t, f, wyr | Qt::AlignTop,
                Wciecie);
        x += kol.szerokosc;
    }
}

double SiatkaTabeli::wysokoscNaglowka(Kanwa& k) const {
    QStringList tytuly;
    for (const Kolumna& kol : kolumny_)
        tytuly << kol.tytul;
    return wysokosc(k, tytuly, naglowek_);
}

void SiatkaTabeli::rysujNaglowek(Kanwa& k, double gora) const {
    QStringList tytuly;
    for (const Kolumna& kol : kolumny_)
        tytuly << kol.tytul;
    rysuj(k, gora, tytuly, naglowek_, true);
}

double SiatkaTabeli::wysokoscWiersza(Kanwa& k, const QStringList& komorki) const {
    return wysokosc(k, komorki, tresc_);
}

void SiatkaTabeli::rysujWiersz(Kanwa& k, double gora, const QStringList& komorki) const {
    rysuj(k, gora, komorki, tresc_, false);
}

void SiatkaTabeli::rysujPodsumowanie(Kanwa& k, double gora, double wysokosc, int kolumnEtykiety,
                                     const QString& etykieta, const QStringList& wartosci,
                                     const QFont& czcionka) const {
    double x = lewa_;
    double szerEtykiety = 0.0;
    for (int i = 0; i < kolumnEtykiety && i < static_cast<int>(kolumny_.size()); ++i)
        szerEtykiety += kolumny_[static_cast<std::size_t>(i)].szerokosc;
    k.tekst(QRectF(x, gora, szerEtykiety, wysokosc), etykieta, czcionka,
            Qt::AlignRight | Qt::AlignVCenter, Wciecie);
    x += szerEtykiety;
    for (int i = kolumnEtykiety; i < static_cast<int>(kolumny_.size()); ++i) {
        const Kolumna& kol = kolumny_[static_cast<std::size_t>(i)];
        const int w = i - kolumnEtykiety;
        if (w < wartosci.size() && !wartosci[w].isEmpty()) {
            const QRectF r(x, gora, kol.szerokosc, wysokosc);
            k.ramka(r);
            k.tekst(r, wartosci[w], czcionka,
                    (kol.wyrownanie & Qt::AlignHorizontal_Mask) | Qt::AlignVCenter, Wciecie);
        }
        x += kol.szerokosc;
    }
}

} // namespace wydruk

#pragma once

#include <QFont>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

namespace wydruk {

class Kanwa;

// A document laid out from the top of the page down: blocks of text and tables follow one
// another and go on to a new page where they do not fit above the footer. A table that breaks
// repeats its heading on the next page.
class UkladStron {
public:
    using Rysuj = std::function<void(Kanwa&, double gora)>;
    using Stopka = std::function<void(Kanwa&, double gora, int strona)>;

    UkladStron(Kanwa& k, double wysokoscStopki, Stopka stopka);

    Kanwa& kanwa() { return k_; }
    double y() const { return y_; }
    int strona() const { return strona_; }
    // Room left on this page above the footer.
    double miejsce() const;

    // A block of the given height; on a new page when it does not fit. `zapas` is room that
    // must stay free below it (a heading with nothing under it is not left alone).
    void blok(double wysokosc, const Rysuj& rysuj, double zapas = 0.0);
    void odstep(double mm);
    // Starts a new page now (the current one gets its footer).
    void nowaStrona();

    // A table: its heading, then rows whose height may depend on their content.
    struct Tabela {
        double wysokoscNaglowka = 0.0;
        Rysuj naglowek;
        int wierszy = 0;
        std::function<double(int)> wysokoscWiersza;
        std::function<void(Kanwa&, int wiersz, double gora)> rysujWiersz;
    };
    void tabela(const Tabela& t);

    // The footer of the last page; the number of pages used.
    int zakoncz();

private:
    Kanwa& k_;
    double dol_;
    Stopka stopka_;
    double y_ = 0.0;
    int strona_ = 1;
    bool zakonczony_ = false;
};

// Columns of a table drawn as a grid of thin lines: each cell's text wraps within its column
// at the table's font size, and a row is as tall as its tallest cell.
class SiatkaTabeli {
public:
    struct Kolumna {
        QString tytul;
        double szerokosc = 0.0;
        Qt::Alignment wyrownanie = Qt::AlignLeft;
    };
    SiatkaTabeli(std::vector<Kolumna> kolumny, QFont tresc, QFont naglowek, double lewa = 0.0);

    double szerokosc() const;
    double wysokoscNaglowka(Kanwa& k) const;
    void rysujNaglowek(Kanwa& k, double gora) const;
    double wysokoscWiersza(Kanwa& k, const QStringList& komorki) const;
    void rysujWiersz(Kanwa& k, double gora, const QStringList& komorki) const;
    // A row without inner lines: a label across the first columns, values under the others
    // that are given (empty texts leave their column blank).
    void rysujPodsumowanie(Kanwa& k, double gora, double wysokosc, int kolumnEtykiety,
                           const QString& etykieta, const QStringList& wartosci,
                           const QFont& czcionka) const;

    static constexpr double Wciecie = 1.2; // text from a cell's vertical lines
    static constexpr double Pion = 0.9;    // text from a cell's horizontal lines

private:
    double wysokosc(Kanwa& k, const QStringList& komorki, const QFont& f) const;
    void rysuj(Kanwa& k, double gora, const QStringList& komorki, const QFont& f,
               bool naglowek) const;

    std::vector<Kolumna> kolumny_;
    QFont tresc_;
    QFont naglowek_;
    double lewa_;
};

} // namespace wydruk

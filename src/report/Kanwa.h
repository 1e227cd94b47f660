#pragma once

#include <QFont>
#include <QPainter>
#include <QRectF>
#include <QString>

class QPagedPaintDevice;

namespace wydruk {

enum class Linia { Ciagla, Kropkowana };

// Fonts of the printouts. Where Arial and Verdana are missing (Linux) their metric
// counterparts stand in: Liberation Sans for Arial, DejaVu Sans for Verdana.
QFont arial(double punkty, bool pogrubiona = false);
QFont verdana(double punkty, bool pogrubiona = false);

enum class Orientacja { Pionowa, Pozioma };

// An A4 page with 10 mm margins (portrait unless a wide table asks for landscape), drawn in
// millimetres from the top-left corner of the printable area. Drawing goes to any paged
// device: a PDF file, a printer, a preview.
class Kanwa {
public:
    // The printable area of a portrait page.
    static constexpr double Szerokosc = 190.0;
    static constexpr double Wysokosc = 277.0;
    static constexpr double Margines = 10.0;
    // Line thicknesses: a thin rule and the double rule under headings.
    static constexpr double Cienka = 0.26;
    static constexpr double Podwojna = 0.53;

    // Sets the page up and begins painting; throws std::runtime_error when the device cannot
    // be painted on (a PDF file that cannot be written, for instance).
    explicit Kanwa(QPagedPaintDevice& urzadzenie, Orientacja orientacja = Orientacja::Pionowa);
    ~Kanwa();

    // The printable area of this page.
    double szerokosc() const { return pozioma_ ? Wysokosc : Szerokosc; }
    double wysokosc() const { return pozioma_ ? Szerokosc : Wysokosc; }
    Kanwa(const Kanwa&) = delete;
    Kanwa& operator=(const Kanwa&) = delete;

    void nowaStrona();

    // Text inside a box. It stays on one line at the font's size when it fits; otherwise it
    // is wrapped at blanks and, if need be, set smaller until it fits the box: nothing is cut
    // and nothing runs into a neighbour. Left and right padding in mm.
    void tekst(const QRectF& mm, const QString& tekst, const QFont& czcionka,
               Qt::Alignment wyrownanie, double wciecie = 0.0);
    // Wrapped text that keeps its size; the box grows downward. Returns the height used.
    double tekstRosnacy(const QRectF& mm, const QString& tekst, const QFont& czcionka,
                        Qt::Alignment wyrownanie, double wciecie = 0.0);
    // The height wrapped text of this font takes in the given width.
    double wysokoscTekstu(const QString& tekst, const QFont& czcionka, double szerokosc) const;
    double wysokoscWiersza(const QFont& czcionka) const;

    void ramka(const QRectF& mm, double grubosc = Cienka);
    void liniaPozioma(double y, double x1, double x2, Linia rodzaj = Linia::Ciagla,
                      double grubosc = Cienka);

private:
    double naUrz(double mm) const { return mm * skala_; }
    QRectF naUrz(const QRectF& mm) const;
    QPen pioro(double grubosc, Linia rodzaj) const;

    QPagedPaintDevice& urz_;
    QPainter p_;
    double skala_ = 1.0; // device units per millimetre
    bool pozioma_ = false;
};

} // namespace wydruk

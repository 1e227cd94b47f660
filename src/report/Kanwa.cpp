#include "Kanwa.h"

#include <QFontMetricsF>
#include <QPageLayout>
#include <QPagedPaintDevice>
#include <QTextOption>

#include <cmath>
#include <stdexcept>

namespace wydruk {
namespace {

QFont czcionka(const QStringList& rodziny, double punkty, bool pogrubiona) {
    QFont f;
    f.setFamilies(rodziny);
    f.setPointSizeF(punkty);
    f.setBold(pogrubiona);
    // Positions are laid out in millimetres: metrics must not snap to device pixels.
    f.setHintingPreference(QFont::PreferNoHinting);
    f.setKerning(true);
    return f;
}

constexpr double NajmniejszyStopien = 5.0;

} // namespace

QFont arial(double punkty, bool pogrubiona) {
    return czcionka(
        {QStringLiteral("Arial"), QStringLiteral("Liberation Sans"), QStringLiteral("Arimo")},
        punkty, pogrubiona);
}

QFont verdana(double punkty, bool pogrubiona) {
    return czcionka({QStringLiteral("Verdana"), QStringLiteral("DejaVu Sans")}, punkty, pogrubiona);
}

Kanwa::Kanwa(QPagedPaintDevice& urzadzenie, Orientacja orientacja)
    : urz_(urzadzenie), pozioma_(orientacja == Orientacja::Pozioma) {
    urz_.setPageLayout(QPageLayout(
        QPageSize(QPageSize::A4), pozioma_ ? QPageLayout::Landscape : QPageLayout::Portrait,
        QMarginsF(Margines, Margines, Margines, Margines), QPageLayout::Millimeter));
    if (!p_.begin(&urz_))
        throw std::runtime_error("Nie można rozpocząć wydruku (nie da się zapisać pliku "
                                 "lub użyć drukarki).");
    skala_ = urz_.logicalDpiX() / 25.4;
}

Kanwa::~Kanwa() {
    p_.end();
}

void Kanwa::nowaStrona() {
    urz_.newPage();
}

QRectF Kanwa::naUrz(const QRectF& mm) const {
    return QRectF(naUrz(mm.left()), naUrz(mm.top()), naUrz(mm.width()), naUrz(mm.height()));
}

QPen Kanwa::pioro(double grubosc, Linia rodzaj) const {
    QPen pen(Qt::black, naUrz(grubosc));
    if (rodzaj == Linia::Kropkowana) {
        // Dots of one line width with two widths of gap.
        pen.setStyle(Qt::CustomDashLine);
        pen.setDashPattern({1.0, 2.0});
        pen.setCapStyle(Qt::FlatCap);
    }
    return pen;
}

double Kanwa::wysokoscWiersza(const QFont& czcionka) const {
    return QFontMetricsF(czcionka, &urz_).height() / skala_;
}

double Kanwa::wysokoscTekstu(const QString& tekst, const QFont& czcionka, double szerokosc) const {
    const QFontMetricsF fm(czcionka, &urz_);
    const QRectF r = fm.boundingRect(QRectF(0, 0, naUrz(szerokosc), 1e9),
                                     Qt::AlignLeft | Qt::AlignTop | Qt::TextWordWrap, tekst);
    return std::max(r.height(), fm.height()) / skala_;
}

void Kanwa::tekst(const QRectF& mm, const QString& tekst, const QFont& czcionka,
                  Qt::Alignment wyrownanie, double wciecie) {
    const QRectF wnetrze = mm.adjusted(wciecie, 0, -wciecie, 0);
    QFont f = czcionka;
    int flagi = static_cast<int>(wyrownanie);
    const double szer = naUrz(wnetrze.width());
    for (double pt = czcionka.pointSizeF(); pt >= NajmniejszyStopien; pt -= 0.5) {
        f.setPointSizeF(pt);
        const QFontMetricsF fm(f, &urz_);
        if (fm.horizontalAdvance(tekst) <= szer) {
            flagi = static_cast<int>(wyrownanie) | Qt::TextSingleLine;
            break;
        }
        const QRectF r = fm.boundingRect(QRectF(0, 0, szer, 1e9), Qt::TextWordWrap, tekst);
        if (r.height() <= naUrz(wnetrze.height()) + 0.01 && r.width() <= szer + 0.01) {
            flagi = static_cast<int>(wyrownanie) | Qt::TextWordWrap;
            break;
        }
        flagi = static_cast<int>(wyrownanie) | Qt::TextWrapAnywhere;
    }
    p_.setFont(f);
    p_.setPen(Qt::black);
    p_.drawText(naUrz(wnetrze), flagi, tekst);
}

double Kanwa::tekstRosnacy(const QRectF& mm, const QString& tekst, const QFont& czcionka,
                           Qt::Alignment wyrownanie, double wciecie) {
    const QRectF wnetrze = mm.adjusted(wciecie, 0, -wciecie, 0);
    const double h = std::max(mm.height(), wysokoscTekstu(tekst, czcionka, wnetrze.width()));
    p_.setFont(czcionka);
    p_.setPen(Qt::black);
    p_.drawText(naUrz(QRectF(wnetrze.left(), wnetrze.top(), wnetrze.width(), h)),
                static_cast<int>(wyrownanie) | Qt::TextWordWrap, tekst);
    return h;
}

void Kanwa::ramka(const QRectF& mm, double grubosc) {
    p_.setPen(pioro(grubosc, Linia::Ciagla));
    p_.setBrush(Qt::NoBrush);
    p_.drawRect(naUrz(mm));
}

void Kanwa::liniaPozioma(double y, double x1, double x2, Linia rodzaj, double grubosc) {
    p_.setPen(pioro(grubosc, rodzaj));
    p_.drawLine(QPointF(naUrz(x1), naUrz(y)), QPointF(naUrz(x2), naUrz(y)));
}

} // namespace wydruk

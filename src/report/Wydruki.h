#pragma once

#include "DaneWydrukow.h"
#include "Wiekowanie.h"

#include <QString>

#include <functional>

class QPagedPaintDevice;

namespace wydruk {

// A printout lays its pages out on any paged device: a PDF file, a printer, a preview.
using Wydruk = std::function<void(QPagedPaintDevice&)>;

// The payment receipt: two identical copies on one A4 page with a dotted cut line between.
void drukujDowod(QPagedPaintDevice& urzadzenie, const DaneDowodu& dane);
// The debtors or overpayments list; returns the number of pages.
int drukujListe(QPagedPaintDevice& urzadzenie, const DaneListy& dane);

// A run's report, a line a row; returns the number of pages.
int drukujRaport(QPagedPaintDevice& urzadzenie, const DaneRaportu& dane);
// The ageing of receivables: a landscape table of contractors by ranges of days past due;
// returns the number of pages.
int drukujWiekowanie(QPagedPaintDevice& urzadzenie, const DaneWiekowania& dane);
QString tytulWiekowania(const rozrachunki::Wiekowanie& dane);

Wydruk wydrukDowodu(DaneDowodu dane);
Wydruk wydrukListy(DaneListy dane);
Wydruk wydrukWiekowania(DaneWiekowania dane);
Wydruk wydrukRaportu(DaneRaportu dane);

// Writes the printout to a PDF file (vector text), whole or not at all. Returns the Polish
// message of a failure, else empty.
QString zapiszPdf(const Wydruk& wydruk, const QString& plik, const QString& tytul);

// Layout constants the tests and the preview share.
inline constexpr double PrzesuniecieKopii = 139.1; // the lower copy of the receipt
inline constexpr double LiniaCiecia = 134.4;
// Padding of text inside framed boxes: 2 and 5 units of 1/96 inch.
inline constexpr double WciecieRamki = 2 * 25.4 / 96;
inline constexpr double WciecieOpisu = 5 * 25.4 / 96;

} // namespace wydruk

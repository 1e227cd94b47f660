#pragma once

#include <QString>
#include <QStringList>

#include <vector>

// The words of a PDF with their boxes, as poppler's pdftotext -bbox reads them, in mm from
// the top-left corner of each page.
struct SlowoPdf {
    int strona = 0; // from 1
    QString tekst;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    double srodekX() const { return (x1 + x2) / 2; }
    double srodekY() const { return (y1 + y2) / 2; }
};

struct TekstPdf {
    std::vector<SlowoPdf> slowa;
    int stron = 0;

    static TekstPdf czytaj(const QString& plikPdf);
    // Every occurrence of the words of the phrase in a row on one line; each as one box.
    std::vector<SlowoPdf> znajdz(const QString& fraza) const;
    QStringList slowaStrony(int strona) const;
};

#pragma once

#include "DaneWydrukow.h"
#include "DrukiWindykacji.h"
#include "Wydruki.h"

#include <QString>

#include <functional>
#include <memory>
#include <optional>

class QAction;
class QPrinter;
class QPrintPreviewDialog;
class QWidget;

namespace wydruk {

// The preview of a printout: zoom, page navigation, page setup and printing on the default
// or a chosen printer, plus "Eksport do PDF" and, for the lists, "Eksport do CSV".
class TPodgladWydruku {
public:
    TPodgladWydruku(Wydruk wydruk, const QString& tytul, const QString& nazwaPliku,
                    QWidget* rodzic = nullptr);
    ~TPodgladWydruku();
    TPodgladWydruku(const TPodgladWydruku&) = delete;
    TPodgladWydruku& operator=(const TPodgladWydruku&) = delete;

    // Offers the CSV export of a list.
    void setEksportCsv(DaneListy lista);

    int Execute();

    // Asks where to save (filter, suggested name); empty when the user gave up. Tests
    // replace it.
    std::function<QString(const QString& filtr, const QString& nazwa)> wybierzPlik;
    // The exports behind the two actions; errors are shown, success is confirmed.
    bool eksportujPdf(const QString& plik);
    bool eksportujCsv(const QString& plik);

    QPrintPreviewDialog& okno() const { return *okno_; }
    QAction* akcjaPdf() const { return akcjaPdf_; }
    QAction* akcjaCsv() const { return akcjaCsv_; }

private:
    void eksport(const QString& filtr, const QString& rozszerzenie,
                 bool (TPodgladWydruku::*zapisz)(const QString&));

    Wydruk wydruk_;
    QString tytul_;
    QString nazwaPliku_;
    std::optional<DaneListy> lista_;
    std::unique_ptr<QPrinter> drukarka_;
    std::unique_ptr<QPrintPreviewDialog> okno_;
    QAction* akcjaPdf_ = nullptr;
    QAction* akcjaCsv_ = nullptr;
};

// What the browser's print buttons open: the preview of a receipt or of a list.
void pokazDowod(const DaneDowodu& dane, QWidget* rodzic);
void pokazListe(const DaneListy& dane, QWidget* rodzic);
// The previews of the collection documents; several reminders or confirmations are one
// file, each from a new page.
void pokazNote(const dokumenty::NotaOdsetkowa& nota, QWidget* rodzic);
void pokazWezwania(const std::vector<dokumenty::WezwanieDoZaplaty>& wezwania, QWidget* rodzic);
void pokazPotwierdzenia(const std::vector<dokumenty::PotwierdzenieSalda>& potwierdzenia,
                        QWidget* rodzic);
// Suggested file names (without extension).
QString nazwaPlikuDowodu(const DaneDowodu& dane);
QString nazwaPlikuListy(const DaneListy& dane);

} // namespace wydruk

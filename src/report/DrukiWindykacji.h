#pragma once

#include "Dokumenty.h"
#include "Wydruki.h"

#include <QString>

#include <vector>

class QPagedPaintDevice;

// The collection documents on A4: the interest note, the payment reminder and the balance
// confirmation. Several reminders or confirmations go into one file, each from a new page.
namespace wydruk {

// Each returns the number of pages it used.
int drukujNote(QPagedPaintDevice& urzadzenie, const dokumenty::NotaOdsetkowa& nota);
int drukujWezwania(QPagedPaintDevice& urzadzenie,
                   const std::vector<dokumenty::WezwanieDoZaplaty>& wezwania);
int drukujPotwierdzenia(QPagedPaintDevice& urzadzenie,
                        const std::vector<dokumenty::PotwierdzenieSalda>& potwierdzenia);

Wydruk wydrukNoty(dokumenty::NotaOdsetkowa nota);
Wydruk wydrukWezwan(std::vector<dokumenty::WezwanieDoZaplaty> wezwania);
Wydruk wydrukPotwierdzen(std::vector<dokumenty::PotwierdzenieSalda> potwierdzenia);

// Titles and suggested file names (without extension) of the documents.
QString tytulNoty(const dokumenty::NotaOdsetkowa& nota);
QString nazwaPlikuNoty(const dokumenty::NotaOdsetkowa& nota);
QString nazwaPlikuWezwania(const dokumenty::WezwanieDoZaplaty& w);
QString nazwaPlikuPotwierdzenia(const dokumenty::PotwierdzenieSalda& p);

} // namespace wydruk

#pragma once

#include "DaneWydrukow.h"
#include "frmRozliczenia.h"

#include <QDate>

#include <optional>

class QWidget;
class Tdm;

namespace wydruk {

// The previews behind the settlement browser's print buttons, read from the database at the
// moment of pressing. A receipt the rules refuse gets a warning instead.
void pokazDowodZBazy(Tdm& dm, int wpisId, QWidget* rodzic);
void pokazListeZBazy(Tdm& dm, RodzajListy rodzaj, QWidget* rodzic);
// The ageing as of the day, read at the moment of pressing.
void pokazWiekowanieZBazy(Tdm& dm, const QDate& naDzien, QWidget* rodzic);
// Asks for the day of the ageing (today offered); nothing when the user gave up.
std::optional<QDate> zapytajODzienWiekowania(QWidget* rodzic);

// "Druku&j", "Drukuj" on "Należności" and "Drukuj" on "Nadpłaty", for TRozliczeniaFrm.
DrukiRozliczen drukiRozliczen(Tdm& dm, QWidget* rodzic);

} // namespace wydruk

#pragma once

#include "DaneWydrukow.h"
#include "frmRozliczenia.h"

class QWidget;
class Tdm;

namespace wydruk {

// The previews behind the settlement browser's print buttons, read from the database at the
// moment of pressing. A receipt the rules refuse gets a warning instead.
void pokazDowodZBazy(Tdm& dm, int wpisId, QWidget* rodzic);
void pokazListeZBazy(Tdm& dm, RodzajListy rodzaj, QWidget* rodzic);

// "Druku&j", "Drukuj" on "Należności" and "Drukuj" on "Nadpłaty", for TRozliczeniaFrm.
DrukiRozliczen drukiRozliczen(Tdm& dm, QWidget* rodzic);

} // namespace wydruk

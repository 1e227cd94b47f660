#include "DrukiRozliczen.h"

#include "CzytajWydruki.h"
#include "PodgladWydruku.h"
#include "WaitCursor.h"
#include "komun.h"

#include <memory>

namespace wydruk {

void pokazDowodZBazy(Tdm& dm, int wpisId, QWidget* rodzic) {
    std::variant<DaneDowodu, QString> dowod = [&] {
        const WaitCursor kursor;
        return czytajDowod(dm, wpisId);
    }();
    if (const QString* odmowa = std::get_if<QString>(&dowod)) {
        Uwaga(*odmowa);
        return;
    }
    pokazDowod(std::get<DaneDowodu>(dowod), rodzic);
}

void pokazListeZBazy(Tdm& dm, RodzajListy rodzaj, QWidget* rodzic) {
    DaneListy lista = [&] {
        const WaitCursor kursor;
        return czytajListe(dm, rodzaj);
    }();
    if (lista.wiersze.empty()) {
        Info(QStringLiteral("Lista jest pusta: nie ma czego drukować."));
        return;
    }
    pokazListe(lista, rodzic);
}

DrukiRozliczen drukiRozliczen(Tdm& dm, QWidget* rodzic) {
    DrukiRozliczen d;
    d.dowodWplaty = [&dm, rodzic](int wpisId) { pokazDowodZBazy(dm, wpisId, rodzic); };
    d.naleznosci = [&dm, rodzic] { pokazListeZBazy(dm, RodzajListy::Dluznicy, rodzic); };
    d.nadplaty = [&dm, rodzic] { pokazListeZBazy(dm, RodzajListy::Nadplaty, rodzic); };
    d.zestawienie = [&dm, rodzic] { pokazListeZBazy(dm, RodzajListy::Zestawienie, rodzic); };
    return d;
}

} // namespace wydruk

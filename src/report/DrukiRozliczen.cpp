#include "DrukiRozliczen.h"

#include "frmWindykacja.h"

#include "CzytajWydruki.h"
#include "DialogButtons.h"
#include "PodgladWydruku.h"
#include "PoleDaty.h"
#include "WaitCursor.h"
#include "fdm.h"
#include "komun.h"

#include <QDateEdit>
#include <QDialog>
#include <QFormLayout>
#include <QPushButton>

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

void pokazWiekowanieZBazy(Tdm& dm, const QDate& naDzien, QWidget* rodzic) {
    const DaneWiekowania w = [&] {
        const WaitCursor kursor;
        return czytajWiekowanie(dm, naDzien);
    }();
    pokazWiekowanie(w, rodzic);
}

std::optional<QDate> zapytajODzienWiekowania(QWidget* rodzic) {
    QDialog d(rodzic);
    d.setObjectName(QStringLiteral("WiekowanieDzienFrm")); // kept where the user leaves it
    d.setWindowTitle(QStringLiteral("Wiekowanie należności"));
    auto* dzien = new PoleDaty(QDate::currentDate(), &d);
    auto* form = new QFormLayout;
    form->addRow(QStringLiteral("Należności na &dzień:"), dzien);
    const DialogButtons b = layOutFormDialog(d, form, QStringLiteral("&Pokaż"));
    QObject::connect(b.ok, &QPushButton::clicked, &d, &QDialog::accept);
    if (d.exec() != QDialog::Accepted)
        return std::nullopt;
    return dzien->date();
}

DrukiRozliczen drukiRozliczen(Tdm& dm, QWidget* rodzic) {
    DrukiRozliczen d;
    d.dowodWplaty = [&dm, rodzic](int wpisId) { pokazDowodZBazy(dm, wpisId, rodzic); };
    d.naleznosci = [&dm, rodzic] { pokazListeZBazy(dm, RodzajListy::Dluznicy, rodzic); };
    d.nadplaty = [&dm, rodzic] { pokazListeZBazy(dm, RodzajListy::Nadplaty, rodzic); };
    d.zestawienie = [&dm, rodzic] { pokazListeZBazy(dm, RodzajListy::Zestawienie, rodzic); };
    d.wiekowanie = [&dm, rodzic] {
        if (const auto dzien = zapytajODzienWiekowania(rodzic))
            pokazWiekowanieZBazy(dm, *dzien, rodzic);
    };
    d.notaOdsetkowa = [&dm, rodzic](int klientId, const QString& nazwa) {
        TNotaOdsetkowaFrm f(dm.conn, klientId, nazwa, rodzic);
        bool zmieniono = false;
        QObject::connect(&f, &TNotaOdsetkowaFrm::zmieniono, [&zmieniono] { zmieniono = true; });
        f.exec();
        return zmieniono;
    };
    d.wezwanie = [&dm, rodzic](int klientId, const QString& nazwa) {
        TDokumentyWindykacjiFrm f(dm.conn, TDokumentyWindykacjiFrm::Rodzaj::Wezwania, klientId,
                                  nazwa, rodzic);
        f.exec();
        return false;
    };
    d.potwierdzenie = [&dm, rodzic](int klientId, const QString& nazwa) {
        TDokumentyWindykacjiFrm f(dm.conn, TDokumentyWindykacjiFrm::Rodzaj::Potwierdzenia, klientId,
                                  nazwa, rodzic);
        f.exec();
        return false;
    };
    return d;
}

} // namespace wydruk

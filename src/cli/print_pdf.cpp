#include "PrintPdf.h"

#include "CzytajWydruki.h"
#include "Globals.h"
#include "Wydruki.h"
#include "fdm.h"

#include <QDir>

namespace cli {

int printPdf(Args args) {
    const QStringList windykacja{QStringLiteral("interest"), QStringLiteral("reminders"),
                                 QStringLiteral("confirmations")};
    if (!args.remaining().isEmpty() && windykacja.contains(args.remaining().first())) {
        QStringList reszta = args.remaining();
        const QString co = reszta.takeFirst();
        Args a(reszta);
        return printWindykacja(co, a);
    }
    const ZlecenieDruku z = czytajZlecenieDruku(args);
    if (!z.csv.isEmpty())
        throw UsageError("brevant-print writes PDF only; brevant-cli print writes CSV");

    Tdm data;
    dm = &data;
    data.connect(z.baza);
    requireCurrentSchema(data.conn);
    wydruk::Wydruk w;
    QString tytul;
    if (z.co == ZlecenieDruku::Co::Dowod) {
        auto dowod = wydruk::czytajDowod(data, z.wpisId);
        if (const QString* odmowa = std::get_if<QString>(&dowod))
            throw Refused(*odmowa);
        tytul = QStringLiteral("Dowód wpłaty");
        w = wydruk::wydrukDowodu(std::get<wydruk::DaneDowodu>(std::move(dowod)));
    } else if (z.co == ZlecenieDruku::Co::Wiekowanie) {
        wydruk::DaneWiekowania wk = wydruk::czytajWiekowanie(data, z.naDzien);
        tytul = wydruk::tytulWiekowania(wk.wiekowanie);
        w = wydruk::wydrukWiekowania(std::move(wk));
    } else {
        wydruk::DaneListy lista = wydruk::czytajListe(data, z.co == ZlecenieDruku::Co::Dluznicy
                                                                ? wydruk::RodzajListy::Dluznicy
                                                                : wydruk::RodzajListy::Nadplaty);
        // As in the window, whose "Drukuj" is disabled for an empty list.
        if (lista.wiersze.empty())
            throw Refused(z.co == ZlecenieDruku::Co::Dluznicy
                              ? QStringLiteral("Żaden kontrahent nie ma należności do zapłaty.")
                              : QStringLiteral("Żaden kontrahent nie ma nadpłaty."));
        tytul = wydruk::tytulListy(lista.rodzaj);
        w = wydruk::wydrukListy(std::move(lista));
    }
    data.closeConnection();
    dm = nullptr;
    const QString blad = wydruk::zapiszPdf(w, z.pdf, tytul);
    if (!blad.isEmpty())
        throw std::runtime_error(blad.toStdString());
    out(QStringLiteral("Zapisano plik %1.").arg(QDir::toNativeSeparators(z.pdf)));
    return ExitOk;
}

} // namespace cli

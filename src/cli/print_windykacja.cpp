#include "PrintPdf.h"

#include "DrukiWindykacji.h"
#include "NotyOdsetkowe.h"
#include "SeriaDokumentow.h"

#include <QDir>

namespace cli {

namespace {

template <typename T> T albo(std::variant<T, QString> v) {
    if (const QString* odmowa = std::get_if<QString>(&v))
        throw Refused(*odmowa);
    return std::get<T>(std::move(v));
}

void zapisz(const wydruk::Wydruk& w, const QString& plik, const QString& tytul) {
    const QString blad = wydruk::zapiszPdf(w, plik, tytul);
    if (!blad.isEmpty())
        throw std::runtime_error(blad.toStdString());
    out(QStringLiteral("Zapisano plik %1.").arg(QDir::toNativeSeparators(plik)));
}

// One file with a contractor a page on, or a folder with a file per contractor.
template <typename Dokument, typename Wydruk, typename Nazwa>
void zapiszSerie(std::vector<Dokument> dokumenty, const QString& pdf, const QString& tytul,
                 Wydruk wydruk, Nazwa nazwa) {
    if (jedenPlikPdf(pdf)) {
        zapisz(wydruk(std::move(dokumenty)), pdf, tytul);
        return;
    }
    if (!QDir().mkpath(pdf))
        throw std::runtime_error(
            QStringLiteral("Nie można utworzyć folderu %1.").arg(pdf).toStdString());
    const QDir folder(pdf);
    for (Dokument& d : dokumenty) {
        const QString plik = folder.filePath(nazwa(d) + QStringLiteral(".pdf"));
        zapisz(wydruk({std::move(d)}), plik, tytul);
    }
}

} // namespace

int printWindykacja(const QString& co, Args& args) {
    const ZlecenieWindykacji z = czytajZlecenieWindykacji(co, args);
    if (z.pdf.isEmpty())
        throw UsageError("expected --pdf");
    db::Attachment att;
    att.open(z.baza);
    requireCurrentSchema(att);
    switch (z.co) {
    case ZlecenieWindykacji::Co::Odsetki: {
        dokumenty::ParametryNoty p;
        p.doDnia = z.doDnia;
        p.dataWystawienia = z.dataWystawienia;
        p.zNiezaplaconymi = true;
        const dokumenty::NotaOdsetkowa n = albo(noty::przygotuj(att, z.klientId, p));
        zapisz(wydruk::wydrukNoty(n), z.pdf, wydruk::tytulNoty(n));
        break;
    }
    case ZlecenieWindykacji::Co::Wezwania: {
        dokumenty::ParametryWezwania p;
        p.dataWystawienia = z.dataWystawienia;
        p.ponadDni = z.ponadDni;
        p.terminDni = z.terminDni;
        zapiszSerie(albo(windykacja::wezwania(att, p, 0)).dokumenty, z.pdf,
                    QStringLiteral("Wezwania do zapłaty"), wydruk::wydrukWezwan,
                    wydruk::nazwaPlikuWezwania);
        break;
    }
    case ZlecenieWindykacji::Co::Potwierdzenia:
        zapiszSerie(albo(windykacja::potwierdzenia(att, z.doDnia, z.dataWystawienia, 0)).dokumenty,
                    z.pdf, QStringLiteral("Potwierdzenia salda"), wydruk::wydrukPotwierdzen,
                    wydruk::nazwaPlikuPotwierdzenia);
        break;
    }
    return ExitOk;
}

} // namespace cli

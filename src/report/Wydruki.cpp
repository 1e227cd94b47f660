#include "Wydruki.h"

#include "Formaty.h"
#include "Kanwa.h"
#include "RaportPasmowy.h"

#include <QPdfWriter>
#include <QSaveFile>

#include <exception>

namespace wydruk {
namespace {

// One copy of the receipt; every box in mm from the top-left corner of the printable area.
void kopiaDowodu(Kanwa& k, const DaneDowodu& d, double dy) {
    auto box = [dy](double x, double y, double w, double h) { return QRectF(x, y + dy, w, h); };
    const Qt::Alignment srodek = Qt::AlignHCenter | Qt::AlignVCenter;
    const Qt::Alignment lewo = Qt::AlignLeft | Qt::AlignTop;

    k.tekst(box(128.8, 4.0, 59.0, 5.0),
            QStringLiteral("Dowód wpłaty z dnia: %1 r.").arg(formatDaty(d.dataWydruku)), arial(10),
            Qt::AlignRight | Qt::AlignTop);

    const QRectF pieczec = box(4.0, 30.3, 47.0, 6.0);
    k.liniaPozioma(pieczec.top(), pieczec.left(), pieczec.right(), Linia::Kropkowana);
    k.tekst(pieczec, QStringLiteral("Pieczęć"), arial(10), srodek);

    k.tekst(box(5.3, 43.7, 9.0, 5.0), QStringLiteral("Dla:"), arial(12),
            Qt::AlignHCenter | Qt::AlignTop);
    k.tekst(box(15.9, 43.7, 172.4, 5.0), d.nazwa, arial(12, true), lewo);

    const QRectF naglOpisu = box(3.9, 68.1, 141.1, 6.0);
    k.ramka(naglOpisu);
    k.tekst(naglOpisu, QStringLiteral("Opis transakcji"), arial(12), srodek);
    const QRectF opis = box(3.9, 74.2, 141.1, 7.0);
    k.ramka(opis);
    k.tekst(opis, d.opis, arial(12), Qt::AlignLeft | Qt::AlignVCenter, WciecieOpisu);

    const QRectF naglKwoty = box(145.1, 68.1, 45.0, 6.0);
    k.ramka(naglKwoty);
    k.tekst(naglKwoty, QStringLiteral("Kwota wpłaty"), arial(12), srodek);
    const QRectF kwota = box(145.0, 74.2, 45.0, 7.0);
    k.ramka(kwota);
    k.tekst(kwota, formatNPrzecinek(d.zaplacono), arial(12), Qt::AlignRight | Qt::AlignVCenter,
            WciecieRamki);

    // Long amounts in words take a second line of the empty space below before they shrink.
    k.tekst(box(4.5, 84.9, 185.4, 10.0), QStringLiteral("Słownie: ") + d.slownie, arial(12), lewo);

    const QRectF podpis = box(141.0, 111.7, 47.0, 6.0);
    k.liniaPozioma(podpis.top(), podpis.left(), podpis.right(), Linia::Kropkowana);
    k.tekst(podpis, QStringLiteral("Podpis"), arial(10), srodek);
}

} // namespace

void drukujDowod(QPagedPaintDevice& urzadzenie, const DaneDowodu& dane) {
    Kanwa k(urzadzenie);
    kopiaDowodu(k, dane, 0.0);
    k.liniaPozioma(LiniaCiecia, 0.0, Kanwa::Szerokosc, Linia::Kropkowana);
    kopiaDowodu(k, dane, PrzesuniecieKopii);
}

int drukujListe(QPagedPaintDevice& urzadzenie, const DaneListy& dane) {
    constexpr double KolumnaNazwy = 152.6;
    constexpr double Wciecie = 1.0;
    constexpr double Pionowy = 1.0; // space above and below a row's text
    const QFont tresc = verdana(12);
    const QFont pogrubiona = verdana(12, true);
    const Qt::Alignment prawo = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment lewo = Qt::AlignLeft | Qt::AlignVCenter;

    Kanwa k(urzadzenie);
    const double wiersz = k.wysokoscWiersza(tresc) + 2 * Pionowy;
    const QRectF kolNazwy(0, 0, KolumnaNazwy, wiersz);
    const QRectF kolKwoty(KolumnaNazwy, 0, Kanwa::Szerokosc - KolumnaNazwy, wiersz);

    RaportPasmowy r;
    // The company's name, when its details are set, stands above the title.
    const QFont czcionkaFirmy = verdana(9);
    const double firma = dane.firma.isEmpty()
                             ? 0.0
                             : k.wysokoscTekstu(dane.firma, czcionkaFirmy, Kanwa::Szerokosc) + 2.0;
    r.tytul = {firma + wiersz + 4.0, [&](Kanwa& kk, double y) {
                   if (firma > 0.0)
                       kk.tekstRosnacy(QRectF(0, y, Kanwa::Szerokosc, firma - 2.0), dane.firma,
                                       czcionkaFirmy, Qt::AlignLeft);
                   kk.tekst(QRectF(0, y + firma, Kanwa::Szerokosc, wiersz), tytulListy(dane.rodzaj),
                            pogrubiona, Qt::AlignCenter);
               }};
    r.naglowekStrony = {wiersz + 1.0, [&](Kanwa& kk, double y) {
                            kk.tekst(kolNazwy.translated(0, y), QStringLiteral("Kontrahent"),
                                     pogrubiona, lewo, Wciecie);
                            kk.tekst(kolKwoty.translated(0, y), naglowekKwoty(dane.rodzaj),
                                     pogrubiona, prawo, Wciecie);
                            kk.liniaPozioma(y + wiersz, 0, Kanwa::Szerokosc, Linia::Ciagla,
                                            Kanwa::Podwojna);
                        }};
    r.liczbaWierszy = static_cast<int>(dane.wiersze.size());
    r.wysokoscWiersza = [&](Kanwa& kk, int i) {
        const QString& nazwa = dane.wiersze[static_cast<std::size_t>(i)].nazwa;
        return std::max(wiersz,
                        kk.wysokoscTekstu(nazwa, tresc, KolumnaNazwy - 2 * Wciecie) + 2 * Pionowy);
    };
    r.rysujWiersz = [&](Kanwa& kk, int i, double y) {
        const WierszSalda& w = dane.wiersze[static_cast<std::size_t>(i)];
        const double h = r.wysokoscWiersza(kk, i);
        kk.tekstRosnacy(QRectF(0, y + Pionowy, KolumnaNazwy, h - 2 * Pionowy), w.nazwa, tresc, lewo,
                        Wciecie);
        kk.tekst(QRectF(KolumnaNazwy, y, kolKwoty.width(), h), kwotaWiersza(dane.rodzaj, w.saldo),
                 tresc, prawo, Wciecie);
        kk.liniaPozioma(y + h, 0, KolumnaNazwy);
        kk.liniaPozioma(y + h, KolumnaNazwy, Kanwa::Szerokosc);
    };
    r.podsumowanie = {wiersz + 2.0, [&](Kanwa& kk, double y) {
                          kk.tekst(QRectF(0, y + 1.0, KolumnaNazwy, wiersz),
                                   QStringLiteral("Razem"), tresc, prawo, Wciecie);
                          kk.tekst(kolKwoty.translated(0, y + 1.0), formatN(suma(dane)), tresc,
                                   prawo, Wciecie);
                      }};
    r.wysokoscStopki = wiersz;
    r.stopka = [&](Kanwa& kk, double y, int strona) {
        kk.tekst(QRectF(0, y, Kanwa::Szerokosc / 2, wiersz),
                 QLocale().toString(dane.dataWydruku, QLocale::ShortFormat), tresc,
                 Qt::AlignLeft | Qt::AlignBottom);
        kk.tekst(QRectF(Kanwa::Szerokosc / 2, y, Kanwa::Szerokosc / 2, wiersz),
                 QStringLiteral("Strona %1").arg(strona), tresc, Qt::AlignRight | Qt::AlignBottom);
    };
    return r.drukuj(k);
}

Wydruk wydrukDowodu(DaneDowodu dane) {
    return [d = std::move(dane)](QPagedPaintDevice& u) { drukujDowod(u, d); };
}

Wydruk wydrukListy(DaneListy dane) {
    return [d = std::move(dane)](QPagedPaintDevice& u) { drukujListe(u, d); };
}

QString zapiszPdf(const Wydruk& wydruk, const QString& plik, const QString& tytul) {
    QSaveFile f(plik);
    if (!f.open(QIODevice::WriteOnly))
        return QStringLiteral("Nie udało się zapisać pliku %1:\r%2").arg(plik, f.errorString());
    try {
        QPdfWriter pdf(&f);
        pdf.setTitle(tytul);
        pdf.setCreator(QStringLiteral("Brevant"));
        pdf.setResolution(1200);
        wydruk(pdf);
    } catch (const std::exception& e) {
        return QString::fromUtf8(e.what());
    }
    if (!f.commit())
        return QStringLiteral("Nie udało się zapisać pliku %1:\r%2").arg(plik, f.errorString());
    return {};
}

} // namespace wydruk

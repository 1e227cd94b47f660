#include "Wydruki.h"

#include "Formaty.h"
#include "Kanwa.h"
#include "RaportPasmowy.h"
#include "Wyglad.h"

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
            QStringLiteral("Dowód wpłaty z dnia: %1 r.").arg(FormatDaty(d.dataWydruku)), arial(10),
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

// The first page's title band of a printed list: the company's name when it is known, the
// title, and the day the list shows.
RaportPasmowy::Pasmo pasmoTytulu(const Kanwa& k, const QString& tytul, const NaglowekListy& n) {
    const QFont firma = verdana(10, true);
    const QFont pogrubiona = verdana(12, true);
    const QFont stan = verdana(10);
    const double hFirmy = n.firma.isEmpty() ? 0.0 : k.wysokoscWiersza(firma) + 2.0;
    const double hTytulu = k.wysokoscWiersza(pogrubiona) + 2.0;
    const double hStanu = k.wysokoscWiersza(stan) + 4.0;
    const double szer = k.szerokosc(); // a landscape page is wider
    return {hFirmy + hTytulu + hStanu, [=](Kanwa& kk, double y) {
                if (!n.firma.isEmpty())
                    kk.tekst(QRectF(0, y, szer, hFirmy), n.firma, firma,
                             Qt::AlignLeft | Qt::AlignTop);
                kk.tekst(QRectF(0, y + hFirmy, szer, hTytulu), tytul, pogrubiona, Qt::AlignCenter);
                kk.tekst(QRectF(0, y + hFirmy + hTytulu, szer, hStanu - 2.0),
                         stanNaDzien(n.stanNaDzien), stan, Qt::AlignHCenter | Qt::AlignTop);
            }};
}

// The footer of every page: the day of printing at the left, "Strona N z M" at the right.
void stopkaListy(RaportPasmowy& r, const Kanwa& k, const QDate& dzien) {
    const QFont tresc = verdana(10);
    const double h = k.wysokoscWiersza(tresc) + 2.0;
    const double szer = k.szerokosc();
    r.wysokoscStopki = h;
    r.stopka = [=](Kanwa& kk, double y, int strona, int stron) {
        kk.tekst(QRectF(0, y, szer / 2, h), FormatDaty(dzien), tresc,
                 Qt::AlignLeft | Qt::AlignBottom);
        kk.tekst(QRectF(szer / 2, y, szer / 2, h),
                 QStringLiteral("Strona %1 z %2").arg(strona).arg(stron), tresc,
                 Qt::AlignRight | Qt::AlignBottom);
    };
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
    r.tytul = pasmoTytulu(k, tytulListy(dane.rodzaj), dane.naglowek());
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
                          kk.tekst(kolKwoty.translated(0, y + 1.0), FormatKwoty(suma(dane)), tresc,
                                   prawo, Wciecie);
                      }};
    stopkaListy(r, k, dane.dataWydruku);
    return r.drukuj(k);
}

int drukujRaport(QPagedPaintDevice& urzadzenie, const DaneRaportu& dane) {
    constexpr double Pionowy = 0.4;
    const QFont tresc = verdana(9);
    Kanwa k(urzadzenie);
    const double wiersz = k.wysokoscWiersza(tresc) + 2 * Pionowy;

    RaportPasmowy r;
    r.tytul = pasmoTytulu(k, dane.tytul, dane.naglowek());
    r.liczbaWierszy = static_cast<int>(dane.wiersze.size());
    r.wysokoscWiersza = [&](Kanwa& kk, int i) {
        const QString& t = dane.wiersze[i];
        return t.isEmpty()
                   ? wiersz
                   : std::max(wiersz, kk.wysokoscTekstu(t, tresc, Kanwa::Szerokosc) + 2 * Pionowy);
    };
    r.rysujWiersz = [&](Kanwa& kk, int i, double y) {
        const QString& t = dane.wiersze[i];
        if (!t.isEmpty())
            kk.tekstRosnacy(QRectF(0, y + Pionowy, Kanwa::Szerokosc, wiersz - 2 * Pionowy), t,
                            tresc, Qt::AlignLeft | Qt::AlignVCenter);
    };
    stopkaListy(r, k, dane.dataWydruku);
    return r.drukuj(k);
}

Wydruk wydrukRaportu(DaneRaportu dane) {
    return [d = std::move(dane)](QPagedPaintDevice& u) { drukujRaport(u, d); };
}

QString tytulWiekowania(const rozrachunki::Wiekowanie& dane) {
    return QStringLiteral("Wiekowanie należności na dzień ") + FormatDaty(dane.naDzien.qdate());
}

int drukujWiekowanie(QPagedPaintDevice& urzadzenie, const DaneWiekowania& daneWydruku) {
    const rozrachunki::Wiekowanie& dane = daneWydruku.wiekowanie;
    constexpr int Kolumn = rozrachunki::LiczbaPrzedzialow + 1; // the ranges and the total
    constexpr double KolumnaNazwy = 88.0;
    constexpr double Wciecie = 1.0;
    constexpr double Pionowy = 0.8;
    const QFont tresc = verdana(8.5);
    const QFont pogrubiona = verdana(8.5, true);
    const Qt::Alignment prawo = Qt::AlignRight | Qt::AlignVCenter;
    const Qt::Alignment lewo = Qt::AlignLeft | Qt::AlignVCenter;

    Kanwa k(urzadzenie, Orientacja::Pozioma);
    const double szer = k.szerokosc();
    const double kolumnaKwoty = (szer - KolumnaNazwy) / Kolumn;
    const double wiersz = k.wysokoscWiersza(tresc) + 2 * Pionowy;
    auto kolumna = [&](int i, double y, double h) {
        return QRectF(KolumnaNazwy + i * kolumnaKwoty, y, kolumnaKwoty, h);
    };
    auto kwoty = [&](Kanwa& kk, const rozrachunki::WierszWiekowania& w, double y, double h,
                     const QFont& f) {
        for (int i = 0; i < Kolumn; ++i) {
            const Money m =
                i < rozrachunki::LiczbaPrzedzialow ? w.kwoty[static_cast<size_t>(i)] : w.razem();
            kk.tekst(kolumna(i, y, h), FormatKwoty(m), f, prawo, Wciecie);
        }
    };

    RaportPasmowy r;
    // The day the ageing is for stands under the title as on every list.
    r.tytul = pasmoTytulu(k, QStringLiteral("Wiekowanie należności"),
                          {daneWydruku.firma, dane.naDzien.qdate()});
    const double naglowek = 2 * wiersz;
    r.naglowekStrony = {naglowek + 1.0, [&](Kanwa& kk, double y) {
                            kk.tekst(QRectF(0, y, KolumnaNazwy, naglowek),
                                     QStringLiteral("Kontrahent"), pogrubiona, lewo, Wciecie);
                            for (int i = 0; i < Kolumn; ++i)
                                kk.tekst(kolumna(i, y, naglowek),
                                         i < rozrachunki::LiczbaPrzedzialow
                                             ? rozrachunki::NazwaPrzedzialu(i)
                                             : QStringLiteral("Razem"),
                                         pogrubiona, prawo, Wciecie);
                            kk.liniaPozioma(y + naglowek, 0, szer, Linia::Ciagla, Kanwa::Podwojna);
                        }};
    r.liczbaWierszy = static_cast<int>(dane.wiersze.size());
    r.wysokoscWiersza = [&](Kanwa& kk, int i) {
        const QString& nazwa = dane.wiersze[static_cast<std::size_t>(i)].nazwa;
        return std::max(wiersz,
                        kk.wysokoscTekstu(nazwa, tresc, KolumnaNazwy - 2 * Wciecie) + 2 * Pionowy);
    };
    r.rysujWiersz = [&](Kanwa& kk, int i, double y) {
        const rozrachunki::WierszWiekowania& w = dane.wiersze[static_cast<std::size_t>(i)];
        const double h = r.wysokoscWiersza(kk, i);
        kk.tekstRosnacy(QRectF(0, y + Pionowy, KolumnaNazwy, h - 2 * Pionowy), w.nazwa, tresc, lewo,
                        Wciecie);
        kwoty(kk, w, y, h, tresc);
        kk.liniaPozioma(y + h, 0, szer);
    };
    r.podsumowanie = {wiersz + 2.0, [&](Kanwa& kk, double y) {
                          kk.tekst(QRectF(0, y + 1.0, KolumnaNazwy, wiersz),
                                   QStringLiteral("Razem"), pogrubiona, lewo, Wciecie);
                          kwoty(kk, dane.suma, y + 1.0, wiersz, pogrubiona);
                      }};
    stopkaListy(r, k, daneWydruku.dataWydruku);
    return r.drukuj(k);
}

Wydruk wydrukWiekowania(DaneWiekowania dane) {
    return [d = std::move(dane)](QPagedPaintDevice& u) { drukujWiekowanie(u, d); };
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

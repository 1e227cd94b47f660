#include "DrukiWindykacji.h"

#include "Banki.h"
#include "Formaty.h"
#include "Kanwa.h"
#include "TekstNum.h"
#include "UkladStron.h"
#include "Wyglad.h"

#include <QPagedPaintDevice>

namespace wydruk {
namespace {

using dokumenty::NotaOdsetkowa;
using dokumenty::Odbiorca;
using dokumenty::PotwierdzenieSalda;
using dokumenty::WezwanieDoZaplaty;

constexpr double Szer = Kanwa::Szerokosc;
constexpr double WysokoscStopki = 6.0;
const Qt::Alignment Lewo = Qt::AlignLeft;
const Qt::Alignment Prawo = Qt::AlignRight;
const Qt::Alignment Srodek = Qt::AlignHCenter;

QFont tresc() {
    return arial(10);
}
QFont pogrubiona() {
    return arial(10, true);
}
QFont tabela() {
    return arial(8);
}
QFont tabelaPogrubiona() {
    return arial(8, true);
}

QString dzien(const QDate& d) {
    return FormatDaty(d);
}

QString zl(Money m) {
    return FormatKwoty(m) + QStringLiteral(" zł");
}

// "526-025-02-74" for a Polish number; anything else as stored.
QString nipDoDruku(const QString& nip) {
    if (nip.size() != 10)
        return nip;
    return nip.left(3) + u'-' + nip.mid(3, 3) + u'-' + nip.mid(6, 2) + u'-' + nip.mid(8, 2);
}

QString linie(const QStringList& czesci) {
    QStringList l;
    for (const QString& c : czesci)
        if (!c.trimmed().isEmpty())
            l << c.trimmed();
    return l.join(u'\n');
}

// A paragraph across the given width; it moves to the next page whole.
void akapit(UkladStron& u, const QString& tekst, const QFont& f, Qt::Alignment wyr = Lewo,
            double lewa = 0.0, double szerokosc = Szer, double zapas = 0.0) {
    const double h = u.kanwa().wysokoscTekstu(tekst, f, szerokosc);
    u.blok(
        h,
        [=](Kanwa& k, double y) {
            k.tekstRosnacy(QRectF(lewa, y, szerokosc, h), tekst, f, wyr | Qt::AlignTop);
        },
        zapas);
}

// The company at the left, the place and date at the right with the addressee below it.
void naglowek(UkladStron& u, const firma::DaneFirmy& f, const Odbiorca& o, const QDate& data) {
    Kanwa& k = u.kanwa();
    constexpr double SzerLewa = 92.0;
    constexpr double XPrawa = 105.0;
    constexpr double SzerPrawa = Szer - XPrawa;
    const QString firmaDane =
        linie({f.adres, f.kodMiejscowosc,
               f.nip.isEmpty() ? QString() : QStringLiteral("NIP: ") + nipDoDruku(f.nip)});
    const QString miejsceData =
        (f.miejsceWystawienia.isEmpty() ? QString() : f.miejsceWystawienia + QStringLiteral(", ")) +
        QStringLiteral("dnia ") + dzien(data) + QStringLiteral(" r.");
    const QString odbiorcaDane =
        linie({o.adres, o.nip.isEmpty() ? QString() : QStringLiteral("NIP: ") + o.nip});

    const double hNazwy = k.wysokoscTekstu(f.nazwa, pogrubiona(), SzerLewa);
    const double hFirmy = k.wysokoscTekstu(firmaDane, tresc(), SzerLewa);
    const double hData = k.wysokoscWiersza(tresc());
    constexpr double OdstepAdresata = 14.0;
    const double hOdbiorcy = k.wysokoscTekstu(o.nazwa, pogrubiona(), SzerPrawa);
    const double hOdbiorcyDane = k.wysokoscTekstu(odbiorcaDane, tresc(), SzerPrawa);
    const double h = std::max(hNazwy + hFirmy, hData + OdstepAdresata + hOdbiorcy + hOdbiorcyDane);
    u.blok(h, [=](Kanwa& kk, double y) {
        kk.tekstRosnacy(QRectF(0, y, SzerLewa, hNazwy), f.nazwa, pogrubiona(), Lewo);
        kk.tekstRosnacy(QRectF(0, y + hNazwy, SzerLewa, hFirmy), firmaDane, tresc(), Lewo);
        kk.tekst(QRectF(XPrawa, y, SzerPrawa, hData), miejsceData, tresc(), Prawo | Qt::AlignTop);
        const double ya = y + hData + OdstepAdresata;
        kk.tekstRosnacy(QRectF(XPrawa, ya, SzerPrawa, hOdbiorcy), o.nazwa, pogrubiona(), Lewo);
        kk.tekstRosnacy(QRectF(XPrawa, ya + hOdbiorcy, SzerPrawa, hOdbiorcyDane), odbiorcaDane,
                        tresc(), Lewo);
    });
}

void tytul(UkladStron& u, const QString& tytul, const QString& podtytul) {
    u.odstep(12.0);
    akapit(u, tytul, arial(14, true), Srodek, 0.0, Szer, 20.0);
    if (!podtytul.isEmpty())
        akapit(u, podtytul, tresc(), Srodek);
    u.odstep(6.0);
}

// The dotted line to sign on, and under it the company's signature line.
void podpis(UkladStron& u, const firma::DaneFirmy& f) {
    constexpr double X = 110.0;
    constexpr double W = Szer - X;
    const QString pod =
        f.podpis.isEmpty() ? QStringLiteral("(podpis osoby upoważnionej)") : f.podpis;
    const double hPod = u.kanwa().wysokoscTekstu(pod, arial(9), W);
    u.odstep(6.0);
    u.blok(16.0 + hPod, [=](Kanwa& k, double y) {
        k.liniaPozioma(y + 14.0, X + 5.0, Szer - 5.0, Linia::Kropkowana);
        k.tekstRosnacy(QRectF(X, y + 15.0, W, hPod), pod, arial(9), Srodek);
    });
}

UkladStron::Stopka stopka(const QString& dokument) {
    return [dokument](Kanwa& k, double y, int strona) {
        const QRectF r(0, y, Szer, WysokoscStopki);
        k.liniaPozioma(y + 0.5, 0, Szer);
        k.tekst(r, dokument, arial(8), Qt::AlignLeft | Qt::AlignBottom);
        k.tekst(r, QStringLiteral("Strona %1").arg(strona), arial(8),
                Qt::AlignRight | Qt::AlignBottom);
    };
}

// A table whose rows are texts, its heading repeated after a page break, and a summary row.
void tabelaZPodsumowaniem(UkladStron& u, const SiatkaTabeli& s,
                          const std::vector<QStringList>& wiersze, int kolumnEtykiety,
                          const QString& etykieta, const QStringList& sumy) {
    Kanwa& k = u.kanwa();
    UkladStron::Tabela t;
    t.wysokoscNaglowka = s.wysokoscNaglowka(k);
    t.naglowek = [&s](Kanwa& kk, double y) { s.rysujNaglowek(kk, y); };
    t.wierszy = static_cast<int>(wiersze.size());
    t.wysokoscWiersza = [&](int i) {
        return s.wysokoscWiersza(k, wiersze[static_cast<std::size_t>(i)]);
    };
    t.rysujWiersz = [&](Kanwa& kk, int i, double y) {
        s.rysujWiersz(kk, y, wiersze[static_cast<std::size_t>(i)]);
    };
    u.tabela(t);
    const double h = k.wysokoscWiersza(tabelaPogrubiona()) + 2 * SiatkaTabeli::Pion;
    u.blok(h, [&](Kanwa& kk, double y) {
        s.rysujPodsumowanie(kk, y, h, kolumnEtykiety, etykieta, sumy, tabelaPogrubiona());
    });
}

QString rachunekZBankiem(const QString& konto) {
    const QString bank = NazwaBanku(konto).section(u'\t', 0, 0).trimmed();
    return firma::kontoDoDruku(konto) +
           (bank.isEmpty() ? QString() : QStringLiteral(" (") + bank + u')');
}

QString slownie(Money kwota) {
    return QStringLiteral("Słownie: ") + Slownie(kwota).trimmed() + u'.';
}

QString okresTekstem(const odsetki::Okres& o) {
    const QString od =
        o.od.year() == o.doDnia.year() ? o.od.toString(QStringLiteral("dd.MM")) : dzien(o.od);
    const QString zakres =
        o.od == o.doDnia ? dzien(o.od) : od + QStringLiteral("–") + dzien(o.doDnia);
    return QStringLiteral("%1: %2 dn. × %3%")
        .arg(zakres)
        .arg(o.dni)
        .arg(odsetki::formatStawki(o.stawka));
}

void nota(UkladStron& u, const NotaOdsetkowa& n) {
    naglowek(u, n.firma, n.kontrahent, n.dataWystawienia);
    const QString okres =
        n.od.isValid() ? QStringLiteral("za opóźnienie w zapłacie faktur (wpłaty od %1 do %2 r.)")
                             .arg(dzien(n.od), dzien(n.doDnia))
                       : QStringLiteral("za opóźnienie w zapłacie faktur (do dnia %1 r.)")
                             .arg(dzien(n.doDnia));
    // Shown before it is saved the note has no number yet; a cancelled one says so.
    QString naglowekNoty = n.numer.isEmpty()
                               ? QStringLiteral("NOTA ODSETKOWA (projekt, bez numeru)")
                               : QStringLiteral("NOTA ODSETKOWA nr ") + n.numer;
    if (n.anulowana)
        naglowekNoty += QStringLiteral(" – ANULOWANA");
    tytul(u, naglowekNoty, okres);

    const bool konsument = n.kontrahent.dluznik == odsetki::Dluznik::Konsument;
    akapit(u,
           konsument
               ? QStringLiteral("Na podstawie art. 481 § 1 i 2 Kodeksu cywilnego obciążamy Państwa "
                                "odsetkami ustawowymi za opóźnienie w zapłacie niżej wymienionych "
                                "faktur:")
               : QStringLiteral("Na podstawie ustawy z dnia 8 marca 2013 r. o przeciwdziałaniu "
                                "nadmiernym opóźnieniom w transakcjach handlowych obciążamy "
                                "Państwa odsetkami ustawowymi za opóźnienie w transakcjach "
                                "handlowych z tytułu zapłaty po terminie niżej wymienionych "
                                "faktur:"),
           tresc());
    u.odstep(3.0);

    const SiatkaTabeli s({{QStringLiteral("Lp."), 7, Prawo},
                          {QStringLiteral("Nr faktury"), 28, Lewo},
                          {QStringLiteral("Termin zapłaty"), 18, Srodek},
                          {QStringLiteral("Data zapłaty"), 18, Srodek},
                          {QStringLiteral("Kwota po terminie (zł)"), 22, Prawo},
                          {QStringLiteral("Dni"), 9, Prawo},
                          {QStringLiteral("Okresy i stawki odsetek"), 64, Lewo},
                          {QStringLiteral("Odsetki (zł)"), 24, Prawo}},
                         tabela(), tabelaPogrubiona());
    std::vector<QStringList> wiersze;
    int lp = 0;
    for (const windykacja::PozycjaOdsetek& p : n.pozycje) {
        QStringList okresy;
        // Days an earlier note charged are not charged again: the item says where it starts.
        if (p.naliczoneOd.isValid() && p.naliczoneOd != p.termin.addDays(1))
            okresy << QStringLiteral("od %1 (wcześniej naliczone notą)").arg(dzien(p.naliczoneOd));
        for (const odsetki::Okres& o : p.okresy)
            okresy << okresTekstem(o);
        wiersze.push_back({QString::number(++lp), p.numer, dzien(p.termin),
                           p.zaplata ? dzien(*p.zaplata) : QStringLiteral("nie zapłacono"),
                           FormatKwoty(p.kwota), QString::number(p.dni), okresy.join(u'\n'),
                           FormatKwoty(p.odsetki)});
    }
    tabelaZPodsumowaniem(u, s, wiersze, 7, QStringLiteral("Razem odsetki:"),
                         {FormatKwoty(n.sumaOdsetek)});
    akapit(u,
           QStringLiteral("Odsetki liczone od dnia następującego po terminie zapłaty (termin "
                          "przypadający na dzień wolny od pracy przesunięty na najbliższy dzień "
                          "roboczy) do dnia zapłaty włącznie, przy 365 dniach w roku.") +
               (n.poWczesniejszychNotach
                    ? QStringLiteral(" Za dni objęte wcześniejszymi notami odsetkowymi odsetek "
                                     "nie naliczono ponownie.")
                    : QString()),
           arial(8));

    if (!n.rekompensaty.empty()) {
        u.odstep(5.0);
        akapit(u,
               QStringLiteral("Rekompensata za koszty odzyskiwania należności (art. 10 ustawy o "
                              "przeciwdziałaniu nadmiernym opóźnieniom w transakcjach handlowych), "
                              "przeliczona po średnim kursie euro NBP z ostatniego dnia roboczego "
                              "miesiąca poprzedzającego miesiąc, w którym zapłata stała się "
                              "wymagalna:"),
               tresc(), Lewo, 0.0, Szer, 12.0);
        u.odstep(2.0);
        const SiatkaTabeli r({{QStringLiteral("Lp."), 7, Prawo},
                              {QStringLiteral("Nr faktury"), 30, Lewo},
                              {QStringLiteral("Kwota faktury (zł)"), 24, Prawo},
                              {QStringLiteral("Termin zapłaty"), 20, Srodek},
                              {QStringLiteral("Rekompensata (EUR)"), 25, Prawo},
                              {QStringLiteral("Kurs EUR (zł)"), 20, Prawo},
                              {QStringLiteral("Tabela kursów NBP"), 34, Lewo},
                              {QStringLiteral("Rekompensata (zł)"), 30, Prawo}},
                             tabela(), tabelaPogrubiona());
        std::vector<QStringList> wr;
        int i = 0;
        for (const dokumenty::Rekompensata& rk : n.rekompensaty) {
            const QString tabelaNbp =
                (rk.kurs.tabela.isEmpty() ? QString() : rk.kurs.tabela + u'\n') +
                QStringLiteral("z dnia ") + dzien(rk.kurs.data);
            wr.push_back({QString::number(++i), rk.numer, FormatKwoty(rk.kwotaFaktury),
                          dzien(rk.termin), QString::number(rk.euro),
                          kursy::formatKursu(rk.kurs.kurs), tabelaNbp, FormatKwoty(rk.pln)});
        }
        tabelaZPodsumowaniem(u, r, wr, 7, QStringLiteral("Razem rekompensata:"),
                             {FormatKwoty(n.sumaRekompensat)});
    }

    u.odstep(6.0);
    akapit(u, QStringLiteral("Razem do zapłaty: ") + zl(n.razem), arial(11, true), Lewo, 0.0, Szer,
           8.0);
    akapit(u, slownie(n.razem), tresc());
    u.odstep(3.0);
    akapit(u,
           QStringLiteral("Prosimy o zapłatę kwoty %1 w terminie %2 dni od daty otrzymania noty "
                          "na rachunek bankowy nr %3, z numerem noty w tytule przelewu.")
               .arg(zl(n.razem))
               .arg(n.terminZaplatyDni)
               .arg(rachunekZBankiem(n.firma.konto)),
           tresc());
    podpis(u, n.firma);
}

void wezwanie(UkladStron& u, const WezwanieDoZaplaty& w) {
    naglowek(u, w.firma, w.kontrahent, w.dataWystawienia);
    tytul(u, QStringLiteral("WEZWANIE DO ZAPŁATY"), {});
    akapit(u,
           QStringLiteral("Uprzejmie informujemy, że według naszych ksiąg rachunkowych na dzień "
                          "%1 r. nie uregulowali Państwo należności z tytułu niżej wymienionych "
                          "faktur, których termin zapłaty upłynął:")
               .arg(dzien(w.dataWystawienia)),
           tresc());
    u.odstep(3.0);
    std::vector<SiatkaTabeli::Kolumna> kolumny = {
        {QStringLiteral("Lp."), 7, Prawo},
        {QStringLiteral("Nr faktury"), w.zOdsetkami ? 32.0 : 55.0, Lewo},
        {QStringLiteral("Data wystawienia"), 20, Srodek},
        {QStringLiteral("Termin zapłaty"), 20, Srodek},
        {QStringLiteral("Kwota faktury (zł)"), 26, Prawo},
        {QStringLiteral("Pozostało do zapłaty (zł)"), 28, Prawo},
        {QStringLiteral("Dni po terminie"), w.zOdsetkami ? 14.0 : 34.0, Prawo},
    };
    if (w.zOdsetkami)
        kolumny.push_back(
            {QStringLiteral("Odsetki na dzień %1 (zł)").arg(dzien(w.dataWystawienia)), 43, Prawo});
    const SiatkaTabeli s(kolumny, tabela(), tabelaPogrubiona());
    std::vector<QStringList> wiersze;
    int lp = 0;
    for (const dokumenty::PozycjaWezwania& p : w.pozycje) {
        QStringList r = {QString::number(++lp),       p.numer,
                         dzien(p.wystawiona),         dzien(p.termin),
                         FormatKwoty(p.kwota),        FormatKwoty(p.pozostalo),
                         QString::number(p.dniZwloki)};
        if (w.zOdsetkami)
            r << FormatKwoty(p.odsetki);
        wiersze.push_back(r);
    }
    QStringList sumy = {FormatKwoty(w.sumaPozostalo), QString()};
    if (w.zOdsetkami)
        sumy << FormatKwoty(w.sumaOdsetek);
    tabelaZPodsumowaniem(u, s, wiersze, 5, QStringLiteral("Razem:"), sumy);

    if (w.nadplata > Money()) {
        u.odstep(3.0);
        akapit(u,
               QStringLiteral("Na poczet zaległości zaliczamy Państwa wpłaty dotąd nierozliczone: "
                              "%1.")
                   .arg(zl(w.nadplata)),
               tresc());
    }
    u.odstep(6.0);
    akapit(u, QStringLiteral("Łącznie do zapłaty: ") + zl(w.razem), arial(11, true), Lewo, 0.0,
           Szer, 8.0);
    if (w.zOdsetkami)
        akapit(u,
               QStringLiteral("(należność główna %1, odsetki ustawowe za opóźnienie %2)")
                   .arg(zl(w.sumaPozostalo - w.nadplata), zl(w.sumaOdsetek)),
               tresc());
    akapit(u, slownie(w.razem), tresc());
    u.odstep(3.0);
    akapit(
        u,
        QStringLiteral("Wzywamy do zapłaty powyższej kwoty w terminie %1 dni od daty wystawienia "
                       "wezwania, tj. do dnia %2 r., na rachunek bankowy nr %3.")
            .arg(w.terminDni)
            .arg(dzien(w.terminZaplaty), rachunekZBankiem(w.firma.konto)),
        tresc());
    u.odstep(2.0);
    if (w.zOdsetkami) {
        akapit(u,
               QStringLiteral("Odsetki naliczono do dnia wystawienia wezwania; za dalsze dni "
                              "opóźnienia przysługują odsetki do dnia zapłaty.") +
                   (w.poWczesniejszychNotach
                        ? QStringLiteral(" Nie obejmują dni, za które obciążyliśmy Państwa "
                                         "odsetkami notami odsetkowymi.")
                        : QString()),
               tresc());
        u.odstep(2.0);
    }
    akapit(u,
           QStringLiteral("Brak zapłaty w wyznaczonym terminie spowoduje skierowanie sprawy na "
                          "drogę postępowania sądowego, co narazi Państwa na dodatkowe koszty."),
           tresc());
    u.odstep(2.0);
    akapit(u,
           QStringLiteral("Jeżeli należność została już uregulowana, prosimy uznać niniejsze "
                          "wezwanie za nieaktualne."),
           tresc());
    podpis(u, w.firma);
}

// Room to write by hand: a label and a dotted line to the right edge.
void doWypelnienia(Kanwa& k, double x, double y, double h, const QString& etykieta,
                   double szerEtykiety) {
    k.tekst(QRectF(x, y, szerEtykiety, h), etykieta, tresc(), Lewo | Qt::AlignBottom);
    k.liniaPozioma(y + h, x + szerEtykiety, Szer, Linia::Kropkowana);
}

void potwierdzenie(UkladStron& u, const PotwierdzenieSalda& p) {
    naglowek(u, p.firma, p.kontrahent, p.dataWystawienia);
    tytul(u, QStringLiteral("POTWIERDZENIE SALDA"),
          QStringLiteral("na dzień %1 r.").arg(dzien(p.naDzien)));
    akapit(u,
           QStringLiteral("Zgodnie z art. 26 ust. 1 pkt 2 ustawy o rachunkowości prosimy o "
                          "potwierdzenie salda naszych wzajemnych rozrachunków na dzień %1 r. "
                          "Według naszych ksiąg rachunkowych saldo wynosi %2.")
               .arg(dzien(p.naDzien), dokumenty::opisSalda(p.saldo)),
           tresc());
    u.odstep(3.0);
    if (!p.faktury.empty()) {
        akapit(u, QStringLiteral("Faktury nierozliczone:"), pogrubiona(), Lewo, 0.0, Szer, 12.0);
        u.odstep(1.0);
        const SiatkaTabeli s({{QStringLiteral("Lp."), 7, Prawo},
                              {QStringLiteral("Nr faktury"), 45, Lewo},
                              {QStringLiteral("Data wystawienia"), 24, Srodek},
                              {QStringLiteral("Termin zapłaty"), 24, Srodek},
                              {QStringLiteral("Kwota faktury (zł)"), 40, Prawo},
                              {QStringLiteral("Pozostało do zapłaty (zł)"), 50, Prawo}},
                             tabela(), tabelaPogrubiona());
        std::vector<QStringList> wiersze;
        int lp = 0;
        for (const dokumenty::PozycjaSalda& f : p.faktury)
            wiersze.push_back({QString::number(++lp), f.numer, dzien(f.wystawiona), dzien(f.termin),
                               FormatKwoty(f.kwota), FormatKwoty(f.pozostalo)});
        tabelaZPodsumowaniem(u, s, wiersze, 5, QStringLiteral("Razem należności:"),
                             {FormatKwoty(p.sumaFaktur)});
        u.odstep(3.0);
    }
    if (!p.nierozliczone.empty()) {
        akapit(u, QStringLiteral("Wpłaty nierozliczone (nadpłaty):"), pogrubiona(), Lewo, 0.0, Szer,
               12.0);
        u.odstep(1.0);
        const SiatkaTabeli s({{QStringLiteral("Lp."), 7, Prawo},
                              {QStringLiteral("Data wpłaty"), 24, Srodek},
                              {QStringLiteral("Tytuł wpłaty"), 109, Lewo},
                              {QStringLiteral("Kwota (zł)"), 50, Prawo}},
                             tabela(), tabelaPogrubiona());
        std::vector<QStringList> wiersze;
        int lp = 0;
        for (const dokumenty::KwotaNierozliczona& k : p.nierozliczone)
            wiersze.push_back({QString::number(++lp), dzien(k.data), k.opis, FormatKwoty(k.kwota)});
        tabelaZPodsumowaniem(u, s, wiersze, 3, QStringLiteral("Razem wpłaty nierozliczone:"),
                             {FormatKwoty(p.sumaNierozliczonych)});
        u.odstep(3.0);
    }
    akapit(u,
           QStringLiteral("Saldo na dzień %1 r.: ").arg(dzien(p.naDzien)) +
               dokumenty::opisSalda(p.saldo),
           arial(11, true));
    u.odstep(2.0);
    akapit(u,
           QStringLiteral("Prosimy o sprawdzenie salda z Państwa księgami, wypełnienie i odesłanie "
                          "poniższego odcinka w ciągu 14 dni. W razie niezgodności prosimy o "
                          "podanie przyczyn różnicy."),
           tresc());
    podpis(u, p.firma);

    // The reply slip stays whole on one page.
    Kanwa& k = u.kanwa();
    const QString naglowekOdcinka =
        QStringLiteral("Odcinek zwrotny – potwierdzenie salda na dzień %1 r.")
            .arg(dzien(p.naDzien));
    const QString strony = QStringLiteral("Od: %1\nDla: %2").arg(p.kontrahent.nazwa, p.firma.nazwa);
    QString tak = QStringLiteral("Potwierdzamy zgodność salda w kwocie ") +
                  dokumenty::opisSaldaDlaKontrahenta(p.saldo, p.firma.nazwa);
    if (!tak.endsWith(u'.')) // a name ending in "o.o." already closes the sentence
        tak += u'.';
    const QString nie = QStringLiteral("Nie potwierdzamy zgodności salda. Według naszych ksiąg "
                                       "saldo wynosi:");
    constexpr double Kratka = 3.5;
    constexpr double XTekstu = 7.0;
    const double hStrony = k.wysokoscTekstu(strony, tresc(), Szer);
    const double hTak = k.wysokoscTekstu(tak, tresc(), Szer - XTekstu);
    const double hNie = k.wysokoscTekstu(nie, tresc(), Szer - XTekstu);
    const double wiersz = k.wysokoscWiersza(tresc());
    const double h =
        8.0 + wiersz + 2.0 + hStrony + 4.0 + hTak + 3.0 + hNie + 4.0 * (wiersz + 3.0) + 22.0;
    u.odstep(4.0);
    u.blok(h, [=](Kanwa& kk, double y0) {
        kk.liniaPozioma(y0 + 2.0, 0, Szer, Linia::Kropkowana);
        double y = y0 + 8.0;
        kk.tekst(QRectF(0, y, Szer, wiersz), naglowekOdcinka, pogrubiona(), Srodek);
        y += wiersz + 2.0;
        kk.tekstRosnacy(QRectF(0, y, Szer, hStrony), strony, tresc(), Lewo);
        y += hStrony + 4.0;
        kk.ramka(QRectF(0, y + 0.6, Kratka, Kratka));
        kk.tekstRosnacy(QRectF(XTekstu, y, Szer - XTekstu, hTak), tak, tresc(), Lewo);
        y += hTak + 3.0;
        kk.ramka(QRectF(0, y + 0.6, Kratka, Kratka));
        kk.tekstRosnacy(QRectF(XTekstu, y, Szer - XTekstu, hNie), nie, tresc(), Lewo);
        y += hNie;
        doWypelnienia(kk, XTekstu, y, wiersz + 3.0,
                      QStringLiteral("kwota (zł) i na czyją korzyść:"), 52.0);
        y += wiersz + 3.0;
        doWypelnienia(kk, XTekstu, y, wiersz + 3.0, QStringLiteral("Przyczyny różnicy:"), 33.0);
        y += wiersz + 3.0;
        doWypelnienia(kk, XTekstu, y, wiersz + 3.0, QString(), 0.0);
        y += 2 * (wiersz + 3.0) + 14.0;
        kk.liniaPozioma(y, 5.0, 70.0, Linia::Kropkowana);
        kk.tekst(QRectF(5.0, y + 0.5, 65.0, wiersz), QStringLiteral("(data)"), arial(9), Srodek);
        kk.liniaPozioma(y, 110.0, Szer - 5.0, Linia::Kropkowana);
        kk.tekst(QRectF(110.0, y + 0.5, Szer - 115.0, wiersz),
                 QStringLiteral("(pieczęć i podpis kontrahenta)"), arial(9), Srodek);
    });
}

template <typename D, typename F>
int drukujKolejno(QPagedPaintDevice& urzadzenie, const std::vector<D>& dokumenty, F&& jeden,
                  const std::function<QString(const D&)>& nazwa) {
    Kanwa k(urzadzenie);
    int strony = 0;
    for (std::size_t i = 0; i < dokumenty.size(); ++i) {
        if (i > 0)
            k.nowaStrona();
        UkladStron u(k, WysokoscStopki, stopka(nazwa(dokumenty[i])));
        jeden(u, dokumenty[i]);
        strony += u.zakoncz();
    }
    return strony;
}

} // namespace

QString tytulNoty(const NotaOdsetkowa& nota) {
    return nota.numer.isEmpty() ? QStringLiteral("Nota odsetkowa (projekt)")
                                : QStringLiteral("Nota odsetkowa ") + nota.numer;
}

int drukujNote(QPagedPaintDevice& urzadzenie, const NotaOdsetkowa& n) {
    return drukujKolejno<NotaOdsetkowa>(urzadzenie, {n}, nota, tytulNoty);
}

int drukujWezwania(QPagedPaintDevice& urzadzenie, const std::vector<WezwanieDoZaplaty>& w) {
    return drukujKolejno<WezwanieDoZaplaty>(
        urzadzenie, w, wezwanie, [](const WezwanieDoZaplaty& x) {
            return QStringLiteral("Wezwanie do zapłaty – ") + x.kontrahent.nazwa;
        });
}

int drukujPotwierdzenia(QPagedPaintDevice& urzadzenie, const std::vector<PotwierdzenieSalda>& p) {
    return drukujKolejno<PotwierdzenieSalda>(
        urzadzenie, p, potwierdzenie, [](const PotwierdzenieSalda& x) {
            return QStringLiteral("Potwierdzenie salda – ") + x.kontrahent.nazwa;
        });
}

Wydruk wydrukNoty(NotaOdsetkowa nota) {
    return [n = std::move(nota)](QPagedPaintDevice& u) { drukujNote(u, n); };
}

Wydruk wydrukWezwan(std::vector<WezwanieDoZaplaty> wezwania) {
    return [w = std::move(wezwania)](QPagedPaintDevice& u) { drukujWezwania(u, w); };
}

Wydruk wydrukPotwierdzen(std::vector<PotwierdzenieSalda> potwierdzenia) {
    return [p = std::move(potwierdzenia)](QPagedPaintDevice& u) { drukujPotwierdzenia(u, p); };
}

namespace {
// A file name from free text: letters and digits kept (Polish ones folded), the rest "_".
QString doNazwyPliku(const QString& tekst) {
    static const QString z = QStringLiteral("ąćęłńóśźżĄĆĘŁŃÓŚŹŻ");
    static const QString na = QStringLiteral("acelnoszzACELNOSZZ");
    QString w;
    for (QChar c : tekst) {
        const qsizetype i = z.indexOf(c);
        if (i >= 0)
            w += na[i];
        else if (c.isLetterOrNumber() && c.unicode() < 128)
            w += c;
        else if (!w.endsWith(u'_'))
            w += u'_';
    }
    while (w.endsWith(u'_'))
        w.chop(1);
    return w.left(60);
}
} // namespace

QString nazwaPlikuNoty(const NotaOdsetkowa& nota) {
    if (nota.numer.isEmpty())
        return QStringLiteral("Nota_odsetkowa_projekt_%1_%2")
            .arg(nota.kontrahent.klientId)
            .arg(nota.doDnia.toString(Qt::ISODate));
    return QStringLiteral("Nota_odsetkowa_") + doNazwyPliku(nota.numer);
}

QString nazwaPlikuWezwania(const WezwanieDoZaplaty& w) {
    return QStringLiteral("Wezwanie_%1_%2")
        .arg(w.kontrahent.klientId)
        .arg(doNazwyPliku(w.kontrahent.nazwa));
}

QString nazwaPlikuPotwierdzenia(const PotwierdzenieSalda& p) {
    return QStringLiteral("Potwierdzenie_salda_%1_%2_%3")
        .arg(p.naDzien.toString(Qt::ISODate))
        .arg(p.kontrahent.klientId)
        .arg(doNazwyPliku(p.kontrahent.nazwa));
}

} // namespace wydruk

#include "Odsetki.h"

#include "Swieta.h"
#include "Wyglad.h"

#include <QLocale>

#include <algorithm>
#include <limits>

namespace odsetki {

QString formatStawki(int setneProcenta) {
    const QLocale l;
    return l.toString(setneProcenta / 100) + l.decimalPoint() +
           QStringLiteral("%1").arg(setneProcenta % 100, 2, 10, QLatin1Char('0'));
}

std::optional<int> parsujStawke(const QString& tekst) {
    QString t = tekst.trimmed();
    if (t.endsWith(u'%'))
        t.chop(1);
    t = t.trimmed().replace(u',', u'.');
    const qsizetype kropka = t.indexOf(u'.');
    const QString calosc = kropka < 0 ? t : t.left(kropka);
    const QString ulamek = kropka < 0 ? QString() : t.mid(kropka + 1);
    if (calosc.isEmpty() || calosc.size() > 3 || ulamek.size() > 2)
        return std::nullopt;
    for (const QString& czesc : {calosc, ulamek})
        for (QChar c : czesc)
            if (c < u'0' || c > u'9')
                return std::nullopt;
    const int wartosc = calosc.toInt() * 100 + (ulamek + QStringLiteral("00")).left(2).toInt();
    if (wartosc <= 0 || wartosc >= 100 * 100)
        return std::nullopt;
    return wartosc;
}

bool poczatekPolrocza(const QDate& dzien) {
    return dzien.isValid() && dzien.day() == 1 && (dzien.month() == 1 || dzien.month() == 7);
}

void KwotaDokladna::dodaj(Money kwota, int setneProcenta, int dni) {
    if (kwota.isZero() || setneProcenta == 0 || dni == 0)
        return;
    const std::int64_t jednostki = kwota.raw();
    constexpr std::int64_t max = std::numeric_limits<std::int64_t>::max();
    if (jednostki < 0 || setneProcenta < 0 || dni < 0 || jednostki > max / setneProcenta)
        throw std::overflow_error("Kwota poza zakresem obliczania odsetek.");
    // kwota × stawka × dni / Mianownik without an intermediate that could overflow: split
    // kwota × stawka into whole grosze-days and what is left below the denominator.
    const std::int64_t iloczyn = jednostki * setneProcenta;
    grosze_ += iloczyn / Mianownik * dni;
    reszta_ += iloczyn % Mianownik * dni;
    normalizuj();
}

KwotaDokladna& KwotaDokladna::operator+=(const KwotaDokladna& o) {
    grosze_ += o.grosze_;
    reszta_ += o.reszta_;
    normalizuj();
    return *this;
}

void KwotaDokladna::normalizuj() {
    grosze_ += reszta_ / Mianownik;
    reszta_ %= Mianownik;
}

Money KwotaDokladna::zaokraglona() const {
    return Money::fromCents(grosze_ + (2 * reszta_ >= Mianownik ? 1 : 0));
}

namespace {

QString dzienTekstem(const QDate& d) {
    return FormatDaty(d);
}

QDate koniecPolrocza(const QDate& d) {
    return d.month() <= 6 ? QDate(d.year(), 6, 30) : QDate(d.year(), 12, 31);
}

// The day on which row i of the table stops applying: the day before the next row, and for a
// commercial rate no later than the end of its own half-year. The last civil rate applies
// until a new one is added.
QDate koniecStawki(const std::vector<Stawka>& tabela, std::size_t i, Rodzaj rodzaj) {
    QDate koniec = i + 1 < tabela.size() ? tabela[i + 1].od.addDays(-1) : QDate();
    if (rodzaj == Rodzaj::Handlowe) {
        const QDate polrocze = koniecPolrocza(tabela[i].od);
        if (!koniec.isValid() || polrocze < koniec)
            koniec = polrocze;
    }
    return koniec;
}

int stawkaDla(const Stawka& s, Dluznik dluznik) {
    if (dluznik == Dluznik::PublicznyZoz && s.stawkaZoz)
        return *s.stawkaZoz;
    return s.stawka;
}

} // namespace

BrakStawki::BrakStawki(Rodzaj rodzaj, const QDate& dzien)
    : std::runtime_error("brak stawki odsetek"), rodzaj_(rodzaj), dzien_(dzien) {
    komunikat_ =
        (rodzaj == Rodzaj::Handlowe
             ? QStringLiteral("Brak stawki odsetek za opóźnienie w transakcjach handlowych na "
                              "dzień %1.")
             : QStringLiteral("Brak stawki odsetek ustawowych za opóźnienie na dzień %1."))
            .arg(dzienTekstem(dzien)) +
        QStringLiteral("\rDopisz ją w tabeli odsetek (System → Tabele odsetek).");
}

Rodzaj rodzajDla(Dluznik dluznik) {
    return dluznik == Dluznik::Konsument ? Rodzaj::Ustawowe : Rodzaj::Handlowe;
}

Naliczenie nalicz(Money kwota, const QDate& termin, const QDate& zaplata, const Tabele& tabele,
                  Dluznik dluznik) {
    const QDate przesuniety = swieta::najblizszyDzienRoboczy(termin);
    Naliczenie n = naliczDni(kwota, przesuniety.addDays(1), zaplata, tabele, dluznik);
    n.termin = przesuniety;
    return n;
}

Naliczenie naliczDni(Money kwota, const QDate& pierwszy, const QDate& ostatni, const Tabele& tabele,
                     Dluznik dluznik) {
    Naliczenie n;
    if (!pierwszy.isValid() || !ostatni.isValid() || ostatni < pierwszy || kwota <= Money())
        return n;
    const Rodzaj rodzaj = rodzajDla(dluznik);
    std::vector<Stawka> tabela = rodzaj == Rodzaj::Handlowe ? tabele.handlowe : tabele.ustawowe;
    std::sort(tabela.begin(), tabela.end(),
              [](const Stawka& a, const Stawka& b) { return a.od < b.od; });

    QDate dzien = pierwszy;
    // Rows are walked from the one in force on the first day counted.
    std::size_t i = 0;
    while (i < tabela.size() && tabela[i].od <= dzien)
        ++i;
    if (i == 0)
        throw BrakStawki(rodzaj, dzien);
    --i;
    while (dzien <= ostatni) {
        if (i >= tabela.size() || tabela[i].od > dzien)
            throw BrakStawki(rodzaj, dzien);
        const QDate koniec = koniecStawki(tabela, i, rodzaj);
        if (koniec.isValid() && koniec < dzien) {
            // The row ended before this day (a half-year without its own row).
            if (i + 1 < tabela.size() && tabela[i + 1].od <= dzien) {
                ++i;
                continue;
            }
            throw BrakStawki(rodzaj, dzien);
        }
        const QDate doDnia = koniec.isValid() ? std::min(koniec, ostatni) : ostatni;
        Okres o;
        o.od = dzien;
        o.doDnia = doDnia;
        o.dni = static_cast<int>(dzien.daysTo(doDnia)) + 1;
        o.stawka = stawkaDla(tabela[i], dluznik);
        n.odsetki.dodaj(kwota, o.stawka, o.dni);
        n.dni += o.dni;
        n.okresy.push_back(o);
        dzien = doDnia.addDays(1);
        ++i;
    }
    return n;
}

int rekompensataEur(Money kwota, const QDate& dzienTransakcji, Dluznik dluznik) {
    if (dluznik == Dluznik::Konsument)
        return 0;
    if (dzienTransakcji < QDate(2020, 1, 1))
        return 40;
    if (kwota <= Money::fromWhole(5'000))
        return 40;
    if (kwota < Money::fromWhole(50'000))
        return 70;
    return 100;
}

Money rekompensataPln(int euro, Money kursEur) {
    return Money::fromCents(Money::fromRaw(euro * kursEur.raw()).cents());
}

QDate miesiacKursu(const QDate& terminWymagalnosci) {
    const QDate m = terminWymagalnosci.addMonths(-1);
    return QDate(m.year(), m.month(), 1);
}

} // namespace odsetki

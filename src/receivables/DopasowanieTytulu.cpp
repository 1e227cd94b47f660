#include "DopasowanieTytulu.h"

#include <QSet>

namespace rozrachunki {
namespace {

// Polish letters to their Latin base; every other character stays as it is.
QChar bezOgonka(QChar c) {
    switch (c.unicode()) {
    case 0x0104:
        return u'A'; // Ą
    case 0x0106:
        return u'C'; // Ć
    case 0x0118:
        return u'E'; // Ę
    case 0x0141:
        return u'L'; // Ł
    case 0x0143:
        return u'N'; // Ń
    case 0x00D3:
        return u'O'; // Ó
    case 0x015A:
        return u'S'; // Ś
    case 0x0179:
        return u'Z'; // Ź
    case 0x017B:
        return u'Z'; // Ż
    default:
        return c;
    }
}

enum class Rodzaj { Inny, Litera, Cyfra };

Rodzaj rodzaj(QChar c) {
    if (c.isDigit())
        return Rodzaj::Cyfra;
    if (c.isLetter())
        return Rodzaj::Litera;
    return Rodzaj::Inny;
}

// A key spans at most this many pieces of the title ("FV", "1", "03", "2024" are four).
constexpr int MaxKawalkow = 8;
constexpr int MaxDlugosc = 64;

} // namespace

QString KluczNumeru(const QString& numer) {
    QString k;
    k.reserve(numer.size());
    for (QChar c : numer.toUpper()) {
        c = bezOgonka(c);
        if (rodzaj(c) != Rodzaj::Inny)
            k += c;
    }
    return k;
}

TytulPrzelewu::TytulPrzelewu(const QString& tytul) {
    const QString t = tytul.toUpper();
    zwarty_.reserve(t.size());
    Rodzaj poprzedni = Rodzaj::Inny;
    bool przerwa = true;
    for (QChar c : t) {
        c = bezOgonka(c);
        const Rodzaj r = rodzaj(c);
        if (r == Rodzaj::Inny) {
            przerwa = true;
            poprzedni = r;
            continue;
        }
        const bool poczatek = przerwa || r != poprzedni;
        if (poczatek && !koniec_.empty())
            koniec_.back() = true;
        zwarty_ += c;
        poczatek_.push_back(poczatek);
        koniec_.push_back(false);
        przerwa = false;
        poprzedni = r;
    }
    if (!koniec_.empty())
        koniec_.back() = true;
}

bool TytulPrzelewu::zawiera(const QString& klucz) const {
    if (klucz.size() < MinDlugoscKlucza)
        return false;
    for (qsizetype at = zwarty_.indexOf(klucz); at >= 0; at = zwarty_.indexOf(klucz, at + 1)) {
        const qsizetype ostatni = at + klucz.size() - 1;
        if (poczatek_[static_cast<size_t>(at)] && koniec_[static_cast<size_t>(ostatni)])
            return true;
    }
    return false;
}

QStringList TytulPrzelewu::kandydaci() const {
    QSet<QString> widziane;
    QStringList wynik;
    const qsizetype n = zwarty_.size();
    for (qsizetype i = 0; i < n; ++i) {
        if (!poczatek_[static_cast<size_t>(i)])
            continue;
        int kawalki = 0;
        bool cyfra = false;
        for (qsizetype j = i; j < n && j - i < MaxDlugosc; ++j) {
            cyfra = cyfra || zwarty_[j].isDigit();
            if (!koniec_[static_cast<size_t>(j)])
                continue;
            if (++kawalki > MaxKawalkow)
                break;
            const qsizetype dl = j - i + 1;
            if (cyfra && dl >= MinDlugoscKlucza) {
                const QString k = zwarty_.mid(i, dl);
                if (!widziane.contains(k)) {
                    widziane.insert(k);
                    wynik << k;
                }
            }
        }
    }
    return wynik;
}

} // namespace rozrachunki

#include "KwotaWpisana.h"

#include <QStringList>

namespace {

// The blanks people and programs put between thousands.
bool jestOdstep(QChar c) {
    return c == u' ' || c == QChar(0x00a0) || c == QChar(0x202f) || c == QChar(0x2009) ||
           c == u'\t';
}

bool jestCyfra(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool sameCyfry(const QString& s) {
    if (s.isEmpty())
        return false;
    for (const QChar c : s)
        if (!jestCyfra(c))
            return false;
    return true;
}

// "12,50 zł", "12,50 PLN": the currency written after the amount says nothing more.
QString bezWaluty(const QString& t) {
    for (const QString& w : {QStringLiteral("zł"), QStringLiteral("zl"), QStringLiteral("pln")}) {
        if (t.size() > w.size() && t.right(w.size()).compare(w, Qt::CaseInsensitive) == 0)
            return t.left(t.size() - w.size()).trimmed();
    }
    return t;
}

// The whole part with its thousands separators (blanks, or `grupujacy`) taken out; empty
// when the groups are not of three digits after the first.
QString cyfryCalosci(const QString& calosc, QChar grupujacy) {
    QStringList grupy;
    QString grupa;
    for (const QChar c : calosc) {
        if (jestOdstep(c) || (!grupujacy.isNull() && c == grupujacy)) {
            grupy << grupa;
            grupa.clear();
        } else {
            grupa += c;
        }
    }
    grupy << grupa;
    for (qsizetype i = 0; i < grupy.size(); ++i) {
        const QString& g = grupy[i];
        if (!sameCyfry(g))
            return {};
        if (grupy.size() > 1 && (i == 0 ? g.size() > 3 : g.size() != 3))
            return {};
    }
    return grupy.join(QString());
}

} // namespace

OdczytKwoty CzytajKwoteWpisana(const QString& tekst) {
    OdczytKwoty w;
    const QString pokaz = tekst.trimmed();
    if (pokaz.isEmpty()) {
        w.kwota = Money();
        w.pusta = true;
        return w;
    }
    const auto odmowa = [&w](const QString& powod) {
        w.blad = powod;
        return w;
    };
    const QString nieKwota = QStringLiteral("„%1” nie jest kwotą.").arg(pokaz);

    QString t = bezWaluty(pokaz);
    bool ujemna = false;
    if (!t.isEmpty() && (t[0] == u'-' || t[0] == QChar(0x2212) || t[0] == u'+')) {
        ujemna = t[0] != u'+';
        t = t.mid(1).trimmed();
    }
    bool cyfra = false;
    for (const QChar c : t) {
        if (jestCyfra(c))
            cyfra = true;
        else if (c != u',' && c != u'.' && !jestOdstep(c))
            return odmowa(nieKwota);
    }
    if (!cyfra)
        return odmowa(nieKwota);

    // Which mark separates the grosze: the later of a comma and a full stop when both are
    // there; the only one when it occurs once; none when one mark repeats (it groups).
    const qsizetype przecinki = t.count(u',');
    const qsizetype kropki = t.count(u'.');
    QChar dziesietny, grupujacy;
    if (przecinki > 0 && kropki > 0) {
        dziesietny = t.lastIndexOf(u',') > t.lastIndexOf(u'.') ? QChar(u',') : QChar(u'.');
        grupujacy = dziesietny == u',' ? QChar(u'.') : QChar(u',');
        if (t.count(dziesietny) > 1)
            return odmowa(nieKwota);
    } else if (przecinki + kropki == 1) {
        dziesietny = przecinki == 1 ? QChar(u',') : QChar(u'.');
    } else if (przecinki > 1 || kropki > 1) {
        grupujacy = przecinki > 1 ? QChar(u',') : QChar(u'.');
    }

    QString calosc = t, ulamek;
    if (!dziesietny.isNull()) {
        const qsizetype at = t.lastIndexOf(dziesietny);
        calosc = t.left(at).trimmed();
        ulamek = t.mid(at + 1).trimmed();
        if (!ulamek.isEmpty() && !sameCyfry(ulamek))
            return odmowa(nieKwota);
        // "1.234" or "12,345": a thousands separator or three decimals? Only a whole part of
        // one to three digits without blanks can be either; "0,125" and "1 234.567" cannot.
        const bool calyMoglbyBycGrupa =
            grupujacy.isNull() && sameCyfry(calosc) && calosc.size() <= 3 && calosc[0] != u'0';
        if (ulamek.size() == 3 && calyMoglbyBycGrupa)
            return odmowa(
                QStringLiteral("Nie wiadomo, czy „%1” to %2 zł, czy kwota z groszami. Wpisz "
                               "tysiące bez separatora lub ze spacją (%2), a grosze po przecinku "
                               "(np. %3,%4).")
                    .arg(pokaz, calosc + u' ' + ulamek, calosc, ulamek.left(2)));
        if (ulamek.size() > 2)
            return odmowa(QStringLiteral("Kwota „%1” ma więcej niż dwa miejsca po przecinku; "
                                         "grosze to najwyżej dwie cyfry.")
                              .arg(pokaz));
    }

    QString cyfry = calosc.isEmpty() ? QStringLiteral("0") : cyfryCalosci(calosc, grupujacy);
    if (cyfry.isEmpty())
        return odmowa(QStringLiteral("Nie można jednoznacznie odczytać kwoty „%1”: tysiące "
                                     "oddziela się co trzy cyfry (1 234 567,89).")
                          .arg(pokaz));
    while (cyfry.size() > 1 && cyfry[0] == u'0')
        cyfry.remove(0, 1);
    if (cyfry.size() > MaxCyfrCalosci)
        return odmowa(QStringLiteral("Kwota „%1” jest za duża.").arg(pokaz));

    std::int64_t grosze = cyfry.toLongLong() * 100;
    if (!ulamek.isEmpty())
        grosze += ulamek.size() == 1 ? ulamek.toLongLong() * 10 : ulamek.toLongLong();
    w.kwota = Money::fromCents(ujemna ? -grosze : grosze);
    return w;
}

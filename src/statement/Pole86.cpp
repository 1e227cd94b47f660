#include "Pole86.h"

namespace {
bool cyfra(QChar c) {
    return c >= u'0' && c <= u'9';
}

bool przelamanie(QChar c) {
    return c == u'\r' || c == u'\n';
}

// The filler some banks put in an empty subfield: byte 0xFF in ISO-8859-2 and Windows-1250.
constexpr char16_t Wypelniacz = u'\u02D9';

bool maPrzelamanie(QStringView s) {
    for (QChar c : s)
        if (przelamanie(c))
            return true;
    return false;
}

QString bezPrzelaman(QStringView s) {
    if (!maPrzelamanie(s))
        return s.toString();
    QString r(s.size(), Qt::Uninitialized);
    QChar* o = r.data();
    for (QChar c : s)
        if (!przelamanie(c))
            *o++ = c;
    r.truncate(o - r.constData());
    return r;
}

bool tylkoWypelniacz(const QString& s) {
    bool jest = false;
    for (QChar c : s) {
        if (c == Wypelniacz)
            jest = true;
        else if (c.unicode() > u' ')
            return false;
    }
    return jest;
}

// Trims and replaces each double space by one, left to right (three become two).
QString uporzadkuj(const QString& s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= u' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= u' ')
        --e;
    bool podwojna = false;
    for (qsizetype i = b; i + 1 < e && !podwojna; ++i)
        podwojna = s[i] == u' ' && s[i + 1] == u' ';
    if (b == 0 && e == s.size() && !podwojna)
        return s;
    QString r(e - b, Qt::Uninitialized);
    QChar* o = r.data();
    for (qsizetype i = b; i < e; ++i) {
        *o++ = s[i];
        if (s[i] == u' ' && i + 1 < e && s[i + 1] == u' ')
            ++i;
    }
    r.truncate(o - r.constData());
    return r;
}

QString polacz(const Podpola& p, const std::vector<int>& numery, Laczenie laczenie) {
    if (numery.empty())
        return {};
    QString r;
    r.reserve(128);
    qsizetype poprzedni = 0;
    for (int n : numery) {
        const QString kawalek = p.tekst(n);
        if (laczenie == Laczenie::Spacja || (laczenie == Laczenie::Szerokosc27 && poprzedni < 27))
            r += u' ';
        r += kawalek;
        poprzedni = kawalek.size();
    }
    return uporzadkuj(r);
}

// The number without blanks and without a two-letter country prefix.
QString bezPrefiksu(const QString& s) {
    QString r;
    r.reserve(s.size());
    for (QChar c : s)
        if (c.unicode() > u' ')
            r += c;
    if (r.size() >= 2 && r[0].isLetter() && r[1].isLetter())
        r.remove(0, 2);
    return r;
}

bool toSamoKonto(const QString& a, const QString& b) {
    const QString na = bezPrefiksu(a);
    return na.size() >= 10 && na == bezPrefiksu(b);
}

QString konto(const Podpola& p, const Dialekt& d, const QString& wlasne) {
    QString pierwsze;
    for (int n : d.konto) {
        const QString k = p.tekst(n);
        if (k.trimmed().isEmpty())
            continue;
        if (pierwsze.isEmpty())
            pierwsze = k;
        // Only a choice between subfields needs the comparison.
        if (d.konto.size() == 1 || wlasne.isEmpty() || !toSamoKonto(k, wlasne))
            return k;
    }
    if (!pierwsze.isEmpty() || !d.kontoZCzesci)
        return pierwsze;
    // Sort code and number apart; the check digits follow from them.
    QString rozl = p.tekst(30);
    QString nr = p.tekst(31);
    rozl.remove(u' ');
    nr.remove(u' ');
    if (rozl.size() != 8 || nr.size() != 16)
        return {};
    const QString kk = CyfryKontrolne(rozl, nr);
    return kk.isEmpty() ? QString() : kk + rozl + nr;
}

QString bezCudzyslowow(QString s) {
    if (s.size() >= 2 && s.startsWith(u'"') && s.endsWith(u'"'))
        return s.mid(1, s.size() - 2).trimmed();
    return s;
}

// ---- keywords

struct Etykieta {
    const char* tekst;
    enum Co { Inna, KontoZ, KontoNa, Od, Dla, Tytul } co;
};

const Etykieta Etykiety[] = {
    {"Z RACH.:", Etykieta::KontoZ},
    {"NA RACH.:", Etykieta::KontoNa},
    {"OD:", Etykieta::Od},
    {"DLA:", Etykieta::Dla},
    {"TYT.:", Etykieta::Tytul},
    {"DATA STEMPLA:", Etykieta::Inna},
    {"ID IPH:", Etykieta::Inna},
    {"TNR:", Etykieta::Inna},
    {"RODZAJ SKŁADKI:", Etykieta::Inna},
    {"DEKLARACJA:", Etykieta::Inna},
    {"NIP:", Etykieta::Inna},
    {"ID UZUP.:", Etykieta::Inna},
    {"SYMBOL FORM.:", Etykieta::Inna},
    {"OKRES:", Etykieta::Inna},
    {"REF. KLIENTA:", Etykieta::Inna},
};

const std::vector<QString>& tekstyEtykiet() {
    static const std::vector<QString> t = [] {
        std::vector<QString> r;
        for (const Etykieta& e : Etykiety)
            r.push_back(QString::fromUtf8(e.tekst));
        return r;
    }();
    return t;
}

// The label standing at p, after a ";" (spaces between allowed); -1 for none.
int etykietaPrzed(const QString& s, qsizetype p) {
    qsizetype q = p;
    while (q > 0 && s[q - 1] == u' ')
        --q;
    if (q == 0 || s[q - 1] != u';')
        return -1;
    const auto& t = tekstyEtykiet();
    for (size_t i = 0; i < t.size(); ++i)
        if (QStringView(s).mid(p).startsWith(t[i]))
            return static_cast<int>(i);
    return -1;
}

// "NNN DESCRIPTION; LABEL: value; LABEL: value": the lines are joined as they stand (a
// bank wraps anywhere, also between a label and its value), then each known label after a
// ";" opens a value that runs up to the next such label.
Dane86 czytajSlowa(QStringView tekst) {
    const QString s = bezPrzelaman(tekst);
    struct Miejsce {
        qsizetype poz;
        qsizetype srednik;
        int etykieta;
    };
    std::vector<Miejsce> miejsca;
    for (qsizetype p = 1; p < s.size(); ++p) {
        const QChar c = s[p];
        if (c < u'A' || c > u'Z')
            continue;
        const int e = etykietaPrzed(s, p);
        if (e < 0)
            continue;
        qsizetype q = p;
        while (q > 0 && s[q - 1] == u' ')
            --q;
        miejsca.push_back({p, q - 1, e});
        p += tekstyEtykiet()[static_cast<size_t>(e)].size() - 1;
    }
    QString wartosci[6];
    for (size_t i = 0; i < miejsca.size(); ++i) {
        const Miejsce& m = miejsca[i];
        const qsizetype od = m.poz + tekstyEtykiet()[static_cast<size_t>(m.etykieta)].size();
        const qsizetype doKonca = i + 1 < miejsca.size() ? miejsca[i + 1].srednik : s.size();
        QString w = s.mid(od, doKonca - od);
        while (w.endsWith(u';') || w.endsWith(u' '))
            w.chop(1);
        QString& cel = wartosci[Etykiety[m.etykieta].co];
        if (cel.isEmpty())
            cel = uporzadkuj(w);
    }
    Dane86 d;
    d.konto = !wartosci[Etykieta::KontoZ].isEmpty() ? wartosci[Etykieta::KontoZ]
                                                    : wartosci[Etykieta::KontoNa];
    d.konto.remove(u' ');
    d.nazwa = !wartosci[Etykieta::Od].isEmpty() ? wartosci[Etykieta::Od] : wartosci[Etykieta::Dla];
    d.opis = wartosci[Etykieta::Tytul];
    if (d.opis.isEmpty()) {
        // Without a title the description says what the entry is: "OPŁATA ZA PRZELEW".
        QString opis = s.left(miejsca.empty() ? s.size() : miejsca.front().srednik);
        qsizetype k = 0;
        while (k < opis.size() && cyfra(opis[k]))
            ++k;
        d.opis = uporzadkuj(opis.mid(k));
    }
    return d;
}

bool maSlowa(QStringView tekst) {
    const QString s = bezPrzelaman(tekst);
    for (qsizetype p = s.indexOf(u';'); p >= 0; p = s.indexOf(u';', p + 1)) {
        qsizetype q = p + 1;
        while (q < s.size() && s[q] == u' ')
            ++q;
        const int e = q < s.size() ? etykietaPrzed(s, q) : -1;
        if (e >= 0 && Etykiety[e].co != Etykieta::Inna)
            return true;
    }
    return false;
}
} // namespace

Podpola::Podpola(QStringView tekst, QChar separator) : t_(tekst) {
    const qsizetype n = tekst.size();
    int otwarty = -1;
    for (qsizetype p = tekst.indexOf(separator); p >= 0 && p < n;
         p = tekst.indexOf(separator, p + 1)) {
        if (otwarty >= 0) {
            koniec_[static_cast<size_t>(otwarty)] = p;
            otwarty = -1;
        }
        // The two characters after the separator, line breaks skipped.
        qsizetype q = p + 1;
        QChar c[2];
        int ile = 0;
        while (q < n && ile < 2) {
            if (!przelamanie(tekst[q]))
                c[ile++] = tekst[q];
            ++q;
        }
        if (ile < 2 || !cyfra(c[0]) || !cyfra(c[1]))
            continue;
        const int nr = (c[0].unicode() - u'0') * 10 + (c[1].unicode() - u'0');
        if (jest_[static_cast<size_t>(nr)])
            continue;
        jest_[static_cast<size_t>(nr)] = true;
        start_[static_cast<size_t>(nr)] = q;
        koniec_[static_cast<size_t>(nr)] = n;
        otwarty = nr;
    }
}

QStringView Podpola::surowe(int n) const {
    if (!jest(n))
        return {};
    const auto i = static_cast<size_t>(n);
    return t_.mid(start_[i], koniec_[i] - start_[i]);
}

QString Podpola::tekst(int n) const {
    if (!jest(n))
        return {};
    QString r = bezPrzelaman(surowe(n));
    return tylkoWypelniacz(r) ? QString() : r;
}

Dane86 CzytajPole86(QStringView tekst, const Dialekt& d, const QString& wlasne) {
    if (d.ksztalt == Ksztalt86::Slowa)
        return czytajSlowa(tekst);
    const Podpola p(tekst, d.separator);
    Dane86 r;
    r.opis = polacz(p, d.opis, d.laczOpis);
    if (d.cudzyslowy)
        r.opis = bezCudzyslowow(r.opis);
    r.nazwa = polacz(p, d.nazwa, d.laczNazwa);
    r.konto = konto(p, d, wlasne);
    return r;
}

bool PasujeDoKsztaltu(QStringView tekst, const Dialekt& d) {
    if (d.ksztalt == Ksztalt86::Slowa)
        return maSlowa(tekst);
    const Podpola p(tekst, d.separator);
    for (const auto* lista : {&d.opis, &d.nazwa, &d.konto})
        for (int n : *lista)
            if (p.jest(n))
                return true;
    return false;
}

QString CyfryKontrolne(const QString& rozliczeniowy, const QString& numer) {
    const QString bban = rozliczeniowy + numer;
    if (bban.size() != 24)
        return {};
    // ISO 13616: the number, "PL" as 2521, "00"; 98 minus the remainder mod 97.
    const QString u = bban + QStringLiteral("252100");
    int reszta = 0;
    for (QChar c : u) {
        if (!cyfra(c))
            return {};
        reszta = (reszta * 10 + (c.unicode() - u'0')) % 97;
    }
    return QStringLiteral("%1").arg(98 - reszta, 2, 10, QChar(u'0'));
}

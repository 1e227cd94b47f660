#include "Pola.h"

#include <array>

namespace {
struct Znany {
    const char16_t* tekst; // between the colons
    TagMT tag;
};

constexpr std::array<Znany, 18> Znane{{
    {u"20", TagMT::T20},
    {u"21", TagMT::T21},
    {u"25", TagMT::T25},
    {u"28", TagMT::T28},
    {u"28C", TagMT::T28C},
    {u"60F", TagMT::T60F},
    {u"60M", TagMT::T60M},
    {u"61", TagMT::T61},
    {u"86", TagMT::T86},
    {u"62F", TagMT::T62F},
    {u"62M", TagMT::T62M},
    {u"64", TagMT::T64},
    {u"65", TagMT::T65},
    {u"NS", TagMT::Inny},
    {u"34F", TagMT::Inny},
    {u"13D", TagMT::Inny},
    {u"90D", TagMT::Inny},
    {u"90C", TagMT::Inny},
}};

bool znakTagu(QChar c) {
    return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'Z');
}

// The name between the colons as a number, for comparing without measuring strings.
constexpr std::uint32_t klucz(const char16_t* t) {
    std::uint32_t k = 0;
    for (; *t; ++t)
        k = (k << 8) | static_cast<std::uint32_t>(*t);
    return k;
}

const Znany* znany(QStringView nazwa) {
    std::uint32_t k = 0;
    for (QChar c : nazwa)
        k = (k << 8) | (c.unicode() & 0xFF);
    for (const Znany& z : Znane)
        if (klucz(z.tekst) == k)
            return &z;
    return nullptr;
}

// The tag between the colons: one of the known ones, or Inny.
TagMT rodzaj(QStringView nazwa) {
    const Znany* z = znany(nazwa);
    return z ? z->tag : TagMT::Inny;
}

// Length of the tag ":XX:", ":XXX:" starting at p (the colons included); 0 when none.
qsizetype dlugoscTagu(QStringView t, qsizetype p, qsizetype koniec) {
    if (p >= koniec || t[p] != u':')
        return 0;
    qsizetype j = p + 1;
    while (j < koniec && j - p <= 4 && znakTagu(t[j]))
        ++j;
    const qsizetype n = j - p - 1;
    return (n >= 2 && n <= 3 && j < koniec && t[j] == u':') ? n + 2 : 0;
}

bool koniecLinii(QChar c) {
    return c == u'\n' || c == u'\r' || c == u'\x01' || c == u'\x03';
}

bool pusta(QStringView linia) {
    for (QChar c : linia)
        if (c.unicode() > u' ')
            return false;
    return true;
}

// An envelope line of a SWIFT message: a block header or the end of the text block.
bool koperta(QStringView linia) {
    const QStringView s = linia.trimmed();
    return s.startsWith(u'{') || s == u"-" || s.startsWith(u"-}");
}

std::vector<PoleMT> wLiniach(const QString& tekst, bool sterujace) {
    const QStringView t(tekst);
    const qsizetype n = t.size();
    std::vector<PoleMT> pola;
    pola.reserve(static_cast<size_t>(n / 64) + 8);
    bool otwarte = false;
    qsizetype p = 0;
    while (p < n) {
        qsizetype e;
        if (sterujace) {
            e = p;
            while (e < n && !koniecLinii(t[e]))
                ++e;
        } else {
            e = t.indexOf(u'\n', p);
            if (e < 0)
                e = n;
            if (e > p && t[e - 1] == u'\r')
                --e;
        }
        const QStringView linia = t.mid(p, e - p);
        if (const qsizetype dl = dlugoscTagu(t, p, e)) {
            pola.push_back({rodzaj(t.mid(p + 1, dl - 2)), p, p + dl, e});
            otwarte = true;
        } else if (koperta(linia)) {
            otwarte = false;
        } else if (otwarte && !pusta(linia)) {
            pola.back().koniec = e;
        }
        // Past the line break: CR LF, LF, a lone CR or a control byte, which also closes
        // the statement of one account.
        p = e;
        if (p < n && (t[p] == u'\x01' || t[p] == u'\x03')) {
            otwarte = false;
            ++p;
            continue;
        }
        if (p < n && t[p] == u'\r')
            ++p;
        if (p < n && t[p] == u'\n')
            ++p;
    }
    return pola;
}

// No line breaks at all: the known tags wherever they stand. A value also ends at the end of
// an envelope ("-}"), so that a message header after it is no part of it.
std::vector<PoleMT> bezLinii(const QString& tekst) {
    const QStringView t(tekst);
    std::vector<PoleMT> pola;
    const auto zamknij = [&](qsizetype koniec) {
        PoleMT& p = pola.back();
        const qsizetype k = t.mid(p.start, koniec - p.start).indexOf(u"-}");
        p.koniec = k >= 0 ? p.start + k : koniec;
    };
    for (qsizetype p = t.indexOf(u':'); p >= 0; p = t.indexOf(u':', p + 1)) {
        const qsizetype dl = dlugoscTagu(t, p, t.size());
        if (dl == 0)
            continue;
        const Znany* z = znany(t.mid(p + 1, dl - 2));
        if (!z)
            continue;
        if (!pola.empty())
            zamknij(p);
        pola.push_back({z->tag, p, p + dl, t.size()});
        p += dl - 1;
    }
    if (!pola.empty())
        zamknij(t.size());
    return pola;
}
} // namespace

std::vector<PoleMT> CzytajPola(const QString& t) {
    qsizetype e = t.size();
    while (e > 0 && t[e - 1].unicode() <= u' ')
        --e;
    // One look at the text: which line breaks and control bytes it has.
    bool lf = false;
    bool cr = false;
    bool sterujace = false;
    for (QChar c : QStringView(t).first(e)) {
        if (c.unicode() > u'\r')
            continue;
        lf = lf || c == u'\n';
        cr = cr || c == u'\r';
        sterujace = sterujace || c == u'\x01' || c == u'\x03';
    }
    if (sterujace || lf || cr)
        return wLiniach(t, sterujace || !lf);
    return bezLinii(t);
}

QString NazwaTagu(TagMT tag) {
    for (const Znany& z : Znane)
        if (z.tag == tag && tag != TagMT::Inny)
            return u':' + QString::fromUtf16(z.tekst) + u':';
    return QStringLiteral(":?:");
}

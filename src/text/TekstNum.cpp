#include "TekstNum.h"

#include <array>

namespace TekstNum {
namespace {
using Row = std::array<const char16_t*, 10>;

const std::array<const char16_t*, 20> JednNascie = {
    u"",           u"jeden",      u"dwa",          u"trzy",        u"cztery",
    u"pięć",       u"sześć",      u"siedem",       u"osiem",       u"dziewięć",
    u"dziesięć",   u"jedenaście", u"dwanaście",    u"trzynaście",  u"czternaście",
    u"piętnaście", u"szesnaście", u"siedemnaście", u"osiemnaście", u"dziewiętnaście"};
const Row Dziesiatki = {u"",
                        u"dziesięć",
                        u"dwadzieścia",
                        u"trzydzieści",
                        u"czterdzieści",
                        u"pięćdziesiąt",
                        u"sześćdziesiąt",
                        u"siedemdziesiąt",
                        u"osiemdziesiąt",
                        u"dziewięćdziesiąt"};
const Row Setki = {u"",        u"sto",      u"dwieście",  u"trzysta",  u"czterysta",
                   u"pięćset", u"sześćset", u"siedemset", u"osiemset", u"dziewięćset"};
const Row FormaTysiac = {u"tysięcy", u"tysiąc",  u"tysiące", u"tysiące", u"tysiące",
                         u"tysięcy", u"tysięcy", u"tysięcy", u"tysięcy", u"tysięcy"};
const Row FormaZloty = {u"złotych", u"złotych", u"złote",   u"złote",   u"złote",
                        u"złotych", u"złotych", u"złotych", u"złotych", u"złotych"};
const Row FormaGrosz = {u"groszy", u"groszy", u"grosze", u"grosze", u"grosze",
                        u"groszy", u"groszy", u"groszy", u"groszy", u"groszy"};

QString word(const char16_t* w) {
    return QString::fromUtf16(w) + u' ';
}
} // namespace

Cyfry split(long long n) {
    return Cyfry{static_cast<int>(n % 10), static_cast<int>((n / 10) % 10),
                 static_cast<int>((n / 100) % 10), n / 1000};
}

QString tysiac(long long n) {
    const Cyfry c = split(n);
    QString s;
    if (c.setki != 0)
        s += word(Setki[c.setki]);
    if (c.dziesiatki >= 2)
        s += word(Dziesiatki[c.dziesiatki]);
    const int d = c.dziesiatki * 10 + c.jednosci;
    if (d == 0)
        return s;
    if (d < 20)
        s += word(JednNascie[d]);
    else if (c.jednosci != 0)
        s += word(JednNascie[c.jednosci]);
    return s;
}

namespace {
// Groups above the thousands: the word for one, for 2-4 (not 12-14) and for the rest.
struct Rzad {
    long long wartosc;
    const char16_t* jeden;
    const char16_t* kilka;
    const char16_t* wiele;
};
const std::array<Rzad, 3> Rzedy = {{
    {1'000'000'000'000LL, u"bilion", u"biliony", u"bilionów"},
    {1'000'000'000LL, u"miliard", u"miliardy", u"miliardów"},
    {1'000'000LL, u"milion", u"miliony", u"milionów"},
}};

const char16_t* formaRzedu(const Rzad& r, long long k) {
    if (k == 1)
        return r.jeden;
    const long long d = k % 10;
    const long long dn = k % 100;
    if (d >= 2 && d <= 4 && !(dn >= 12 && dn <= 14))
        return r.kilka;
    return r.wiele;
}
} // namespace

QString tekst(long long n) {
    // Millions and above: the count in words, then the form its last digits call for.
    QString s;
    for (const Rzad& r : Rzedy) {
        const long long k = n / r.wartosc;
        if (k != 0)
            s += tysiac(k) + word(formaRzedu(r, k));
        n %= r.wartosc;
    }
    const long long k = n / 1000;
    s += tysiac(k);
    if (k % 100 >= 10 && k % 100 <= 19)
        s += QStringLiteral("tysięcy ");
    else if (k != 0) {
        if (k % 10 != 1 || k == 1)
            s += word(FormaTysiac[k % 10]);
        else
            s += QStringLiteral("tysięcy ");
    }
    return s + tysiac(n % 1000);
}

QString zloty(long long n) {
    if (n == 1)
        return QStringLiteral("złoty");
    if (n % 100 >= 10 && n % 100 <= 19)
        return QStringLiteral("złotych");
    return QString::fromUtf16(FormaZloty[n % 10]);
}

QString grosz(long long g) {
    if (g == 1)
        return QStringLiteral("grosz");
    if (g >= 10 && g <= 19)
        return QStringLiteral("groszy");
    return QString::fromUtf16(FormaGrosz[g % 10]);
}

} // namespace TekstNum

QString Slownie(Money amount) {
    using namespace TekstNum;
    // Rounded to whole grosze first, so 0.995 reads as one złoty, never as a hundred grosze.
    // A negative amount (never on a receipt) is read as "minus" and its magnitude, so no
    // table is ever indexed by a negative digit.
    const std::int64_t c = amount.cents();
    const std::int64_t a = c < 0 ? -c : c;
    const long long n = a / 100;
    const long long g = a % 100;
    QString s = c < 0 ? QStringLiteral("minus ") : QString();
    if (n != 0)
        s += tekst(n) + zloty(n) + u' ';
    if (g != 0)
        s += tekst(g) + grosz(g);
    return s;
}

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

QString tekst(long long n) {
    const long long k = n / 1000;
    QString s = tysiac(k);
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
    // Words exist for 0 to 999 999.99; a negative amount (never on a receipt) is read as
    // "minus" and its magnitude, so no table is ever indexed by a negative digit.
    const Money a = amount.isNegative() ? -amount : amount;
    const long long n = a.wholePart();
    const long long g = (a.fractionUnits() + 50) / 100;
    QString s = amount.isNegative() ? QStringLiteral("minus ") : QString();
    if (n != 0)
        s += tekst(n) + zloty(n) + u' ';
    if (g != 0)
        s += tekst(g) + grosz(g);
    return s;
}

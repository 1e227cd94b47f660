#include "WeryfNum.h"

#include "StringFun.h"

#include <array>

namespace {
// wi[k-1] = 10^(k-1) mod 97: the weights of the MOD 97-10 check, read from the number's end.
constexpr std::array<int, 30> wi = {1,  10, 3,  30, 9,  90, 27, 76, 81, 34, 49, 5,  50, 15, 53,
                                    45, 62, 38, 89, 17, 73, 51, 25, 56, 75, 71, 31, 19, 93, 57};
constexpr char NipWagi[] = "657234567";

bool isDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}
int digit(QChar c) {
    return c.unicode() - u'0';
}
} // namespace

QString UsunZnakiFrm(const QString& s) {
    QString r;
    r.reserve(s.size());
    for (QChar c : s)
        if (c != u' ' && c != u'-' && c != u'_')
            r += c;
    return r;
}

bool KontoZgrubOk(const QString& s) {
    const QString t = UsunZnakiFrm(s);
    if (t.isEmpty())
        return true;
    if (t.size() < 12 || t.size() > 32)
        return false;
    return isDigit(t[0]) && isDigit(t[1]);
}

bool KontoOk(const QString& s) {
    if (!KontoZgrubOk(s))
        return false;
    const QString t = UsunZnakiFrm(s);
    if (t.isEmpty())
        return true;
    if (!SaTylkoCyfry(t) || t.size() != 26)
        return false;
    // The check digits move behind the sorting code and "PL" (P = 25, L = 21).
    const QString u = t.mid(2) + QLatin1String("2521") + t.left(2);
    int sum = 0;
    for (int k = 0; k < 30; ++k)
        sum += digit(u[u.size() - 1 - k]) * wi[static_cast<size_t>(k)];
    return sum % 97 == 1;
}

bool NipOk(const QString& s) {
    const QString t = TrimCtl(s);
    if (t.isEmpty())
        return true;
    if (t.size() != 10)
        return false;
    QString digits;
    for (QChar c : t) {
        if (isDigit(c))
            digits += c;
        else if (c != u' ' && c != u'-' && c != u'_')
            return false;
    }
    return digits.size() == 10 && SumaNIPOk(digits);
}

bool SumaNIPOk(const QString& d) {
    if (d.size() != 10 || !SaTylkoCyfry(d))
        return false;
    int sum = 0;
    for (int i = 0; i < 9; ++i)
        sum += digit(d[i]) * (NipWagi[i] - '0');
    int r = sum % 11;
    if (r == 10)
        r = 0;
    return r == digit(d[9]);
}

#include "StringFun.h"

#include "Win1250.h"

#include <algorithm>

namespace {
bool isAsciiDigit(QChar c) {
    return c >= u'0' && c <= u'9';
}

int digitsToInt(QStringView s) {
    int value = 0;
    for (QChar c : s) {
        if (!isAsciiDigit(c))
            throw ConversionError("'" + s.toString().toStdString() +
                                  "' is not a valid integer value");
        value = value * 10 + (c.unicode() - '0');
    }
    return value;
}

Date makeDate(int y, int m, int d, const QString& source) {
    const QDate q(y, m, d);
    if (!q.isValid())
        throw ConversionError("'" + source.toStdString() + "' is not a valid date");
    return Date(q);
}
} // namespace

QString ExtractTextEx(const QString& text, const QString& delim1, const QString& delim2,
                      int startAt) {
    if (delim1.isEmpty())
        return {};
    const qsizetype p1 = text.indexOf(delim1, std::max(0, startAt - 1));
    if (p1 < 0)
        return {};
    const qsizetype p2 = text.indexOf(delim2, p1 + 1);
    if (p2 < 0)
        return {};
    const qsizetype len = p2 - p1 - delim1.size();
    if (len < 1)
        return {};
    return text.mid(p1 + delim1.size(), len);
}

QString ExtractText(const QString& text, const QString& delim1, const QString& delim2) {
    return ExtractTextEx(text, delim1, delim2, 1);
}

QString ExtractToEnd(const QString& text, const QString& delim) {
    if (delim.isEmpty())
        return {};
    const qsizetype p = text.indexOf(delim);
    if (p < 0)
        return {};
    return text.mid(p + delim.size());
}

QString TrimCtl(const QString& s) {
    qsizetype b = 0;
    qsizetype e = s.size();
    while (b < e && s[b].unicode() <= ' ')
        ++b;
    while (e > b && s[e - 1].unicode() <= ' ')
        --e;
    return s.mid(b, e - b);
}

QString lsTrimUP(const QString& s) {
    return TrimCtl(s).toUpper();
}

QString UsunSpacje(const QString& s) {
    QString r = s;
    r.remove(u' ');
    return r;
}

QString UsunCRLF(const QString& s) {
    QString r = s;
    r.remove(u'\n');
    r.remove(u'\r');
    return r;
}

QString TylkoCyfry(const QString& s) {
    QString r;
    r.reserve(s.size());
    for (QChar c : s)
        if (isAsciiDigit(c))
            r += c;
    return r;
}

bool SaTylkoCyfry(const QString& s) {
    return !s.isEmpty() && std::all_of(s.begin(), s.end(), isAsciiDigit);
}

int LiczbaCyfrNaPoczatku(const QString& s) {
    int n = 0;
    while (n < s.size() && isAsciiDigit(s[n]))
        ++n;
    return n;
}

Date StrNaDate(const QString& s) {
    if (s.size() != 6)
        return Date::zero();
    const QStringView v(s);
    return makeDate(2000 + digitsToInt(v.mid(0, 2)), digitsToInt(v.mid(2, 2)),
                    digitsToInt(v.mid(4, 2)), s);
}

Date fakt_strDataToDate(const QString& sData) {
    if (sData.size() != 10)
        return Date::zero();
    const QStringView v(sData);
    return makeDate(digitsToInt(v.mid(0, 4)), digitsToInt(v.mid(5, 2)), digitsToInt(v.mid(8, 2)),
                    sData);
}

Money StrNaCurr(const QString& s, QChar decSep) {
    QString plain;
    plain.reserve(s.size());
    for (QChar c : s) {
        if (isAsciiDigit(c))
            plain += c;
        else if (c == decSep)
            plain += u'.';
    }
    return Money::parse(plain).value_or(Money());
}

QString FormatKonto(const QString& s) {
    const QString d = TylkoCyfry(s);
    if (d.size() != 26)
        return s;
    QString r = d.left(2);
    for (int i = 2; i < 26; i += 4)
        r += u' ' + d.mid(i, 4);
    return r;
}

QString KorygNazwa(const QString& s) {
    return s.left(Nazwa_MAX_LEN);
}
QString KorygAdres(const QString& s) {
    return s.left(Adres_MAX_LEN);
}
QString KorygOpis(const QString& s) {
    return s.left(Opis_MAX_LEN);
}

QString KomZnakiSpozaBazy(const QString& co, const QString& tekst) {
    const QString zapisane = win1250::stored(tekst);
    if (zapisane == tekst)
        return {};
    return QStringLiteral("[Znaki spoza strony kodowej bazy danych] - ") + co +
           QStringLiteral(" „") + tekst + QStringLiteral("” zapisano jako „") + zapisane +
           QStringLiteral("”");
}

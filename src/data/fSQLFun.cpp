#include "fSQLFun.h"

#include <algorithm>

QString sqlStr(const QString& s) {
    QString q = s;
    q.replace(u'\'', QStringLiteral("''"));
    return u'\'' + q + u'\'';
}

QString sqlDate(const Date& d) {
    if (d.isZero())
        return {};
    return u'\'' + d.qdate().toString(QStringLiteral("yyyy-MM-dd")) + u'\'';
}

QString sqlCurr(const Money& c) {
    return c.toPlain();
}

QString sqlWarunekKonta(const QString& kr, const QString& nr) {
    QString kod = kr.trimmed().toUpper();
    QString numer = nr;
    numer.remove(u' ');
    if (kod.isEmpty() && numer.size() > 2 && numer[0].isLetter() && numer[1].isLetter()) {
        kod = numer.left(2).toUpper();
        numer = numer.mid(2);
    }
    const bool polski = numer.size() == 26 && std::all_of(numer.begin(), numer.end(), [](QChar c) {
                            return c >= u'0' && c <= u'9';
                        });
    if (kod.isEmpty())
        return QStringLiteral("NR_KONTO=") + sqlStr(numer);
    if (kod == u"PL" && polski)
        return QStringLiteral("NR_KONTO=") + sqlStr(numer) +
               QStringLiteral(" AND (KR_KONTO='PL' OR KR_KONTO='' OR KR_KONTO IS NULL)");
    return QStringLiteral("KR_KONTO=") + sqlStr(kod) + QStringLiteral(" AND NR_KONTO=") +
           sqlStr(numer);
}

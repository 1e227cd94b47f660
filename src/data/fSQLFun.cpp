#include "fSQLFun.h"

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

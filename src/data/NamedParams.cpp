#include "NamedParams.h"

NamedParams parseNamedParams(const QString& sql) {
    NamedParams r;
    r.sql.reserve(sql.size());
    const qsizetype n = sql.size();
    for (qsizetype i = 0; i < n; ++i) {
        const QChar c = sql[i];
        if (c == u'\'' || c == u'"') {
            qsizetype j = i + 1;
            while (j < n && !(sql[j] == c && !(j + 1 < n && sql[j + 1] == c)))
                j += (sql[j] == c) ? 2 : 1;
            r.sql += sql.mid(i, j - i + 1);
            i = j;
            continue;
        }
        if (c == u':' && i + 1 < n && (sql[i + 1].isLetter() || sql[i + 1] == u'_')) {
            qsizetype j = i + 1;
            while (j < n && (sql[j].isLetterOrNumber() || sql[j] == u'_'))
                ++j;
            r.names << sql.mid(i + 1, j - i - 1).toUpper();
            r.sql += u'?';
            i = j - 1;
            continue;
        }
        r.sql += c;
    }
    return r;
}

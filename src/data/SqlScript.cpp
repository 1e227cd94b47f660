#include "SqlScript.h"

#include "Attachment.h"

#include <QFile>
#include <QRegularExpression>

QStringList splitSqlScript(const QString& script) {
    QStringList statements;
    QString terminator = QStringLiteral(";");
    QString current;
    const qsizetype n = script.size();
    qsizetype i = 0;
    static const QRegularExpression setTerm(QStringLiteral("^\\s*SET\\s+TERM\\s+(\\S+)\\s*$"),
                                            QRegularExpression::CaseInsensitiveOption);
    auto flush = [&] {
        const QString stmt = current.trimmed();
        current.clear();
        if (stmt.isEmpty())
            return;
        const auto m = setTerm.match(stmt);
        if (m.hasMatch())
            terminator = m.captured(1);
        else
            statements << stmt;
    };
    while (i < n) {
        const QChar c = script[i];
        if (c == u'/' && i + 1 < n && script[i + 1] == u'*') {
            const qsizetype end = script.indexOf(QStringLiteral("*/"), i + 2);
            i = end < 0 ? n : end + 2;
            current += u' ';
            continue;
        }
        if (c == u'-' && i + 1 < n && script[i + 1] == u'-') {
            const qsizetype end = script.indexOf(u'\n', i);
            i = end < 0 ? n : end;
            continue;
        }
        if (c == u'\'' || c == u'"') {
            qsizetype j = i + 1;
            while (j < n) {
                if (script[j] == c) {
                    if (j + 1 < n && script[j + 1] == c) {
                        j += 2;
                        continue;
                    }
                    break;
                }
                ++j;
            }
            current += script.mid(i, j - i + 1);
            i = j + 1;
            continue;
        }
        if (script.mid(i, terminator.size()) == terminator) {
            flush();
            i += terminator.size();
            continue;
        }
        current += c;
        ++i;
    }
    flush();
    return statements;
}

void runSqlScript(db::Attachment& att, const QString& script) {
    for (const QString& stmt : splitSqlScript(script))
        att.executeImmediate(stmt);
}

QString compiledScript(const QString& name) {
    QFile f(QStringLiteral(":/brevant/") + name);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    return QString::fromUtf8(f.readAll());
}

QString schemaScript() {
    const QString schema = compiledScript(QStringLiteral("schema.sql"));
    if (schema.isEmpty())
        return {};
    // The shipped interest history, which an upgraded database gets from the same script.
    return schema + u'\n' + compiledScript(QStringLiteral("odsetki.sql"));
}

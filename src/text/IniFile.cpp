#include "IniFile.h"

#include <QFile>
#include <QStringDecoder>

namespace {
QString keyOf(const QString& section, const QString& key) {
    return section.trimmed().toLower() + u'\n' + key.trimmed().toLower();
}

// Notepad on Windows writes the ANSI code page or UTF-8; take UTF-8 only when it decodes cleanly.
QString decode(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder cp1250("windows-1250");
    return cp1250.isValid() ? cp1250(bytes) : QString::fromLatin1(bytes);
}
} // namespace

IniFile::IniFile(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return;
    const QString text = decode(f.readAll());
    QString section;
    for (QString line : text.split(u'\n')) {
        line = line.trimmed();
        if (line.isEmpty() || line.startsWith(u';') || line.startsWith(u'#'))
            continue;
        if (line.startsWith(u'[')) {
            const qsizetype end = line.indexOf(u']');
            section = line.mid(1, end < 0 ? -1 : end - 1);
            continue;
        }
        const qsizetype eq = line.indexOf(u'=');
        if (eq < 0)
            continue;
        QString v = line.mid(eq + 1).trimmed();
        if (v.size() >= 2 && (v.front() == u'"' || v.front() == u'\'') && v.back() == v.front())
            v = v.mid(1, v.size() - 2);
        const QString k = keyOf(section, line.left(eq));
        if (!values_.contains(k)) // the first occurrence wins, as on Windows
            values_.insert(k, v);
    }
}

QString IniFile::value(const QString& section, const QString& key, const QString& fallback) const {
    return values_.value(keyOf(section, key), fallback);
}

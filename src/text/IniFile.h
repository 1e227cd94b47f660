#pragma once

#include <QHash>
#include <QString>

// A Windows INI file: section and key names compared ignoring letter case, values taken
// as written (no escapes, so "C:\dane\brevant.fdb" stays intact).
class IniFile {
public:
    explicit IniFile(const QString& path);
    QString value(const QString& section, const QString& key, const QString& fallback = {}) const;

private:
    QHash<QString, QString> values_; // "section\nkey" in lower case -> value
};

#pragma once

#include <QString>
#include <QStringList>

// SQL with ":Name" parameters turned into "?" placeholders, and the names in order.
struct NamedParams {
    QString sql;
    QStringList names; // upper case
};

NamedParams parseNamedParams(const QString& sql);

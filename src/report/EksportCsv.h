#pragma once

#include "DaneWydrukow.h"

#include <QByteArray>
#include <QString>

namespace wydruk {

// A list as a spreadsheet opens it: UTF-8 with a byte-order mark, semicolons, CRLF, amounts
// with a decimal comma and no grouping so that they read as numbers.
QByteArray csvListy(const DaneListy& lista);
// Writes the file whole or not at all; on failure returns the Polish message, else empty.
QString zapiszCsv(const DaneListy& lista, const QString& plik);

} // namespace wydruk

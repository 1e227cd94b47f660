#pragma once

#include "DaneWydrukow.h"
#include "Wiekowanie.h"

#include <QByteArray>
#include <QString>

namespace wydruk {

// A list as a spreadsheet opens it: UTF-8 with a byte-order mark, semicolons, CRLF, amounts
// with a decimal comma and no grouping so that they read as numbers.
QByteArray csvListy(const DaneListy& lista);
// The ageing in the same form: a row per contractor, a range per column, the totals last.
QByteArray csvWiekowania(const rozrachunki::Wiekowanie& wiekowanie);
// Writes the file whole or not at all; on failure returns the Polish message, else empty.
QString zapiszCsv(const DaneListy& lista, const QString& plik);
QString zapiszCsv(const QByteArray& tresc, const QString& plik);

} // namespace wydruk

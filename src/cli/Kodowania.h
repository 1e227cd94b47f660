#pragma once

#include "StronyKodowe.h"

#include <QString>

namespace cli {
// --encoding utf-8|windows-1250|iso-8859-2|cp-852; UsageError for anything else.
TKodowanie kodowanieZNazwy(const QString& nazwa);
} // namespace cli

#pragma once

#include "Banki.h"
#include "StronyKodowe.h"

#include <QString>

#include <optional>

namespace cli {
// --encoding detect|utf-8|windows-1250|iso-8859-2|cp-852 (left out: detect); UsageError for
// anything else.
TKodowanie kodowanieZNazwy(const QString& nazwa);
// --bank: the bank whose dialect reads the file, instead of the one of its own account.
std::optional<TBank> bankZNazwy(const QString& nazwa);
} // namespace cli

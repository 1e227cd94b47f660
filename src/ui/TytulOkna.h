#pragma once

#include <QString>

// The title of a window showing one contractor's data: what it shows and whose ("Transakcje –
// Alfa sp. z o.o."); the plain title while no contractor is given.
inline QString TytulOkna(const QString& tytul, const QString& kontrahent) {
    const QString kto = kontrahent.simplified();
    return kto.isEmpty() ? tytul : tytul + QStringLiteral(" – ") + kto;
}

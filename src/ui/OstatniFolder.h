#pragma once

#include <QString>
#include <QVariant>

// What the program remembers for the user from one run to the next besides the windows'
// layout: kept with it, under "Software\Quorvel\Brevant\Ostatnie".
namespace Zapamietane {
QVariant wartosc(const QString& klucz, const QVariant& domyslna = {});
void ustaw(const QString& klucz, const QVariant& wartosc);
} // namespace Zapamietane

// The folder each import (and each kind of saved file) last took its file from.
namespace OstatniFolder {
// Empty when there is none yet.
QString wczytaj(const QString& rodzaj);
// Remembers the folder of a file, or the folder itself.
void zapisz(const QString& rodzaj, const QString& plikLubFolder);
// Where a file dialog starts: what the field names when it is something that exists, else
// the folder remembered last.
QString poczatek(const QString& rodzaj, const QString& wPolu);
} // namespace OstatniFolder

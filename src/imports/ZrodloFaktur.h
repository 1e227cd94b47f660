#pragma once

#include "recFaktura.h"

#include <QStringList>

#include <vector>

// What the invoice import lists: the invoices of one file (a JPK_FA file or a KSeF invoice),
// of a folder of such files, or of a ZIP of them (a KSeF export).
struct ListaFaktur {
    std::vector<recFaktura> faktury;
    // Report lines of the files of a folder or ZIP that are no invoice files, skipped.
    QStringList pominietePliki;
};

// Reads everything before handing anything back: a file that cannot be read refuses the
// whole import (JpkRefused with the message naming the file), so nothing of it is booked.
ListaFaktur CzytajListeFaktur(const QString& path);

// One file's bytes; `wZbiorze` for a member of a folder or ZIP, where a file that is no
// invoice file is skipped and named instead of refusing the import.
void CzytajPlikFaktur(QByteArray bytes, const QString& name, bool wZbiorze, ListaFaktur& lista);

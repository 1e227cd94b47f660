#pragma once

#include <QString>

// Writes a JPK_FA(4) file of `invoices` invoices to `buyers` buyers, buyer k having the
// tax number BuyerNip(k), with an invoice line per invoice as real files have.
void WriteJpkFile(const QString& path, int invoices, int buyers);
QString BuyerNip(int k);
QString BuyerName(int k);

#pragma once

#include "recFaktura.h"

class JpkDocument;

// KSeF e-invoices, one invoice per file, told apart from JPK_FA by the root's namespace.
namespace ksef {

inline const QString NamespaceFA3 = QStringLiteral("http://crd.gov.pl/wzor/2025/06/25/13775/");
inline const QString NamespaceFA2 = QStringLiteral("http://crd.gov.pl/wzor/2023/06/29/12648/");

// The document is an FA(3) or FA(2) invoice.
bool JestFaktura(const JpkDocument& doc);

// The invoice of an FA(3)/FA(2) document as the booking run takes it: number Fa/P_2, date
// Fa/P_1, signed amount Fa/P_15, currency, kind, the corrected invoices, and the buyer of
// Podmiot2 (NIP as "PL", an EU number with its code, another country's number with its code,
// or none). A missing P_2/P_1/P_15 or one that cannot be read refuses the file (JpkRefused).
recFaktura CzytajFakture(const JpkDocument& doc, const QString& plik);

} // namespace ksef

#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>

#include <functional>

struct JpkElement;
class JpkDocument;

// One invoice as read from a JPK_FA file.
struct recFaktura {
    QString NrFakt;   // P_2A
    Date DataWyst;    // P_1
    QString NazwaOdb; // P_3A
    QString AdresOdb; // P_3B
    QString KrNip;    // P_5A
    QString NipOdb;   // P_5B
    Money Kwota;      // P_15

    // "YYYY-MM-DD"; any other length gives the zero date; ConversionError for a bad date.
    void SetXmlData(const QString& text);
    // Digits and the point only: the sign of a correcting invoice is dropped.
    void SetXmlKwota(const QString& text);

    QString StrData() const;  // "DD-MM-YYYY"
    QString StrKwota() const; // "#,##0.00" under the user's regional settings
    QString IdFaktury() const;
    QString KomBrakNip() const;
    QString KomDuplikat() const;
    QString KomWprowadz() const;

    // Reads the seven elements of one "Faktura" element; ConversionError for a bad date,
    // JpkContentError for an element that holds more than one piece of text.
    static recFaktura fromElement(const JpkElement& faktura);

    friend bool operator==(const recFaktura&, const recFaktura&) = default;
};

// Lists the invoices of a document as the listing window does: refuses a wrong form code
// with JpkRefused, then hands every "Faktura" child of the root to `sink` in document
// order. Each invoice is handed over as soon as it is read, so a caller keeps the ones
// before an invoice that fails to read.
void CzytajFaktury(const JpkDocument& doc, const std::function<void(const recFaktura&)>& sink);

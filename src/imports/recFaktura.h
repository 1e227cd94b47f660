#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

struct JpkElement;
class JpkDocument;

// One invoice as read from a JPK_FA file or a KSeF e-invoice.
struct recFaktura {
    QString NrFakt;   // P_2A (KSeF: Fa/P_2)
    Date DataWyst;    // P_1
    QString NazwaOdb; // P_3A (KSeF: Podmiot2 name)
    QString AdresOdb; // P_3B (KSeF: AdresL1, AdresL2)
    QString KrNip;    // P_5A (KSeF: "PL" for a NIP, KodUE, KodKraju)
    QString NipOdb;   // P_5B (KSeF: NIP, NrVatUE, NrID)
    Money Kwota;      // P_15, with its sign: a correction lowers the amount due
    // An empty currency is złoty (a file without the element).
    QString Waluta;         // KodWaluty (KSeF: Fa/KodWaluty)
    QString Rodzaj;         // RodzajFaktury: VAT, KOREKTA, ZAL (KSeF: VAT, KOR, ZAL, ...)
    QString NrKorygowanej;  // the invoices a correction corrects, joined by ", "
    QStringList Korygowane; // the same numbers one by one (JPK_FA: NrFaKorygowanej)
    QString Plik;           // the file (or ZIP member) the invoice was read from
    // KSeF: the due date (the last of several terms); the zero date when the invoice gives
    // none, and it is then due by the contractor's payment term.
    Date Termin;
    // KSeF: what was paid by the time the invoice was issued (Zaplacono with DataZaplaty, or
    // each ZaplataCzesciowa); booked with the invoice and linked to it.
    struct Zaplata {
        Date data;
        Money kwota;
        friend bool operator==(const Zaplata&, const Zaplata&) = default;
    };
    std::vector<Zaplata> Zaplaty;

    // "YYYY-MM-DD" and a real day; false (and the zero date) for anything else.
    bool SetXmlData(const QString& text);
    // A signed decimal with a full stop and at most two decimals; false (and 0) otherwise.
    bool SetXmlKwota(const QString& text);

    QString StrData() const;  // "DD-MM-YYYY"
    QString StrKwota() const; // "#,##0.00" under the user's regional settings
    QString IdFaktury() const;
    QString KomBrakNip() const;
    QString KomDuplikat() const;
    QString KomWprowadz() const;
    // A currency other than złoty: listed, never booked.
    bool WInnejWalucie() const;
    QString KomWaluta() const;

    // Reads the seven elements of one "Faktura" element of a JPK_FA file, with its currency
    // and kind (an invoice in euro must never be booked as złoty). A date or an
    // amount that cannot be read, or an element holding more than text, refuses the file
    // (JpkRefused) with a message naming the invoice and the file.
    static recFaktura fromElement(const JpkElement& faktura, const QString& plik = {});

    friend bool operator==(const recFaktura&, const recFaktura&) = default;
};

// The checks of an invoice's date and amount as text.
std::optional<Date> CzytajDate(const QString& text);
std::optional<Money> CzytajKwote(const QString& text);

// Lists the invoices of a JPK_FA document as the listing window does: refuses a wrong form
// code with JpkRefused, then hands every "Faktura" child of the root to `sink` in document
// order. An invoice that cannot be read refuses the whole file (JpkRefused).
void CzytajFaktury(const JpkDocument& doc, const std::function<void(const recFaktura&)>& sink,
                   const QString& plik = {});

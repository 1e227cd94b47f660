#pragma once

#include <QString>

namespace db {
class Attachment;
}

// The company's own details, kept once in the database and printed on every document it
// issues (and in the header of its printed lists).
namespace firma {

inline constexpr int NazwaMax = 160;
inline constexpr int AdresMax = 80;
inline constexpr int MiejsceMax = 40;
inline constexpr int PodpisMax = 80;

struct DaneFirmy {
    QString nazwa;
    QString adres;          // street and number
    QString kodMiejscowosc; // postcode and town
    QString nip;            // ten digits
    QString konto;          // the company's bank account, 26 digits
    QString miejsceWystawienia;
    QString podpis; // the signature line under a document
    int wersja = 0; // of the saved row; 0 when never saved
    bool operator==(const DaneFirmy&) const = default;
};

// The one reading every document and list uses. Empty details when never saved; database
// errors reach the caller.
DaneFirmy czytajDaneFirmy(db::Attachment& att);

// Checks and saves the details read as version `dane.wersja`: the name is required, a NIP
// must pass its checksum, an account must be a valid Polish number (blanks, dashes and a "PL"
// prefix are taken off). When another workstation saved in the meantime nothing is written
// and the answer says so. On success the saved details (normalised, with their new version).
struct WynikZapisu {
    QString uwaga; // why the save was refused; empty when saved
    DaneFirmy zapisane;
};
WynikZapisu zapiszDaneFirmy(db::Attachment& att, const DaneFirmy& dane);

// The account laid out for reading on a document: "61 1090 1014 0000 0712 1981 2874".
QString kontoDoDruku(const QString& konto);
// What a document lacks of the company's details, as a warning; empty when nothing. The
// account is needed by documents that ask for a payment.
QString brakiDanychFirmy(const DaneFirmy& dane, bool zKontem);

} // namespace firma

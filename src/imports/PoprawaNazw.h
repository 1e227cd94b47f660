#pragma once

#include <QString>
#include <QStringList>

#include <functional>
#include <optional>
#include <vector>

class JpkDocument;
class Tks;

namespace db {
class Statement;
}

// One contractor whose register name differs from an invoice's, with both names and addresses
// (fields cut to their sizes).
struct PoprawaNazwyWiersz {
    QString NIP;     // 20 characters
    QString NazwaTb; // the register's name and address
    QString AdresTb;
    QString NazwaFk; // the invoice's, 80 characters each
    QString AdresFk;
    int KlientId = 0;

    friend bool operator==(const PoprawaNazwyWiersz&, const PoprawaNazwyWiersz&) = default;
};

struct WynikPoprawy {
    int zmiany = 0;     // contractors' rows changed
    QStringList raport; // a line per row applied or passed over, then the count
};

// Compares the buyers of an invoice file with the register and changes names and addresses.
// The comparison reads committed data without the booking lock, so the list may be looked at
// as long as the user likes; the changes are written in one short transaction under the lock,
// each row checked again there.
class PoprawaNazw {
public:
    explicit PoprawaNazw(Tks& ks) : ks_(ks) {}

    struct recKlient {
        int KlientId = 0;
        QString NrNip;
        QString Nazwa;
        QString Adres;
    };

    // One row per invoice whose buyer is a contractor named otherwise; the form code must be
    // JPK_FA (JpkRefused otherwise). Rows go to `sink` as they are found. An invoice whose
    // buyer cannot be used (a tax number longer than the register holds, an element that is no
    // plain text) is passed over and named to `pominieta`, and the listing goes on.
    void Wczytaj(const JpkDocument& doc, const std::function<void(const PoprawaNazwyWiersz&)>& sink,
                 const std::function<void(const QString&)>& pominieta = {});

    // Applies the rows in order (the later of two rows of one contractor wins) in one
    // transaction under the booking lock (BlokadaZajeta when another workstation keeps it past
    // the limit; nothing is written then). A contractor deleted since the listing, or whose
    // name another workstation changed meanwhile, is passed over and reported.
    WynikPoprawy Aktualizuj(const std::vector<PoprawaNazwyWiersz>& lista);

private:
    // The first contractor in name order with exactly this tax number.
    static std::optional<recKlient> WczytajKlienta(db::Statement& s, const QString& nip);

    Tks& ks_;
};

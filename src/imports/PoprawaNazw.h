#pragma once

#include <QString>

#include <functional>
#include <optional>
#include <vector>

class JpkDocument;
class Tks;

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

// Compares the buyers of an invoice file with the register and changes names and addresses,
// in the booking module's transaction (the caller starts it and commits it).
class PoprawaNazw {
public:
    explicit PoprawaNazw(Tks& ks) : ks_(ks) {}

    struct recKlient {
        int KlientId = 0;
        QString NrNip;
        QString Nazwa;
        QString Adres;
    };

    // The first contractor in name order with exactly this tax number.
    std::optional<recKlient> WczytajKlienta(const QString& nip);
    bool JestKlientNIP(const QString& nip) { return WczytajKlienta(nip).has_value(); }
    // The contractor exists and its name differs from the invoice's (exactly, letter case too).
    bool RozneNazwy(const QString& nip, const QString& nazwa);

    // One row per invoice whose buyer is a contractor named otherwise; the form code must be
    // JPK_FA (JpkRefused otherwise). Rows go to `sink` as they are found.
    void Wczytaj(const JpkDocument& doc,
                 const std::function<void(const PoprawaNazwyWiersz&)>& sink);

    // Sets the contractor's name and address; false when no such contractor exists.
    bool ModyfKlient(int klientId, const QString& nazwa, const QString& adres);
    // Applies the rows in order (the later of two rows of one contractor wins); the number of
    // changes made.
    int Aktualizuj(const std::vector<PoprawaNazwyWiersz>& lista);

private:
    Tks& ks_;
};

#pragma once

#include "Money.h"
#include "UstawieniaRozrachunkow.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <memory>
#include <vector>

namespace db {
class Statement;
class Transaction;
} // namespace db

// Open items: parts of payments allocated to the amounts due they pay.
//
// Every ledger row is an amount due (DOZAPLATY − ZAPLACONO above 0: an invoice, an amount
// due entered by hand, a payment taken back by the bank) or a credit (below 0: a payment, a
// correction that lowers what is due). A link (ROZRACHUNEK) allocates a part of a credit to an
// amount due of the same contractor. The database keeps each row's allocated sum (ROZLICZONO)
// and what is left (OTWARTE: above 0 still owed, below 0 not yet allocated) and refuses any
// link that would allocate more than a row's amount, whichever workstation writes it. Links
// change no amount and no balance.
namespace rozrachunki {

struct Powiazanie {
    int naleznosc = 0; // WPISID of the amount due
    int zaplata = 0;   // WPISID of the payment or correction
    Money kwota;
    QString opis; // the other row's invoice number or description, for report lines
};

// "FV/1/03/2024 (1 000,00), FV/2/03/2024 (134,50)": the links made, for a report line.
QString OpisPowiazan(const std::vector<Powiazanie>& powiazania);

// Makes and removes links inside the caller's transaction, which also holds what caused
// them: everything commits or rolls back together. Made for one transaction: create it
// after the transaction starts and drop it before it ends.
class Dopasowanie {
public:
    // Reads the company's settings in the transaction.
    explicit Dopasowanie(db::Transaction& tr);
    Dopasowanie(db::Transaction& tr, const Ustawienia& ustawienia);
    ~Dopasowanie();
    Dopasowanie(const Dopasowanie&) = delete;
    Dopasowanie& operator=(const Dopasowanie&) = delete;

    const Ustawienia& ustawienia() const { return u_; }

    // A credit of `kwota` just booked for the contractor: first its open invoices whose
    // numbers the title names, in the order they fall due, then (when the settings say so)
    // its oldest due amounts; what is left stays the contractor's credit.
    std::vector<Powiazanie> PoZaplacie(int wpisId, int klientId, const QString& tytul, Money kwota);
    // An amount due just booked: first the contractor's credits whose titles name its number
    // (a payment made before its invoice was booked), then (when the settings say so) the
    // oldest credits.
    std::vector<Powiazanie> PoNaleznosci(int wpisId, int klientId, const QString& kluczNumeru,
                                         Money kwota);
    // A correction just booked: the invoices it corrects (by number, of the same contractor)
    // first, then it is a credit like a payment with no title.
    std::vector<Powiazanie> PoKorekcie(int wpisId, int klientId, const QStringList& korygowane,
                                       Money kwota);
    // The part of any row not yet allocated, by the rules of its side; the row is read.
    std::vector<Powiazanie> Dopasuj(int wpisId);
    // Every open credit of the contractor, oldest first, as PoZaplacie would link it: after
    // a merge of two contractors, on the user's request, for a ledger booked before links.
    std::vector<Powiazanie> Uzgodnij(int klientId);

    // Allocates `kwota` more of payment `zaplata` to amount due `naleznosc`. The database
    // refuses (db::Error) more than either row has left, rows of two contractors, or a link
    // of two amounts due.
    void Polacz(int naleznosc, int zaplata, Money kwota, bool reczne);
    // Removes one link; false when there was none.
    bool Odlacz(int naleznosc, int zaplata);
    // Removes every link of the row (a row deleted, moved to another contractor or turned to
    // the other side); the rows on the other side of them.
    std::vector<int> Zwolnij(int wpisId);
    // Makes the row's links allocate at most `limit` (its new amount), taking back from the
    // latest links first; the rows on the other side whose links shrank or went.
    std::vector<int> Przytnij(int wpisId, Money limit);
    // Before the row's amount changes to `nowa` (above 0 an amount due, below 0 a credit):
    // the links that no longer fit go, the latest first, and all of them when the row
    // changes side; the rows on the other side that lost some.
    std::vector<int> PrzedZmianaKwoty(int wpisId, Money nowa);
    // Whether the row has a link the user made.
    bool MaReczne(int wpisId);

    // A payer the bank account does not tell: the contractor whose open invoices the title
    // names, when they all belong to one contractor; 0 otherwise.
    int PlatnikPoNumerze(const QString& tytul);
    // The invoice numbers (as booked) among the contractor's open invoices that the title
    // names; for the report.
    QStringList NumeryWTytule(int klientId, const QString& tytul);

private:
    struct Otwarta {
        int wpisId = 0;
        QString tekst; // amount due: its number's key; credit: its title
        QString opis;  // invoice number or description
        Money otwarte; // what is left, as a positive amount
    };
    std::vector<Otwarta> naleznosci(int klientId);
    std::vector<Otwarta> zaplaty(int klientId);
    // Allocates `kwota` of credit `zaplata` over the amounts due: those the title names
    // first, then the oldest when allowed.
    std::vector<Powiazanie> rozdziel(int zaplata, const QString& tytul, Money kwota,
                                     std::vector<Otwarta>& naleznosci, bool najstarsze,
                                     bool swieza);
    std::vector<Powiazanie> zaplata(int wpisId, int klientId, const QString& tytul, Money kwota,
                                    bool swieza);
    std::vector<Powiazanie> naleznosc(int wpisId, int klientId, const QString& kluczNumeru,
                                      Money kwota, bool swieza);
    // A link of a row written in this transaction has no pair yet: a plain insert.
    void polacz(int naleznosc, int zaplata, Money kwota, bool reczne, bool nowaPara);
    db::Statement& stmt(const QString& sql);

    db::Transaction& tr_;
    Ustawienia u_;
    QHash<QString, std::shared_ptr<db::Statement>> statements_;
};

} // namespace rozrachunki

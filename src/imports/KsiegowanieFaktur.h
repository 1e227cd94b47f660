#pragma once

#include "recFaktura.h"

#include <QHash>
#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

class Tks;
namespace rozrachunki {
class Dopasowanie;
}

namespace db {
class Transaction;
}

// What the user decided about an invoice whose buyer no contractor's tax number matches.
struct DecyzjaBrakKontrahenta {
    enum class Wybor { Pomin, Przerwij, DopiszNowego, WybierzIstniejacego };
    Wybor wybor = Wybor::Pomin;
    QString Nazwa; // a new contractor's name and address
    QString Adres;
    QString KrNip;     // the country code to store with the invoice's tax number
    int FKlientId = 0; // the existing contractor chosen
    // The chosen contractor's tax number as the user saw it (when known): a contractor given
    // another one meanwhile (on another workstation) is not given this one.
    std::optional<QString> NipWybranego;
};

// Asked once per unknown buyer; a window opens its dialog, a script answers by rule.
using PytanieBrakKontrahenta = std::function<DecyzjaBrakKontrahenta(const recFaktura&)>;
// Called before each invoice: its position counted from 1 and the number of invoices.
using PostepKsiegowania = std::function<void(int position, int count)>;

struct WynikKsiegowania {
    QStringList raport;          // one line per invoice, except those the user skipped
    bool FZaksiegowano = false;  // at least one invoice was written
    bool przerwano = false;      // the user stopped the run
    QString przerwanoNa;         // the invoice the run stopped at
    QStringList niezaksiegowane; // from that invoice on: not booked because the run stopped
    int zaksiegowane = 0;
    int wczesniej = 0; // booked before
    int pominiete = 0; // no tax number, another currency, skipped by the user
    int nowiKlienci = 0;
    int nadaneNip = 0;  // existing contractors that received a buyer's tax number
    int rozliczone = 0; // invoices linked at once to payments booked before or paid on issue
    int importId = 0;   // the booking's record in the import history; 0 when nothing was booked

    // What the run did, closing its report: where it stopped and what was not booked, then
    // the counts.
    QStringList podsumowanie() const;
};

// Books listed invoices as amounts due. First every unknown buyer is asked about (Pytaj),
// reading the register without the booking lock: nobody waits while the user decides. Then
// the booking (Ksieguj) takes the lock and writes everything in one transaction, deciding
// again what may have changed meanwhile: an invoice booked before is reported and not booked
// again (decided before any contractor is looked for or added); a buyer another workstation
// added meanwhile gets the invoice without a second contractor; a chosen contractor deleted
// or given another tax number meanwhile is reported and the invoice skipped. An invoice in
// another currency than złoty is reported and not booked. Each invoice booked is matched at
// once with the contractor's unallocated credit; what it says was paid on issue is booked
// with it, as part of the same import, and linked to it.
// The transaction commits at the end, also when the user stopped the run at a question; any
// error rolls back everything the booking wrote and reaches the caller.
class KsiegowanieFaktur {
public:
    KsiegowanieFaktur(Tks& ks, PytanieBrakKontrahenta pytanie, PostepKsiegowania postep = {});
    ~KsiegowanieFaktur();

    // Pytaj and Ksieguj in turn.
    WynikKsiegowania run(const std::vector<recFaktura>& faktury, const QString& plik = {});

    // Asks about every unknown buyer, in file order, until the user stops; writes nothing.
    void Pytaj(const std::vector<recFaktura>& faktury);
    // Books under the booking lock what Pytaj left to book (asking first when Pytaj did not
    // run for this list). BlokadaZajeta when another workstation keeps the lock past the
    // limit: nothing is written, and it may be called again without new questions. `plik`
    // names the booking in the import history.
    WynikKsiegowania Ksieguj(const std::vector<recFaktura>& faktury, const QString& plik = {});

    // The contractor with this tax number in the booking transaction (name order decides
    // between several): by country code and number, else by number alone; 0 when none.
    int WyznKlientId(const QString& krNip, const QString& nipOdb);
    // An invoice with this number and date of issue is booked already (its description may
    // have been changed since: the number is kept apart from it).
    bool JestFaktura(const Date& dataWyst, const QString& nrFakt);
    // The same, with the tax number of the buyer it was booked for (empty when unknown);
    // nothing when it is not booked.
    std::optional<QString> ZaksiegowanaDla(const Date& dataWyst, const QString& nrFakt);

private:
    // Why an invoice is not looked up at all: another currency, no or an over-long tax
    // number. Empty when it is.
    static QString powodPominiecia(const recFaktura& f);
    void DopiszFakt(int klientId, const recFaktura& f, const QString& uwaga = {});
    // Payments the invoice says were made, linked to it, then the invoice (or correction)
    // matched with what the contractor has; the report's note on what was linked.
    QString Rozlicz(int wpisId, int klientId, const recFaktura& f);
    int nowyKlient(const recFaktura& f, const DecyzjaBrakKontrahenta& d);
    // Gives the invoice's tax number to the chosen contractor when it is still as the user saw
    // it; the contractor's name, or no value (with the report line) when it is not.
    std::optional<QString> zmienNip(const recFaktura& f, const DecyzjaBrakKontrahenta& d);
    void ksiegujNieznanego(size_t i, const recFaktura& f);
    void zapiszImport(const QString& plik);
    int nextId();

    Tks& ks_;
    std::unique_ptr<rozrachunki::Dopasowanie> dop_; // during a run
    PytanieBrakKontrahenta pytanie_;
    PostepKsiegowania postep_;
    WynikKsiegowania wynik_;
    // The answers of Pytaj, per invoice; the walk stops before `koniec_`.
    QHash<size_t, DecyzjaBrakKontrahenta> decyzje_;
    QSet<int> nadaneNip_; // contractors this booking gave a tax number
    size_t koniec_ = 0;
    bool przerwano_ = false;
    bool zapytano_ = false; // Pytaj ran for the list Ksieguj books next
    int idsLeft_ = 0;       // identifiers left in the block reserved by this run
    int pozostalo_ = 0;     // invoices not yet walked, to size the next block
};

#pragma once

#include "recFaktura.h"

#include <QString>
#include <QStringList>

#include <optional>

#include <functional>
#include <memory>
#include <vector>

class Tks;
namespace rozrachunki {
class Dopasowanie;
}

// What the user decided about an invoice whose buyer no contractor's tax number matches.
struct DecyzjaBrakKontrahenta {
    enum class Wybor { Pomin, Przerwij, DopiszNowego, WybierzIstniejacego };
    Wybor wybor = Wybor::Pomin;
    QString Nazwa; // a new contractor's name and address
    QString Adres;
    QString KrNip;     // the country code to store with the invoice's tax number
    int FKlientId = 0; // the existing contractor chosen
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
    Money kwotaZaksiegowanych; // their sum (a correction lowers it)
    int wczesniej = 0;         // booked before
    int pominiete = 0;         // no tax number, another currency, skipped by the user
    int nowiKlienci = 0;
    int nadaneNip = 0;  // existing contractors that received a buyer's tax number
    int rozliczone = 0; // invoices linked at once to payments booked before or paid on issue

    // What the run did, closing its report: where it stopped and what was not booked, then
    // the counts.
    QStringList podsumowanie() const;
};

// Books listed invoices as amounts due, all in the booking module's one transaction: each
// invoice goes to the contractor with the buyer's tax number, an invoice booked before is
// reported and not booked again (decided before any contractor is looked for or added), an
// unknown buyer is decided by the question callback, an invoice in another currency than
// złoty is reported and not booked.
// The transaction commits at the end, also when the user stops the run; any error rolls
// back everything the run wrote and reaches the caller.
class KsiegowanieFaktur {
public:
    KsiegowanieFaktur(Tks& ks, PytanieBrakKontrahenta pytanie, PostepKsiegowania postep = {});
    ~KsiegowanieFaktur();

    WynikKsiegowania run(const std::vector<recFaktura>& faktury);

    // The contractor with this tax number in the run's transaction (name order decides
    // between several): by country code and number, else by number alone; 0 when none.
    int WyznKlientId(const QString& krNip, const QString& nipOdb);
    // An invoice with this number and date of issue is booked already (its description may
    // have been changed since: the number is kept apart from it).
    bool JestFaktura(const Date& dataWyst, const QString& nrFakt);
    // The same, with the tax number of the buyer it was booked for (empty when unknown);
    // nothing when it is not booked.
    std::optional<QString> ZaksiegowanaDla(const Date& dataWyst, const QString& nrFakt);

private:
    void DopiszFakt(int klientId, const recFaktura& f, const QString& uwaga = {});
    // Payments the invoice says were made, linked to it, then the invoice (or correction)
    // matched with what the contractor has; the report's note on what was linked.
    QString Rozlicz(int wpisId, int klientId, const recFaktura& f);
    int nowyKlient(const recFaktura& f, const DecyzjaBrakKontrahenta& d);
    // Gives the invoice's tax number to the chosen contractor; the contractor's name.
    QString zmienNip(const recFaktura& f, const DecyzjaBrakKontrahenta& d);
    int nextId();

    Tks& ks_;
    std::unique_ptr<rozrachunki::Dopasowanie> dop_; // during a run
    PytanieBrakKontrahenta pytanie_;
    PostepKsiegowania postep_;
    WynikKsiegowania wynik_;
    int idsLeft_ = 0;   // identifiers left in the block reserved by this run
    int pozostalo_ = 0; // invoices not yet walked, to size the next block
};

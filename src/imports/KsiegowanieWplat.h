#pragma once

#include "Interfejsy.h"
#include "Value.h"
#include "procBankowe.h"

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <memory>
#include <vector>

#include <stdexcept>

class Tks;
namespace rozrachunki {
class Dopasowanie;
}

// Every statement of the file was registered, by this or another workstation, before the
// run took the booking lock: nothing was booked.
class WyciagJuzWczytany : public std::runtime_error {
public:
    WyciagJuzWczytany();
    static QString komunikat();
};

// The two report panes of a payment booking run and what the run did.
struct RaportWplat {
    QStringList ogolny;     // "Raport"
    QStringList nowyKlient; // "Niezidentyfikowane należności"

    int wplaty = 0;               // payments booked
    int kontrahenci = 0;          // contractors added
    int konta = 0;                // accounts added
    int pominiete = 0;            // credits not booked, each reported
    int zwroty = 0;               // reversed credits booked as negative payments
    int wyciagi = 0;              // statements booked and registered
    int wczesniejsze = 0;         // statements skipped as registered before
    int poNumerze = 0;            // unknown accounts learnt from an invoice number in the title
    int poNazwie = 0;             // unknown accounts given to a contractor the user chose by name
    int rozliczone = 0;           // payments linked to amounts due
    std::vector<int> rejestracje; // WYCIAG.WPISID of each statement registered, in file order
};

// What the user decided, before booking, about payers from accounts nobody has: the
// contractor each account goes to (by the account as the statement writes it, blanks
// removed). An account not named here, or named with 0, becomes a new contractor.
using DecyzjePlatnikow = QHash<QString, int>;

// Books the credits of a file's statements as payments: each payer is found by account
// number, an unknown payer becomes a contractor with that account, and each statement is
// registered by its opening line and account. A statement registered before is skipped and
// named. Everything is written in the booking module's one transaction; a run that fails
// rolls back all it wrote, so the same file can then be booked once, completely.
class KsiegowanieWplat {
public:
    using Postep = std::function<void(int done, int total)>;
    using Wyciagi = std::vector<std::shared_ptr<IWyciag>>;

    explicit KsiegowanieWplat(Tks& ks, Postep postep = {});
    ~KsiegowanieWplat();

    // Payers by name the user accepted or chose; checked again under the booking lock.
    void setDecyzje(DecyzjePlatnikow decyzje) { decyzje_ = std::move(decyzje); }
    // Books without linking payments to invoices: what the matching costs is measured
    // against this.
    void setBezDopasowania(bool bez) { bezDopasowania_ = bez; }
    // The file the statements come from, kept with their registrations for the history.
    void UstawPlik(const QString& plik) { plik_ = plik; }

    // The whole run; errors reach the caller after the rollback. Throws WyciagJuzWczytany
    // when every statement is registered already.
    RaportWplat ksieguj(const Wyciagi& wyciagi);
    RaportWplat ksieguj(const IWyciag& wyciag);

    // The contractor owning the account, 0 when none. Works inside a running booking
    // transaction, so accounts added earlier in the run are found.
    int WyznKlientId(const QString& numer);
    // The account row is marked to be skipped ("T"), or there is no such row.
    bool PomijaneKonto(const QString& numer);

    // A payment as the report shows it: date | amount | account | title.
    static QString OpisTrans(const IWyciag& wyciag, int i);
    // The lookup of the contractor owning an account (KLIENTID, POMIJAJ of the first row).
    static QString ZapytanieKonta(const TKonto& konto, std::vector<db::Value>& params);

    // The ledger is kept in złoty: a statement in another currency is listed, not booked.
    static bool WZlotych(const IWyciag& wyciag);
    // An entry the run books: a credit, or a reversed credit (a negative payment), with a
    // counterparty account.
    static bool DoKsiegowania(const IWyciag& wyciag, int i);
    // A file whose only credits are in statements of these other currencies.
    static QString BrakWplatWZlotych(const QStringList& waluty);

private:
    RaportWplat ksiegujWszystkie(const std::vector<const IWyciag*>& wyciagi);
    void ksiegujWyciag(const IWyciag& w, int& zrobione, int razem);
    void ksiegujWplate(const IWyciag& w, int i, TKonto& konto, const TKonto& wlasne);
    void ksiegujZwrot(const IWyciag& w, int i, TKonto& konto);
    void pominWyciagObcy(const IWyciag& w);
    void Pominieta(const IWyciag& w, int i, const QString& powod,
                   const QString& co = QString::fromUtf8("wpłatę"));
    void DopiszLiczniki();
    int DopisKlientKonto(const IWyciag& wyciag, int i, const TKonto& konto);
    // The payer of an unknown account found without creating a contractor: by an invoice
    // number in the title, else by the user's decision; the account is added to it. 0 when
    // neither names one.
    int ZnanyPlatnik(const IWyciag& w, int i, const TKonto& konto);
    void DopiszKonto(int klientId, const TKonto& konto);
    int DopisTransakcje(const IWyciag& wyciag, int i, int klientId);
    int DopisZwrotu(const IWyciag& wyciag, int i, int klientId);
    void Rozlicz(const IWyciag& w, int i, int wpisId, int klientId, bool zwrot = false);
    void DopiszWyciag(const IWyciag& wyciag);
    // Registers the statement (its identifier taken when its booking began) and names it.
    void Zarejestruj(const IWyciag& wyciag);
    bool JestWyciag(const QString& liniaSalda, const QString& kontoWl);
    void DopiszRap(const QString& line) { raport_.ogolny << line; }
    void DopiszRapNowyKlient(const QString& line) { raport_.nowyKlient << line; }
    // The first account row (in identifier order) matching the number's prefix and digits.
    struct Znalezione {
        int klientId = 0;
        QString pomijaj;
    };
    bool znajdzKonto(const TKonto& konto, Znalezione& out);

    Tks& ks_;
    Postep postep_;
    RaportWplat raport_;
    DecyzjePlatnikow decyzje_;
    bool bezDopasowania_ = false;
    std::unique_ptr<rozrachunki::Dopasowanie> dop_; // during a run
    QString plik_;
    int wyciagId_ = 0; // the registration of the statement being booked; its payments carry it
};

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>
#include <vector>

class JpkDocument;
class TWhiteListFrm;
struct PobraneKonta;

namespace db {
class Attachment;
}

// One buyer of an invoice file not yet in the register, as the list shows it (fields cut to
// their sizes).
struct NowyKlient {
    QString NIP;   // P_5B, 20 characters
    QString Nazwa; // P_3A, 80
    QString Adres; // P_3B, 80
    QString KrNip; // P_5A, 2

    friend bool operator==(const NowyKlient&, const NowyKlient&) = default;
};

// The buyers of a JPK_FA file whose tax number no contractor has, once each, named after
// their first invoice. Any form code but "JPK_VAT" is read (JpkRefused for that one).
// `jestKlient` tells whether a contractor has exactly this tax number. Each buyer is handed to
// `sink` as it is found. A buyer that cannot be added (a tax number or country code longer
// than the register holds, an element that is no plain text) is named to `pominiety` with the
// reason and left out; the listing goes on.
void ListaNowychKlientow(const JpkDocument& doc,
                         const std::function<bool(const QString&)>& jestKlient,
                         const std::function<void(const NowyKlient&)>& sink,
                         const std::function<void(const QString&)>& pominiety = {});

struct WynikDopisywania {
    int dodani = 0;         // contractors added
    int konta = 0;          // accounts added
    int bezKont = 0;        // added; the white list holds no account for them
    int nieudane = 0;       // added; their accounts could not be fetched (named in raport)
    bool przerwano = false; // stopped by the user
    bool limit = false;     // the white list refused further searches today
    QString ostatniNip;     // the tax number of the last list row, trimmed
    QStringList raport;     // a line per row added or passed over, then the counts
};

// Adds listed buyers to the register, each contractor committed at once, optionally with the
// accounts the white list holds for them. The accounts are asked for in searches of up to 30
// numbers before the contractors of that search are added; a refusal for the day's limit
// ends the run, so the buyers not yet added can be added with their accounts another day.
// Any other failed search adds its contractors without accounts and names each with the reason
// (their accounts can be fetched later, PobieranieKont). Database errors end the run and reach
// the caller; what was added before stays.
class DopisywanieKlientow {
public:
    // Called after each list row: rows done and the number of rows.
    using Postep = std::function<void(int done, int count)>;
    // Asked after each contractor; true stops the run there.
    using Przerwij = std::function<bool()>;

    // `whiteList` null: no accounts are fetched.
    DopisywanieKlientow(db::Attachment& att, TWhiteListFrm* whiteList, Postep postep = {},
                        Przerwij przerwij = {});
    WynikDopisywania run(const std::vector<NowyKlient>& lista);

private:
    struct Kandydat {
        QString krNip, nip, nazwa, adres;
    };
    bool jestKlient(const QString& nip);
    // Adds the contractor; with fetching on, `pobrane` holds what its search brought.
    bool dopisz(const Kandydat& k, const PobraneKonta* pobrane, WynikDopisywania& w);

    db::Attachment& att_;
    TWhiteListFrm* whiteList_;
    Postep postep_;
    Przerwij przerwij_;
};

// The message that ends a run refused for the day's limit of searches.
QString KomunikatLimitu(int dodani);
// The message after a run whose searches failed for some contractors.
QString KomunikatNieudanych(int nieudane);
// The report's closing line.
QString PodsumowanieDopisywania(const WynikDopisywania& w);

#pragma once

#include <QHash>
#include <QString>
#include <QStringList>

#include <functional>

class TWhiteListFrm;

namespace db {
class Attachment;
}

// Saves fetched account numbers, in order, for the contractor with this tax number; a number
// some contractor already has is skipped. The number of accounts added.
int ZapiszKonta(db::Attachment& att, const QString& nip, const QStringList& konta);

// What a white-list search of several numbers brought.
struct PobraneKonta {
    bool limit = false;                // the day's limit of searches is used up; nothing was read
    QHash<QString, QStringList> konta; // the accounts per number the register knows
    QHash<QString, QString> bledy;     // the numbers whose search failed, with the reason
};

// Asks the white list for up to 30 numbers in one search. A search the service refuses for
// one number it does not accept is asked number by number, so the others still get theirs.
// A number neither in `konta` nor in `bledy` has no account in the register.
PobraneKonta PobierzKontaWielu(TWhiteListFrm& wl, const QStringList& nipy);

struct WynikPobieraniaKont {
    int kontrahenci = 0; // contractors asked about
    int konta = 0;       // accounts added
    int bezKont = 0;     // contractors the register holds no account for
    int nieudane = 0;    // contractors whose search failed (listed in the report)
    bool limit = false;  // the day's limit ended the run
    bool przerwano = false;
    QStringList raport; // a line per contractor asked about or passed over, then the counts
};

// Fetches, later, the accounts of contractors of the register from the white list: those with
// no account at all (tylkoBezKont), or every contractor with a Polish tax number. Accounts are
// added through the one locked path; an account another contractor has is named, not added.
class PobieranieKont {
public:
    using Postep = std::function<void(int done, int count)>;
    using Przerwij = std::function<bool()>; // true stops the run after the current search

    PobieranieKont(db::Attachment& att, TWhiteListFrm& wl, Postep postep = {},
                   Przerwij przerwij = {});
    WynikPobieraniaKont run(bool tylkoBezKont);

private:
    db::Attachment& att_;
    TWhiteListFrm& wl_;
    Postep postep_;
    Przerwij przerwij_;
};

// The report's closing line: what the run did, and what it did not.
QString PodsumowaniePobierania(const WynikPobieraniaKont& w);

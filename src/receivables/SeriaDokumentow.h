#pragma once

#include "Dokumenty.h"

#include <QDate>
#include <QString>

#include <functional>
#include <variant>
#include <vector>

namespace db {
class Attachment;
}

// Payment reminders and balance confirmations for one contractor or for every one the run
// finds, read in one snapshot of the database so that the documents of a run agree with each
// other. A run over all contractors reports its progress and may be stopped between two of
// them.
namespace windykacja {

// Told after each contractor: how many are done of how many; false stops the run.
using Postep = std::function<bool(int zrobione, int wszystkie)>;

template <typename Dokument> struct Seria {
    std::vector<Dokument> dokumenty;
    bool przerwana = false; // stopped by the user: the documents made until then
};

// The reminders as of p.dataWystawienia: to `klientId`, or with 0 to every contractor with
// invoices overdue more than p.ponadDni days (those with nothing to demand are left out). A
// reason instead when none can be made: company details lacking, a missing interest rate, the
// one contractor owing nothing overdue, nobody owing.
std::variant<Seria<dokumenty::WezwanieDoZaplaty>, QString>
wezwania(db::Attachment& att, const dokumenty::ParametryWezwania& p, int klientId,
         const Postep& postep = {});

// The confirmations of the balance on `naDzien`: of `klientId`, or with 0 of every contractor
// whose balance then is not zero.
std::variant<Seria<dokumenty::PotwierdzenieSalda>, QString>
potwierdzenia(db::Attachment& att, const QDate& naDzien, const QDate& dataWystawienia, int klientId,
              const Postep& postep = {});

} // namespace windykacja

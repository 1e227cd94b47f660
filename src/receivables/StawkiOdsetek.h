#pragma once

#include "Odsetki.h"

#include <QString>

namespace db {
class Attachment;
}

// The interest tables kept in the database: read for counting, changed by the user when a
// new rate is announced or a shipped one needs correcting.
namespace stawki {

// Both tables in date order. Database errors reach the caller.
odsetki::Tabele czytajTabele(db::Attachment& att);

// Adds a rate; the answer is the warning that refused it, or empty. A commercial rate must
// begin a half-year (1 January or 1 July); a healthcare rate belongs to commercial rows only;
// a second rate from the same day is refused (also when another workstation added it first).
QString dopiszStawke(db::Attachment& att, odsetki::Rodzaj rodzaj, const odsetki::Stawka& s);
// Replaces the rate `stara` (as it was read) with `nowa`. Refused when another workstation
// changed or deleted it meanwhile, or when the new day is taken.
QString poprawStawke(db::Attachment& att, odsetki::Rodzaj rodzaj, const odsetki::Stawka& stara,
                     const odsetki::Stawka& nowa);
// Deletes the rate as it was read; refused when it was changed meanwhile.
QString usunStawke(db::Attachment& att, odsetki::Rodzaj rodzaj, const odsetki::Stawka& stara);

// The healthcare rate a new commercial rate gets unless told otherwise: two points below the
// ordinary one from 2020 (reference rate + 8 against + 10), none before.
std::optional<int> domyslnaStawkaZoz(const QDate& od, int stawka);

QString nazwaTabeli(odsetki::Rodzaj rodzaj);

} // namespace stawki

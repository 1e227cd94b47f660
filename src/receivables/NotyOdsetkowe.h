#pragma once

#include "Dokumenty.h"

#include <QDate>
#include <QString>

#include <optional>
#include <variant>
#include <vector>

namespace db {
class Attachment;
}

// The register of interest notes: a note is counted from the contractor's open items, shown,
// and only then saved under the next number of its year ("NO/7/2024") and, once, booked as an
// amount due. What a saved note charged of each invoice is kept, so a later note starts where
// it ended and never charges the same days (or the same compensation) twice.
namespace noty {

// The note as the database stands now, without a number: what the user looks at before
// saving it. Counts only what no saved note charged.
std::variant<dokumenty::NotaOdsetkowa, QString> przygotuj(db::Attachment& att, int klientId,
                                                          const dokumenty::ParametryNoty& p);

// The interest a note to `doDnia` would charge (late payments up to that day, what is unpaid
// then), leaving out what saved notes charged; no compensation is converted. A reason instead
// when there is no such contractor or a rate is missing.
std::variant<windykacja::WynikOdsetek, QString>
odsetkiDoNaliczenia(db::Attachment& att, int klientId, const QDate& doDnia);

struct WynikZapisu {
    QString uwaga; // why nothing was saved; empty when saved
    int id = 0;
    // As saved, with its number; when the contractor's data changed since the note was shown,
    // the note as it would be now (nothing saved).
    std::optional<dokumenty::NotaOdsetkowa> nota;
};

// Saves the note the user saw (`widziana`), and with `zaksieguj` books it too. In turn with
// every booking of the database: the note is counted again from what is committed, and when
// that differs from what was shown (a payment, a link or another workstation's note since)
// nothing is saved and the answer says so. Otherwise it takes the next number of its year.
// Database errors reach the caller, with nothing written.
WynikZapisu zapisz(db::Attachment& att, int klientId, const dokumenty::ParametryNoty& p,
                   const dokumenty::NotaOdsetkowa& widziana, bool zaksieguj);

// Books a saved note: its total becomes an amount due of the contractor, described with the
// note's number and due after the note's payment term. Refused (the answer) when it was booked
// before, is cancelled, or its contractor is gone; empty when booked.
QString zaksieguj(db::Attachment& att, int id);
// Cancels a note that is not booked: its number stays taken, and what it charged may be
// charged by a later note. Refused when booked (its ledger row must go first).
QString anuluj(db::Attachment& att, int id);

// A line of the register.
struct Wpis {
    int id = 0;
    QString numer;
    int klientId = 0; // 0 when the contractor is gone
    QString kontrahent;
    QDate dataWystawienia;
    QDate od; // invalid: from the beginning
    QDate doDnia;
    Money odsetki;
    Money rekompensata;
    Money razem;
    int wpisId = 0; // the booked amount due; 0 when not booked
    bool anulowana = false;
    QString zapisal;
};
// Notes of a year (0: every year), one contractor's only when klientId is given; newest first.
std::vector<Wpis> czytajRejestr(db::Attachment& att, int rok = 0, int klientId = 0);
// A saved note as it was issued, with the company's details as they are now; none when there
// is no such note.
std::optional<dokumenty::NotaOdsetkowa> czytajNote(db::Attachment& att, int id);
// The day after the last day the contractor's saved notes reached (the start a next note
// proposes); invalid when it has none.
QDate kolejnyPoczatek(db::Attachment& att, int klientId);

} // namespace noty

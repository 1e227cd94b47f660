#pragma once

#include "Dataset.h"
#include "SzukanieKlienta.h"
#include "Transaction.h"

#include <QString>

namespace db {
class Attachment;
}

// The filter text of a pick list: the box's text without surrounding blanks, upper-cased.
QString NormujFiltr(const QString& tekst);
// A name passes an (already normalised) filter when the filter is empty or occurs anywhere in
// the upper-cased name.
bool NazwaPasuje(const QString& nazwaUp, const QString& filtr);

// A list of contractors to pick one from, read in a database transaction of its own and
// filtered by a fragment of the name, or by digits of the tax number (NR_NIP, when the query
// returns it) or of a bank account. The upper-cased names are computed once when the list is
// read and the accounts when first filtered by, so a keystroke only walks rows in memory.
class TListaWyboru {
public:
    // The query must return KLIENTID and NAZWA; its parameters are set with setParam.
    // With bezWyboru, no row is current after reading or filtering: the user picks one.
    TListaWyboru(db::Attachment& conn, const QString& sql, bool bezWyboru = false);
    TListaWyboru(const TListaWyboru&) = delete;
    TListaWyboru& operator=(const TListaWyboru&) = delete;

    Dataset& lista() { return lista_; }
    const Dataset& lista() const { return lista_; }
    void setParam(const QString& name, const db::Value& value) { lista_.setParam(name, value); }

    // Reads the list afresh (errors reach the caller); the current filter applies.
    void otworz();
    // Sets the filter from the box's text and applies it from the first row (or from none,
    // bezWyboru). True when the filtered list has a current row.
    bool ustawFiltr(const QString& tekst);
    const QString& filtr() const { return filtr_; }
    bool maBiezacy() const { return lista_.isOpen() && lista_.current() != nullptr; }
    // KLIENTID of the current row; 0 when there is none.
    int biezacyKlientId() const;
    // Ends the list's transaction (committing it), so the next opening sees the latest data.
    void zakoncz();

private:
    bool pasuje(const db::Row& r) const;
    void poOdczycie();

    db::Transaction tr_;
    Dataset lista_;
    QString filtr_;
    TekstSzukania szukany_{QString()};
    KontaKlientow konta_;
    bool bezWyboru_ = false;
};

// The contractor search dialog's list: every contractor, by name.
QString SqlSzukajKlienta();
// The re-booking dialog's candidates: every contractor but the parameter KlientId, by name.
QString SqlKandydaciPrzeksiegowania();

#pragma once

#include "Dokumenty.h"
#include "Rozrachunki.h"
#include "Windykacja.h"

#include <QDate>
#include <QSet>

#include <optional>
#include <vector>

namespace db {
class Transaction;
}

// What the collection documents are read from: a contractor's open items as of a day, turned
// into invoices with the payments that paid them, and what earlier interest notes charged.
namespace windykacja {

// The amounts due of the open items: each with the payments linked to it by the day (a
// correction lowers the invoice instead of paying it late); the rows that booked interest
// notes (`noty`) bear no interest of their own.
std::vector<Faktura> fakturyZeStanu(const rozrachunki::StanRozrachunkow& stan,
                                    const QSet<int>& noty);
// The credits not allocated on the day, as a balance confirmation lists them.
std::vector<dokumenty::KwotaNierozliczona>
nierozliczoneZeStanu(const rozrachunki::StanRozrachunkow& stan);

// The ledger rows that booked the contractor's interest notes.
QSet<int> zaksiegowaneNoty(db::Transaction& tr, int klientId);
// What the saved notes (not cancelled) charged of the contractor's invoices.
NaliczoneFaktur czytajNaliczone(db::Transaction& tr, int klientId);

struct DaneKontrahenta {
    dokumenty::Odbiorca odbiorca;
    rozrachunki::StanRozrachunkow stan;
    std::vector<Faktura> faktury;
    NaliczoneFaktur naliczone;
};
// Everything of one contractor as of the day, in the caller's transaction; none when there
// is no such contractor.
std::optional<DaneKontrahenta> czytajKontrahenta(db::Transaction& tr, int klientId,
                                                 const QDate& naDzien);

// The contractors, by name, that on the day owe something due more than `ponadDni` days
// before it (a superset: a due date moved off a day off may bring one under the limit).
std::vector<int> kontrahenciZZaleglosciami(db::Transaction& tr, const QDate& naDzien, int ponadDni);
// The contractors, by name, whose ledger up to the day does not sum to zero.
std::vector<int> kontrahenciZSaldem(db::Transaction& tr, const QDate& naDzien);

} // namespace windykacja

#include "fks.h"

#include "BlokadaKsiegowania.h"
#include "Error.h"
#include "Globals.h"
#include "Zakonczenie.h"

namespace {
db::Value textOrNull(const QString& s) {
    return s.isNull() ? db::Value() : db::Value(s);
}
db::Value moneyOrNull(const std::optional<Money>& m) {
    return m ? db::Value(*m) : db::Value();
}
} // namespace

// Read committed without record versions, waiting: after the lock the run reads what the
// run before it committed, and never an older view. The identifier counter has its own
// transaction and never touches the lock row, so the two never wait on each other.
Tks::Tks(db::Attachment& att)
    : trKsiegow(att, db::Isolation::ReadCommittedNoRecVersion), counter_(att) {}

Tks::~Tks() = default;

void Tks::start() {
    statements_.clear();
    if (trKsiegow.active())
        trKsiegow.commit();
    ZajmijBlokade(trKsiegow);
}

void Tks::commit() {
    statements_.clear();
    trKsiegow.commit();
}

void Tks::rollback() {
    statements_.clear();
    if (!trKsiegow.active())
        return;
    try {
        trKsiegow.rollback();
    } catch (const db::Error&) {
        // the connection is broken: the server rolls the transaction back itself
    }
}

void Tks::reserveIds(int count) {
    if (count < 1)
        return;
    nextFree_ = counter_.reserve(count);
    blockEnd_ = nextFree_ + count;
}

int Tks::nextId() {
    if (nextFree_ >= blockEnd_)
        reserveIds(64);
    return nextFree_++;
}

db::Statement& Tks::stmt(const QString& sql) {
    zakonczenie::check(); // every row of a run passes here: a shutdown request ends it
    auto it = statements_.find(sql);
    if (it == statements_.end())
        it = statements_.insert(sql, std::make_shared<db::Statement>(trKsiegow, sql));
    return **it;
}

std::optional<Tks::KlientRow> Tks::klientById(int klientId) {
    db::Statement& s = stmt(QStringLiteral(
        "SELECT KLIENTID, NAZWA, ADRES, KR_NIP, NR_NIP FROM KLIENT WHERE KLIENTID = ?"));
    s.bindAll({klientId});
    db::Row r;
    if (!s.fetchOne(r))
        return std::nullopt;
    return KlientRow{r[0].toInt(), r[1].toString(), r[2].toString(), r[3].toString(),
                     r[4].toString()};
}

void Tks::insertKlient(const KlientRow& k) {
    db::Statement& s = stmt(QStringLiteral(
        "INSERT INTO KLIENT (KLIENTID, NAZWA, ADRES, KR_NIP, NR_NIP) VALUES (?, ?, ?, ?, ?)"));
    s.bindAll({k.klientId, textOrNull(k.nazwa), textOrNull(k.adres), textOrNull(k.krNip),
               textOrNull(k.nrNip)});
    s.execute();
}

void Tks::insertKonto(const KontoRow& k) {
    db::Statement& s = stmt(QStringLiteral("INSERT INTO KONTO (WPISID, KLIENTID, KR_KONTO, "
                                           "NR_KONTO, POMIJAJ) VALUES (?, ?, ?, ?, ?)"));
    s.bindAll({k.wpisId, k.klientId, textOrNull(k.krKonto), k.nrKonto, textOrNull(k.pomijaj)});
    s.execute();
}

void Tks::insertTrans(int wpisId, const TransRow& t) {
    db::Statement& s = stmt(QStringLiteral(
        "INSERT INTO TRANS (WPISID, KLIENTID, NAZWA_KL, ZRODLO, DATA_TR, OPIS_TR, DOZAPLATY, "
        "ZAPLACONO, KR_KONTO, NR_KONTO, NR_WYCIAGU, NR_FAKTURY, NR_KLUCZ, NIP_NABYWCY, PLIK, "
        "TERMIN, IMPORTID) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    s.bindAll({wpisId, t.klientId, t.nazwaKlNull ? db::Value() : db::Value(t.nazwaKl), t.zrodlo,
               t.dataTr, textOrNull(t.opisTr), moneyOrNull(t.doZaplaty), moneyOrNull(t.zaplacono),
               textOrNull(t.krKonto), textOrNull(t.nrKonto), textOrNull(t.nrWyciagu),
               textOrNull(t.nrFaktury), textOrNull(t.nrKlucz), textOrNull(t.nipNabywcy),
               textOrNull(t.plik), t.termin ? db::Value(*t.termin) : db::Value(),
               t.importId ? db::Value(t.importId) : db::Value()});
    s.execute();
}

void Tks::insertWyciag(const WyciagRow& w) {
    db::Statement& s = stmt(QStringLiteral(
        "INSERT INTO WYCIAG (WPISID, KONTO_WL, LINIA_SALDA, ZAKSIEGOWANO, OPERATOR, NR_WYCIAGU, "
        "PLIK) VALUES (?, ?, ?, CURRENT_TIMESTAMP, ?, ?, ?)"));
    s.bindAll({w.wpisId, w.kontoWl, w.liniaSalda, textOrNull(Globals::App_Operator.left(30)),
               textOrNull(w.nrWyciagu.left(50)), textOrNull(w.plik.left(500))});
    s.execute();
}

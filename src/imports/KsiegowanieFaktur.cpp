#include "KsiegowanieFaktur.h"

#include "Error.h"
#include "Globals.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "fks.h"

#include <QSet>

#include <algorithm>

namespace {

// The tax-number searches sort the few matching rows by name; without the plan the
// optimiser walks the whole name index instead, which grows with the register.
const QString KlientByNrKr =
    QStringLiteral("SELECT KLIENTID FROM KLIENT "
                   "WHERE UPPER(NR_NIP) = UPPER(CAST(? AS VARCHAR(12))) "
                   "AND UPPER(KR_NIP) = UPPER(CAST(? AS VARCHAR(2))) "
                   "PLAN SORT (KLIENT INDEX (KLIENT_NR_NIP_UP)) ORDER BY NAZWA, KLIENTID ROWS 1");
const QString KlientByNr =
    QStringLiteral("SELECT KLIENTID FROM KLIENT "
                   "WHERE UPPER(NR_NIP) = UPPER(CAST(? AS VARCHAR(12))) "
                   "PLAN SORT (KLIENT INDEX (KLIENT_NR_NIP_UP)) ORDER BY NAZWA, KLIENTID ROWS 1");
// Matching the number exactly implies the case-blind match on it, so one indexed
// existence query answers both conditions.
const QString FakturaZaksiegowana =
    QStringLiteral("SELECT 1 FROM TRANS WHERE ZRODLO = 'F' AND DATA_TR = ? AND OPIS_TR = ? ROWS 1");
const QString UstawNip =
    QStringLiteral("UPDATE KLIENT SET KR_NIP = ?, NR_NIP = ? WHERE KLIENTID = ?");

// Identifiers are reserved in blocks that grow with the run, up to this size.
constexpr int MaxIdBlock = 4096;

int firstId(db::Statement& s, std::initializer_list<db::Value> params) {
    s.bindAll(params);
    db::Row r;
    return s.fetchOne(r) ? r[0].toInt() : 0;
}

// The contractor search of the booking, on prepared statements of any transaction.
int znajdzKlienta(db::Statement& byNrKr, db::Statement& byNr, const QString& krNip,
                  const QString& nipOdb) {
    // NR_NIP and KR_NIP hold 12 and 2 characters: longer values can match nothing.
    if (nipOdb.isEmpty() || nipOdb.size() > NIP_MAX_LEN)
        return 0;
    const QString kr = krNip.trimmed();
    if (!kr.isEmpty() && kr.size() <= 2) {
        if (const int id = firstId(byNrKr, {nipOdb, kr}))
            return id;
    }
    return firstId(byNr, {nipOdb});
}

bool zaksiegowana(db::Statement& s, const recFaktura& f) {
    // Compared with what a booking stores: the number cut to its column, and the zero date
    // as the day it is kept as, so that such invoices too are recognised.
    s.bindAll({f.DataWyst, KorygOpis(f.NrFakt)});
    db::Row r;
    return s.fetchOne(r);
}

using W = DecyzjaBrakKontrahenta::Wybor;

} // namespace

KsiegowanieFaktur::KsiegowanieFaktur(Tks& ks, PytanieBrakKontrahenta pytanie,
                                     PostepKsiegowania postep)
    : ks_(ks), pytanie_(std::move(pytanie)), postep_(std::move(postep)) {}

int KsiegowanieFaktur::nextId() {
    if (idsLeft_ == 0) {
        idsLeft_ = std::clamp(pozostalo_ + 1, 64, MaxIdBlock);
        ks_.reserveIds(idsLeft_);
    }
    --idsLeft_;
    return ks_.nextId();
}

int KsiegowanieFaktur::WyznKlientId(const QString& krNip, const QString& nipOdb) {
    return znajdzKlienta(ks_.stmt(KlientByNrKr), ks_.stmt(KlientByNr), krNip, nipOdb);
}

bool KsiegowanieFaktur::JestFaktura(const Date& dataWyst, const QString& nrFakt) {
    recFaktura f;
    f.DataWyst = dataWyst;
    f.NrFakt = nrFakt;
    return zaksiegowana(ks_.stmt(FakturaZaksiegowana), f);
}

QString KsiegowanieFaktur::powodPominiecia(const recFaktura& f) {
    // The ledger and the statements that settle it are in złoty.
    if (f.WInnejWalucie())
        return f.KomWaluta();
    if (f.NipOdb.isEmpty())
        return f.KomBrakNip();
    // Such a number cannot be stored with a contractor: report, do not ask.
    if (f.NipOdb.size() > NIP_MAX_LEN)
        return QStringLiteral("[NIP dłuższy niż %1 znaków] - ").arg(NIP_MAX_LEN) + f.IdFaktury();
    return {};
}

void KsiegowanieFaktur::DopiszFakt(int klientId, const recFaktura& f, const QString& uwaga) {
    if (wynik_.importId == 0)
        wynik_.importId = nextId();
    Tks::TransRow t;
    t.klientId = klientId;
    t.zrodlo = QStringLiteral("F");
    t.dataTr = f.DataWyst;
    t.opisTr = KorygOpis(f.NrFakt);
    t.doZaplaty = f.Kwota; // with its sign: a correction lowers the amount due
    t.importId = wynik_.importId;
    ks_.insertTrans(nextId(), t);
    wynik_.FZaksiegowano = true;
    ++wynik_.zaksiegowane;
    wynik_.raport << f.KomWprowadz() + uwaga;
    if (const QString z = KomZnakiSpozaBazy(QStringLiteral("numer faktury"), t.opisTr);
        !z.isEmpty())
        wynik_.raport << z;
}

int KsiegowanieFaktur::nowyKlient(const recFaktura& f, const DecyzjaBrakKontrahenta& d) {
    Tks::KlientRow k;
    k.klientId = nextId();
    k.nazwa = KorygNazwa(d.Nazwa.trimmed());
    k.adres = KorygAdres(d.Adres.trimmed());
    k.krNip = d.KrNip;
    k.nrNip = f.NipOdb;
    ks_.insertKlient(k);
    ++wynik_.nowiKlienci;
    for (const QString& z : {KomZnakiSpozaBazy(QStringLiteral("nazwa kontrahenta"), k.nazwa),
                             KomZnakiSpozaBazy(QStringLiteral("adres kontrahenta"), k.adres)})
        if (!z.isEmpty())
            wynik_.raport << z;
    return k.klientId;
}

std::optional<QString> KsiegowanieFaktur::zmienNip(const recFaktura& f,
                                                   const DecyzjaBrakKontrahenta& d) {
    // The list the user chose from is older than this booking's view of the register.
    const auto klient = ks_.klientById(d.FKlientId);
    if (!klient) {
        wynik_.raport << QStringLiteral("[Pominięto: wybranego kontrahenta usunięto w "
                                        "międzyczasie na innym stanowisku] - ") +
                             f.IdFaktury();
        ++wynik_.pominiete;
        return std::nullopt;
    }
    if (d.NipWybranego && klient->nrNip.trimmed() != d.NipWybranego->trimmed()) {
        const QString gdzie = nadaneNip_.contains(d.FKlientId)
                                  ? QStringLiteral("w tym księgowaniu")
                                  : QStringLiteral("w międzyczasie na innym stanowisku");
        wynik_.raport << QStringLiteral("[Pominięto: kontrahent „%1” otrzymał %2 NIP %3] - ")
                                 .arg(klient->nazwa, gdzie, klient->nrNip.trimmed()) +
                             f.IdFaktury();
        ++wynik_.pominiete;
        return std::nullopt;
    }
    db::Statement& s = ks_.stmt(UstawNip);
    s.bindAll({d.KrNip, f.NipOdb, d.FKlientId});
    s.execute();
    nadaneNip_.insert(d.FKlientId);
    ++wynik_.nadaneNip;
    return klient->nazwa;
}

void KsiegowanieFaktur::Pytaj(const std::vector<recFaktura>& faktury) {
    decyzje_.clear();
    koniec_ = faktury.size();
    przerwano_ = false;
    zapytano_ = true;
    // Read committed and without the lock: each question sees the register as it is then,
    // and no transaction of this run stays open while the user decides.
    db::Transaction tr(ks_.attachment(), db::Isolation::ReadCommitted);
    tr.start();
    db::Statement byNrKr(tr, KlientByNrKr);
    db::Statement byNr(tr, KlientByNr);
    db::Statement booked(tr, FakturaZaksiegowana);
    QSet<QString> znane; // tax numbers a contractor has, or will have once this run books
    for (size_t i = 0; i < faktury.size(); ++i) {
        const recFaktura& f = faktury[i];
        if (!powodPominiecia(f).isEmpty())
            continue;
        const QString klucz = f.NipOdb.toUpper();
        if (znane.contains(klucz))
            continue;
        if (znajdzKlienta(byNrKr, byNr, f.KrNip, f.NipOdb)) {
            znane.insert(klucz);
            continue;
        }
        if (zaksiegowana(booked, f))
            continue;
        tr.commit();
        const DecyzjaBrakKontrahenta d = pytanie_(f);
        tr.start();
        if (d.wybor == W::Przerwij) {
            koniec_ = i;
            przerwano_ = true;
            break;
        }
        decyzje_.insert(i, d);
        // The contractor added or chosen for this invoice receives the number: the buyer's
        // later invoices go to it without a question.
        if (d.wybor == W::DopiszNowego || (d.wybor == W::WybierzIstniejacego && d.FKlientId != 0))
            znane.insert(klucz);
    }
    tr.commit();
}

void KsiegowanieFaktur::ksiegujNieznanego(size_t i, const recFaktura& f) {
    const auto it = decyzje_.constFind(i);
    if (it == decyzje_.constEnd()) {
        // Its contractor was there when the questions were asked, and is not now.
        wynik_.raport << QStringLiteral("[Pominięto: kontrahenta z tym NIP usunięto w "
                                        "międzyczasie na innym stanowisku] - ") +
                             f.IdFaktury();
        ++wynik_.pominiete;
        return;
    }
    const DecyzjaBrakKontrahenta& d = *it;
    if (d.wybor == W::DopiszNowego) {
        DopiszFakt(nowyKlient(f, d), f);
    } else if (d.wybor == W::WybierzIstniejacego && d.FKlientId != 0) {
        const std::optional<QString> nazwa = zmienNip(f, d);
        if (!nazwa)
            return;
        const QString nip = (d.KrNip.trimmed() + u' ' + f.NipOdb).trimmed();
        DopiszFakt(d.FKlientId, f,
                   QStringLiteral(" - przypisano kontrahentowi „") + *nazwa +
                       QStringLiteral("”, który otrzymał NIP ") + nip);
    } else {
        ++wynik_.pominiete;
    }
}

void KsiegowanieFaktur::zapiszImport(const QString& plik) {
    if (wynik_.importId == 0)
        return;
    db::Statement& s = ks_.stmt(
        QStringLiteral("INSERT INTO IMPORT_FAKTUR (IMPORTID, PLIK, ZAKSIEGOWANO, OPERATOR) "
                       "VALUES (?, ?, CURRENT_TIMESTAMP, ?)"));
    s.bindAll({wynik_.importId, plik.left(500), Globals::App_Operator.left(30)});
    s.execute();
}

WynikKsiegowania KsiegowanieFaktur::Ksieguj(const std::vector<recFaktura>& faktury,
                                            const QString& plik) {
    if (!zapytano_)
        Pytaj(faktury);
    wynik_ = {};
    nadaneNip_.clear();
    idsLeft_ = 0;
    ks_.start();
    try {
        const size_t koniec = std::min(koniec_, faktury.size());
        const int count = static_cast<int>(koniec);
        for (size_t i = 0; i < koniec; ++i) {
            pozostalo_ = count - static_cast<int>(i);
            if (postep_)
                postep_(static_cast<int>(i) + 1, count);
            const recFaktura& f = faktury[i];
            if (const QString powod = powodPominiecia(f); !powod.isEmpty()) {
                wynik_.raport << powod;
                ++wynik_.pominiete;
                continue;
            }
            // Decided in the booking transaction before any contractor is looked for or
            // added: an invoice booked before changes nothing.
            if (JestFaktura(f.DataWyst, f.NrFakt)) {
                wynik_.raport << f.KomDuplikat();
                ++wynik_.wczesniej;
                continue;
            }
            if (const int klientId = WyznKlientId(f.KrNip, f.NipOdb)) {
                // Asked about, but another workstation added the buyer meanwhile.
                DopiszFakt(klientId, f,
                           decyzje_.contains(i)
                               ? QStringLiteral(" - kontrahenta z tym NIP dopisano w międzyczasie "
                                                "na innym stanowisku")
                               : QString());
                continue;
            }
            ksiegujNieznanego(i, f);
        }
        if (przerwano_ && koniec_ < faktury.size()) {
            wynik_.przerwano = true;
            wynik_.przerwanoNa = faktury[koniec_].IdFaktury();
            for (size_t j = koniec_; j < faktury.size(); ++j)
                wynik_.niezaksiegowane << faktury[j].IdFaktury();
        }
        zapiszImport(plik);
        ks_.commit();
        zapytano_ = false;
    } catch (...) {
        ks_.rollback();
        throw;
    }
    return wynik_;
}

WynikKsiegowania KsiegowanieFaktur::run(const std::vector<recFaktura>& faktury,
                                        const QString& plik) {
    Pytaj(faktury);
    return Ksieguj(faktury, plik);
}

QStringList WynikKsiegowania::podsumowanie() const {
    QStringList lines;
    if (przerwano) {
        lines << QStringLiteral("Księgowanie przerwano na fakturze ") + przerwanoNa +
                     QStringLiteral("; nie zaksięgowano %1:").arg(niezaksiegowane.size());
        for (const QString& id : niezaksiegowane)
            lines << QStringLiteral("[Nie zaksięgowano - przerwano] - ") + id;
    }
    lines << QStringLiteral("Zaksięgowano faktur: %1, zaksięgowanych wcześniej: %2, pominiętych: "
                            "%3; dodano kontrahentów: %4, nadano NIP kontrahentom: %5.%6")
                 .arg(zaksiegowane)
                 .arg(wczesniej)
                 .arg(pominiete)
                 .arg(nowiKlienci)
                 .arg(nadaneNip)
                 .arg(przerwano ? QStringLiteral(" Księgowanie przerwano.") : QString());
    return lines;
}

#include "KsiegowanieFaktur.h"

#include "Dopasowanie.h"
#include "DopasowanieTytulu.h"
#include "Error.h"
#include "Globals.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "fks.h"

#include <QLocale>
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
// An invoice is known by its number and date of issue, kept apart from the description the
// user may change; the number's key finds it without a scan.
const QString FakturaZaksiegowana =
    QStringLiteral("SELECT COALESCE(NIP_NABYWCY, '') FROM TRANS WHERE NR_KLUCZ = ? "
                   "AND NR_FAKTURY = ? AND DATA_TR = ? AND ZRODLO = 'F' ROWS 1");
// NR_FAKTURY holds this many characters.
constexpr int NrFaktury_MAX_LEN = 256;
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

// The buyer's tax number an invoice with this number and date of issue was booked for
// (empty when unknown); nothing when it is not booked.
std::optional<QString> zaksiegowanaDla(db::Statement& s, const Date& dataWyst,
                                       const QString& nrFakt) {
    // Compared with what a booking stores: the number cut to its column, and the zero date
    // as the day it is kept as, so that such invoices too are recognised.
    const QString nr = nrFakt.left(NrFaktury_MAX_LEN);
    s.bindAll({rozrachunki::KluczNumeru(nr), nr, dataWyst});
    db::Row r;
    if (!s.fetchOne(r))
        return std::nullopt;
    return r[0].toString();
}

using W = DecyzjaBrakKontrahenta::Wybor;

} // namespace

KsiegowanieFaktur::KsiegowanieFaktur(Tks& ks, PytanieBrakKontrahenta pytanie,
                                     PostepKsiegowania postep)
    : ks_(ks), pytanie_(std::move(pytanie)), postep_(std::move(postep)) {}

KsiegowanieFaktur::~KsiegowanieFaktur() = default;

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
    return ZaksiegowanaDla(dataWyst, nrFakt).has_value();
}

std::optional<QString> KsiegowanieFaktur::ZaksiegowanaDla(const Date& dataWyst,
                                                          const QString& nrFakt) {
    return zaksiegowanaDla(ks_.stmt(FakturaZaksiegowana), dataWyst, nrFakt);
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
    t.nrFaktury = f.NrFakt.left(NrFaktury_MAX_LEN);
    t.nrKlucz = rozrachunki::KluczNumeru(t.nrFaktury);
    t.nipNabywcy = f.NipOdb.left(20);
    t.plik = f.Plik.left(255);
    if (!f.Termin.isZero())
        t.termin = f.Termin;
    t.importId = wynik_.importId;
    const int wpisId = nextId();
    ks_.insertTrans(wpisId, t);
    const QString rozliczenie = Rozlicz(wpisId, klientId, f);
    wynik_.FZaksiegowano = true;
    ++wynik_.zaksiegowane;
    wynik_.raport << f.KomWprowadz() + uwaga + rozliczenie;
    if (const QString z = KomZnakiSpozaBazy(QStringLiteral("numer faktury"), t.opisTr);
        !z.isEmpty())
        wynik_.raport << z;
}

QString KsiegowanieFaktur::Rozlicz(int wpisId, int klientId, const recFaktura& f) {
    QStringList uwagi;
    if (f.Kwota < Money()) {
        const auto p = dop_->PoKorekcie(wpisId, klientId, f.Korygowane, -f.Kwota);
        if (!p.empty())
            uwagi << (f.Korygowane.isEmpty() ? QStringLiteral("rozliczono z należnościami: ")
                                             : QStringLiteral("pomniejsza: ")) +
                         rozrachunki::OpisPowiazan(p);
    } else if (f.Kwota > Money()) {
        Money zostalo = f.Kwota;
        Money zaplacono;
        for (const recFaktura::Zaplata& z : f.Zaplaty) {
            Tks::TransRow t;
            t.klientId = klientId;
            t.zrodlo = QStringLiteral("F");
            t.dataTr = z.data;
            t.opisTr = KorygOpis(QStringLiteral("Zapłata wg faktury ") + f.NrFakt);
            t.zaplacono = z.kwota;
            t.plik = f.Plik.left(255);
            // Booked by this import with its invoice: undoing the import takes it back too.
            t.importId = wynik_.importId;
            const int id = nextId();
            ks_.insertTrans(id, t);
            const Money k = std::min(zostalo, z.kwota);
            if (k > Money())
                dop_->Polacz(wpisId, id, k, false);
            zostalo -= k;
            zaplacono += z.kwota;
            // More than the invoice: the rest is the contractor's credit.
            if (z.kwota > k)
                dop_->PoZaplacie(id, klientId, QString(), z.kwota - k);
        }
        if (!f.Zaplaty.empty())
            uwagi << QStringLiteral("zapłacono wg faktury: ") + zaplacono.format(QLocale());
        const auto p =
            dop_->PoNaleznosci(wpisId, klientId, rozrachunki::KluczNumeru(f.NrFakt), zostalo);
        if (!p.empty())
            uwagi << QStringLiteral("rozliczono z wpłat: ") + rozrachunki::OpisPowiazan(p);
    }
    if (uwagi.isEmpty())
        return {};
    ++wynik_.rozliczone;
    return QStringLiteral(" - ") + uwagi.join(QStringLiteral("; "));
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
        if (zaksiegowanaDla(booked, f.DataWyst, f.NrFakt))
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
        dop_ = std::make_unique<rozrachunki::Dopasowanie>(ks_.trKsiegow);
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
            if (const auto nip = ZaksiegowanaDla(f.DataWyst, f.NrFakt)) {
                const QString tenNip = f.NipOdb.left(20);
                // Told, never booked twice: the number and date name one invoice.
                wynik_.raport << f.KomDuplikat() +
                                     (nip->isEmpty() || *nip == tenNip
                                          ? QString()
                                          : QStringLiteral(" (zaksięgowana dla nabywcy o NIP ") +
                                                *nip + u')');
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
        dop_.reset();
        ks_.commit();
        zapytano_ = false;
    } catch (...) {
        dop_.reset();
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
                            "%3; dodano kontrahentów: %4, nadano NIP kontrahentom: %5%6.%7")
                 .arg(zaksiegowane)
                 .arg(wczesniej)
                 .arg(pominiete)
                 .arg(nowiKlienci)
                 .arg(nadaneNip)
                 .arg(rozliczone > 0
                          ? QStringLiteral("; rozliczono od razu z wpłatami lub korektami: %1")
                                .arg(rozliczone)
                          : QString())
                 .arg(przerwano ? QStringLiteral(" Księgowanie przerwano.") : QString());
    return lines;
}

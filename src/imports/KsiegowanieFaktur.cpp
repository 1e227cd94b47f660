#include "KsiegowanieFaktur.h"

#include "Error.h"
#include "StringFun.h"
#include "Wyglad.h"
#include "fks.h"

#include <algorithm>
#include <stdexcept>

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

int firstId(Tks& ks, const QString& sql, std::initializer_list<db::Value> params) {
    db::Statement& s = ks.stmt(sql);
    s.bindAll(params);
    db::Row r;
    return s.fetchOne(r) ? r[0].toInt() : 0;
}

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
    // NR_NIP and KR_NIP hold 12 and 2 characters: longer values can match nothing.
    if (nipOdb.isEmpty() || nipOdb.size() > NIP_MAX_LEN)
        return 0;
    const QString kr = krNip.trimmed();
    if (!kr.isEmpty() && kr.size() <= 2) {
        if (const int id = firstId(ks_, KlientByNrKr, {nipOdb, kr}))
            return id;
    }
    return firstId(ks_, KlientByNr, {nipOdb});
}

bool KsiegowanieFaktur::JestFaktura(const Date& dataWyst, const QString& nrFakt) {
    // Compared with what a booking stores: the number cut to its column, and the zero date
    // as the day it is kept as, so that such invoices too are recognised.
    db::Statement& s = ks_.stmt(FakturaZaksiegowana);
    s.bindAll({dataWyst, KorygOpis(nrFakt)});
    db::Row r;
    return s.fetchOne(r);
}

void KsiegowanieFaktur::DopiszFakt(int klientId, const recFaktura& f, const QString& uwaga) {
    Tks::TransRow t;
    t.klientId = klientId;
    t.zrodlo = QStringLiteral("F");
    t.dataTr = f.DataWyst;
    t.opisTr = KorygOpis(f.NrFakt);
    t.doZaplaty = f.Kwota; // with its sign: a correction lowers the amount due
    ks_.insertTrans(nextId(), t);
    wynik_.FZaksiegowano = true;
    ++wynik_.zaksiegowane;
    wynik_.kwotaZaksiegowanych += f.Kwota;
    wynik_.raport << f.KomWprowadz() + uwaga;
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
    return k.klientId;
}

QString KsiegowanieFaktur::zmienNip(const recFaktura& f, const DecyzjaBrakKontrahenta& d) {
    // The list the user chose from may be older than this run's view of the register.
    const auto klient = ks_.klientById(d.FKlientId);
    if (!klient) {
        throw std::runtime_error(QStringLiteral("Nie znaleziono wybranego kontrahenta (id %1): "
                                                "mógł zostać usunięty na innym stanowisku.")
                                     .arg(d.FKlientId)
                                     .toStdString());
    }
    db::Statement& s = ks_.stmt(UstawNip);
    s.bindAll({d.KrNip, f.NipOdb, d.FKlientId});
    s.execute();
    ++wynik_.nadaneNip;
    return klient->nazwa;
}

WynikKsiegowania KsiegowanieFaktur::run(const std::vector<recFaktura>& faktury) {
    wynik_ = {};
    idsLeft_ = 0;
    ks_.start();
    try {
        const int count = static_cast<int>(faktury.size());
        for (int i = 0; i < count; ++i) {
            pozostalo_ = count - i;
            if (postep_)
                postep_(i + 1, count);
            const recFaktura& f = faktury[static_cast<size_t>(i)];
            // The ledger and the statements that settle it are in złoty.
            if (f.WInnejWalucie()) {
                wynik_.raport << f.KomWaluta();
                ++wynik_.pominiete;
                continue;
            }
            if (f.NipOdb.isEmpty()) {
                wynik_.raport << f.KomBrakNip();
                ++wynik_.pominiete;
                continue;
            }
            if (f.NipOdb.size() > NIP_MAX_LEN) {
                // Such a number cannot be stored with a contractor: report, do not ask.
                wynik_.raport << QStringLiteral("[NIP dłuższy niż %1 znaków] - ").arg(NIP_MAX_LEN) +
                                     f.IdFaktury();
                ++wynik_.pominiete;
                continue;
            }
            // Decided in the run's transaction before any contractor is looked for, asked
            // about or added: an invoice booked before changes nothing.
            if (JestFaktura(f.DataWyst, f.NrFakt)) {
                wynik_.raport << f.KomDuplikat();
                ++wynik_.wczesniej;
                continue;
            }
            if (const int klientId = WyznKlientId(f.KrNip, f.NipOdb)) {
                DopiszFakt(klientId, f);
                continue;
            }
            const DecyzjaBrakKontrahenta d = pytanie_(f);
            using W = DecyzjaBrakKontrahenta::Wybor;
            if (d.wybor == W::Przerwij) {
                wynik_.przerwano = true;
                wynik_.przerwanoNa = f.IdFaktury();
                for (int j = i; j < count; ++j)
                    wynik_.niezaksiegowane << faktury[static_cast<size_t>(j)].IdFaktury();
                break;
            }
            if (d.wybor == W::DopiszNowego) {
                DopiszFakt(nowyKlient(f, d), f);
            } else if (d.wybor == W::WybierzIstniejacego && d.FKlientId != 0) {
                const QString nazwa = zmienNip(f, d);
                const QString nip = (d.KrNip.trimmed() + u' ' + f.NipOdb).trimmed();
                DopiszFakt(d.FKlientId, f,
                           QStringLiteral(" - przypisano kontrahentowi „") + nazwa +
                               QStringLiteral("”, który otrzymał NIP ") + nip);
            } else {
                ++wynik_.pominiete;
            }
        }
        ks_.commit();
    } catch (...) {
        ks_.rollback();
        throw;
    }
    return wynik_;
}

QStringList WynikKsiegowania::podsumowanie() const {
    QStringList lines;
    if (przerwano) {
        lines << QStringLiteral("Księgowanie przerwano na fakturze ") + przerwanoNa +
                     QStringLiteral("; nie zaksięgowano %1:").arg(niezaksiegowane.size());
        for (const QString& id : niezaksiegowane)
            lines << QStringLiteral("[Nie zaksięgowano - przerwano] - ") + id;
    }
    lines << QStringLiteral("Zaksięgowano faktur: %1 na kwotę %7, zaksięgowanych wcześniej: %2, "
                            "pominiętych: %3; dodano kontrahentów: %4, nadano NIP kontrahentom: "
                            "%5.%6")
                 .arg(zaksiegowane)
                 .arg(wczesniej)
                 .arg(pominiete)
                 .arg(nowiKlienci)
                 .arg(nadaneNip)
                 .arg(przerwano ? QStringLiteral(" Księgowanie przerwano.") : QString())
                 .arg(FormatKwotyWaluty(kwotaZaksiegowanych));
    return lines;
}

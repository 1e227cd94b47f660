#include "KsiegowanieFaktur.h"

#include "Dopasowanie.h"
#include "DopasowanieTytulu.h"
#include "Error.h"
#include "StringFun.h"
#include "Wyglad.h"
#include "fks.h"

#include <QLocale>

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
    return ZaksiegowanaDla(dataWyst, nrFakt).has_value();
}

std::optional<QString> KsiegowanieFaktur::ZaksiegowanaDla(const Date& dataWyst,
                                                          const QString& nrFakt) {
    // Compared with what a booking stores: the number cut to its column, and the zero date
    // as the day it is kept as, so that such invoices too are recognised.
    const QString nr = nrFakt.left(NrFaktury_MAX_LEN);
    db::Statement& s = ks_.stmt(FakturaZaksiegowana);
    s.bindAll({rozrachunki::KluczNumeru(nr), nr, dataWyst});
    db::Row r;
    if (!s.fetchOne(r))
        return std::nullopt;
    return r[0].toString();
}

void KsiegowanieFaktur::DopiszFakt(int klientId, const recFaktura& f, const QString& uwaga) {
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
    const int wpisId = nextId();
    ks_.insertTrans(wpisId, t);
    const QString rozliczenie = Rozlicz(wpisId, klientId, f);
    wynik_.FZaksiegowano = true;
    ++wynik_.zaksiegowane;
    wynik_.kwotaZaksiegowanych += f.Kwota;
    wynik_.raport << f.KomWprowadz() + uwaga + rozliczenie;
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
            uwagi << QStringLiteral("zapłacono wg faktury: ") + FormatKwoty(zaplacono);
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
        dop_ = std::make_unique<rozrachunki::Dopasowanie>(ks_.trKsiegow);
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
        dop_.reset();
        ks_.commit();
    } catch (...) {
        dop_.reset();
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
    lines << QStringLiteral("Zaksięgowano faktur: %1 na kwotę %8, zaksięgowanych wcześniej: %2, "
                            "pominiętych: %3; dodano kontrahentów: %4, nadano NIP kontrahentom: "
                            "%5%6.%7")
                 .arg(zaksiegowane)
                 .arg(wczesniej)
                 .arg(pominiete)
                 .arg(nowiKlienci)
                 .arg(nadaneNip)
                 .arg(rozliczone > 0
                          ? QStringLiteral("; rozliczono od razu z wpłatami lub korektami: %1")
                                .arg(rozliczone)
                          : QString())
                 .arg(przerwano ? QStringLiteral(" Księgowanie przerwano.") : QString())
                 .arg(FormatKwotyWaluty(kwotaZaksiegowanych));
    return lines;
}

#include "KsiegowanieWplat.h"

#include "Dopasowanie.h"
#include "StringFun.h"
#include "fks.h"

#include <QLocale>

#include <algorithm>

WyciagJuzWczytany::WyciagJuzWczytany() : std::runtime_error(komunikat().toStdString()) {}

QString WyciagJuzWczytany::komunikat() {
    return QStringLiteral("Dane z tego wyciągu bankowego zostały już wczytane.");
}

namespace {
// Width of KONTO.NR_KONTO: a longer number cannot be anyone's account.
constexpr int NrKonta_MAX_LEN = 32;

QString dataTekst(const IWyciag& w, int i) {
    return w.GetDataTR(i).qdate().toString(QStringLiteral("dd-MM-yyyy"));
}
} // namespace

KsiegowanieWplat::KsiegowanieWplat(Tks& ks, Postep postep) : ks_(ks), postep_(std::move(postep)) {}

KsiegowanieWplat::~KsiegowanieWplat() = default;

// For a Polish 26-digit number an empty prefix and "PL" are the same account: a payer whose
// number a bank writes once with and once without "PL" stays one contractor. A row with the
// very prefix written comes first, then the lowest identifier.
QString KsiegowanieWplat::ZapytanieKonta(const TKonto& konto, std::vector<db::Value>& params) {
    // "+ 0" keeps the server from walking the whole key index for the order: the number's
    // own index finds the few rows, which are then sorted.
    params = {konto.NRB()};
    if (konto.KodKR().isEmpty())
        return QStringLiteral("SELECT KLIENTID, POMIJAJ FROM KONTO WHERE NR_KONTO = ? "
                              "ORDER BY WPISID + 0 ROWS 1");
    if (konto.KontoPL())
        return QStringLiteral(
            "SELECT KLIENTID, POMIJAJ FROM KONTO WHERE NR_KONTO = ? "
            "AND (KR_KONTO = 'PL' OR KR_KONTO = '' OR KR_KONTO IS NULL) "
            "ORDER BY CASE WHEN KR_KONTO = 'PL' THEN 0 ELSE 1 END, WPISID + 0 ROWS 1");
    params.emplace_back(konto.KodKR());
    return QStringLiteral("SELECT KLIENTID, POMIJAJ FROM KONTO WHERE NR_KONTO = ? "
                          "AND KR_KONTO = ? ORDER BY WPISID + 0 ROWS 1");
}

bool KsiegowanieWplat::znajdzKonto(const TKonto& konto, Znalezione& out) {
    if (konto.NRB().isEmpty())
        return false;
    std::vector<db::Value> params;
    db::Statement& s = ks_.stmt(ZapytanieKonta(konto, params));
    s.bindAll(params);
    db::Row r;
    if (!s.fetchOne(r))
        return false;
    out.klientId = r[0].toInt();
    out.pomijaj = r[1].toString();
    return true;
}

int KsiegowanieWplat::WyznKlientId(const QString& numer) {
    Znalezione z;
    TKonto konto;
    konto.SetNumer(numer);
    return znajdzKonto(konto, z) ? z.klientId : 0;
}

bool KsiegowanieWplat::PomijaneKonto(const QString& numer) {
    Znalezione z;
    TKonto konto;
    konto.SetNumer(numer);
    return !znajdzKonto(konto, z) || z.pomijaj == QStringLiteral("T");
}

QString KsiegowanieWplat::OpisTrans(const IWyciag& w, int i) {
    return dataTekst(w, i) + QStringLiteral(" | ") + w.GetKwotaTR(i).format(QLocale()) +
           QStringLiteral(" | ") + w.GetKontoKL_NR(i) + QStringLiteral(" | ") + w.GetOpisTR(i);
}

bool KsiegowanieWplat::WZlotych(const IWyciag& w) {
    return w.Waluta() == QStringLiteral("PLN");
}

bool KsiegowanieWplat::DoKsiegowania(const IWyciag& w, int i) {
    const ZnakTR z = w.GetZnakTR(i);
    return (z == ZnakTR::C || z == ZnakTR::RC) && !w.GetKontoKL(i).isEmpty();
}

QString KsiegowanieWplat::BrakWplatWZlotych(const QStringList& waluty) {
    QStringList w = waluty;
    w.removeDuplicates();
    return QString::fromUtf8("Wyciąg nie zawiera żadnego przelewu z wpłatą w złotych; wyciągi "
                             "w walucie %1 nie są księgowane.")
        .arg(w.join(QStringLiteral(", ")));
}

RaportWplat KsiegowanieWplat::ksieguj(const IWyciag& w) {
    return ksiegujWszystkie({&w});
}

RaportWplat KsiegowanieWplat::ksieguj(const Wyciagi& wyciagi) {
    std::vector<const IWyciag*> w;
    for (const auto& p : wyciagi)
        w.push_back(p.get());
    return ksiegujWszystkie(w);
}

RaportWplat KsiegowanieWplat::ksiegujWszystkie(const std::vector<const IWyciag*>& wyciagi) {
    raport_ = {};
    ks_.start();
    try {
        if (!bezDopasowania_)
            dop_ = std::make_unique<rozrachunki::Dopasowanie>(ks_.trKsiegow);
        // After the booking lock: a file whose every statement another workstation
        // registered meanwhile is refused whole, as the listing would have refused it.
        if (std::all_of(wyciagi.begin(), wyciagi.end(), [this](const IWyciag* w) {
                return JestWyciag(w->LiniaSaldoPocz(), w->GetKontoWL());
            }))
            throw WyciagJuzWczytany();
        // Every identifier the run may need, in one step: a contractor, an account and a
        // payment per credit, and each statement's own row. Unused numbers are gaps.
        int credits = 0;
        int razem = 0;
        for (const auto& w : wyciagi) {
            for (int i = w->MinIndex(); i <= w->MaxIndex(); ++i)
                if (w->GetZnakTR(i) == ZnakTR::C || w->GetZnakTR(i) == ZnakTR::RC)
                    ++credits;
            razem += w->MaxIndex() - w->MinIndex() + 1;
        }
        ks_.reserveIds(3 * credits + static_cast<int>(wyciagi.size()));

        int zrobione = 0;
        for (const auto& w : wyciagi)
            ksiegujWyciag(*w, zrobione, razem);
        if (postep_)
            postep_(razem, razem);
        DopiszLiczniki();
        dop_.reset();
        ks_.commit();
    } catch (...) {
        dop_.reset();
        ks_.rollback();
        throw;
    }
    return raport_;
}

void KsiegowanieWplat::ksiegujWyciag(const IWyciag& w, int& zrobione, int razem) {
    // Asked again inside the run's transaction, after its start: a statement another
    // workstation registered since the list was made is skipped, not booked twice.
    if (JestWyciag(w.LiniaSaldoPocz(), w.GetKontoWL())) {
        ++raport_.wczesniejsze;
        zrobione += w.MaxIndex() - w.MinIndex() + 1;
        if (!raport_.ogolny.isEmpty())
            DopiszRap(QString());
        DopiszRap(QString::fromUtf8("[Pominięto wyciąg] - nr %1 | %2 | %3 | dane z tego wyciągu "
                                    "bankowego zostały już wczytane")
                      .arg(w.GetNrWyciagu(), w.GetKontoWL(), w.LiniaSaldoPocz()));
        return;
    }
    // The registration's identifier first: every payment of the statement carries it, so
    // that the statement can be undone whole.
    wyciagId_ = ks_.nextId();
    if (!WZlotych(w)) {
        zrobione += w.MaxIndex() - w.MinIndex() + 1;
        pominWyciagObcy(w);
        Zarejestruj(w);
        return;
    }
    TKonto wlasne;
    wlasne.SetNumer(w.GetKontoWL());
    TKonto konto;
    for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i) {
        if (postep_)
            postep_(zrobione, razem);
        ++zrobione;
        switch (w.GetZnakTR(i)) {
        case ZnakTR::C:
            ksiegujWplate(w, i, konto, wlasne);
            break;
        case ZnakTR::RC:
            ksiegujZwrot(w, i, konto);
            break;
        case ZnakTR::RD: // money a debit took comes back: no customer paid it
            Pominieta(w, i, QString::fromUtf8("zwrot obciążenia, nie wpłata kontrahenta"),
                      QString::fromUtf8("zwrot obciążenia"));
            break;
        case ZnakTR::D:
            break;
        }
    }
    Zarejestruj(w);
}

void KsiegowanieWplat::Zarejestruj(const IWyciag& w) {
    DopiszWyciag(w);
    ++raport_.wyciagi;
    raport_.rejestracje.push_back(wyciagId_);
    DopiszRap(QString::fromUtf8("[Zarejestrowano wyciąg] - nr %1 | %2 | numer rejestracji %3")
                  .arg(w.GetNrWyciagu(), w.GetKontoWL())
                  .arg(wyciagId_));
}

// A credit is booked to the owner of the payer's account; one that cannot be is reported
// with what the user needs to book it by hand, since the money did arrive.
void KsiegowanieWplat::ksiegujWplate(const IWyciag& w, int i, TKonto& konto, const TKonto& wlasne) {
    const QString numer = w.GetKontoKL(i);
    konto.SetNumer(numer);
    if (UsunSpacje(numer).isEmpty())
        return Pominieta(w, i, QString::fromUtf8("brak rachunku płatnika"));
    if (konto.NRB().isEmpty())
        return Pominieta(w, i, QString::fromUtf8("rachunek płatnika krótszy niż 12 znaków"));
    if (konto.NRB().size() > NrKonta_MAX_LEN)
        return Pominieta(w, i, QString::fromUtf8("rachunek płatnika nie jest numerem rachunku"));
    // The statement's own account must never become a contractor's.
    if (!wlasne.NRB().isEmpty() && konto.NRB() == wlasne.NRB())
        return Pominieta(w, i, QString::fromUtf8("rachunek płatnika jest rachunkiem wyciągu"));
    // One lookup answers both who owns the account and whether it is skipped.
    Znalezione z;
    int klientId = 0;
    if (znajdzKonto(konto, z)) {
        if (z.pomijaj == QStringLiteral("T"))
            return Pominieta(w, i, QString::fromUtf8("rachunek oznaczony do pomijania"));
        klientId = z.klientId;
    } else {
        klientId = ZnanyPlatnik(w, i, konto);
        if (klientId == 0)
            klientId = DopisKlientKonto(w, i, konto);
    }
    const int wpisId = DopisTransakcje(w, i, klientId);
    Rozlicz(w, i, wpisId, klientId);
}

int KsiegowanieWplat::ZnanyPlatnik(const IWyciag& w, int i, const TKonto& konto) {
    const QString platnik = KorygNazwa(w.GetNazwaKL(i));
    if (dop_) {
        if (const int k = dop_->PlatnikPoNumerze(w.GetOpisTR(i))) {
            const auto klient = ks_.klientById(k);
            ++raport_.poNumerze;
            if (!raport_.ogolny.isEmpty())
                DopiszRap(QString());
            DopiszRap(QString::fromUtf8("[Rozpoznano płatnika po numerze faktury] - ") + platnik +
                      QStringLiteral(" → ") + (klient ? klient->nazwa : QString()) +
                      QStringLiteral(" (") +
                      dop_->NumeryWTytule(k, w.GetOpisTR(i)).join(QStringLiteral(", ")) + u')');
            DopiszKonto(k, konto);
            return k;
        }
    }
    const auto d = decyzje_.constFind(konto.KodKR() + konto.NRB());
    if (d == decyzje_.constEnd() || *d == 0)
        return 0;
    // The list the user decided on may be older than this run's view of the register.
    const auto klient = ks_.klientById(*d);
    if (!raport_.ogolny.isEmpty())
        DopiszRap(QString());
    if (!klient) {
        DopiszRap(QString::fromUtf8("[Wybranego kontrahenta usunięto w międzyczasie] - ") +
                  platnik);
        return 0;
    }
    ++raport_.poNazwie;
    DopiszRap(QString::fromUtf8("[Przypisano płatnika według nazwy] - ") + platnik +
              QStringLiteral(" → ") + klient->nazwa);
    DopiszKonto(*d, konto);
    return *d;
}

void KsiegowanieWplat::DopiszKonto(int klientId, const TKonto& konto) {
    Tks::KontoRow kr;
    kr.wpisId = ks_.nextId();
    kr.klientId = klientId;
    kr.krKonto = konto.KodKR();
    kr.nrKonto = konto.NRB();
    kr.pomijaj = QStringLiteral("N");
    ks_.insertKonto(kr);
    ++raport_.konta;
    DopiszRap(QStringLiteral("[Dopisano konto] - ") + kr.nrKonto);
}

// A payment pays the invoices its title names, then the oldest due; a payment taken back is
// owed again and takes credit the contractor has.
void KsiegowanieWplat::Rozlicz(const IWyciag& w, int i, int wpisId, int klientId, bool zwrot) {
    if (!dop_)
        return;
    const Money kwota = w.GetKwotaTR(i);
    const std::vector<rozrachunki::Powiazanie> p =
        zwrot ? dop_->PoNaleznosci(wpisId, klientId, QString(), kwota)
              : dop_->PoZaplacie(wpisId, klientId, w.GetOpisTR(i), kwota);
    if (p.empty())
        return;
    ++raport_.rozliczone;
    DopiszRap(QStringLiteral("[Rozliczono] - ") + rozrachunki::OpisPowiazan(p));
}

// A statement in another currency: the ledger is in złoty, so its credits are named in the
// report for the user to book by hand; the statement is registered as read.
void KsiegowanieWplat::pominWyciagObcy(const IWyciag& w) {
    if (!raport_.ogolny.isEmpty())
        DopiszRap(QString());
    DopiszRap(QString::fromUtf8("[Pominięto wyciąg w walucie %1] - nr %2 | %3 | %4")
                  .arg(w.Waluta(), w.GetNrWyciagu(), w.GetKontoWL(), w.LiniaSaldoPocz()));
    for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i)
        if (w.GetZnakTR(i) == ZnakTR::C || w.GetZnakTR(i) == ZnakTR::RC)
            Pominieta(w, i, QString::fromUtf8("wyciąg w walucie %1").arg(w.Waluta()),
                      w.GetZnakTR(i) == ZnakTR::C ? QString::fromUtf8("wpłatę")
                                                  : QString::fromUtf8("zwrot wpłaty"));
}

// A credit taken back is a negative payment of the contractor whose account it names, so the
// balance shows the money as not paid. Nobody is created for it: an unknown account is
// reported.
void KsiegowanieWplat::ksiegujZwrot(const IWyciag& w, int i, TKonto& konto) {
    const QString numer = w.GetKontoKL(i);
    konto.SetNumer(numer);
    const QString co = QString::fromUtf8("zwrot wpłaty");
    if (konto.NRB().isEmpty())
        return Pominieta(w, i, QString::fromUtf8("brak rachunku płatnika"), co);
    Znalezione z;
    if (!znajdzKonto(konto, z))
        return Pominieta(w, i, QString::fromUtf8("żaden kontrahent nie ma tego rachunku"), co);
    if (z.pomijaj == QStringLiteral("T"))
        return Pominieta(w, i, QString::fromUtf8("rachunek oznaczony do pomijania"), co);
    const int wpisId = DopisZwrotu(w, i, z.klientId);
    Rozlicz(w, i, wpisId, z.klientId, true);
}

void KsiegowanieWplat::Pominieta(const IWyciag& w, int i, const QString& powod, const QString& co) {
    ++raport_.pominiete;
    DopiszRap(QString::fromUtf8("[Pominięto %1: %2] - ").arg(co, powod) + dataTekst(w, i) +
              QStringLiteral(" | ") + w.GetKwotaTR(i).format(QLocale()) + QStringLiteral(" | ") +
              w.GetKontoKL(i) + QStringLiteral(" | ") + w.GetNazwaKL(i) + QStringLiteral(" | ") +
              w.GetOpisTR(i));
}

void KsiegowanieWplat::DopiszLiczniki() {
    if (!raport_.ogolny.isEmpty())
        DopiszRap(QString());
    DopiszRap(QString::fromUtf8("Zaksięgowano wpłat: %1").arg(raport_.wplaty));
    if (raport_.zwroty > 0)
        DopiszRap(QString::fromUtf8("Zaksięgowano zwrotów wpłat: %1").arg(raport_.zwroty));
    DopiszRap(QString::fromUtf8("Dopisano kontrahentów: %1").arg(raport_.kontrahenci));
    DopiszRap(QString::fromUtf8("Dopisano kont: %1").arg(raport_.konta));
    if (raport_.poNumerze > 0)
        DopiszRap(QString::fromUtf8("Rozpoznano płatników po numerze faktury: %1")
                      .arg(raport_.poNumerze));
    if (raport_.poNazwie > 0)
        DopiszRap(QString::fromUtf8("Przypisano płatników według nazwy: %1").arg(raport_.poNazwie));
    if (raport_.rozliczone > 0)
        DopiszRap(
            QString::fromUtf8("Rozliczono wpłat z należnościami: %1").arg(raport_.rozliczone));
    DopiszRap(QString::fromUtf8("Pominięto wpłat: %1").arg(raport_.pominiete));
    DopiszRap(QString::fromUtf8("Zarejestrowano wyciągów: %1").arg(raport_.wyciagi));
    if (raport_.wczesniejsze > 0)
        DopiszRap(QString::fromUtf8("Pominięto wyciągów wczytanych wcześniej: %1")
                      .arg(raport_.wczesniejsze));
}

int KsiegowanieWplat::DopisKlientKonto(const IWyciag& w, int i, const TKonto& konto) {
    const QString nazwaKl = w.GetNazwaKL(i);
    Tks::KlientRow k;
    k.klientId = ks_.nextId();
    k.nazwa = nazwaKl.left(Nazwa_MAX_LEN);
    k.adres = nazwaKl.mid(Nazwa_MAX_LEN, Adres_MAX_LEN);
    ks_.insertKlient(k);
    ++raport_.kontrahenci;
    if (!raport_.ogolny.isEmpty())
        DopiszRap(QString());
    DopiszRap(QStringLiteral("[Dopisano kontrahenta] - ") + k.nazwa);
    if (!raport_.nowyKlient.isEmpty())
        DopiszRapNowyKlient(QString());
    DopiszRapNowyKlient(k.nazwa);

    if (konto.NRB().isEmpty())
        return k.klientId;
    DopiszKonto(k.klientId, konto);
    return k.klientId;
}

int KsiegowanieWplat::DopisTransakcje(const IWyciag& w, int i, int klientId) {
    Tks::TransRow t;
    t.klientId = klientId;
    t.nazwaKl = KorygNazwa(w.GetNazwaKL(i));
    t.nazwaKlNull = false;
    t.zrodlo = QStringLiteral("W");
    t.dataTr = w.GetDataTR(i);
    t.opisTr = KorygOpis(w.GetOpisTR(i));
    t.zaplacono = w.GetKwotaTR(i);
    t.krKonto = w.GetKontoKL_KR(i);
    t.nrKonto = w.GetKontoKL_NR(i);
    t.nrWyciagu = w.GetNrWyciagu().left(50);
    t.importId = wyciagId_;
    const int wpisId = ks_.nextId();
    ks_.insertTrans(wpisId, t);
    ++raport_.wplaty;
    DopiszRap(QStringLiteral("[Dopisano wpłatę] - ") + OpisTrans(w, i));
    // Said, not lost quietly: what the database could not keep of the name and the title.
    for (const QString& uwaga : {KomZnakiSpozaBazy(QStringLiteral("nazwa płatnika"), t.nazwaKl),
                                 KomZnakiSpozaBazy(QStringLiteral("tytuł przelewu"), t.opisTr)})
        if (!uwaga.isEmpty())
            DopiszRap(uwaga);
    return wpisId;
}

int KsiegowanieWplat::DopisZwrotu(const IWyciag& w, int i, int klientId) {
    Tks::TransRow t;
    t.klientId = klientId;
    t.nazwaKl = KorygNazwa(w.GetNazwaKL(i));
    t.nazwaKlNull = false;
    t.zrodlo = QStringLiteral("W");
    t.dataTr = w.GetDataTR(i);
    t.opisTr = KorygOpis(QString::fromUtf8("Zwrot wpłaty: ") + w.GetOpisTR(i));
    t.zaplacono = -w.GetKwotaTR(i);
    t.krKonto = w.GetKontoKL_KR(i);
    t.nrKonto = w.GetKontoKL_NR(i);
    t.nrWyciagu = w.GetNrWyciagu().left(50);
    t.importId = wyciagId_;
    const int wpisId = ks_.nextId();
    ks_.insertTrans(wpisId, t);
    ++raport_.zwroty;
    DopiszRap(QString::fromUtf8("[Dopisano zwrot wpłaty] - ") + dataTekst(w, i) +
              QStringLiteral(" | ") + (-w.GetKwotaTR(i)).format(QLocale()) + QStringLiteral(" | ") +
              w.GetKontoKL_NR(i) + QStringLiteral(" | ") + w.GetOpisTR(i));
    return wpisId;
}

bool KsiegowanieWplat::JestWyciag(const QString& liniaSalda, const QString& kontoWl) {
    db::Statement& s = ks_.stmt(
        QStringLiteral("SELECT 1 FROM WYCIAG WHERE LINIA_SALDA = ? AND KONTO_WL = ? ROWS 1"));
    s.bindAll({liniaSalda, kontoWl});
    db::Row r;
    return s.fetchOne(r);
}

void KsiegowanieWplat::DopiszWyciag(const IWyciag& w) {
    Tks::WyciagRow r;
    r.wpisId = wyciagId_;
    r.kontoWl = w.GetKontoWL();
    r.liniaSalda = w.LiniaSaldoPocz();
    r.nrWyciagu = w.GetNrWyciagu();
    r.plik = plik_;
    ks_.insertWyciag(r);
}

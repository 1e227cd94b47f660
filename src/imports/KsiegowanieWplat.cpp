#include "KsiegowanieWplat.h"

#include "StringFun.h"
#include "fks.h"

#include <QLocale>

WyciagJuzWczytany::WyciagJuzWczytany() : std::runtime_error(komunikat().toStdString()) {}

QString WyciagJuzWczytany::komunikat() {
    return QStringLiteral("Dane z tego wyciągu bankowego zostały już wczytane.");
}

KsiegowanieWplat::KsiegowanieWplat(Tks& ks, Postep postep) : ks_(ks), postep_(std::move(postep)) {}

bool KsiegowanieWplat::znajdzKonto(const TKonto& konto, Znalezione& out) {
    if (konto.NRB().isEmpty())
        return false;
    // "+ 0" keeps the server from walking the whole key index for the order: the number's
    // own index finds the few rows, which are then sorted.
    db::Statement& s =
        konto.KodKR().isEmpty()
            ? ks_.stmt(QStringLiteral("SELECT KLIENTID, POMIJAJ FROM KONTO WHERE NR_KONTO = ? "
                                      "ORDER BY WPISID + 0 ROWS 1"))
            : ks_.stmt(QStringLiteral("SELECT KLIENTID, POMIJAJ FROM KONTO WHERE NR_KONTO = ? "
                                      "AND KR_KONTO = ? ORDER BY WPISID + 0 ROWS 1"));
    if (konto.KodKR().isEmpty())
        s.bindAll({konto.NRB()});
    else
        s.bindAll({konto.NRB(), konto.KodKR()});
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
    return w.GetDataTR(i).qdate().toString(QStringLiteral("dd-MM-yyyy")) + QStringLiteral(" | ") +
           w.GetKwotaTR(i).format(QLocale()) + QStringLiteral(" | ") + w.GetKontoKL_NR(i) +
           QStringLiteral(" | ") + w.GetOpisTR(i);
}

RaportWplat KsiegowanieWplat::ksieguj(const IWyciag& w) {
    raport_ = {};
    ks_.start();
    try {
        if (JestWyciag(w.LiniaSaldoPocz(), w.GetKontoWL()))
            throw WyciagJuzWczytany();
        // Every identifier the run may need, in one step: a contractor, an account and a
        // payment per credit, and the statement's own row. Unused numbers are gaps.
        int credits = 0;
        for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i)
            if (w.GetStronaKS(i) == u'C')
                ++credits;
        ks_.reserveIds(3 * credits + 1);

        const int total = w.MaxIndex() - w.MinIndex() + 1;
        TKonto konto;
        for (int i = w.MinIndex(); i <= w.MaxIndex(); ++i) {
            if (postep_)
                postep_(i - w.MinIndex(), total);
            konto.SetNumer(w.GetKontoKL(i));
            if (w.GetStronaKS(i) != u'C' || konto.NRB().isEmpty())
                continue;
            // One lookup answers both who owns the account and whether it is skipped.
            Znalezione z;
            int klientId = 0;
            if (znajdzKonto(konto, z)) {
                if (z.pomijaj == QStringLiteral("T"))
                    continue;
                klientId = z.klientId;
            } else {
                klientId = DopisKlientKonto(w, i, konto);
            }
            DopisTransakcje(w, i, klientId);
        }
        DopiszWyciag(w.LiniaSaldoPocz(), w.GetKontoWL());
        ks_.commit();
    } catch (...) {
        ks_.rollback();
        throw;
    }
    return raport_;
}

int KsiegowanieWplat::DopisKlientKonto(const IWyciag& w, int i, const TKonto& konto) {
    const QString nazwaKl = w.GetNazwaKL(i);
    Tks::KlientRow k;
    k.klientId = ks_.nextId();
    k.nazwa = nazwaKl.left(Nazwa_MAX_LEN);
    k.adres = nazwaKl.mid(Nazwa_MAX_LEN, Adres_MAX_LEN);
    ks_.insertKlient(k);
    if (!raport_.ogolny.isEmpty())
        DopiszRap(QString());
    DopiszRap(QStringLiteral("[Dopisano kontrahenta] - ") + k.nazwa);
    if (!raport_.nowyKlient.isEmpty())
        DopiszRapNowyKlient(QString());
    DopiszRapNowyKlient(k.nazwa);

    if (konto.NRB().isEmpty())
        return k.klientId;
    Tks::KontoRow kr;
    kr.wpisId = ks_.nextId();
    kr.klientId = k.klientId;
    kr.krKonto = konto.KodKR();
    kr.nrKonto = konto.NRB();
    kr.pomijaj = QStringLiteral("N");
    ks_.insertKonto(kr);
    DopiszRap(QStringLiteral("[Dopisano konto] - ") + kr.nrKonto);
    return k.klientId;
}

void KsiegowanieWplat::DopisTransakcje(const IWyciag& w, int i, int klientId) {
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
    ks_.insertTrans(ks_.nextId(), t);
    DopiszRap(QStringLiteral("[Dopisano wpłatę] - ") + OpisTrans(w, i));
}

bool KsiegowanieWplat::JestWyciag(const QString& liniaSalda, const QString& kontoWl) {
    db::Statement& s = ks_.stmt(
        QStringLiteral("SELECT 1 FROM WYCIAG WHERE LINIA_SALDA = ? AND KONTO_WL = ? ROWS 1"));
    s.bindAll({liniaSalda, kontoWl});
    db::Row r;
    return s.fetchOne(r);
}

void KsiegowanieWplat::DopiszWyciag(const QString& liniaSalda, const QString& kontoWl) {
    ks_.insertWyciag(ks_.nextId(), kontoWl, liniaSalda);
}

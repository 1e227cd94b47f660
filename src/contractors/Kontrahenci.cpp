#include "Kontrahenci.h"

#include "Dataset.h"
#include "Error.h"
#include "Slowniki.h"
#include "Statement.h"
#include "StringFun.h"
#include "WeryfNum.h"
#include "fSQLFun.h"
#include "fdm.h"

#include <QLocale>

#include <algorithm>

namespace kontrahenci {
namespace {

const QString KLIENTID = QStringLiteral("KLIENTID");
const QString WPISID = QStringLiteral("WPISID");

// An empty text is stored as null, which no uniqueness comparison matches.
db::Value tekstLubNull(const QString& s) {
    return s.isEmpty() ? db::Value() : db::Value(s);
}

bool polskiLubBrak(const QString& kod) {
    return kod.isEmpty() || kod == QStringLiteral("PL");
}

QString warunekNip(const QString& kr, const QString& nip) {
    if (kr.isEmpty())
        return QStringLiteral("NR_NIP=") + sqlStr(nip);
    return QStringLiteral("KR_NIP=") + sqlStr(kr) + QStringLiteral(" AND NR_NIP=") + sqlStr(nip);
}

// Counts the rows the condition finds, inside the writing transaction. Read committed
// without record versions: a row another workstation has written but not committed makes
// this wait for it, so of two saves of one value at the same moment only one goes through.
// A deadlock between two such saves counts as a duplicate.
bool jestPowtorzenie(db::Transaction& tr, const QString& sql) {
    try {
        db::Statement stmt(tr, sql);
        db::Row row;
        return stmt.fetchOne(row) && row[0].toInt64() > 0;
    } catch (const db::Error& e) {
        if (e.isConflict())
            return true;
        throw;
    }
}

void wycofaj(db::Transaction& tr) {
    if (!tr.active())
        return;
    try {
        tr.rollback();
    } catch (const db::Error&) {
    }
}

// Writes one row of a shared list in a transaction of its own, checks that it did not make
// a duplicate, commits, and shows the row in the list. False (nothing written) on a duplicate.
bool zapiszWiersz(Tdm& dm, Dataset& lista, Dataset::Write rodzaj,
                  const QHash<QString, db::Value>& wartosci, const QString& klucz,
                  const QString& sprawdzenie) {
    db::Transaction tr(dm.conn, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    try {
        lista.writeIn(tr, rodzaj, wartosci);
        if (!sprawdzenie.isEmpty() && jestPowtorzenie(tr, sprawdzenie)) {
            tr.rollback();
            return false;
        }
        // Fields the refresh statement does not read keep the values just written.
        std::optional<db::Row> wiersz = lista.readBack(tr, wartosci);
        tr.commit();
        // The list's own transaction starts afresh, so that its later writes (a delete of
        // this very row) see what was just committed.
        lista.transaction().restart();
        if (wiersz)
            lista.putRow(std::move(*wiersz), klucz);
        return true;
    } catch (...) {
        wycofaj(tr);
        throw;
    }
}

} // namespace

Wynik ZapiszKlienta(Tdm& dm, bool nowyWpis, int klientId, const DaneKlienta& d) {
    const QString kod = d.krNip.trimmed().toUpper();
    const QString numer = d.nrNip.trimmed();
    if (polskiLubBrak(kod) && !NipOk(numer))
        return {BlednyNip};
    const bool unikalny = nowyWpis ? dm.NowyNipOK(kod, numer) : dm.EditNipOK(kod, numer, klientId);
    if (!unikalny)
        return {NipPowtorzony};

    Dataset& klient = dm.Klient;
    if (!nowyWpis && !klient.locate(KLIENTID, klientId))
        return {QStringLiteral("Poprawianego kontrahenta nie ma już w wykazie.")};
    const int id = nowyWpis ? dm.NextId() : klientId;
    const QHash<QString, db::Value> wartosci = {
        {KLIENTID, id},
        {QStringLiteral("NAZWA"), tekstLubNull(KorygNazwa(d.nazwa))},
        {QStringLiteral("ADRES"), tekstLubNull(KorygAdres(d.adres))},
        {QStringLiteral("KR_NIP"), tekstLubNull(kod)},
        {QStringLiteral("NR_NIP"), tekstLubNull(numer)},
        {QStringLiteral("TELEFON1"), tekstLubNull(d.telefon)},
        {QStringLiteral("EMAIL1"), tekstLubNull(d.email)},
    };
    const QString sprawdzenie = numer.isEmpty()
                                    ? QString()
                                    : QStringLiteral("SELECT COUNT(*) FROM KLIENT WHERE ") +
                                          warunekNip(kod, numer) +
                                          QStringLiteral(" AND KLIENTID<>") + QString::number(id);
    if (!zapiszWiersz(dm, klient, nowyWpis ? Dataset::Write::Insert : Dataset::Write::Modify,
                      wartosci, KLIENTID, sprawdzenie))
        return {NipPowtorzony};
    return {{}, true};
}

Wynik ZapiszKonto(Tdm& dm, bool nowyWpis, int klientId, int wpisId, const DaneKonta& d) {
    const QString kod = d.krKonto.trimmed().toUpper();
    const QString numer = UsunSpacje(d.nrKonto.trimmed());
    if (!KodKrajuOK(kod))
        return {BlednyKodKraju};
    if (numer.isEmpty())
        return {BrakNumeruKonta};
    // The column holds 32 characters: a longer number is as wrong as a shorter one.
    if (!KontoZgrubOk(numer) || numer.size() > 32)
        return {BlednyNumerKontaZgrubnie};
    if (polskiLubBrak(kod) && !KontoOk(numer))
        return {BlednyNumerKonta};
    const bool unikalny =
        nowyWpis ? dm.NowyKontoOK(kod, numer) : dm.EditKontoOK(kod, numer, wpisId);
    if (!unikalny)
        return {KontoPowtorzone};

    Dataset& konta = dm.KontoKL;
    if (!nowyWpis && !konta.locate(WPISID, wpisId))
        return {QStringLiteral("Poprawianego rachunku nie ma już w wykazie.")};
    const int id = nowyWpis ? dm.NextId() : wpisId;
    QHash<QString, db::Value> wartosci = {
        {WPISID, id},
        {QStringLiteral("KR_KONTO"), tekstLubNull(kod)},
        {QStringLiteral("NR_KONTO"), numer},
        {QStringLiteral("POMIJAJ"), d.pomijaj ? QStringLiteral("T") : QStringLiteral("N")},
    };
    if (nowyWpis)
        wartosci.insert(KLIENTID, klientId);
    const QString sprawdzenie = QStringLiteral("SELECT COUNT(*) FROM KONTO WHERE ") +
                                sqlWarunekKonta(kod, numer) + QStringLiteral(" AND WPISID<>") +
                                QString::number(id);
    if (!zapiszWiersz(dm, konta, nowyWpis ? Dataset::Write::Insert : Dataset::Write::Modify,
                      wartosci, WPISID, sprawdzenie))
        return {KontoPowtorzone};
    return {{}, true};
}

Przyciski RegulyPrzyciskow(Tdm& dm) {
    Przyciski p;
    const Dataset& klient = dm.Klient;
    if (!klient.isOpen())
        return p;
    p.klientDopisz = true;
    const bool sa = !klient.isEmpty();
    p.klientPopraw = p.klientUsun = p.kontoDopisz = p.szczegoly = sa;
    p.polacz = sa && dm.SaMinDwieFirmy();
    p.kontoPopraw = p.kontoUsun = sa && !dm.KontoKL.isEmpty();
    p.pobierz =
        p.kontoDopisz && !klient.field(QStringLiteral("NR_NIP")).toString().trimmed().isEmpty();
    return p;
}

QString TekstSalda(Money saldo) {
    const QLocale locale;
    if (saldo >= Money())
        return QStringLiteral("Do zapłaty: ") + saldo.formatCurrency(locale);
    return QStringLiteral("Nadpłata: ") + (-saldo).formatCurrency(locale);
}

QString TekstSaldaKlienta(Tdm& dm, int klientId) {
    return TekstSalda(dm.SaldoKlienta(klientId));
}

QString TekstSalda(Tdm& dm) {
    const Dataset& klient = dm.Klient;
    if (!klient.isOpen() || klient.isEmpty())
        return {};
    return TekstSaldaKlienta(dm, klient.field(KLIENTID).toInt());
}

QString TekstKonta(const QString& krKonto, const QString& nrKonto) {
    return (krKonto.trimmed() + u' ' + FormatKonto(nrKonto.trimmed())).trimmed();
}

int KlientPoUsunieciu(const Dataset& klient) {
    const int i = klient.currentIndex();
    if (i < 0)
        return 0;
    if (i > 0)
        return klient.row(i - 1)[KLIENTID].toInt();
    if (klient.recordCount() > 1)
        return klient.row(1)[KLIENTID].toInt();
    return 0;
}

QString UsunKlienta(Tdm& dm) {
    Dataset& klient = dm.Klient;
    const int id = klient.field(KLIENTID).toInt();
    const int nastepny = KlientPoUsunieciu(klient);
    if (dm.trKlient.active())
        dm.trKlient.commit();
    QString blad;
    try {
        dm.UsunKlienta(id);
    } catch (const db::Error& e) {
        blad = e.message();
    }
    dm.OtworzKlient();
    // After a refusal the user stays on the contractor that could not be deleted.
    const int naKogo = blad.isEmpty() ? nastepny : id;
    if (naKogo > 0)
        klient.locate(KLIENTID, naKogo);
    return blad;
}

void UsunKonto(Tdm& dm, int klientId) {
    Dataset& konta = dm.KontoKL;
    konta.deleteCurrent();
    const int zaznaczony = konta.field(WPISID).toInt();
    QString blad;
    try {
        konta.transaction().commit();
    } catch (const db::Error& e) {
        blad = e.message();
    }
    dm.OtworzKontoKL(klientId);
    if (zaznaczony > 0)
        konta.locate(WPISID, zaznaczony);
    OdswiezKlienta(dm, klientId);
    if (!blad.isEmpty())
        throw db::Error(blad);
}

void OdswiezKlienta(Tdm& dm, int klientId) {
    if (!dm.Klient.isOpen())
        return;
    db::Transaction tr(dm.conn, db::Isolation::ReadCommitted);
    tr.start();
    std::optional<db::Row> wiersz = dm.Klient.readBack(tr, {{KLIENTID, klientId}});
    tr.commit();
    if (wiersz)
        dm.Klient.putRow(std::move(*wiersz), KLIENTID);
}

WyszukiwarkaKlientow::WyszukiwarkaKlientow(Dataset& klient, QObject* parent)
    : QObject(parent), klient_(klient) {
    const auto nieaktualne = [this] { aktualne_ = false; };
    connect(&klient_, &QAbstractItemModel::modelReset, this, nieaktualne);
    connect(&klient_, &QAbstractItemModel::dataChanged, this, nieaktualne);
}

void IndeksNazw::ustaw(const QStringList& nazwy) {
    nazwyUp_.clear();
    poczatki_.assign(static_cast<size_t>(nazwy.size()), 0);
    for (qsizetype i = 0; i < nazwy.size(); ++i) {
        poczatki_[static_cast<size_t>(i)] = nazwyUp_.size();
        nazwyUp_ += nazwy[i].toUpper();
        nazwyUp_ += u'\n';
    }
}

int IndeksNazw::szukaj(const QString& t) const {
    if (t.isEmpty())
        return -1;
    const size_t n = poczatki_.size();
    if (t.size() == 1) {
        for (size_t i = 0; i < n; ++i)
            if (nazwyUp_[poczatki_[i]] == t[0])
                return static_cast<int>(i);
        return -1;
    }
    // A name's own surrounding blanks cannot change whether it contains the text, which has
    // none; a line break never occurs in a box's text, so no match spans two names.
    const qsizetype pos = nazwyUp_.indexOf(t);
    if (pos < 0)
        return -1;
    const auto it = std::upper_bound(poczatki_.begin(), poczatki_.end(), pos);
    return static_cast<int>(it - poczatki_.begin()) - 1;
}

void WyszukiwarkaKlientow::przygotuj() {
    if (aktualne_)
        return;
    // QString's own case mapping: for Polish names it is the locale's, and it is many times
    // faster, which matters over a whole register.
    const int n = klient_.recordCount();
    const int nazwa = n > 0 ? klient_.row(0).columns()->indexOf(QStringLiteral("NAZWA")) : -1;
    QStringList nazwy;
    nazwy.reserve(n);
    for (int i = 0; i < n; ++i)
        nazwy << klient_.row(i)[nazwa].toString();
    indeks_.ustaw(nazwy);
    aktualne_ = true;
}

void WyszukiwarkaKlientow::Szukaj(const QString& tekst) {
    if (klient_.isEmpty())
        return;
    const QString t = tekst.trimmed().toUpper();
    if (t.isEmpty())
        return;
    przygotuj();
    const int i = indeks_.szukaj(t);
    if (i >= 0)
        klient_.setCurrentIndex(i);
}

} // namespace kontrahenci

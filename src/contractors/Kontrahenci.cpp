#include "Kontrahenci.h"

#include "Dataset.h"
#include "Dziennik.h"
#include "Error.h"
#include "Slowniki.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "WeryfNum.h"
#include "Wyglad.h"
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
        tr.rollbackQuietly();
        throw;
    }
}

} // namespace

Wynik ZapiszKlienta(Tdm& dm, bool nowyWpis, int klientId, const DaneKlienta& d) {
    const QString kod = d.krNip.trimmed().toUpper();
    const QString numer = d.nrNip.trimmed();
    if (polskiLubBrak(kod) && !NipOk(numer))
        return {BlednyNip};
    if (d.terminPlatnosci && (*d.terminPlatnosci < 0 || *d.terminPlatnosci > 3650))
        return {BlednyTermin};
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
        {QStringLiteral("TERMIN_PLATNOSCI"),
         d.terminPlatnosci ? db::Value(*d.terminPlatnosci) : db::Value()},
        {QStringLiteral("KONSUMENT"), d.konsument ? QStringLiteral("T") : QStringLiteral("N")},
        {QStringLiteral("ZOZ_PUBLICZNY"),
         d.zozPubliczny && !d.konsument ? QStringLiteral("T") : QStringLiteral("N")},
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
    // A contractor is chosen: a search that found nothing leaves none current.
    const bool sa = klient.current() != nullptr;
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
        return QStringLiteral("Do zapłaty: ") + FormatKwotyWaluty(saldo, locale);
    return QStringLiteral("Nadpłata: ") + FormatKwotyWaluty(-saldo, locale);
}

QString TekstSaldaKlienta(Tdm& dm, int klientId) {
    return TekstSalda(dm.SaldoKlienta(klientId));
}

QString TekstSalda(Tdm& dm) {
    const Dataset& klient = dm.Klient;
    if (!klient.isOpen() || !klient.current())
        return {};
    return TekstSaldaKlienta(dm, klient.field(KLIENTID).toInt());
}

QString TekstKonta(const QString& krKonto, const QString& nrKonto) {
    return FormatKonta(krKonto, nrKonto);
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

namespace {
// The balance and the ledger rows of a contractor in the given transaction.
std::optional<StanKlienta> stanW(db::Transaction& tr, int klientId) {
    db::Statement st(tr,
                     QStringLiteral("SELECT K.NAZWA, "
                                    "(SELECT COALESCE(S.DOZAPLATY, 0) - COALESCE(S.ZAPLACONO, 0) "
                                    " FROM SALDA S WHERE S.KLIENTID = K.KLIENTID), "
                                    "(SELECT COUNT(*) FROM TRANS T WHERE T.KLIENTID = K.KLIENTID) "
                                    "FROM KLIENT K WHERE K.KLIENTID = ?"));
    st.bindAll({klientId});
    db::Row r;
    if (!st.fetchOne(r))
        return std::nullopt;
    return StanKlienta{r[0].toString(), r[1].toMoney(), static_cast<int>(r[2].toInt64())};
}

QString opisSalda(Money saldo) {
    const QLocale locale;
    if (saldo.isZero())
        return saldo.formatCurrency(locale);
    if (saldo > Money())
        return QStringLiteral("do zapłaty ") + saldo.formatCurrency(locale);
    return QStringLiteral("nadpłata ") + (-saldo).formatCurrency(locale);
}

} // namespace

std::optional<StanKlienta> CzytajStanKlienta(Tdm& dm, int klientId) {
    db::Transaction tr(dm.conn, db::Isolation::ReadCommitted);
    tr.start();
    std::optional<StanKlienta> stan = stanW(tr, klientId);
    tr.commit();
    return stan;
}

QString PytanieUsunieciaKlienta(const StanKlienta& stan) {
    const QString kto = QStringLiteral("Usunąć kontrahenta „") + stan.nazwa.trimmed() +
                        QStringLiteral("” z wykazu?\r");
    if (stan.wierszy == 0 && stan.saldo.isZero())
        return kto + QStringLiteral("Kontrahent nie ma zapisów w rozliczeniach.");
    return kto + QStringLiteral("Saldo: ") + opisSalda(stan.saldo) + QStringLiteral(".\r") +
           QStringLiteral("Zapisów w rozliczeniach: %1 (zostaną usunięte razem z kontrahentem).")
               .arg(stan.wierszy);
}

WynikUsuniecia UsunKlienta(Tdm& dm, const StanKlienta& widziany) {
    Dataset& klient = dm.Klient;
    const int id = klient.field(KLIENTID).toInt();
    const int nastepny = KlientPoUsunieciu(klient);
    if (dm.trKlient.active())
        dm.trKlient.commit();
    WynikUsuniecia wynik;
    bool usuniety = false;
    db::Transaction tr(dm.conn, db::Isolation::ReadCommittedNoRecVersion);
    try {
        tr.start();
        // What the user agreed to delete must be what is deleted: a payment booked meanwhile
        // on another workstation stops the delete.
        const std::optional<StanKlienta> teraz = stanW(tr, id);
        if (!teraz) {
            wynik.komunikat = QStringLiteral("Kontrahenta usunięto już na innym stanowisku.");
            usuniety = true;
        } else if (teraz->saldo != widziany.saldo || teraz->wierszy != widziany.wierszy) {
            wynik.komunikat =
                QStringLiteral("Rozliczenia kontrahenta zmieniły się w międzyczasie na innym "
                               "stanowisku (teraz: ") +
                opisSalda(teraz->saldo) +
                QStringLiteral(", zapisów w rozliczeniach: %1).\rKontrahenta nie usunięto; "
                               "sprawdź jego rozliczenia i usuń go ponownie, jeśli trzeba.")
                    .arg(teraz->wierszy);
        } else {
            dziennik::UstawRodzaj(tr, dziennik::UsuniecieKontrahenta);
            db::Statement del(tr, QStringLiteral("DELETE FROM KLIENT WHERE KLIENTID = ?"));
            del.bindAll({id});
            del.execute();
            usuniety = true;
        }
        if (usuniety && teraz)
            tr.commit();
        else
            tr.rollback();
    } catch (const db::Error& e) {
        tr.rollbackQuietly();
        wynik = {e.message(), true};
        usuniety = false;
    }
    dm.OtworzKlient();
    // After a refusal the user stays on the contractor that could not be deleted.
    const int naKogo = usuniety ? nastepny : id;
    if (naKogo > 0)
        klient.locate(KLIENTID, naKogo);
    return wynik;
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

} // namespace kontrahenci

#include "DaneFirmy.h"

#include "Attachment.h"
#include "Error.h"
#include "Statement.h"
#include "StringFun.h"
#include "Transaction.h"
#include "WeryfNum.h"

namespace firma {
namespace {

const QString ZmienionePrzezInnego =
    QStringLiteral("Dane firmy zmienił w tym czasie inny użytkownik; nic nie zapisano.\r"
                   "Otwórz okno ponownie, aby zobaczyć ich obecną postać.");

db::Value tekstLubNull(const QString& s) {
    return s.isEmpty() ? db::Value() : db::Value(s);
}

// Digits only, with a "PL" in front taken off: how a number may be typed or pasted.
QString bezSeparatorow(const QString& s) {
    QString t = UsunZnakiFrm(s.trimmed()).toUpper();
    if (t.startsWith(QStringLiteral("PL")))
        t = t.mid(2);
    return t;
}

} // namespace

DaneFirmy czytajDaneFirmy(db::Attachment& att) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, QStringLiteral("SELECT NAZWA, ADRES, KOD_MIEJSCOWOSC, NIP, KONTO, "
                                       "MIEJSCE_WYSTAWIENIA, PODPIS, WERSJA FROM FIRMA "
                                       "WHERE ID = 1"));
    db::Row r;
    DaneFirmy d;
    if (s.fetchOne(r)) {
        d.nazwa = r["NAZWA"].toString();
        d.adres = r["ADRES"].toString();
        d.kodMiejscowosc = r["KOD_MIEJSCOWOSC"].toString();
        d.nip = r["NIP"].toString();
        d.konto = r["KONTO"].toString();
        d.miejsceWystawienia = r["MIEJSCE_WYSTAWIENIA"].toString();
        d.podpis = r["PODPIS"].toString();
        d.wersja = r["WERSJA"].toInt();
    }
    tr.commit();
    return d;
}

WynikZapisu zapiszDaneFirmy(db::Attachment& att, const DaneFirmy& dane) {
    DaneFirmy d = dane;
    d.nazwa = d.nazwa.trimmed().left(NazwaMax);
    d.adres = d.adres.trimmed().left(AdresMax);
    d.kodMiejscowosc = d.kodMiejscowosc.trimmed().left(AdresMax);
    d.miejsceWystawienia = d.miejsceWystawienia.trimmed().left(MiejsceMax);
    d.podpis = d.podpis.trimmed().left(PodpisMax);
    d.nip = bezSeparatorow(d.nip);
    d.konto = bezSeparatorow(d.konto);
    if (d.nazwa.isEmpty())
        return {QStringLiteral("Podaj nazwę firmy."), {}};
    if (!d.nip.isEmpty() && !SumaNIPOk(d.nip))
        return {QStringLiteral("Błędny numer identyfikacyjny VAT."), {}};
    if (!d.konto.isEmpty() && (d.konto.size() != 26 || !KontoOk(d.konto)))
        return {QStringLiteral("Błędny numer rachunku bankowego."), {}};

    // Waits for a save another workstation has not committed yet, then sees its version.
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    try {
        const std::vector<db::Value> pola = {
            d.nazwa,
            tekstLubNull(d.adres),
            tekstLubNull(d.kodMiejscowosc),
            tekstLubNull(d.nip),
            tekstLubNull(d.konto),
            tekstLubNull(d.miejsceWystawienia),
            tekstLubNull(d.podpis),
        };
        std::uint64_t zmienione = 0;
        if (d.wersja == 0) {
            db::Statement s(tr, QStringLiteral("INSERT INTO FIRMA (NAZWA, ADRES, KOD_MIEJSCOWOSC, "
                                               "NIP, KONTO, MIEJSCE_WYSTAWIENIA, PODPIS, ID, "
                                               "WERSJA) VALUES (?, ?, ?, ?, ?, ?, ?, 1, 1)"));
            s.bindAll(pola);
            zmienione = s.execute();
        } else {
            db::Statement s(tr, QStringLiteral("UPDATE FIRMA SET NAZWA = ?, ADRES = ?, "
                                               "KOD_MIEJSCOWOSC = ?, NIP = ?, KONTO = ?, "
                                               "MIEJSCE_WYSTAWIENIA = ?, PODPIS = ?, "
                                               "WERSJA = WERSJA + 1 WHERE ID = 1 AND WERSJA = ?"));
            std::vector<db::Value> v = pola;
            v.emplace_back(d.wersja);
            s.bindAll(v);
            zmienione = s.execute();
        }
        if (zmienione != 1) {
            tr.rollback();
            return {ZmienionePrzezInnego, {}};
        }
        tr.commit();
    } catch (const db::Error& e) {
        tr.rollbackQuietly();
        if (e.isDuplicate() || e.isConflict())
            return {ZmienionePrzezInnego, {}};
        throw;
    }
    ++d.wersja;
    return {{}, d};
}

QString kontoDoDruku(const QString& konto) {
    return FormatKonto(konto);
}

QString brakiDanychFirmy(const DaneFirmy& dane, bool zKontem) {
    QStringList braki;
    if (dane.nazwa.trimmed().isEmpty())
        braki << QStringLiteral("nazwy");
    if (dane.adres.trimmed().isEmpty() && dane.kodMiejscowosc.trimmed().isEmpty())
        braki << QStringLiteral("adresu");
    if (zKontem && dane.konto.trimmed().isEmpty())
        braki << QStringLiteral("numeru rachunku bankowego");
    if (braki.isEmpty())
        return {};
    return QStringLiteral("W danych firmy brak %1.\rUzupełnij je: System → Dane firmy.")
        .arg(braki.join(QStringLiteral(", ")));
}

} // namespace firma

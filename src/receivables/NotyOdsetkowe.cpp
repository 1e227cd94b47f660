#include "NotyOdsetkowe.h"

#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "DaneWindykacji.h"
#include "Dopasowanie.h"
#include "DopasowanieTytulu.h"
#include "Error.h"
#include "IdCounter.h"
#include "Statement.h"
#include "StawkiOdsetek.h"
#include "Transaction.h"
#include "fks.h"

namespace noty {
namespace {

QString kodDluznika(odsetki::Dluznik d) {
    switch (d) {
    case odsetki::Dluznik::PublicznyZoz:
        return QStringLiteral("Z");
    case odsetki::Dluznik::Konsument:
        return QStringLiteral("K");
    default:
        return QStringLiteral("P");
    }
}

odsetki::Dluznik dluznikZKodu(const QString& k) {
    if (k == u"Z")
        return odsetki::Dluznik::PublicznyZoz;
    if (k == u"K")
        return odsetki::Dluznik::Konsument;
    return odsetki::Dluznik::Przedsiebiorca;
}

db::Value dataLubNull(const QDate& d) {
    return d.isValid() ? db::Value(Date(d)) : db::Value();
}

QDate dataZ(const db::Value& v) {
    return v.isNull() ? QDate() : v.toDate().qdate();
}

Money naKwote(int setneProcenta) {
    return Money::fromRaw(static_cast<std::int64_t>(setneProcenta) * 100);
}

// The note counted in the caller's transaction, from what it sees.
std::variant<dokumenty::NotaOdsetkowa, QString>
policz(db::Transaction& tr, const firma::DaneFirmy& firma, const odsetki::Tabele& tabele,
       const std::vector<kursy::KursEur>& kursy, int klientId, const dokumenty::ParametryNoty& p) {
    std::optional<windykacja::DaneKontrahenta> d =
        windykacja::czytajKontrahenta(tr, klientId, p.doDnia);
    if (!d)
        return QStringLiteral("Nie ma kontrahenta o identyfikatorze %1.").arg(klientId);
    return dokumenty::zbudujNote(firma, d->odbiorca, d->faktury, tabele, kursy, p, d->naliczone);
}

// The amount due that books a note.
void ksieguj(db::Transaction& tr, int notaId, int wpisId, int klientId, const QString& numer,
             Money razem, const QDate& data, int terminDni) {
    {
        db::Statement s(tr, QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                                           "OPIS_TR, DOZAPLATY, NR_FAKTURY, NR_KLUCZ, TERMIN) "
                                           "VALUES (?, ?, 'U', ?, ?, ?, ?, ?, ?)"));
        s.bindAll({wpisId, klientId, Date(data), QStringLiteral("Nota odsetkowa ") + numer, razem,
                   numer, rozrachunki::KluczNumeru(numer), Date(data.addDays(terminDni))});
        s.execute();
    }
    // Once: a second booking finds the note booked, whoever tries it.
    db::Statement s(tr, QStringLiteral("UPDATE NOTA_ODSETKOWA SET WPISID = ? WHERE ID = ? "
                                       "AND WPISID IS NULL AND ANULOWANA = 'N'"));
    s.bindAll({wpisId, notaId});
    if (s.execute() != 1)
        throw db::Error(QStringLiteral("Nota %1 została w tym czasie zaksięgowana lub anulowana "
                                       "na innym stanowisku.")
                            .arg(numer));
    // A payment waiting as the contractor's credit pays it, as it would any amount due.
    rozrachunki::Dopasowanie dop(tr);
    dop.Dopasuj(wpisId);
}

void zapiszPozycje(db::Transaction& tr, int notaId, const dokumenty::NotaOdsetkowa& n) {
    db::Statement poz(
        tr, QStringLiteral("INSERT INTO NOTA_POZYCJA (NOTA_ID, LP, ID_NALEZNOSCI, NR_FAKTURY, "
                           "DATA_FAKTURY, TERMIN, KWOTA_FAKTURY, ID_ZAPLATY, DATA_ZAPLATY, "
                           "POZYCJA_OD, KWOTA, NALICZ_OD, NALICZ_DO, DNI, ODSETKI, REKOMP_EUR, "
                           "KURS_EUR, KURS_DATA, KURS_TABELA, REKOMP_PLN) "
                           "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    db::Statement okr(tr, QStringLiteral("INSERT INTO NOTA_OKRES (NOTA_ID, LP, NR, OD, DO_DNIA, "
                                         "DNI, STAWKA) VALUES (?, ?, ?, ?, ?, ?, ?)"));
    // The compensation claimed stands on the first item of its invoice: the claims come in
    // the order of those items.
    std::size_t rekompensata = 0;
    int lp = 0;
    for (const windykacja::PozycjaOdsetek& p : n.pozycje) {
        ++lp;
        const dokumenty::Rekompensata* r =
            p.rekompensataEur > 0 && rekompensata < n.rekompensaty.size()
                ? &n.rekompensaty[rekompensata++]
                : nullptr;
        const QDate doDnia = p.zaplata ? *p.zaplata : n.doDnia;
        poz.bindAll({notaId,
                     lp,
                     p.wpisIdFaktury > 0 ? db::Value(p.wpisIdFaktury) : db::Value(),
                     p.numer,
                     dataLubNull(p.wystawiona),
                     Date(p.termin),
                     p.kwotaFaktury,
                     p.wpisIdZaplaty > 0 ? db::Value(p.wpisIdZaplaty) : db::Value(),
                     p.zaplata ? db::Value(Date(*p.zaplata)) : db::Value(),
                     p.pozycjaOd,
                     p.kwota,
                     Date(p.naliczoneOd),
                     Date(doDnia),
                     p.dni,
                     p.odsetki,
                     r ? db::Value(r->euro) : db::Value(),
                     r ? db::Value(r->kurs.kurs) : db::Value(),
                     r ? dataLubNull(r->kurs.data) : db::Value(),
                     r && !r->kurs.tabela.isEmpty() ? db::Value(r->kurs.tabela) : db::Value(),
                     r ? db::Value(r->pln) : db::Value()});
        poz.execute();
        int nr = 0;
        for (const odsetki::Okres& o : p.okresy) {
            okr.bindAll({notaId, lp, ++nr, Date(o.od), Date(o.doDnia), o.dni, naKwote(o.stawka)});
            okr.execute();
        }
    }
}

int kolejnyNumer(db::Transaction& tr, int rok) {
    db::Statement s(tr, QStringLiteral("SELECT COALESCE(MAX(NR), 0) + 1 FROM NOTA_ODSETKOWA "
                                       "WHERE ROK = ?"));
    s.bindAll({rok});
    db::Row r;
    s.fetchOne(r);
    return r[0].toInt();
}

} // namespace

std::variant<dokumenty::NotaOdsetkowa, QString> przygotuj(db::Attachment& att, int klientId,
                                                          const dokumenty::ParametryNoty& p) {
    const firma::DaneFirmy firma = firma::czytajDaneFirmy(att);
    const odsetki::Tabele tabele = stawki::czytajTabele(att);
    const std::vector<kursy::KursEur> kursy = kursy::czytajKursy(att);
    db::Transaction tr(att, db::Isolation::Snapshot);
    tr.start();
    dokumenty::ParametryNoty bezNumeru = p;
    bezNumeru.numer.clear();
    auto wynik = policz(tr, firma, tabele, kursy, klientId, bezNumeru);
    tr.commit();
    return wynik;
}

std::variant<windykacja::WynikOdsetek, QString>
odsetkiDoNaliczenia(db::Attachment& att, int klientId, const QDate& doDnia) {
    const odsetki::Tabele tabele = stawki::czytajTabele(att);
    db::Transaction tr(att, db::Isolation::Snapshot);
    tr.start();
    std::optional<windykacja::DaneKontrahenta> d =
        windykacja::czytajKontrahenta(tr, klientId, doDnia);
    tr.commit();
    if (!d)
        return QStringLiteral("Nie ma kontrahenta o identyfikatorze %1.").arg(klientId);
    try {
        return windykacja::naliczOdsetki(d->faktury, {QDate(), doDnia, true, true}, tabele,
                                         d->odbiorca.dluznik, d->naliczone);
    } catch (const odsetki::BrakStawki& e) {
        return e.komunikat();
    }
}

WynikZapisu zapisz(db::Attachment& att, int klientId, const dokumenty::ParametryNoty& p,
                   const dokumenty::NotaOdsetkowa& widziana, bool zaksiegujTez) {
    WynikZapisu w;
    if (!p.dataWystawienia.isValid()) {
        w.uwaga = QStringLiteral("Podaj datę wystawienia noty.");
        return w;
    }
    const firma::DaneFirmy firma = firma::czytajDaneFirmy(att);
    const odsetki::Tabele tabele = stawki::czytajTabele(att);
    const std::vector<kursy::KursEur> kursy = kursy::czytajKursy(att);
    // Identifiers first: the counter has a transaction of its own.
    IdCounter licznik(att);
    const int notaId = licznik.next();
    const int wpisId = zaksiegujTez ? licznik.next() : 0;

    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    try {
        // Notes and bookings take turns: what this one counts, no other note counts meanwhile.
        ZajmijBlokade(tr);
        dokumenty::ParametryNoty bezNumeru = p;
        bezNumeru.numer.clear();
        auto teraz = policz(tr, firma, tabele, kursy, klientId, bezNumeru);
        if (const QString* odmowa = std::get_if<QString>(&teraz)) {
            tr.rollbackQuietly();
            w.uwaga = *odmowa;
            return w;
        }
        dokumenty::NotaOdsetkowa& n = std::get<dokumenty::NotaOdsetkowa>(teraz);
        if (!dokumenty::tenSamRachunek(n, widziana)) {
            tr.rollbackQuietly();
            w.uwaga = QStringLiteral("Od obliczenia noty zmieniły się rozrachunki kontrahenta "
                                     "(wpłaty, powiązania albo noty zapisane na innym "
                                     "stanowisku); nic nie zapisano.\rSprawdź notę obliczoną na "
                                     "nowo i zapisz ją ponownie.");
            w.nota = std::move(n);
            return w;
        }
        const int rok = p.dataWystawienia.year();
        const int nr = kolejnyNumer(tr, rok);
        n.numer = dokumenty::numerNoty(nr, rok);
        {
            db::Statement s(
                tr, QStringLiteral("INSERT INTO NOTA_ODSETKOWA (ID, ROK, NR, NUMER, KLIENTID, "
                                   "NAZWA_KL, ADRES_KL, NIP_KL, DLUZNIK, DATA_WYST, OKRES_OD, "
                                   "OKRES_DO, Z_NIEZAPLACONYMI, TERMIN_DNI, ODSETKI, REKOMPENSATA, "
                                   "RAZEM) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, "
                                   "?, ?)"));
            s.bindAll({notaId, rok, nr, n.numer, klientId, n.kontrahent.nazwa, n.kontrahent.adres,
                       n.kontrahent.nip, kodDluznika(n.kontrahent.dluznik), Date(n.dataWystawienia),
                       dataLubNull(n.od), Date(n.doDnia),
                       n.zNiezaplaconymi ? QStringLiteral("T") : QStringLiteral("N"),
                       n.terminZaplatyDni, n.sumaOdsetek, n.sumaRekompensat, n.razem});
            s.execute();
        }
        zapiszPozycje(tr, notaId, n);
        if (zaksiegujTez)
            ksieguj(tr, notaId, wpisId, klientId, n.numer, n.razem, n.dataWystawienia,
                    n.terminZaplatyDni);
        tr.commit();
        w.id = notaId;
        w.nota = std::move(n);
        return w;
    } catch (...) {
        tr.rollbackQuietly();
        throw;
    }
}

QString zaksieguj(db::Attachment& att, int id) {
    const int wpisId = IdCounter(att).next();
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    try {
        ZajmijBlokade(tr);
        db::Statement s(tr, QStringLiteral("SELECT N.NUMER, N.KLIENTID, N.RAZEM, N.DATA_WYST, "
                                           "N.TERMIN_DNI, N.WPISID, N.ANULOWANA, K.KLIENTID "
                                           "FROM NOTA_ODSETKOWA N LEFT JOIN KLIENT K "
                                           "ON K.KLIENTID = N.KLIENTID WHERE N.ID = ?"));
        s.bindAll({id});
        db::Row r;
        QString odmowa;
        if (!s.fetchOne(r))
            odmowa = QStringLiteral("Tej noty nie ma w rejestrze.");
        else if (!r[5].isNull())
            odmowa = QStringLiteral("Nota %1 jest już zaksięgowana: drugi raz jej się nie "
                                    "księguje.")
                         .arg(r[0].toString());
        else if (r[6].toString() == u"T")
            odmowa = QStringLiteral("Nota %1 jest anulowana: nie można jej zaksięgować.")
                         .arg(r[0].toString());
        else if (r[7].isNull())
            odmowa = QStringLiteral("Kontrahenta noty %1 nie ma już w wykazie: nie można jej "
                                    "zaksięgować.")
                         .arg(r[0].toString());
        if (!odmowa.isEmpty()) {
            tr.rollbackQuietly();
            return odmowa;
        }
        ksieguj(tr, id, wpisId, r[1].toInt(), r[0].toString(), r[2].toMoney(),
                r[3].toDate().qdate(), r[4].toInt());
        tr.commit();
        return {};
    } catch (...) {
        tr.rollbackQuietly();
        throw;
    }
}

QString anuluj(db::Attachment& att, int id) {
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    try {
        ZajmijBlokade(tr);
        db::Statement s(tr, QStringLiteral("SELECT NUMER, WPISID, ANULOWANA FROM NOTA_ODSETKOWA "
                                           "WHERE ID = ?"));
        s.bindAll({id});
        db::Row r;
        QString odmowa;
        if (!s.fetchOne(r))
            odmowa = QStringLiteral("Tej noty nie ma w rejestrze.");
        else if (r[2].toString() == u"T")
            odmowa = QStringLiteral("Nota %1 jest już anulowana.").arg(r[0].toString());
        else if (!r[1].isNull())
            odmowa = QStringLiteral("Nota %1 jest zaksięgowana: najpierw usuń jej należność z "
                                    "rozliczeń kontrahenta, potem anuluj notę.")
                         .arg(r[0].toString());
        if (!odmowa.isEmpty()) {
            tr.rollbackQuietly();
            return odmowa;
        }
        db::Statement u(tr, QStringLiteral("UPDATE NOTA_ODSETKOWA SET ANULOWANA = 'T' "
                                           "WHERE ID = ? AND WPISID IS NULL"));
        u.bindAll({id});
        u.execute();
        tr.commit();
        return {};
    } catch (...) {
        tr.rollbackQuietly();
        throw;
    }
}

std::vector<Wpis> czytajRejestr(db::Attachment& att, int rok, int klientId) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    QString sql = QStringLiteral("SELECT ID, NUMER, KLIENTID, NAZWA_KL, DATA_WYST, OKRES_OD, "
                                 "OKRES_DO, ODSETKI, REKOMPENSATA, RAZEM, WPISID, ANULOWANA, "
                                 "ZAPISAL FROM NOTA_ODSETKOWA WHERE 1 = 1");
    std::vector<db::Value> p;
    if (rok > 0) {
        sql += QStringLiteral(" AND ROK = ?");
        p.emplace_back(rok);
    }
    if (klientId > 0) {
        sql += QStringLiteral(" AND KLIENTID = ?");
        p.emplace_back(klientId);
    }
    sql += QStringLiteral(" ORDER BY ROK DESC, NR DESC");
    db::Statement s(tr, sql);
    s.bindAll(p);
    std::vector<Wpis> w;
    db::Cursor c = s.open();
    while (c.next()) {
        Wpis x;
        x.id = c[0].toInt();
        x.numer = c[1].toString();
        x.klientId = c[2].isNull() ? 0 : c[2].toInt();
        x.kontrahent = c[3].toString();
        x.dataWystawienia = dataZ(c[4]);
        x.od = dataZ(c[5]);
        x.doDnia = dataZ(c[6]);
        x.odsetki = c[7].toMoney();
        x.rekompensata = c[8].toMoney();
        x.razem = c[9].toMoney();
        x.wpisId = c[10].isNull() ? 0 : c[10].toInt();
        x.anulowana = c[11].toString() == u"T";
        x.zapisal = c[12].toString();
        w.push_back(std::move(x));
    }
    c.close();
    tr.commit();
    return w;
}

std::optional<dokumenty::NotaOdsetkowa> czytajNote(db::Attachment& att, int id) {
    const firma::DaneFirmy firma = firma::czytajDaneFirmy(att);
    db::Transaction tr(att, db::Isolation::Snapshot);
    tr.start();
    db::Statement s(tr, QStringLiteral("SELECT NUMER, KLIENTID, NAZWA_KL, ADRES_KL, NIP_KL, "
                                       "DLUZNIK, DATA_WYST, OKRES_OD, OKRES_DO, "
                                       "Z_NIEZAPLACONYMI, TERMIN_DNI, ODSETKI, REKOMPENSATA, "
                                       "RAZEM, ANULOWANA FROM NOTA_ODSETKOWA WHERE ID = ?"));
    s.bindAll({id});
    db::Row r;
    if (!s.fetchOne(r)) {
        tr.commit();
        return std::nullopt;
    }
    dokumenty::NotaOdsetkowa n;
    n.numer = r[0].toString();
    n.kontrahent.klientId = r[1].isNull() ? 0 : r[1].toInt();
    n.kontrahent.nazwa = r[2].toString();
    n.kontrahent.adres = r[3].toString();
    n.kontrahent.nip = r[4].toString();
    n.kontrahent.dluznik = dluznikZKodu(r[5].toString());
    n.dataWystawienia = dataZ(r[6]);
    n.od = dataZ(r[7]);
    n.doDnia = dataZ(r[8]);
    n.zNiezaplaconymi = r[9].toString() == u"T";
    n.terminZaplatyDni = r[10].toInt();
    n.sumaOdsetek = r[11].toMoney();
    n.sumaRekompensat = r[12].toMoney();
    n.razem = r[13].toMoney();
    n.anulowana = r[14].toString() == u"T";
    n.firma = firma;

    db::Statement ps(tr, QStringLiteral("SELECT LP, ID_NALEZNOSCI, NR_FAKTURY, DATA_FAKTURY, "
                                        "TERMIN, KWOTA_FAKTURY, ID_ZAPLATY, DATA_ZAPLATY, "
                                        "POZYCJA_OD, KWOTA, NALICZ_OD, DNI, ODSETKI, REKOMP_EUR, "
                                        "KURS_EUR, KURS_DATA, KURS_TABELA, REKOMP_PLN "
                                        "FROM NOTA_POZYCJA WHERE NOTA_ID = ? ORDER BY LP"));
    ps.bindAll({id});
    QHash<int, std::size_t> poLp;
    {
        db::Cursor c = ps.open();
        while (c.next()) {
            windykacja::PozycjaOdsetek p;
            p.wpisIdFaktury = c[1].isNull() ? 0 : c[1].toInt();
            p.numer = c[2].toString();
            p.wystawiona = dataZ(c[3]);
            p.termin = dataZ(c[4]);
            p.kwotaFaktury = c[5].toMoney();
            p.wpisIdZaplaty = c[6].isNull() ? 0 : c[6].toInt();
            if (!c[7].isNull())
                p.zaplata = c[7].toDate().qdate();
            p.pozycjaOd = c[8].toMoney();
            p.kwota = c[9].toMoney();
            p.naliczoneOd = dataZ(c[10]);
            p.dni = c[11].toInt();
            p.odsetki = c[12].toMoney();
            if (p.naliczoneOd != p.termin.addDays(1))
                n.poWczesniejszychNotach = true;
            if (!c[13].isNull()) {
                p.rekompensataEur = c[13].toInt();
                dokumenty::Rekompensata rk;
                rk.numer = p.numer;
                rk.kwotaFaktury = p.kwotaFaktury;
                rk.termin = p.termin;
                rk.euro = p.rekompensataEur;
                rk.kurs.kurs = c[14].toMoney();
                rk.kurs.data = dataZ(c[15]);
                rk.kurs.tabela = c[16].toString();
                rk.kurs.reczny = rk.kurs.tabela.isEmpty();
                rk.pln = c[17].toMoney();
                n.rekompensaty.push_back(rk);
            }
            poLp.insert(c[0].toInt(), n.pozycje.size());
            n.pozycje.push_back(std::move(p));
        }
    }
    db::Statement os(tr, QStringLiteral("SELECT LP, OD, DO_DNIA, DNI, STAWKA FROM NOTA_OKRES "
                                        "WHERE NOTA_ID = ? ORDER BY LP, NR"));
    os.bindAll({id});
    {
        db::Cursor c = os.open();
        while (c.next()) {
            const auto i = poLp.constFind(c[0].toInt());
            if (i == poLp.constEnd())
                continue;
            odsetki::Okres o;
            o.od = dataZ(c[1]);
            o.doDnia = dataZ(c[2]);
            o.dni = c[3].toInt();
            o.stawka = static_cast<int>(c[4].toMoney().raw() / 100);
            n.pozycje[*i].okresy.push_back(o);
        }
    }
    tr.commit();
    return n;
}

QDate kolejnyPoczatek(db::Attachment& att, int klientId) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    db::Statement s(tr, QStringLiteral("SELECT MAX(OKRES_DO) FROM NOTA_ODSETKOWA "
                                       "WHERE KLIENTID = ? AND ANULOWANA = 'N'"));
    s.bindAll({klientId});
    db::Row r;
    QDate d;
    if (s.fetchOne(r) && !r[0].isNull())
        d = r[0].toDate().qdate().addDays(1);
    tr.commit();
    return d;
}

} // namespace noty

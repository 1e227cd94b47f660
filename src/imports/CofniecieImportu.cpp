#include "CofniecieImportu.h"

#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "Dopasowanie.h"
#include "Dziennik.h"
#include "Error.h"
#include "Statement.h"
#include "Transaction.h"

#include <QFileInfo>
#include <QLocale>

#include <set>

namespace cofniecie {
namespace {

QDateTime czas(const db::Value& v) {
    if (v.isNull())
        return {};
    return QDateTime::fromString(v.toString().left(19), QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString kwotaTekst(const Money& m) {
    return m.format(QLocale());
}

// A ledger row of an import as the refusal lists it.
QString wierszTekst(const db::Row& r) {
    const Money kwota =
        !r["DOZAPLATY"].isNull() ? r["DOZAPLATY"].toMoney() : r["ZAPLACONO"].toMoney();
    return QStringLiteral("%1 | %2 | %3 | %4 | zmieniony %5")
        .arg(r["DATA_TR"].toDate().qdate().toString(QStringLiteral("dd.MM.yyyy")),
             kwotaTekst(kwota), r["NAZWA"].toString().trimmed(), r["OPIS_TR"].toString(),
             czas(r["ZMIENIONO"]).toString(QStringLiteral("dd.MM.yyyy HH:mm")));
}

// Refuses when a row of the import was changed after it: such a row is the user's now.
void sprawdzZmiany(db::Transaction& tr, int importId, const QString& co) {
    db::Statement s(
        tr, QStringLiteral("SELECT T.WPISID, T.DATA_TR, T.DOZAPLATY, T.ZAPLACONO, T.OPIS_TR, "
                           "CAST(T.ZMIENIONO AS VARCHAR(24)) AS ZMIENIONO, K.NAZWA "
                           "FROM TRANS T JOIN KLIENT K ON K.KLIENTID = T.KLIENTID "
                           "WHERE T.IMPORTID = ? AND T.ZMIENIONO IS NOT NULL "
                           "ORDER BY T.DATA_TR, T.WPISID"));
    s.bindAll({importId});
    QStringList zmienione;
    db::Cursor c = s.open();
    while (c.next())
        zmienione << wierszTekst(c.row());
    c.close();
    if (!zmienione.isEmpty())
        throw Odmowa(QStringLiteral("Nie można cofnąć importu %1: %2 jego wierszy zmieniono po "
                                    "zaksięgowaniu (poprawiono, przeksięgowano lub scalono "
                                    "kontrahentów).\rNic nie zostało zmienione. Te wiersze:")
                         .arg(co)
                         .arg(zmienione.size()),
                     zmienione);
}

std::vector<int> wierszeImportu(db::Transaction& tr, int importId) {
    db::Statement s(tr, QStringLiteral("SELECT WPISID FROM TRANS WHERE IMPORTID = ?"));
    s.bindAll({importId});
    std::vector<int> out;
    db::Cursor c = s.open();
    while (c.next())
        out.push_back(c[0].toInt());
    c.close();
    return out;
}

// A link the user made by hand is his decision about those rows: the import is not taken back
// over it. Automatic links go with the rows.
void sprawdzReczne(db::Transaction& tr, rozrachunki::Dopasowanie& dop,
                   const std::vector<int>& wiersze, const QString& co) {
    QStringList reczne;
    for (const int id : wiersze) {
        if (!dop.MaReczne(id))
            continue;
        db::Statement s(tr, QStringLiteral("SELECT T.WPISID, T.DATA_TR, T.DOZAPLATY, T.ZAPLACONO, "
                                           "T.OPIS_TR, CAST(T.ZMIENIONO AS VARCHAR(24)) AS "
                                           "ZMIENIONO, K.NAZWA FROM TRANS T JOIN KLIENT K ON "
                                           "K.KLIENTID = T.KLIENTID WHERE T.WPISID = ?"));
        s.bindAll({id});
        db::Row r;
        if (s.fetchOne(r))
            reczne << wierszTekst(r).section(QStringLiteral(" | zmieniony"), 0, 0);
    }
    if (!reczne.isEmpty())
        throw Odmowa(QStringLiteral("Nie można cofnąć importu %1: %2 jego wierszy ma rozrachunki "
                                    "powiązane ręcznie.\rNic nie zostało zmienione. Najpierw "
                                    "odłącz te powiązania w zakładce Rozrachunki. Te wiersze:")
                         .arg(co)
                         .arg(reczne.size()),
                     reczne);
}

// Removes the import's rows; their number and sum. Their links go first, and what those links
// had allocated on the other side is matched again, as when a single row is deleted.
std::pair<int, Money> usunWiersze(db::Transaction& tr, int importId, const QString& co) {
    std::pair<int, Money> w{0, Money()};
    const std::vector<int> wiersze = wierszeImportu(tr, importId);
    rozrachunki::Dopasowanie dop(tr);
    sprawdzReczne(tr, dop, wiersze, co);
    const std::set<int> importu(wiersze.begin(), wiersze.end());
    std::set<int> zwolnione; // rows of other imports or none that these rows' links paid
    for (const int id : wiersze)
        for (const int drugi : dop.Zwolnij(id))
            if (!importu.count(drugi))
                zwolnione.insert(drugi);
    {
        db::Statement s(tr, QStringLiteral("SELECT COUNT(*), COALESCE(SUM(COALESCE(DOZAPLATY, 0) "
                                           "+ COALESCE(ZAPLACONO, 0)), 0) FROM TRANS "
                                           "WHERE IMPORTID = ?"));
        s.bindAll({importId});
        db::Row r;
        if (s.fetchOne(r)) {
            w.first = r[0].toInt();
            w.second = r[1].toMoney();
        }
    }
    db::Statement d(tr, QStringLiteral("DELETE FROM TRANS WHERE IMPORTID = ?"));
    d.bindAll({importId});
    d.execute();
    for (const int id : zwolnione)
        dop.Dopasuj(id);
    return w;
}

template <typename Praca> Wynik podBlokada(db::Attachment& att, Praca&& praca) {
    db::Transaction tr(att, db::Isolation::ReadCommittedNoRecVersion);
    ZajmijBlokade(tr);
    try {
        // The change log names every removed row as part of an undone import.
        dziennik::UstawRodzaj(tr, dziennik::CofniecieImportu);
        Wynik w = praca(tr);
        tr.commit();
        return w;
    } catch (const db::Error& e) {
        tr.rollbackQuietly();
        RzucBlad(e);
    } catch (...) {
        tr.rollbackQuietly();
        throw;
    }
}

} // namespace

Odmowa::Odmowa(const QString& komunikat, QStringList wiersze)
    : std::runtime_error(komunikat.toStdString()), komunikat_(komunikat),
      wiersze_(std::move(wiersze)) {}

QString Odmowa::pelny() const {
    constexpr int pokazane = 30;
    QString t = komunikat_;
    for (int i = 0; i < wiersze_.size() && i < pokazane; ++i)
        t += u'\r' + wiersze_[i];
    if (wiersze_.size() > pokazane)
        t += QStringLiteral("\r… i %1 więcej").arg(wiersze_.size() - pokazane);
    return t;
}

std::vector<Wpis> Historia(db::Attachment& att, Rodzaj rodzaj, int ile) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    const QString sql =
        rodzaj == Rodzaj::Wyciag
            ? QStringLiteral(
                  "SELECT FIRST %1 W.WPISID AS ID, CAST(W.ZAKSIEGOWANO AS VARCHAR(24)) AS CZAS, "
                  "W.NR_WYCIAGU, W.KONTO_WL, W.PLIK, W.OPERATOR, "
                  "(SELECT COUNT(*) FROM TRANS T WHERE T.IMPORTID = W.WPISID) AS ILE, "
                  "(SELECT SUM(T.ZAPLACONO) FROM TRANS T WHERE T.IMPORTID = W.WPISID) AS KWOTA "
                  "FROM WYCIAG W ORDER BY W.ZAKSIEGOWANO DESC NULLS LAST, W.WPISID DESC")
            : QStringLiteral(
                  "SELECT FIRST %1 I.IMPORTID AS ID, CAST(I.ZAKSIEGOWANO AS VARCHAR(24)) AS CZAS, "
                  "CAST(NULL AS VARCHAR(50)) AS NR_WYCIAGU, CAST(NULL AS VARCHAR(34)) AS KONTO_WL, "
                  "I.PLIK, I.OPERATOR, "
                  "(SELECT COUNT(*) FROM TRANS T WHERE T.IMPORTID = I.IMPORTID) AS ILE, "
                  "(SELECT SUM(T.DOZAPLATY) FROM TRANS T WHERE T.IMPORTID = I.IMPORTID) AS KWOTA "
                  "FROM IMPORT_FAKTUR I ORDER BY I.ZAKSIEGOWANO DESC, I.IMPORTID DESC");
    db::Statement s(tr, sql.arg(ile));
    std::vector<Wpis> out;
    db::Cursor c = s.open();
    while (c.next()) {
        Wpis w;
        w.id = c["ID"].toInt();
        w.zaksiegowano = czas(c["CZAS"]);
        w.nrWyciagu = c["NR_WYCIAGU"].toString();
        w.konto = c["KONTO_WL"].toString();
        w.plik = c["PLIK"].toString();
        w.operatorNazwa = c["OPERATOR"].toString();
        w.wierszy = c["ILE"].toInt();
        w.kwota = c["KWOTA"].toMoney();
        out.push_back(std::move(w));
    }
    c.close();
    tr.commit();
    return out;
}

Wynik CofnijWyciag(db::Attachment& att, int wpisId) {
    return podBlokada(att, [&](db::Transaction& tr) {
        db::Statement s(tr, QStringLiteral("SELECT NR_WYCIAGU, KONTO_WL, ZAKSIEGOWANO FROM WYCIAG "
                                           "WHERE WPISID = ?"));
        s.bindAll({wpisId});
        db::Row r;
        if (!s.fetchOne(r))
            throw Odmowa(QStringLiteral("Nie ma wyciągu zarejestrowanego pod numerem %1 "
                                        "(mógł zostać już cofnięty).")
                             .arg(wpisId));
        const QString co = QStringLiteral("wyciągu nr %1 (rachunek %2)")
                               .arg(r["NR_WYCIAGU"].toString(), r["KONTO_WL"].toString());
        if (r["ZAKSIEGOWANO"].isNull())
            throw Odmowa(QStringLiteral("Wyciągu zarejestrowanego pod numerem %1 nie można cofnąć: "
                                        "zaksięgowano go, zanim program zapamiętywał wiersze "
                                        "importu. Jego wpłaty usuń ręcznie.")
                             .arg(wpisId));
        sprawdzZmiany(tr, wpisId, co);
        const auto [ile, kwota] = usunWiersze(tr, wpisId, co);
        db::Statement d(tr, QStringLiteral("DELETE FROM WYCIAG WHERE WPISID = ?"));
        d.bindAll({wpisId});
        d.execute();
        Wynik w;
        w.usunieto = ile;
        w.kwota = kwota;
        w.opis << QStringLiteral("Cofnięto import %1: usunięto wpłat %2 na kwotę %3; wyciąg "
                                 "można wczytać ponownie.")
                      .arg(co)
                      .arg(ile)
                      .arg(kwotaTekst(kwota));
        return w;
    });
}

Wynik CofnijFaktury(db::Attachment& att, const std::vector<int>& importy) {
    return podBlokada(att, [&](db::Transaction& tr) {
        Wynik w;
        for (const int id : importy) {
            db::Statement s(tr,
                            QStringLiteral("SELECT PLIK FROM IMPORT_FAKTUR WHERE IMPORTID = ?"));
            s.bindAll({id});
            db::Row r;
            if (!s.fetchOne(r))
                throw Odmowa(QStringLiteral("Nie ma importu faktur o numerze %1 (mógł zostać już "
                                            "cofnięty).")
                                 .arg(id));
            const QString co =
                QStringLiteral("faktur nr %1 (plik %2)").arg(id).arg(r["PLIK"].toString());
            sprawdzZmiany(tr, id, co);
            const auto [ile, kwota] = usunWiersze(tr, id, co);
            db::Statement d(tr, QStringLiteral("DELETE FROM IMPORT_FAKTUR WHERE IMPORTID = ?"));
            d.bindAll({id});
            d.execute();
            w.usunieto += ile;
            w.kwota += kwota;
            w.opis << QStringLiteral("Cofnięto import %1: usunięto faktur %2 na kwotę %3; plik "
                                     "można zaksięgować ponownie.")
                          .arg(co)
                          .arg(ile)
                          .arg(kwotaTekst(kwota));
        }
        return w;
    });
}

std::vector<std::pair<int, QString>> ImportyPliku(db::Attachment& att, const QString& plik) {
    db::Transaction tr(att, db::Isolation::ReadCommitted);
    tr.start();
    std::vector<std::pair<int, QString>> wszystkie;
    {
        db::Statement s(tr, QStringLiteral("SELECT IMPORTID, PLIK FROM IMPORT_FAKTUR "
                                           "ORDER BY IMPORTID"));
        db::Cursor c = s.open();
        while (c.next())
            wszystkie.emplace_back(c[0].toInt(), c[1].toString());
        c.close();
    }
    tr.commit();
    const QString sciezka = QFileInfo(plik.trimmed()).absoluteFilePath().left(500);
    std::vector<std::pair<int, QString>> out;
    for (const auto& i : wszystkie)
        if (i.second == sciezka)
            out.push_back(i);
    if (!out.empty())
        return out;
    // Booked on another workstation, or from another folder: the file's own name.
    const QString nazwa = QFileInfo(plik.trimmed()).fileName();
    for (const auto& i : wszystkie) {
        const QString& p = i.second;
        if (!nazwa.isEmpty() &&
            p.mid(std::max(p.lastIndexOf(u'/'), p.lastIndexOf(u'\\')) + 1) == nazwa)
            out.push_back(i);
    }
    return out;
}

} // namespace cofniecie

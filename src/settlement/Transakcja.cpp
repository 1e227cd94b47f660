#include "Transakcja.h"

#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "Dopasowanie.h"
#include "Error.h"
#include "Statement.h"
#include "Transaction.h"
#include "fdm.h"

TRodzTrans RodzajTransakcji(const QString& zrodlo) {
    if (zrodlo == u"F")
        return TRodzTrans::rtFaktura;
    if (zrodlo == u"W")
        return TRodzTrans::rtPrzelew;
    return TRodzTrans::rtWpisUzyt;
}

PolaTransakcji PolaZWiersza(const db::Row& w) {
    PolaTransakcji p;
    p.rodzaj = RodzajTransakcji(w["ZRODLO"].toString());
    const db::Value& data = w["DATA_TR"];
    p.data = data.isNull() ? Date() : data.toDate();
    p.opis = w["OPIS_TR"].toString();
    const db::Value& nalez = w["DOZAPLATY"];
    const db::Value& zapl = w["ZAPLACONO"];
    if (w.columns() && w.columns()->indexOf(QStringLiteral("TERMIN")) >= 0)
        p.termin = w["TERMIN"].toDate();
    switch (p.rodzaj) {
    case TRodzTrans::rtFaktura:
        // An invoice, or a payment the invoice said was made when it was issued.
        p.naleznosc = zapl.isNull();
        p.edytowalne = false;
        p.kwota = p.naleznosc ? nalez.toMoney() : zapl.toMoney();
        break;
    case TRodzTrans::rtPrzelew:
        p.naleznosc = false;
        p.edytowalne = false;
        p.kwota = zapl.toMoney();
        break;
    case TRodzTrans::rtWpisUzyt:
        // A row holding both amounts shows its payment.
        p.naleznosc = !nalez.isNull() && zapl.isNull();
        p.edytowalne = true;
        p.kwota = !zapl.isNull() ? zapl.toMoney() : nalez.toMoney();
        break;
    }
    return p;
}

QString SprawdzTransakcje(const DaneTransakcji& d) {
    if (d.rodzaj == TRodzTrans::rtWpisUzyt) {
        if (d.data.isZero())
            return QStringLiteral("Data transakcji nie podana.");
        if (!d.bladKwoty.isEmpty())
            return d.bladKwoty;
        if (d.kwota.isZero())
            return QStringLiteral("Kwota transakcji nie podana.");
        if (!d.naleznosc && d.kwota.isNegative())
            return QStringLiteral("Wpłata nie może być ujemna. Zwrot pieniędzy kontrahentowi "
                                  "wpisz jako należność.");
    }
    if (d.opis.isEmpty())
        return QStringLiteral("Opis transakcji nie podany.");
    if (d.opis.size() > MaxDlugoscOpisuTrans)
        return QStringLiteral("Opis transakcji może mieć najwyżej %1 znaków.")
            .arg(MaxDlugoscOpisuTrans);
    if (d.rodzaj == TRodzTrans::rtWpisUzyt && d.naleznosc) {
        if (d.terminBledny)
            return QStringLiteral("Nieprawidłowy termin płatności.");
        if (!d.termin.isZero() && d.termin < d.data)
            return QStringLiteral("Termin płatności nie może być wcześniejszy niż data "
                                  "transakcji.");
    }
    return {};
}

QString ZapiszTransakcje(Tdm& dm, const DaneTransakcji& d) {
    if (QString uwaga = SprawdzTransakcje(d); !uwaga.isEmpty())
        return uwaga;
    const bool uzytkownika = d.rodzaj == TRodzTrans::rtWpisUzyt;
    // A row the user entered carries its amount in exactly one of the two columns.
    db::Value nalez, zapl, termin;
    if (uzytkownika)
        (d.naleznosc ? nalez : zapl) = db::Value(d.kwota);
    // None: the database gives an amount due the contractor's term from its date.
    if (uzytkownika && d.naleznosc && !d.termin.isZero())
        termin = db::Value(d.termin);
    int wpisId = d.wpisId;
    if (d.nowyWpis) {
        wpisId = dm.NextId();
        ZapiszWiersz(dm.conn,
                     QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                                    "DOZAPLATY, ZAPLACONO, OPIS_TR, TERMIN) "
                                    "VALUES (?, ?, 'U', ?, ?, ?, ?, ?)"),
                     {wpisId, d.klientId, d.data, nalez, zapl, d.opis, termin}, {},
                     [wpisId](rozrachunki::Dopasowanie& dop) { dop.Dopasuj(wpisId); });
    } else if (uzytkownika) {
        // Only the columns the dialog changes are written, for the row as it was read: a
        // row another workstation moved or deleted meanwhile is not written blindly. Its links
        // keep what the new amount still holds, on the same side; the rows they let go and
        // what is left of this one are matched again.
        const Money nowa = d.naleznosc ? d.kwota : -d.kwota;
        auto zwolnione = std::make_shared<std::vector<int>>();
        ZapiszWiersz(
            dm.conn,
            QStringLiteral("UPDATE TRANS SET OPIS_TR = ?, DATA_TR = ?, DOZAPLATY = ?, "
                           "ZAPLACONO = ?, TERMIN = ? WHERE WPISID = ? AND KLIENTID = ?"),
            {d.opis, d.data, nalez, zapl, termin, d.wpisId, d.klientId},
            [&d, nowa, zwolnione](rozrachunki::Dopasowanie& dop) {
                *zwolnione = dop.PrzedZmianaKwoty(d.wpisId, nowa);
            },
            [&d, zwolnione](rozrachunki::Dopasowanie& dop) {
                dop.Dopasuj(d.wpisId);
                for (int id : *zwolnione)
                    dop.Dopasuj(id);
            });
    } else {
        ZapiszWiersz(
            dm.conn,
            QStringLiteral("UPDATE TRANS SET OPIS_TR = ? WHERE WPISID = ? AND KLIENTID = ?"),
            {d.opis, d.wpisId, d.klientId});
    }
    // The list shows the row as saved and stands on it.
    dm.OtworzTransKL(d.klientId);
    dm.TransKL.locate(QStringLiteral("WPISID"), wpisId);
    return {};
}

void ZapiszWiersz(db::Attachment& conn, const QString& sql, const std::vector<db::Value>& params,
                  const std::function<void(rozrachunki::Dopasowanie&)>& przed,
                  const std::function<void(rozrachunki::Dopasowanie&)>& po) {
    db::Transaction tr(conn, db::Isolation::ReadCommittedNoRecVersion);
    // Amounts and links change in turn with the booking runs of every workstation, waiting
    // at most the limit (BlokadaZajeta).
    ZajmijBlokade(tr);
    rozrachunki::Dopasowanie dop(tr);
    if (przed)
        przed(dop);
    {
        db::Statement st(tr, sql);
        st.bindAll(params);
        if (st.execute() != 1)
            throw db::Error(QStringLiteral("Transakcja została w międzyczasie usunięta lub "
                                           "przeksięgowana na innym stanowisku."));
    }
    if (po)
        po(dop);
    tr.commit();
}

Date DataZTekstu(const QString& tekst) {
    const QDate d = QDate::fromString(tekst.trimmed(), QStringLiteral("dd-MM-yyyy"));
    return d.isValid() ? Date(d) : Date();
}

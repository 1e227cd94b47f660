#include "Transakcja.h"

#include "Attachment.h"
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
    switch (p.rodzaj) {
    case TRodzTrans::rtFaktura:
        p.naleznosc = true;
        p.edytowalne = false;
        p.kwota = nalez.toMoney();
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
    return {};
}

QString ZapiszTransakcje(Tdm& dm, const DaneTransakcji& d) {
    if (QString uwaga = SprawdzTransakcje(d); !uwaga.isEmpty())
        return uwaga;
    const bool uzytkownika = d.rodzaj == TRodzTrans::rtWpisUzyt;
    // A row the user entered carries its amount in exactly one of the two columns.
    db::Value nalez, zapl;
    if (uzytkownika)
        (d.naleznosc ? nalez : zapl) = db::Value(d.kwota);
    int wpisId = d.wpisId;
    if (d.nowyWpis) {
        wpisId = dm.NextId();
        ZapiszWiersz(
            dm.conn,
            QStringLiteral("INSERT INTO TRANS (WPISID, KLIENTID, ZRODLO, DATA_TR, "
                           "DOZAPLATY, ZAPLACONO, OPIS_TR) VALUES (?, ?, 'U', ?, ?, ?, ?)"),
            {wpisId, d.klientId, d.data, nalez, zapl, d.opis});
    } else {
        // Only the columns the dialog changes are written, for the row as it was read: a
        // row another workstation moved or deleted meanwhile is not written blindly.
        ZapiszWiersz(dm.conn,
                     uzytkownika ? QStringLiteral("UPDATE TRANS SET OPIS_TR = ?, DATA_TR = ?, "
                                                  "DOZAPLATY = ?, ZAPLACONO = ? "
                                                  "WHERE WPISID = ? AND KLIENTID = ?")
                                 : QStringLiteral("UPDATE TRANS SET OPIS_TR = ? "
                                                  "WHERE WPISID = ? AND KLIENTID = ?"),
                     uzytkownika
                         ? std::vector<db::Value>{d.opis, d.data, nalez, zapl, d.wpisId, d.klientId}
                         : std::vector<db::Value>{d.opis, d.wpisId, d.klientId});
    }
    // The list shows the row as saved and stands on it.
    dm.OtworzTransKL(d.klientId);
    dm.TransKL.locate(QStringLiteral("WPISID"), wpisId);
    return {};
}

void ZapiszWiersz(db::Attachment& conn, const QString& sql, const std::vector<db::Value>& params) {
    db::Transaction tr(conn, db::Isolation::ReadCommittedNoRecVersion);
    tr.start();
    db::Statement st(tr, sql);
    st.bindAll(params);
    if (st.execute() != 1)
        throw db::Error(QStringLiteral(
            "Transakcja została w międzyczasie usunięta lub przeksięgowana na innym stanowisku."));
    tr.commit();
}

Date DataZTekstu(const QString& tekst) {
    const QDate d = QDate::fromString(tekst.trimmed(), QStringLiteral("dd-MM-yyyy"));
    return d.isValid() ? Date(d) : Date();
}

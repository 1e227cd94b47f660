#include "Przeksiegowanie.h"

#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "Dopasowanie.h"
#include "Error.h"
#include "Statement.h"
#include "Transaction.h"

WynikPrzeksiegowania Przeksieguj(db::Attachment& conn, int wpisId, int nowyKlientId) {
    db::Transaction tr(conn, db::Isolation::ReadCommittedNoRecVersion);
    // Takes turns with booking runs (they link payments of both contractors) and imports being
    // undone, waiting at most the limit.
    ZajmijBlokade(tr);
    db::Row wiersz;
    {
        db::Statement st(tr, QStringLiteral("SELECT KLIENTID, ZRODLO FROM TRANS WHERE WPISID = ?"));
        st.bindAll({wpisId});
        if (!st.fetchOne(wiersz))
            throw PrzeksiegowanieOdmowa(
                QStringLiteral("Nie ma transakcji o identyfikatorze %1.").arg(wpisId));
    }
    WynikPrzeksiegowania w;
    w.staryKlientId = wiersz["KLIENTID"].toInt();
    w.nowyKlientId = nowyKlientId;
    if (wiersz["ZRODLO"].toString() != u"W")
        throw PrzeksiegowanieOdmowa(
            QStringLiteral("Przeksięgować można tylko wpłatę wczytaną z wyciągu bankowego."));
    if (w.staryKlientId == nowyKlientId)
        throw PrzeksiegowanieOdmowa(
            QStringLiteral("Transakcja jest już zaksięgowana na tego kontrahenta."));
    {
        db::Statement st(tr, QStringLiteral("SELECT 1 FROM KLIENT WHERE KLIENTID = ?"));
        st.bindAll({nowyKlientId});
        db::Row r;
        if (!st.fetchOne(r))
            throw PrzeksiegowanieOdmowa(
                QStringLiteral("Nie ma kontrahenta o identyfikatorze %1.").arg(nowyKlientId));
    }
    // The payment paid the old contractor's invoices: those links go, the invoices they paid
    // take other credit of theirs, and the payment pays the new contractor's invoices.
    rozrachunki::Dopasowanie dop(tr);
    const std::vector<int> zwolnione = dop.Zwolnij(wpisId);
    {
        // The row must still be where it was read: a move made meanwhile elsewhere wins.
        db::Statement move(tr, QStringLiteral("UPDATE TRANS SET KLIENTID = ? WHERE WPISID = ? "
                                              "AND KLIENTID = ? AND ZRODLO = 'W'"));
        move.bindAll({nowyKlientId, wpisId, w.staryKlientId});
        if (move.execute() != 1)
            throw PrzeksiegowanieOdmowa(
                QStringLiteral("Transakcja została w międzyczasie zmieniona na innym stanowisku."));
    }
    dop.Dopasuj(wpisId);
    for (int id : zwolnione)
        dop.Dopasuj(id);
    tr.commit();
    return w;
}

#include "Scalanie.h"

#include "Attachment.h"
#include "BlokadaKsiegowania.h"
#include "Dopasowanie.h"
#include "Dziennik.h"
#include "Error.h"
#include "Statement.h"

TScalanie::TScalanie(db::Attachment& conn) : tr_(conn, db::Isolation::ReadCommittedNoRecVersion) {}

void TScalanie::ExecuteSQL(const QString& sql) {
    db::Statement stmt(tr_, sql);
    stmt.execute();
}

bool TScalanie::LaczFirmyOK(int mainKlientId, int subKlientId) {
    blad_.clear();
    const QString m = QString::number(mainKlientId);
    const QString s = QString::number(subKlientId);
    try {
        if (tr_.active())
            tr_.commit();
        // Takes turns with booking runs, which link the same contractors' payments, waiting at
        // most the limit (BlokadaZajeta).
        ZajmijBlokade(tr_);
        // The change log names every moved row and the deleted contractor as one merge.
        dziennik::UstawRodzaj(tr_, dziennik::Scalenie);
        ExecuteSQL(QStringLiteral("UPDATE Konto SET KlientId = ") + m +
                   QStringLiteral(" WHERE KlientId = ") + s);
        ExecuteSQL(QStringLiteral("UPDATE Trans SET KlientId = ") + m +
                   QStringLiteral(" WHERE KlientId = ") + s);
        // Its interest notes (which say what was charged of the moved invoices) go with them.
        ExecuteSQL(QStringLiteral("UPDATE NOTA_ODSETKOWA SET KlientId = ") + m +
                   QStringLiteral(" WHERE KlientId = ") + s);
        ExecuteSQL(QStringLiteral("DELETE FROM Klient WHERE KlientId = ") + s);
        // One firm that was two: what one of them overpaid pays what the other owes.
        {
            rozrachunki::Dopasowanie dop(tr_);
            dop.Uzgodnij(mainKlientId);
        }
        tr_.commit();
        return true;
    } catch (const db::Error& e) {
        blad_ = e.message();
        if (tr_.active()) {
            try {
                tr_.rollback();
            } catch (const db::Error&) {
            }
        }
        return false;
    }
}

QString SprawdzScalenie(db::Attachment& conn, int mainKlientId, int subKlientId) {
    if (mainKlientId == subKlientId)
        return QStringLiteral("Nie można scalić kontrahenta z nim samym.");
    db::Transaction tr(conn, db::Isolation::ReadCommitted);
    tr.start();
    for (int id : {mainKlientId, subKlientId}) {
        db::Statement stmt(tr, QStringLiteral("SELECT KLIENTID FROM KLIENT WHERE KLIENTID = ") +
                                   QString::number(id));
        db::Row row;
        if (!stmt.fetchOne(row)) {
            tr.commit();
            return QStringLiteral("Nie ma kontrahenta o identyfikatorze %1.").arg(id);
        }
    }
    tr.commit();
    return {};
}

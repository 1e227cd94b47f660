#include "Operacje.h"

#include "Error.h"
#include "fdm.h"

#include <QStringList>

namespace operacje {

QString ZapiszOpis(Tdm& dm, bool nowyWpis, int aktWpisId, const QString& opis) {
    if (opis.isEmpty())
        return QStringLiteral("Opis transakcji musi być podany.");
    if (opis.size() > MaxDlugoscOpisu)
        return QStringLiteral("Opis transakcji może mieć najwyżej %1 znaków.").arg(MaxDlugoscOpisu);
    const bool unikalny = nowyWpis ? dm.NowyOpisTransOK(opis) : dm.EditOpisTransOK(opis, aktWpisId);
    if (!unikalny)
        return QStringLiteral("Opis transakcji nie może się powtarzać.");
    Dataset& op = dm.Operacja;
    int wpisId = aktWpisId;
    if (nowyWpis) {
        wpisId = dm.NextId();
        op.insertRow({{QStringLiteral("WPISID"), wpisId}, {QStringLiteral("OPIS"), opis}});
    } else {
        if (!op.locate(QStringLiteral("WPISID"), aktWpisId))
            throw db::Error(QStringLiteral("Opis transakcji został w międzyczasie usunięty."));
        op.modifyCurrent({{QStringLiteral("OPIS"), opis}});
    }
    op.commitRetaining();
    // Read again so the saved text takes its place in the dictionary's order.
    if (dm.OtworzOperacje())
        op.locate(QStringLiteral("WPISID"), wpisId);
    return {};
}

void UsunOpis(Tdm& dm) {
    dm.Operacja.deleteCurrent();
    dm.Operacja.commitRetaining();
}

bool WczytajOpisy(Tdm& dm, QStringList& opisy) {
    if (!dm.OtworzOperacje())
        return false;
    opisy.clear();
    for (int i = 0; i < dm.Operacja.recordCount(); ++i)
        opisy << dm.Operacja.row(i)[QStringLiteral("OPIS")].toString();
    // The texts are copied: the reading transaction need not stay open behind the dialog.
    ZakonczOdczyt(dm);
    return true;
}

void ZakonczOdczyt(Tdm& dm) {
    if (dm.trOperacja.active()) {
        try {
            dm.trOperacja.commit();
        } catch (const db::Error&) {
        }
    }
}

} // namespace operacje

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
    if (nowyWpis) {
        op.insertRow({{QStringLiteral("WPISID"), dm.NextId()}, {QStringLiteral("OPIS"), opis}});
    } else {
        if (!op.locate(QStringLiteral("WPISID"), aktWpisId))
            throw db::Error(QStringLiteral("Opis transakcji został w międzyczasie usunięty."));
        op.modifyCurrent({{QStringLiteral("OPIS"), opis}});
    }
    op.commitRetaining();
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

#include "Commands.h"

#include "Globals.h"
#include "Rozliczenia.h"
#include "fdm.h"

#include <QLocale>

namespace cli {

// The rows of "Zestawienie" (default), "Należności" or "Nadpłaty" as the settlement browser
// lists them, then their total.
int balances(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const bool debtors = args.flag(QStringLiteral("debtors"));
    const bool overpayments = args.flag(QStringLiteral("overpayments"));
    const db::ConnectionParams params = connectionFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("unexpected argument");
    if (debtors && overpayments)
        throw UsageError("--debtors and --overpayments exclude each other");
    const RodzajListy rodzaj = debtors        ? RodzajListy::Naleznosci
                               : overpayments ? RodzajListy::Nadplaty
                                              : RodzajListy::Zestawienie;

    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    Dataset& lista = rodzaj == RodzajListy::Naleznosci ? data.Dluznicy
                     : rodzaj == RodzajListy::Nadplaty ? data.Nadplaty
                                                       : data.Salda;
    // The list opens as the tab opens it; a failure is an error here, not an empty list.
    lista.open();
    const std::vector<WierszSalda> wiersze = WierszeListy(lista);
    const Money suma = SumaSald(lista);
    if (json) {
        // Written row by row: a register of a hundred thousand names needs no document tree.
        QString text = QStringLiteral("{\"rows\":[");
        text.reserve(static_cast<qsizetype>(wiersze.size()) * 64 + 64);
        for (size_t i = 0; i < wiersze.size(); ++i) {
            if (i > 0)
                text += u',';
            text += QStringLiteral("{\"name\":") + jsonString(wiersze[i].nazwa) +
                    QStringLiteral(",\"amount\":\"") + wiersze[i].kwota.toFixed2() +
                    QStringLiteral("\"}");
        }
        text += QStringLiteral("],\"total\":\"") + suma.toFixed2() + QStringLiteral("\"}");
        out(text);
    } else {
        for (const WierszSalda& w : wiersze)
            out(w.nazwa + u'\t' + w.kwota.format(QLocale()));
        out(rodzaj == RodzajListy::Zestawienie
                ? LiniaZestawienia(suma).trimmed()
                : QStringLiteral("Razem\t") + suma.format(QLocale()));
    }
    data.closeConnection();
    dm = nullptr;
    return ExitOk;
}

} // namespace cli

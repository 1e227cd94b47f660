#include "Commands.h"

#include "Rozliczenia.h"
#include "Globals.h"
#include "fdm.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace cli {

// The rows of "Zestawienie" (default), "Należności" or "Nadpłaty" as the settlement browser
// lists them, then their total.
int balances(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const bool debtors = args.flag(QStringLiteral("debtors"));
    const bool overpayments = args.flag(QStringLiteral("overpayments"));
    const QString database = databaseFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("unexpected argument");
    if (debtors && overpayments)
        throw UsageError("--debtors and --overpayments exclude each other");
    const RodzajListy rodzaj = debtors        ? RodzajListy::Naleznosci
                               : overpayments ? RodzajListy::Nadplaty
                                              : RodzajListy::Zestawienie;

    Tdm data;
    dm = &data;
    data.connect(database);
    Dataset& lista = rodzaj == RodzajListy::Naleznosci ? data.Dluznicy
                     : rodzaj == RodzajListy::Nadplaty ? data.Nadplaty
                                                       : data.Salda;
    // The list opens as the tab opens it; a failure is an error here, not an empty list.
    lista.open();
    const std::vector<WierszSalda> wiersze = WierszeListy(lista);
    const Money suma = SumaSald(lista);
    if (json) {
        QJsonArray rows;
        for (const WierszSalda& w : wiersze)
            rows.append(QJsonObject{{QStringLiteral("name"), w.nazwa},
                                    {QStringLiteral("amount"), w.kwota.toFixed2()}});
        out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("rows"), rows},
                                                        {QStringLiteral("total"), suma.toFixed2()}})
                                  .toJson(QJsonDocument::Indented)
                                  .trimmed()));
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

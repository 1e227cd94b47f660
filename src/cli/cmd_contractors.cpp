#include "Commands.h"

#include "Attachment.h"
#include "Globals.h"
#include "Scalanie.h"
#include "Wykaz.h"
#include "fdm.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace cli {
namespace {

QJsonValue tekst(const QString& s) {
    return s.isEmpty() ? QJsonValue(QJsonValue::Null) : QJsonValue(s);
}

QJsonObject doJson(const recKontrahent& k) {
    QJsonArray konta;
    for (const recKontoKlienta& r : k.konta)
        konta.append(QJsonObject{{QStringLiteral("country"), tekst(r.krKonto)},
                                 {QStringLiteral("number"), r.nrKonto},
                                 {QStringLiteral("skip"), r.pomijaj}});
    return QJsonObject{{QStringLiteral("id"), k.klientId},
                       {QStringLiteral("vatCountry"), tekst(k.krNip)},
                       {QStringLiteral("vatNumber"), tekst(k.nrNip)},
                       {QStringLiteral("name"), k.nazwa},
                       {QStringLiteral("address"), tekst(k.adres)},
                       {QStringLiteral("phone"), tekst(k.telefon)},
                       {QStringLiteral("email"), tekst(k.email)},
                       {QStringLiteral("accounts"), konta},
                       {QStringLiteral("balance"), k.saldo.toFixed2()}};
}

int identyfikator(const QString& s) {
    bool ok = false;
    const int id = s.toInt(&ok);
    if (!ok || id <= 0)
        throw Refused(QStringLiteral("Nieprawidłowy identyfikator kontrahenta: ") + s);
    return id;
}

} // namespace

// The contractor register as the window lists it: contractors in name order, each with its
// VAT identifier, contacts, accounts (with the skip mark) and balance.
int contractors(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const db::ConnectionParams params = connectionFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("contractors takes no positional arguments");
    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    const std::vector<recKontrahent> wykaz = WykazKontrahentow(data.conn);
    data.closeConnection();
    dm = nullptr;

    if (json) {
        QJsonArray rows;
        for (const recKontrahent& k : wykaz)
            rows.append(doJson(k));
        out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("contractors"), rows}})
                                  .toJson(QJsonDocument::Indented))
                .trimmed());
        return ExitOk;
    }
    const QLocale locale;
    for (const recKontrahent& k : wykaz) {
        const QString vat = (k.krNip + u' ' + k.nrNip).trimmed();
        out(QStringLiteral("%1\t%2\t%3").arg(k.klientId).arg(vat, k.nazwa));
        if (!k.adres.isEmpty())
            out(QStringLiteral("\tAdres: ") + k.adres);
        if (!k.telefon.isEmpty())
            out(QStringLiteral("\tTelefon: ") + k.telefon);
        if (!k.email.isEmpty())
            out(QStringLiteral("\tE-mail: ") + k.email);
        for (const recKontoKlienta& r : k.konta)
            out(QStringLiteral("\tRachunek: ") + (r.krKonto + u' ' + r.nrKonto).trimmed() +
                (r.pomijaj ? QStringLiteral(" (wpłaty pomijane)") : QString()));
        out(QStringLiteral("\t") +
            (k.saldo >= Money() ? QStringLiteral("Do zapłaty: ") + k.saldo.format(locale)
                                : QStringLiteral("Nadpłata: ") + (-k.saldo).format(locale)));
    }
    return ExitOk;
}

// Merges contractor OTHER into KEEP as the merge dialog does, without its questions.
int merge(Args args) {
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (pos.size() != 2)
        throw UsageError("expected KEEP and OTHER");
    const int keep = identyfikator(pos[0]);
    const int other = identyfikator(pos[1]);
    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    const QString odmowa = SprawdzScalenie(data.conn, keep, other);
    if (!odmowa.isEmpty()) {
        data.closeConnection();
        dm = nullptr;
        throw Refused(odmowa);
    }
    TScalanie scalanie(data.conn);
    const bool ok = scalanie.LaczFirmyOK(keep, other);
    const QString blad = scalanie.blad();
    data.closeConnection();
    dm = nullptr;
    if (!ok)
        throw std::runtime_error(
            (QStringLiteral("Operacja się nie powiodła.\n") + blad).toStdString());
    out(QStringLiteral("Dane zostały przeniesione: kontrahent %1 dołączony do %2.")
            .arg(other)
            .arg(keep));
    return ExitOk;
}

} // namespace cli

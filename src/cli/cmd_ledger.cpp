#include "Commands.h"

#include "Globals.h"
#include "Rozliczenia.h"
#include "fdm.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLocale>

namespace cli {

namespace {
QJsonValue kwota(const db::Value& v) {
    return v.isNull() ? QJsonValue() : QJsonValue(v.toMoney().toFixed2());
}
QJsonValue tekst(const db::Value& v) {
    return v.isNull() ? QJsonValue() : QJsonValue(v.toString());
}
QString kwotaTekstem(const db::Value& v) {
    return v.isNull() ? QString() : v.toMoney().format(QLocale());
}
} // namespace

// One contractor's transactions as the settlement browser lists them (newest first) and the
// amount of its balance line.
int ledger(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one contractor identifier");
    const int klientId = klientIdZ(pos[0]);

    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    const QString nazwa = nazwaKlientaZ(data, klientId);
    data.TransKL.setParam(QStringLiteral("KlientId"), klientId);
    data.TransKL.open();
    const Money saldo = data.SaldoKlienta(klientId);

    const Dataset& t = data.TransKL;
    if (json) {
        QJsonArray rows;
        for (int i = 0; i < t.recordCount(); ++i) {
            const db::Row& r = t.row(i);
            rows.append(QJsonObject{
                {QStringLiteral("id"), r["WPISID"].toInt()},
                {QStringLiteral("date"), r["DATA_TR"].toDate().toIso()},
                {QStringLiteral("due"), kwota(r["DOZAPLATY"])},
                {QStringLiteral("paid"), kwota(r["ZAPLACONO"])},
                {QStringLiteral("description"), tekst(r["OPIS_TR"])},
                {QStringLiteral("source"), r["ZRODLO"].toString()},
                {QStringLiteral("statement"), tekst(r["NR_WYCIAGU"])},
            });
        }
        out(QString::fromUtf8(
            QJsonDocument(QJsonObject{{QStringLiteral("transactions"), rows},
                                      {QStringLiteral("balance"), saldo.toFixed2()}})
                .toJson(QJsonDocument::Indented)
                .trimmed()));
    } else {
        out(nazwa);
        for (int i = 0; i < t.recordCount(); ++i) {
            const db::Row& r = t.row(i);
            out(QStringList{QString::number(r["WPISID"].toInt()), r["DATA_TR"].toDate().toIso(),
                            r["ZRODLO"].toString(), kwotaTekstem(r["DOZAPLATY"]),
                            kwotaTekstem(r["ZAPLACONO"]), r["OPIS_TR"].toString()}
                    .join(u'\t'));
        }
        out(LiniaSalda(saldo).trimmed());
    }
    data.closeConnection();
    dm = nullptr;
    return ExitOk;
}

} // namespace cli

#include "Commands.h"

#include "Dziennik.h"
#include "Transaction.h"

#include <QDate>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {
QJsonValue kwota(const std::optional<Money>& m) {
    return m ? QJsonValue(m->toFixed2()) : QJsonValue();
}

QJsonObject strona(const dziennik::StronaZmiany& s) {
    return QJsonObject{
        {QStringLiteral("contractorId"), s.klientId ? QJsonValue(*s.klientId) : QJsonValue()},
        {QStringLiteral("contractor"), s.klient},
        {QStringLiteral("date"), s.data ? QJsonValue(s.data->toIso()) : QJsonValue()},
        {QStringLiteral("due"), kwota(s.doZaplaty)},
        {QStringLiteral("paid"), kwota(s.zaplacono)},
        {QStringLiteral("description"), s.opis},
    };
}

QString kiedy(const dziennik::WpisDziennika& w) {
    return w.dzien.toIso() + u' ' + w.czas.toString(QStringLiteral("HH:mm:ss"));
}
} // namespace

// The change log from a day on (all of it without --from), oldest first: who deleted,
// corrected, re-booked or merged what and when, with the values before and after.
int log(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const QString from = args.option(QStringLiteral("from"));
    const db::ConnectionParams params = connectionFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("log takes no positional arguments");
    std::optional<Date> od;
    if (!from.isEmpty()) {
        const QDate d = QDate::fromString(from.trimmed(), Qt::ISODate);
        if (!d.isValid())
            throw Refused(QStringLiteral("Data musi mieć postać RRRR-MM-DD: ") + from);
        od = Date(d);
    }
    db::Attachment att(params);
    requireCurrentSchema(att);
    const std::vector<dziennik::WpisDziennika> wpisy = dziennik::CzytajDziennik(att, od);
    if (json) {
        QJsonArray rows;
        for (const dziennik::WpisDziennika& w : wpisy) {
            QJsonObject o{
                {QStringLiteral("id"), w.id},
                {QStringLiteral("when"),
                 w.dzien.toIso() + u'T' + w.czas.toString(QStringLiteral("HH:mm:ss"))},
                {QStringLiteral("operator"), w.operatorNazwa},
                {QStringLiteral("kind"), w.rodzaj},
                {QStringLiteral("object"), w.obiekt},
                {QStringLiteral("objectId"), w.obiektId},
                {QStringLiteral("source"), w.zrodlo.isEmpty() ? QJsonValue() : w.zrodlo},
                {QStringLiteral("before"), strona(w.przed)},
                {QStringLiteral("after"), w.po ? QJsonValue(strona(*w.po)) : QJsonValue()},
            };
            rows.append(o);
        }
        out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("entries"), rows}})
                                  .toJson(QJsonDocument::Indented)
                                  .trimmed()));
    } else {
        for (const dziennik::WpisDziennika& w : wpisy)
            out(QStringList{kiedy(w), w.operatorNazwa, w.rodzaj, dziennik::OpisObiektu(w),
                            dziennik::OpisKontrahenta(w), dziennik::OpisZmiany(w)}
                    .join(u'\t'));
        if (wpisy.empty())
            err(QStringLiteral("Dziennik zmian nie zawiera wpisów") +
                (od ? QStringLiteral(" od dnia ") + od->toIso() : QString()) + u'.');
    }
    return ExitOk;
}

} // namespace cli

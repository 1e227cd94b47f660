#include "Commands.h"

#include "FaktTbl.h"
#include "JpkReader.h"
#include "recFaktura.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace cli {

namespace {

QJsonObject toJson(const recFaktura& f) {
    return QJsonObject{
        {QStringLiteral("number"), f.NrFakt},
        {QStringLiteral("date"), f.DataWyst.toIso()},
        {QStringLiteral("buyer"), f.NazwaOdb},
        {QStringLiteral("address"), f.AdresOdb},
        {QStringLiteral("countryCode"), f.KrNip},
        {QStringLiteral("nip"), f.NipOdb},
        {QStringLiteral("amount"), f.Kwota.toFixed2()},
    };
}

QString toLine(const recFaktura& f) {
    const FaktTbl::Wiersz w = FaktTbl::wiersz(f);
    return QStringList{w.Numer, f.StrData(), w.NIP, w.Nazwa, w.Adres, f.StrKwota()}.join(u'\t');
}

} // namespace

// Lists a JPK_FA file as the invoice-import window does. Rows read before an invoice that
// cannot be read are printed before the error.
int invoices(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one file name");
    const JpkDocument doc = [&] {
        try {
            JpkDocument d = JpkDocument::open(pos[0]);
            if (const QString odmowa = JpkOdmowa(d.KodFormularza()); !odmowa.isEmpty())
                throw JpkRefused(odmowa);
            return d;
        } catch (const JpkRefused& e) {
            throw Refused(e.message());
        }
    }();
    QJsonArray rows;
    auto flushJson = [&] {
        if (json)
            out(QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Indented)).trimmed());
    };
    if (!json)
        out(QStringLiteral("Numer\tData\tNIP\tNazwa\tAdres\tKwota"));
    try {
        CzytajFaktury(doc, [&](const recFaktura& f) {
            if (json)
                rows.append(toJson(f));
            else
                out(toLine(f));
        });
    } catch (...) {
        flushJson();
        throw;
    }
    flushJson();
    return ExitOk;
}

} // namespace cli

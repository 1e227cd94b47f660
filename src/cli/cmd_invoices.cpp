#include "Commands.h"

#include "FaktTbl.h"
#include "JpkReader.h"
#include "ZrodloFaktur.h"
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
        {QStringLiteral("currency"), f.Waluta},
        {QStringLiteral("kind"), f.Rodzaj},
        {QStringLiteral("file"), f.Plik},
    };
}

QString toLine(const recFaktura& f) {
    const FaktTbl::Wiersz w = FaktTbl::wiersz(f);
    return QStringList{w.Numer, f.StrData(), w.NIP, w.Nazwa, w.Adres, f.StrKwota()}.join(u'\t');
}

} // namespace

// Lists a JPK_FA file, a KSeF invoice, a folder or a ZIP of them as the invoice-import window
// does. A file that cannot be read refuses the whole listing; files of a folder or ZIP that
// are no invoice files are named on standard error.
int invoices(Args args) {
    const bool json = args.flag(QStringLiteral("json"));
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one file name");
    ListaFaktur lista;
    try {
        lista = CzytajListeFaktur(pos[0]);
    } catch (const JpkRefused& e) {
        throw Refused(e.message());
    }
    for (const QString& line : lista.pominietePliki)
        err(line);
    if (json) {
        QJsonArray rows;
        for (const recFaktura& f : lista.faktury)
            rows.append(toJson(f));
        out(QString::fromUtf8(QJsonDocument(rows).toJson(QJsonDocument::Indented)).trimmed());
        return ExitOk;
    }
    out(QStringLiteral("Numer\tData\tNIP\tNazwa\tAdres\tKwota"));
    for (const recFaktura& f : lista.faktury)
        out(toLine(f));
    return ExitOk;
}

} // namespace cli

#include "Commands.h"

#include "EksportCsv.h"
#include "Globals.h"
#include "Transaction.h"
#include "Wiekowanie.h"
#include "fdm.h"

#include <QDir>
#include <QLocale>

namespace cli {

namespace {

rozrachunki::Wiekowanie czytaj(const db::ConnectionParams& params, const QDate& naDzien) {
    Tdm data;
    dm = &data;
    data.connect(params);
    requireCurrentSchema(data.conn);
    rozrachunki::Wiekowanie w;
    {
        db::Transaction tr(data.conn, db::Isolation::ReadCommitted);
        tr.start();
        w = rozrachunki::CzytajWiekowanie(tr, Date(naDzien));
        tr.commit();
    }
    data.closeConnection();
    dm = nullptr;
    return w;
}

QString kwotyJson(const rozrachunki::WierszWiekowania& w) {
    QString t;
    for (int i = 0; i < rozrachunki::LiczbaPrzedzialow; ++i)
        t += u',' + jsonString(rozrachunki::KluczPrzedzialu(i)) + QStringLiteral(":\"") +
             w.kwoty[static_cast<size_t>(i)].toFixed2() + u'"';
    return t + QStringLiteral(",\"total\":\"") + w.razem().toFixed2() + u'"';
}

QString wierszTekstem(const QString& nazwa, const rozrachunki::WierszWiekowania& w) {
    QStringList pola{nazwa};
    for (const Money& m : w.kwoty)
        pola << m.format(QLocale());
    pola << w.razem().format(QLocale());
    return pola.join(u'\t');
}

} // namespace

int zapiszWiekowanieCsv(const db::ConnectionParams& baza, const QDate& naDzien,
                        const QString& plik) {
    const rozrachunki::Wiekowanie w = czytaj(baza, naDzien);
    const QString blad = wydruk::zapiszCsv(wydruk::csvWiekowania(w), plik);
    if (!blad.isEmpty())
        throw std::runtime_error(blad.toStdString());
    out(QStringLiteral("Zapisano plik %1 (kontrahentów: %2).")
            .arg(QDir::toNativeSeparators(plik))
            .arg(w.wiersze.size()));
    return ExitOk;
}

// What each contractor owes as of a day, by how long past due: to standard output, as JSON,
// or to a CSV or PDF file like the printout.
int ageing(Args args) {
    const QStringList argumenty = args.remaining();
    const bool json = args.flag(QStringLiteral("json"));
    const QString pdf = args.option(QStringLiteral("pdf"));
    const QString csv = args.option(QStringLiteral("csv"));
    const QString naDzienTekst = args.option(QStringLiteral("as-of"));
    const db::ConnectionParams params = connectionFromArgs(args);
    if (!args.positional().isEmpty())
        throw UsageError("unexpected argument");
    if (!pdf.isEmpty() && !csv.isEmpty())
        throw UsageError("--csv and --pdf exclude each other");
    if (json && (!pdf.isEmpty() || !csv.isEmpty()))
        throw UsageError("--json writes to standard output, not to a file");
    const QDate naDzien = naDzienTekst.isEmpty() ? QDate::currentDate()
                                                 : dataZ(naDzienTekst, QStringLiteral("--as-of"));
    if (!pdf.isEmpty())
        return drukujPrzezBrevantPrint(QStringList{QStringLiteral("ageing")} + argumenty);
    if (!csv.isEmpty())
        return zapiszWiekowanieCsv(params, naDzien, csv);

    const rozrachunki::Wiekowanie w = czytaj(params, naDzien);
    if (json) {
        QString t = QStringLiteral("{\"asOf\":\"") + naDzien.toString(Qt::ISODate) +
                    QStringLiteral("\",\"contractors\":[");
        t.reserve(static_cast<qsizetype>(w.wiersze.size()) * 160 + 256);
        for (size_t i = 0; i < w.wiersze.size(); ++i) {
            const auto& r = w.wiersze[i];
            if (i > 0)
                t += u',';
            t += QStringLiteral("{\"id\":%1,\"name\":").arg(r.klientId) + jsonString(r.nazwa) +
                 kwotyJson(r) + u'}';
        }
        t += QStringLiteral("],\"total\":{") + kwotyJson(w.suma).mid(1) + QStringLiteral("}}");
        out(t);
        return ExitOk;
    }
    QStringList naglowek{QStringLiteral("Kontrahent")};
    for (int i = 0; i < rozrachunki::LiczbaPrzedzialow; ++i)
        naglowek << rozrachunki::NazwaPrzedzialu(i);
    naglowek << QStringLiteral("Razem");
    out(QStringLiteral("Wiekowanie należności na dzień ") +
        naDzien.toString(QStringLiteral("dd-MM-yyyy")));
    out(naglowek.join(u'\t'));
    for (const auto& r : w.wiersze)
        out(wierszTekstem(r.nazwa, r));
    out(wierszTekstem(QStringLiteral("Razem"), w.suma));
    return ExitOk;
}

} // namespace cli

#include "Commands.h"

#include "CzytajWydruki.h"
#include "EksportCsv.h"
#include "Globals.h"
#include "fdm.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>

namespace cli {

ZlecenieDruku czytajZlecenieDruku(Args& args) {
    ZlecenieDruku z;
    z.pdf = args.option(QStringLiteral("pdf"));
    z.csv = args.option(QStringLiteral("csv"));
    z.baza = connectionFromArgs(args);
    const QString naDzien = args.option(QStringLiteral("as-of"));
    const QStringList pos = args.positional();
    if (pos.isEmpty())
        throw UsageError("expected receipt, debtors, overpayments or ageing");
    if (z.pdf.isEmpty() == z.csv.isEmpty())
        throw UsageError("expected either --pdf OUT or --csv OUT");
    if (pos[0] == QStringLiteral("receipt")) {
        bool ok = false;
        z.co = ZlecenieDruku::Co::Dowod;
        z.wpisId = pos.size() == 2 ? pos[1].toInt(&ok) : 0;
        if (!ok || z.wpisId <= 0)
            throw UsageError("expected the receipt's WPISID");
        if (!z.csv.isEmpty())
            throw UsageError("a receipt is printed to PDF only");
        return z;
    }
    if (pos.size() != 1)
        throw UsageError("unexpected argument: " + pos.last().toStdString());
    if (!naDzien.isEmpty() && pos[0] != QStringLiteral("ageing"))
        throw UsageError("--as-of is for the ageing only");
    if (pos[0] == QStringLiteral("ageing")) {
        z.co = ZlecenieDruku::Co::Wiekowanie;
        z.naDzien =
            naDzien.isEmpty() ? QDate::currentDate() : dataZ(naDzien, QStringLiteral("--as-of"));
    } else if (pos[0] == QStringLiteral("debtors"))
        z.co = ZlecenieDruku::Co::Dluznicy;
    else if (pos[0] == QStringLiteral("overpayments"))
        z.co = ZlecenieDruku::Co::Nadplaty;
    else
        throw UsageError("unknown printout: " + pos[0].toStdString());
    return z;
}

// PDF needs the graphics libraries, which brevant-cli does not link (a headless import
// server installs none): the printing program beside it does that part.
int drukujPrzezBrevantPrint(const QStringList& argumenty) {
    const QString nazwa = QStringLiteral("brevant-print");
    QString program =
        QStandardPaths::findExecutable(nazwa, {QCoreApplication::applicationDirPath()});
    if (program.isEmpty())
        program = QStandardPaths::findExecutable(nazwa);
    if (program.isEmpty())
        throw std::runtime_error("Wydruk do PDF wykonuje program brevant-print, którego nie "
                                 "znaleziono obok brevant-cli.");
    QProcess p;
    p.setProcessChannelMode(QProcess::ForwardedChannels);
    p.start(program, argumenty);
    if (!p.waitForFinished(-1) || p.exitStatus() != QProcess::NormalExit)
        throw std::runtime_error("Program brevant-print nie zakończył pracy: " +
                                 p.errorString().toStdString());
    return p.exitCode();
}

int print(Args args) {
    const QStringList argumenty = args.remaining();
    const ZlecenieDruku z = czytajZlecenieDruku(args);
    if (!z.pdf.isEmpty())
        return drukujPrzezBrevantPrint(argumenty);

    if (z.co == ZlecenieDruku::Co::Wiekowanie)
        return zapiszWiekowanieCsv(z.baza, z.naDzien, z.csv);
    Tdm data;
    dm = &data;
    data.connect(z.baza);
    requireCurrentSchema(data.conn);
    const wydruk::DaneListy lista = wydruk::czytajListe(data, z.co == ZlecenieDruku::Co::Dluznicy
                                                                  ? wydruk::RodzajListy::Dluznicy
                                                                  : wydruk::RodzajListy::Nadplaty);
    data.closeConnection();
    dm = nullptr;
    const QString blad = wydruk::zapiszCsv(lista, z.csv);
    if (!blad.isEmpty())
        throw std::runtime_error(blad.toStdString());
    out(QStringLiteral("Zapisano plik %1 (wierszy: %2).")
            .arg(QDir::toNativeSeparators(z.csv))
            .arg(lista.wiersze.size()));
    return ExitOk;
}

} // namespace cli

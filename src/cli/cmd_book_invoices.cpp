#include "Commands.h"

#include "Attachment.h"
#include "JpkReader.h"
#include "KsiegowanieFaktur.h"
#include "Zakonczenie.h"
#include "ZrodloFaktur.h"
#include "fks.h"
#include "recFaktura.h"

#include <QFileInfo>

namespace cli {

// Books a JPK_FA file, a KSeF invoice, a folder or a ZIP of them without questions: --unknown
// says what happens to a buyer whose tax number no contractor has. Prints the report lines;
// an error books nothing. A run stopped by "--unknown abort" keeps what it booked before the
// stop and exits 2, naming where it stopped and what it did not book.
int book_invoices(Args args) {
    const QString unknown = args.option(QStringLiteral("unknown"));
    const db::ConnectionParams params = connectionFromArgs(args);
    const QStringList pos = args.positional();
    if (pos.size() != 1)
        throw UsageError("expected one file name");
    using W = DecyzjaBrakKontrahenta::Wybor;
    W wybor;
    if (unknown == u"add")
        wybor = W::DopiszNowego;
    else if (unknown == u"skip")
        wybor = W::Pomin;
    else if (unknown == u"abort")
        wybor = W::Przerwij;
    else
        throw UsageError("--unknown must be add, skip or abort");

    ListaFaktur lista;
    try {
        lista = CzytajListeFaktur(pos[0]);
    } catch (const JpkRefused& e) {
        throw Refused(e.message());
    }

    db::Attachment att(params);
    requireCurrentSchema(att);
    zakonczenie::setCancel([&att] { att.cancelOperation(); });
    struct ClearCancel {
        ~ClearCancel() { zakonczenie::setCancel({}); }
    } clearCancel;
    Tks ks(att);
    KsiegowanieFaktur run(ks, [wybor](const recFaktura& f) {
        DecyzjaBrakKontrahenta d;
        d.wybor = wybor;
        // A new contractor from the invoice's own data, as the dialog would fill it.
        d.Nazwa = f.NazwaOdb;
        d.Adres = f.AdresOdb;
        d.KrNip = f.KrNip.trimmed().toUpper().left(2);
        return d;
    });
    const WynikKsiegowania wynik =
        run.run(lista.faktury, QFileInfo(pos[0].trimmed()).absoluteFilePath());
    for (const QString& line : lista.pominietePliki + wynik.raport + wynik.podsumowanie())
        out(line);
    if (wynik.importId != 0)
        out(QStringLiteral("Numer importu: %1 (cofnięcie: brevant-cli unbook-invoices PLIK).")
                .arg(wynik.importId));
    if (wynik.przerwano) {
        err(QStringLiteral("Przerwano księgowanie faktur na fakturze ") + wynik.przerwanoNa +
            QStringLiteral(" (--unknown abort); nie zaksięgowano %1 faktur, zaksięgowano %2.")
                .arg(wynik.niezaksiegowane.size())
                .arg(wynik.zaksiegowane));
        return ExitRefused;
    }
    out(QStringLiteral("Zakończono księgowanie faktur."));
    return ExitOk;
}

} // namespace cli

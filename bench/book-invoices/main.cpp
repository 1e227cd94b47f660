// Reads and books a generated JPK_FA file of 100,000 invoices from 20,000 known buyers and
// prints the times beside a plain insert of the same rows, and the peak memory.
#include "Attachment.h"
#include "BenchSupport.h"
#include "DatabaseCreator.h"
#include "JpkGenerator.h"
#include "JpkReader.h"
#include "KsiegowanieFaktur.h"
#include "fks.h"
#include "recFaktura.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>


#include <cstdio>
#include <stdexcept>
#include <vector>

namespace {

void print(const char* what, qint64 ms) {
    std::printf("%-34s %8lld ms\n", what, ms);
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int invoices = argc > 1 ? std::atoi(argv[1]) : 100000;
    const int buyers = argc > 2 ? std::atoi(argv[2]) : 20000;
    QTemporaryDir dir;
    const QString file = dir.filePath(QStringLiteral("jpk.xml"));
    WriteJpkFile(file, invoices, buyers);
    const qint64 fileKb = QFileInfo(file).size() / 1024;
    std::printf("file: %d invoices, %d buyers, %lld KB\n", invoices, buyers, fileKb);
    const long baseKb = peakKb();

    QElapsedTimer t;
    t.start();
    std::vector<recFaktura> rows;
    {
        // As in the window: the document is let go once its invoices are listed.
        const JpkDocument doc = JpkDocument::open(file);
        print("open (well-formedness pass)", t.elapsed());
        CzytajFaktury(doc, [&](const recFaktura& f) { rows.push_back(f); });
    }
    print("read and list", t.elapsed());
    const long listedKb = peakKb();
    std::printf("listed %zu invoices\n", rows.size());

    const qint64 plainMs = plainInsertMs(dir.filePath(QStringLiteral("plain.fdb")), buyers, rows);
    print("plain insert", plainMs);

    db::Attachment bookDb;
    prepareDatabase(bookDb, dir.filePath(QStringLiteral("book.fdb")), buyers);
    Tks ks(bookDb);
    int asked = 0;
    KsiegowanieFaktur run(ks, [&](const recFaktura&) {
        ++asked;
        return DecyzjaBrakKontrahenta{};
    });
    t.restart();
    const WynikKsiegowania wynik = run.run(rows);
    const qint64 bookMs = t.elapsed();
    print("book", bookMs);
    std::printf("booked: %lld report lines, %d questions; book / plain insert = %.2f\n",
                static_cast<long long>(wynik.raport.size()), asked,
                double(bookMs) / double(plainMs ? plainMs : 1));

    // Booking again finds every invoice booked: the duplicate test alone.
    t.restart();
    run.run(rows);
    print("book again (all booked before)", t.elapsed());
    bookDb.close();

    const long peak = peakKb();
    std::printf("peak memory %ld KB (%.2f x file; %ld KB before reading, %ld KB after listing)\n",
                peak, double(peak) / double(fileKb), baseKb, listedKb);
    return 0;
}

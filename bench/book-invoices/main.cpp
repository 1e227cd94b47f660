// Reads and books a generated JPK_FA file of 100,000 invoices from 20,000 known buyers and
// prints the times beside a plain insert of the same rows, and the peak memory.
#include "JpkGenerator.h"
#include "JpkReader.h"
#include "recFaktura.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QTextStream>

#include <cstdio>
#include <vector>

namespace {

long peakKb() {
    // Linux only, which is where benchmarks run.
    QFile f(QStringLiteral("/proc/self/status"));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : f.readAll().split('\n')) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

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
    const JpkDocument doc = JpkDocument::open(file);
    print("open (well-formedness pass)", t.elapsed());
    std::vector<recFaktura> rows;
    CzytajFaktury(doc, [&](const recFaktura& f) { rows.push_back(f); });
    print("read and list", t.elapsed());
    std::printf("listed %zu invoices\n", rows.size());

    const long peak = peakKb();
    std::printf("peak memory %ld KB (%.2f x file; %ld KB before reading)\n", peak,
                double(peak) / double(fileKb), baseKb);
    return 0;
}

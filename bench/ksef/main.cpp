// A month of a busy company as a KSeF export: a ZIP of 10,000 FA(3) invoices (every tenth a
// correction) to 2,000 known buyers. Prints the listing time of the ZIP and of the same files
// in a folder, the booking time beside a plain insert of the same rows, and the peak memory
// of the listing against the unpacked size.
#include "Attachment.h"
#include "BenchSupport.h"
#include "JpkGenerator.h"
#include "KsiegowanieFaktur.h"
#include "ZrodloFaktur.h"
#include "fks.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include <zip.h>

#include <cstdio>
#include <stdexcept>

namespace {

void print(const char* what, qint64 ms) {
    std::printf("%-34s %8lld ms\n", what, ms);
}

QByteArray invoiceXml(int i, int buyers) {
    const int k = i % buyers;
    const bool kor = i % 10 == 9;
    const qint64 cents = kor ? -(1000 + (i % 50) * 100) : 10000 + (i * 37) % 900000;
    const QString amount = QStringLiteral("%1%2.%3")
                               .arg(cents < 0 ? "-" : "")
                               .arg(qAbs(cents) / 100)
                               .arg(qAbs(cents) % 100, 2, 10, QLatin1Char('0'));
    QString x =
        QStringLiteral(
            "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
            "<Faktura xmlns=\"http://crd.gov.pl/wzor/2025/06/25/13775/\">\n"
            "<Naglowek><KodFormularza kodSystemowy=\"FA (3)\" "
            "wersjaSchemy=\"1-0E\">FA</KodFormularza>"
            "<WariantFormularza>3</WariantFormularza><DataWytworzeniaFa>2026-03-01T10:00:00Z"
            "</DataWytworzeniaFa></Naglowek>\n"
            "<Podmiot1><DaneIdentyfikacyjne><NIP>5990000010</NIP><Nazwa>Sprzedawca Sp. z o.o."
            "</Nazwa></DaneIdentyfikacyjne><Adres><KodKraju>PL</KodKraju><AdresL1>ul. Fabryczna 3"
            "</AdresL1><AdresL2>60-001 Poznań</AdresL2></Adres></Podmiot1>\n"
            "<Podmiot2><DaneIdentyfikacyjne><NIP>%1</NIP><Nazwa>%2</Nazwa></DaneIdentyfikacyjne>"
            "<Adres><KodKraju>PL</KodKraju><AdresL1>ul. Długa %3</AdresL1><AdresL2>00-001 Warszawa"
            "</AdresL2></Adres><JST>2</JST><GV>2</GV></Podmiot2>\n"
            "<Fa><KodWaluty>PLN</KodWaluty><P_1>2026-03-%4</P_1><P_1M>Poznań</P_1M>"
            "<P_2>FV/%5/03/2026</P_2><P_13_1>%6</P_13_1><P_14_1>0.00</P_14_1><P_15>%6</P_15>\n"
            "<Adnotacje><P_16>2</P_16><P_17>2</P_17><P_18>2</P_18><P_18A>2</P_18A><Zwolnienie>"
            "<P_19N>1</P_19N></Zwolnienie><NoweSrodkiTransportu><P_22N>1</P_22N>"
            "</NoweSrodkiTransportu><P_23>2</P_23><PMarzy><P_PMarzyN>1</P_PMarzyN></PMarzy>"
            "</Adnotacje>\n<RodzajFaktury>%7</RodzajFaktury>%8\n")
            .arg(BuyerNip(k), BuyerName(k))
            .arg(k)
            .arg(1 + i % 28, 2, 10, QLatin1Char('0'))
            .arg(i + 1)
            .arg(amount)
            .arg(kor ? "KOR" : "VAT")
            .arg(kor ? QStringLiteral("<PrzyczynaKorekty>rabat</PrzyczynaKorekty>"
                                      "<DaneFaKorygowanej><DataWystFaKorygowanej>"
                                      "2026-02-01</DataWystFaKorygowanej>"
                                      "<NrFaKorygowanej>FV/%1/02/2026</NrFaKorygowanej>"
                                      "<NrKSeF>1</NrKSeF><NrKSeFFaKorygowanej>"
                                      "5990000010-20260201-0A1B2C3D4E5F-AB"
                                      "</NrKSeFFaKorygowanej></DaneFaKorygowanej>")
                           .arg(i)
                     : QString());
    for (int line = 1; line <= 3; ++line) {
        x += QStringLiteral("<FaWiersz><NrWierszaFa>%1</NrWierszaFa><P_7>Usługa serwisowa "
                            "pozycja %1</P_7><P_8A>szt.</P_8A><P_8B>1</P_8B><P_9A>10.00</P_9A>"
                            "<P_11>10.00</P_11><P_12>23</P_12></FaWiersz>\n")
                 .arg(line);
    }
    x += QStringLiteral("</Fa>\n</Faktura>\n");
    return x.toUtf8();
}

// Writes the invoices as files of a folder, then a ZIP of them read from disk one by one,
// so the writing does not raise the peak memory the listing is measured by.
qint64 writeExport(const QString& folder, const QString& zipPath, int invoices, int buyers) {
    QDir().mkpath(folder);
    qint64 unpacked = 0;
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(zipPath).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        throw std::runtime_error("zip_open");
    for (int i = 0; i < invoices; ++i) {
        const QString name = QStringLiteral("5990000010-20260301-%1-00.xml")
                                 .arg(i, 12, 16, QLatin1Char('0'))
                                 .toUpper();
        const QByteArray bytes = invoiceXml(i, buyers);
        unpacked += bytes.size();
        QFile f(QDir(folder).filePath(name));
        if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size())
            throw std::runtime_error("write");
        f.close();
        zip_source_t* src = zip_source_file(z, QFile::encodeName(f.fileName()).constData(), 0, 0);
        if (!src || zip_file_add(z, name.toUtf8().constData(), src, 0) < 0)
            throw std::runtime_error("zip_file_add");
    }
    static const char meta[] = "{\"invoices\":[]}";
    zip_file_add(z, "_metadata.json", zip_source_buffer(z, meta, sizeof meta - 1, 0), 0);
    if (zip_close(z) != 0)
        throw std::runtime_error("zip_close");
    return unpacked;
}

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const int invoices = argc > 1 ? std::atoi(argv[1]) : 10000;
    const int buyers = argc > 2 ? std::atoi(argv[2]) : 2000;
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("faktury"));
    const QString zip = dir.filePath(QStringLiteral("eksport.zip"));
    const qint64 unpackedKb = writeExport(folder, zip, invoices, buyers) / 1024;
    std::printf("export: %d invoices, %d buyers, %lld KB unpacked, %lld KB zipped\n", invoices,
                buyers, unpackedKb, QFileInfo(zip).size() / 1024);

    const long baseKb = peakKb();
    QElapsedTimer t;
    t.start();
    ListaFaktur lista = CzytajListeFaktur(zip);
    const qint64 listMs = t.elapsed();
    print("list the ZIP", listMs);
    const long listedKb = peakKb();
    t.restart();
    const size_t inFolder = CzytajListeFaktur(folder).faktury.size();
    print("list the same files in a folder", t.elapsed());
    std::printf("listed %zu invoices (%zu in the folder), %lld files skipped\n",
                lista.faktury.size(), inFolder,
                static_cast<long long>(lista.pominietePliki.size()));
    std::printf("peak memory while listing: %ld KB above the %ld KB before (%.2f x unpacked)\n",
                listedKb - baseKb, baseKb, double(listedKb - baseKb) / double(unpackedKb));

    const qint64 plainMs =
        plainInsertMs(dir.filePath(QStringLiteral("plain.fdb")), buyers, lista.faktury);
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
    const WynikKsiegowania wynik = run.run(lista.faktury);
    const qint64 bookMs = t.elapsed();
    print("book", bookMs);
    std::printf("booked %d, %d questions; book / plain insert = %.2f\n", wynik.zaksiegowane, asked,
                double(bookMs) / double(plainMs ? plainMs : 1));
    t.restart();
    const WynikKsiegowania again = run.run(CzytajListeFaktur(zip).faktury);
    print("list and book again (all before)", t.elapsed());
    std::printf("second run: %d booked before, %d booked\n", again.wczesniej, again.zaksiegowane);
    bookDb.close();
    std::printf("peak memory of the process %ld KB\n", peakKb());
    return 0;
}

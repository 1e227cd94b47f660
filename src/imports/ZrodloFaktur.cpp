#include "ZrodloFaktur.h"

#include "FakturaKSeF.h"
#include "JpkReader.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <zip.h>

#include <memory>

namespace {

// A KSeF invoice is well under a megabyte; a member larger than this is no invoice file
// (and may be an archive built to fill the memory).
constexpr zip_uint64_t MaxMember = 256u * 1024u * 1024u;

const QString Metadane = QStringLiteral("_metadata.json");

bool toXml(const QString& name) {
    return name.endsWith(QStringLiteral(".xml"), Qt::CaseInsensitive);
}

QString pominiety(const QString& name, const QString& why) {
    return QStringLiteral("[Pominięto plik] - ") + name + QStringLiteral(": ") + why;
}

// What a Mac adds when it packs or copies files: the resource forks in "__MACOSX/" and the
// "._name" companions beside each file. They hold no invoice and are no file of the user's.
bool plikMaca(const QString& name) {
    return name.startsWith(QStringLiteral("__MACOSX/")) ||
           name.contains(QStringLiteral("/__MACOSX/")) ||
           QFileInfo(name).fileName().startsWith(QStringLiteral("._"));
}

// The files of a collection: the export's own metadata and a Mac's companions are expected and
// passed over quietly, anything else that is not XML is named in the report.
bool wezDoOdczytu(const QString& name, ListaFaktur& lista) {
    if (QFileInfo(name).fileName().compare(Metadane, Qt::CaseInsensitive) == 0 || plikMaca(name))
        return false;
    if (!toXml(name)) {
        lista.pominietePliki << pominiety(name, QStringLiteral("to nie jest plik xml faktury."));
        return false;
    }
    return true;
}

struct ZipCloser {
    void operator()(zip_t* z) const { zip_discard(z); }
};
struct ZipFileCloser {
    void operator()(zip_file_t* f) const { zip_fclose(f); }
};

QByteArray czytajCzlonek(zip_t* zip, zip_uint64_t index, const QString& archiwum,
                         const QString& name) {
    auto odmowa = [&](const QString& why) {
        return JpkRefused(QStringLiteral("Nie udało się odczytać pliku ") + name +
                          QStringLiteral(" z archiwum ") + archiwum + QStringLiteral(": ") + why +
                          QStringLiteral("\rNic nie zostało wczytane ani zaksięgowane."));
    };
    zip_stat_t st;
    zip_stat_init(&st);
    if (zip_stat_index(zip, index, 0, &st) != 0)
        throw odmowa(QString::fromUtf8(zip_strerror(zip)));
    if ((st.valid & ZIP_STAT_SIZE) && st.size > MaxMember)
        throw odmowa(QStringLiteral("plik jest za duży jak na fakturę."));
    std::unique_ptr<zip_file_t, ZipFileCloser> f(zip_fopen_index(zip, index, 0));
    if (!f)
        throw odmowa(QString::fromUtf8(zip_strerror(zip)));
    QByteArray bytes;
    if (st.valid & ZIP_STAT_SIZE)
        bytes.reserve(static_cast<qsizetype>(st.size));
    char buf[64 * 1024];
    for (;;) {
        const zip_int64_t n = zip_fread(f.get(), buf, sizeof buf);
        if (n < 0)
            throw odmowa(QString::fromUtf8(zip_file_strerror(f.get())));
        if (n == 0)
            break;
        // The declared size is not trusted: the reading itself stops at the limit.
        if (static_cast<zip_uint64_t>(bytes.size()) + static_cast<zip_uint64_t>(n) > MaxMember)
            throw odmowa(QStringLiteral("plik jest za duży jak na fakturę."));
        bytes.append(buf, static_cast<qsizetype>(n));
    }
    return bytes;
}

void czytajZip(const QString& path, ListaFaktur& lista) {
    int err = 0;
    std::unique_ptr<zip_t, ZipCloser> zip(
        zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY, &err));
    if (!zip) {
        zip_error_t e;
        zip_error_init_with_code(&e, err);
        const QString why = QString::fromUtf8(zip_error_strerror(&e));
        zip_error_fini(&e);
        throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + path +
                         QStringLiteral("\rUszkodzone archiwum ZIP (") + why + u')');
    }
    const zip_int64_t count = zip_get_num_entries(zip.get(), 0);
    // KSeF numbers the files; name order lists them the same way every time.
    std::vector<std::pair<QString, zip_uint64_t>> members;
    for (zip_int64_t i = 0; i < count; ++i) {
        const char* raw = zip_get_name(zip.get(), static_cast<zip_uint64_t>(i), ZIP_FL_ENC_GUESS);
        const QString name = raw ? QString::fromUtf8(raw) : QString();
        if (name.isEmpty() || name.endsWith(u'/'))
            continue; // a folder entry
        members.emplace_back(name, static_cast<zip_uint64_t>(i));
    }
    std::sort(members.begin(), members.end());
    const QString archiwum = QFileInfo(path).fileName();
    for (const auto& [name, index] : members) {
        if (!wezDoOdczytu(name, lista))
            continue;
        CzytajPlikFaktur(czytajCzlonek(zip.get(), index, archiwum, name), name, true, lista);
    }
}

void czytajFolder(const QString& path, ListaFaktur& lista) {
    const QDir dir(path);
    const QFileInfoList files =
        dir.entryInfoList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& fi : files) {
        if (!wezDoOdczytu(fi.fileName(), lista))
            continue;
        QFile file(fi.filePath());
        if (!file.open(QIODevice::ReadOnly))
            throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + fi.filePath());
        CzytajPlikFaktur(file.readAll(), fi.fileName(), true, lista);
    }
}

bool jestZip(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    const QByteArray head = f.read(4);
    return head == QByteArrayLiteral("PK\x03\x04") || head == QByteArrayLiteral("PK\x05\x06");
}

} // namespace

void CzytajPlikFaktur(QByteArray bytes, const QString& name, bool wZbiorze, ListaFaktur& lista) {
    const JpkDocument doc = JpkDocument::fromBytes(std::move(bytes), name);
    if (ksef::JestFaktura(doc)) {
        lista.faktury.push_back(ksef::CzytajFakture(doc, name));
        return;
    }
    if (wZbiorze) {
        if (const QString odmowa = JpkOdmowa(doc.KodFormularza()); !odmowa.isEmpty()) {
            lista.pominietePliki << pominiety(
                name, QStringLiteral("to nie jest faktura KSeF (FA(2), FA(3)) ani plik JPK_FA."));
            return;
        }
    }
    CzytajFaktury(
        doc, [&](const recFaktura& f) { lista.faktury.push_back(f); }, name);
}

ListaFaktur CzytajListeFaktur(const QString& path) {
    const QString name = path.trimmed();
    ListaFaktur lista;
    if (name.isEmpty())
        throw JpkRefused(QStringLiteral("Nazwa pliku JPK_FAKTURA nie podana."));
    const QFileInfo fi(name);
    if (fi.isDir()) {
        czytajFolder(name, lista);
        return lista;
    }
    if (!fi.isFile())
        throw JpkRefused(QStringLiteral("Plik: ") + name + QStringLiteral(" - nie istnieje."));
    if (jestZip(name)) {
        czytajZip(name, lista);
        return lista;
    }
    QFile file(name);
    if (!file.open(QIODevice::ReadOnly))
        throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + name);
    QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw JpkRefused(QStringLiteral("Nie udało się otworzyć pliku: ") + name);
    const JpkDocument doc = JpkDocument::fromBytes(std::move(bytes), name);
    const QString plik = fi.fileName();
    if (ksef::JestFaktura(doc))
        lista.faktury.push_back(ksef::CzytajFakture(doc, plik));
    else
        CzytajFaktury(
            doc, [&](const recFaktura& f) { lista.faktury.push_back(f); }, plik);
    return lista;
}

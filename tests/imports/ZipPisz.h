#pragma once

#include <QByteArray>
#include <QFile>
#include <QString>

#include <zip.h>

#include <stdexcept>
#include <utility>
#include <vector>

// Writes a ZIP of the given members (name, content), as a KSeF export is laid out.
inline void ZapiszZip(const QString& path,
                      const std::vector<std::pair<QString, QByteArray>>& members) {
    int err = 0;
    zip_t* z = zip_open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &err);
    if (!z)
        throw std::runtime_error("zip_open failed");
    for (const auto& [name, bytes] : members) {
        // The buffers outlive zip_close, which reads them.
        zip_source_t* src =
            zip_source_buffer(z, bytes.constData(), static_cast<zip_uint64_t>(bytes.size()), 0);
        if (!src || zip_file_add(z, name.toUtf8().constData(), src, ZIP_FL_ENC_UTF_8) < 0) {
            zip_source_free(src);
            zip_discard(z);
            throw std::runtime_error("zip_file_add failed");
        }
    }
    if (zip_close(z) != 0) {
        zip_discard(z);
        throw std::runtime_error("zip_close failed");
    }
}

inline QByteArray CzytajPlik(const QString& path) {
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw std::runtime_error("cannot read fixture");
    return f.readAll();
}

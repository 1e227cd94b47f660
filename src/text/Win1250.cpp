#include "Win1250.h"

#include <QHash>
#include <QStringDecoder>

#include <array>

namespace win1250 {
namespace {
struct Table {
    std::array<char16_t, 256> toUnicode{};
    QHash<char16_t, char> fromUnicode;

    Table() {
        QByteArray all(256, '\0');
        for (int i = 0; i < 256; ++i)
            all[i] = static_cast<char>(i);
        QStringDecoder dec("windows-1250");
        const QString s = dec.isValid() ? dec(all) : QString::fromLatin1(all);
        for (int i = 0; i < 256; ++i) {
            toUnicode[i] = i < s.size() ? s[i].unicode() : u'?';
            if (i >= 128)
                fromUnicode.insert(toUnicode[i], static_cast<char>(i));
        }
    }
};

const Table& table() {
    static const Table t;
    return t;
}
} // namespace

QString decode(std::string_view bytes) {
    const Table& t = table();
    QString s(static_cast<qsizetype>(bytes.size()), Qt::Uninitialized);
    QChar* out = s.data();
    for (size_t i = 0; i < bytes.size(); ++i)
        out[i] = QChar(t.toUnicode[static_cast<unsigned char>(bytes[i])]);
    return s;
}

QByteArray encode(const QString& text) {
    const Table& t = table();
    QByteArray b(text.size(), Qt::Uninitialized);
    char* out = b.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t c = text[i].unicode();
        out[i] = c < 128 ? static_cast<char>(c) : t.fromUnicode.value(c, '?');
    }
    return b;
}

QString stored(const QString& text) {
    const QByteArray b = encode(text);
    return decode(std::string_view(b.constData(), static_cast<size_t>(b.size())));
}

} // namespace win1250

#include "StronyKodowe.h"

#include <QStringDecoder>

#include <array>
#include <stdexcept>
#include <vector>

namespace {
using Tablica = std::array<char16_t, 256>;

// A single-byte code page taken from the platform's converter. Bytes it leaves undefined
// keep their own value (as the Windows conversion does), so Windows-1250 text survives a
// round trip through its bytes.
Tablica tablicaStrony(const char* nazwa) {
    QStringDecoder dekoder(nazwa, QStringConverter::Flag::Stateless);
    if (!dekoder.isValid())
        throw std::runtime_error(std::string("code page not available: ") + nazwa);
    Tablica t{};
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const QString z = dekoder.decode(QByteArrayView(&c, 1));
        t[static_cast<size_t>(b)] = (z.size() == 1 && z[0] != QChar::ReplacementCharacter)
                                        ? z[0].unicode()
                                        : static_cast<char16_t>(b);
    }
    return t;
}

const Tablica& Win1250() {
    static const Tablica t = tablicaStrony("windows-1250");
    return t;
}
const Tablica& Iso8859_2() {
    static const Tablica t = tablicaStrony("ISO-8859-2");
    return t;
}
const Tablica& Cp852() {
    static const Tablica t = [] {
        Tablica c = tablicaStrony("IBM852");
        c[0xAA] = u'\u00AC'; // the published code page has the not sign here
        return c;
    }();
    return t;
}

// Windows-1250 byte of each UTF-16 unit; '?' for what the code page cannot hold.
const std::vector<unsigned char>& Win1250Odwrotna() {
    static const std::vector<unsigned char> t = [] {
        std::vector<unsigned char> r(0x10000, '?');
        const Tablica& w = Win1250();
        for (int b = 255; b >= 0; --b)
            r[w[static_cast<size_t>(b)]] = static_cast<unsigned char>(b);
        return r;
    }();
    return t;
}

QString dekodujStrona(QByteArrayView bajty, const Tablica& t) {
    QString s(bajty.size(), Qt::Uninitialized);
    QChar* out = s.data();
    for (char c : bajty)
        *out++ = QChar(t[static_cast<unsigned char>(c)]);
    return s;
}

QByteArray doWin1250(const QString& s) {
    const auto& t = Win1250Odwrotna();
    QByteArray b;
    b.reserve(s.size());
    for (qsizetype i = 0; i < s.size(); ++i) {
        const QChar c = s[i];
        // A character outside the 16-bit range is one character, so one "?".
        if (c.isHighSurrogate() && i + 1 < s.size() && s[i + 1].isLowSurrogate())
            ++i;
        b.append(static_cast<char>(t[c.unicode()]));
    }
    return b;
}

QString dekoduj(QByteArrayView bajty, TKodowanie kodowanie) {
    switch (kodowanie) {
    case TKodowanie::kdUTF_8:
        return QString::fromUtf8(bajty);
    case TKodowanie::kdWin_1250:
        return dekodujStrona(bajty, Win1250());
    case TKodowanie::kdISO_8859_2:
        return dekodujStrona(bajty, Iso8859_2());
    case TKodowanie::kdCP_852:
        return dekodujStrona(bajty, Cp852());
    case TKodowanie::kdWykryj:
        break;
    }
    return dekoduj(bajty, WykryjKodowanie(QByteArray::fromRawData(bajty.data(), bajty.size()))
                              .value_or(TKodowanie::kdWin_1250));
}

enum class Znacznik { brak, utf8, utf16le, utf16be };

Znacznik znacznik(const QByteArray& b) {
    if (b.startsWith("\xEF\xBB\xBF"))
        return Znacznik::utf8;
    if (b.startsWith("\xFF\xFE"))
        return Znacznik::utf16le;
    if (b.startsWith("\xFE\xFF"))
        return Znacznik::utf16be;
    return Znacznik::brak;
}
} // namespace

QString NazwaKodowania(TKodowanie kodowanie) {
    switch (kodowanie) {
    case TKodowanie::kdUTF_8:
        return QStringLiteral("UTF-8");
    case TKodowanie::kdWin_1250:
        return QStringLiteral("Windows-1250");
    case TKodowanie::kdISO_8859_2:
        return QStringLiteral("ISO-8859-2");
    case TKodowanie::kdCP_852:
        return QStringLiteral("CP-852");
    case TKodowanie::kdWykryj:
        return QStringLiteral("Wykryj");
    }
    return {};
}

namespace {
// What a byte above 0x7F reads as in a code page, for telling the file's encoding.
enum class Klasa : unsigned char { polska, obojetna, obca };

Klasa klasa(char16_t c) {
    static const QString polskie = QString::fromUtf8("ĄĆĘŁŃÓŚŹŻąćęłńóśźż");
    // Signs and letters a Polish bank text may well hold besides Polish letters: quotes,
    // dashes, the no-break space, and the letters of common foreign names.
    static const QString obojetne = QString::fromUtf8("\u00A0§°«»–—„”“‚‘’…€·×éÉüÜöÖáÁíÍúÚß");
    if (polskie.contains(QChar(c)))
        return Klasa::polska;
    if (obojetne.contains(QChar(c)))
        return Klasa::obojetna;
    return Klasa::obca;
}

struct Ocena {
    qsizetype polskie = 0;
    qsizetype obce = 0;
};

Ocena ocen(const std::array<qsizetype, 128>& ile, const Tablica& strona) {
    Ocena o;
    for (int b = 0x80; b < 0xFF; ++b) { // 0xFF is the filler some banks put in empty values
        const qsizetype n = ile[static_cast<size_t>(b - 0x80)];
        if (n == 0)
            continue;
        switch (klasa(strona[static_cast<size_t>(b)])) {
        case Klasa::polska:
            o.polskie += n;
            break;
        case Klasa::obojetna:
            break;
        case Klasa::obca:
            o.obce += n;
            break;
        }
    }
    return o;
}
} // namespace

std::optional<TKodowanie> WykryjKodowanie(const QByteArray& bajty) {
    if (bajty.startsWith("\xEF\xBB\xBF") || bajty.startsWith("\xFF\xFE") ||
        bajty.startsWith("\xFE\xFF"))
        return TKodowanie::kdUTF_8; // the mark decides
    if (QByteArrayView(bajty).isValidUtf8())
        return TKodowanie::kdUTF_8;
    std::array<qsizetype, 128> ile{};
    for (char c : bajty) {
        const auto b = static_cast<unsigned char>(c);
        if (b >= 0x80)
            ++ile[b - 0x80];
    }
    const std::pair<TKodowanie, const Tablica*> strony[] = {
        {TKodowanie::kdWin_1250, &Win1250()},
        {TKodowanie::kdISO_8859_2, &Iso8859_2()},
        {TKodowanie::kdCP_852, &Cp852()}};
    std::optional<TKodowanie> wynik;
    qsizetype najwiecej = -1;
    for (const auto& [kod, strona] : strony) {
        const Ocena o = ocen(ile, *strona);
        if (o.obce == 0 && o.polskie > najwiecej) {
            najwiecej = o.polskie;
            wynik = kod;
        }
    }
    return wynik;
}

QString BrakKodowania() {
    return QString::fromUtf8("Nie można rozpoznać kodowania pliku: ani UTF-8, ani Windows-1250, "
                             "ISO-8859-2, CP-852 nie odczytują go bez obcych znaków.\r"
                             "Wybierz kodowanie pliku.");
}

QString CP_852ToWin(const QString& s) {
    return dekodujStrona(doWin1250(s), Cp852());
}

QString ISO_8859_2ToWin(const QString& s) {
    return dekodujStrona(doWin1250(s), Iso8859_2());
}

PierwszyOdczyt CzytajBajty(const QByteArray& bajty) {
    switch (znacznik(bajty)) {
    case Znacznik::utf8:
        return {QString::fromUtf8(QByteArrayView(bajty).sliced(3)), true};
    case Znacznik::utf16le: {
        QStringDecoder d(QStringConverter::Utf16LE, QStringConverter::Flag::Stateless);
        return {d.decode(QByteArrayView(bajty).sliced(2)), true};
    }
    case Znacznik::utf16be: {
        QStringDecoder d(QStringConverter::Utf16BE, QStringConverter::Flag::Stateless);
        return {d.decode(QByteArrayView(bajty).sliced(2)), true};
    }
    case Znacznik::brak:
        break;
    }
    return {dekodujStrona(bajty, Win1250()), false};
}

QString DekodujWyciag(const QByteArray& bajty, TKodowanie kodowanie) {
    return DekodujWyciag(bajty, CzytajBajty(bajty), kodowanie);
}

QString DekodujWyciag(const QByteArray& bajty, const PierwszyOdczyt& odczyt, TKodowanie kodowanie) {
    if (!odczyt.zeZnacznikiem)
        return dekoduj(bajty, kodowanie);
    // A Unicode byte-order mark already decided the text. Under the "UTF-8" choice, which is
    // the window's default, re-reading the letters' Windows-1250 bytes as UTF-8 could only
    // turn every Polish letter into U+FFFD in the names stored in the books.
    if (kodowanie == TKodowanie::kdWin_1250 || kodowanie == TKodowanie::kdUTF_8 ||
        kodowanie == TKodowanie::kdWykryj)
        return odczyt.tekst;
    return dekoduj(doWin1250(odczyt.tekst), kodowanie);
}

#include "StronyKodowe.h"

#include "TestPrinters.h"

#include <gtest/gtest.h>

namespace {
const QString polskie = QString::fromUtf8("ĄĆĘŁŃÓŚŹŻąćęłńóśźż");

QByteArray bajty(std::initializer_list<int> b) {
    QByteArray r;
    for (int x : b)
        r.append(static_cast<char>(x));
    return r;
}
} // namespace

// The letters the encoding choice is for, byte by byte in each code page.
TEST(StronyKodowe, PolishLettersInEachCodePage) {
    const QByteArray win = bajty({0xA5, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0x8C, 0x8F, 0xAF, 0xB9, 0xE6,
                                  0xEA, 0xB3, 0xF1, 0xF3, 0x9C, 0x9F, 0xBF});
    const QByteArray iso = bajty({0xA1, 0xC6, 0xCA, 0xA3, 0xD1, 0xD3, 0xA6, 0xAC, 0xAF, 0xB1, 0xE6,
                                  0xEA, 0xB3, 0xF1, 0xF3, 0xB6, 0xBC, 0xBF});
    const QByteArray cp852 = bajty({0xA4, 0x8F, 0xA8, 0x9D, 0xE3, 0xE0, 0x97, 0x8D, 0xBD, 0xA5,
                                    0x86, 0xA9, 0x88, 0xE4, 0xA2, 0x98, 0xAB, 0xBE});
    EXPECT_EQ(DekodujWyciag(win, TKodowanie::kdWin_1250), polskie);
    EXPECT_EQ(DekodujWyciag(iso, TKodowanie::kdISO_8859_2), polskie);
    EXPECT_EQ(DekodujWyciag(cp852, TKodowanie::kdCP_852), polskie);
    EXPECT_EQ(DekodujWyciag(polskie.toUtf8(), TKodowanie::kdUTF_8), polskie);
    // The re-interpretation steps restore the file's bytes from a Windows-1250 reading.
    EXPECT_EQ(ISO_8859_2ToWin(DekodujWyciag(iso, TKodowanie::kdWin_1250)), polskie);
    EXPECT_EQ(CP_852ToWin(DekodujWyciag(cp852, TKodowanie::kdWin_1250)), polskie);
}

TEST(StronyKodowe, WrongChoiceIsNotDetected) {
    // Windows-1250 read as UTF-8: ASCII stays, each lone Polish byte becomes U+FFFD.
    const QByteArray win = QByteArray(":86:") + bajty({0xB9}) + "x" + bajty({0x9C});
    EXPECT_EQ(DekodujWyciag(win, TKodowanie::kdUTF_8), QString::fromUtf8(":86:\uFFFDx\uFFFD"));
    // UTF-8 read as Windows-1250: two characters per letter; byte 85 is the ellipsis.
    EXPECT_EQ(DekodujWyciag(QString::fromUtf8("ą").toUtf8(), TKodowanie::kdWin_1250),
              QString::fromUtf8("Ä…"));
    // ISO-8859-2 read as Windows-1250: only the letters with equal codes come out right.
    const QByteArray iso = bajty({0xA1, 0xA6, 0xAC, 0xB1, 0xB6, 0xBC, 0xA3, 0xF3});
    EXPECT_EQ(DekodujWyciag(iso, TKodowanie::kdISO_8859_2), QString::fromUtf8("ĄŚŹąśźŁó"));
    const QString jakoWin = DekodujWyciag(iso, TKodowanie::kdWin_1250);
    EXPECT_NE(jakoWin.left(6), QString::fromUtf8("ĄŚŹąśź"));
    EXPECT_EQ(jakoWin.right(2), QString::fromUtf8("Łó"));
}

TEST(StronyKodowe, ByteOrderMarkDecidesFirstDecoding) {
    const QString tekst = QString::fromUtf8(":86:Łódź");
    const QByteArray utf8Bom = "\xEF\xBB\xBF" + tekst.toUtf8();
    // With the Windows-1250 or the UTF-8 choice the mark's decoding stands.
    EXPECT_EQ(DekodujWyciag(utf8Bom, TKodowanie::kdWin_1250), tekst);
    EXPECT_EQ(DekodujWyciag(utf8Bom, TKodowanie::kdUTF_8), tekst);
    // With a single-byte code page the text goes through Windows-1250 bytes into it.
    // Ł, ó and d keep their bytes in ISO-8859-2; ź (9F) is a control character there.
    EXPECT_EQ(DekodujWyciag(utf8Bom, TKodowanie::kdISO_8859_2), QString::fromUtf8(":86:Łód\u009F"));

    QByteArray le = "\xFF\xFE";
    QByteArray be = "\xFE\xFF";
    for (QChar c : tekst) {
        le.append(static_cast<char>(c.unicode() & 0xFF))
            .append(static_cast<char>(c.unicode() >> 8));
        be.append(static_cast<char>(c.unicode() >> 8))
            .append(static_cast<char>(c.unicode() & 0xFF));
    }
    EXPECT_EQ(DekodujWyciag(le, TKodowanie::kdWin_1250), tekst);
    EXPECT_EQ(DekodujWyciag(be, TKodowanie::kdWin_1250), tekst);
    EXPECT_TRUE(CzytajBajty(le).zeZnacznikiem);
    EXPECT_EQ(CzytajBajty(be).tekst, tekst);
}

TEST(StronyKodowe, FirstReadingKeepsAsciiTags) {
    const QByteArray plik = QByteArray(":60F:") + bajty({0xB9, 0xFF, 0x81}) + ":62F:";
    const PierwszyOdczyt o = CzytajBajty(plik);
    EXPECT_FALSE(o.zeZnacznikiem);
    EXPECT_TRUE(o.tekst.startsWith(":60F:"));
    EXPECT_TRUE(o.tekst.endsWith(":62F:"));
    EXPECT_EQ(o.tekst.size(), plik.size());
}

TEST(StronyKodowe, CharactersOutsideWindows1250BecomeQuestionMarks) {
    // Ж and an emoji (two UTF-16 units, one character) cannot be written in Windows-1250.
    const QString s = QString::fromUtf8("aЖb😀c");
    EXPECT_EQ(ISO_8859_2ToWin(s), "a?b?c");
    EXPECT_EQ(CP_852ToWin(s), "a?b?c");
}

TEST(StronyKodowe, Captions) {
    EXPECT_EQ(NazwaKodowania(TKodowanie::kdUTF_8), "UTF-8");
    EXPECT_EQ(NazwaKodowania(TKodowanie::kdWin_1250), "Windows-1250");
    EXPECT_EQ(NazwaKodowania(TKodowanie::kdISO_8859_2), "ISO-8859-2");
    EXPECT_EQ(NazwaKodowania(TKodowanie::kdCP_852), "CP-852");
}

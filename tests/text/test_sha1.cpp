#include "SHA1.h"
#include "TestPrinters.h"

#include <gtest/gtest.h>

TEST(SHA1Digest, KnownTextsGiveTheirDigests) {
    struct Case {
        QString text;
        const char* digest;
    };
    const Case cases[] = {
        {QString(), "DA39A3EE5E6B4B0D3255BFEF95601890AFD80709"},
        {QStringLiteral("abc"), "A9993E364706816ABA3E25717850C26C9CD0D89D"},
        {QStringLiteral("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq"),
         "84983E441C3BD26EBAAE4AA1F95129E5E54670F1"},
        // Polish letters are digested as their Windows-1250 bytes, not as UTF-8.
        {QStringLiteral("zażółć gęślą jaźń"), "7E47745426BE64D839D0C0A3751DCB49733F8417"},
        // A letter the code page lacks becomes '?', as the other workstations convert it.
        {QStringLiteral("Жук"), "2D86C2A659E364E9ABBA49EA6FFCD53DD5559F05"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        EXPECT_EQ(SHA1Digest(c.text), QString::fromLatin1(c.digest));
    }
}

TEST(SHA1Digest, OnlyTheFirst255BytesCount) {
    EXPECT_EQ(SHA1Digest(QString(300, u'a')), SHA1Digest(QString(255, u'a')));
    EXPECT_NE(SHA1Digest(QString(254, u'a')), SHA1Digest(QString(255, u'a')));
    // One byte per letter in Windows-1250: 300 "ą" are cut at 255 as well.
    EXPECT_EQ(SHA1Digest(QString(300, u'ą')),
              QStringLiteral("7E6C524E52592F6D9534447BC5DDCE4F9A1F407C"));
}

TEST(IsAdmin, OnlyTheAdministratorInAnyCaseAndBlanks) {
    for (const char* name :
         {"Administrator", "ADMINISTRATOR", "administrator", "  AdMiNiStRaToR ", "\tAdministrator"})
        EXPECT_TRUE(IsAdmin(QString::fromUtf8(name))) << name;
    for (const char* name : {"", "Admin", "Administratorka", "Administrator 2", "Adm inistrator"})
        EXPECT_FALSE(IsAdmin(QString::fromUtf8(name))) << name;
}

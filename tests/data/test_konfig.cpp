#include "Globals.h"
#include "Konfig.h"
#include "TestPrinters.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
void write(const QString& path, const QByteArray& text) {
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}
} // namespace

TEST(Konfig, MissingFileEmptyValueAndWindowsPath) {
    QTemporaryDir dir;
    const QString ini = QDir::toNativeSeparators(dir.filePath("Brevant.ini"));
    EXPECT_FALSE(KonfigOK(dir.path()));
    EXPECT_EQ(Globals::KonfigErr, "Brak pliku konfiguracyjnego: \r" + ini);

    write(ini, "[Baza]\nPlik=\n");
    EXPECT_FALSE(KonfigOK(dir.path()));
    EXPECT_EQ(Globals::KonfigErr,
              QString::fromUtf8("Nie określono nazwy pliku bazy danych\rw pliku konfiguracyjnym"));

    write(ini, "[Inna]\nPlik=x\n");
    EXPECT_FALSE(KonfigOK(dir.path()));

    write(ini, "; komentarz\r\n[baza]\r\nplik = C:\\dane\\brevant.fdb\r\n");
    EXPECT_TRUE(KonfigOK(dir.path()));
    EXPECT_EQ(Globals::DatabaseFile, "C:\\dane\\brevant.fdb");
    EXPECT_EQ(Globals::KonfigErr, "");
}

#include "Globals.h"
#include "TestDatabase.h"
#include "TestPrinters.h"
#include "fdm.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {
void writeIni(const QString& folder, const QByteArray& text) {
    QFile f(QDir(folder).filePath("Brevant.ini"));
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(text);
}
} // namespace

// Each failing configuration shows exactly one error box and the program must end.
TEST(Startup, ConfigurationAndConnectionFailures) {
    QTemporaryDir dir;
    komun::Recorder messages;
    Tdm data;
    dm = &data;

    EXPECT_FALSE(data.DataModuleCreate(dir.path()));
    writeIni(dir.path(), "[Baza]\nPlik=\n");
    EXPECT_FALSE(data.DataModuleCreate(dir.path()));
    const QString missing = dir.filePath("nie-ma.fdb");
    writeIni(dir.path(), "[Baza]\nPlik=" + missing.toUtf8() + "\n");
    EXPECT_FALSE(data.DataModuleCreate(dir.path()));
    dm = nullptr;

    ASSERT_EQ(messages.messages().size(), 3u);
    for (const auto& m : messages.messages())
        EXPECT_EQ(m.kind, komun::Kind::Blad);
    EXPECT_EQ(messages.messages()[0].text,
              "Brak pliku konfiguracyjnego: \r" +
                  QDir::toNativeSeparators(dir.filePath("Brevant.ini")));
    EXPECT_EQ(messages.messages()[1].text,
              "Nie określono nazwy pliku bazy danych\rw pliku konfiguracyjnym");
    EXPECT_EQ(messages.messages()[2].text,
              "Nie udało się połączyć z bazą: \r" + missing +
                  "\r\rNajczęstsze przyczyny to:\r"
                  "1. Nie został uruchomiony serwer baz danych Firebird.\r"
                  "   (Należy w Panelu Sterowania Windows otworzyć\r"
                  "   Firebird Server Manager i uruchomić serwer przez\r"
                  "   kliknięcie przycisku Start),\r"
                  "2. Błędna ścieżka określona w pliku konfiguracyjnym\r"
                  "   Brevant.ini.");
}

TEST(Startup, GoodConfigurationOpensTheLists) {
    TestDatabase database;
    writeIni(database.folder(), "[Baza]\nPlik=" + database.path().toUtf8() + "\n");
    komun::Recorder messages;
    Tdm data;
    dm = &data;
    EXPECT_TRUE(data.DataModuleCreate(database.folder()));
    EXPECT_TRUE(data.connected());
    EXPECT_TRUE(data.Klient.isOpen());
    EXPECT_TRUE(data.KontoKL.isOpen());
    EXPECT_TRUE(data.TransKL.isOpen());
    EXPECT_TRUE(messages.messages().empty());
    data.closeConnection();
    dm = nullptr;
}

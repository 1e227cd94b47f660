#include "FWindow.h"
#include "OstatniFolder.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(OstatniFolder, EachImportStartsWhereItTookItsLastFile) {
    UserSettings::open().remove(QString());
    QTemporaryDir dir;
    const QString plik = dir.filePath(QStringLiteral("wyciag.sta"));
    EXPECT_EQ(OstatniFolder::wczytaj(QStringLiteral("Wyciag")), QString()); // first time
    OstatniFolder::zapisz(QStringLiteral("Wyciag"), plik);
    EXPECT_EQ(QDir::fromNativeSeparators(OstatniFolder::wczytaj(QStringLiteral("Wyciag"))),
              QDir(dir.path()).absolutePath());
    EXPECT_EQ(OstatniFolder::wczytaj(QStringLiteral("Faktury")), QString()); // its own folder
    // A path in the field that exists wins; an empty or stale one gives the remembered folder.
    EXPECT_EQ(OstatniFolder::poczatek(QStringLiteral("Wyciag"), dir.path()), dir.path());
    EXPECT_EQ(QDir::fromNativeSeparators(
                  OstatniFolder::poczatek(QStringLiteral("Wyciag"), QStringLiteral("/brak/x.sta"))),
              QDir(dir.path()).absolutePath());
    // A folder that has gone is not offered.
    OstatniFolder::zapisz(QStringLiteral("Faktury"), dir.path() + QStringLiteral("/znikniety/"));
    EXPECT_EQ(OstatniFolder::wczytaj(QStringLiteral("Faktury")), QString());

    Zapamietane::ustaw(QStringLiteral("Uzytkownik"), QStringLiteral("Jan"));
    EXPECT_EQ(Zapamietane::wartosc(QStringLiteral("Uzytkownik")).toString(), "Jan");
}

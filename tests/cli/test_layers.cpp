#include <QProcess>
#include <QString>

#include <gtest/gtest.h>

// A headless import server installs the command line without the desktop libraries: it must
// not need them at run time.
TEST(Layers, CommandLineLinksNoDesktopLibraries) {
    QProcess ldd;
    ldd.start(QStringLiteral("ldd"), {QStringLiteral(BREVANT_CLI_PATH)});
    ASSERT_TRUE(ldd.waitForFinished(30000));
    ASSERT_EQ(ldd.exitCode(), 0);
    const QString libs = QString::fromLocal8Bit(ldd.readAllStandardOutput());
    ASSERT_TRUE(libs.contains(QStringLiteral("libQt6Core"))) << libs.toStdString();
    for (const char* desktop : {"libQt6Widgets", "libQt6Gui", "libQt6DBus", "libdbus-1"})
        EXPECT_FALSE(libs.contains(QString::fromLatin1(desktop))) << desktop;
}

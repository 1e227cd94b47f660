#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QDir().mkpath(QStringLiteral("/tmp/brevant-xdg-runtime"));
    QApplication app(argc, argv);
    // Whatever a test makes the program remember goes to a settings file of this test
    // program alone: never the user's own, and never one another test program clears while
    // this one runs beside it.
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir ustawienia;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ustawienia.path());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

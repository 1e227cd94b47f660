#include <QCoreApplication>
#include <QLocale>
#include <QSettings>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    // Settings of this test program alone (see gtest_main_gui.cpp).
    QStandardPaths::setTestModeEnabled(true);
    QTemporaryDir ustawienia;
    QSettings::setPath(QSettings::NativeFormat, QSettings::UserScope, ustawienia.path());
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

#include <QApplication>
#include <QDir>
#include <QLocale>
#include <QStandardPaths>

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", qgetenv("QT_QPA_PLATFORM").isEmpty() ? QByteArray("offscreen")
                                                                    : qgetenv("QT_QPA_PLATFORM"));
    QDir().mkpath(QStringLiteral("/tmp/brevant-xdg-runtime"));
    QApplication app(argc, argv);
    // Whatever a test makes the program remember goes to a settings file of the tests, never
    // to the user's own.
    QStandardPaths::setTestModeEnabled(true);
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}

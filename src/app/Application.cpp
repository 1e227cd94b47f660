#include "Application.h"

#include "Error.h"
#include "FWindow.h"
#include "Klawiatura.h"
#include "Zakonczenie.h"
#include "komun.h"
#include "komunBox.h"

#include <QDir>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <exception>

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {
    setApplicationName(QStringLiteral("Brevant"));
    setOrganizationName(QStringLiteral("Quorvel"));
    QLocale::setDefault(QLocale(QLocale::Polish, QLocale::Poland));
    komun::installMessageBoxes();
    // Every window opens where and as large as the user left it, its lists as wide.
    UkladOkien::zainstaluj();
    Klawiatura::zainstaluj();
}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    // Work abandoned because the program is ending on request has nothing to show.
    try {
        return QApplication::notify(receiver, event);
    } catch (const db::Error& e) {
        if (!zakonczenie::requested())
            Blad(e.message());
    } catch (const std::exception& e) {
        if (!zakonczenie::requested())
            Blad(QString::fromUtf8(e.what()));
    }
    return false;
}

void TApplication::loadPolishTranslation() {
    auto* translator = new QTranslator(this);
    // A copy beside the executable wins; otherwise the system's.
    for (const QString& dir :
         {applicationDirPath(), QLibraryInfo::path(QLibraryInfo::TranslationsPath)}) {
        if (translator->load(QStringLiteral("qtbase_pl"), dir)) {
            installTranslator(translator);
            return;
        }
    }
}

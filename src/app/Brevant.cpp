#include "Brevant.h"

#include "Application.h"
#include "Globals.h"
#include "Icons.h"
#include "Konfig.h"
#include "OknaProgramu.h"
#include "PostepAktualizacji.h"
#include "Ventrol.h"
#include "fdm.h"
#include "fks.h"

#include "Zakonczenie.h"
#include "komun.h"

#include <QDialog>
#include <QTimer>

#include <memory>

namespace {

// Ends the program on a request from the system (session end, kill): a booking run in
// progress stops at its next row and rolls back first, then the dialogs close, the main
// window saves its placement and closes the connection, and the event loops end.
void zakonczNaZadanie(TMainFrm& mainFrm, const Tks* ks) {
    if (ks && ks->active()) {
        QTimer::singleShot(20, qApp, [&mainFrm, ks] { zakonczNaZadanie(mainFrm, ks); });
        return;
    }
    komun::setPresenter([](komun::Kind, const QString&) { return false; }); // nobody to ask
    for (QWidget* w : QApplication::topLevelWidgets()) {
        if (auto* d = qobject_cast<QDialog*>(w); d && d->isVisible())
            d->reject();
    }
    if (mainFrm.isVisible())
        mainFrm.close(); // saves the placement, closes the connection
    else if (dm)
        dm->closeConnection();
    QCoreApplication::exit(0);
}

} // namespace

int runBrevant(int argc, char** argv) {
    zakonczenie::install(); // before any thread starts
    TApplication app(argc, argv);
    app.loadPolishTranslation();
    app.setWindowIcon(Icons::application());

    // The main window first; its creation touches neither the database nor the configuration.
    TMainFrm mainFrm;
    const Tks* ksRun = nullptr;
    zakonczenie::setOnRequest([&app, &mainFrm, &ksRun] {
        QMetaObject::invokeMethod(
            &app, [&mainFrm, &ksRun] { zakonczNaZadanie(mainFrm, ksRun); }, Qt::QueuedConnection);
    });
    struct ClearOnRequest {
        ~ClearOnRequest() { zakonczenie::setOnRequest({}); }
    } clearOnRequest;

    auto data = std::make_unique<Tdm>();
    dm = data.get();
    {
        PostepAktualizacji postep;
        data->setPostepAktualizacji([&postep](const QString& co, int zrobione, int razem) {
            postep.pokaz(co, zrobione, razem);
        });
        const bool polaczono = data->DataModuleCreate();
        data->setPostepAktualizacji({});
        if (!polaczono)
            return zakonczenie::requested() ? 0 : 1;
    }

    Tks ks(data->conn);
    ksRun = &ks;
    OknaProgramu okna(*data, ks, mainFrm, BialaListaAdres(), NbpAdres());
    mainFrm.setActions(okna.akcje());

    // Only an operator who logged in sees the main window.
    okna.loginFrm.Autoryzacja();
    if (!okna.loginFrm.FHasloOK) {
        data->closeConnection();
        dm = nullptr;
        return 0;
    }
    // The menu fits the operator from the first paint, not only from the first activation.
    mainFrm.UpdateMenu();
    mainFrm.UpdateBtns();
    mainFrm.showCentred();
    const int rc = app.exec();
    ksRun = nullptr;
    data->closeConnection();
    dm = nullptr;
    return rc;
}

#include "Brevant.h"

#include "About.h"
#include "Icons.h"
#include "Application.h"
#include "Globals.h"
#include "Ventrol.h"
#include "fdm.h"
#include "fks.h"
#include "fmWczytajWplaty.h"

#include <memory>

int runBrevant(int argc, char** argv) {
    TApplication app(argc, argv);
    app.loadPolishTranslation();
    app.setWindowIcon(Icons::application());

    // The main window first; its creation touches neither the database nor the configuration.
    TMainFrm mainFrm;

    auto data = std::make_unique<Tdm>();
    dm = data.get();
    if (!data->DataModuleCreate())
        return 1;

    Tks ks(data->conn);
    TfrmWczytajWplaty wczytajWplatyFrm(ks, &mainFrm);
    TAboutFrm aboutFrm(&mainFrm);

    MainActions actions;
    actions.oProgramie = [&] { aboutFrm.Execute(); };
    actions.wczytajWplaty = [&] {
        wczytajWplatyFrm.Execute();
        return wczytajWplatyFrm.FZaksiegowano;
    };
    mainFrm.setActions(actions);

    mainFrm.showCentred();
    const int rc = app.exec();
    data->closeConnection();
    dm = nullptr;
    return rc;
}

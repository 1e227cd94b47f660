#include "Brevant.h"

#include "About.h"
#include "Application.h"
#include "DrukiRozliczen.h"
#include "Globals.h"
#include "Icons.h"
#include "KlientNbp.h"
#include "Konfig.h"
#include "PostepAktualizacji.h"
#include "UstawieniaRozrachunkowFrm.h"
#include "Ventrol.h"
#include "WczytajFaktury.h"
#include "fdm.h"
#include "fks.h"
#include "fmWczytajWplaty.h"
#include "frmDaneFirmy.h"
#include "frmDziennik.h"
#include "frmKlienci.h"
#include "frmKlient.h"
#include "frmKonto.h"
#include "frmKursyEur.h"
#include "frmLogin.h"
#include "frmOperacja.h"
#include "frmOperator.h"
#include "frmPobierzKonta.h"
#include "frmPolaczFirmy.h"
#include "frmPoprawaNazw.h"
#include "frmPrzeksiegowanie.h"
#include "frmRozliczenia.h"
#include "frmStawkiOdsetek.h"
#include "frmSzczegoly.h"
#include "frmSzukajKlienta.h"
#include "frmTrans.h"
#include "frmWczytajKlienci.h"
#include "frmWindykacja.h"
#include "frmWybierzKodKR.h"
#include "frmZmianaHasla.h"
#include "gridOperacje.h"
#include "gridOperator.h"
#include "uWhiteListFrm.h"

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
    TfrmWczytajWplaty wczytajWplatyFrm(ks, &mainFrm);
    TFakturyFrm fakturyFrm(*data, ks, &mainFrm);
    TLoginFrm loginFrm(*data);
    TOperatorFrm operatorFrm(*data, &mainFrm);
    TOperatorTbl operatorTbl(*data, operatorFrm, &mainFrm);
    TAboutFrm aboutFrm(&mainFrm);
    TDziennikFrm dziennikFrm(*data, &mainFrm);
    TZmianaHaslaFrm zmianaHaslaFrm(*data, &mainFrm);
    loginFrm.setZmianaHasla([&zmianaHaslaFrm](const QString& obecne) {
        return zmianaHaslaFrm.ExecuteWymuszona(obecne) == QDialog::Accepted;
    });
    TPoprawaNazwFrm poprawaNazwFrm(ks, &mainFrm);
    TWhiteListFrm whiteList(BialaListaAdres());
    TPobierzKontaFrm pobierzKontaFrm(*data, whiteList, &mainFrm);
    TWczytajKlienciFrm wczytajKlienciFrm(*data, whiteList, &mainFrm);
    TSzukajKlientaFrm szukajKlientaFrm(*data, &mainFrm);
    TUstawieniaRozrachunkowFrm ustawieniaRozrachunkowFrm(data->conn, &mainFrm);
    TTransFrm transFrm(*data, &mainFrm);
    TPrzeksiegowanieFrm przeksiegowanieFrm(*data, &mainFrm);
    TRozliczeniaFrm rozliczeniaFrm(*data, transFrm, przeksiegowanieFrm, szukajKlientaFrm, &mainFrm);
    rozliczeniaFrm.setDruki(wydruk::drukiRozliczen(*data, &rozliczeniaFrm));
    TOperacjaFrm operacjaFrm(*data, &mainFrm);
    TOperacjeTbl operacjeTbl(*data, operacjaFrm, &mainFrm);
    TWybierzKodKRFrm wybierzKodKRFrm(&mainFrm);
    TKlientFrm klientFrm(*data, wybierzKodKRFrm, &mainFrm);
    TKontoFrm kontoFrm(*data, wybierzKodKRFrm, &mainFrm);
    const auto szukajKlienta = [&](const QString& tekst) {
        const bool ok = szukajKlientaFrm.Execute(tekst) == QDialog::Accepted;
        return ok ? szukajKlientaFrm.FKlientId : 0;
    };
    wczytajWplatyFrm.wybierzKlienta = [&] { return szukajKlienta(QString()); };
    TSzczegolyFrm szczegolyFrm(*data, &mainFrm);
    TPolaczFirmyFrm polaczFirmyFrm(
        *data, szczegolyFrm, [&] { return szukajKlienta(QString()); }, &mainFrm);
    TKlienciFrm klienciFrm(
        *data, klientFrm, kontoFrm, szczegolyFrm, polaczFirmyFrm,
        {szukajKlienta, [&](const QString& nrNip) { pobierzKontaFrm.Execute(nrNip); }}, &mainFrm);

    TDaneFirmyFrm daneFirmyFrm(data->conn, &mainFrm);
    TStawkaFrm stawkaFrm(*data, &mainFrm);
    TStawkiOdsetekFrm stawkiOdsetekFrm(*data, stawkaFrm, &mainFrm);
    TKlientNbp nbp(NbpAdres());
    TKursEurFrm kursEurFrm(*data, &mainFrm);
    TKursyEurTbl kursyEurTbl(*data, kursEurFrm, nbp, &mainFrm);

    MainActions actions;
    actions.daneFirmy = [&] { daneFirmyFrm.Execute(); };
    actions.tabeleOdsetek = [&] { stawkiOdsetekFrm.Execute(); };
    actions.kursyEur = [&] { kursyEurTbl.Execute(); };
    actions.wezwaniaWszystkim = [&] {
        wydruk::TDokumentyWindykacjiFrm f(
            data->conn, wydruk::TDokumentyWindykacjiFrm::Rodzaj::Wezwania, 0, QString(), &mainFrm);
        f.exec();
    };
    actions.potwierdzeniaWszystkim = [&] {
        wydruk::TDokumentyWindykacjiFrm f(data->conn,
                                          wydruk::TDokumentyWindykacjiFrm::Rodzaj::Potwierdzenia, 0,
                                          QString(), &mainFrm);
        f.exec();
    };
    actions.rejestrNot = [&] {
        wydruk::TRejestrNotFrm f(data->conn, 0, &mainFrm);
        f.exec();
    };
    actions.oProgramie = [&] { aboutFrm.Execute(); };
    actions.wczytajWplaty = [&] {
        wczytajWplatyFrm.Execute();
        return wczytajWplatyFrm.FZaksiegowano;
    };
    actions.wczytajFaktury = [&] {
        fakturyFrm.Execute();
        return fakturyFrm.FZaksiegowano;
    };
    actions.rozliczenia = [&] { rozliczeniaFrm.Execute(); };
    actions.transakcje = [&] { operacjeTbl.Execute(); };
    actions.uzytkownicy = [&] { operatorTbl.Execute(); };
    actions.klienci = [&] { klienciFrm.Execute(); };
    actions.zmianaHasla = [&] { zmianaHaslaFrm.Execute(); };
    actions.dziennik = [&] { dziennikFrm.Execute(); };
    actions.wczytajKlienci = [&] { wczytajKlienciFrm.Execute(); };
    actions.ustawieniaRozrachunkow = [&] { ustawieniaRozrachunkowFrm.Execute(); };
    actions.korektaNazw = [&] {
        poprawaNazwFrm.Execute();
        return poprawaNazwFrm.FBylaModyfikacja;
    };
    mainFrm.setActions(actions);

    // Only an operator who logged in sees the main window.
    loginFrm.Autoryzacja();
    if (!loginFrm.FHasloOK) {
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

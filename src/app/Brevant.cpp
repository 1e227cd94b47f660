#include "Brevant.h"

#include "About.h"
#include "Application.h"
#include "DrukiRozliczen.h"
#include "Globals.h"
#include "Icons.h"
#include "Konfig.h"
#include "Ventrol.h"
#include "WczytajFaktury.h"
#include "fdm.h"
#include "fks.h"
#include "fmWczytajWplaty.h"
#include "frmKlienci.h"
#include "frmKlient.h"
#include "frmKonto.h"
#include "frmLogin.h"
#include "frmOperacja.h"
#include "frmOperator.h"
#include "frmPobierzKonta.h"
#include "frmPolaczFirmy.h"
#include "frmPoprawaNazw.h"
#include "frmPrzeksiegowanie.h"
#include "frmRozliczenia.h"
#include "frmSzczegoly.h"
#include "frmSzukajKlienta.h"
#include "frmTrans.h"
#include "frmWczytajKlienci.h"
#include "frmWybierzKodKR.h"
#include "frmZmianaHasla.h"
#include "gridOperacje.h"
#include "gridOperator.h"
#include "uWhiteListFrm.h"

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
    TFakturyFrm fakturyFrm(*data, ks, &mainFrm);
    TLoginFrm loginFrm(*data);
    TOperatorFrm operatorFrm(*data, &mainFrm);
    TOperatorTbl operatorTbl(*data, operatorFrm, &mainFrm);
    TAboutFrm aboutFrm(&mainFrm);
    TZmianaHaslaFrm zmianaHaslaFrm(*data, &mainFrm);
    TPoprawaNazwFrm poprawaNazwFrm(ks, &mainFrm);
    TWhiteListFrm whiteList(BialaListaAdres());
    TPobierzKontaFrm pobierzKontaFrm(*data, whiteList, &mainFrm);
    TWczytajKlienciFrm wczytajKlienciFrm(*data, whiteList, &mainFrm);
    TSzukajKlientaFrm szukajKlientaFrm(*data, &mainFrm);
    TTransFrm transFrm(*data, &mainFrm);
    TPrzeksiegowanieFrm przeksiegowanieFrm(*data, &mainFrm);
    TRozliczeniaFrm rozliczeniaFrm(*data, transFrm, przeksiegowanieFrm, szukajKlientaFrm, &mainFrm);
    rozliczeniaFrm.setDruki(wydruk::drukiRozliczen(*data, &rozliczeniaFrm));
    TOperacjaFrm operacjaFrm(*data, &mainFrm);
    TOperacjeTbl operacjeTbl(*data, operacjaFrm, &mainFrm);
    TWybierzKodKRFrm wybierzKodKRFrm(&mainFrm);
    TKlientFrm klientFrm(*data, wybierzKodKRFrm, &mainFrm);
    TKontoFrm kontoFrm(*data, wybierzKodKRFrm, &mainFrm);
    const auto szukajKlienta = [&] {
        const bool ok = szukajKlientaFrm.Execute() == QDialog::Accepted;
        return ok ? szukajKlientaFrm.FKlientId : 0;
    };
    TSzczegolyFrm szczegolyFrm(*data, &mainFrm);
    TPolaczFirmyFrm polaczFirmyFrm(*data, szczegolyFrm, szukajKlienta, &mainFrm);
    TKlienciFrm klienciFrm(
        *data, klientFrm, kontoFrm, szczegolyFrm, polaczFirmyFrm,
        {szukajKlienta, [&](const QString& nrNip) { pobierzKontaFrm.Execute(nrNip); }}, &mainFrm);

    MainActions actions;
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
    actions.wczytajKlienci = [&] { wczytajKlienciFrm.Execute(); };
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
    data->closeConnection();
    dm = nullptr;
    return rc;
}

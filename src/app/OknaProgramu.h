#pragma once

#include "About.h"
#include "KlientNbp.h"
#include "UstawieniaRozrachunkowFrm.h"
#include "Ventrol.h"
#include "WczytajFaktury.h"
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
#include "frmWybierzKodKR.h"
#include "frmZmianaHasla.h"
#include "gridOperacje.h"
#include "gridOperator.h"
#include "uWhiteListFrm.h"

#include <vector>

class Tdm;
class Tks;

// Every window of the program, made once at start-up and living until it ends, in the order
// the windows need one another. The main window's actions open them. A window added to the
// program is added here: the program shows it, and the test that walks every window (the
// keyboard, the mnemonics, the layout) finds it.
struct OknaProgramu {
    OknaProgramu(Tdm& data, Tks& ks, TMainFrm& mainFrm, const QString& adresBialejListy,
                 const QString& adresNbp);
    OknaProgramu(const OknaProgramu&) = delete;
    OknaProgramu& operator=(const OknaProgramu&) = delete;

    // What the main window's buttons and menu open.
    MainActions akcje();
    // Every top-level window held here; the dialogs a window makes inside itself are its
    // children.
    std::vector<QWidget*> okna();

    Tdm& data_;
    TMainFrm& mainFrm_;
    TfrmWczytajWplaty wczytajWplatyFrm;
    TFakturyFrm fakturyFrm;
    TLoginFrm loginFrm;
    TOperatorFrm operatorFrm;
    TOperatorTbl operatorTbl;
    TAboutFrm aboutFrm;
    TDziennikFrm dziennikFrm;
    TZmianaHaslaFrm zmianaHaslaFrm;
    TPoprawaNazwFrm poprawaNazwFrm;
    TWhiteListFrm whiteList;
    TPobierzKontaFrm pobierzKontaFrm;
    TWczytajKlienciFrm wczytajKlienciFrm;
    TSzukajKlientaFrm szukajKlientaFrm;
    TUstawieniaRozrachunkowFrm ustawieniaRozrachunkowFrm;
    TTransFrm transFrm;
    TPrzeksiegowanieFrm przeksiegowanieFrm;
    TRozliczeniaFrm rozliczeniaFrm;
    TOperacjaFrm operacjaFrm;
    TOperacjeTbl operacjeTbl;
    TWybierzKodKRFrm wybierzKodKRFrm;
    TKlientFrm klientFrm;
    TKontoFrm kontoFrm;
    TSzczegolyFrm szczegolyFrm;
    TPolaczFirmyFrm polaczFirmyFrm;
    TKlienciFrm klienciFrm;
    TDaneFirmyFrm daneFirmyFrm;
    TStawkaFrm stawkaFrm;
    TStawkiOdsetekFrm stawkiOdsetekFrm;
    TKlientNbp nbp;
    TKursEurFrm kursEurFrm;
    TKursyEurTbl kursyEurTbl;

private:
    int szukajKlienta(const QString& tekst);
};

#include "OknaProgramu.h"

#include "DrukiRozliczen.h"
#include "fdm.h"
#include "fks.h"
#include "frmWindykacja.h"

OknaProgramu::OknaProgramu(Tdm& data, Tks& ks, TMainFrm& mainFrm, const QString& adresBialejListy,
                           const QString& adresNbp)
    : data_(data), mainFrm_(mainFrm), wczytajWplatyFrm(ks, &mainFrm),
      fakturyFrm(data, ks, &mainFrm), loginFrm(data), operatorFrm(data, &mainFrm),
      operatorTbl(data, operatorFrm, &mainFrm), aboutFrm(&mainFrm), dziennikFrm(data, &mainFrm),
      zmianaHaslaFrm(data, &mainFrm), poprawaNazwFrm(ks, &mainFrm), whiteList(adresBialejListy),
      pobierzKontaFrm(data, whiteList, &mainFrm), wczytajKlienciFrm(data, whiteList, &mainFrm),
      szukajKlientaFrm(data, &mainFrm), ustawieniaRozrachunkowFrm(data.conn, &mainFrm),
      transFrm(data, &mainFrm), przeksiegowanieFrm(data, &mainFrm),
      rozliczeniaFrm(data, transFrm, przeksiegowanieFrm, szukajKlientaFrm, &mainFrm),
      operacjaFrm(data, &mainFrm), operacjeTbl(data, operacjaFrm, &mainFrm),
      wybierzKodKRFrm(&mainFrm), klientFrm(data, wybierzKodKRFrm, &mainFrm),
      kontoFrm(data, wybierzKodKRFrm, &mainFrm), szczegolyFrm(data, &mainFrm),
      polaczFirmyFrm(
          data, szczegolyFrm, [this] { return szukajKlienta(QString()); }, &mainFrm),
      klienciFrm(data, klientFrm, kontoFrm, szczegolyFrm, polaczFirmyFrm,
                 {[this](const QString& tekst) { return szukajKlienta(tekst); },
                  [this](const QString& nrNip) { pobierzKontaFrm.Execute(nrNip); }},
                 &mainFrm),
      daneFirmyFrm(data.conn, &mainFrm), stawkaFrm(data, &mainFrm),
      stawkiOdsetekFrm(data, stawkaFrm, &mainFrm), nbp(adresNbp), kursEurFrm(data, &mainFrm),
      kursyEurTbl(data, kursEurFrm, nbp, &mainFrm) {
    rozliczeniaFrm.setDruki(wydruk::drukiRozliczen(data, &rozliczeniaFrm));
    wczytajWplatyFrm.wybierzKlienta = [this] { return szukajKlienta(QString()); };
    loginFrm.setZmianaHasla([this](const QString& obecne) {
        return zmianaHaslaFrm.ExecuteWymuszona(obecne) == QDialog::Accepted;
    });
}

int OknaProgramu::szukajKlienta(const QString& tekst) {
    const bool ok = szukajKlientaFrm.Execute(tekst) == QDialog::Accepted;
    return ok ? szukajKlientaFrm.FKlientId : 0;
}

MainActions OknaProgramu::akcje() {
    MainActions actions;
    actions.daneFirmy = [this] { daneFirmyFrm.Execute(); };
    actions.tabeleOdsetek = [this] { stawkiOdsetekFrm.Execute(); };
    actions.kursyEur = [this] { kursyEurTbl.Execute(); };
    actions.oProgramie = [this] { aboutFrm.Execute(); };
    actions.wczytajWplaty = [this] {
        wczytajWplatyFrm.Execute();
        return wczytajWplatyFrm.FZaksiegowano;
    };
    actions.wczytajFaktury = [this] {
        fakturyFrm.Execute();
        return fakturyFrm.FZaksiegowano;
    };
    actions.rozliczenia = [this] { rozliczeniaFrm.Execute(); };
    actions.transakcje = [this] { operacjeTbl.Execute(); };
    actions.uzytkownicy = [this] { operatorTbl.Execute(); };
    actions.klienci = [this] { klienciFrm.Execute(); };
    actions.zmianaHasla = [this] { zmianaHaslaFrm.Execute(); };
    actions.dziennik = [this] { dziennikFrm.Execute(); };
    actions.ustawieniaRozrachunkow = [this] { ustawieniaRozrachunkowFrm.Execute(); };
    // The collection windows for everybody are made when asked for: each run starts afresh.
    actions.wezwaniaWszystkim = [this] {
        wydruk::TDokumentyWindykacjiFrm f(
            data_.conn, wydruk::TDokumentyWindykacjiFrm::Rodzaj::Wezwania, 0, QString(), &mainFrm_);
        f.exec();
    };
    actions.potwierdzeniaWszystkim = [this] {
        wydruk::TDokumentyWindykacjiFrm f(data_.conn,
                                          wydruk::TDokumentyWindykacjiFrm::Rodzaj::Potwierdzenia, 0,
                                          QString(), &mainFrm_);
        f.exec();
    };
    actions.rejestrNot = [this] {
        wydruk::TRejestrNotFrm f(data_.conn, 0, &mainFrm_);
        f.exec();
    };
    actions.wczytajKlienci = [this] { wczytajKlienciFrm.Execute(); };
    actions.korektaNazw = [this] {
        poprawaNazwFrm.Execute();
        return poprawaNazwFrm.FBylaModyfikacja;
    };
    return actions;
}

std::vector<QWidget*> OknaProgramu::okna() {
    return {&wczytajWplatyFrm,
            &fakturyFrm,
            &loginFrm,
            &operatorFrm,
            &operatorTbl,
            &aboutFrm,
            &dziennikFrm,
            &zmianaHaslaFrm,
            &poprawaNazwFrm,
            &pobierzKontaFrm,
            &wczytajKlienciFrm,
            &szukajKlientaFrm,
            &ustawieniaRozrachunkowFrm,
            &transFrm,
            &przeksiegowanieFrm,
            &rozliczeniaFrm,
            &operacjaFrm,
            &operacjeTbl,
            &wybierzKodKRFrm,
            &klientFrm,
            &kontoFrm,
            &szczegolyFrm,
            &polaczFirmyFrm,
            &klienciFrm,
            &daneFirmyFrm,
            &stawkaFrm,
            &stawkiOdsetekFrm,
            &kursEurFrm,
            &kursyEurTbl};
}

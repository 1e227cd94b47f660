#pragma once

#include "Kontrahenci.h"

#include <QDialog>

#include <functional>
#include <vector>

class DataGrid;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;
class TKlientFrm;
class TPoleSzukania;
class TKontoFrm;
class TPolaczFirmyFrm;
class TSzczegolyFrm;
class Tdm;

// "Kontrahenci": the contractor register with each contractor's bank accounts.
class TKlienciFrm : public QDialog {
    Q_OBJECT
public:
    // What the register opens that lives elsewhere: the contractor search, started from the
    // text in the search box (the chosen identifier, 0 when cancelled), and the fetch of a VAT
    // number's accounts from the white list. Either may be empty; its button then does
    // nothing more than its refresh.
    struct Zewnetrzne {
        std::function<int(const QString& tekst)> szukajKlienta;
        std::function<void(const QString& nrNip)> pobierzKonta;
    };

    TKlienciFrm(Tdm& dm, TKlientFrm& klientFrm, TKontoFrm& kontoFrm, TSzczegolyFrm& szczegolyFrm,
                TPolaczFirmyFrm& polaczFrm, Zewnetrzne zewnetrzne, QWidget* parent = nullptr);
    ~TKlienciFrm() override;

    void Execute();
    // What Execute does before the window is shown.
    void Przygotuj();

    void UpdateKontoKL();
    void PokazSaldo();
    void UpdateBtns();

    // Column widths of the contractor grid, kept between runs.
    static inline const QString NazwaSiatki = QStringLiteral("KontrahGrid");
    void LoadConfig();
    void SaveConfig();
    const std::vector<int>& szerokosciKolumn() const { return szerokosci_; }

    DataGrid* KlientGrid = nullptr;
    DataGrid* KontoGrid = nullptr;
    QPushButton* KlientDopiszBtn = nullptr;
    QPushButton* KlientPoprawBtn = nullptr;
    QPushButton* KlientUsunBtn = nullptr;
    QPushButton* PolaczBtn = nullptr;
    QPushButton* KontoDopiszBtn = nullptr;
    QPushButton* KontoPoprawBtn = nullptr;
    QPushButton* KontoUsunBtn = nullptr;
    QPushButton* PobierzBtn = nullptr;
    QPushButton* SzczegolyBtn = nullptr;
    QPushButton* SzukajBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;
    QLineEdit* SzukajEd = nullptr;
    QLabel* SzukajNotkaLbl = nullptr; // "Nie znaleziono ..." beside the search box
    QLabel* SaldoLbl = nullptr;
    QStatusBar* StatusBar = nullptr;

public slots:
    void KlientChange();
    void SzukajBtnClick();
    void KlientDopiszBtnClick();
    void KlientPoprawBtnClick();
    void KlientUsunBtnClick();
    void PolaczBtnClick();
    void KontoDopiszBtnClick();
    void KontoPoprawBtnClick();
    void KontoUsunBtnClick();
    // The white-list fetch for the current contractor, then the account list, its "RB"
    // mark and the buttons follow what it stored.
    void PobierzNumeryKont();
    void SzczegolyBtnClick();
    void done(int r) override;

private:
    void powiaz();
    void rozwiaz();
    void zapamietajSzerokosci();
    int biezacyKlient() const;
    void pokazLiczbe();

    Tdm& dm_;
    TKlientFrm& klientFrm_;
    TKontoFrm& kontoFrm_;
    TSzczegolyFrm& szczegolyFrm_;
    TPolaczFirmyFrm& polaczFrm_;
    Zewnetrzne zewnetrzne_;
    TPoleSzukania* szukanie_ = nullptr;
    std::vector<int> szerokosci_;
    bool powiazany_ = false;
};

#pragma once

#include "OknoImportu.h"
#include "WczytajKlienci.h"
#include "WierszeModel.h"

#include <QDialog>
#include <QElapsedTimer>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class TWhiteListFrm;
class Tdm;

// "Wczytanie danych kontrahentów z pliku JPK_FAKTURA": lists the buyers of an invoice file
// that the register lacks and adds them, optionally with their accounts from the VAT white
// list. The work is DopisywanieKlientow; this window shows, asks and reports progress.
class TWczytajKlienciFrm : public QDialog {
    Q_OBJECT
public:
    TWczytajKlienciFrm(Tdm& dm, TWhiteListFrm& whiteList, QWidget* parent = nullptr);

    void Execute();
    void Resetuj(); // the reset part of Execute
    bool FBylaModyfikacja = false;

    QLineEdit* PlikEd = nullptr;
    QPushButton* Button1 = nullptr; // "&Utwórz listę"
    QTabWidget* Tabs = nullptr;
    QTableView* Grid = nullptr;
    QPlainTextEdit* Rap = nullptr;
    QCheckBox* PobierzNRB = nullptr;
    QPushButton* KsiegujBtn = nullptr;   // "Dopisz do wykazu"
    QPushButton* BrakujaceBtn = nullptr; // accounts for contractors that have none
    QPushButton* PrzerwijBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;
    QProgressBar* Gauge = nullptr;
    QLabel* PostepLbl = nullptr;
    const WierszeModel<NowyKlient>& FaktTbl() const { return model_; }
    bool raportWidoczny() const;
    bool trwa() const { return trwa_; }

public slots:
    void Button1Click();
    void KsiegujBtnClick();
    // "Pobierz brakujące rachunki": accounts from the white list for every contractor with a
    // Polish tax number and no account, whenever the user likes (after a failed run).
    void BrakujaceBtnClick();
    void PrzegladajClick();
    void reject() override;

private:
    void Wczytaj(const JpkDocument& xml);
    void UpdateBtns();
    void UpdateGauge(int done, int count);

    Tdm& dm_;
    TWhiteListFrm& whiteList_;
    WierszeModel<NowyKlient> model_;
    bool trwa_ = false;
    bool przerwij_ = false;
    QElapsedTimer gaugeTimer_;
    QPushButton* PrzegladajBtn = nullptr;
    ZakladkaRaportu raport_;
};

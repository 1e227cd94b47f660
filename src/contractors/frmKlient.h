#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class TPoleKoduKraju;
class TWybierzKodKRFrm;
class Tdm;

// "Kontrahent": adds a contractor or corrects the current one of the register.
class TKlientFrm : public QDialog {
    Q_OBJECT
public:
    TKlientFrm(Tdm& dm, TWybierzKodKRFrm& picker, QWidget* parent = nullptr);

    int Wstaw();
    int Popraw();
    // The resets Wstaw and Popraw make before showing; PrzygotujPopraw is false when the
    // register has no current contractor.
    void PrzygotujWstaw();
    bool PrzygotujPopraw();

    bool NowyWpis = true;
    int KlientId = 0;

    QLineEdit* NazwaEd = nullptr;
    QLineEdit* AdresEd = nullptr;
    TPoleKoduKraju* KodKrajuEd = nullptr;
    QLineEdit* NipEd = nullptr;
    QLineEdit* TelefonEd = nullptr;
    QLineEdit* EmailEd = nullptr;
    // The kind of debtor: business (commercial interest) or consumer (civil-code interest);
    // a business may be a public healthcare provider (the lower commercial rate).
    QRadioButton* PrzedsiebiorcaRb = nullptr;
    QRadioButton* KonsumentRb = nullptr;
    QCheckBox* ZozCb = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZapiszBtnClick();

private:
    Tdm& dm_;
};

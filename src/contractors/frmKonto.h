#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;
class TPoleKoduKraju;
class TWybierzKodKRFrm;
class Tdm;

// "Numer rachunku bankowego": adds an account to a contractor or corrects the current
// account of the register's account list.
class TKontoFrm : public QDialog {
    Q_OBJECT
public:
    TKontoFrm(Tdm& dm, TWybierzKodKRFrm& picker, QWidget* parent = nullptr);

    int Wstaw(int klientId);
    int Popraw();
    void PrzygotujWstaw(int klientId);
    bool PrzygotujPopraw();

    bool NowyWpis = true;
    int FKlientId = 0;
    int WpisId = 0;

    TPoleKoduKraju* KodKrajuEd = nullptr;
    QLineEdit* NumerEd = nullptr;
    QCheckBox* PomijajCb = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZapiszBtnClick();

private:
    Tdm& dm_;
};

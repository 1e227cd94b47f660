#pragma once

#include "DaneFirmy.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;

namespace db {
class Attachment;
}

// "Dane firmy": the company's own details that its documents print.
class TDaneFirmyFrm : public QDialog {
    Q_OBJECT
public:
    explicit TDaneFirmyFrm(db::Attachment& att, QWidget* parent = nullptr);

    int Execute();
    // The part of Execute before the window is shown: the details read afresh.
    void Przygotuj();

    QLineEdit* NazwaEd = nullptr;
    QLineEdit* AdresEd = nullptr;
    QLineEdit* KodMiejscowoscEd = nullptr;
    QLineEdit* NipEd = nullptr;
    QLineEdit* KontoEd = nullptr;
    QLabel* BankLbl = nullptr;
    QLineEdit* MiejsceEd = nullptr;
    QLineEdit* PodpisEd = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZapiszBtnClick();

private:
    void pokazBank();

    db::Attachment& att_;
    int wersja_ = 0; // of the details shown, for the save's check
};

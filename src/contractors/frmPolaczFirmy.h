#pragma once

#include "Scalanie.h"

#include <QDialog>

#include <functional>

class QLabel;
class QPushButton;
class TSzczegolyFrm;
class Tdm;

// "Scalanie danych": merges another contractor into the register's current one.
class TPolaczFirmyFrm : public QDialog {
    Q_OBJECT
public:
    // wybierzKontrahenta opens the contractor search and answers the chosen identifier,
    // 0 when the user cancelled.
    TPolaczFirmyFrm(Tdm& dm, TSzczegolyFrm& szczegoly, std::function<int()> wybierzKontrahenta,
                    QWidget* parent = nullptr);

    int Execute(int klientId);
    void Przygotuj(int klientId);
    void UpdateBtns();
    bool LaczFirmyOK();

    int MainKlientId = 0;
    int SubKlientId = 0;
    bool Scalono = false;

    QLabel* MainNazwaLbl = nullptr;
    QLabel* SubNazwaLbl = nullptr;
    QPushButton* MainSzczegolyBtn = nullptr;
    QPushButton* WybierzBtn = nullptr;
    QPushButton* SubSzczegolyBtn = nullptr;
    QPushButton* WykonajBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;

public slots:
    void WybierzBtnClick();
    void WykonajBtnClick();

private:
    Tdm& dm_;
    TSzczegolyFrm& szczegoly_;
    std::function<int()> wybierzKontrahenta_;
    TScalanie scalanie_;
};

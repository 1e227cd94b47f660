#pragma once

#include <QDialog>

class DataGrid;
class QPushButton;
class Tdm;
class TOperacjaFrm;

// "Opisy transakcji": the dictionary of descriptions the transaction dialog offers.
class TOperacjeTbl : public QDialog {
    Q_OBJECT
public:
    TOperacjeTbl(Tdm& dm, TOperacjaFrm& operacjaFrm, QWidget* parent = nullptr);

    void Execute();
    // The part of Execute before the window is shown; false when the dictionary failed to
    // open (the data module has said so).
    bool Przygotuj();
    void UpdateBtns();

    DataGrid* Grid = nullptr;
    QPushButton* DopiszBtn = nullptr;
    QPushButton* PoprawBtn = nullptr;
    QPushButton* UsunBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;

public slots:
    void DopiszBtnClick();
    void PoprawBtnClick();
    void UsunBtnClick();
    void done(int r) override;

private:
    Tdm& dm_;
    TOperacjaFrm& operacjaFrm_;
};

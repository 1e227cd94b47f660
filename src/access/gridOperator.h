#pragma once

#include <QDialog>

class DataGrid;
class QPushButton;
class Tdm;
class TOperatorFrm;

// "Użytkownicy": the operator list, for the administrator. The administrator's own row can
// be neither corrected nor deleted here.
class TOperatorTbl : public QDialog {
    Q_OBJECT
public:
    TOperatorTbl(Tdm& dm, TOperatorFrm& operatorFrm, QWidget* parent = nullptr);

    void Execute();
    // The part of Execute before the list is shown; false when the table failed to open.
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
    TOperatorFrm& operatorFrm_;
};

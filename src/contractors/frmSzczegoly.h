#pragma once

#include <QDialog>

class DataGrid;
class FiltrOkresu;
class QLabel;
class QPushButton;
class Tdm;

// "Transakcje": a contractor's ledger, newest first, with its running balance, a period to
// show, and the balance; the title names the contractor.
class TSzczegolyFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSzczegolyFrm(Tdm& dm, QWidget* parent = nullptr);

    void Execute(int aKlientId);
    // What Execute does before showing: false when the transactions could not be read.
    bool Przygotuj(int aKlientId);

    int KlientId = 0;
    FiltrOkresu* Okres = nullptr;
    DataGrid* Grid = nullptr;
    QLabel* SaldoLbl = nullptr;
    QPushButton* ZamknijBtn = nullptr;

public slots:
    void done(int r) override;

private:
    Tdm& dm_;
};

#pragma once

#include <QDialog>

class DataGrid;
class QLabel;
class QPushButton;
class Tdm;

// "Transakcje": a contractor's transactions, newest first, and its balance.
class TSzczegolyFrm : public QDialog {
    Q_OBJECT
public:
    explicit TSzczegolyFrm(Tdm& dm, QWidget* parent = nullptr);

    void Execute(int aKlientId);
    // What Execute does before showing: false when the transactions could not be read.
    bool Przygotuj(int aKlientId);

    int KlientId = 0;
    DataGrid* Grid = nullptr;
    QLabel* SaldoLbl = nullptr;
    QPushButton* ZamknijBtn = nullptr;

public slots:
    void done(int r) override;

private:
    Tdm& dm_;
};

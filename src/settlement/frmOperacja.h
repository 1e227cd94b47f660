#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class Tdm;

// "Opis transakcji": adds a description to the dictionary or corrects the current one.
class TOperacjaFrm : public QDialog {
    Q_OBJECT
public:
    explicit TOperacjaFrm(Tdm& dm, QWidget* parent = nullptr);

    void Wstaw();
    void Popraw();
    void PrzygotujWstaw();
    bool PrzygotujPopraw(); // false when the dictionary has no current row

    bool NowyWpis = true;
    int AktWpisId = 0;

    QLineEdit* OpisEd = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZapiszBtnClick();

private:
    Tdm& dm_;
};

#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class Tdm;

// "Użytkownik": adds an operator or corrects the current row of the operator list. A
// correction always sets a new password.
class TOperatorFrm : public QDialog {
    Q_OBJECT
public:
    explicit TOperatorFrm(Tdm& dm, QWidget* parent = nullptr);

    void Wstaw();
    void Popraw();
    // The resets Wstaw and Popraw make before showing the dialog. PrzygotujPopraw is false
    // when the list has no current row.
    void PrzygotujWstaw();
    bool PrzygotujPopraw();

    bool NowyWpis = true;
    int AktOperId = 0;

    QLineEdit* UzytkownikEd = nullptr;
    QLineEdit* HasloEd = nullptr;
    QLineEdit* PowtorzEd = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void OkBtnClick();

private:
    void wyczyscHasla();
    Tdm& dm_;
};

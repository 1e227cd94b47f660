#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class Tdm;

// "... - zmiana hasła": the logged-in operator sets a new password. The old one is not
// asked for: the operator has just logged in with it.
class TZmianaHaslaFrm : public QDialog {
    Q_OBJECT
public:
    explicit TZmianaHaslaFrm(Tdm& dm, QWidget* parent = nullptr);

    void Execute();
    // The part of Execute before the dialog is shown; false when the table failed to open.
    bool Przygotuj();

    QLineEdit* HasloEd = nullptr;
    QLineEdit* PowtorzEd = nullptr;
    QPushButton* ZmienBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZmienBtnClick();
    void done(int r) override;

private:
    Tdm& dm_;
};

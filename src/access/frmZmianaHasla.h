#pragma once

#include <QDialog>

class QLineEdit;
class QPushButton;
class Tdm;

// "... - zmiana hasła": the logged-in operator sets a new password, proving it with the current
// one (a workstation left logged in is no way to take over its operator's password).
class TZmianaHaslaFrm : public QDialog {
    Q_OBJECT
public:
    explicit TZmianaHaslaFrm(Tdm& dm, QWidget* parent = nullptr);

    void Execute();
    // The change a generated password needs before the first work, right after the login
    // with it: the current password is the one just typed and is not asked again. Accepted
    // when the password was changed.
    int ExecuteWymuszona(const QString& obecne);
    // The part of Execute before the dialog is shown; false when the table failed to open.
    bool Przygotuj();
    bool PrzygotujWymuszona(const QString& obecne);

    QLineEdit* ObecneEd = nullptr;
    QLineEdit* HasloEd = nullptr;
    QLineEdit* PowtorzEd = nullptr;
    QPushButton* ZmienBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZmienBtnClick();
    void done(int r) override;

private:
    Tdm& dm_;
    QWidget* obecneEtykieta_ = nullptr;
};

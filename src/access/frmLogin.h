#pragma once

#include <QDialog>

#include <functional>

class QLineEdit;
class QPushButton;
class Tdm;

// "Autoryzacja": the operator's name and password before the main window is shown. The
// dialog stays open after every refusal, however many, until a login succeeds or the user
// cancels.
class TLoginFrm : public QDialog {
    Q_OBJECT
public:
    explicit TLoginFrm(Tdm& dm, QWidget* parent = nullptr);

    // Opens the operator table and shows the dialog; nothing is shown when the table cannot
    // be opened. FHasloOK tells the start-up whether to go on.
    void Autoryzacja();
    // The part of Autoryzacja before the dialog is shown; false when the table failed.
    bool Przygotuj();

    bool FHasloOK = false;

    // The password change an operator whose password was generated with the database makes
    // before working: given the password just typed, true when it was changed.
    void setZmianaHasla(std::function<bool(const QString& obecne)> zmiana) {
        zmianaHasla_ = std::move(zmiana);
    }

    QLineEdit* UzytkownikEd = nullptr;
    QLineEdit* HasloEd = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void OkBtnClick();
    void done(int r) override;

private:
    Tdm& dm_;
    std::function<bool(const QString&)> zmianaHasla_;
};

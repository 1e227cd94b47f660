#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class TWhiteListFrm;
class Tdm;

// "Numery rachunków bankowych": fetches a contractor's accounts from the VAT white list,
// shows them, and saves them on request.
class TPobierzKontaFrm : public QDialog {
    Q_OBJECT
public:
    TPobierzKontaFrm(Tdm& dm, TWhiteListFrm& whiteList, QWidget* parent = nullptr);

    void Execute(const QString& Nip);
    // The reset part of Execute.
    void Resetuj(const QString& Nip);
    // Accounts added by the last "&Zapisz".
    int FDodano = 0;

    QListWidget* Lista = nullptr;
    QPushButton* PobierzBtn = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;
    QLabel* StanLbl = nullptr;
    bool czeka() const { return czeka_; }

public slots:
    void PobierzBtnClick();
    void ZapiszBtnClick();
    void reject() override;

private:
    void UpdateBtns();

    Tdm& dm_;
    TWhiteListFrm& whiteList_;
    QString aNip;
    bool czeka_ = false; // a lookup is waiting for the server
};

#pragma once

#include <QDialog>

class QLabel;
class QListWidget;
class QPushButton;
class TWhiteListFrm;
class Tdm;

// "Numery rachunków bankowych": fetches a contractor's accounts from the VAT white list, shows
// whose they are (name, VAT status and address as the register gives them, with a warning when
// the name is not the contractor's) and saves the accounts the user ticks.
class TPobierzKontaFrm : public QDialog {
    Q_OBJECT
public:
    TPobierzKontaFrm(Tdm& dm, TWhiteListFrm& whiteList, QWidget* parent = nullptr);

    void Execute(const QString& Nip);
    // The reset part of Execute.
    void Resetuj(const QString& Nip);
    // Accounts added by the last "&Zapisz".
    int FDodano = 0;

    QListWidget* Lista = nullptr; // one checkable line per account
    QPushButton* PobierzBtn = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;
    QLabel* StanLbl = nullptr;
    QLabel* NazwaLbl = nullptr; // the subject as the register names it
    QLabel* StatusLbl = nullptr;
    QLabel* AdresLbl = nullptr;
    QLabel* OstrzezenieLbl = nullptr; // shown when the names differ
    bool czeka() const { return czeka_; }
    // The register's contractor with the number (the first in name order, whose accounts a
    // save adds), as the dialog compares it.
    const QString& nazwaKontrahenta() const { return nazwaKontrahenta_; }

public slots:
    void PobierzBtnClick();
    void ZapiszBtnClick();
    void reject() override;

private:
    void UpdateBtns();
    void pokazPodmiot(bool widoczny);

    Tdm& dm_;
    TWhiteListFrm& whiteList_;
    QString aNip;
    QString nazwaKontrahenta_;
    bool czeka_ = false; // a lookup is waiting for the server
};

// The same name for a reader: letter case, blanks and punctuation do not count.
bool TaSamaNazwa(const QString& a, const QString& b);

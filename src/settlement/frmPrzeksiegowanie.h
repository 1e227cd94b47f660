#pragma once

#include "ListaWyboru.h"
#include "Money.h"

#include <QDialog>

class DataGrid;
class QLabel;
class QLineEdit;
class QPushButton;
class TPanelWyboru;
class Tdm;

// "Przeksięgowanie": moves the current payment of the transaction list (read from a bank
// statement) to another contractor chosen from a filtered list.
class TPrzeksiegowanieFrm : public QDialog {
    Q_OBJECT
public:
    explicit TPrzeksiegowanieFrm(Tdm& dm, QWidget* parent = nullptr);

    // Ends with Accepted when the row was moved.
    int Execute();
    // The part of Execute before the dialog is shown; false when the candidate list failed
    // to open (the message has been shown) or there is no current transaction.
    bool Przygotuj();
    bool OtworzKlienci();

    const QString& FFiltr() const { return lista_.filtr(); }
    TListaWyboru& lista() { return lista_; }

    // The question "Przeksięgować wpłatę 1 000,00 zł na: ...?" for the chosen contractor.
    QString Pytanie() const;

    QLabel* ZKontaLbl = nullptr;     // the contractor whose ledger holds the payment now
    QLabel* KontrahentLbl = nullptr; // the payer as the statement names it
    QLabel* OpisLbl = nullptr;
    QLabel* DataLbl = nullptr;
    QLabel* KwotaLbl = nullptr;
    DataGrid* Grid = nullptr;
    QLineEdit* FiltrEd = nullptr;
    QPushButton* PrzeksiegujBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void PrzeksiegujBtnClick();
    void done(int r) override;

protected:
    // Enter with no contractor chosen says so instead of doing nothing.
    void keyPressEvent(QKeyEvent* event) override;

private:
    Tdm& dm_;
    TListaWyboru lista_;
    TPanelWyboru* panel_ = nullptr;
    int wpisId_ = 0;
    Money kwota_;
};

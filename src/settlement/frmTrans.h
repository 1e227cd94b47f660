#pragma once

#include "Transakcja.h"

#include <QDialog>

class QComboBox;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QGroupBox;
class QLabel;
class TPoleKwoty;
class Tdm;

// "Transakcja": adds a transaction entered by the user, or corrects the current row of the
// data module's transaction list. Invoice and statement rows get only a new description.
class TTransFrm : public QDialog {
    Q_OBJECT
public:
    explicit TTransFrm(Tdm& dm, QWidget* parent = nullptr);

    void Insert(int klientId);
    void Edit();
    // The resets Insert and Edit make before showing the dialog. PrzygotujEdit is false when
    // the list has no current row.
    void PrzygotujInsert(int klientId);
    bool PrzygotujEdit();
    // Refills the description drop-down from the dictionary; it keeps its items when the
    // dictionary cannot be opened.
    void LoadEdOpis();

    // What the controls hold, as the save reads it.
    DaneTransakcji Dane() const;

    bool NowyWpis = true;
    TRodzTrans RodzTrans = TRodzTrans::rtWpisUzyt;
    int KlientId = 0;

    QLabel* KontrahentLbl = nullptr; // the contractor whose ledger the row is in
    QGroupBox* RodzajGrp = nullptr;
    QRadioButton* ZaplataRb = nullptr;
    QRadioButton* NaleznoscRb = nullptr;
    QLineEdit* DataEd = nullptr;
    TPoleKwoty* KwotaEd = nullptr;
    QComboBox* OpisEd = nullptr;
    QPushButton* PostBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void PostBtnClick();

private:
    void wlaczPola(bool tak);
    void pokazKontrahenta(int klientId);
    void pokaz(bool naleznosc, const Date& data, Money kwota, const QString& opis);
    Tdm& dm_;
    int wpisId_ = 0;
};

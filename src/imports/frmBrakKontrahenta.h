#pragma once

#include "Dataset.h"
#include "KsiegowanieFaktur.h"
#include "Transaction.h"
#include "recFaktura.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class DataGrid;
class Tdm;

// "Nie znaleziono kontrahenta": asks what to do with an invoice whose buyer's tax number no
// contractor has: add the buyer, give the invoice (and the tax number) to an existing
// contractor, skip the invoice or stop the run.
class TBrakKontrahentaFrm : public QDialog {
    Q_OBJECT
public:
    static constexpr int Abort = 2; // "Przerwij wczytywanie"

    explicit TBrakKontrahentaFrm(Tdm& dm, QWidget* parent = nullptr);
    ~TBrakKontrahentaFrm() override;

    // Resets the dialog for the invoice and shows it modally; Accepted, Rejected or Abort.
    // Rejected without showing when the contractor list cannot be opened.
    int Execute(const recFaktura& f);
    // The part of Execute before the dialog is shown; false when the list failed to open.
    // "Dopisz nowego kontrahenta" is chosen, with no contractor current, unless a contractor
    // has the buyer's tax number written otherwise (its digits are the same): then that one
    // is current and "Wybierz istniejącego kontrahenta" chosen.
    bool Przygotuj(const recFaktura& f);
    // A booking run begins: the register is read again at its first question, and only then.
    void NowyPrzebieg() { listaOtwarta_ = false; }
    // The question callback of a booking run: the dialog's answer for the invoice.
    DecyzjaBrakKontrahenta Pytaj(const recFaktura& f);
    DecyzjaBrakKontrahenta Decyzja(int result) const;

    bool NowyKlient() const;
    QString Nazwa() const;
    QString Adres() const;
    QString KrNipText() const;
    QString NipText() const;
    int FKlientId = 0;
    QString NipWybranego; // the tax number of the contractor chosen, as the list showed it
    recFaktura Fakt;
    QString sFiltr;

    // Controls, for tests and the handlers below.
    QLineEdit* FiltrEd = nullptr;
    DataGrid* KlientGrid = nullptr;
    QRadioButton* NowyRb = nullptr;
    QRadioButton* IstniejacyRb = nullptr;
    QLineEdit* NazwaEd = nullptr;
    QLineEdit* AdresEd = nullptr;
    QLineEdit* KrNipEd = nullptr;
    QLineEdit* NipEd = nullptr;
    QPushButton* OkBtn = nullptr;
    QPushButton* PominBtn = nullptr;
    QPushButton* PrzerwijBtn = nullptr;
    Dataset& klienci() { return Klient; }

public slots:
    void FiltrChange();
    void KlientGridClick(const QModelIndex& index);
    void OkBtnClick();
    void done(int r) override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The row whose tax number has the same digits as nip; -1 when none.
    int wierszZNipem(const QString& nip) const;
    void Wybierz(bool nowy);
    void PokazWybor();

    Tdm& dm_;
    db::Transaction trKlient;
    Dataset Klient;
    bool listaOtwarta_ = false;  // read during the current run
    bool przygotowanie_ = false; // Przygotuj is setting the dialog up
    QLabel* NumerLbl = nullptr;
    QLabel* DataLbl = nullptr;
    QLabel* KwotaLbl = nullptr;
};

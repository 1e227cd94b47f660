#pragma once

#include "OknoImportu.h"
#include "PoprawaNazw.h"
#include "WierszeModel.h"

#include <QDialog>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class Siatka;
class Tks;

// "Korekta nazw i adresów kontrahentów na podstawie pliku faktur": lists the contractors whose
// register name differs from their invoices' and gives them the invoices' names and addresses.
// The comparisons and updates are PoprawaNazw, in the booking module's transaction.
class TPoprawaNazwFrm : public QDialog {
    Q_OBJECT
public:
    explicit TPoprawaNazwFrm(Tks& ks, QWidget* parent = nullptr);

    void Execute();
    // The reset part of Execute: also (re)starts the booking transaction.
    void Resetuj();
    bool FBylaModyfikacja = false;

    QLineEdit* PlikEd = nullptr;
    QPushButton* WczytajBtn = nullptr;
    QPushButton* KsiegujBtn = nullptr; // "&Aktualizuj kontrahentów"
    QPushButton* ZamknijBtn = nullptr;
    QTabWidget* Tabs = nullptr;
    Siatka* Grid = nullptr;
    QPlainTextEdit* Rap = nullptr;
    QLabel* NipLbl = nullptr;
    QLabel* NazwaTbLbl = nullptr;
    QLabel* AdresTbLbl = nullptr;
    QLabel* NazwaFkLbl = nullptr;
    QLabel* AdresFkLbl = nullptr;
    const WierszeModel<PoprawaNazwyWiersz>& FaktTbl() const { return model_; }
    bool raportWidoczny() const;

public slots:
    void WczytajBtnClick();
    void KsiegujBtnClick();
    void PrzegladajClick();
    void done(int r) override;

private:
    void Wczytaj(const JpkDocument& xml);
    void PokazSzczegoly();
    void zatwierdz();

    Tks& ks_;
    PoprawaNazw poprawa_;
    WierszeModel<PoprawaNazwyWiersz> model_;
    QPushButton* PrzegladajBtn = nullptr;
    ZakladkaRaportu raport_;
};

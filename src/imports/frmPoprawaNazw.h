#pragma once

#include "OknoImportu.h"
#include "PoprawaNazw.h"
#include "WierszeModel.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QTabWidget;
class QTableView;
class Tks;

// "Korekta nazw i adresów kontrahentów na podstawie pliku faktur": lists the contractors whose
// register name differs from their invoices' and gives them the invoices' names and addresses.
// The comparisons and updates are PoprawaNazw, in the booking module's transaction.
class TPoprawaNazwFrm : public QDialog {
    Q_OBJECT
public:
    explicit TPoprawaNazwFrm(Tks& ks, QWidget* parent = nullptr);

    void Execute();
    // The reset part of Execute.
    void Resetuj();
    bool FBylaModyfikacja = false;

    QLineEdit* PlikEd = nullptr;
    QPushButton* WczytajBtn = nullptr;
    QPushButton* KsiegujBtn = nullptr; // "&Aktualizuj kontrahentów"
    QPushButton* ZamknijBtn = nullptr;
    QPushButton* ZaznaczBtn = nullptr; // tick or clear every row of the list
    QPushButton* OdznaczBtn = nullptr;
    QTabWidget* Tabs = nullptr;
    QTableView* Grid = nullptr;
    QPlainTextEdit* Rap = nullptr;
    QLabel* NipLbl = nullptr;
    QLabel* NazwaTbLbl = nullptr;
    QLabel* AdresTbLbl = nullptr;
    QLabel* NazwaFkLbl = nullptr;
    QLabel* AdresFkLbl = nullptr;
    const WierszeModel<PoprawaNazwyWiersz>& FaktTbl() const { return model_; }
    WierszeModel<PoprawaNazwyWiersz>& FaktTbl() { return model_; }
    bool raportWidoczny() const;

public slots:
    void WczytajBtnClick();
    void KsiegujBtnClick();
    void PrzegladajClick();

private:
    // Lists the file; the no-rows warning only when the user asked for the list.
    void Wczytaj(const JpkDocument& xml, bool powiedzBrak);
    void PokazSzczegoly();
    void UpdateBtns();

    PoprawaNazw poprawa_;
    std::optional<JpkDocument> xml_; // the file listed, compared again after an update
    WierszeModel<PoprawaNazwyWiersz> model_;
    QPushButton* PrzegladajBtn = nullptr;
    ZakladkaRaportu raport_;
};

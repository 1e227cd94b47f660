#pragma once

#include "Dataset.h"
#include "Rozliczenia.h"

#include <QDialog>

#include <functional>
#include <vector>

class DataGrid;
class FiltrOkresu;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class TPoleSzukania;
class TPrzeksiegowanieFrm;
class TRozrachunkiPanel;
class TSzukajKlientaFrm;
class TTransFrm;
class Tdm;

// What the browser's print buttons open; an empty entry opens nothing.
struct DrukiRozliczen {
    std::function<void(int wpisId)> dowodWplaty; // "Druku&j": the receipt of a payment
    std::function<void()> naleznosci;            // "Drukuj" on "Należności"
    std::function<void()> nadplaty;              // "Drukuj" on "Nadpłaty"
    std::function<void()> zestawienie;           // "Drukuj" on "Zestawienie"
    std::function<void()> wiekowanie;            // "Wiekowanie..." on "Należności"
    // "Windykacja" for the chosen contractor: the interest note, a reminder, a confirmation;
    // true when the ledger changed (a note was booked).
    std::function<bool(int klientId, const QString& nazwa)> notaOdsetkowa = {};
    std::function<bool(int klientId, const QString& nazwa)> wezwanie = {};
    std::function<bool(int klientId, const QString& nazwa)> potwierdzenie = {};
};

// "Rozliczenia": one contractor's ledger at a time, with the whole register's debtors,
// overpayments and balance summary on three more tabs. Every list is a data-module dataset.
class TRozliczeniaFrm : public QDialog {
    Q_OBJECT
public:
    TRozliczeniaFrm(Tdm& dm, TTransFrm& transFrm, TPrzeksiegowanieFrm& przeksiegowanieFrm,
                    TSzukajKlientaFrm& szukajFrm, QWidget* parent = nullptr);

    void setDruki(DrukiRozliczen druki) { druki_ = std::move(druki); }

    void Execute();
    // The part of Execute before the window is shown.
    void Przygotuj();

    void UpdateTrans();
    void UpdateSaldo();
    void UpdateBtns();
    void RefreshTrans();
    void PokazZadluzenie();
    // The "Rozrachunki" tab shows the current contractor.
    void UpdateRozrachunki();

    QTabWidget* Zakladki = nullptr;
    QWidget* RozliczeniaTab = nullptr;
    TRozrachunkiPanel* RozrachunkiTab = nullptr;
    QWidget* NaleznosciTab = nullptr;
    QWidget* NadplatyTab = nullptr;
    QWidget* ZestawienieTab = nullptr;
    QLabel* NazwaLbl = nullptr;
    QPushButton* DopiszBtn = nullptr;
    QPushButton* WindykacjaBtn = nullptr;
    QPushButton* PoprawBtn = nullptr;
    QPushButton* UsunBtn = nullptr;
    QPushButton* PrzeksiegujBtn = nullptr;
    QPushButton* DrukujBtn = nullptr;
    DataGrid* TransGrid = nullptr;
    QLabel* SaldoLbl = nullptr;
    DataGrid* KlientGrid = nullptr;
    QPushButton* SzukajBtn = nullptr;
    QLineEdit* SzukajEd = nullptr;
    QLabel* SzukajNotkaLbl = nullptr; // "Nie znaleziono ..." beside the search box
    QPushButton* ZamknijBtn = nullptr;
    FiltrOkresu* Okres = nullptr;
    QPushButton* DrukujNaleznosciBtn = nullptr;
    QPushButton* WiekowanieBtn = nullptr;
    DataGrid* NaleznosciGrid = nullptr;
    QLabel* NaleznosciLbl = nullptr; // the list's total
    QPushButton* DrukujNadplatyBtn = nullptr;
    DataGrid* NadplatyGrid = nullptr;
    QLabel* NadplatyLbl = nullptr;
    QPushButton* DrukujZestawienieBtn = nullptr;
    DataGrid* ZestawienieGrid = nullptr;
    QLabel* ZestawienieLbl = nullptr;

    // Opens the ledger of the contractor of a row of "Należności", "Nadpłaty" or
    // "Zestawienie" (the first contractor bearing the row's name).
    void PokazKsiege(const Dataset& lista);

public slots:
    void DopiszBtnClick();
    void PoprawBtnClick();
    void UsunBtnClick();
    void PrzeksiegujBtnClick();
    void DrukujBtnClick();
    void SzukajBtnClick();
    void ZakladkaZmieniona(int index);
    void done(int r) override;

private:
    void klientZmieniony();
    void ustawKolumny();

    Tdm& dm_;
    TTransFrm& transFrm_;
    TPrzeksiegowanieFrm& przeksiegowanieFrm_;
    TSzukajKlientaFrm& szukajFrm_;
    TPoleSzukania* szukanie_ = nullptr;
    DrukiRozliczen druki_;
    // The shared lists' columns as other windows set them, given back on closing.
    std::vector<DatasetColumn> kolumnyKlient_, kolumnyTrans_;
    bool otwarte_ = false;
};

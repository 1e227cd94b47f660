#pragma once

#include "FaktTblModel.h"
#include "OknoImportu.h"
#include "ZrodloFaktur.h"

#include <QDialog>
#include <QElapsedTimer>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QTabWidget;
class QTableView;
class HistoriaImportow;
class TBrakKontrahentaFrm;
class Tdm;
class Tks;

// "Wczytywanie danych z faktur": lists the invoices of a JPK_FA file, a KSeF invoice, a
// folder or a ZIP of them, and books them as amounts due. The booking itself is
// KsiegowanieFaktur; this window shows and asks.
class TFakturyFrm : public QDialog {
    Q_OBJECT
public:
    TFakturyFrm(Tdm& dm, Tks& ks, QWidget* parent = nullptr);
    ~TFakturyFrm() override;

    // Resets the window and shows it modally; FZaksiegowano tells the caller afterwards.
    void Execute();
    // The reset part of Execute.
    void Resetuj();
    bool FZaksiegowano = false;

    // Controls, for tests.
    QLineEdit* PlikEd = nullptr;
    QPushButton* WczytajBtn = nullptr;
    QPushButton* KsiegujBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;
    QProgressBar* Gauge = nullptr;
    QTabWidget* Tabs = nullptr;
    QPlainTextEdit* Rap = nullptr;
    QTableView* Grid = nullptr;
    HistoriaImportow* Historia = nullptr; // the tab "Historia importów"
    QLabel* KwotaLbl = nullptr;           // details of the current invoice
    QLabel* WalutaLbl = nullptr;
    QLabel* RodzajLbl = nullptr;
    TBrakKontrahentaFrm* BrakKontrahenta() const { return brak_; }
    const FaktTblModel& FaktTbl() const { return model_; }
    bool raportWidoczny() const;

public slots:
    void WczytajBtnClick();
    void KsiegujBtnClick();
    void PrzegladajClick();
    void FolderClick();
    void reject() override;

private:
    void Oproznij();
    void UpdateGauge(int position);
    void PokazSzczegoly();
    void UpdateBtns();

    Tks& ks_;
    TBrakKontrahentaFrm* brak_ = nullptr;
    FaktTblModel model_;
    bool listaKompletna_ = false; // the listing read every invoice of the document
    bool trwa_ = false;           // a booking run is in progress
    QElapsedTimer gaugeTimer_;
    QStringList pominietePliki_; // files of a folder or ZIP that were no invoice files
    QString plikListy_;          // the path the list was read from, for the import history
    QPushButton* PrzegladajBtn = nullptr;
    QPushButton* FolderBtn = nullptr;
    QLabel* NumerLbl = nullptr;
    QLabel* DataLbl = nullptr;
    QLabel* KontrahentLbl = nullptr;
    QLabel* AdresLbl = nullptr;
    QLabel* PlikLbl = nullptr;
    ZakladkaRaportu raport_;
};

#pragma once

#include "Dataset.h"
#include "Odsetki.h"
#include "Transaction.h"

#include <QDialog>

#include <array>

class DataGrid;
class QCheckBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QPushButton;
class QTabWidget;
class Tdm;

// "Stawka odsetek": adds a rate to one of the tables or corrects one.
class TStawkaFrm : public QDialog {
    Q_OBJECT
public:
    explicit TStawkaFrm(Tdm& dm, QWidget* parent = nullptr);

    // The resets before showing: a new rate of the given table, or the given rate corrected.
    void PrzygotujWstaw(odsetki::Rodzaj rodzaj);
    void PrzygotujPopraw(odsetki::Rodzaj rodzaj, const odsetki::Stawka& stawka);
    int Wstaw(odsetki::Rodzaj rodzaj);
    int Popraw(odsetki::Rodzaj rodzaj, const odsetki::Stawka& stawka);

    // What was saved, for the list to show it.
    odsetki::Stawka Zapisana;

    QDateEdit* OdEd = nullptr;
    QLineEdit* StawkaEd = nullptr;
    QLabel* ZozLbl = nullptr;
    QLineEdit* ZozEd = nullptr;
    QCheckBox* DoSprawdzeniaCb = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZapiszBtnClick();

private:
    void przygotuj(odsetki::Rodzaj rodzaj);
    void podpowiedzZoz();

    Tdm& dm_;
    odsetki::Rodzaj rodzaj_ = odsetki::Rodzaj::Handlowe;
    bool nowa_ = true;
    odsetki::Stawka stara_;
    bool zozWpisanaRecznie_ = false;
};

// "Tabele odsetek": the commercial and the civil-code interest rates, each from its day.
class TStawkiOdsetekFrm : public QDialog {
    Q_OBJECT
public:
    TStawkiOdsetekFrm(Tdm& dm, TStawkaFrm& stawkaFrm, QWidget* parent = nullptr);

    void Execute();
    // The part of Execute before the window is shown; false when a table cannot be read.
    bool Przygotuj();
    void UpdateBtns();

    odsetki::Rodzaj biezacyRodzaj() const;
    Dataset& lista(odsetki::Rodzaj rodzaj);
    // The current row of the shown table as a rate; none when the table has no row.
    std::optional<odsetki::Stawka> biezacaStawka() const;

    QTabWidget* Zakladki = nullptr;
    std::array<DataGrid*, 2> Siatki{};
    QPushButton* DopiszBtn = nullptr;
    QPushButton* PoprawBtn = nullptr;
    QPushButton* UsunBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;

public slots:
    void DopiszBtnClick();
    void PoprawBtnClick();
    void UsunBtnClick();
    void done(int r) override;

private:
    bool otworz(odsetki::Rodzaj rodzaj);
    // Reads the table again and moves to the rate from the given day.
    void pokaz(odsetki::Rodzaj rodzaj, const QDate& od);

    Tdm& dm_;
    TStawkaFrm& stawkaFrm_;
    db::Transaction trHandlowe_;
    db::Transaction trUstawowe_;
    Dataset handlowe_;
    Dataset ustawowe_;
};

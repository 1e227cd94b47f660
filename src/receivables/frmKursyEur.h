#pragma once

#include "Dataset.h"
#include "KursyEur.h"
#include "ListaTbl.h"
#include "Transaction.h"

#include <QDialog>

#include <memory>

class QDateEdit;
class QLineEdit;
class QPushButton;
class TKlientNbp;
class Tdm;

// "Kurs euro": a rate typed in, or one corrected.
class TKursEurFrm : public QDialog {
    Q_OBJECT
public:
    explicit TKursEurFrm(Tdm& dm, QWidget* parent = nullptr);

    void PrzygotujWstaw();
    void PrzygotujPopraw(const kursy::KursEur& kurs);

    QDate Zapisany; // the day saved, for the list to show it
    QDateEdit* DataEd = nullptr;
    QLineEdit* KursEd = nullptr;
    QPushButton* ZapiszBtn = nullptr;
    QPushButton* AnulujBtn = nullptr;

public slots:
    void ZapiszBtnClick();

private:
    Tdm& dm_;
    std::optional<kursy::KursEur> stary_;
};

// "Pobierz kursy z NBP": the months whose last euro rate to fetch.
class TPobierzKursyFrm : public QDialog {
    Q_OBJECT
public:
    explicit TPobierzKursyFrm(QWidget* parent = nullptr);
    void Przygotuj(const QDate& dzis = QDate::currentDate());

    QDateEdit* OdEd = nullptr;
    QDateEdit* DoEd = nullptr;
    QPushButton* PobierzBtn = nullptr;
};

// "Kursy euro (NBP)": the average euro rates of table A that convert the compensation for
// recovery costs, typed in or fetched from the NBP.
class TKursyEurTbl : public TListaTbl {
    Q_OBJECT
public:
    TKursyEurTbl(Tdm& dm, TKursEurFrm& kursFrm, TKlientNbp& nbp, QWidget* parent = nullptr);
    ~TKursyEurTbl() override;

    // Fetches the months chosen in the dialog and saves what came; says what happened.
    void Pobierz(const QDate& odMiesiaca, const QDate& doMiesiaca);
    // The rates the window shows.
    const Dataset& Kursy() const;

    QPushButton* PobierzBtn = nullptr;
    TPobierzKursyFrm* PobierzFrm = nullptr;

protected:
    bool Otworz() override;
    void Dopisz() override;
    void Popraw() override;
    bool Usun() override;
    void Zakoncz() override;

private:
    struct Lista;
    TKursyEurTbl(Tdm& dm, TKursEurFrm& kursFrm, TKlientNbp& nbp, std::unique_ptr<Lista> lista,
                 QWidget* parent);
    std::optional<kursy::KursEur> biezacy() const;
    void pokaz(const QDate& dzien);

    Tdm& dm_;
    TKursEurFrm& kursFrm_;
    TKlientNbp& nbp_;
    std::unique_ptr<Lista> lista_;
};

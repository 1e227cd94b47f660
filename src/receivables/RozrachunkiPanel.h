#pragma once

#include "Rozrachunki.h"

#include <QAbstractTableModel>
#include <QWidget>

#include <functional>
#include <optional>

class QCheckBox;
class QLabel;
class QPushButton;
class Siatka;
namespace db {
class Attachment;
}

// The items of one list of the "Rozrachunki" tab: amounts due or payments.
class PozycjeModel : public QAbstractTableModel {
    Q_OBJECT
public:
    enum class Rodzaj { Naleznosci, Wplaty };
    PozycjeModel(Rodzaj rodzaj, QObject* parent = nullptr);
    void ustaw(std::vector<rozrachunki::Pozycja> pozycje, const Date& naDzien);
    const rozrachunki::Pozycja* pozycja(int wiersz) const;
    int wierszPozycji(int wpisId) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QVariant wartoscDoSortowania(const rozrachunki::Pozycja& p, int kolumna) const;

    Rodzaj rodzaj_;
    std::vector<rozrachunki::Pozycja> pozycje_;
    Date naDzien_;
};

// The links of the row chosen in one of the two lists.
class PowiazaniaModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    // The links of the row, with its own identifier and side.
    void ustaw(const rozrachunki::Pozycja* p, bool naleznosc);
    // The pair (amount due, payment) of a row of this list.
    std::optional<std::pair<int, int>> para(int wiersz) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<rozrachunki::Rozliczenie> wiersze_;
    int wpisId_ = 0;
    bool naleznosc_ = true;
};

// "Rozrachunki": the open invoices of one contractor with their due dates, what is paid, what
// is left and how long past due; its payments with what is not yet allocated; and the links
// between them, which the user makes and removes here.
class TRozrachunkiPanel : public QWidget {
    Q_OBJECT
public:
    explicit TRozrachunkiPanel(db::Attachment& conn, QWidget* parent = nullptr);

    // Reads and shows the contractor's items as of today; 0 shows nothing.
    void Pokaz(int klientId, const QString& nazwa);
    // Reads the same contractor again, keeping the chosen rows.
    void Odswiez();
    const rozrachunki::StanRozrachunkow& stan() const { return stan_; }
    int klientId() const { return klientId_; }

    // Chooses rows as a click would (tests, and keeping the choice after a change).
    bool wybierzNaleznosc(int wpisId);
    bool wybierzWplate(int wpisId);
    bool wybierzPowiazanie(int wiersz);
    // The amount of a new link: asked before anything is locked, nothing when the user gave
    // up. Tests replace it.
    std::function<std::optional<Money>(Money proponowana)> zapytajKwote;

    QLabel* NazwaLbl = nullptr;
    QLabel* PodsumowanieLbl = nullptr;
    QCheckBox* RozliczoneCb = nullptr;
    Siatka* NaleznosciGrid = nullptr;
    Siatka* WplatyGrid = nullptr;
    Siatka* PowiazaniaGrid = nullptr;
    QLabel* PowiazaniaLbl = nullptr;
    QPushButton* PolaczBtn = nullptr;
    QPushButton* OdlaczBtn = nullptr;
    QPushButton* DopasujBtn = nullptr;
    PozycjeModel* Naleznosci = nullptr;
    PozycjeModel* Wplaty = nullptr;
    PowiazaniaModel* Powiazania = nullptr;

public slots:
    void PolaczBtnClick();
    void OdlaczBtnClick();
    void DopasujBtnClick();

signals:
    // Links were made or removed here.
    void zmieniono();

private:
    void wypelnij();
    void pokazPowiazania(bool naleznosc);
    void UpdateBtns();
    const rozrachunki::Pozycja* wybrana(const Siatka* grid, const PozycjeModel* model) const;

    db::Attachment& conn_;
    int klientId_ = 0;
    rozrachunki::StanRozrachunkow stan_;
    bool naleznosciPowiazan_ = true; // the links shown are those of the chosen amount due
};

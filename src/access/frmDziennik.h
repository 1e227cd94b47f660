#pragma once

#include "Dziennik.h"

#include <QAbstractTableModel>
#include <QDialog>

#include <vector>

class QDateEdit;
class QLabel;
class QPushButton;
class QTableView;
class Tdm;

// The change log's entries as a read-only list.
class DziennikModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;
    void ustaw(std::vector<dziennik::WpisDziennika> wpisy);
    const std::vector<dziennik::WpisDziennika>& wpisy() const { return wpisy_; }

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<dziennik::WpisDziennika> wpisy_;
};

// "Dziennik zmian": who deleted, corrected, re-booked or merged what and when, between two
// days. Nothing in it can be changed from the program (nor, the database sees to it, at all).
class TDziennikFrm : public QDialog {
    Q_OBJECT
public:
    explicit TDziennikFrm(Tdm& dm, QWidget* parent = nullptr);

    void Execute();
    // The part of Execute before the window is shown: the last 30 days, read.
    void Przygotuj();

    QDateEdit* OdEd = nullptr;
    QDateEdit* DoEd = nullptr;
    QPushButton* PokazBtn = nullptr;
    QTableView* Grid = nullptr;
    QLabel* SzczegolyLbl = nullptr; // the chosen entry in full
    QLabel* LiczbaLbl = nullptr;
    QPushButton* ZamknijBtn = nullptr;
    const DziennikModel& model() const { return model_; }

public slots:
    void PokazBtnClick();

private:
    void pokazSzczegoly();

    Tdm& dm_;
    DziennikModel model_;
};

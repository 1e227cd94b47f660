#pragma once

#include "Dataset.h"

#include <QDialog>
#include <QString>

#include <vector>

class DataGrid;
class QPushButton;

// A dictionary list window: a grid bound to a dataset, "Dopisz", "Popraw", "Usuń" beside it and
// "Zamknij" below. The grid, the buttons and their enabling live here; what adding, correcting
// and deleting a row mean is the derived window's.
class TListaTbl : public QDialog {
    Q_OBJECT
public:
    struct Napisy {
        QString dopisz;
        QString popraw;
        QString usun;
    };

    void Execute();
    // The part of Execute before the list is shown; false when the dataset failed to open (the
    // opener has said so).
    bool Przygotuj();
    // Adding needs an open dataset; correcting and deleting also a row the window allows.
    void UpdateBtns();

    DataGrid* Grid = nullptr;
    QPushButton* DopiszBtn = nullptr;
    QPushButton* PoprawBtn = nullptr;
    QPushButton* UsunBtn = nullptr;
    QPushButton* ZamknijBtn = nullptr;

public slots:
    void DopiszBtnClick();
    void PoprawBtnClick();
    void UsunBtnClick();
    void done(int r) override;

protected:
    // The columns are set on the dataset before the grid is bound to it. A derived constructor
    // calls UpdateBtns once it is complete (the row rule is its own).
    TListaTbl(Dataset& dataset, std::vector<DatasetColumn> kolumny, const Napisy& napisy,
              QWidget* parent);

    const Dataset& dataset() const { return dataset_; }
    // A further button of the window's own, below "Usuń"; the window connects and enables it.
    QPushButton* dodajPrzycisk(const QString& napis);

    virtual bool Otworz() = 0;
    // Whether the current row of an open dataset may be corrected and deleted.
    virtual bool WierszDoZmiany() const;
    virtual void Dopisz() = 0;
    virtual void Popraw() = 0;
    // False when the user declined; the buttons are then left as they are.
    virtual bool Usun() = 0;
    // After the window closes: ends the reading the list held open.
    virtual void Zakoncz() = 0;

private:
    Dataset& dataset_;
    class QVBoxLayout* przyciski_ = nullptr;
};

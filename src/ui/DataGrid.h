#pragma once

#include "Siatka.h"

class Dataset;

// A list showing a dataset. The list's current row and the dataset's current row stay in
// step both ways, whatever order the user sorted the list in; a move in either is one
// "current row changed" of the dataset. The highlighted row is always the dataset's current
// row: a selection made any way at all (a drag of the mouse, a click the view handled itself)
// moves the dataset with it.
class DataGrid : public Siatka {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    void setDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }

protected:
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    void syncFromDataset();
    Dataset* dataset_ = nullptr;
    bool syncing_ = false;
};

#pragma once

#include "Siatka.h"

class Dataset;

// A list showing a dataset. The list's current row and the dataset's current row stay in
// step both ways, whatever order the user sorted the list in; a move in either is one
// "current row changed" of the dataset.
class DataGrid : public Siatka {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    void setDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }

private:
    void syncFromDataset();
    Dataset* dataset_ = nullptr;
    bool syncing_ = false;
};

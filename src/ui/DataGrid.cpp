#include "DataGrid.h"

#include "Dataset.h"

DataGrid::DataGrid(QWidget* parent) : Siatka(parent) {
    connect(this, &Siatka::biezacyZmieniony, this, [this](int wiersz) {
        if (!syncing_ && dataset_ && wiersz >= 0)
            dataset_->setCurrentIndex(wiersz);
    });
}

void DataGrid::setDataset(Dataset* dataset) {
    if (dataset_)
        disconnect(dataset_, nullptr, this, nullptr);
    dataset_ = dataset;
    setModel(dataset);
    if (!dataset)
        return;
    connect(dataset, &Dataset::currentChanged, this, &DataGrid::syncFromDataset);
    // After the sorted view has caught up with the new rows.
    connect(sortowanie(), &QAbstractItemModel::modelReset, this, &DataGrid::syncFromDataset);
    connect(sortowanie(), &QAbstractItemModel::layoutChanged, this, &DataGrid::syncFromDataset);
    syncFromDataset();
}

void DataGrid::syncFromDataset() {
    if (!dataset_ || !selectionModel())
        return;
    syncing_ = true;
    ustawBiezacy(dataset_->currentIndex());
    syncing_ = false;
}

void DataGrid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    Siatka::selectionChanged(selected, deselected);
    if (syncing_ || !dataset_ || !selectionModel())
        return;
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = sortowanie()->mapToSource(rows.last()).row();
    if (rows.size() > 1 || row != dataset_->currentIndex()) {
        dataset_->setCurrentIndex(row);
        syncFromDataset();
    }
}

#include "DataGrid.h"

#include "Dataset.h"

#include <QHeaderView>
#include <QKeyEvent>

DataGrid::DataGrid(QWidget* parent) : QTableView(parent) {
    setSelectionBehavior(QAbstractItemView::SelectRows);
    setSelectionMode(QAbstractItemView::SingleSelection);
    setEditTriggers(QAbstractItemView::NoEditTriggers);
    setAlternatingRowColors(true);
    setWordWrap(false);
    verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 6);
    verticalHeader()->setVisible(false);
    horizontalHeader()->setHighlightSections(false);
    connect(this, &QTableView::doubleClicked, this, [this] { emit activated(); });
}

void DataGrid::setDataset(Dataset* dataset) {
    if (dataset_)
        disconnect(dataset_, nullptr, this, nullptr);
    dataset_ = dataset;
    setModel(dataset);
    if (!dataset)
        return;
    connect(dataset, &Dataset::currentChanged, this, &DataGrid::syncFromDataset);
    connect(dataset, &QAbstractItemModel::modelReset, this, &DataGrid::syncFromDataset);
    connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
            [this](const QModelIndex& current) {
                if (!syncing_ && dataset_ && current.isValid())
                    dataset_->setCurrentIndex(current.row());
            });
    syncFromDataset();
}

void DataGrid::syncFromDataset() {
    if (!dataset_ || !selectionModel())
        return;
    syncing_ = true;
    const int row = dataset_->currentIndex();
    if (row < 0) {
        // No row current in the view either: a click on the row it kept would change
        // nothing and leave the dataset without its row.
        selectionModel()->clearCurrentIndex();
        selectionModel()->clearSelection();
    } else {
        const int column = std::max(0, currentIndex().column());
        const QModelIndex idx = dataset_->index(row, column);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        scrollTo(idx);
    }
    syncing_ = false;
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit activated();
        return;
    }
    QTableView::keyPressEvent(event);
}

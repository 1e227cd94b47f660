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
        // No row stands current: none is highlighted, nor framed as the keyboard's.
        selectionModel()->clearSelection();
        selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    } else {
        const int column = std::max(0, currentIndex().column());
        const QModelIndex idx = dataset_->index(row, column);
        selectionModel()->setCurrentIndex(idx, QItemSelectionModel::ClearAndSelect |
                                                   QItemSelectionModel::Rows);
        // A row the user is clicking stays under the mouse; any other move is shown.
        if (!mouseDown_)
            scrollTo(idx);
    }
    syncing_ = false;
}

void DataGrid::mousePressEvent(QMouseEvent* event) {
    mouseDown_ = true;
    QTableView::mousePressEvent(event);
}

void DataGrid::mouseDoubleClickEvent(QMouseEvent* event) {
    mouseDown_ = true;
    QTableView::mouseDoubleClickEvent(event);
}

void DataGrid::mouseReleaseEvent(QMouseEvent* event) {
    QTableView::mouseReleaseEvent(event);
    mouseDown_ = false;
}

void DataGrid::selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) {
    QTableView::selectionChanged(selected, deselected);
    if (syncing_ || !dataset_ || !selectionModel())
        return;
    // Whatever made the selection (a drag of the mouse, a click the view handled itself), the
    // highlighted row is the one the dataset stands on.
    const QModelIndexList rows = selectionModel()->selectedRows();
    if (rows.isEmpty())
        return;
    const int row = rows.last().row();
    if (rows.size() > 1 || row != dataset_->currentIndex()) {
        dataset_->setCurrentIndex(row);
        syncFromDataset();
    }
}

void DataGrid::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        emit activated();
        return;
    }
    QTableView::keyPressEvent(event);
}

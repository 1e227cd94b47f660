#pragma once

#include <QTableView>

class Dataset;

// A read-only grid showing a dataset. The grid's selected row and the dataset's current row
// stay in step both ways; a move in either is one "current row changed" of the dataset.
class DataGrid : public QTableView {
    Q_OBJECT
public:
    explicit DataGrid(QWidget* parent = nullptr);
    void setDataset(Dataset* dataset);
    Dataset* dataset() const { return dataset_; }

signals:
    // Double click or Enter on a row.
    void activated();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void syncFromDataset();
    Dataset* dataset_ = nullptr;
    bool syncing_ = false;
};

#pragma once

#include <QTableView>

class Dataset;

// A read-only grid showing a dataset. The grid's selected row and the dataset's current row
// stay in step both ways; a move in either is one "current row changed" of the dataset. The
// highlighted row is always the dataset's current row: a click on a half-visible row does not
// scroll the grid under the mouse (which would leave the press on one row and the highlight
// on the next), and a selection made any other way moves the dataset with it.
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
    void mousePressEvent(QMouseEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void selectionChanged(const QItemSelection& selected,
                          const QItemSelection& deselected) override;

private:
    void syncFromDataset();
    Dataset* dataset_ = nullptr;
    bool syncing_ = false;
    bool mouseDown_ = false;
};

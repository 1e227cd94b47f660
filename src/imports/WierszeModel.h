#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <utility>
#include <vector>

// A read-only list of records shown in a grid: one title and one getter per column.
template <typename Row> class WierszeModel : public QAbstractTableModel {
public:
    struct Kolumna {
        QString tytul;
        std::function<QString(const Row&)> wartosc;
    };

    explicit WierszeModel(std::vector<Kolumna> kolumny, QObject* parent = nullptr)
        : QAbstractTableModel(parent), kolumny_(std::move(kolumny)) {}

    void setRows(std::vector<Row> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        endResetModel();
    }
    void clear() { setRows({}); }
    const std::vector<Row>& rows() const { return rows_; }
    const Row* row(int index) const {
        return index >= 0 && index < static_cast<int>(rows_.size())
                   ? &rows_[static_cast<size_t>(index)]
                   : nullptr;
    }

    int rowCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(rows_.size());
    }
    int columnCount(const QModelIndex& parent = {}) const override {
        return parent.isValid() ? 0 : static_cast<int>(kolumny_.size());
    }
    QVariant data(const QModelIndex& index, int role) const override {
        const Row* r = row(index.row());
        if (!r || role != Qt::DisplayRole || index.column() >= columnCount())
            return {};
        return kolumny_[static_cast<size_t>(index.column())].wartosc(*r);
    }
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override {
        if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
            section >= columnCount())
            return {};
        return kolumny_[static_cast<size_t>(section)].tytul;
    }

private:
    std::vector<Kolumna> kolumny_;
    std::vector<Row> rows_;
};

#pragma once

#include <QAbstractTableModel>

#include <functional>
#include <utility>
#include <vector>

// A read-only list of records shown in a grid: one title and one getter per column. With
// `zaznaczalne` the first column carries a box per row, ticked when the rows are set, so the
// user chooses the rows an action applies to.
template <typename Row> class WierszeModel : public QAbstractTableModel {
public:
    struct Kolumna {
        QString tytul;
        std::function<QString(const Row&)> wartosc;
        Qt::Alignment wyrownanie = Qt::AlignLeft | Qt::AlignVCenter; // amounts to the right
    };

    explicit WierszeModel(std::vector<Kolumna> kolumny, QObject* parent = nullptr,
                          bool zaznaczalne = false)
        : QAbstractTableModel(parent), kolumny_(std::move(kolumny)), zaznaczalne_(zaznaczalne) {}

    void setRows(std::vector<Row> rows) {
        beginResetModel();
        rows_ = std::move(rows);
        zaznaczone_.assign(rows_.size(), true);
        endResetModel();
    }
    bool zaznaczony(int index) const {
        return index >= 0 && index < static_cast<int>(zaznaczone_.size()) &&
               zaznaczone_[static_cast<size_t>(index)];
    }
    void zaznacz(int index, bool tak) {
        if (index < 0 || index >= static_cast<int>(zaznaczone_.size()))
            return;
        zaznaczone_[static_cast<size_t>(index)] = tak;
        emit dataChanged(this->index(index, 0), this->index(index, 0), {Qt::CheckStateRole});
    }
    void zaznaczWszystkie(bool tak) {
        if (rows_.empty())
            return;
        zaznaczone_.assign(rows_.size(), tak);
        emit dataChanged(index(0, 0), index(rowCount() - 1, 0), {Qt::CheckStateRole});
    }
    // The ticked rows, in list order (all rows of a list without boxes).
    std::vector<Row> zaznaczoneWiersze() const {
        std::vector<Row> out;
        for (size_t i = 0; i < rows_.size(); ++i)
            if (!zaznaczalne_ || zaznaczone_[i])
                out.push_back(rows_[i]);
        return out;
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
        if (!r || index.column() >= columnCount())
            return {};
        if (role == Qt::CheckStateRole && zaznaczalne_ && index.column() == 0)
            return zaznaczony(index.row()) ? Qt::Checked : Qt::Unchecked;
        if (role == Qt::TextAlignmentRole)
            return QVariant::fromValue(kolumny_[static_cast<size_t>(index.column())].wyrownanie);
        if (role != Qt::DisplayRole)
            return {};
        return kolumny_[static_cast<size_t>(index.column())].wartosc(*r);
    }
    Qt::ItemFlags flags(const QModelIndex& index) const override {
        Qt::ItemFlags f = QAbstractTableModel::flags(index);
        if (zaznaczalne_ && index.column() == 0)
            f |= Qt::ItemIsUserCheckable;
        return f;
    }
    bool setData(const QModelIndex& index, const QVariant& value, int role) override {
        if (!zaznaczalne_ || role != Qt::CheckStateRole || index.column() != 0 || !row(index.row()))
            return false;
        zaznacz(index.row(), value.toInt() == Qt::Checked);
        return true;
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
    bool zaznaczalne_ = false;
    std::vector<bool> zaznaczone_;
};

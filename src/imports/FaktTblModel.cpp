#include "FaktTblModel.h"

#include "FaktTbl.h"

void FaktTblModel::setRows(std::vector<recFaktura> rows) {
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

const recFaktura* FaktTblModel::row(int index) const {
    if (index < 0 || index >= rowCount())
        return nullptr;
    return &rows_[static_cast<size_t>(index)];
}

int FaktTblModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(rows_.size());
}

int FaktTblModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : 4;
}

QVariant FaktTblModel::data(const QModelIndex& index, int role) const {
    const recFaktura* f = row(index.row());
    if (!f || role != Qt::DisplayRole)
        return {};
    const FaktTbl::Wiersz w = FaktTbl::wiersz(*f);
    switch (index.column()) {
    case 0:
        return w.Numer;
    case 1:
        return w.NIP;
    case 2:
        return w.Nazwa;
    case 3:
        return w.Adres;
    default:
        return {};
    }
}

QVariant FaktTblModel::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    static const char* const titles[] = {"Numer faktury", "Numer VAT", "Nazwa kontrahenta",
                                         "Adres kontrahenta"};
    return section >= 0 && section < 4 ? QString::fromUtf8(titles[section]) : QVariant();
}

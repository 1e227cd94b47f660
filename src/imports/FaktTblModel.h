#pragma once

#include "recFaktura.h"

#include <QAbstractTableModel>

#include <vector>

// The listed invoices as the grid shows them; it also keeps the records for booking.
class FaktTblModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    void setRows(std::vector<recFaktura> rows);
    void clear() { setRows({}); }
    const std::vector<recFaktura>& rows() const { return rows_; }
    const recFaktura* row(int index) const;
    // The line under the list: how many invoices booking would write and their sum, and
    // those it would not (another currency, no buyer's tax number). Invoices booked before
    // are known only when booking.
    QString podsumowanie() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<recFaktura> rows_;
};

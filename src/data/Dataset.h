#pragma once

#include "Statement.h"
#include "Value.h"

#include <QAbstractTableModel>
#include <QHash>

#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace db {
class Transaction;
}

// The role through which a model gives a grid the value a column is sorted by: the amount,
// the date or the text itself rather than the way it is written. A model without it is
// sorted by what it shows.
inline constexpr int RolaSortowania = Qt::UserRole + 1;

// A column a grid shows: a field of the rows and how it is written (amounts and dates in
// the program's one look when no format is given).
struct DatasetColumn {
    QString field;
    QString title;
    std::function<QString(const db::Value&)> format; // empty: the value's plain text
    Qt::Alignment alignment = Qt::AlignLeft | Qt::AlignVCenter;
};

// What a window shows and walks: a query in its own transaction, the rows read, a current
// row, an optional filter, calculated fields and the statements that write a row. It is
// also the model a grid shows.
class Dataset : public QAbstractTableModel {
    Q_OBJECT
public:
    using Filter = std::function<bool(const db::Row&)>;
    using CalcField = std::function<db::Value(const db::Row&)>;

    Dataset(db::Transaction& tr, const QString& sql, QObject* parent = nullptr);
    ~Dataset() override;

    db::Transaction& transaction() const { return tr_; }
    void setSql(const QString& sql);
    const QString& sql() const { return sql_; }
    void setParam(const QString& name, const db::Value& value);
    void addCalcField(const QString& name, CalcField calc);
    // A calculated field whose value in a row depends on other rows (a running balance): the
    // function fills column `kolumna` of every row read, whatever the filter shows, whenever
    // the rows are read or one of them is written.
    using CalcRows = std::function<void(std::vector<db::Row>& rows, int kolumna)>;
    void addRowsCalcField(const QString& name, CalcRows calc);
    void setFilter(Filter filter); // takes effect at the next open, or refilter()
    void refilter();

    // Commit the transaction if active, start it, read all rows; current row is the first.
    void open();
    void close();
    bool isOpen() const { return open_; }

    int recordCount() const { return static_cast<int>(visible_.size()); }
    bool isEmpty() const { return visible_.empty(); }
    const db::Row& row(int index) const;
    int currentIndex() const { return current_; }
    const db::Row* current() const;
    db::Value field(const QString& name) const; // of the current row; null when none
    void setCurrentIndex(int index);
    void first() { setCurrentIndex(isEmpty() ? -1 : 0); }
    // Makes the first row (in the dataset's order) whose field equals the value current.
    bool locate(const QString& field, const db::Value& value);

    // Statements writing one row. Parameters ":FIELD" take the new value, ":OLD_FIELD" the
    // value read from the database. The refresh statement reads the row back by ":FIELD".
    void setWriteStatements(const QString& insertSql, const QString& modifySql,
                            const QString& deleteSql, const QString& refreshSql);
    // Inserts a row, reads it back and makes it current. Errors reach the caller.
    void insertRow(const QHash<QString, db::Value>& values);
    // Modifies the current row with the given fields (others keep their values).
    void modifyCurrent(const QHash<QString, db::Value>& values);
    void deleteCurrent();
    void commitRetaining();

    // Writes through a transaction the caller owns, for a save that checks something after
    // its write and before it commits. The dataset shows the row only once putRow gets it.
    enum class Write { Insert, Modify };
    void writeIn(db::Transaction& tr, Write kind, const QHash<QString, db::Value>& values);
    // The row as the refresh statement reads it in the given transaction, laid out in the
    // dataset's columns (calculated fields included); none when it is not there.
    std::optional<db::Row> readBack(db::Transaction& tr, const QHash<QString, db::Value>& key);
    // Replaces the row whose keyField equals the new row's, or appends it; it becomes current.
    void putRow(db::Row row, const QString& keyField);

    // Display: the grid's columns (all fields when none were set).
    void setColumns(std::vector<DatasetColumn> columns);
    const std::vector<DatasetColumn>& displayColumns() const { return columns_; }
    int columnOfField(const QString& field) const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

signals:
    // The current row changed (also to "none"); emitted once per move.
    void currentChanged();
    // The rows were read again.
    void reopened();

private:
    db::Row withCalcFields(db::Row row) const;
    std::vector<db::Value> bindValues(const QStringList& names, const db::Row* old,
                                      const QHash<QString, db::Value>& values) const;
    std::optional<db::Row> refresh(const QHash<QString, db::Value>& key);
    void runWrite(const QString& sql, const db::Row* old, const QHash<QString, db::Value>& values);
    void rebuildVisible();
    void recalcRows();

    db::Transaction& tr_;
    QString sql_;
    QHash<QString, db::Value> params_;
    std::vector<std::pair<QString, CalcField>> calcFields_;
    std::vector<std::pair<QString, CalcRows>> rowsCalcFields_;
    Filter filter_;
    std::shared_ptr<const db::Columns> columnsInfo_;
    std::vector<db::Row> rows_;
    std::vector<int> visible_; // indexes into rows_ that pass the filter
    int current_ = -1;
    bool open_ = false;
    QString insertSql_, modifySql_, deleteSql_, refreshSql_;
    std::vector<DatasetColumn> columns_;
};

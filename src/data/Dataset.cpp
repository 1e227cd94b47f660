#include "Dataset.h"

#include "Error.h"
#include "NamedParams.h"
#include "Transaction.h"
#include "Wyglad.h"

#include <QLocale>

namespace {
// Equality as a user means it when locating a row: 7 finds the identifier 7.
bool sameValue(const db::Value& a, const db::Value& b) {
    if (a.isNull() || b.isNull())
        return a.isNull() && b.isNull();
    if (a.isText() || b.isText())
        return a.toString() == b.toString();
    if (a.isMoney() || b.isMoney())
        return a.toMoney() == b.toMoney();
    if (a.isDate() || b.isDate())
        return a.toDate() == b.toDate();
    return a.toInt64() == b.toInt64();
}

QHash<QString, db::Value> upperKeys(const QHash<QString, db::Value>& values) {
    QHash<QString, db::Value> r;
    for (auto it = values.begin(); it != values.end(); ++it)
        r.insert(it.key().toUpper(), it.value());
    return r;
}
} // namespace

Dataset::Dataset(db::Transaction& tr, const QString& sql, QObject* parent)
    : QAbstractTableModel(parent), tr_(tr), sql_(sql) {}

Dataset::~Dataset() = default;

void Dataset::setSql(const QString& sql) {
    sql_ = sql;
}

void Dataset::setParam(const QString& name, const db::Value& value) {
    params_.insert(name.toUpper(), value);
}

void Dataset::addCalcField(const QString& name, CalcField calc) {
    calcFields_.emplace_back(name.toUpper(), std::move(calc));
}

void Dataset::setFilter(Filter filter) {
    filter_ = std::move(filter);
}

void Dataset::refilter() {
    beginResetModel();
    rebuildVisible();
    endResetModel();
    current_ = isEmpty() ? -1 : 0;
    emit currentChanged();
}

void Dataset::addRowsCalcField(const QString& name, CalcRows calc) {
    // The column exists like any calculated field; its values come from recalcRows.
    addCalcField(name, [](const db::Row&) { return db::Value(); });
    rowsCalcFields_.emplace_back(name, std::move(calc));
}

void Dataset::recalcRows() {
    if (!columnsInfo_)
        return;
    for (const auto& [name, calc] : rowsCalcFields_)
        calc(rows_, columnsInfo_->indexOf(name));
}

void Dataset::rebuildVisible() {
    visible_.clear();
    visible_.reserve(rows_.size());
    for (size_t i = 0; i < rows_.size(); ++i)
        if (!filter_ || filter_(rows_[i]))
            visible_.push_back(static_cast<int>(i));
}

db::Row Dataset::withCalcFields(db::Row row) const {
    if (calcFields_.empty())
        return db::Row(columnsInfo_, std::move(row).takeValues());
    std::vector<db::Value> values;
    values.reserve(static_cast<size_t>(columnsInfo_->size()));
    for (int i = 0; i < row.size(); ++i)
        values.push_back(row[i]);
    // Calculated fields see the row's own fields through a row with the plain columns.
    for (const auto& [name, calc] : calcFields_)
        values.push_back(calc(row));
    return db::Row(columnsInfo_, std::move(values));
}

void Dataset::open() {
    beginResetModel();
    rows_.clear();
    visible_.clear();
    current_ = -1;
    open_ = false;
    try {
        tr_.restart();
        const NamedParams np = parseNamedParams(sql_);
        db::Statement stmt(tr_, np.sql);
        for (int i = 0; i < np.names.size(); ++i)
            stmt.bind(i, params_.value(np.names[i]));
        QStringList names;
        for (int i = 0; i < stmt.columns()->size(); ++i)
            names << stmt.columns()->name(i);
        for (const auto& calc : calcFields_)
            names << calc.first;
        columnsInfo_ = std::make_shared<const db::Columns>(names);
        db::Cursor cursor = stmt.open();
        while (cursor.next())
            rows_.push_back(withCalcFields(cursor.takeRow()));
        recalcRows();
        rebuildVisible();
        open_ = true;
    } catch (...) {
        rows_.clear();
        visible_.clear();
        endResetModel();
        emit currentChanged();
        throw;
    }
    endResetModel();
    current_ = isEmpty() ? -1 : 0;
    emit reopened();
    emit currentChanged();
}

void Dataset::close() {
    beginResetModel();
    rows_.clear();
    visible_.clear();
    open_ = false;
    endResetModel();
    current_ = -1;
    emit currentChanged();
}

const db::Row& Dataset::row(int index) const {
    return rows_[static_cast<size_t>(visible_[static_cast<size_t>(index)])];
}

const db::Row* Dataset::current() const {
    if (current_ < 0 || current_ >= recordCount())
        return nullptr;
    return &row(current_);
}

db::Value Dataset::field(const QString& name) const {
    const db::Row* r = current();
    if (!r)
        return {};
    return (*r)[name];
}

void Dataset::setCurrentIndex(int index) {
    if (index >= recordCount())
        index = recordCount() - 1;
    if (index < -1)
        index = -1;
    if (index == current_)
        return;
    current_ = index;
    emit currentChanged();
}

bool Dataset::locate(const QString& fieldName, const db::Value& value) {
    if (!columnsInfo_)
        return false;
    const int col = columnsInfo_->indexOf(fieldName);
    if (col < 0)
        return false;
    for (int i = 0; i < recordCount(); ++i) {
        const bool same = sameValue(row(i)[col], value);
        if (same) {
            setCurrentIndex(i);
            return true;
        }
    }
    return false;
}

void Dataset::setWriteStatements(const QString& insertSql, const QString& modifySql,
                                 const QString& deleteSql, const QString& refreshSql) {
    insertSql_ = insertSql;
    modifySql_ = modifySql;
    deleteSql_ = deleteSql;
    refreshSql_ = refreshSql;
}

std::vector<db::Value> Dataset::bindValues(const QStringList& names, const db::Row* old,
                                           const QHash<QString, db::Value>& values) const {
    std::vector<db::Value> result;
    result.reserve(static_cast<size_t>(names.size()));
    for (const QString& name : names) {
        if (name.startsWith(QStringLiteral("OLD_")) && old) {
            result.push_back((*old)[name.mid(4)]);
        } else if (values.contains(name)) {
            result.push_back(values.value(name));
        } else if (old && old->columns()->indexOf(name) >= 0) {
            result.push_back((*old)[name]);
        } else {
            result.emplace_back();
        }
    }
    return result;
}

void Dataset::runWrite(const QString& sql, const db::Row* old,
                       const QHash<QString, db::Value>& values) {
    if (!tr_.active())
        tr_.start();
    const NamedParams np = parseNamedParams(sql);
    db::Statement stmt(tr_, np.sql);
    stmt.bindAll(bindValues(np.names, old, values));
    stmt.execute();
}

std::optional<db::Row> Dataset::refresh(const QHash<QString, db::Value>& key) {
    return readBack(tr_, key);
}

std::optional<db::Row> Dataset::readBack(db::Transaction& tr,
                                         const QHash<QString, db::Value>& keyIn) {
    if (refreshSql_.isEmpty() || !columnsInfo_)
        return std::nullopt;
    const auto key = upperKeys(keyIn);
    const NamedParams np = parseNamedParams(refreshSql_);
    db::Statement stmt(tr, np.sql);
    stmt.bindAll(bindValues(np.names, nullptr, key));
    db::Row fresh;
    if (!stmt.fetchOne(fresh))
        return std::nullopt;
    // Lay the refreshed fields out in the dataset's own columns.
    std::vector<db::Value> values(
        static_cast<size_t>(columnsInfo_->size() - static_cast<int>(calcFields_.size())));
    for (int i = 0; i < static_cast<int>(values.size()); ++i) {
        const int j = fresh.columns()->indexOf(columnsInfo_->name(i));
        if (j >= 0)
            values[static_cast<size_t>(i)] = fresh[j];
        else if (key.contains(columnsInfo_->name(i)))
            values[static_cast<size_t>(i)] = key.value(columnsInfo_->name(i));
    }
    QStringList plain;
    for (int i = 0; i < static_cast<int>(values.size()); ++i)
        plain << columnsInfo_->name(i);
    return withCalcFields(db::Row(std::make_shared<const db::Columns>(plain), std::move(values)));
}

void Dataset::insertRow(const QHash<QString, db::Value>& valuesIn) {
    const auto values = upperKeys(valuesIn);
    runWrite(insertSql_, nullptr, values);
    if (!columnsInfo_)
        return;
    std::optional<db::Row> fresh = refresh(values);
    if (!fresh)
        return;
    beginResetModel();
    rows_.push_back(std::move(*fresh));
    recalcRows();
    rebuildVisible();
    endResetModel();
    const int rowIndex = static_cast<int>(rows_.size()) - 1;
    const auto it = std::find(visible_.begin(), visible_.end(), rowIndex);
    current_ = -1;
    setCurrentIndex(it == visible_.end() ? (isEmpty() ? -1 : 0)
                                         : static_cast<int>(it - visible_.begin()));
}

void Dataset::modifyCurrent(const QHash<QString, db::Value>& valuesIn) {
    const db::Row* old = current();
    if (!old)
        throw db::Error(QStringLiteral("Brak bieżącego wiersza"));
    auto values = upperKeys(valuesIn);
    runWrite(modifySql_, old, values);
    for (int i = 0; i < old->size(); ++i)
        if (!values.contains(old->columns()->name(i)))
            values.insert(old->columns()->name(i), (*old)[i]);
    std::optional<db::Row> fresh = refresh(values);
    const int rowIndex = visible_[static_cast<size_t>(current_)];
    if (fresh)
        rows_[static_cast<size_t>(rowIndex)] = std::move(*fresh);
    if (rowsCalcFields_.empty()) {
        emit dataChanged(index(current_, 0), index(current_, columnCount() - 1));
    } else {
        recalcRows(); // one row's change moves the others' values too
        emit dataChanged(index(0, 0), index(recordCount() - 1, columnCount() - 1));
    }
    emit currentChanged();
}

void Dataset::deleteCurrent() {
    const db::Row* old = current();
    if (!old)
        throw db::Error(QStringLiteral("Brak bieżącego wiersza"));
    runWrite(deleteSql_, old, {});
    const int at = current_;
    beginResetModel();
    rows_.erase(rows_.begin() + visible_[static_cast<size_t>(at)]);
    recalcRows();
    rebuildVisible();
    endResetModel();
    current_ = -1;
    setCurrentIndex(std::min(at, recordCount() - 1));
}

void Dataset::commitRetaining() {
    tr_.commitRetaining();
}

void Dataset::writeIn(db::Transaction& tr, Write kind, const QHash<QString, db::Value>& valuesIn) {
    const db::Row* old = kind == Write::Modify ? current() : nullptr;
    if (kind == Write::Modify && !old)
        throw db::Error(QStringLiteral("Brak bieżącego wiersza"));
    const NamedParams np = parseNamedParams(kind == Write::Insert ? insertSql_ : modifySql_);
    db::Statement stmt(tr, np.sql);
    stmt.bindAll(bindValues(np.names, old, upperKeys(valuesIn)));
    stmt.execute();
}

void Dataset::putRow(db::Row row, const QString& keyField) {
    if (!columnsInfo_)
        return;
    const int col = columnsInfo_->indexOf(keyField);
    int at = -1;
    for (size_t i = 0; col >= 0 && i < rows_.size(); ++i)
        if (sameValue(rows_[i][col], row[col])) {
            at = static_cast<int>(i);
            break;
        }
    if (at >= 0) {
        rows_[static_cast<size_t>(at)] = std::move(row);
        recalcRows();
        const auto it = std::find(visible_.begin(), visible_.end(), at);
        if (it != visible_.end()) {
            const int shown = static_cast<int>(it - visible_.begin());
            if (rowsCalcFields_.empty())
                emit dataChanged(index(shown, 0), index(shown, columnCount() - 1));
            else
                emit dataChanged(index(0, 0), index(recordCount() - 1, columnCount() - 1));
            setCurrentIndex(shown); // no move when it was current already
            return;
        }
    } else {
        rows_.push_back(std::move(row));
        at = static_cast<int>(rows_.size()) - 1;
        recalcRows();
    }
    beginResetModel();
    rebuildVisible();
    endResetModel();
    const auto it = std::find(visible_.begin(), visible_.end(), at);
    current_ = -1;
    setCurrentIndex(it == visible_.end() ? (isEmpty() ? -1 : 0)
                                         : static_cast<int>(it - visible_.begin()));
}

void Dataset::setColumns(std::vector<DatasetColumn> columns) {
    beginResetModel();
    columns_ = std::move(columns);
    endResetModel();
}

int Dataset::columnOfField(const QString& fieldName) const {
    for (size_t i = 0; i < columns_.size(); ++i)
        if (columns_[i].field.compare(fieldName, Qt::CaseInsensitive) == 0)
            return static_cast<int>(i);
    return -1;
}

int Dataset::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : recordCount();
}

int Dataset::columnCount(const QModelIndex& parent) const {
    if (parent.isValid())
        return 0;
    if (!columns_.empty())
        return static_cast<int>(columns_.size());
    return columnsInfo_ ? columnsInfo_->size() : 0;
}

QVariant Dataset::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || index.row() >= recordCount())
        return {};
    const db::Row& r = row(index.row());
    const bool custom = !columns_.empty();
    const int col = custom
                        ? r.columns()->indexOf(columns_[static_cast<size_t>(index.column())].field)
                        : index.column();
    const db::Value empty;
    const db::Value& v = col >= 0 ? r[col] : empty;
    if (role == Qt::DisplayRole) {
        if (custom && columns_[static_cast<size_t>(index.column())].format)
            return columns_[static_cast<size_t>(index.column())].format(v);
        if (v.isMoney())
            return FormatKwoty(v.toMoney());
        if (v.isDate())
            return FormatDaty(v.toDate());
        return v.toString();
    }
    if (role == RolaSortowania) {
        if (v.isMoney())
            return QVariant::fromValue(static_cast<qlonglong>(v.toMoney().raw()));
        return v.toVariant();
    }
    if (role == Qt::TextAlignmentRole) {
        if (custom)
            return QVariant::fromValue(columns_[static_cast<size_t>(index.column())].alignment);
        if (v.isMoney())
            return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    }
    return {};
}

QVariant Dataset::headerData(int section, Qt::Orientation orientation, int role) const {
    if (orientation != Qt::Horizontal)
        return {};
    // A column's title sits on the side its values do (amounts to the right).
    if (role == Qt::TextAlignmentRole && section >= 0 &&
        section < static_cast<int>(columns_.size()))
        return QVariant::fromValue(columns_[static_cast<size_t>(section)].alignment);
    if (role != Qt::DisplayRole)
        return {};
    if (!columns_.empty())
        return section < static_cast<int>(columns_.size())
                   ? columns_[static_cast<size_t>(section)].title
                   : QString();
    return columnsInfo_ && section < columnsInfo_->size() ? columnsInfo_->name(section) : QString();
}

#pragma once

#include "Value.h"

#include <QString>
#include <QStringList>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <vector>

namespace Firebird {
class IStatement;
class IMessageMetadata;
class IResultSet;
} // namespace Firebird

namespace db {

class Transaction;

// The names of a result's columns (upper case aliases), shared by all its rows.
class Columns {
public:
    explicit Columns(QStringList names);
    int size() const { return static_cast<int>(names_.size()); }
    const QString& name(int i) const { return names_[i]; }
    int indexOf(const QString& name) const; // -1 when absent; ignores letter case
    int require(const QString& name) const; // throws db::Error when absent

private:
    QStringList names_;
};

class Row {
public:
    Row() = default;
    Row(std::shared_ptr<const Columns> columns, std::vector<Value> values)
        : columns_(std::move(columns)), values_(std::move(values)) {}

    const Value& operator[](int i) const { return values_[static_cast<size_t>(i)]; }
    const Value& operator[](const QString& name) const;
    const Value& operator[](const char* name) const { return (*this)[QString::fromLatin1(name)]; }
    Value& at(int i) { return values_[static_cast<size_t>(i)]; }
    int size() const { return static_cast<int>(values_.size()); }
    const std::shared_ptr<const Columns>& columns() const { return columns_; }
    std::vector<Value> takeValues() && { return std::move(values_); }

private:
    std::shared_ptr<const Columns> columns_;
    std::vector<Value> values_;
};

class Statement;

// Rows of an open SELECT; closed when destroyed.
class Cursor {
public:
    ~Cursor();
    Cursor(Cursor&& o) noexcept;
    Cursor& operator=(Cursor&&) = delete;
    Cursor(const Cursor&) = delete;

    bool next(); // false after the last row
    const Row& row() const { return row_; }
    // The current row handed over without a copy; the cursor's row is empty afterwards.
    Row takeRow() { return std::move(row_); }
    const Value& operator[](const QString& name) const { return row_[name]; }
    const Value& operator[](const char* name) const { return row_[name]; }
    const Value& operator[](int i) const { return row_[i]; }
    void close();

private:
    friend class Statement;
    Cursor(Statement& stmt, Firebird::IResultSet* rs);
    Statement* stmt_;
    Firebird::IResultSet* rs_;
    Row row_;
};

// A prepared statement bound to a transaction; executes with or without parameters.
class Statement {
public:
    Statement(Transaction& tr, const QString& sql);
    ~Statement();
    Statement(const Statement&) = delete;
    Statement& operator=(const Statement&) = delete;

    int paramCount() const;
    bool isSelect() const;
    const std::shared_ptr<const Columns>& columns() const { return columns_; }
    const QString& sql() const { return sql_; }

    void bind(int index, const Value& value); // 0-based
    void bindAll(std::initializer_list<Value> values);
    void bindAll(const std::vector<Value>& values);

    // Runs a statement that returns no rows; the number of rows it changed.
    std::uint64_t execute();
    Cursor open();
    // First row of a query, or nullopt-like empty Row when none.
    bool fetchOne(Row& row);

private:
    friend class Cursor;
    struct Impl;
    std::unique_ptr<Impl> d_;
    QString sql_;
    std::shared_ptr<const Columns> columns_;
};

} // namespace db

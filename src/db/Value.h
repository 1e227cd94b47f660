#pragma once

#include "Date.h"
#include "Money.h"

#include <QString>
#include <QVariant>

#include <cstdint>
#include <variant>

namespace db {

// One field or parameter value. Null is distinct from empty text.
class Value {
public:
    Value() = default; // null
    Value(std::nullptr_t) {}
    Value(int v) : v_(static_cast<std::int64_t>(v)) {}
    Value(std::int64_t v) : v_(v) {}
    Value(Money v) : v_(v) {}
    Value(const QString& v) : v_(v) {}
    Value(const char* v) : v_(QString::fromUtf8(v)) {}
    Value(Date v) : v_(v) {}
    Value(double v) : v_(v) {}

    bool isNull() const { return std::holds_alternative<std::monostate>(v_); }
    bool isInteger() const { return std::holds_alternative<std::int64_t>(v_); }
    bool isMoney() const { return std::holds_alternative<Money>(v_); }
    bool isText() const { return std::holds_alternative<QString>(v_); }
    bool isDate() const { return std::holds_alternative<Date>(v_); }

    // Conversions used by readers; a null reads as 0, empty text or the zero date.
    std::int64_t toInt64() const;
    int toInt() const { return static_cast<int>(toInt64()); }
    Money toMoney() const;
    QString toString() const;
    Date toDate() const;
    QVariant toVariant() const;

    friend bool operator==(const Value&, const Value&) = default;

private:
    std::variant<std::monostate, std::int64_t, Money, QString, Date, double> v_;
};

} // namespace db

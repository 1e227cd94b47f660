#include "Value.h"

namespace db {

std::int64_t Value::toInt64() const {
    if (auto p = std::get_if<std::int64_t>(&v_))
        return *p;
    if (auto p = std::get_if<Money>(&v_))
        return p->wholePart();
    if (auto p = std::get_if<double>(&v_))
        return static_cast<std::int64_t>(*p);
    if (auto p = std::get_if<QString>(&v_))
        return p->trimmed().toLongLong();
    return 0;
}

Money Value::toMoney() const {
    if (auto p = std::get_if<Money>(&v_))
        return *p;
    if (auto p = std::get_if<std::int64_t>(&v_))
        return Money::fromWhole(*p);
    if (auto p = std::get_if<QString>(&v_))
        return Money::parse(*p).value_or(Money());
    return Money();
}

QString Value::toString() const {
    if (auto p = std::get_if<QString>(&v_))
        return *p;
    if (auto p = std::get_if<std::int64_t>(&v_))
        return QString::number(*p);
    if (auto p = std::get_if<Money>(&v_))
        return p->toPlain();
    if (auto p = std::get_if<Date>(&v_))
        return p->toIso();
    if (auto p = std::get_if<double>(&v_))
        return QString::number(*p);
    return {};
}

Date Value::toDate() const {
    if (auto p = std::get_if<Date>(&v_))
        return *p;
    return Date::zero();
}

QVariant Value::toVariant() const {
    if (isNull())
        return {};
    if (auto p = std::get_if<std::int64_t>(&v_))
        return QVariant::fromValue(static_cast<qlonglong>(*p));
    if (auto p = std::get_if<Date>(&v_))
        return p->qdate();
    if (auto p = std::get_if<double>(&v_))
        return *p;
    return toString();
}

} // namespace db

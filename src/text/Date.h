#pragma once

#include <QDate>
#include <QString>

// A calendar day. The zero date (30-12-1899) stands for "no date".
class Date {
public:
    Date() = default; // the zero date
    explicit Date(QDate d) : d_(d.isValid() ? d : zeroQDate()) {}
    Date(int year, int month, int day) : Date(QDate(year, month, day)) {}

    static Date zero() { return Date(); }
    static QDate zeroQDate() { return QDate(1899, 12, 30); }

    bool isZero() const { return d_ == zeroQDate(); }
    const QDate& qdate() const { return d_; }
    int year() const { return d_.year(); }
    int month() const { return d_.month(); }
    int day() const { return d_.day(); }

    // "YYYY-MM-DD"; empty for the zero date.
    QString toIso() const { return isZero() ? QString() : d_.toString(Qt::ISODate); }

    friend bool operator==(const Date&, const Date&) = default;
    friend auto operator<=>(const Date& a, const Date& b) {
        return a.d_.toJulianDay() <=> b.d_.toJulianDay();
    }

private:
    QDate d_ = zeroQDate();
};

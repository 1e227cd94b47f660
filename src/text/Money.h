#pragma once

#include <QString>

#include <compare>
#include <cstdint>
#include <optional>

class QLocale;

// A fixed-point amount with four decimal places. Money never travels through a double.
class Money {
public:
    static constexpr std::int64_t Scale = 10000;

    constexpr Money() = default;
    static constexpr Money fromRaw(std::int64_t units) { return Money(units); }
    static constexpr Money fromCents(std::int64_t cents) { return Money(cents * 100); }
    static constexpr Money fromWhole(std::int64_t whole) { return Money(whole * Scale); }
    // A value scaled by 10^-scale (Firebird NUMERIC: scale is zero or negative).
    static Money fromScaled(std::int64_t value, int scale);
    // "1234.5", "-0.07", "12": a full stop as the decimal separator, no grouping.
    // More than four decimals are rounded half away from zero.
    static std::optional<Money> parse(const QString& text);

    constexpr std::int64_t raw() const { return units_; }
    // The amount at the given negative scale (e.g. -2 for NUMERIC(18,2)), rounded half away.
    std::int64_t toScaled(int scale) const;
    std::int64_t wholePart() const { return units_ / Scale; } // truncated toward zero
    std::int64_t fractionUnits() const { return units_ % Scale; }
    // Rounded to whole grosze.
    std::int64_t cents() const;

    bool isZero() const { return units_ == 0; }
    bool isNegative() const { return units_ < 0; }

    // Shortest form with a full stop: 150.5, 12, -3.25, 0.
    QString toPlain() const;
    // Two decimals and a full stop: 150.50.
    QString toFixed2() const;
    // "#,##0.00" under the given locale's separators.
    QString format(const QLocale& locale) const;
    // The currency format: "#,##0.00" with the locale's currency symbol in its place
    // ("1 234,50 zł" under Polish settings).
    QString formatCurrency(const QLocale& locale) const;

    constexpr Money operator-() const { return Money(-units_); }
    constexpr Money& operator+=(Money o) {
        units_ += o.units_;
        return *this;
    }
    constexpr Money& operator-=(Money o) {
        units_ -= o.units_;
        return *this;
    }
    friend constexpr Money operator+(Money a, Money b) { return Money(a.units_ + b.units_); }
    friend constexpr Money operator-(Money a, Money b) { return Money(a.units_ - b.units_); }
    friend constexpr auto operator<=>(Money, Money) = default;
    friend constexpr bool operator==(Money, Money) = default;

private:
    constexpr explicit Money(std::int64_t units) : units_(units) {}
    std::int64_t units_ = 0;
};

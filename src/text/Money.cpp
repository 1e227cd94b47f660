#include "Money.h"

#include <QLocale>

#include <cstdlib>

namespace {
constexpr std::int64_t MaxWhole = INT64_MAX / Money::Scale;

std::int64_t pow10(int n) {
    std::int64_t p = 1;
    while (n-- > 0)
        p *= 10;
    return p;
}

// Divides rounding half away from zero.
std::int64_t divRound(std::int64_t value, std::int64_t divisor) {
    const std::int64_t q = value / divisor;
    const std::int64_t r = value % divisor;
    if (std::llabs(r) * 2 >= divisor)
        return value < 0 ? q - 1 : q + 1;
    return q;
}
} // namespace

Money Money::fromScaled(std::int64_t value, int scale) {
    // value * 10^scale expressed in 1/10000 units.
    const int shift = scale + 4;
    if (shift >= 0)
        return Money(value * pow10(shift));
    return Money(divRound(value, pow10(-shift)));
}

std::int64_t Money::toScaled(int scale) const {
    const int shift = -scale - 4; // units * 10^-4 / 10^scale
    if (shift >= 0)
        return units_ * pow10(shift);
    return divRound(units_, pow10(-shift));
}

std::int64_t Money::cents() const {
    return toScaled(-2);
}

std::optional<Money> Money::parse(const QString& text) {
    const QString t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    int i = 0;
    bool negative = false;
    if (t[0] == u'-' || t[0] == u'+') {
        negative = t[0] == u'-';
        ++i;
    }
    std::int64_t whole = 0;
    std::int64_t frac = 0;
    int fracDigits = 0;
    bool seenDigit = false;
    bool seenPoint = false;
    int roundDigit = -1;
    for (; i < t.size(); ++i) {
        const QChar c = t[i];
        if (c == u'.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (!c.isDigit() || c.unicode() > '9')
            return std::nullopt;
        const int d = c.unicode() - '0';
        seenDigit = true;
        if (!seenPoint) {
            whole = whole * 10 + d;
            if (whole > MaxWhole) // beyond what four decimals in 64 bits can hold
                return std::nullopt;
        } else if (fracDigits < 4) {
            frac = frac * 10 + d;
            ++fracDigits;
        } else if (roundDigit < 0) {
            roundDigit = d;
        }
    }
    if (!seenDigit)
        return std::nullopt;
    std::int64_t units = whole * Scale + frac * pow10(4 - fracDigits);
    if (roundDigit >= 5)
        ++units;
    return Money(negative ? -units : units);
}

QString Money::toPlain() const {
    const std::int64_t a = std::llabs(units_);
    QString s = QString::number(a / Scale);
    std::int64_t frac = a % Scale;
    if (frac != 0) {
        QString f = QStringLiteral("%1").arg(frac, 4, 10, QLatin1Char('0'));
        while (f.endsWith(u'0'))
            f.chop(1);
        s += u'.' + f;
    }
    return units_ < 0 ? u'-' + s : s;
}

QString Money::toFixed2() const {
    const std::int64_t c = cents();
    const std::int64_t a = std::llabs(c);
    return QStringLiteral("%1%2.%3")
        .arg(c < 0 ? QStringLiteral("-") : QString())
        .arg(a / 100)
        .arg(a % 100, 2, 10, QLatin1Char('0'));
}

QString Money::format(const QLocale& locale) const {
    // "#,##0.00": every group of three digits is separated, even in a four-digit number,
    // which QLocale's own grouping for Polish does not do.
    const std::int64_t c = cents();
    const std::int64_t a = std::llabs(c);
    const QString digits = QString::number(a / 100);
    QString whole;
    for (qsizetype i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0)
            whole += locale.groupSeparator();
        whole += digits[i];
    }
    const QString s =
        whole + locale.decimalPoint() + QStringLiteral("%1").arg(a % 100, 2, 10, QLatin1Char('0'));
    return c < 0 ? locale.negativeSign() + s : s;
}

QString Money::formatCurrency(const QLocale& locale) const {
    // The locale places its symbol around a number; take that layout from a plain zero.
    QString pattern = locale.toCurrencyString(qlonglong(0));
    const qsizetype zero = pattern.indexOf(locale.zeroDigit());
    if (zero < 0)
        return format(locale);
    return pattern.replace(zero, locale.zeroDigit().size(), format(locale));
}

#pragma once
// Money as a signed count of 1/10000 lei. Arithmetic is exact where it can be
// (+, -, multiplication by a whole number); a product or quotient of two amounts
// is rounded back to four decimals with the mode the caller names (half away from
// zero unless said otherwise). There is no conversion to or from double.

#include <QString>
#include <QStringView>
#include <compare>
#include <cstdint>
#include <optional>
#include <stdexcept>

namespace valdora {

enum class Rounding {
    HalfAwayFromZero, // 2.5 -> 3, -2.5 -> -3
    HalfToEven,       // 2.5 -> 2, 3.5 -> 4
    Truncate          // toward zero
};

class CurrencyOverflow : public std::overflow_error {
public:
    using std::overflow_error::overflow_error;
};

class Currency {
public:
    static constexpr int64_t Scale = 10000;

    constexpr Currency() = default;

    static constexpr Currency fromRaw(int64_t raw) { Currency c; c.raw_ = raw; return c; }
    static Currency fromLei(int64_t lei);
    // Parses "123", "-12.5", "0.0001"; "." is the only decimal separator. More than
    // four decimals are rounded half away from zero. Empty or malformed text -> nullopt.
    static std::optional<Currency> parse(QStringView text);
    // Builds mantissa / 10^decimals (e.g. a DECIMAL(8,4) value read as text digits).
    static Currency fromScaled(int64_t mantissa, int decimals, Rounding mode = Rounding::HalfAwayFromZero);

    constexpr int64_t raw() const { return raw_; }
    bool isZero() const { return raw_ == 0; }
    bool isWholeLei() const { return raw_ % Scale == 0; }

    // Whole lei of a value that has no fraction; throws std::logic_error otherwise,
    // so an unrounded amount is never stored by accident.
    int64_t wholeLei() const;

    Currency roundLei() const { return roundTo(0, Rounding::HalfAwayFromZero); }
    Currency truncLei() const { return roundTo(0, Rounding::Truncate); }
    // Rounds to the given number of decimals (0..4).
    Currency roundTo(int decimals, Rounding mode) const;

    Currency operator-() const;
    Currency operator+(Currency o) const;
    Currency operator-(Currency o) const;
    Currency &operator+=(Currency o) { return *this = *this + o; }
    Currency &operator-=(Currency o) { return *this = *this - o; }
    // Exact: multiplying by a whole number never rounds.
    Currency operator*(int64_t n) const;
    // Product of two amounts, rounded half away from zero to four decimals.
    Currency operator*(Currency o) const { return mul(*this, o, Rounding::HalfAwayFromZero); }
    // Quotient of two amounts, rounded half away from zero to four decimals.
    // Division by zero throws std::domain_error.
    Currency operator/(Currency o) const { return div(*this, o, Rounding::HalfAwayFromZero); }
    Currency operator/(int64_t n) const { return div(*this, fromRaw(n * Scale), Rounding::HalfAwayFromZero); }

    static Currency mul(Currency a, Currency b, Rounding mode);
    static Currency div(Currency a, Currency b, Rounding mode);
    // a * percent / 100 with one rounding at the end.
    static Currency percentOf(Currency a, Currency percent, Rounding mode);

    auto operator<=>(const Currency &) const = default;
    bool operator==(const Currency &) const = default;

    // "1234.5000" with `decimals` digits after "." (0..4), rounding half away from zero.
    QString toString(int decimals = 4) const;
    // Shortest exact form: "10", "0.1", "-2.25".
    QString toShortString() const;

private:
    int64_t raw_ = 0;
};

} // namespace valdora

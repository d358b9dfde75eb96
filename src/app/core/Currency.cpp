#include "app/core/Currency.h"

#include <limits>

namespace valdora {
namespace {

__extension__ typedef __int128 i128;

int64_t checked(i128 v)
{
    if (v > std::numeric_limits<int64_t>::max() || v < std::numeric_limits<int64_t>::min())
        throw CurrencyOverflow("Suma depaseste domeniul de calcul");
    return static_cast<int64_t>(v);
}

// Divides n by d (d > 0) with the given rounding.
i128 divRound(i128 n, i128 d, Rounding mode)
{
    if (d < 0) { n = -n; d = -d; }
    i128 q = n / d;
    i128 r = n % d; // same sign as n
    if (r == 0 || mode == Rounding::Truncate)
        return q;
    i128 twice = (r < 0 ? -r : r) * 2;
    bool up = false;
    if (mode == Rounding::HalfAwayFromZero)
        up = twice >= d;
    else
        up = twice > d || (twice == d && (q % 2 != 0));
    if (up)
        q += (n < 0) ? -1 : 1;
    return q;
}

i128 pow10(int n)
{
    i128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

} // namespace

Currency Currency::fromLei(int64_t lei) { return fromRaw(checked(i128(lei) * Scale)); }

Currency Currency::fromScaled(int64_t mantissa, int decimals, Rounding mode)
{
    if (decimals < 0)
        return fromRaw(checked(i128(mantissa) * Scale * pow10(-decimals)));
    if (decimals <= 4)
        return fromRaw(checked(i128(mantissa) * pow10(4 - decimals)));
    return fromRaw(checked(divRound(mantissa, pow10(decimals - 4), mode)));
}

std::optional<Currency> Currency::parse(QStringView text)
{
    QStringView t = text.trimmed();
    if (t.isEmpty())
        return std::nullopt;
    bool negative = false;
    if (t.front() == u'-' || t.front() == u'+') {
        negative = t.front() == u'-';
        t = t.mid(1);
    }
    if (t.isEmpty())
        return std::nullopt;
    i128 mantissa = 0;
    int decimals = 0;
    bool seenPoint = false;
    bool seenDigit = false;
    for (QChar c : t) {
        if (c == u'.') {
            if (seenPoint)
                return std::nullopt;
            seenPoint = true;
            continue;
        }
        if (c < u'0' || c > u'9')
            return std::nullopt;
        seenDigit = true;
        mantissa = mantissa * 10 + (c.unicode() - u'0');
        if (seenPoint)
            ++decimals;
        if (mantissa > i128(std::numeric_limits<int64_t>::max()) * 1000)
            return std::nullopt;
    }
    if (!seenDigit)
        return std::nullopt;
    if (negative)
        mantissa = -mantissa;
    i128 raw = decimals <= 4 ? mantissa * pow10(4 - decimals)
                             : divRound(mantissa, pow10(decimals - 4), Rounding::HalfAwayFromZero);
    if (raw > std::numeric_limits<int64_t>::max() || raw < std::numeric_limits<int64_t>::min())
        return std::nullopt;
    return fromRaw(static_cast<int64_t>(raw));
}

int64_t Currency::wholeLei() const
{
    if (!isWholeLei())
        throw std::logic_error("Suma are zecimale si trebuie rotunjita inainte de memorare");
    return raw_ / Scale;
}

Currency Currency::roundTo(int decimals, Rounding mode) const
{
    if (decimals >= 4)
        return *this;
    if (decimals < 0)
        decimals = 0;
    i128 unit = pow10(4 - decimals);
    return fromRaw(checked(divRound(raw_, unit, mode) * unit));
}

Currency Currency::operator-() const { return fromRaw(checked(-i128(raw_))); }
Currency Currency::operator+(Currency o) const { return fromRaw(checked(i128(raw_) + o.raw_)); }
Currency Currency::operator-(Currency o) const { return fromRaw(checked(i128(raw_) - o.raw_)); }
Currency Currency::operator*(int64_t n) const { return fromRaw(checked(i128(raw_) * n)); }

Currency Currency::mul(Currency a, Currency b, Rounding mode)
{
    return fromRaw(checked(divRound(i128(a.raw_) * b.raw_, Scale, mode)));
}

Currency Currency::div(Currency a, Currency b, Rounding mode)
{
    if (b.raw_ == 0)
        throw std::domain_error("Impartire la zero");
    return fromRaw(checked(divRound(i128(a.raw_) * Scale, b.raw_, mode)));
}

Currency Currency::percentOf(Currency a, Currency percent, Rounding mode)
{
    return fromRaw(checked(divRound(i128(a.raw_) * percent.raw_, i128(Scale) * 100, mode)));
}

QString Currency::toString(int decimals) const
{
    if (decimals < 0)
        decimals = 0;
    if (decimals > 4)
        decimals = 4;
    Currency r = roundTo(decimals, Rounding::HalfAwayFromZero);
    int64_t v = r.raw_;
    bool negative = v < 0;
    uint64_t abs = negative ? uint64_t(0) - uint64_t(v) : uint64_t(v);
    uint64_t whole = abs / Scale;
    uint64_t frac = abs % Scale;
    QString s = QString::number(whole);
    if (decimals > 0) {
        QString f = QString::number(frac).rightJustified(4, u'0').left(decimals);
        s += u'.' + f;
    }
    if (negative && (whole != 0 || frac != 0))
        s.prepend(u'-');
    return s;
}

QString Currency::toShortString() const
{
    QString s = toString(4);
    while (s.endsWith(u'0'))
        s.chop(1);
    if (s.endsWith(u'.'))
        s.chop(1);
    return s;
}

} // namespace valdora

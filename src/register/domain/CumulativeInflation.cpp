#include "register/domain/CumulativeInflation.h"

#include <QStringList>
#include <algorithm>
#include <limits>

namespace valdora {
namespace {

__extension__ typedef __int128 i128;

constexpr int MaxDecimals = 18;

i128 pow10(int n)
{
    i128 p = 1;
    for (int i = 0; i < n; ++i)
        p *= 10;
    return p;
}

i128 checkedMul(i128 a, i128 b)
{
    i128 r = 0;
    if (__builtin_mul_overflow(a, b, &r))
        throw CurrencyOverflow("Suma depaseste domeniul de calcul");
    return r;
}

// n / d (d > 0), half away from zero.
i128 divHalfAway(i128 n, i128 d)
{
    i128 q = n / d;
    i128 r = n % d;
    if (r != 0) {
        i128 twice = (r < 0 ? -r : r) * 2;
        if (twice >= d)
            q += n < 0 ? -1 : 1;
    }
    return q;
}

void stripZeros(i128 &mantissa, int &decimals)
{
    while (decimals > 0 && mantissa % 10 == 0) {
        mantissa /= 10;
        --decimals;
    }
}

qint64 toInt64(i128 v)
{
    if (v > std::numeric_limits<qint64>::max() || v < std::numeric_limits<qint64>::min())
        throw CurrencyOverflow("Suma depaseste domeniul de calcul");
    return static_cast<qint64>(v);
}

// mantissa / 10^decimals written out in full, trailing zeros dropped.
QString decimalText(i128 mantissa, int decimals)
{
    stripZeros(mantissa, decimals);
    const bool negative = mantissa < 0;
    i128 abs = negative ? -mantissa : mantissa;
    const i128 unit = pow10(decimals);
    i128 whole = abs / unit;
    i128 frac = abs % unit;
    QString digits;
    do {
        digits.prepend(QChar(u'0' + int(whole % 10)));
        whole /= 10;
    } while (whole > 0);
    if (decimals > 0) {
        QString f;
        for (int i = 0; i < decimals; ++i) {
            f.prepend(QChar(u'0' + int(frac % 10)));
            frac /= 10;
        }
        digits += u'.' + f;
    }
    if (negative)
        digits.prepend(u'-');
    return digits;
}

} // namespace

Currency InflationHistory::rateOf(int year, int fiscalYear) const
{
    const int k = fiscalYear - year;
    if (k < 0 || k >= Years)
        return {};
    return Inf[static_cast<size_t>(k)];
}

InflationHistory defaultInflationHistory()
{
    InflationHistory h;
    const int tenths[InflationHistory::Years] = {56, 104, 138, 51, 26, 38, 46, 13};
    for (int k = 0; k < InflationHistory::Years; ++k)
        h.Inf[static_cast<size_t>(k)] = Currency::fromScaled(tenths[k], 1);
    return h;
}

InflationIndex InflationIndex::fromPercent(Currency percent)
{
    return compounded({percent});
}

InflationIndex InflationIndex::compounded(const QList<Currency> &rates)
{
    // (1 + raw/1e6) for a rate of raw/1e4 percent: six decimals per factor.
    i128 m = 1;
    int d = 0;
    for (Currency rate : rates) {
        m = checkedMul(m, i128(1000000) + rate.raw());
        d += 6;
        stripZeros(m, d);
    }
    if (d > MaxDecimals) {
        m = divHalfAway(m, pow10(d - MaxDecimals));
        d = MaxDecimals;
        stripZeros(m, d);
    }
    // A large factor keeps fewer decimals rather than failing.
    while (d > 0 && (m > std::numeric_limits<qint64>::max() || m < std::numeric_limits<qint64>::min())) {
        m = divHalfAway(m, 10);
        --d;
        stripZeros(m, d);
    }
    return InflationIndex(toInt64(m), d);
}

Currency InflationIndex::apply(std::initializer_list<Currency> amounts) const
{
    i128 m = mantissa_;
    int d = decimals_;
    for (Currency a : amounts) {
        m = checkedMul(m, a.raw());
        d += 4;
        stripZeros(m, d);
    }
    if (d <= 4)
        return Currency::fromRaw(toInt64(checkedMul(m, pow10(4 - d))));
    return Currency::fromRaw(toInt64(divHalfAway(m, pow10(d - 4))));
}

Currency InflationIndex::percent() const
{
    // (m / 10^d - 1) x 100 with four decimals: (m - 10^d) x 10^6 / 10^d.
    const i128 excess = i128(mantissa_) - pow10(decimals_);
    return Currency::fromRaw(toInt64(divHalfAway(excess * 1000000, pow10(decimals_))));
}

QString InflationIndex::percentText() const
{
    const i128 excess = i128(mantissa_) - pow10(decimals_);
    return decimalText(excess * 100, decimals_);
}

CumulativeInflation cumulativeInflation(int sinceYear, int fiscalYear, const InflationHistory &history)
{
    CumulativeInflation c;
    c.fromYear = std::max(sinceYear, fiscalYear - 5);
    for (int year = c.fromYear + 1; year <= fiscalYear; ++year)
        c.rates.append(history.rateOf(year, fiscalYear));
    c.index = InflationIndex::compounded(c.rates);
    c.percent = c.index.percent();
    c.percentText = c.index.percentText();
    if (!c.rates.isEmpty()) {
        QStringList parts;
        for (Currency r : c.rates)
            parts << plainNumber(r) + u'%';
        c.description = parts.join(QStringLiteral(" + ")) + QStringLiteral(" = ") + c.percentText + u'%';
    }
    return c;
}

QString plainNumber(Currency value)
{
    QString s = value.toString(4);
    while (s.endsWith(u'0'))
        s.chop(1);
    if (s.endsWith(u'.'))
        s.chop(1);
    return s;
}

} // namespace valdora

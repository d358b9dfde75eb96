#include "collections/domain/PenaltyRule.h"

#include <algorithm>

namespace valdora::collections {
namespace {

__extension__ typedef __int128 i128;

// Rates in 1/10000: 2 % a month, 0.1 % a day, 1 % a month.
constexpr int64_t MonthRateTo2015 = 200;
constexpr int64_t DayRateTo2010 = 10;
constexpr int64_t MonthRateFrom2015 = 100;

} // namespace

int PenaltyRule::months(QDate from, QDate to)
{
    return (to.year() * 12 + to.month()) - (from.year() * 12 + from.month());
}

QDate PenaltyRule::effectiveDate(QDate calculation) const
{
    if (calculation >= QDate(workingYear_ + 1, 1, 1))
        return QDate(workingYear_, 12, 31);
    return calculation;
}

Currency PenaltyRule::rate(QDate due, QDate calculation) const
{
    const QDate c = effectiveDate(calculation);
    if (!due.isValid() || !c.isValid() || c <= due)
        return {};
    const QDate july2010(2010, 7, 1);
    const QDate end2015(2015, 12, 31);
    QDate d = due;
    int64_t raw = 0;
    if (d < july2010) {
        const QDate u = std::min(c, july2010);
        raw += MonthRateTo2015 * months(d, u) + DayRateTo2010 * d.daysTo(u);
        d = u;
    }
    if (d < end2015) {
        const QDate u = std::min(c, end2015);
        raw += MonthRateTo2015 * months(d, u);
        d = u;
    }
    raw += MonthRateFrom2015 * months(d, c);
    return Currency::fromRaw(raw);
}

Currency PenaltyRule::penalty(Currency amount, QDate due, QDate calculation, bool noPenalty) const
{
    if (noPenalty || amount <= Currency())
        return {};
    const Currency r = rate(due, calculation);
    if (r.isZero())
        return {};
    // amount x rate is exact in 1/10^8 lei; the only rounding is the final one to lei.
    const i128 product = i128(amount.raw()) * r.raw();
    const i128 unit = i128(Currency::Scale) * Currency::Scale;
    i128 lei = product / unit;
    if ((product % unit) * 2 >= unit)
        ++lei;
    return Currency::fromLei(static_cast<int64_t>(lei));
}

} // namespace valdora::collections

#include "collections/domain/ProportionalSplit.h"

#include <algorithm>
#include <stdexcept>

namespace valdora::collections {

Currency ProportionalSplit::ratio(Currency paid, Currency owed)
{
    return Currency::div(paid, owed, Rounding::HalfAwayFromZero);
}

std::vector<Currency> ProportionalSplit::split(Currency amount, Currency ratio, const std::vector<Part> &parts,
                                               std::size_t remainderPart)
{
    if (remainderPart >= parts.size())
        throw std::invalid_argument("ProportionalSplit: no remainder part");
    const Currency zero;
    std::vector<Currency> out(parts.size());
    std::vector<Currency> cap(parts.size());
    for (std::size_t i = 0; i < parts.size(); ++i)
        cap[i] = std::max(zero, parts[i].cap);

    Currency given;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        if (i == remainderPart)
            continue;
        out[i] = std::clamp(Currency::mul(ratio, parts[i].weight, Rounding::HalfAwayFromZero).roundLei(), zero,
                            cap[i]);
        given += out[i];
    }
    // Shares rounded up past the payment give back, last part first.
    for (std::size_t k = parts.size(); k-- > 0 && given > amount;) {
        if (k == remainderPart)
            continue;
        const Currency back = std::min(out[k], given - amount);
        out[k] -= back;
        given -= back;
    }
    out[remainderPart] = amount - given;
    // The remainder part never takes more than is owed on it.
    if (out[remainderPart] > cap[remainderPart]) {
        Currency excess = out[remainderPart] - cap[remainderPart];
        out[remainderPart] = cap[remainderPart];
        for (std::size_t i = 0; i < parts.size() && excess > zero; ++i) {
            if (i == remainderPart)
                continue;
            const Currency room = std::min(excess, cap[i] - out[i]);
            out[i] += room;
            excess -= room;
        }
        // More paid than owed on all parts: only a caller's mistake; keep the sum.
        out[remainderPart] += excess;
    }
    return out;
}

} // namespace valdora::collections

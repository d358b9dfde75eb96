#pragma once
// Splitting a partial payment over the parts it does not cover in full: the ratio
// paid / owed is rounded to four decimals, each part gets round(ratio x its amount)
// and one part (the penalty accrued now, or the current amount) takes what is left.
// Rounding never makes a part negative or larger than what is owed on it: the
// difference moves to the other parts, so the parts always add up to the payment.

#include "app/core/Currency.h"

#include <cstddef>
#include <vector>

namespace valdora::collections {

class ProportionalSplit {
public:
    struct Part {
        Currency weight; // amount the ratio applies to
        Currency cap;    // most this part may receive
    };

    // paid / owed rounded half away from zero to four decimals.
    static Currency ratio(Currency paid, Currency owed);

    // Splits `amount` (>= 0) over `parts`; `remainderPart` takes what the rounded
    // shares leave. The result has one amount per part and sums to `amount`.
    static std::vector<Currency> split(Currency amount, Currency ratio, const std::vector<Part> &parts,
                                       std::size_t remainderPart);
};

} // namespace valdora::collections

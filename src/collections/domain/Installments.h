#pragma once
// The two installments of a main tax and what is still owed on each. A tax of
// 50 lei or more is split in two (the first half truncated to whole lei); a smaller
// one is owed whole on the first term. Payments settle the first installment first,
// so the unpaid remainder is assigned to the second installment first.

#include "app/core/Currency.h"

namespace valdora::collections {

struct Installments {
    static constexpr int64_t SplitFromLei = 50;

    Currency first;
    Currency second;
    Currency firstRemainder;  // still owed on the first term
    Currency secondRemainder; // still owed on the second term

    // SUMA the tax of the year, REST what is still unpaid of it (whole lei).
    static Installments of(Currency SUMA, Currency REST);
};

} // namespace valdora::collections

#include "collections/domain/Installments.h"

#include <algorithm>

namespace valdora::collections {

Installments Installments::of(Currency SUMA, Currency REST)
{
    Installments i;
    if (SUMA >= Currency::fromLei(SplitFromLei)) {
        i.first = Currency::div(SUMA, Currency::fromLei(2), Rounding::Truncate).truncLei();
        i.second = SUMA - i.first;
        if (i.second >= REST) {
            i.secondRemainder = REST;
        } else {
            i.secondRemainder = i.second;
            i.firstRemainder = std::max(Currency(), REST - i.second);
        }
    } else {
        i.first = SUMA;
        i.firstRemainder = REST;
    }
    return i;
}

} // namespace valdora::collections

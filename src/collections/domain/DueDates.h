#pragma once
// The dates a year's debts fall due: arrears on 31 December of the previous year,
// the two installments on the first and second terms.

#include <QDate>

namespace valdora::collections {

struct DueDates {
    QDate arrears; // 31 December of the previous year
    QDate first;   // 31 March (30 June in 2016 and 2020)
    QDate second;  // 30 September

    static DueDates ofYear(int year);
};

} // namespace valdora::collections

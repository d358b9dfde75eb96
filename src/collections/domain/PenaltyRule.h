#pragma once
// Late-payment penalty ("majorari"): a rate per calendar month or part of a month
// after the due date, by period of the law in force (2 % a month and 0.1 % a day
// before 1 July 2010, 2 % a month until 31 December 2015, 1 % a month after),
// applied to the amount with one rounding of the whole sum to lei. Never stored:
// every caller computes it on its own date.

#include "app/core/Currency.h"

#include <QDate>

namespace valdora::collections {

class PenaltyRule {
public:
    explicit PenaltyRule(int workingYear) : workingYear_(workingYear) {}

    int workingYear() const { return workingYear_; }

    // Whole lei owed on `amount`, due on `due`, as of `calculation`.
    Currency penalty(Currency amount, QDate due, QDate calculation, bool noPenalty) const;

    // The factor the amount is multiplied by before the one rounding (0 when not late).
    Currency rate(QDate due, QDate calculation) const;

    // The date penalties are counted to: no later than 31 December of the working year.
    QDate effectiveDate(QDate calculation) const;

    // Calendar-month boundaries from `from` to `to` (31 March -> 1 April is 1).
    static int months(QDate from, QDate to);

private:
    int workingYear_;
};

} // namespace valdora::collections

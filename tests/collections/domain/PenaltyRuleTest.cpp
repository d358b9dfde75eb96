#include "collections/domain/DueDates.h"
#include "collections/domain/Installments.h"
#include "collections/domain/PenaltyRule.h"

#include "CollectionsFixtures.h"

#include <gtest/gtest.h>

using namespace valdora::collections;
using namespace valdora::collections::testing;
using valdora::Currency;

TEST(PenaltyRule, OnePercentForEachCalendarMonthOrPartAfterTheDueDate)
{
    struct Case { int64_t amount; QDate due; QDate calc; int64_t expected; };
    const Case cases[] = {
        {1000, d(31, 3), d(31, 3), 0},   // on the due date itself
        {1000, d(31, 3), d(15, 3), 0},   // before it
        {1000, d(31, 3), d(1, 4), 10},   // one boundary crossed
        {1000, d(31, 3), d(30, 4), 10},  // still the same month
        {1000, d(31, 3), d(1, 5), 20},
        {1000, d(31, 12, 2025), d(1, 1), 10}, // arrears: 1 January already counts
        {1000, d(30, 9), d(31, 12), 30},
        {50, d(31, 3), d(1, 4), 1},      // 0.5 rounds away from zero
        {49, d(31, 3), d(1, 4), 0},      // 0.49
        {0, d(31, 3), d(1, 5), 0},
        {-500, d(31, 3), d(1, 5), 0},    // a credit accrues nothing
    };
    const PenaltyRule rule(2026);
    for (const auto &k : cases)
        EXPECT_EQ(rule.penalty(lei(k.amount), k.due, k.calc, false), lei(k.expected))
            << k.amount << " " << k.due.toString().toStdString() << " " << k.calc.toString().toStdString();
}

TEST(PenaltyRule, PeriodsOfTheLawWithOneFinalRounding)
{
    struct Case { int64_t amount; QDate due; QDate calc; int year; const char *rate; int64_t expected; };
    const Case cases[] = {
        // 15.03.2010 -> 10.01.2011: A x (0.02 x 4 + 0.001 x 108) + A x 0.02 x 6 = A x 0.308
        {1000, d(15, 3, 2010), d(10, 1, 2011), 2011, "0.3080", 308},
        // 12 x 0.188 = 2.256 and 12 x 0.12 = 1.44 round to 2 + 1; the sum 3.696 rounds to 4
        {12, d(15, 3, 2010), d(10, 1, 2011), 2011, "0.3080", 4},
        // wholly before July 2010: 2 months and 46 days
        {1000, d(31, 12, 2009), d(15, 2, 2010), 2010, "0.0860", 86},
        // across the end of 2015: 12 months at 2 %, then 2 at 1 %
        {1000, d(31, 12, 2014), d(1, 2, 2016), 2016, "0.2600", 260},
        // from 1 July 2010 the daily part stops
        {1000, d(1, 7, 2010), d(2, 8, 2010), 2010, "0.0200", 20},
    };
    for (const auto &k : cases) {
        const PenaltyRule rule(k.year);
        EXPECT_EQ(rule.rate(k.due, k.calc), *Currency::parse(QString::fromLatin1(k.rate)))
            << k.due.toString().toStdString();
        EXPECT_EQ(rule.penalty(lei(k.amount), k.due, k.calc, false), lei(k.expected))
            << k.amount << " " << k.due.toString().toStdString();
    }
}

TEST(PenaltyRule, CountsNoFurtherThanTheEndOfTheWorkingYear)
{
    const PenaltyRule rule(2026);
    EXPECT_EQ(rule.effectiveDate(d(15, 2, 2027)), d(31, 12));
    EXPECT_EQ(rule.effectiveDate(d(1, 1, 2027)), d(31, 12));
    EXPECT_EQ(rule.effectiveDate(d(31, 12)), d(31, 12));
    // 9 months from 31 March to 31 December; January 2027 would make it 10.
    EXPECT_EQ(rule.penalty(lei(1000), d(31, 3), d(31, 12), false), lei(90));
    EXPECT_EQ(rule.penalty(lei(1000), d(31, 3), d(1, 1, 2027), false), lei(90));
    EXPECT_EQ(rule.penalty(lei(1000), d(31, 3), d(15, 2, 2027), false), lei(90));
}

TEST(PenaltyRule, NoPenaltyFlagAndMonthCount)
{
    const PenaltyRule rule(2026);
    EXPECT_EQ(rule.penalty(lei(1000), d(31, 3), d(1, 5), true), lei(0));
    struct Case { QDate from; QDate to; int months; };
    const Case cases[] = {{d(31, 3), d(1, 4), 1}, {d(1, 3), d(31, 3), 0}, {d(31, 12, 2025), d(1, 1), 1},
                          {d(15, 3, 2010), d(1, 7, 2010), 4}, {d(1, 7, 2010), d(10, 1, 2011), 6}};
    for (const auto &k : cases)
        EXPECT_EQ(PenaltyRule::months(k.from, k.to), k.months);
}

TEST(Installments, FiftyLeiAndMoreSplitInTwoFirstHalfTruncated)
{
    struct Case { int64_t SUMA, REST, first, second, firstRem, secondRem; };
    const Case cases[] = {
        {50, 50, 25, 25, 25, 25},  // exactly 50: two installments
        {49, 49, 49, 0, 49, 0},    // under 50: one installment
        {51, 51, 25, 26, 25, 26},  // the odd leu goes to the second
        {100, 30, 50, 50, 0, 30},  // payments settle the first installment first
        {100, 70, 50, 50, 20, 50},
        {100, 50, 50, 50, 0, 50},
        {100, 0, 50, 50, 0, 0},
        {40, 15, 40, 0, 15, 0},
    };
    for (const auto &k : cases) {
        const Installments i = Installments::of(lei(k.SUMA), lei(k.REST));
        EXPECT_EQ(i.first, lei(k.first)) << k.SUMA << "/" << k.REST;
        EXPECT_EQ(i.second, lei(k.second)) << k.SUMA << "/" << k.REST;
        EXPECT_EQ(i.firstRemainder, lei(k.firstRem)) << k.SUMA << "/" << k.REST;
        EXPECT_EQ(i.secondRemainder, lei(k.secondRem)) << k.SUMA << "/" << k.REST;
    }
}

TEST(DueDates, TermsOfTheYear)
{
    const DueDates y2026 = DueDates::ofYear(2026);
    EXPECT_EQ(y2026.arrears, d(31, 12, 2025));
    EXPECT_EQ(y2026.first, d(31, 3));
    EXPECT_EQ(y2026.second, d(30, 9));
    EXPECT_EQ(DueDates::ofYear(2016).first, d(30, 6, 2016));
    EXPECT_EQ(DueDates::ofYear(2020).first, d(30, 6, 2020));
    EXPECT_EQ(DueDates::ofYear(2021).first, d(31, 3, 2021));
}

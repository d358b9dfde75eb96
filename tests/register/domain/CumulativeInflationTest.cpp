#include "register/domain/CumulativeInflation.h"

#include <gtest/gtest.h>

#include <limits>
#include <ostream>

using namespace valdora;

namespace valdora {
// Readable amounts in failure messages; internal to this file.
[[maybe_unused]] static void PrintTo(const Currency &value, std::ostream *os) { *os << value.toString().toStdString(); }
} // namespace valdora

namespace {

Currency c(const char *text) { return *Currency::parse(QString::fromLatin1(text)); }

} // namespace

TEST(CumulativeInflation, DefaultHistoryIsTwentyTwentySixBackToTwentyNineteen)
{
    const InflationHistory h = defaultInflationHistory();
    const char *expected[] = {"5.6", "10.4", "13.8", "5.1", "2.6", "3.8", "4.6", "1.3"};
    for (int k = 0; k < InflationHistory::Years; ++k)
        EXPECT_EQ(h.Inf[static_cast<size_t>(k)], c(expected[k])) << "Inf" << k;
    EXPECT_EQ(h.rateOf(2026, 2026), c("5.6"));
    EXPECT_EQ(h.rateOf(2019, 2026), c("1.3"));
    EXPECT_EQ(h.rateOf(2018, 2026), Currency());
    EXPECT_EQ(h.rateOf(2027, 2026), Currency());
}

TEST(CumulativeInflation, SinceAYearInTwentyTwentySix)
{
    struct Case {
        int since;
        int fromYear;
        int years;
        const char *percent;     // four decimals
        const char *percentText; // in full
        const char *description;
    };
    const Case cases[] = {
        // The administration's example: about 39.437 %, the description with the number in full.
        {2022, 2022, 4, "39.4370", "39.4369805312", "5.1% + 13.8% + 10.4% + 5.6% = 39.4369805312%"},
        {2025, 2025, 1, "5.6", "5.6", "5.6% = 5.6%"},
        {2024, 2024, 2, "16.5824", "16.5824", "10.4% + 5.6% = 16.5824%"},
        // Y - 5 is the oldest start: five rates at most.
        {2021, 2021, 5, "43.0623", "43.0623420250112", "2.6% + 5.1% + 13.8% + 10.4% + 5.6% = 43.0623420250112%"},
        {2020, 2021, 5, "43.0623", "43.0623420250112", "2.6% + 5.1% + 13.8% + 10.4% + 5.6% = 43.0623420250112%"},
        {2000, 2021, 5, "43.0623", "43.0623420250112", "2.6% + 5.1% + 13.8% + 10.4% + 5.6% = 43.0623420250112%"},
        // From the fiscal year on nothing is compounded.
        {2026, 2026, 0, "0", "0", ""},
        {2030, 2030, 0, "0", "0", ""},
    };
    for (const Case &k : cases) {
        const CumulativeInflation ci = cumulativeInflation(k.since, 2026, defaultInflationHistory());
        EXPECT_EQ(ci.fromYear, k.fromYear) << k.since;
        EXPECT_EQ(ci.rates.size(), k.years) << k.since;
        EXPECT_EQ(ci.percent, c(k.percent)) << k.since;
        EXPECT_EQ(ci.percentText, QString::fromLatin1(k.percentText)) << k.since;
        EXPECT_EQ(ci.description, QString::fromLatin1(k.description)) << k.since;
        EXPECT_EQ(ci.index.isNone(), k.years == 0) << k.since;
    }
}

TEST(CumulativeInflation, InfZeroIsTheFiscalYearWhateverTheYear)
{
    // A 2027 history: 4 % in 2027 (Inf0), 5.6 % in 2026 (Inf1).
    InflationHistory h;
    h.Inf[0] = c("4");
    h.Inf[1] = c("5.6");
    h.Inf[2] = c("10.4");
    const CumulativeInflation ci = cumulativeInflation(2025, 2027, h);
    EXPECT_EQ(ci.rates, (QList<Currency>{c("5.6"), c("4")}));
    EXPECT_EQ(ci.description, "5.6% + 4% = 9.824%");
}

TEST(InflationIndex, AppliesTheExactFactorWithOneRounding)
{
    const InflationIndex since2022 = cumulativeInflation(2022, 2026, defaultInflationHistory()).index;
    // 1 000 000 x 1.394369805312 = 1 394 369.805312: not 1 394 370 as a four-decimal percent would give.
    EXPECT_EQ(since2022.apply(Currency::fromLei(1000000)), c("1394369.8053"));
    EXPECT_EQ(InflationIndex::fromPercent(c("10")).apply(Currency::fromLei(294470)), Currency::fromLei(323917));
    // Several amounts are multiplied exactly before the single rounding:
    // 1.10 x 2677 x 50 x 1.430623420250112 = 210637.83928...
    const InflationIndex since2021 = cumulativeInflation(2021, 2026, defaultInflationHistory()).index;
    EXPECT_EQ(since2021.apply({c("1.10"), c("2677"), c("50")}), c("210637.8393"));
    // Half away from zero at the fourth decimal, both signs.
    const InflationIndex half = InflationIndex::fromPercent(c("50"));
    EXPECT_EQ(half.apply(c("0.0001")), c("0.0002"));
    EXPECT_EQ(half.apply(c("-0.0001")), c("-0.0002"));
    EXPECT_EQ(InflationIndex().apply({c("0.33"), c("0.33")}), c("0.1089"));
    EXPECT_EQ(InflationIndex().apply({c("0.005"), c("0.01")}), c("0.0001"));
    EXPECT_EQ(InflationIndex().apply({c("0.0049"), c("0.01")}), c("0"));
}

TEST(InflationIndex, KeepsEighteenDecimalsAndRefusesOverflow)
{
    // 1.0001^5 = 1.00050010001000050001 has 20 decimals: kept to 18.
    const InflationIndex tiny = InflationIndex::compounded({c("0.01"), c("0.01"), c("0.01"), c("0.01"), c("0.01")});
    EXPECT_EQ(tiny.percentText(), "0.05001000100005");
    EXPECT_EQ(tiny.percent(), c("0.0500"));
    // A large factor gives up decimals, not the computation: 1.6001^5 = 10.489037209625600800...
    const InflationIndex large = InflationIndex::compounded({c("60.01"), c("60.01"), c("60.01"), c("60.01"), c("60.01")});
    EXPECT_EQ(large.percentText(), "948.90372096256008");
    EXPECT_EQ(large.apply(Currency::fromLei(1000)), c("10489.0372"));
    const Currency huge = c("900000000000000");
    EXPECT_THROW(InflationIndex::compounded({huge, huge, huge}), CurrencyOverflow);
    EXPECT_THROW(InflationIndex::fromPercent(c("100")).apply(Currency::fromRaw(std::numeric_limits<int64_t>::max())),
                 CurrencyOverflow);
    EXPECT_TRUE(InflationIndex::fromPercent(Currency()).isNone());
    EXPECT_EQ(InflationIndex::fromPercent(c("-2.5")).percentText(), "-2.5");
}

TEST(CumulativeInflation, PlainNumber)
{
    EXPECT_EQ(plainNumber(c("5.6")), "5.6");
    EXPECT_EQ(plainNumber(c("10")), "10");
    EXPECT_EQ(plainNumber(c("0.25")), "0.25");
    EXPECT_EQ(plainNumber(Currency()), "0");
    EXPECT_EQ(plainNumber(c("-1.5")), "-1.5");
}

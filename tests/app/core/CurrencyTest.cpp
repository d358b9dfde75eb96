#include "app/core/Currency.h"

#include <gtest/gtest.h>

using valdora::Currency;
using valdora::Rounding;

namespace {
Currency c(const char *text) { return *Currency::parse(QString::fromLatin1(text)); }
} // namespace

TEST(Currency, ParseAndFormat)
{
    struct Case { const char *in; const char *out; };
    const Case cases[] = {{"0", "0.0000"}, {"12", "12.0000"}, {"-12.5", "-12.5000"}, {"0.0001", "0.0001"},
                          {"1.23456", "1.2346"}, {"-1.23455", "-1.2346"}, {"+7.", "7.0000"}, {".5", "0.5000"}};
    for (const auto &k : cases)
        EXPECT_EQ(c(k.in).toString(), QString::fromLatin1(k.out)) << k.in;
    for (const char *bad : {"", " ", "1,5", "1.2.3", "abc", "-", "1e5", "."})
        EXPECT_FALSE(Currency::parse(QString::fromLatin1(bad)).has_value()) << bad;
    EXPECT_EQ(c("2.5").toString(0), "3");
    EXPECT_EQ(c("-2.5").toString(0), "-3");
    EXPECT_EQ(c("-0.00001").toString(2), "0.00");
}

TEST(Currency, RoundingToLei)
{
    struct Case { const char *x; int64_t away; int64_t trunc; };
    const Case cases[] = {{"2.5", 3, 2}, {"2.4999", 2, 2}, {"-2.5", -3, -2}, {"-2.4999", -2, -2},
                          {"0.5", 1, 0}, {"-0.5", -1, 0}, {"49.5", 50, 49}, {"0", 0, 0}};
    for (const auto &k : cases) {
        EXPECT_EQ(c(k.x).roundLei().wholeLei(), k.away) << k.x;
        EXPECT_EQ(c(k.x).truncLei().wholeLei(), k.trunc) << k.x;
    }
}

TEST(Currency, WholeLeiRefusesAFraction)
{
    EXPECT_THROW(c("1.5").wholeLei(), std::logic_error);
    EXPECT_EQ(c("-7").wholeLei(), -7);
}

TEST(Currency, ProductsAndQuotientsRoundOnce)
{
    // 1.2345 ha x 40 lei = 49.38 exactly; products of two four-decimal values
    // round back to four decimals in the mode asked for.
    EXPECT_EQ((c("1.2345") * c("40")).toString(), "49.3800");
    EXPECT_EQ(Currency::mul(c("0.0001"), c("0.5"), Rounding::HalfAwayFromZero).raw(), 1);
    EXPECT_EQ(Currency::mul(c("0.0001"), c("0.5"), Rounding::HalfToEven).raw(), 0);
    EXPECT_EQ(Currency::mul(c("0.0003"), c("0.5"), Rounding::HalfToEven).raw(), 2);
    EXPECT_EQ(Currency::mul(c("-0.0001"), c("0.5"), Rounding::HalfAwayFromZero).raw(), -1);
    EXPECT_EQ(Currency::mul(c("0.0009"), c("0.5"), Rounding::Truncate).raw(), 4);
    EXPECT_EQ((c("10") / c("3")).toString(), "3.3333");
    EXPECT_EQ((c("20") / c("3")).toString(), "6.6667");
    EXPECT_EQ((c("-20") / c("3")).toString(), "-6.6667");
    EXPECT_EQ(Currency::percentOf(c("5"), c("10"), Rounding::HalfAwayFromZero).toString(), "0.5000");
    EXPECT_EQ(Currency::percentOf(c("294.4"), c("0.1"), Rounding::HalfToEven).toString(), "0.2944");
    EXPECT_THROW(c("1") / c("0"), std::domain_error);
    EXPECT_EQ((c("1.1") * 3).toString(), "3.3000");
}

TEST(Currency, RoundToDecimals)
{
    EXPECT_EQ(c("1.2345").roundTo(3, Rounding::HalfToEven).toString(), "1.2340");
    EXPECT_EQ(c("1.2355").roundTo(3, Rounding::HalfToEven).toString(), "1.2360");
    EXPECT_EQ(c("1.2345").roundTo(3, Rounding::HalfAwayFromZero).toString(), "1.2350");
    EXPECT_EQ(c("1.25").roundTo(1, Rounding::HalfToEven).toString(), "1.2000");
    EXPECT_EQ(Currency::fromScaled(123456, 5).toString(), "1.2346");
    EXPECT_EQ(Currency::fromScaled(123455, 5, Rounding::HalfToEven).toString(), "1.2346");
    EXPECT_EQ(Currency::fromScaled(123445, 5, Rounding::HalfToEven).toString(), "1.2344");
}

TEST(Currency, OverflowIsAnErrorNotAWrap)
{
    const Currency big = Currency::fromRaw(std::numeric_limits<int64_t>::max());
    EXPECT_THROW(big + Currency::fromRaw(1), valdora::CurrencyOverflow);
    EXPECT_THROW(big * 2, valdora::CurrencyOverflow);
    EXPECT_FALSE(Currency::parse(QStringLiteral("99999999999999999999999")).has_value());
}

#include "collections/domain/ProportionalSplit.h"

#include "CollectionsFixtures.h"

#include <gtest/gtest.h>

using namespace valdora::collections;
using namespace valdora::collections::testing;
using valdora::Currency;

namespace {

struct Case {
    int64_t amount;
    std::vector<int64_t> owed; // weight and cap of each part
    std::size_t remainder;
    std::vector<int64_t> expected;
};

std::vector<Currency> run(const Case &k)
{
    std::vector<ProportionalSplit::Part> parts;
    Currency whole;
    for (int64_t o : k.owed) {
        parts.push_back({lei(o), lei(o)});
        whole += lei(o);
    }
    return ProportionalSplit::split(lei(k.amount), ProportionalSplit::ratio(lei(k.amount), whole), parts,
                                    k.remainder);
}

} // namespace

TEST(ProportionalSplit, RatioToFourDecimalsRemainderTakesTheRest)
{
    const Case cases[] = {
        // 500 / 1230 = 0.4065: 406.5 -> 407, 81.3 -> 81, the penalty accrued now takes 12
        {500, {1000, 200, 30}, 2, {407, 81, 12}},
        // 1 / 2 = 0.5 rounds both shares up to 1: the second gives its leu back
        {1, {1, 1, 0}, 2, {1, 0, 0}},
        // 5 / 6: shares 2.5 -> 3 and 2.5 -> 3 exceed 5; back to 3 + 2
        {5, {3, 3, 0}, 2, {3, 2, 0}},
        // 4-decimal ratio of a large amount: the remainder part never exceeds what it is owed
        {1, {999999, 0}, 1, {1, 0}},
        {50000, {100000, 1000}, 1, {49500, 500}},
        {0, {100, 10}, 1, {0, 0}},
    };
    for (const auto &k : cases) {
        const auto parts = run(k);
        ASSERT_EQ(parts.size(), k.expected.size());
        Currency sum;
        for (std::size_t i = 0; i < parts.size(); ++i) {
            EXPECT_EQ(parts[i], lei(k.expected[i])) << k.amount << " part " << i;
            EXPECT_GE(parts[i], Currency()) << k.amount << " part " << i;
            EXPECT_LE(parts[i], lei(k.owed[i])) << k.amount << " part " << i;
            sum += parts[i];
        }
        EXPECT_EQ(sum, lei(k.amount)) << k.amount;
    }
}

TEST(ProportionalSplit, NeverNegativeNeverAboveWhatIsOwedAlwaysTheWholeAmount)
{
    // Every payment short of the owed total, over owed amounts chosen to stress rounding.
    const std::vector<std::vector<int64_t>> owedSets = {{1, 1, 1}, {3, 3, 0}, {7, 0, 2}, {999, 1, 1}, {13, 17, 5}};
    for (const auto &owed : owedSets) {
        int64_t total = 0;
        for (int64_t o : owed)
            total += o;
        for (int64_t amount = 0; amount < total; ++amount) {
            for (std::size_t rem = 0; rem < owed.size(); ++rem) {
                const auto parts = run(Case{amount, owed, rem, {}});
                Currency sum;
                for (std::size_t i = 0; i < parts.size(); ++i) {
                    EXPECT_GE(parts[i], Currency());
                    EXPECT_LE(parts[i], lei(owed[i]));
                    sum += parts[i];
                }
                EXPECT_EQ(sum, lei(amount));
            }
        }
    }
}

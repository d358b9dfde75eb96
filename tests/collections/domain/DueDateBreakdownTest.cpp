#include "collections/domain/DueDateBreakdown.h"

#include "CollectionsFixtures.h"

#include <gtest/gtest.h>

using namespace valdora::collections;
using namespace valdora::collections::testing;
using valdora::Currency;

namespace {

struct RowExpect {
    qint64 TERMEN;
    int64_t RAMASITA, CURENT, ACCESORII;
};

void expectRows(const DueDateBreakdown &b, const std::vector<RowExpect> &expected, const char *what)
{
    ASSERT_EQ(b.rows.size(), expected.size()) << what;
    Currency total;
    for (std::size_t i = 0; i < expected.size(); ++i) {
        const BreakdownRow &r = b.rows[i];
        EXPECT_EQ(r.TERMEN, expected[i].TERMEN) << what << " row " << i;
        EXPECT_EQ(r.RAMASITA, lei(expected[i].RAMASITA)) << what << " row " << i;
        EXPECT_EQ(r.CURENT, lei(expected[i].CURENT)) << what << " row " << i;
        EXPECT_EQ(r.ACCESORII, lei(expected[i].ACCESORII)) << what << " row " << i;
        EXPECT_EQ(r.IDGOS, 7) << what;
        EXPECT_EQ(r.IDSOM, 0) << what;
        total += r.RAMASITA + r.CURENT + r.ACCESORII;
    }
    EXPECT_EQ(b.total, total) << what;
}

constexpr qint64 Dec31_2025 = 46022;
constexpr qint64 Mar31_2026 = 46112;
constexpr qint64 Sep30_2026 = 46295;
constexpr qint64 Feb15_2026 = 46068;

} // namespace

TEST(DueDateBreakdown, ArrearsAndEachLateInstallmentWithItsPenalty)
{
    const RoleSituation s = window(role(d(15, 10), {sold({.SUMA = 1000, .REST = 1000, .DATOR = 200, .MAJOR = 30})}));
    const DueDateBreakdown b = DueDateBreakdown::of(s);
    // Arrears 200 with carried 30 and 10 months x 1 % (20); 500 late 7 months (35); 500 late 1 month (5).
    expectRows(b, {{Dec31_2025, 200, 0, 50}, {Mar31_2026, 0, 500, 35}, {Sep30_2026, 0, 500, 5}}, "late");
    EXPECT_EQ(b.total, s.totalDatorie());
    EXPECT_EQ(b.rows[0].GRUPA, Cladiri);
    EXPECT_EQ(b.rows[0].dueDate, d(31, 12, 2025));
}

TEST(DueDateBreakdown, InstallmentsAsTheWindowSplitsThem)
{
    struct Case {
        const char *what;
        int64_t SUMA;
        QDate C;
        std::vector<RowExpect> rows;
    };
    const Case cases[] = {
        // 50 lei is two installments of 25: only the first is late in May.
        {"50 lei", 50, d(15, 5), {{Mar31_2026, 0, 25, 1}}},
        {"49 lei", 49, d(15, 5), {{Mar31_2026, 0, 49, 1}}},
        {"51 lei", 51, d(15, 10), {{Mar31_2026, 0, 25, 2}, {Sep30_2026, 0, 26, 0}}},
        // Nothing is late before the first term.
        {"before first term", 1000, d(15, 3), {}},
    };
    for (const auto &k : cases) {
        const RoleSituation s = window(role(k.C, {sold({.SUMA = k.SUMA, .REST = k.SUMA})}));
        expectRows(DueDateBreakdown::of(s), k.rows, k.what);
    }
}

TEST(DueDateBreakdown, RoleWithoutPenaltiesHasNoAccessoriesAnywhere)
{
    CollectionSettings st = settings2026();
    st.penaltyExemptionsAllowed = true;
    RoleSituationInput in = role(d(15, 10), {sold({.SUMA = 1000, .REST = 1000, .DATOR = 200, .MAJOR = 30})});
    in.NOTAX = QStringLiteral("DA");
    const DueDateBreakdown b = DueDateBreakdown::of(window(in, st));
    // Penalties of the installments are not taken out of an arrears accessory of 0.
    expectRows(b, {{Dec31_2025, 200, 0, 0}, {Mar31_2026, 0, 500, 0}, {Sep30_2026, 0, 500, 0}}, "exempt");
}

TEST(DueDateBreakdown, OtherTaxesFallDueOnTheirDate)
{
    const RoleSituation s = window(role(d(15, 3), {sold({.SUMA = 1000, .REST = 1000})},
                                        {item(1, QStringLiteral("Taxa salubrizare"), 100, 20, 10, d(15, 2))}));
    const DueDateBreakdown b = DueDateBreakdown::of(s);
    expectRows(b, {{Feb15_2026, 20, 100, 0}}, "other tax");
    EXPECT_EQ(b.rows[0].DOCJUS, QStringLiteral("HCL 1"));
}

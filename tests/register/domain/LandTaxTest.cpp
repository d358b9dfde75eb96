#include "register/domain/LandTax.h"

#include <gtest/gtest.h>

#include <ostream>
#include <vector>

using namespace valdora;

namespace valdora {
// Readable amounts in failure messages; internal to this file.
[[maybe_unused]] static void PrintTo(const Currency &value, std::ostream *os) { *os << value.toString().toStdString(); }
} // namespace valdora

namespace {

Currency c(const char *text) { return *Currency::parse(QString::fromLatin1(text)); }
Currency lei(int64_t n) { return Currency::fromLei(n); }

LandRole natural(int SCCC = 0, int SCTI = 0, int SCTE = 0) { return {false, SCCC, SCTI, SCTE}; }
LandRole legal() { return {true, 0, 0, 0}; }

} // namespace

TEST(LandTax, WorkedExampleExtravilan)
{
    // 1.2345 ha of arable land in column A at 40 lei per ha: 49.38 lei, 49 after rounding.
    ExtravilanLandRow page;
    page.area(1, 1) = c("1.2345");
    const auto k = ExtravilanLandConstants::initial();

    auto plain = LandTax::extravilan(page, k, natural()).categories[0];
    EXPECT_EQ(plain.assessed, lei(49));
    EXPECT_EQ(plain.exemption, lei(0));
    EXPECT_EQ(plain.tax, lei(49));
    EXPECT_EQ(plain.CANT, c("1.2345"));
    // 10 % of 49 = 4.9 -> 5, above 4.9, so 4.
    EXPECT_EQ(plain.discount.REDUC, lei(4));
    EXPECT_EQ(plain.discount.REDUCP, lei(10));

    // SCTE 50: 24.5 truncated to 24 exempted, 25 left to pay.
    auto half = LandTax::extravilan(page, k, natural(0, 0, 50));
    EXPECT_EQ(half.categories[0].assessed, lei(49));
    EXPECT_EQ(half.categories[0].exemption, lei(24));
    EXPECT_EQ(half.categories[0].tax, lei(25));
    EXPECT_EQ(half.SCTE, lei(24));
    // 2.5 -> 3 is above 2.5, so 2.
    EXPECT_EQ(half.categories[0].discount.REDUC, lei(2));

    LandDebtRow row = LandTax::debtRow(half.categories[0], {});
    EXPECT_EQ(row.GRUPA, "Impozit pe teren extravilan");
    EXPECT_EQ(row.DENUM, "Teren arabil");
    EXPECT_EQ(row.UM, "ha");
    EXPECT_EQ(row.CANT, c("1.2345"));
    EXPECT_EQ(row.SUMA, lei(25));
    EXPECT_EQ(row.SUMA2, lei(25));
    EXPECT_EQ(row.REDUC, lei(2));
    EXPECT_EQ(row.REDUCP, lei(10));
    EXPECT_EQ(row.SCUTIT, lei(0));
    EXPECT_TRUE(row.post);
}

TEST(LandTax, DiscountRule)
{
    struct Case { int64_t tax; const char *percent; bool legalPerson; bool BonifPJ; int64_t REDUC; int64_t REDUCP; };
    const Case cases[] = {
        {5, "10", false, false, 0, 10},      // 0.5 -> 1 is above 0.5
        {105, "10", false, false, 10, 10},   // 10.5 -> 11 is above 10.5
        {104, "10", false, false, 10, 10},   // 10.4 -> 10
        {100, "10", false, false, 10, 10},   // exactly a tenth stays
        {250, "5", false, false, 13, 5},     // 12.5 -> 13, under 25
        {4, "10", false, false, 0, 10},      // 0.4 -> 0
        {0, "10", false, false, 0, 10},
        {100, "0", false, false, 0, 0},
        {100, "20", false, false, 19, 20},   // 20 is above 10: one lei less
        {105, "10", true, false, 0, 0},      // legal person, no legal-person discounts
        {105, "10", true, true, 10, 10},     // legal person, discounts granted
        {105, "10", false, true, 10, 10},
        {101, "2.5", false, false, 3, 2},    // 2.525 -> 3; the percent column is whole
        {30, "8.3333", false, false, 2, 8},  // 2.49999 -> 2, never lifted to 2.5 on the way
    };
    for (const auto &k : cases) {
        LandDiscount d = LandTax::discount(lei(k.tax), c(k.percent), k.legalPerson, k.BonifPJ);
        EXPECT_EQ(d.REDUC, lei(k.REDUC)) << k.tax << " at " << k.percent;
        EXPECT_EQ(d.REDUCP, lei(k.REDUCP)) << k.tax << " at " << k.percent;
    }
}

TEST(LandTax, ExemptionIsTruncated)
{
    struct Case { int64_t tax; int percent; int64_t exempted; };
    const Case cases[] = {{49, 50, 24}, {49, 30, 14}, {301, 50, 150}, {7, 100, 7},
                          {10, 0, 0},   {1, 30, 0},   {3, 30, 0},     {4, 30, 1}};
    for (const auto &k : cases)
        EXPECT_EQ(LandTax::exemption(lei(k.tax), k.percent), lei(k.exempted)) << k.tax << " at " << k.percent;
}

TEST(LandTax, RoundingAtTheLeiBoundary)
{
    // Extravilan and courtyard products are rounded to four decimals half to even
    // before the sum is rounded to lei; the other intravilan categories keep the
    // exact products.
    struct Case { const char *what; std::vector<const char *> rates; std::vector<const char *> areas;
                  int64_t fixedPoint; int64_t exact; };
    const Case cases[] = {
        {"2.49995: 9 is odd, up to 2.5", {"0.5"}, {"4.9999"}, 3, 2},
        {"2.49985: 8 is even, stays", {"0.5"}, {"4.9997"}, 2, 2},
        {"two halves of 1.24995", {"0.5", "0.5"}, {"2.4999", "2.4999"}, 3, 2},
        {"0.00005 goes to even 0", {"0.5", "0.5"}, {"4.9998", "0.0001"}, 2, 2},
        {"0.00015 goes to even 0.0002", {"0.5", "0.5"}, {"4.9998", "0.0003"}, 3, 3},
        {"2.5 exactly", {"0.5"}, {"5"}, 3, 3},
        {"49.38", {"40"}, {"1.2345"}, 49, 49},
        {"49.688625", {"40.25"}, {"1.2345"}, 50, 50},
        {"nothing", {"40", "37"}, {"0", "0"}, 0, 0},
    };
    for (const auto &k : cases) {
        std::vector<Currency> rates, areas;
        for (const char *r : k.rates)
            rates.push_back(c(r));
        for (const char *a : k.areas)
            areas.push_back(c(a));
        EXPECT_EQ(LandTax::fixedPointTax(rates, areas), lei(k.fixedPoint)) << k.what;
        EXPECT_EQ(LandTax::exactTax(rates, areas), lei(k.exact)) << k.what;
    }
    const std::vector<Currency> one{c("1")};
    const std::vector<Currency> two{c("1"), c("1")};
    EXPECT_THROW(LandTax::fixedPointTax(one, two), std::invalid_argument);
    EXPECT_THROW(LandTax::exactTax(two, one), std::invalid_argument);
}

TEST(LandTax, EachPageUsesItsArithmetic)
{
    // The same 0.5 lei x 4.9999 gives 3 lei on page 1 and for courtyards, 2 lei
    // for an intravilan category.
    ExtravilanLandConstants ek;
    ek.rate(4, 2) = c("0.5");
    ExtravilanLandRow ep;
    ep.area(4, 2) = c("4.9999");
    EXPECT_EQ(LandTax::extravilan(ep, ek, natural()).categories[3].assessed, lei(3));

    IntravilanLandConstants ik;
    ik.courtyardRate(6) = c("0.5");
    ik.rate(8, 6) = c("0.5");
    IntravilanLandRow ip;
    ip.courtyard(6) = c("4.9999");
    ip.area(8, 6) = c("4.9999");
    auto i = LandTax::intravilan(ip, ik, natural());
    EXPECT_EQ(i.courtyards.assessed, lei(3));
    EXPECT_EQ(i.categories[7].assessed, lei(2));
}

TEST(LandTax, DebtRowKeepsManualChangesAndDropsEmptyRows)
{
    struct Case { const char *what; int64_t tax; int64_t discount; LandDebtBefore before;
                  int64_t SUMA; int64_t SUMA2; bool post; };
    const Case cases[] = {
        {"new row", 49, 4, {}, 49, 49, true},
        {"reassessed, no change", 49, 4, {lei(49), lei(49), lei(0)}, 49, 49, true},
        {"manual increase of 11 survives", 55, 5, {lei(60), lei(49), lei(0)}, 66, 55, true},
        {"manual decrease survives", 55, 5, {lei(40), lei(49), lei(0)}, 46, 55, true},
        {"nothing, no earlier amounts", 0, 0, {}, 0, 0, false},
        {"nothing assessed any more", 0, 0, {lei(49), lei(49), lei(0)}, 0, 0, false},
        {"arrears on the row keep it", 0, 0, {lei(0), lei(0), lei(7)}, 0, 0, true},
    };
    for (const auto &k : cases) {
        LandCategoryTax t;
        t.GRUPA = QStringLiteral("Impozit pe teren intravilan");
        t.DENUM = QStringLiteral("Vie");
        t.UM = QStringLiteral("ha");
        t.CANT = c("0.25");
        t.assessed = t.tax = lei(k.tax);
        t.discount = {lei(k.discount), lei(10)};
        LandDebtRow row = LandTax::debtRow(t, k.before);
        EXPECT_EQ(row.SUMA, lei(k.SUMA)) << k.what;
        EXPECT_EQ(row.SUMA2, lei(k.SUMA2)) << k.what;
        EXPECT_EQ(row.REDUC, lei(k.discount)) << k.what;
        EXPECT_EQ(row.post, k.post) << k.what;
        EXPECT_EQ(row.DENUM, "Vie") << k.what;
        EXPECT_EQ(row.CANT, c("0.25")) << k.what;
    }
}

TEST(LandTax, EmptyPagesProduceNoRows)
{
    auto e = LandTax::extravilan({}, ExtravilanLandConstants::initial(), natural(0, 0, 50));
    for (const auto &t : e.categories)
        EXPECT_FALSE(LandTax::debtRow(t, {}).post) << t.DENUM.toStdString();
    EXPECT_EQ(e.SCTE, lei(0));

    auto i = LandTax::intravilan({}, IntravilanLandConstants::initial(), natural(50, 50, 0));
    EXPECT_FALSE(LandTax::debtRow(i.courtyards, {}).post);
    for (const auto &t : i.categories)
        EXPECT_FALSE(LandTax::debtRow(t, {}).post) << t.DENUM.toStdString();
}

TEST(LandTax, ExtravilanPage)
{
    ExtravilanLandRow page;
    page.area(1, 1) = c("1.2345");              // 49.38
    page.area(2, 1) = c("0.5");                 // 11
    page.area(2, 5) = c("0.5");                 //  7   -> 18
    page.area(7, 3) = c("2.75");                // 24.75 -> 25
    page.area(9, 1) = c("3");                   // rate 0
    auto k = ExtravilanLandConstants::initial();
    auto a = LandTax::extravilan(page, k, natural(0, 0, 30));

    ASSERT_EQ(a.categories.size(), 11u);
    struct Expect { int category; const char *name; const char *area; int64_t assessed; int64_t exempted; int64_t reduc; };
    const Expect expected[] = {
        {1, "Teren arabil", "1.2345", 49, 14, 3},                // 35: 3.5 -> 4 above 3.5
        {2, "Pasuni - fanete", "1", 18, 5, 1},                   // 13: 1.3 -> 1
        {7, "Fond forestier sau alt teren", "2.75", 25, 7, 1},   // 18: 1.8 -> 2 above 1.8
        {9, "Teren neproductiv", "3", 0, 0, 0},
        {11, "Teren cu amenajari piscicole", "0", 0, 0, 0},
    };
    for (const auto &x : expected) {
        const LandCategoryTax &t = a.categories[x.category - 1];
        EXPECT_EQ(t.GRUPA, "Impozit pe teren extravilan") << x.category;
        EXPECT_EQ(t.DENUM, QString::fromLatin1(x.name)) << x.category;
        EXPECT_EQ(t.UM, "ha") << x.category;
        EXPECT_EQ(t.CANT, c(x.area)) << x.category;
        EXPECT_EQ(t.assessed, lei(x.assessed)) << x.category;
        EXPECT_EQ(t.exemption, lei(x.exempted)) << x.category;
        EXPECT_EQ(t.tax, lei(x.assessed - x.exempted)) << x.category;
        EXPECT_EQ(t.discount.REDUC, lei(x.reduc)) << x.category;
    }
    // 3 ha of unproductive land at rate 0 has an area but no tax: no row.
    EXPECT_FALSE(LandTax::debtRow(a.categories[8], {}).post);
    EXPECT_EQ(a.SCTE, lei(14 + 5 + 7));
    EXPECT_EQ(a.categories[9].DENUM, "Teren cu apa, fara amenajari piscicole");
}

TEST(LandTax, IntravilanPage)
{
    auto k = IntravilanLandConstants::initial();
    for (int z = 1; z <= 6; ++z)
        k.courtyardRate(z) = c("0.3");
    k.rate(4, 2) = c("1200");
    k.rate(5, 1) = c("900");
    IntravilanLandRow page;
    page.courtyard(1) = c("500");  // 150
    page.courtyard(3) = c("250");  //  75 -> 225
    page.area(4, 2) = c("0.125");  // 150
    page.area(5, 1) = c("0.0505"); // 45.45 -> 45

    auto a = LandTax::intravilan(page, k, natural(30, 50, 100));
    EXPECT_EQ(a.courtyards.GRUPA, "Impozit pe teren intravilan");
    EXPECT_EQ(a.courtyards.DENUM, "Curti cu constructii");
    EXPECT_EQ(a.courtyards.UM, "mp");
    EXPECT_EQ(a.courtyards.CANT, c("750"));
    EXPECT_EQ(a.courtyards.assessed, lei(225));
    EXPECT_EQ(a.courtyards.exemption, lei(67)); // 67.5 truncated
    EXPECT_EQ(a.courtyards.tax, lei(158));
    EXPECT_EQ(a.courtyards.discount.REDUC, lei(15)); // 15.8 -> 16, above 15.8
    EXPECT_EQ(a.SCCC, lei(67));

    const LandCategoryTax &vie = a.categories[3];
    EXPECT_EQ(vie.DENUM, "Vie");
    EXPECT_EQ(vie.UM, "ha");
    EXPECT_EQ(vie.assessed, lei(150));
    EXPECT_EQ(vie.exemption, lei(75));
    EXPECT_EQ(vie.discount.REDUC, lei(7)); // 7.5 -> 8, above 7.5
    const LandCategoryTax &livada = a.categories[4];
    EXPECT_EQ(livada.DENUM, "Livada");
    EXPECT_EQ(livada.assessed, lei(45));
    EXPECT_EQ(livada.exemption, lei(22));
    EXPECT_EQ(a.SCTI, lei(75 + 22));

    const char *names[] = {"Teren arabil", "Pasune", "Faneata", "Vie", "Livada", "Neproductiv", "Padure", "Teren cu ape"};
    for (int n = 0; n < 8; ++n)
        EXPECT_EQ(a.categories[n].DENUM, QString::fromLatin1(names[n]));
}

TEST(LandTax, FullExemptionLeavesNoRowButCountsTheExemption)
{
    ExtravilanLandRow page;
    page.area(1, 1) = c("1.2345");
    auto a = LandTax::extravilan(page, ExtravilanLandConstants::initial(), natural(0, 0, 100));
    EXPECT_EQ(a.categories[0].tax, lei(0));
    EXPECT_EQ(a.SCTE, lei(49));
    EXPECT_FALSE(LandTax::debtRow(a.categories[0], {}).post);
}

TEST(LandTax, LegalPersonDiscountFollowsTheOfficeSetting)
{
    ExtravilanLandRow ep;
    ep.area(1, 1) = c("2.625"); // 105
    IntravilanLandRow ip;
    ip.courtyard(2) = c("105");
    for (bool granted : {false, true}) {
        auto ek = ExtravilanLandConstants::initial();
        ek.BonifPJ = granted;
        auto ik = IntravilanLandConstants::initial();
        ik.courtyardRate(2) = c("1");
        ik.BonifPJ = granted;
        const LandCategoryTax e = LandTax::extravilan(ep, ek, legal()).categories[0];
        const LandCategoryTax i = LandTax::intravilan(ip, ik, legal()).courtyards;
        EXPECT_EQ(e.tax, lei(105));
        EXPECT_EQ(i.tax, lei(105));
        EXPECT_EQ(e.discount.REDUC, lei(granted ? 10 : 0)) << granted;
        EXPECT_EQ(e.discount.REDUCP, lei(granted ? 10 : 0)) << granted;
        EXPECT_EQ(i.discount.REDUC, lei(granted ? 10 : 0)) << granted;
        EXPECT_EQ(i.discount.REDUCP, lei(granted ? 10 : 0)) << granted;
        // The row is still posted for its tax.
        EXPECT_TRUE(LandTax::debtRow(e, {}).post);
    }
    // A natural person gets it whatever the setting.
    EXPECT_EQ(LandTax::extravilan(ep, ExtravilanLandConstants::initial(), natural()).categories[0].discount.REDUC,
              lei(10));
}

TEST(LandTax, RoleFromGospodar)
{
    LandRole j = LandRole::fromGospodar(u"JURIDICA", 30, 50, 100);
    EXPECT_TRUE(j.legalPerson);
    EXPECT_EQ(j.SCCC, 30);
    EXPECT_EQ(j.SCTI, 50);
    EXPECT_EQ(j.SCTE, 100);
    EXPECT_FALSE(LandRole::fromGospodar(u"FIZICA", 0, 0, 0).legalPerson);
    EXPECT_FALSE(LandRole::fromGospodar(u"", 0, 0, 0).legalPerson);
}

TEST(LandTax, ColumnNamesMatchTheTables)
{
    const QStringList extra = ExtravilanLandRow::columnNames();
    ASSERT_EQ(extra.size(), 55);
    EXPECT_EQ(extra.front(), "L1A");
    EXPECT_EQ(extra[4], "L1E");
    EXPECT_EQ(extra[5], "L2A");
    EXPECT_EQ(extra.back(), "L11E");

    const QStringList intra = IntravilanLandRow::columnNames();
    ASSERT_EQ(intra.size(), 54);
    EXPECT_EQ(intra.front(), "CCA");
    EXPECT_EQ(intra[5], "CCF");
    EXPECT_EQ(intra[6], "AL1A");
    EXPECT_EQ(intra.back(), "AL8F");

    // Every name finds the area of its own category and column.
    ExtravilanLandRow e;
    for (int n = 1; n <= 11; ++n)
        for (int z = 1; z <= 5; ++z) {
            Currency *p = e.column(ExtravilanLandRow::columnName(n, z));
            ASSERT_NE(p, nullptr) << n << z;
            EXPECT_EQ(p, &e.area(n, z)) << n << z;
        }
    IntravilanLandRow i;
    EXPECT_EQ(i.column(u"CCF"), &i.courtyard(6));
    EXPECT_EQ(i.column(u"AL2C"), &i.area(2, 3));
    EXPECT_EQ(i.column(u"AL8F"), &i.area(8, 6));
    for (const char *bad : {"L12A", "L0A", "L01A", "L1F", "L1", "LA", "X1A", "", "CCG", "CC", "AL9A", "AL1G", "ALA",
                            "AL0A", "AL10A"}) {
        EXPECT_EQ(e.column(QString::fromLatin1(bad)), nullptr) << bad;
        EXPECT_EQ(i.column(QString::fromLatin1(bad)), nullptr) << bad;
    }
    EXPECT_EQ(e.column(u"CCA"), nullptr);
    EXPECT_EQ(i.column(u"L1A"), nullptr);
    EXPECT_THROW(ExtravilanLandRow::columnName(12, 1), std::out_of_range);
    EXPECT_THROW(e.area(1, 6), std::out_of_range);
    EXPECT_THROW(LandTax::intravilanCategoryName(9), std::out_of_range);
}

TEST(LandTax, ConstantNamesAndInitialValues)
{
    EXPECT_EQ(ExtravilanLandConstants::rateName(3, 2), "EC3ZB");
    EXPECT_EQ(ExtravilanLandConstants::rateName(11, 5), "EC11ZE");
    EXPECT_EQ(ExtravilanLandConstants::zoneName(1), "TEZ1");
    EXPECT_EQ(ExtravilanLandConstants::rankName(5), "TER5");
    EXPECT_EQ(IntravilanLandConstants::courtyardRateName(1), "ICCA");
    EXPECT_EQ(IntravilanLandConstants::rateName(2, 3), "IA23");
    EXPECT_EQ(IntravilanLandConstants::rateName(8, 6), "IA86");
    EXPECT_EQ(IntravilanLandConstants::zoneName(6), "TIZ6");
    EXPECT_EQ(IntravilanLandConstants::rankName(1), "TIR1");

    const auto e = ExtravilanLandConstants::initial();
    QStringList captions;
    for (const auto &cl : e.classification)
        captions << cl.caption();
    EXPECT_EQ(captions, (QStringList{"A I", "B II", "C II", "D II", "D IV"}));
    EXPECT_EQ(e.RedTE, lei(10));
    EXPECT_FALSE(e.BonifPJ);
    const int64_t initialRates[11][5] = {{40, 37, 35, 30, 30}, {22, 20, 18, 14, 14}, {44, 42, 40, 34, 34}, {},
                                         {44, 42, 40, 34, 34}, {},                    {13, 11, 9, 6, 6},
                                         {24, 22, 20, 16, 16}, {},                    {},
                                         {}};
    for (int n = 1; n <= 11; ++n)
        for (int z = 1; z <= 5; ++z)
            EXPECT_EQ(e.rate(n, z), lei(initialRates[n - 1][z - 1])) << n << z;

    const auto i = IntravilanLandConstants::initial();
    captions.clear();
    for (const auto &cl : i.classification)
        captions << cl.caption();
    EXPECT_EQ(captions, (QStringList{"A I", "B II", "C III", "D III", "D IV", "D IV"}));
    EXPECT_EQ(i.RedTI, lei(10));
    for (int z = 1; z <= 6; ++z) {
        EXPECT_TRUE(i.courtyardRate(z).isZero());
        for (int n = 1; n <= 8; ++n)
            EXPECT_TRUE(i.rate(n, z).isZero());
    }
}

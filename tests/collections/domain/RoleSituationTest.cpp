#include "collections/domain/OtherTaxEntry.h"
#include "collections/domain/RoleSituation.h"

#include "CollectionsFixtures.h"

#include <gtest/gtest.h>

using namespace valdora::collections;
using namespace valdora::collections::testing;
using valdora::Currency;

namespace {

struct TiExpect {
    int64_t CUR1, RAM1, RED1, MAJOR1, DEPLATA;
};

void expectRow(const TiRow &t, const TiExpect &e, const std::string &what)
{
    EXPECT_EQ(t.CUR1, lei(e.CUR1)) << what << " CUR1";
    EXPECT_EQ(t.RAM1, lei(e.RAM1)) << what << " RAM1";
    EXPECT_EQ(t.RED1, lei(e.RED1)) << what << " RED1";
    EXPECT_EQ(t.MAJOR1, lei(e.MAJOR1)) << what << " MAJOR1";
    EXPECT_EQ(t.DEPLATA, lei(e.DEPLATA)) << what << " DEPLATA";
    EXPECT_EQ(t.ACHITAT, Currency()) << what;
}

} // namespace

TEST(RoleSituation, MainTaxOnTheDatesOfTheYear)
{
    struct Case {
        const char *what;
        SoldSpec row;
        QDate C;
        TiExpect expect;
    };
    const Case cases[] = {
        // The discount is offered on the first due date itself ...
        {"first term", {.SUMA = 1000, .REST = 1000, .REDUC = 100}, d(31, 3), {900, 0, 100, 0, 900}},
        // ... and not the day after, when the first half (500) starts to accrue.
        {"day after", {.SUMA = 1000, .REST = 1000, .REDUC = 100}, d(1, 4), {1000, 0, 0, 5, 1005}},
        // 500 late 7 months on the first (35), 500 late 1 month on the second (5).
        {"after second", {.SUMA = 1000, .REST = 1000, .REDUC = 100}, d(15, 10), {1000, 0, 0, 40, 1040}},
        // First half paid: only the second installment is owed, not late before October.
        {"half paid", {.SUMA = 1000, .REST = 500, .REDUC = 100}, d(15, 5), {500, 0, 0, 0, 500}},
        // Arrears accrue from 31 December of the previous year; carried penalties add up.
        {"arrears", {.DATOR = 1000, .MAJOR = 40}, d(15, 1), {0, 1000, 0, 50, 1050}},
        // Credit larger than the arrears: negative "Ramasite", and the leftover credit
        // (200) covers the late first installment before penalties (on 300, not 500).
        {"credit", {.SUMA = 1000, .REST = 1000, .DATOR = 100, .DEPOZ = 300}, d(15, 5), {1000, -200, 0, 6, 806}},
        // The same role without the credit pays the penalty on the whole half.
        {"no credit", {.SUMA = 1000, .REST = 1000, .DATOR = 100}, d(15, 5), {1000, 100, 0, 15, 1115}},
        // Credit beyond the first installment reduces the late second one (300 of 500).
        {"credit second", {.SUMA = 1000, .REST = 1000, .DEPOZ = 700}, d(15, 11), {1000, -700, 0, 6, 306}},
        // An exempt row shows nothing current, no discount, but its arrears.
        {"exempt row", {.SUMA = 1000, .REST = 1000, .REDUC = 100, .DATOR = 100, .SCUTIRE = 1000}, d(15, 5),
         {0, 100, 0, 5, 105}},
        // A partial earlier payment still gets the whole discount before the first term.
        {"discount over rest", {.SUMA = 1000, .REST = 60, .REDUC = 100}, d(15, 3), {-40, 0, 100, 0, -40}},
    };
    for (const auto &k : cases) {
        const RoleSituation s = window(role(k.C, {sold(k.row)}));
        ASSERT_EQ(s.Ti.size(), 1u) << k.what;
        expectRow(s.Ti.front(), k.expect, k.what);
    }
}

TEST(RoleSituation, DiscountEligibility)
{
    struct Case {
        const char *what;
        int64_t SUMA;
        bool legal;
        bool legalSetting;
        bool under50Setting;
        bool granted;
        int64_t RED1;
    };
    const Case cases[] = {
        {"natural person", 1000, false, false, false, false, 100},
        {"legal person, setting off", 1000, true, false, false, false, 0},
        {"legal person, setting on", 1000, true, true, false, false, 100},
        {"under 50, setting off", 40, false, false, false, false, 0},
        {"under 50, setting on", 40, false, false, true, false, 100},
        {"exactly 50, setting off", 50, false, false, false, false, 100},
        // A receipt of this year already granted a discount on the group.
        {"second discount refused", 1000, false, false, false, true, 0},
    };
    for (const auto &k : cases) {
        CollectionSettings st = settings2026();
        st.discountForLegalPersons = k.legalSetting;
        st.discountUnder50 = k.under50Setting;
        RoleSituationInput in = role(d(15, 3), {sold({.SUMA = k.SUMA, .REST = k.SUMA, .REDUC = 100})});
        if (k.legal)
            in.TIP = QStringLiteral("JURIDICA");
        if (k.granted)
            in.discountsGranted = {{QStringLiteral("IMPOZIT PE CLADIRI"), lei(100)},
                                   {TerenIntravilan, lei(0)}};
        const RoleSituation s = window(in, st);
        EXPECT_EQ(s.Ti.front().RED1, lei(k.RED1)) << k.what;
        EXPECT_EQ(s.Ti.front().CUR1, lei(k.SUMA - k.RED1)) << k.what;
    }
    // A zero REDUCERE on a receipt is no discount granted.
    RoleSituationInput in = role(d(15, 3), {sold({.SUMA = 1000, .REST = 1000, .REDUC = 100})});
    in.discountsGranted = {{Cladiri, lei(0)}};
    EXPECT_EQ(window(in).Ti.front().RED1, lei(100));
}

TEST(RoleSituation, NoPenaltiesOnlyWhenTheOfficeAllowsAndTheRoleIsMarked)
{
    struct Case {
        bool allowed;
        const char *NOTAX;
        bool noPenalty;
    };
    const Case cases[] = {{true, "DA", true}, {true, " da ", true}, {false, "DA", false}, {true, "NU", false},
                          {true, "", false}};
    for (const auto &k : cases) {
        CollectionSettings st = settings2026();
        st.penaltyExemptionsAllowed = k.allowed;
        RoleSituationInput in = role(d(15, 10), {sold({.SUMA = 1000, .REST = 1000, .DATOR = 500, .MAJOR = 80})},
                                     {}, {bordereau(1, QStringLiteral("Cumparare"), 300, d(1, 3))});
        in.NOTAX = QString::fromLatin1(k.NOTAX);
        const RoleSituation s = window(in, st);
        EXPECT_EQ(s.noPenalty, k.noPenalty) << k.allowed << k.NOTAX;
        const TiRow &t = s.Ti.front();
        if (k.noPenalty) {
            // Every penalty column is 0, the carried one included.
            EXPECT_EQ(t.MAJOR1, lei(0));
            EXPECT_EQ(t.carriedPenalty, lei(0));
            EXPECT_EQ(t.DEPLATA, lei(1500));
            EXPECT_EQ(s.Td.front().MAJOR, lei(0));
        } else {
            // 500 x 10 % + 500 x 7 % + 500 x 1 % + carried 80
            EXPECT_EQ(t.MAJOR1, lei(50 + 35 + 5 + 80));
            EXPECT_EQ(s.Td.front().MAJOR, lei(21));
        }
    }
}

TEST(RoleSituation, OtherTaxesAndDebtsOfTheYear)
{
    const std::vector<DatoriiRow> items = {
        item(1, QStringLiteral("Taxa salubrizare"), 100, 20, 10),
        item(2, QStringLiteral("Amenda"), 50, 0, 50),            // nothing left net of the reduction
        item(3, Cladiri, 300, 0, 0),                             // a main-tax item: never a Tt row
        item(4, QStringLiteral("Taxa reclama"), 0, 0, 0),
    };
    const std::vector<DebitRow> debits = {
        bordereau(1, QStringLiteral("Cumparare"), 1000, d(1, 3)), // 2 boundaries to 15 May
        bordereau(2, QStringLiteral("Taxa"), 1000, d(1, 3)),
        bordereau(3, QStringLiteral("Majorare"), 1000, d(1, 6)),  // penalties not started
        bordereau(4, QStringLiteral("Vanzare"), -400, d(1, 3)),
        bordereau(5, QStringLiteral("Reducere"), 0, d(1, 3)),     // settled
        bordereau(6, QStringLiteral("Cumparare"), 1000, d(15, 5)), // from the day itself: none
    };
    const RoleSituationInput in = role(d(15, 5), {}, items, debits);

    const RoleSituation w = window(in);
    ASSERT_EQ(w.Tt.size(), 1u);
    EXPECT_EQ(w.Tt[0].IDDAT, 1);
    EXPECT_EQ(w.Tt[0].CUR1, lei(100));
    EXPECT_EQ(w.Tt[0].REST1, lei(20));
    EXPECT_EQ(w.Tt[0].DEPLATA, lei(110));
    ASSERT_EQ(w.Td.size(), 5u);
    const int64_t windowMajor[] = {20, 20, 0, 0, 0};
    for (std::size_t i = 0; i < w.Td.size(); ++i) {
        EXPECT_EQ(w.Td[i].MAJOR, lei(windowMajor[i])) << w.Td[i].CATEG.toStdString();
        EXPECT_EQ(w.Td[i].DEPLATA, w.Td[i].SUMAC + w.Td[i].MAJOR);
    }
    EXPECT_EQ(w.totalDatorie(), lei(110 + 1020 + 1020 + 1000 - 400 + 1000));

    // The documents keep every row with an amount, net the reduction off the current
    // amount and charge no penalty on "Taxa".
    const RoleSituation r = RoleSituation::calculate(in, settings2026(), SituationPolicy::roleCalculation());
    ASSERT_EQ(r.Tt.size(), 2u);
    EXPECT_EQ(r.Tt[0].CUR1, lei(90));
    EXPECT_EQ(r.Tt[0].DEPLATA, lei(110));
    EXPECT_EQ(r.Tt[1].CUR1, lei(0));
    EXPECT_EQ(r.Tt[1].DEPLATA, lei(0));
    ASSERT_EQ(r.Td.size(), 6u);
    const int64_t docMajor[] = {20, 0, 0, 0, 0, 0};
    for (std::size_t i = 0; i < r.Td.size(); ++i)
        EXPECT_EQ(r.Td[i].MAJOR, lei(docMajor[i])) << r.Td[i].CATEG.toStdString();
    EXPECT_EQ(r.totalDatorie(), lei(110 + 1020 + 1000 + 1000 - 400 + 0 + 1000));
}

TEST(RoleSituation, RoleCalculationIsTheSameCalculationWithoutDiscount)
{
    CollectionSettings st = settings2026();
    st.penaltyExemptionsAllowed = true;
    RoleSituationInput in =
        role(d(15, 3), {sold({.SUMA = 1000, .REST = 1000, .REDUC = 100, .DATOR = 200, .MAJOR = 30})}, {},
             {bordereau(1, QStringLiteral("Cumparare"), 1000, d(1, 1)), bordereau(2, QStringLiteral("Taxa"), 500, d(1, 1))});
    const RoleSituation w = window(in, st);
    const RoleSituation r = RoleSituation::calculate(in, st, SituationPolicy::roleCalculation());
    EXPECT_EQ(w.Ti[0].RED1, lei(100));
    EXPECT_EQ(r.Ti[0].RED1, lei(0));
    EXPECT_EQ(r.Ti[0].CUR1, lei(1000));
    EXPECT_EQ(r.Ti[0].MAJOR1, w.Ti[0].MAJOR1);
    EXPECT_EQ(r.Ti[0].RAM1, w.Ti[0].RAM1);
    EXPECT_EQ(r.totalDatorie(), lei(1000 + 200 + 30 + 6 + 1020 + 500));

    // A role without penalties: none on its main taxes in either, but the documents
    // keep the penalties of its "Cumparare" and "Majorare" debts of the year.
    in.NOTAX = QStringLiteral("DA");
    const RoleSituation wx = window(in, st);
    const RoleSituation rx = RoleSituation::calculate(in, st, SituationPolicy::roleCalculation());
    EXPECT_EQ(wx.Ti[0].MAJOR1, lei(0));
    EXPECT_EQ(rx.Ti[0].MAJOR1, lei(0));
    EXPECT_EQ(wx.Td[0].MAJOR, lei(0));
    EXPECT_EQ(rx.Td[0].MAJOR, lei(20));
    EXPECT_EQ(rx.Td[1].MAJOR, lei(0));
}

TEST(RoleSituation, ArrearsOfTheSearchTableAndTotals)
{
    const std::vector<SoldCalcRow> soldRows = {sold({.DATOR = 100}), sold({.GRUPA = Auto, .DATOR = -30}),
                                               sold({.GRUPA = TerenIntravilan, .DEPOZ = 50})};
    const std::vector<DatoriiRow> items = {item(1, QStringLiteral("Taxa"), 0, 40, 10),
                                           item(2, QStringLiteral("Amenda"), 0, 5, 20)};
    EXPECT_EQ(searchTableArrears(soldRows, items), lei(100 + 30 - 15));
    // When the items net to a negative sum they add nothing.
    EXPECT_EQ(searchTableArrears(soldRows, {item(2, QStringLiteral("Amenda"), 0, 5, 20)}), lei(100));

    RoleSituation s = window(role(d(15, 3), soldRows, items));
    EXPECT_EQ(s.arrears(), lei(100 + 40 + 5)); // RAM1 > 0 and REST1 > 0; the credit row is -50
    s.Ti[0].ACHITAT = lei(100);
    s.Tt[0].ACHITAT = lei(-20);
    EXPECT_EQ(s.valoareChitanta(), lei(80));
    // 100 + 3 % penalty; a negative DATOR is no arrears; the credit; the two items net.
    EXPECT_EQ(s.totalDatorie(), lei(103 + 0 - 50 + 30 - 15));
}

TEST(RoleSituation, TypedAmounts)
{
    struct Case { int64_t typed, DEPLATA, expected; };
    const Case cases[] = {{-80, -50, -50}, {-30, -50, -30}, {-10, 100, 100}, {40, 100, 40}, {150, 100, 150}};
    for (const auto &k : cases)
        EXPECT_EQ(amountAfterEdit(lei(k.typed), lei(k.DEPLATA)), lei(k.expected)) << k.typed;
    EXPECT_EQ(amountAfterDoubleClick(lei(0), lei(900)), lei(900));
    EXPECT_EQ(amountAfterDoubleClick(lei(900), lei(900)), lei(0));
    EXPECT_EQ(amountAfterDoubleClick(lei(300), lei(900)), lei(900));
}

TEST(OtherTaxEntry, RowAddedFromTheCollectionWindow)
{
    struct Case { const char *SUMA, *REST, *REDUC; int64_t s, r, red, reducp; };
    const Case cases[] = {
        {"100.9", "0", "50.5", 100, 0, 50, 50},
        {"200", "100", "100", 200, 100, 100, 33},   // 33.33 % truncated
        {"0", "0", "0", 0, 0, 0, 0},                // nothing to divide by
        {"0.4", "0", "0", 0, 0, 0, 0},
    };
    for (const auto &k : cases) {
        OtherTaxEntry e;
        e.date = d(10, 5);
        e.debt = QStringLiteral("Amenda");
        e.DOCJUS = QStringLiteral("PV 12");
        e.NR = 12;
        e.SUMA = *Currency::parse(QString::fromLatin1(k.SUMA));
        e.REST = *Currency::parse(QString::fromLatin1(k.REST));
        e.REDUC = *Currency::parse(QString::fromLatin1(k.REDUC));
        const DatoriiRow r = e.toDatoriiRow(55, 7, QStringLiteral("VALEA"), QStringLiteral("12"));
        EXPECT_EQ(r.SUMA, lei(k.s)) << k.SUMA;
        EXPECT_EQ(r.REST, lei(k.r)) << k.SUMA;
        EXPECT_EQ(r.REDUC, lei(k.red)) << k.SUMA;
        EXPECT_EQ(r.REDUCP, lei(k.reducp)) << k.SUMA;
        EXPECT_EQ(r.SUMA2, r.SUMA);
        EXPECT_EQ(r.RESTINI, r.REST);
        EXPECT_EQ(r.GRUPA, QStringLiteral("Amenda"));
        EXPECT_EQ(r.DENUM, QStringLiteral("Amenda"));
        EXPECT_EQ(r.UM, QStringLiteral("buc"));
        EXPECT_EQ(r.CANT, lei(1));
        EXPECT_EQ(r.TIP, QStringLiteral("M"));
        EXPECT_EQ(r.IDDAT, 55);
        EXPECT_EQ(r.DINDATA, d(10, 5));
    }
}

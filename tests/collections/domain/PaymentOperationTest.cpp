#include "collections/domain/PaymentOperation.h"

#include "CollectionsFixtures.h"

#include <gtest/gtest.h>

using namespace valdora::collections;
using namespace valdora::collections::testing;
using valdora::Currency;

namespace {

// The six amounts of a line, in the order RESTANTA, MAJOREST, DEPOZIT, CURENT, MAJOR, REDUCERE.
struct Amounts {
    int64_t RESTANTA = 0, MAJOREST = 0, DEPOZIT = 0, CURENT = 0, MAJOR = 0, REDUCERE = 0;
};

void expectLine(const ChitanteLine &l, const Amounts &a, const std::string &what)
{
    EXPECT_EQ(l.RESTANTA, lei(a.RESTANTA)) << what << " RESTANTA";
    EXPECT_EQ(l.MAJOREST, lei(a.MAJOREST)) << what << " MAJOREST";
    EXPECT_EQ(l.DEPOZIT, lei(a.DEPOZIT)) << what << " DEPOZIT";
    EXPECT_EQ(l.CURENT, lei(a.CURENT)) << what << " CURENT";
    EXPECT_EQ(l.MAJOR, lei(a.MAJOR)) << what << " MAJOR";
    EXPECT_EQ(l.REDUCERE, lei(a.REDUCERE)) << what << " REDUCERE";
    EXPECT_EQ(l.TOTAL, l.partsTotal()) << what << " TOTAL";
}

struct After {
    int64_t REST, DATOR, DEPOZ, MAJOR;
};

void expectAfter(const SoldCalcValues &v, const After &a, const std::string &what)
{
    EXPECT_EQ(v.REST, lei(a.REST)) << what << " REST";
    EXPECT_EQ(v.DATOR, lei(a.DATOR)) << what << " DATOR";
    EXPECT_EQ(v.DEPOZ, lei(a.DEPOZ)) << what << " DEPOZ";
    EXPECT_EQ(v.MAJOR, lei(a.MAJOR)) << what << " MAJOR";
}

// One main-tax row of a role, the calculation of the window, H typed on it.
OperationResult payMainTax(const SoldSpec &row, QDate C, int64_t H, CollectionSettings st = settings2026(),
                           QString NOTAX = QStringLiteral("NU"))
{
    RoleSituationInput in = role(C, {sold(row)});
    in.NOTAX = NOTAX;
    RoleSituation s = window(in, st);
    s.Ti[0].ACHITAT = lei(H);
    return PaymentOperation::operate(s, st);
}

Currency linesTotal(const std::vector<ChitanteLine> &lines)
{
    Currency s;
    for (const auto &l : lines)
        s += l.TOTAL;
    return s;
}

} // namespace

TEST(PaymentOperation, AmountsDecideTheDocumentKind)
{
    struct Case {
        std::vector<int64_t> amounts; // on three other-tax rows
        std::optional<DocumentKind> kind;
        const char *message;
    };
    const Case cases[] = {
        {{100, -100, 0}, DocumentKind::CompensationNote, nullptr},
        {{100, -90, 0}, std::nullopt, "Nota contabila nu se inchide cu 0!"},
        {{60, 40, -100}, DocumentKind::CompensationNote, nullptr},
        {{0, 0, 0}, std::nullopt, "Nu aveti nimic operat!"},
        {{100, 25, 0}, DocumentKind::Payment, nullptr},
        {{-30, 0, 0}, DocumentKind::PaymentOrder, nullptr},
    };
    for (const auto &k : cases) {
        RoleSituation s = window(role(d(15, 3), {},
                                      {item(1, QStringLiteral("Taxa A"), 200, 0, 0), item(2, QStringLiteral("Taxa B"), 200, 0, 0),
                                       item(3, QStringLiteral("Taxa C"), 200, 0, 0)}));
        for (std::size_t i = 0; i < 3; ++i)
            s.Tt[i].ACHITAT = lei(k.amounts[i]);
        const OperationResult r = PaymentOperation::operate(s, settings2026());
        if (k.kind) {
            ASSERT_TRUE(r.ok()) << r.refusal->text.toStdString();
            EXPECT_EQ(r.allocation.kind, *k.kind);
            EXPECT_EQ(linesTotal(r.allocation.lines), r.allocation.entered);
            EXPECT_EQ(r.allocation.entered, r.allocation.positive - r.allocation.negative);
            for (const auto &l : r.allocation.lines)
                EXPECT_EQ(l.TIP, kindLetter(*k.kind));
        } else {
            ASSERT_FALSE(r.ok());
            EXPECT_EQ(r.refusal->title, QStringLiteral("Operare"));
            EXPECT_EQ(r.refusal->text, QString::fromLatin1(k.message));
            EXPECT_TRUE(r.allocation.lines.empty());
            EXPECT_TRUE(r.allocation.soldCalc.empty());
        }
    }
}

TEST(PaymentOperation, MainTaxAllocationByDate)
{
    struct Case {
        const char *what;
        SoldSpec row;
        QDate C;
        int64_t H;
        std::vector<Amounts> lines;
        After after;
    };
    const Case cases[] = {
        // Exactly DEPLATA before the first term: one line, the discount granted, nothing left.
        {"exact before first term", {.SUMA = 1000, .REST = 1000, .REDUC = 100}, d(15, 3), 900,
         {{.CURENT = 1000, .REDUCERE = 100}}, {0, 0, 0, 0}},
        {"more before first term", {.SUMA = 1000, .REST = 1000, .REDUC = 100}, d(31, 3), 950,
         {{.DEPOZIT = 50, .CURENT = 1000, .REDUCERE = 100}}, {0, 0, 50, 0}},
        {"part before first term", {.SUMA = 1000, .REST = 1000, .REDUC = 100}, d(15, 3), 400,
         {{.CURENT = 400}}, {600, 0, 0, 0}},
        // Between the terms: 500 late 2 months accrue 10. 300 < 510: q = 0.5882.
        {"part between terms", {.SUMA = 1000, .REST = 1000}, d(15, 5), 300, {{.CURENT = 294, .MAJOR = 6}},
         {706, 0, 0, 0}},
        {"first installment and more", {.SUMA = 1000, .REST = 1000}, d(15, 5), 600, {{.CURENT = 590, .MAJOR = 10}},
         {410, 0, 0, 0}},
        {"all between terms", {.SUMA = 1000, .REST = 1000}, d(15, 5), 1100,
         {{.DEPOZIT = 90, .CURENT = 1000, .MAJOR = 10}}, {0, 0, 90, 0}},
        // After the second term: arrears block, first installment with its penalty,
        // second with its penalty, the rest to credit.
        {"order after second term", {.SUMA = 1000, .REST = 1000, .DATOR = 200, .MAJOR = 30}, d(15, 10), 2000,
         {{.RESTANTA = 200, .MAJOREST = 30, .MAJOR = 20},
          {.CURENT = 500, .MAJOR = 35},
          {.CURENT = 500, .MAJOR = 5},
          {.DEPOZIT = 710}},
         {0, 0, 710, 0}},
        // 1000 = 250 arrears block + 535 first; 215 of 505 on the second: q = 0.4257.
        {"into the second installment", {.SUMA = 1000, .REST = 1000, .DATOR = 200, .MAJOR = 30}, d(15, 10), 1000,
         {{.RESTANTA = 200, .MAJOREST = 30, .MAJOR = 20}, {.CURENT = 500, .MAJOR = 35}, {.CURENT = 213, .MAJOR = 2}},
         {287, 0, 0, 0}},
        // Less than arrears + penalties: 500 / 1230 = 0.4065, the penalty accrued now takes the rest.
        {"proportional arrears", {.DATOR = 1000, .MAJOR = 200}, d(15, 3), 500,
         {{.RESTANTA = 407, .MAJOREST = 81, .MAJOR = 12}}, {0, 593, 0, 119}},
        // q = 0.5 rounds both shares up: no part goes negative (it would be -1).
        {"no negative part", {.DATOR = 1, .MAJOR = 1}, d(15, 3), 1, {{.RESTANTA = 1}}, {0, 0, 0, 1}},
        // With no penalty accrued now the remainder does not become a penalty.
        {"no invented penalty", {.DATOR = 3, .MAJOR = 3}, d(15, 3), 5, {{.RESTANTA = 3, .MAJOREST = 2}},
         {0, 0, 0, 1}},
        // Nothing owed: all to credit.
        {"nothing owed", {.SUMA = 1000, .REST = 0}, d(15, 5), 70, {{.DEPOZIT = 70}}, {0, 0, 70, 0}},
    };
    for (const auto &k : cases) {
        const OperationResult r = payMainTax(k.row, k.C, k.H);
        ASSERT_TRUE(r.ok()) << k.what << ": " << r.refusal->text.toStdString();
        const auto &lines = r.allocation.lines;
        ASSERT_EQ(lines.size(), k.lines.size()) << k.what;
        for (std::size_t i = 0; i < lines.size(); ++i) {
            expectLine(lines[i], k.lines[i], std::string(k.what) + " line " + std::to_string(i));
            EXPECT_EQ(lines[i].GRUPA, Cladiri);
            EXPECT_EQ(lines[i].DENUM, QString());
            EXPECT_EQ(lines[i].TIP, QStringLiteral("C"));
        }
        EXPECT_EQ(linesTotal(lines), lei(k.H)) << k.what;
        ASSERT_EQ(r.allocation.soldCalc.size(), 1u);
        expectAfter(r.allocation.soldCalc[0].after, k.after, k.what);
        EXPECT_EQ(r.allocation.soldCalc[0].after.SUMA, lei(k.row.SUMA)) << k.what;
        EXPECT_EQ(r.allocation.soldCalc[0].after.REDUC, lei(k.row.REDUC)) << k.what;
        EXPECT_EQ(r.allocation.soldCalc[0].before.REST, lei(k.row.REST)) << k.what;
    }
}

TEST(PaymentOperation, PayingWhatTheWindowShowsSettlesTheRow)
{
    // Without credit, DEPLATA pays everything, on every date of the year.
    const SoldSpec rows[] = {{.SUMA = 1000, .REST = 1000, .REDUC = 100},
                             {.SUMA = 51, .REST = 51},
                             {.SUMA = 777, .REST = 400, .DATOR = 333, .MAJOR = 17},
                             {.SUMA = 49, .REST = 49, .DATOR = 12345}};
    for (const SoldSpec &row : rows) {
        for (QDate C = d(1, 1); C <= d(31, 12); C = C.addDays(9)) {
            RoleSituation s = window(role(C, {sold(row)}));
            s.Ti[0].ACHITAT = s.Ti[0].DEPLATA;
            const OperationResult r = PaymentOperation::operate(s, settings2026());
            ASSERT_TRUE(r.ok()) << C.toString().toStdString();
            expectAfter(r.allocation.soldCalc[0].after, {0, 0, 0, 0},
                        std::to_string(row.SUMA) + " " + C.toString().toStdString());
            EXPECT_EQ(linesTotal(r.allocation.lines), s.Ti[0].DEPLATA);
        }
    }
}

TEST(PaymentOperation, ExistingCreditSettlesTheRowFirst)
{
    struct Case {
        const char *what;
        SoldSpec row;
        int64_t H;
        std::vector<Amounts> lines;
        After after;
    };
    const Case cases[] = {
        // Runs even when nothing is typed on the row: arrears and penalty (120), then
        // the current year net of the discount (900 > 180 left).
        {"covers arrears", {.SUMA = 1000, .REST = 1000, .REDUC = 100, .DATOR = 100, .DEPOZ = 300, .MAJOR = 20}, 0, {},
         {820, 0, 0, 0}},
        {"covers everything", {.SUMA = 1000, .REST = 1000, .REDUC = 100, .DATOR = 100, .DEPOZ = 1500, .MAJOR = 20},
         0, {}, {0, 0, 480, 0}},
        // A payment on a row that keeps credit goes to the credit.
        {"payment onto credit", {.SUMA = 1000, .REST = 1000, .REDUC = 100, .DEPOZ = 1500}, 50, {{.DEPOZIT = 50}},
         {0, 0, 650, 0}},
        // Credit smaller than arrears + carried penalty: arrears first, then the penalty.
        {"short of the penalty", {.DATOR = 80, .DEPOZ = 100, .MAJOR = 50}, 0, {}, {0, 0, 0, 30}},
        {"short of the arrears", {.DATOR = 80, .DEPOZ = 50, .MAJOR = 50}, 0, {}, {0, 30, 0, 50}},
    };
    for (const auto &k : cases) {
        const OperationResult r = [&] {
            RoleSituation s = window(role(d(15, 3), {sold(k.row), sold({.GRUPA = Auto, .SUMA = 100, .REST = 100, .IDRES = 2})}));
            s.Ti[0].ACHITAT = lei(k.H);
            s.Ti[1].ACHITAT = lei(100); // something is always operated
            return PaymentOperation::operate(s, settings2026());
        }();
        ASSERT_TRUE(r.ok()) << k.what << ": " << r.refusal->text.toStdString();
        std::vector<ChitanteLine> own;
        for (const auto &l : r.allocation.lines)
            if (l.GRUPA == Cladiri)
                own.push_back(l);
        ASSERT_EQ(own.size(), k.lines.size()) << k.what;
        for (std::size_t i = 0; i < own.size(); ++i)
            expectLine(own[i], k.lines[i], k.what);
        expectAfter(r.allocation.soldCalc[0].after, k.after, k.what);
    }
}

TEST(PaymentOperation, RoleWithoutPenaltiesLeavesItsCarriedPenaltyAlone)
{
    CollectionSettings st = settings2026();
    st.penaltyExemptionsAllowed = true;
    // The window shows 500 to pay; the payment is all arrears, the carried 80 stays
    // stored untouched and nothing is a penalty.
    OperationResult r = payMainTax({.DATOR = 500, .MAJOR = 80}, d(15, 10), 500, st, QStringLiteral("DA"));
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.allocation.lines.size(), 1u);
    expectLine(r.allocation.lines[0], {.RESTANTA = 500}, "exempt");
    expectAfter(r.allocation.soldCalc[0].after, {0, 0, 0, 80}, "exempt");
    EXPECT_TRUE(r.allocation.noPenalty);
    // Credit is not spent on it either.
    r = payMainTax({.DATOR = 500, .DEPOZ = 600, .MAJOR = 80}, d(15, 10), 0, st, QStringLiteral("DA"));
    EXPECT_FALSE(r.ok()); // nothing typed
    RoleSituationInput in = role(d(15, 10), {sold({.DATOR = 500, .DEPOZ = 600, .MAJOR = 80}),
                                             sold({.GRUPA = Auto, .SUMA = 100, .REST = 100, .IDRES = 2})});
    in.NOTAX = QStringLiteral("DA");
    RoleSituation s = window(in, st);
    s.Ti[1].ACHITAT = s.Ti[1].DEPLATA;
    r = PaymentOperation::operate(s, st);
    ASSERT_TRUE(r.ok());
    expectAfter(r.allocation.soldCalc[0].after, {0, 0, 100, 80}, "exempt credit");
    // The other group's two installments, late but without penalties.
    ASSERT_EQ(r.allocation.lines.size(), 2u);
    expectLine(r.allocation.lines[0], {.CURENT = 50}, "exempt other group");
    expectLine(r.allocation.lines[1], {.CURENT = 50}, "exempt other group");

    // The office does not allow exemptions: the same marked role pays penalties.
    r = payMainTax({.DATOR = 500, .MAJOR = 80}, d(15, 10), 630, settings2026(), QStringLiteral("DA"));
    ASSERT_TRUE(r.ok());
    expectLine(r.allocation.lines[0], {.RESTANTA = 500, .MAJOREST = 80, .MAJOR = 50}, "not exempt");
    EXPECT_FALSE(r.allocation.noPenalty);
}

TEST(PaymentOperation, SecondDiscountIsRefused)
{
    RoleSituationInput in = role(d(15, 3), {sold({.SUMA = 1000, .REST = 500, .REDUC = 100})});
    in.discountsGranted = {{Cladiri, lei(100)}};
    RoleSituation s = window(in);
    EXPECT_EQ(s.Ti[0].DEPLATA, lei(500));
    s.Ti[0].ACHITAT = lei(500);
    const OperationResult r = PaymentOperation::operate(s, settings2026());
    ASSERT_TRUE(r.ok());
    expectLine(r.allocation.lines[0], {.CURENT = 500}, "second discount");
}

TEST(PaymentOperation, OtherTaxAllocation)
{
    struct Case {
        const char *what;
        DocumentKind kind;
        int64_t SUMA, REST, REDUC, H;
        Amounts line;
        int64_t newSUMA, newREST;
    };
    const Case cases[] = {
        // Overpaying leaves the current amount negative and the excess in DEPOZIT.
        {"overpayment", DocumentKind::Payment, 100, 0, 0, 150, {.DEPOZIT = 50, .CURENT = 100}, -50, 0},
        {"arrears then current", DocumentKind::Payment, 100, 40, 0, 100, {.RESTANTA = 40, .CURENT = 60}, 40, 0},
        {"exact", DocumentKind::Payment, 100, 40, 0, 140, {.RESTANTA = 40, .CURENT = 100}, 0, 0},
        {"part of the arrears", DocumentKind::Payment, 100, 40, 0, 30, {.RESTANTA = 30}, 100, 10},
        {"fine with reduction", DocumentKind::Payment, 100, 0, 50, 50, {.CURENT = 50}, 50, 0},
        // Negative amounts: a reduction is taken back as REDUCERE, otherwise as CURENT.
        {"note out of a reduced fine", DocumentKind::CompensationNote, 0, 10, 5, -30, {.REDUCERE = 30}, 0, 40},
        {"note out, no arrears", DocumentKind::CompensationNote, 0, 0, 0, -30, {.CURENT = -30}, 30, 0},
        // The row's current amount survives a note that takes money out of it.
        {"note out of a credit", DocumentKind::CompensationNote, -20, 0, 0, -20, {.CURENT = -20}, 0, 0},
        {"note out of a due row", DocumentKind::CompensationNote, 50, 0, 0, -20, {.CURENT = -20}, 70, 0},
        {"order", DocumentKind::PaymentOrder, -20, 0, 0, -20, {.CURENT = -20}, -20, 20},
    };
    for (const auto &k : cases) {
        TtRow row;
        row.GRUPA = QStringLiteral("Taxa salubrizare");
        row.DOCJUS = QStringLiteral("HCL 5");
        row.SUMA = lei(k.SUMA);
        row.REST = lei(k.REST);
        row.REDUC = lei(k.REDUC);
        AllocationContext ctx;
        ctx.kind = k.kind;
        ctx.calculationDate = d(15, 5);
        ctx.workingYear = 2026;
        const OtherTaxAllocation a = allocateOtherTax(row, lei(k.H), ctx);
        expectLine(a.line, k.line, k.what);
        EXPECT_EQ(a.line.TOTAL, lei(k.H)) << k.what;
        EXPECT_EQ(a.SUMA, lei(k.newSUMA)) << k.what;
        EXPECT_EQ(a.REST, lei(k.newREST)) << k.what;
        // What is owed on the row moves by exactly the amount.
        EXPECT_EQ(a.SUMA + a.REST, row.SUMA + row.REST - lei(k.H)) << k.what;
        EXPECT_EQ(a.line.DENUM, QStringLiteral("HCL 5"));
    }
}

TEST(PaymentOperation, YearDebtAllocation)
{
    struct Case {
        const char *what;
        int64_t SUMAC, MAJOR, H;
        Amounts line;
        int64_t newSUMAC;
    };
    const Case cases[] = {
        {"exact", 1000, 20, 1020, {.CURENT = 1000, .MAJOR = 20}, 0},
        {"over", 1000, 20, 1100, {.CURENT = 1080, .MAJOR = 20}, -80},
        // 510 / 1020 = 0.5: 500 to the debt, the penalty takes the rest.
        {"half", 1000, 20, 510, {.CURENT = 500, .MAJOR = 10}, 500},
        // A four-decimal ratio on a large debt with no penalty: all of it is the debt.
        {"large debt", 999999, 0, 1, {.CURENT = 1}, 999998},
        {"credit back", -400, 0, -400, {.CURENT = -400}, 0},
        {"negative", 100, 0, -50, {.CURENT = -50}, 150},
    };
    for (const auto &k : cases) {
        TdRow row;
        row.GRUPA = Cladiri;
        row.DOCJUS = QStringLiteral("Borderou 3");
        row.SUMAC = lei(k.SUMAC);
        row.MAJOR = lei(k.MAJOR);
        AllocationContext ctx;
        ctx.calculationDate = d(15, 5);
        ctx.workingYear = 2026;
        const YearDebtAllocation a = allocateYearDebt(row, lei(k.H), ctx);
        expectLine(a.line, k.line, k.what);
        EXPECT_EQ(a.line.TOTAL, lei(k.H)) << k.what;
        EXPECT_EQ(a.SUMAC, lei(k.newSUMAC)) << k.what;
        EXPECT_EQ(a.line.DENUM, QStringLiteral("Borderou 3"));
    }
}

TEST(PaymentOperation, CompensationNoteMovesCreditBetweenGroups)
{
    RoleSituation s = window(role(d(15, 3), {sold({.DEPOZ = 100}), sold({.GRUPA = Auto, .SUMA = 100, .REST = 100, .IDRES = 2})}));
    EXPECT_EQ(s.Ti[0].DEPLATA, lei(-100));
    s.Ti[0].ACHITAT = lei(-100);
    s.Ti[1].ACHITAT = lei(100);
    const OperationResult r = PaymentOperation::operate(s, settings2026());
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.allocation.kind, DocumentKind::CompensationNote);
    ASSERT_EQ(r.allocation.lines.size(), 2u);
    expectLine(r.allocation.lines[0], {.DEPOZIT = -100}, "out of credit");
    expectLine(r.allocation.lines[1], {.CURENT = 100}, "into the tax");
    EXPECT_EQ(r.allocation.lines[0].TIP, QStringLiteral("N"));
    expectAfter(r.allocation.soldCalc[0].after, {0, 0, 0, 0}, "source");
    expectAfter(r.allocation.soldCalc[1].after, {0, 0, 0, 0}, "target");
    EXPECT_EQ(r.allocation.entered, lei(0));

    // A note taking a payment back from a row without credit re-opens the tax.
    AllocationContext ctx;
    ctx.kind = DocumentKind::CompensationNote;
    ctx.calculationDate = d(15, 5);
    ctx.workingYear = 2026;
    MainTaxAllocation back =
        allocateMainTax(window(role(d(15, 5), {sold({.SUMA = 1000, .REST = 0})})).Ti[0], lei(-300), ctx);
    ASSERT_FALSE(back.refusal);
    expectLine(back.lines.at(0), {.DEPOZIT = -300}, "take back");
    expectAfter(back.after, {300, 0, 0, 0}, "take back");
}

TEST(PaymentOperation, CompensationNoteDiscount)
{
    // A note with an amount on the debts of the year recomputes the discount on
    // SUMA - H: round(10 % x 550) = 55.
    auto note = [](QDate C, int64_t DEPOZ, int64_t H) {
        RoleSituation s = window(role(C, {sold({.SUMA = 1000, .REST = 500, .REDUC = 100, .DEPOZ = DEPOZ})}, {},
                                      {bordereau(1, QStringLiteral("Reducere"), -H, d(1, 2))}));
        s.Ti[0].ACHITAT = lei(H);
        s.Td[0].ACHITAT = lei(-H);
        return PaymentOperation::operate(s, settings2026());
    };
    OperationResult r = note(d(15, 3), 0, 450);
    ASSERT_TRUE(r.ok());
    EXPECT_EQ(r.allocation.kind, DocumentKind::CompensationNote);
    expectLine(r.allocation.lines[0], {.DEPOZIT = 5, .CURENT = 500, .REDUCERE = 55}, "note discount");
    expectLine(r.allocation.lines[1], {.CURENT = -450}, "bordereau");
    EXPECT_EQ(r.allocation.debit[0].SUMAC, lei(0));

    // After the first term there is no discount to recompute, not even through the
    // credit: 500 of REST are settled by 450 of credit only in part.
    r = note(d(15, 4), 450, 50);
    ASSERT_TRUE(r.ok());
    expectAfter(r.allocation.soldCalc[0].after, {0, 0, 0, 0}, "after first term");
    expectLine(r.allocation.lines[0], {.CURENT = 50}, "after first term");
}

TEST(PaymentOperation, RefusedOperationsChangeNothing)
{
    struct Case {
        const char *what;
        std::vector<int64_t> amounts; // on the two main-tax rows
        const char *message;
    };
    const Case cases[] = {
        // A payment order may only move out credit that is there.
        {"order beyond credit", {0, -150}, "Nu puteti scoate din plus mai mult decat are rolul la Impozit pe mijloace de transport!"},
        {"order on a debt", {-10, 0}, "Nu puteti scoate din plus mai mult decat are rolul la Impozit pe cladiri!"},
    };
    for (const auto &k : cases) {
        RoleSituation s = window(role(d(15, 5), {sold({.SUMA = 1000, .REST = 1000}),
                                                 sold({.GRUPA = Auto, .DEPOZ = 100, .IDRES = 2})}));
        s.Ti[0].ACHITAT = lei(k.amounts[0]);
        s.Ti[1].ACHITAT = lei(k.amounts[1]);
        const OperationResult r = PaymentOperation::operate(s, settings2026());
        ASSERT_FALSE(r.ok()) << k.what;
        EXPECT_EQ(r.refusal->text, QString::fromUtf8(k.message)) << k.what;
        EXPECT_TRUE(r.allocation.lines.empty()) << k.what;
        EXPECT_TRUE(r.allocation.soldCalc.empty()) << k.what;
    }
    // An amount with decimals is refused whole.
    RoleSituation s = window(role(d(15, 5), {sold({.SUMA = 1000, .REST = 1000})}));
    s.Ti[0].ACHITAT = *Currency::parse(u"10.5");
    const OperationResult r = PaymentOperation::operate(s, settings2026());
    ASSERT_FALSE(r.ok());
    EXPECT_EQ(r.refusal->text, QStringLiteral("Suma de la Impozit pe cladiri nu este in lei intregi!"));
    // The documents' calculation is not one to operate on.
    RoleSituation docs = RoleSituation::calculate(role(d(15, 5), {sold({.SUMA = 1000, .REST = 1000})}), settings2026(),
                                                  SituationPolicy::roleCalculation());
    docs.Ti[0].ACHITAT = lei(10);
    EXPECT_THROW(PaymentOperation::operate(docs, settings2026()), std::logic_error);
}

TEST(PaymentOperation, RecordsEveryMainTaxRowAndOnlyTheOtherRowsPaid)
{
    RoleSituation s = window(role(d(15, 5), {sold({.SUMA = 1000, .REST = 1000}), sold({.GRUPA = Auto, .SUMA = 200, .REST = 200, .IDRES = 2})},
                                  {item(11, QStringLiteral("Taxa A"), 100, 0, 0), item(12, QStringLiteral("Taxa B"), 100, 0, 0)},
                                  {bordereau(21, QStringLiteral("Cumparare"), 300, d(1, 4)), bordereau(22, QStringLiteral("Cumparare"), 300, d(1, 4))}));
    s.Ti[0].ACHITAT = lei(100);
    s.Tt[1].ACHITAT = lei(100);
    s.Td[0].ACHITAT = lei(303);
    const OperationResult r = PaymentOperation::operate(s, settings2026());
    ASSERT_TRUE(r.ok());
    ASSERT_EQ(r.allocation.soldCalc.size(), 2u);
    EXPECT_EQ(r.allocation.soldCalc[1].IDRES, 2);
    EXPECT_EQ(r.allocation.soldCalc[1].after, r.allocation.soldCalc[1].before);
    ASSERT_EQ(r.allocation.datorii.size(), 1u);
    EXPECT_EQ(r.allocation.datorii[0].IDDAT, 12);
    EXPECT_EQ(r.allocation.datorii[0].SUMA, lei(0));
    ASSERT_EQ(r.allocation.debit.size(), 1u);
    EXPECT_EQ(r.allocation.debit[0].IDDEB, 21);
    EXPECT_EQ(r.allocation.debit[0].SUMAC0, lei(300));
    EXPECT_EQ(r.allocation.debit[0].SUMAC, lei(0));
    EXPECT_EQ(r.allocation.entered, lei(503));
    EXPECT_EQ(linesTotal(r.allocation.lines), lei(503));
}

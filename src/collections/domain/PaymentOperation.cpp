#include "collections/domain/PaymentOperation.h"

#include "collections/domain/DueDates.h"
#include "collections/domain/Installments.h"
#include "collections/domain/PenaltyRule.h"
#include "collections/domain/ProportionalSplit.h"

#include <algorithm>
#include <stdexcept>

namespace valdora::collections {
namespace {

const Currency Zero;
const Currency OneLeu = Currency::fromLei(1);
const QString OperareTitle = QStringLiteral("Operare");

// Working DOCJUS of a line until the dialog names the document.
QString workingDocjus(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Payment: return QStringLiteral("CHITANTA");
    case DocumentKind::CompensationNote: return QStringLiteral("NC");
    case DocumentKind::PaymentOrder: return QStringLiteral("OP");
    }
    return {};
}

ChitanteLine blankLine(const QString &GRUPA, const QString &DENUM, DocumentKind kind)
{
    ChitanteLine l;
    l.GRUPA = GRUPA;
    l.DENUM = DENUM;
    l.DOCJUS = workingDocjus(kind);
    l.TIP = kindLetter(kind);
    return l;
}

// Adds the amounts set since the last emit as one line (a line with nothing on it
// carries no money and is left out), then clears them.
void emitLine(ChitanteLine &pending, std::vector<ChitanteLine> &lines)
{
    if (pending.hasAmounts()) {
        pending.TOTAL = pending.partsTotal();
        lines.push_back(pending);
    }
    pending.RESTANTA = pending.MAJOREST = pending.DEPOZIT = Zero;
    pending.CURENT = pending.MAJOR = pending.REDUCERE = pending.TOTAL = Zero;
}

// round(x / 100) to whole lei, exactly.
Currency roundLeiOfHundredth(Currency x)
{
    const int64_t unit = 100 * Currency::Scale;
    int64_t q = x.raw() / unit;
    const int64_t r = x.raw() % unit;
    if ((r < 0 ? -r : r) * 2 >= unit)
        q += x.raw() < 0 ? -1 : 1;
    return Currency::fromLei(q);
}

Refusal creditExceeded(const QString &grupa)
{
    return Refusal{OperareTitle,
                   QStringLiteral("Nu puteti scoate din plus mai mult decat are rolul la ") + grupa.trimmed()
                       + QStringLiteral("!"),
                   {}};
}

std::vector<Currency> typedAmounts(const RoleSituation &s)
{
    std::vector<Currency> out;
    for (const auto &r : s.Ti)
        out.push_back(r.ACHITAT);
    for (const auto &r : s.Tt)
        out.push_back(r.ACHITAT);
    for (const auto &r : s.Td)
        out.push_back(r.ACHITAT);
    return out;
}

} // namespace

QString kindLetter(DocumentKind kind)
{
    switch (kind) {
    case DocumentKind::Payment: return QStringLiteral("C");
    case DocumentKind::CompensationNote: return QStringLiteral("N");
    case DocumentKind::PaymentOrder: return QStringLiteral("O");
    }
    return {};
}

MainTaxAllocation allocateMainTax(const TiRow &row, Currency H, const AllocationContext &context)
{
    MainTaxAllocation out;
    const bool note = context.kind == DocumentKind::CompensationNote;
    const QDate C = context.calculationDate;
    const DueDates due = DueDates::ofYear(context.workingYear);
    const PenaltyRule rule(context.workingYear);
    SoldCalcValues v{row.SUMA, row.REST, row.REDUC, row.DATOR, row.DEPOZ, row.MAJOR};
    // A role without penalties neither pays nor offsets its carried penalty: the
    // window shows it as 0 and the lines store no penalty, so it stays as it is.
    Currency carried = context.noPenalty ? Zero : row.MAJOR;
    ChitanteLine line = blankLine(row.GRUPA, QString(), context.kind);
    auto done = [&]() {
        if (!context.noPenalty)
            v.MAJOR = carried;
        out.after = v;
        return out;
    };

    // 1. A compensation note recomputes the discount; it never grants one the window
    // does not offer on the row (after the first term, a second time, ...).
    Currency RED1 = row.RED1;
    if (note && H > Zero) {
        RED1 = Zero;
        if (context.yearDebtAmountEntered && row.RED1 > Zero)
            RED1 = std::max(Zero, roundLeiOfHundredth(Currency::mul(context.noteDiscountPercent, row.SUMA - H,
                                                                    Rounding::HalfAwayFromZero)));
    }

    // 2. Existing credit settles arrears and carried penalty, then the current year.
    if (v.DEPOZ > Zero) {
        const Currency T = v.DATOR + carried;
        if (T > Zero && T <= v.DEPOZ) {
            v.DEPOZ -= T;
            v.DATOR = Zero;
            carried = Zero;
        } else if (T > v.DEPOZ) {
            // Credit short of both: arrears first, the carried penalty with what is
            // left, as the window nets the credit against the arrears (RAM1).
            const Currency toArrears = std::clamp(v.DATOR, Zero, v.DEPOZ);
            v.DATOR -= toArrears;
            carried -= v.DEPOZ - toArrears;
            v.DEPOZ = Zero;
        }
        if (v.DEPOZ > Zero && v.REST > Zero) {
            const Currency S = v.REST - RED1;
            if (S <= v.DEPOZ) {
                v.DEPOZ -= S;
                v.REST = Zero;
            } else {
                v.REST -= v.DEPOZ;
                v.DEPOZ = Zero;
            }
        }
    }

    // 3. With credit left, the whole amount goes to (or comes out of) the credit.
    if (v.DEPOZ > Zero && !H.isZero()) {
        if (H < Zero && -H > v.DEPOZ) {
            out.refusal = creditExceeded(row.GRUPA);
            return done();
        }
        line.DEPOZIT = H;
        v.DEPOZ += H;
        emitLine(line, out.lines);
        return done();
    }
    // 4.
    if (H.isZero())
        return done();
    // 5. A note takes a payment back from a row without credit; nothing else may
    // take money out of it.
    if (H < Zero) {
        if (!note) {
            out.refusal = creditExceeded(row.GRUPA);
            return done();
        }
        line.DEPOZIT = H;
        v.REST -= H;
        v.DEPOZ = Zero;
        emitLine(line, out.lines);
        return done();
    }

    // 6. Arrears block: arrears, carried penalty and the penalty accrued on the arrears.
    const Currency P0 = v.DATOR > Zero ? rule.penalty(v.DATOR, due.arrears, C, context.noPenalty) : Zero;
    const Currency R = v.DATOR + carried + P0;
    if (R > Zero) {
        if (R > H) {
            const auto parts = ProportionalSplit::split(H, ProportionalSplit::ratio(H, R),
                                                        {{v.DATOR, v.DATOR}, {carried, carried}, {P0, P0}}, 2);
            line.RESTANTA = parts[0];
            line.MAJOREST = parts[1];
            line.MAJOR = parts[2];
            H = Zero;
            carried -= line.MAJOREST;
            v.DATOR -= line.RESTANTA;
        } else {
            line.RESTANTA = v.DATOR;
            line.MAJOREST = carried;
            line.MAJOR = P0;
            H -= R;
            carried = Zero;
            v.DATOR = Zero;
        }
        emitLine(line, out.lines);
    }

    // 7. Current year.
    if (H > Zero && v.REST > Zero) {
        const Installments inst = Installments::of(v.SUMA, v.REST);
        const Currency F = inst.firstRemainder;
        const Currency G = inst.secondRemainder;
        if (C <= due.first) {
            if (H >= v.REST - RED1) {
                line.CURENT = v.REST;
                line.REDUCERE = RED1;
                line.DEPOZIT = H - v.REST + RED1;
                v.DEPOZ += line.DEPOZIT;
                v.REST = Zero;
            } else {
                line.CURENT = H;
                v.REST -= H;
            }
            H = Zero;
            emitLine(line, out.lines);
        } else if (C <= due.second) {
            const Currency P1 = rule.penalty(F, due.first, C, context.noPenalty);
            const Currency owed = v.REST + P1;
            if (owed > H) {
                const Currency S = F + P1;
                const Currency q = H < S ? ProportionalSplit::ratio(H, S) : OneLeu;
                const auto parts = ProportionalSplit::split(H, q, {{P1, P1}, {F, v.REST}}, 1);
                line.MAJOR = parts[0];
                line.CURENT = parts[1];
                v.REST -= line.CURENT;
            } else {
                line.CURENT = v.REST;
                line.MAJOR = P1;
                line.DEPOZIT = H - owed;
                v.REST = Zero;
                v.DEPOZ += line.DEPOZIT;
            }
            H = Zero;
            emitLine(line, out.lines);
        } else {
            const Currency P1 = F > Zero ? rule.penalty(F, due.first, C, context.noPenalty) : Zero;
            const Currency owed1 = F + P1;
            if (owed1 > H) {
                const auto parts =
                    ProportionalSplit::split(H, ProportionalSplit::ratio(H, owed1), {{P1, P1}, {F, F}}, 1);
                line.MAJOR = parts[0];
                line.CURENT = parts[1];
                v.REST -= line.CURENT;
                H = Zero;
                emitLine(line, out.lines);
            } else {
                line.CURENT = F;
                line.MAJOR = P1;
                H -= owed1;
                v.REST -= F;
                emitLine(line, out.lines);
                if (G > Zero) {
                    const Currency P2 = rule.penalty(G, due.second, C, context.noPenalty);
                    const Currency owed2 = G + P2;
                    if (owed2 > H) {
                        const auto parts =
                            ProportionalSplit::split(H, ProportionalSplit::ratio(H, owed2), {{P2, P2}, {G, G}}, 1);
                        line.MAJOR = parts[0];
                        line.CURENT = parts[1];
                        v.REST -= line.CURENT;
                        H = Zero;
                    } else {
                        line.CURENT = G;
                        line.MAJOR = P2;
                        H -= owed2;
                        v.REST -= G;
                    }
                    emitLine(line, out.lines);
                }
            }
        }
    }

    // 8. What is left goes to the credit.
    if (H > Zero) {
        line.DEPOZIT = H;
        v.DEPOZ += H;
        emitLine(line, out.lines);
    }
    return done();
}

OtherTaxAllocation allocateOtherTax(const TtRow &row, Currency H, const AllocationContext &context)
{
    OtherTaxAllocation out{row.SUMA, row.REST, blankLine(row.GRUPA, row.DOCJUS, context.kind)};
    ChitanteLine &line = out.line;
    const Currency E = H - row.REST;
    if (E >= Zero) {
        line.RESTANTA = row.REST;
        out.REST = Zero;
    } else {
        if (H >= Zero)
            line.RESTANTA = H;
        else if (row.REDUC >= OneLeu)
            line.REDUCERE = -H;
        else
            line.CURENT = H;
        // The unpaid part goes back to the row. A note on a row without arrears puts
        // it back on the current amount: SUMA grows by what was taken out, so a
        // current amount it already had is kept.
        if (context.kind == DocumentKind::CompensationNote && row.REST <= Zero)
            out.SUMA = row.SUMA - H;
        else
            out.REST = -E;
    }
    if (E > Zero) {
        const Currency Z = E - row.SUMA;
        if (Z >= Zero) {
            line.CURENT = row.SUMA;
            line.DEPOZIT = Z;
        } else {
            line.CURENT = E;
        }
        out.SUMA = -Z; // an overpayment stays on the row as a negative current amount
    }
    line.TOTAL = line.partsTotal();
    return out;
}

YearDebtAllocation allocateYearDebt(const TdRow &row, Currency H, const AllocationContext &context)
{
    YearDebtAllocation out{row.SUMAC, blankLine(row.GRUPA, row.DOCJUS, context.kind)};
    ChitanteLine &line = out.line;
    const Currency E = H - row.SUMAC - row.MAJOR;
    if (E >= Zero) {
        line.MAJOR = row.MAJOR;
        line.CURENT = H - row.MAJOR;
        out.SUMAC = -E;
    } else if (H >= Zero) {
        const auto parts = ProportionalSplit::split(H, ProportionalSplit::ratio(H, row.SUMAC + row.MAJOR),
                                                    {{row.SUMAC, row.SUMAC}, {row.MAJOR, row.MAJOR}}, 1);
        line.CURENT = parts[0];
        line.MAJOR = parts[1];
        out.SUMAC = row.SUMAC - line.CURENT;
    } else {
        line.CURENT = H;
        out.SUMAC = row.SUMAC - H;
    }
    line.TOTAL = line.partsTotal();
    return out;
}

std::optional<Refusal> PaymentOperation::checkAmounts(const RoleSituation &situation, DocumentKind *kind)
{
    Currency P, N;
    for (const Currency h : typedAmounts(situation)) {
        if (h > Zero)
            P += h;
        else
            N -= h;
    }
    if ((P + N).isZero())
        return Refusal{OperareTitle, QStringLiteral("Nu aveti nimic operat!"), {}};
    if (!P.isZero() && !N.isZero() && P != N)
        return Refusal{OperareTitle, QStringLiteral("Nota contabila nu se inchide cu 0!"), {}};
    if (kind)
        *kind = !P.isZero() && !N.isZero() ? DocumentKind::CompensationNote
                : !N.isZero()              ? DocumentKind::PaymentOrder
                                           : DocumentKind::Payment;
    return std::nullopt;
}

OperationResult PaymentOperation::operate(const RoleSituation &situation, const CollectionSettings &settings)
{
    if (situation.policy.purpose != SituationPolicy::Purpose::CollectionWindow)
        throw std::logic_error("A payment is operated on the collection window's situation");

    OperationResult result;
    PaymentAllocation &a = result.allocation;
    auto refuse = [&](Refusal r) {
        result.refusal = std::move(r);
        result.allocation = PaymentAllocation{};
        return result;
    };

    DocumentKind kind = DocumentKind::Payment;
    if (auto refusal = checkAmounts(situation, &kind))
        return refuse(*refusal);

    // Amounts are whole lei, and a negative amount never exceeds the credit shown.
    auto badAmount = [](const QString &grupa) {
        return Refusal{OperareTitle,
                       QStringLiteral("Suma de la ") + grupa.trimmed() + QStringLiteral(" nu este in lei intregi!"),
                       {}};
    };
    for (const auto &r : situation.Ti) {
        if (!r.ACHITAT.isWholeLei())
            return refuse(badAmount(r.GRUPA));
        if (amountAfterEdit(r.ACHITAT, r.DEPLATA) != r.ACHITAT)
            return refuse(creditExceeded(r.GRUPA));
    }
    for (const auto &r : situation.Tt)
        if (!r.ACHITAT.isWholeLei())
            return refuse(badAmount(r.GRUPA));
    for (const auto &r : situation.Td) {
        if (!r.ACHITAT.isWholeLei())
            return refuse(badAmount(r.GRUPA));
        if (amountAfterEdit(r.ACHITAT, r.DEPLATA) != r.ACHITAT)
            return refuse(creditExceeded(r.GRUPA));
    }

    for (const Currency h : typedAmounts(situation)) {
        if (h > Zero)
            a.positive += h;
        else
            a.negative -= h;
    }
    a.kind = kind;
    a.noPenalty = situation.noPenalty;
    a.naturalPerson = situation.naturalPerson;
    a.calculationDate = situation.calculationDate;

    AllocationContext context;
    context.kind = kind;
    context.calculationDate = situation.calculationDate;
    context.workingYear = settings.workingYear;
    context.noPenalty = situation.noPenalty;
    context.noteDiscountPercent = settings.noteDiscountPercent;
    context.yearDebtAmountEntered =
        std::any_of(situation.Td.begin(), situation.Td.end(), [](const TdRow &r) { return !r.ACHITAT.isZero(); });

    // Every line of a row must add up to the amount typed on it.
    auto linesTotal = [](const std::vector<ChitanteLine> &lines, std::size_t from) {
        Currency s;
        for (std::size_t i = from; i < lines.size(); ++i)
            s += lines[i].TOTAL;
        return s;
    };
    const Refusal unbalanced{OperareTitle,
                             QStringLiteral("Suma repartizata nu este egala cu suma operata!\rNu am operat nimic."),
                             {}};

    for (const TiRow &r : situation.Ti) {
        MainTaxAllocation m = allocateMainTax(r, r.ACHITAT, context);
        if (m.refusal)
            return refuse(*m.refusal);
        const std::size_t from = a.lines.size();
        a.lines.insert(a.lines.end(), m.lines.begin(), m.lines.end());
        if (linesTotal(a.lines, from) != r.ACHITAT || m.after.DEPOZ < Zero)
            return refuse(unbalanced);
        a.soldCalc.push_back(
            SoldCalcChange{r.IDRES, r.GRUPA, SoldCalcValues{r.SUMA, r.REST, r.REDUC, r.DATOR, r.DEPOZ, r.MAJOR}, m.after});
        a.entered += r.ACHITAT;
    }
    for (const TtRow &r : situation.Tt) {
        if (r.ACHITAT.isZero())
            continue;
        const OtherTaxAllocation o = allocateOtherTax(r, r.ACHITAT, context);
        if (o.line.TOTAL != r.ACHITAT || (o.SUMA + o.REST) != (r.SUMA + r.REST - r.ACHITAT))
            return refuse(unbalanced);
        a.lines.push_back(o.line);
        a.datorii.push_back(DatoriiChange{r.IDDAT, r.GRUPA, r.SUMA, r.REST, o.SUMA, o.REST});
        a.entered += r.ACHITAT;
    }
    for (const TdRow &r : situation.Td) {
        if (r.ACHITAT.isZero())
            continue;
        const YearDebtAllocation y = allocateYearDebt(r, r.ACHITAT, context);
        if (y.line.TOTAL != r.ACHITAT)
            return refuse(unbalanced);
        a.lines.push_back(y.line);
        a.debit.push_back(DebitChange{r.IDDEB, r.GRUPA, r.SUMAC, y.SUMAC});
        a.entered += r.ACHITAT;
    }
    if (a.entered != a.positive - a.negative)
        return refuse(unbalanced);
    return result;
}

} // namespace valdora::collections

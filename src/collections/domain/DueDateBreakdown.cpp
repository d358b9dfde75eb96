#include "collections/domain/DueDateBreakdown.h"

#include "app/core/Dates.h"
#include "collections/domain/DueDates.h"
#include "collections/domain/Installments.h"
#include "collections/domain/PenaltyRule.h"

#include <algorithm>

namespace valdora::collections {
namespace {

BreakdownRow makeRow(qint64 IDGOS, const QString &GRUPA, QDate due, Currency RAMASITA, Currency CURENT,
                     Currency ACCESORII, const QString &DOCJUS = {})
{
    BreakdownRow r;
    r.IDGOS = IDGOS;
    r.GRUPA = GRUPA;
    r.dueDate = due;
    r.TERMEN = due.isValid() ? dayNumber(due) : 0;
    r.RAMASITA = RAMASITA;
    r.CURENT = CURENT;
    r.ACCESORII = ACCESORII;
    r.DOCJUS = DOCJUS;
    return r;
}

} // namespace

DueDateBreakdown DueDateBreakdown::of(const RoleSituation &situation)
{
    const Currency zero;
    const QDate today = situation.calculationDate;
    const DueDates due = DueDates::ofYear(situation.workingYear);
    const PenaltyRule rule(situation.workingYear);
    DueDateBreakdown b;

    for (const TiRow &t : situation.Ti) {
        // The same installments as the window: what was paid (SUMA - CUR1) settles the first.
        const Installments inst = Installments::of(t.SUMA, t.CUR1);
        const Currency rem1 = std::max(zero, inst.firstRemainder);
        const Currency rem2 = std::max(zero, inst.secondRemainder);
        const bool late1 = today > due.first;
        const bool late2 = today > due.second;
        const Currency P1 = late1 ? rule.penalty(rem1, due.first, today, situation.noPenalty) : zero;
        const Currency P2 = late2 ? rule.penalty(rem2, due.second, today, situation.noPenalty) : zero;
        const Currency A = t.MAJOR1 - P1 - P2;
        if (t.RAM1 + A > zero)
            b.rows.push_back(makeRow(situation.IDGOS, t.GRUPA, due.arrears, t.RAM1, zero, A));
        if (late1 && rem1 > zero)
            b.rows.push_back(makeRow(situation.IDGOS, t.GRUPA, due.first, zero, rem1, P1));
        if (late2 && rem2 > zero)
            b.rows.push_back(makeRow(situation.IDGOS, t.GRUPA, due.second, zero, rem2, P2));
    }
    for (const TtRow &t : situation.Tt)
        b.rows.push_back(makeRow(situation.IDGOS, t.GRUPA, t.DINDATA, t.REST, t.SUMA, zero, t.DOCJUS));

    for (const auto &r : b.rows)
        b.total += r.RAMASITA + r.CURENT + r.ACCESORII;
    return b;
}

} // namespace valdora::collections

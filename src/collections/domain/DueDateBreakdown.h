#pragma once
// A role's debts split by the date they fell due, for the payment notices and the
// garnishments: one row for the arrears (due 31 December of the previous year) with
// their penalties, one per late installment of each main tax, one per other tax.

#include "app/core/Currency.h"
#include "collections/domain/RoleSituation.h"

#include <QDate>
#include <QString>
#include <vector>

namespace valdora::collections {

struct BreakdownRow {
    qint64 IDSOM = 0; // left empty
    qint64 IDGOS = 0;
    QString GRUPA;
    QDate dueDate;
    qint64 TERMEN = 0; // dueDate as a day number from 30.12.1899
    Currency RAMASITA;
    Currency CURENT;
    Currency ACCESORII;
    QString DOCJUS;
};

struct DueDateBreakdown {
    std::vector<BreakdownRow> rows;
    Currency total; // RAMASITA + CURENT + ACCESORII over all rows

    // Built on the situation's own date and no-penalty rule, so that the penalties of
    // the rows are those the situation shows (callers compute it on today's date).
    static DueDateBreakdown of(const RoleSituation &situation);
};

} // namespace valdora::collections

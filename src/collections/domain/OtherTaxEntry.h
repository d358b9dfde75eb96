#pragma once
// "Adauga o taxa/amenda" of the collection window: the Datorii row an other tax or
// fine typed in the tax-and-fine dialog becomes.

#include "app/core/Currency.h"
#include "collections/domain/BalanceRows.h"

#include <QDate>
#include <QString>

namespace valdora::collections {

struct OtherTaxEntry {
    QDate date;      // the dialog's date
    QString debt;    // the chosen debt name: GRUPA and DENUM
    QString DOCJUS;
    qint64 NR = 0;
    Currency SUMA;   // as typed; truncated to whole lei
    Currency REST;
    Currency REDUC;

    // The row to insert, IDDAT taken from the IDDAT counter by the caller.
    DatoriiRow toDatoriiRow(qint64 IDDAT, qint64 IDGOS, const QString &SATUL, const QString &ROL) const;
};

} // namespace valdora::collections

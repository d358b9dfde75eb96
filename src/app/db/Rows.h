#pragma once
// Writing and reading rows by the catalogue: every value is checked against
// its column before anything is written (a text too long or a number too
// large is refused with a message naming the column, never cut), CHAR values
// are stored without trailing blanks, dates as ISO text or NULL.

#include "app/core/Currency.h"
#include "app/db/Database.h"
#include "app/db/Schema.h"

#include <QDate>
#include <QMetaType>
#include <QVariantMap>
#include <utility>
#include <vector>

Q_DECLARE_METATYPE(valdora::Currency)

namespace valdora {

// Column -> value, in the order given (the order of an INSERT's column list).
using RowValues = std::vector<std::pair<QString, QVariant>>;

inline QVariant money(Currency c) { return QVariant::fromValue(c); }

// The stored form of a value for a column; throws Error when it does not fit.
// Accepts QString (CHAR; for DECIMAL and DATE also text in "." / "dd.MM.yyyy"
// form), integers, Currency, QDate, and a null QVariant (blank / 0 / NULL).
QVariant storedValue(const QString &table, const Column &column, const QVariant &value);

// Checks every value, then inserts one row. Columns not given take their defaults.
void insertRow(Database &db, const QString &table, const RowValues &values);
// Checks every value, then updates the rows matching `where` (bound with whereParams).
// Returns the number of rows changed.
int updateRows(Database &db, const QString &table, const RowValues &values, const QString &where,
               const QVariantList &whereParams = {});

// Reading back.
Currency readDecimal(const QVariant &v, int decimals = 4);
qint64 readWhole(const QVariant &v);
QDate readDate(const QVariant &v);
QString readText(const QVariant &v);

} // namespace valdora

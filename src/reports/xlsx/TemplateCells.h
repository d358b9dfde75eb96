#pragma once
// The rules both template engines share: how a value is written into a cell, and
// where the data row of a template is.

#include "reports/xlsx/RowSource.h"
#include "reports/xlsx/Workbook.h"

#include <QHash>
#include <QVariant>
#include <optional>

namespace valdora::xlsx {

// The number a value stands for, as exact decimal text ("49.38"; a date gives its
// day number, a logical 1 or 0); nullopt when it cannot be read as a number.
std::optional<QString> numberOf(const QVariant &value);
// The value as text, for a replacement inside a longer text ("49.38", "05.03.2026").
QString textOf(const QVariant &value);

// A field of the query: a string field writes its text; any other type its value
// as a number, or the zero text when the value is 0 or cannot be read as a number.
void writeField(Worksheet &sheet, int row, int column, FieldType type, const QVariant &value,
                const QString &zeroText);
// A value with its own type: a number (dates as day numbers), a logical, or text.
void writeValue(Worksheet &sheet, int row, int column, const QVariant &value);

// The data row marker: the first cell, row by row from the top and left to right,
// whose text, trimmed and compared ignoring case, is "#DBF".
std::optional<CellAddress> findDataRowMarker(const Worksheet &sheet);

// "#" + the upper-cased name of each field -> its index (the first of equal names).
QHash<QString, int> fieldCells(const RowSource &rows);

} // namespace valdora::xlsx

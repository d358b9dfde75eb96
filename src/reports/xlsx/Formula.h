#pragma once
// Formulas as the workbook stores them (without "="): the references in them, and
// how they move when rows or columns are inserted or deleted, or when a formula is
// copied to another cell, the way a spreadsheet program does it.

#include "reports/xlsx/CellRef.h"

#include <QList>
#include <QString>
#include <QStringView>
#include <functional>
#include <optional>

namespace valdora::xlsx {

// One end of a reference. A whole-column reference has no row (0), a whole-row
// reference no column (0).
struct RefPoint {
    int row = 0;
    int column = 0;
    bool rowAbsolute = false;
    bool columnAbsolute = false;
    bool operator==(const RefPoint &) const = default;
};

struct Reference {
    enum class Kind { Cell, Range, Columns, Rows };
    Kind kind = Kind::Cell;
    RefPoint first;
    RefPoint last; // the same as first for a cell
    bool hasSheet = false;
    QString sheet; // the sheet named in front of it, quotes removed

    // "B7", "$A$1:C3", "A:C", "$3:5"; without the sheet.
    QString toString() const;
    bool operator==(const Reference &) const = default;
};

struct FormulaToken {
    enum class Kind {
        Space,
        Number,
        String,    // "text", quotes included in text
        Error,     // #REF!, #N/A ...
        Reference, // text holds the sheet prefix too
        Name,      // a defined name, TRUE, FALSE
        Function,  // the name of a function; the "(" follows as Open
        Operator,  // + - * / ^ & = <> < > <= >= % and the range ":" left over
        Open,
        Close,
        Separator, // ","
        Other      // anything passed through unchanged: arrays, structured references, ";"
    };
    Kind kind = Kind::Other;
    QString text;
    Reference reference; // for Kind::Reference
    QString prefix;      // "Sheet1!", "'Anexa 2'!" as written; empty for none
    bool external = false; // into another workbook ([1]Sheet!A1): never changed
};

QList<FormulaToken> tokenizeFormula(QStringView formula);

// Rewrites every reference of the formula (other workbooks' excepted); the
// callback returns the new reference, or nullopt for "#REF!".
using ReferenceRewrite = std::function<std::optional<Reference>(const Reference &)>;
QString rewriteReferences(QStringView formula, const ReferenceRewrite &rewrite);

enum class Axis { Rows, Columns };

// count > 0: count rows (columns) inserted before row `at`, which moves down;
// count < 0: rows at .. at - count - 1 deleted.
struct Shift {
    Axis axis = Axis::Rows;
    int at = 0;
    int count = 0;
};

// The reference after the shift (its sheet is not looked at); nullopt when what it
// names was deleted. Inserting inside a range grows it; deleting part of a range
// shrinks it.
std::optional<Reference> shiftReference(const Reference &ref, const Shift &shift);
std::optional<CellRange> shiftRange(const CellRange &range, const Shift &shift);

// A formula written on sheet ownSheet (empty: a defined name, whose references
// all name their sheet) after the shift on sheet shiftedSheet.
QString shiftFormula(QStringView formula, const QString &ownSheet, const QString &shiftedSheet, const Shift &shift);
// The formula copied `rows` down and `columns` right: relative parts move,
// absolute ones stay; a part pushed off the sheet becomes "#REF!".
QString translateFormula(QStringView formula, int rows, int columns);

// Quotes a sheet name for a formula when it needs it: 'Anexa 2'!
QString sheetPrefix(const QString &sheet);

} // namespace valdora::xlsx

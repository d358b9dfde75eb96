#pragma once
// Works out the value of the formulas the templates use, so that a workbook can
// carry cached results: a reader that does not recalculate on load (LibreOffice
// 7.4, a preview) shows the right totals. Arithmetic, comparisons, "&", and SUM,
// PRODUCT, SUMPRODUCT, MIN, MAX, AVERAGE, COUNT, COUNTA, ROUND, ROUNDUP,
// ROUNDDOWN, INT, TRUNC, ABS, MOD, N, IF, AND, OR, NOT, CONCATENATE; anything else
// makes the formula unknown here.

#include "reports/xlsx/CellRef.h"

#include <QString>
#include <QStringView>
#include <optional>

namespace valdora::xlsx {

struct CellValue {
    enum class Type { Empty, Number, String, Boolean, Error };
    Type type = Type::Empty;
    double number = 0; // Number; Boolean as 0/1
    QString text;      // String; Error ("#VALUE!")

    static CellValue fromNumber(double n) { return {Type::Number, n, {}}; }
    static CellValue fromString(QString s) { return {Type::String, 0, std::move(s)}; }
    static CellValue fromBoolean(bool b) { return {Type::Boolean, b ? 1.0 : 0.0, {}}; }
    static CellValue error(QString e) { return {Type::Error, 0, std::move(e)}; }
    bool operator==(const CellValue &) const = default;
};

class FormulaContext {
public:
    virtual ~FormulaContext() = default;
    // nullopt: the value cannot be known (a formula cell this evaluator cannot work out).
    virtual std::optional<CellValue> cellValue(const QString &sheet, int row, int column) = 0;
    // The used area of the sheet (whole-column references are cut to it); nullopt
    // when the workbook has no such sheet.
    virtual std::optional<CellRange> usedRange(const QString &sheet) = 0;
};

// nullopt when the formula uses something this evaluator does not know.
std::optional<CellValue> evaluateFormula(QStringView formula, const QString &ownSheet, FormulaContext &context);

// Shortest text that reads back as the same double ("0.1", "49.38", "1E+20").
QString numberText(double value);

} // namespace valdora::xlsx

// References in formulas: how they move with inserted and deleted rows and when a
// formula is copied, and the values worked out for the cached results.

#include "XlsxTestSupport.h"

#include "reports/xlsx/CellRef.h"
#include "reports/xlsx/Formula.h"
#include "reports/xlsx/FormulaEval.h"

#include <gtest/gtest.h>

#include <map>

using namespace valdora::xlsx;

namespace {

TEST(CellNames, ColumnsAndCells)
{
    struct Case {
        int column;
        const char *name;
    };
    for (const Case &c : {Case{1, "A"}, Case{26, "Z"}, Case{27, "AA"}, Case{52, "AZ"}, Case{703, "AAA"},
                          Case{16384, "XFD"}}) {
        EXPECT_EQ(columnName(c.column), QString::fromLatin1(c.name));
        EXPECT_EQ(columnNumber(QString::fromLatin1(c.name)), c.column);
        EXPECT_EQ(columnNumber(QString::fromLatin1(c.name).toLower()), c.column);
    }
    EXPECT_EQ(columnNumber(u"XFE"), 0);
    EXPECT_EQ(columnNumber(u"A1"), 0);
    EXPECT_EQ(columnName(0), QString());
    EXPECT_EQ(CellRange::parse(u"C17:B16"), (CellRange{16, 2, 17, 3}));
    EXPECT_EQ(CellRange::parse(u"$B$2"), (CellRange{2, 2, 2, 2}));
    EXPECT_FALSE(CellRange::parse(u"B0"));
    EXPECT_FALSE(CellRange::parse(u"B1048577"));
    EXPECT_EQ((CellRange{16, 2, 17, 3}).toString(), u"B16:C17");
}

struct ShiftCase {
    const char *formula;
    Shift shift;
    const char *expected;
};

TEST(FormulaShift, InsertedAndDeletedRowsOnTheSheet)
{
    const Shift insertAt17{Axis::Rows, 17, 2};
    const Shift deleteRow20{Axis::Rows, 20, -1};
    const Shift delete5to7{Axis::Rows, 5, -3};
    const ShiftCase cases[] = {
        // A total under data row 17 whose range ends on the data row grows.
        {"SUM(C16:C17)", insertAt17, "SUM(C16:C19)"},
        {"SUM(D1:D2)", {Axis::Rows, 2, 3}, "SUM(D1:D5)"},
        // A range that starts on the inserted row moves whole; one above stays.
        {"SUM(C17:C17)", insertAt17, "SUM(C19:C19)"},
        {"SUM(C1:C16)", insertAt17, "SUM(C1:C16)"},
        {"$C$17+C$18+$C18", insertAt17, "$C$19+C$20+$C20"},
        {"C17:C16", insertAt17, "C16:C19"},
        // Whole rows and columns.
        {"SUM(A:A)", insertAt17, "SUM(A:A)"},
        {"SUM(17:18)", insertAt17, "SUM(19:20)"},
        {"SUM($3:$20)", insertAt17, "SUM($3:$22)"},
        // Deleting the template row under three filled rows shrinks the total back.
        {"SUM(C16:C20)", deleteRow20, "SUM(C16:C19)"},
        {"C20", deleteRow20, "#REF!"},
        {"C21*2", deleteRow20, "C20*2"},
        {"SUM(B6:B6)", delete5to7, "SUM(#REF!)"},
        {"SUM(B4:B6)", delete5to7, "SUM(B4:B4)"},
        {"SUM(B6:B9)", delete5to7, "SUM(B5:B6)"},
        {"SUM(B1:B9)", delete5to7, "SUM(B1:B6)"},
        // Things that only look like references.
        {"LOG10(A17)+\"A17\"", insertAt17, "LOG10(A19)+\"A17\""},
        {"IF(A17>0,TRUE,FALSE)", insertAt17, "IF(A19>0,TRUE,FALSE)"},
        {"1.5E+3+B17", insertAt17, "1.5E+3+B19"},
        {"SUM(#REF!)+A20", insertAt17, "SUM(#REF!)+A22"},
        {"ROUND(XFD17,2)", insertAt17, "ROUND(XFD19,2)"},
        {"Total17+1", insertAt17, "Total17+1"},
        // Columns.
        {"SUM(B1:D1)", {Axis::Columns, 3, 1}, "SUM(B1:E1)"},
        {"SUM(B:D)", {Axis::Columns, 2, -1}, "SUM(B:C)"},
        {"SUM(3:3)", {Axis::Columns, 1, 4}, "SUM(3:3)"},
    };
    for (const ShiftCase &c : cases) {
        EXPECT_EQ(shiftFormula(QString::fromUtf8(c.formula), u"Foaie"_qs, u"Foaie"_qs, c.shift),
                  QString::fromUtf8(c.expected))
            << c.formula;
    }
}

TEST(FormulaShift, OnlyReferencesToTheShiftedSheetMove)
{
    const Shift s{Axis::Rows, 5, 10};
    // Written on "Anexa 2", rows inserted on "Foaie".
    EXPECT_EQ(shiftFormula(u"A6+Foaie!A6+'Foaie'!B7:B8+'Anexa 2'!A6", u"Anexa 2"_qs, u"Foaie"_qs, s),
              u"A6+Foaie!A16+'Foaie'!B17:B18+'Anexa 2'!A6");
    EXPECT_EQ(shiftFormula(u"A6+foaie!A6", u"Foaie"_qs, u"FOAIE"_qs, s), u"A16+foaie!A16");
    // Another workbook's cells never move.
    EXPECT_EQ(shiftFormula(u"[1]Foaie!A6+A6", u"Foaie"_qs, u"Foaie"_qs, s), u"[1]Foaie!A6+A16");
    // A defined name: no sheet of its own.
    EXPECT_EQ(shiftFormula(u"Foaie!$A$1:$G$40", QString(), u"Foaie"_qs, s), u"Foaie!$A$1:$G$50");
    EXPECT_EQ(shiftFormula(u"'O''Brien'!A6", QString(), u"O'Brien"_qs, s), u"'O''Brien'!A16");
}

TEST(FormulaCopy, RelativePartsMoveAbsoluteOnesStay)
{
    struct Case {
        const char *formula;
        int rows;
        int columns;
        const char *expected;
    };
    const Case cases[] = {
        {"C17+D17-E17", -2, 0, "C15+D15-E15"},
        {"SUM(C10:C11)*$B$1", 40, 0, "SUM(C50:C51)*$B$1"},
        {"$C17+C$17", 3, 2, "$C20+E$17"},
        {"SUM(A:B)+SUM(2:3)", 1, 1, "SUM(B:C)+SUM(3:4)"},
        {"A1+1", -1, 0, "#REF!+1"},
        {"Foaie!A1", 4, 0, "Foaie!A5"},
    };
    for (const Case &c : cases)
        EXPECT_EQ(translateFormula(QString::fromUtf8(c.formula), c.rows, c.columns), QString::fromUtf8(c.expected))
            << c.formula;
}

TEST(FormulaCopy, SheetNamesAreQuotedWhenNeeded)
{
    EXPECT_EQ(sheetPrefix(u"Foaie1"_qs), u"Foaie1!");
    EXPECT_EQ(sheetPrefix(u"Anexa 2"_qs), u"'Anexa 2'!");
    EXPECT_EQ(sheetPrefix(u"AB12"_qs), u"'AB12'!");
    EXPECT_EQ(sheetPrefix(u"O'Brien"_qs), u"'O''Brien'!");
}

// A sheet of plain values for the evaluator.
class Values final : public FormulaContext {
public:
    std::map<std::pair<int, int>, CellValue> cells;
    std::optional<CellValue> cellValue(const QString &sheet, int row, int column) override
    {
        if (sheet != u"S")
            return CellValue::error(u"#REF!"_qs);
        const auto it = cells.find({row, column});
        return it == cells.end() ? CellValue{} : it->second;
    }
    std::optional<CellRange> usedRange(const QString &sheet) override
    {
        if (sheet != u"S")
            return std::nullopt;
        return CellRange{1, 1, 20, 10};
    }
};

TEST(FormulaValue, WhatTheTemplatesUse)
{
    Values v;
    v.cells[{1, 1}] = CellValue::fromNumber(1.2345);
    v.cells[{1, 2}] = CellValue::fromNumber(40);
    v.cells[{2, 1}] = CellValue::fromNumber(2);
    v.cells[{2, 2}] = CellValue::fromString(u"-"_qs); // the zero text
    v.cells[{3, 1}] = CellValue::fromString(u"12"_qs);
    struct Case {
        const char *formula;
        CellValue expected;
    };
    const Case cases[] = {
        {"A1*B1", CellValue::fromNumber(49.38)},
        {"ROUND(A1*B1,0)", CellValue::fromNumber(49)},
        {"ROUND(2.5,0)+ROUND(-2.5,0)", CellValue::fromNumber(0)},
        {"ROUND(2.675,2)", CellValue::fromNumber(2.68)},
        {"SUM(A1:B2)", CellValue::fromNumber(1.2345 + 40 + 2)},
        {"SUM(A:A)", CellValue::fromNumber(1.2345 + 2)}, // text in a range is left out
        {"A2+B2", CellValue::error(u"#VALUE!"_qs)},      // but not in arithmetic
        {"A3+1", CellValue::fromNumber(13)},
        {"A9+1", CellValue::fromNumber(1)},
        {"-2^2", CellValue::fromNumber(4)},
        {"2+3*4-6/2", CellValue::fromNumber(11)},
        {"50%*10", CellValue::fromNumber(5)},
        {"1/0", CellValue::error(u"#DIV/0!"_qs)},
        {"IF(A1>1,\"da\",\"nu\")", CellValue::fromString(u"da"_qs)},
        {"\"Total: \"&A2", CellValue::fromString(u"Total: 2"_qs)},
        {"MAX(A1:A3)-MIN(A1,A2)", CellValue::fromNumber(2 - 1.2345)},
        {"COUNT(A1:B3)", CellValue::fromNumber(3)},
        {"AND(A1>1,B1=40)", CellValue::fromBoolean(true)},
        {"SUMPRODUCT(A1:A2,B1:B2)", CellValue::fromNumber(1.2345 * 40)},
        {"TRUNC(-2.7)+INT(-2.7)", CellValue::fromNumber(-5)},
        {"X!A1", CellValue::error(u"#REF!"_qs)},
    };
    for (const Case &c : cases) {
        const auto got = evaluateFormula(QString::fromUtf8(c.formula), u"S"_qs, v);
        ASSERT_TRUE(got) << c.formula;
        EXPECT_EQ(got->type, c.expected.type) << c.formula;
        if (c.expected.type == CellValue::Type::Number)
            EXPECT_NEAR(got->number, c.expected.number, 1e-9) << c.formula;
        else
            EXPECT_EQ(*got, c.expected) << c.formula;
    }
    // What this evaluator does not know is reported, not guessed.
    for (const char *f : {"VLOOKUP(A1,A1:B2,2,0)", "MyName*2", "A1 B1", "SUM(A1"})
        EXPECT_FALSE(evaluateFormula(QString::fromUtf8(f), u"S"_qs, v)) << f;
    EXPECT_EQ(numberText(49.38), u"49.38");
    EXPECT_EQ(numberText(0.1 + 0.2), u"0.30000000000000004");
    EXPECT_EQ(numberText(-0.0), u"0");
}

} // namespace

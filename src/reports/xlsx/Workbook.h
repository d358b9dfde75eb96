#pragma once
// Office Open XML workbooks (.xlsx) of our own: read, changed and written back
// with everything the program does not touch kept as it was (styles, drawings,
// sheet views, printer settings). Cells keep their values, types and style
// references; rows can be inserted, copied and deleted, and every reference that
// points below the change (formulas on any sheet, defined names, merged ranges,
// page breaks) moves the way a spreadsheet program moves it. Rows and columns
// count from 1, sheets from 0.
//
// Not moved by row changes: drawings' anchors, conditional formats, data
// validations and hyperlinks (the templates have none). Shared formulas are
// written back as one formula per cell; a calculation chain is dropped.

#include "reports/xlsx/CellRef.h"
#include "reports/xlsx/Formula.h"

#include <QByteArray>
#include <QList>
#include <QPair>
#include <QString>
#include <QStringView>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <set>

namespace valdora::xlsx {

using Attributes = QList<QPair<QString, QString>>;

struct Cell {
    enum class Type { Empty, Number, String, Boolean, Error, Date };
    // For a formula cell, the type and value of its cached result (Empty: none).
    Type type = Type::Empty;
    // Number: as stored ("12.5"); String: the text; Boolean: "1"/"0"; Error: "#N/A";
    // Date: ISO text.
    QString value;
    QString formula; // without "="; empty for none
    int style = 0;   // index of the cell format (attribute s)
    Attributes attributes;        // other attributes of the cell, kept (cm, vm, ph)
    Attributes formulaAttributes; // of an array formula (t, ref) and the like
    // The shared string the text was read from, while unchanged (keeps rich text).
    int sharedString = -1;

    bool hasFormula() const { return !formula.isEmpty(); }
};

struct PageMargins {
    double left = 0.7;
    double right = 0.7;
    double top = 0.75;
    double bottom = 0.75;
    double header = 0.3;
    double footer = 0.3;
};

class Workbook;
struct WorkbookData;

class Worksheet {
public:
    QString name() const { return name_; }

    // Reading. A missing cell reads as empty.
    const Cell *cell(int row, int column) const;
    Cell::Type type(int row, int column) const;
    // The text of a string cell (or a formula's text result); "" for every other cell.
    QString text(int row, int column) const;
    // The value of a number cell (or a formula's number result).
    std::optional<double> number(int row, int column) const;
    QString formula(int row, int column) const;
    int style(int row, int column) const;
    // The used area: the last row and column holding a cell (styled empty cells
    // count); 0 on an empty sheet.
    int lastRow() const;
    int lastColumn() const;
    // Every cell there is, row by row from the top, left to right.
    void forEachCell(const std::function<void(int row, int column, const Cell &cell)> &f) const;

    // Writing; the cell keeps its style.
    void setText(int row, int column, const QString &text);
    void setNumber(int row, int column, double value);
    // An exact decimal ("49.38", "-2"); anything else is refused with std::invalid_argument.
    void setNumberText(int row, int column, const QString &decimal);
    void setBoolean(int row, int column, bool value);
    // "SUM(C16:C17)", with or without "="; its cached value is worked out at save.
    void setFormula(int row, int column, const QString &formula);
    // Value and formula gone, style kept.
    void clearValue(int row, int column);
    void setStyle(int row, int column, int style);
    void removeCell(int row, int column);

    // Rows.
    void insertRows(int row, int count);
    // count copies of the row (cells, formats, height, formulas moved to their row,
    // merges within the row) inserted directly above it; the row ends up below them.
    void insertRowCopies(int row, int count);
    // Pastes rows first..last at destination, columns 1..lastColumn (0: every
    // column); the cells of the destination in those columns are replaced, row
    // heights copied, merges inside the block repeated, formulas moved.
    void copyRows(int first, int last, int destination, int lastColumn = 0);
    void deleteRows(int first, int last);
    std::optional<double> rowHeight(int row) const;
    void setRowHeight(int row, double points);

    // Columns.
    std::optional<double> columnWidth(int column) const;
    void setColumnWidth(int column, double width);

    QList<CellRange> mergedCells() const { return merges_; }
    void mergeCells(const CellRange &range);
    void unmergeCells(const CellRange &range);

    // Horizontal page breaks, given by the row that starts the new page.
    QList<int> rowBreaks() const { return {breaks_.begin(), breaks_.end()}; }
    void addRowBreak(int row);
    void removeRowBreak(int row);

    // Page setup: the attributes of pageSetup ("orientation", "paperSize",
    // "fitToWidth", ...), "" when not set.
    QString pageSetup(const QString &attribute) const;
    void setPageSetup(const QString &attribute, const QString &value);
    PageMargins pageMargins() const;
    void setPageMargins(const PageMargins &margins);

private:
    friend class Workbook;
    friend struct WorkbookData;

    struct Row {
        Attributes attributes; // ht, customHeight, s, customFormat, hidden ...
        std::map<int, Cell> cells;
    };
    struct ColumnSpan {
        int min = 0;
        int max = 0;
        Attributes attributes; // width, style, customWidth, hidden ...
    };
    struct Segment {
        QString name; // local name of a child element of the sheet
        QString xml;  // as read, for the elements not modelled here
    };

    explicit Worksheet(WorkbookData *book) : book_(book) {}
    Cell &cellAt(int row, int column);
    void shifted(const Shift &shift); // tells the workbook, after rows_ moved
    void read(const QByteArray &xml);
    QByteArray write(const std::function<int(const Cell &)> &stringIndex) const;
    void expandSharedFormulas();

    WorkbookData *book_ = nullptr;
    QString name_;
    QString part_;    // "xl/worksheets/sheet1.xml"
    QString prefix_;  // of the main namespace, when the part uses one ("x:")
    QString rootName_;
    Attributes rootAttributes_;
    QList<Segment> segments_;
    std::map<int, Row> rows_;
    QList<ColumnSpan> columns_;
    QList<CellRange> merges_;
    std::set<int> breaks_;
    std::optional<Attributes> pageSetup_;
    std::optional<Attributes> pageMargins_;
    // Shared formulas while reading: si -> master (row, column, text).
    struct SharedMaster {
        int row = 0;
        int column = 0;
        QString formula;
    };
    std::map<QString, SharedMaster> sharedMasters_;
    QList<QPair<CellAddress, QString>> sharedDependents_;
};

struct DefinedName {
    QString name;
    QString formula;
    int localSheet = -1; // the sheet it belongs to, -1 for the workbook
};

class Workbook {
public:
    // A new workbook with one empty sheet.
    explicit Workbook(const QString &sheetName = QStringLiteral("Sheet1"));
    ~Workbook();
    Workbook(Workbook &&) noexcept;
    Workbook &operator=(Workbook &&) noexcept;

    // These throw valdora::Error when the file is not a workbook that can be read.
    static Workbook open(const QString &path);
    static Workbook fromData(const QByteArray &xlsx);
    // The unzipped parts of a workbook in a folder (a Qt resource folder too).
    static Workbook fromParts(const QString &folder);
    // The parts of a folder zipped as they are (XML indentation removed): the .xlsx bytes.
    static QByteArray zipParts(const QString &folder);

    // Works out the cached values of the formulas, then writes. Throws valdora::Error.
    void save(const QString &path);
    QByteArray toData();

    int sheetCount() const;
    Worksheet &sheet(int index);
    const Worksheet &sheet(int index) const;
    Worksheet *sheet(QStringView name); // ignoring case; nullptr when none

    QList<DefinedName> definedNames() const;

    // Cached values for every formula this layer can work out; the others lose
    // their cached value and the workbook asks to be recalculated when opened.
    void recalculate();

private:
    struct NoSheet {};
    explicit Workbook(NoSheet);
    std::unique_ptr<WorkbookData> d_;
};

} // namespace valdora::xlsx

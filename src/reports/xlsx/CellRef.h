#pragma once
// Cell names of a worksheet ("B7", "A1:C3"); rows and columns count from 1.

#include <QString>
#include <QStringView>
#include <optional>

namespace valdora::xlsx {

constexpr int MaxRows = 1048576;
constexpr int MaxColumns = 16384;

// 1 -> "A", 27 -> "AA"; empty outside 1..MaxColumns.
QString columnName(int column);
// "A" -> 1, "xfd" -> 16384; 0 for anything that is not a column name.
int columnNumber(QStringView letters);
// "B7"
QString cellName(int row, int column);

struct CellAddress {
    int row = 0;
    int column = 0;
    // "B7", "$B$7"; nullopt for anything else.
    static std::optional<CellAddress> parse(QStringView name);
    bool operator==(const CellAddress &) const = default;
};

struct CellRange {
    int firstRow = 0;
    int firstColumn = 0;
    int lastRow = 0;
    int lastColumn = 0;

    // "A1:C3", or "B2" for a single cell; the ends are put in order.
    static std::optional<CellRange> parse(QStringView text);
    QString toString() const; // "A1:C3", "B2" when it is one cell
    bool contains(int row, int column) const
    {
        return row >= firstRow && row <= lastRow && column >= firstColumn && column <= lastColumn;
    }
    bool isSingleCell() const { return firstRow == lastRow && firstColumn == lastColumn; }
    bool operator==(const CellRange &) const = default;
};

} // namespace valdora::xlsx

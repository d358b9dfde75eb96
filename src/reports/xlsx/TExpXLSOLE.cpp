#include "reports/xlsx/TExpXLSOLE.h"

#include "app/core/Error.h"
#include "app/core/Folders.h"
#include "app/core/TempNames.h"
#include "reports/xlsx/TemplateCells.h"

#include <QFileInfo>
#include <stdexcept>

namespace valdora::xlsx {

TExpXLSOLE::TExpXLSOLE(QString tempFolder) : tempFolder_(std::move(tempFolder)) {}

TExpXLSOLE::~TExpXLSOLE() = default;

bool TExpXLSOLE::OpenTemplate(const QString &templatePath, bool nativeOnly)
{
    (void)nativeOnly; // there is no automation: always the native writer
    workbook_.reset();
    output_.clear();
    if (templatePath.isEmpty() || !QFileInfo(templatePath).isFile())
        return false;
    auto workbook = std::make_unique<Workbook>(Workbook::open(templatePath));
    const QString output = TempNames(tempFolder_).temporaryFile(QStringLiteral("XLSTmp"), QStringLiteral(".xlsx"));
    if (output.isEmpty())
        throw Error(QStringLiteral("Nu mai pot crea fisiere in folderul temporar!"));
    workbook_ = std::move(workbook);
    output_ = output;
    zeroText_.clear();
    return true;
}

Workbook &TExpXLSOLE::workbook()
{
    if (!workbook_)
        throw std::logic_error("no workbook is open");
    return *workbook_;
}

Worksheet &TExpXLSOLE::sheet() { return workbook().sheet(0); }

int TExpXLSOLE::UsedRows() { return sheet().lastRow(); }

void TExpXLSOLE::DeleteRows(int first, int last) { sheet().deleteRows(first, last); }

void TExpXLSOLE::ReplaceAll(const QString &placeholder, const QVariant &value)
{
    if (placeholder.isEmpty())
        return;
    Worksheet &s = sheet();
    QList<CellAddress> equal;
    QList<CellAddress> inside;
    s.forEachCell([&](int row, int column, const Cell &c) {
        if (c.type != Cell::Type::String || c.hasFormula())
            return;
        if (c.value.compare(placeholder, Qt::CaseInsensitive) == 0)
            equal.push_back({row, column});
        else if (c.value.contains(placeholder, Qt::CaseInsensitive))
            inside.push_back({row, column});
    });
    for (const CellAddress &a : equal)
        writeValue(s, a.row, a.column, value);
    const QString text = textOf(value);
    for (const CellAddress &a : inside) {
        QString t = s.text(a.row, a.column);
        t.replace(placeholder, text, Qt::CaseInsensitive);
        s.setText(a.row, a.column, t);
    }
}

bool TExpXLSOLE::ReplaceFirstFrom(const QString &placeholder, const QVariant &value, int startRow)
{
    if (placeholder.isEmpty())
        return false;
    Worksheet &s = sheet();
    std::optional<CellAddress> found;
    s.forEachCell([&](int row, int column, const Cell &c) {
        if (found || row < startRow || c.type != Cell::Type::String || c.hasFormula())
            return;
        if (c.value.contains(placeholder, Qt::CaseInsensitive))
            found = CellAddress{row, column};
    });
    if (!found)
        return false;
    QString t = s.text(found->row, found->column);
    if (t.compare(placeholder, Qt::CaseInsensitive) == 0) {
        writeValue(s, found->row, found->column, value);
    } else {
        const qsizetype at = t.indexOf(placeholder, 0, Qt::CaseInsensitive);
        t.replace(at, placeholder.size(), textOf(value));
        s.setText(found->row, found->column, t);
    }
    return true;
}

void TExpXLSOLE::SetCell(int row, int column, const QVariant &value) { writeValue(sheet(), row, column, value); }

void TExpXLSOLE::InsertRowCopies(int row, int count) { sheet().insertRowCopies(row, count); }

void TExpXLSOLE::CopyBlock(int firstRow, int lastRow, int lastColumn, int count, int destinationRow)
{
    Worksheet &s = sheet();
    const int height = lastRow - firstRow + 1;
    if (height <= 0)
        return;
    for (int i = 0; i < count; ++i) {
        s.insertRowCopies(destinationRow, height);
        s.copyRows(firstRow, lastRow, destinationRow, lastColumn);
        if (idle_)
            idle_();
    }
}

void TExpXLSOLE::AddPageBreak(int row) { sheet().addRowBreak(row); }

bool TExpXLSOLE::FillRows(const RowSource &rows)
{
    Worksheet &s = sheet();
    const std::optional<CellAddress> marker = findDataRowMarker(s);
    if (!marker)
        return false;
    s.clearValue(marker->row, marker->column);
    const int n = rows.rowCount();
    if (n == 0)
        return true;
    int r = marker->row;
    // All the rows at once: copies of the data row above it, one per record.
    s.insertRowCopies(r, n - 1);
    const QHash<QString, int> cells = fieldCells(rows);
    const QList<Field> fields = rows.fields();
    const int columns = s.lastColumn();
    for (int k = 1; k <= n; ++k, ++r) {
        for (int c = 1; c <= columns; ++c) {
            const QString t = s.text(r, c).trimmed().toUpper();
            if (t.isEmpty() || s.cell(r, c)->hasFormula())
                continue;
            if (t == u"%NRCRT") {
                s.setNumber(r, c, k);
            } else if (const auto f = cells.constFind(t); f != cells.constEnd()) {
                writeField(s, r, c, fields[*f].type, rows.value(k - 1, *f), zeroText_);
            }
        }
        if (idle_)
            idle_();
    }
    return true;
}

QString TExpXLSOLE::Finish(bool show)
{
    if (!workbook_)
        return {};
    const std::unique_ptr<Workbook> workbook = std::move(workbook_);
    workbook->save(output_);
    if (show && opener_)
        opener_(output_);
    return output_;
}

TExpXLSOLE &ExpXLSOLE()
{
    static TExpXLSOLE engine(runFolders().temp);
    return engine;
}

} // namespace valdora::xlsx

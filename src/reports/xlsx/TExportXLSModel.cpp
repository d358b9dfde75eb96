#include "reports/xlsx/TExportXLSModel.h"

#include "app/core/Folders.h"
#include "reports/xlsx/TemplateCells.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <stdexcept>

namespace valdora::xlsx {

TExportXLSModel::TExportXLSModel(QString outputFolder) : outputFolder_(std::move(outputFolder)) {}

TExportXLSModel::~TExportXLSModel() = default;

bool TExportXLSModel::OpenTemplate(const QString &templatePath)
{
    workbook_.reset();
    if (templatePath.isEmpty() || !QFileInfo(templatePath).isFile())
        return false;
    workbook_ = std::make_unique<Workbook>(Workbook::open(templatePath));
    zeroText_.clear();
    return true;
}

Workbook &TExportXLSModel::workbook()
{
    if (!workbook_)
        throw std::logic_error("no workbook is open");
    return *workbook_;
}

Worksheet &TExportXLSModel::sheet() { return workbook().sheet(0); }

void TExportXLSModel::replaceWhole(const QString &placeholder, const std::function<void(int, int)> &write)
{
    const QString wanted = placeholder.trimmed();
    if (wanted.isEmpty())
        return;
    QList<CellAddress> cells;
    sheet().forEachCell([&](int row, int column, const Cell &c) {
        if (c.type == Cell::Type::String && !c.hasFormula() && c.value.trimmed().compare(wanted, Qt::CaseInsensitive) == 0)
            cells.push_back({row, column});
    });
    for (const CellAddress &a : cells)
        write(a.row, a.column);
}

void TExportXLSModel::SetText(const QString &placeholder, const QString &text)
{
    replaceWhole(placeholder, [&](int row, int column) { sheet().setText(row, column, text); });
}

void TExportXLSModel::SetNumber(const QString &placeholder, qint64 number)
{
    replaceWhole(placeholder, [&](int row, int column) { sheet().setNumberText(row, column, QString::number(number)); });
}

bool TExportXLSModel::FillRows(const RowSource &rows)
{
    Worksheet &s = sheet();
    const std::optional<CellAddress> marker = findDataRowMarker(s);
    if (!marker)
        return false;
    s.clearValue(marker->row, marker->column);
    const int n = rows.rowCount();
    int r = marker->row;
    // One copy of the template row per record above it, then the template row
    // goes: the same sheet as inserting, filling and moving on record by record.
    s.insertRowCopies(r, n);
    const QHash<QString, int> cells = fieldCells(rows);
    const QList<Field> fields = rows.fields();
    const int columns = s.lastColumn();
    for (int k = 1; k <= n; ++k, ++r) {
        for (int c = 1; c <= columns; ++c) {
            const QString t = s.text(r, c).trimmed().toUpper();
            if (t.isEmpty() || s.cell(r, c)->hasFormula())
                continue;
            if (t == u"%NRCRT" || t == u"#NRCRT") {
                s.setNumber(r, c, k);
            } else if (const auto f = cells.constFind(t); f != cells.constEnd()) {
                writeField(s, r, c, fields[*f].type, rows.value(k - 1, *f), zeroText_);
            }
        }
        if (idle_)
            idle_();
    }
    s.deleteRows(r, r);
    return true;
}

QString TExportXLSModel::Finish()
{
    if (!workbook_)
        return {};
    const std::unique_ptr<Workbook> workbook = std::move(workbook_);
    QDir().mkpath(outputFolder_);
    for (int n = 0; n <= 100; ++n) {
        const QString path = QDir(outputFolder_).filePath(QStringLiteral("Rap%1.xlsx").arg(n));
        if (QFile::exists(path) && !QFile::remove(path))
            continue;
        workbook->save(path);
        if (opener_)
            opener_(path);
        return path;
    }
    return {};
}

TExportXLSModel &ExportXLSModel()
{
    static TExportXLSModel engine(runFolders().program);
    return engine;
}

} // namespace valdora::xlsx

#pragma once
// The template engine with row and block operations (payment notes, calculation
// sheets, cash statements): opens a template, replaces placeholders, fills data
// rows from a query, and saves the result under a temporary name. The office's
// spreadsheet program is never driven: the result is handed to it afterwards.

#include "reports/xlsx/RowSource.h"
#include "reports/xlsx/Workbook.h"

#include <QString>
#include <QVariant>
#include <functional>
#include <memory>
#include <optional>

namespace valdora::xlsx {

// Opens a finished workbook with the program of its type (the window layer passes
// ui::openDocument).
using DocumentOpener = std::function<void(const QString &path)>;

class TExpXLSOLE {
public:
    enum class Mode { Excel, Native };

    // Output files go to tempFolder ("XLSTmp" + N + ".xlsx").
    explicit TExpXLSOLE(QString tempFolder);
    ~TExpXLSOLE();

    void setDocumentOpener(DocumentOpener opener) { opener_ = std::move(opener); }
    // Called after every filled row and every copied block, so that a window can
    // process its pending events.
    void setIdle(std::function<void()> idle) { idle_ = std::move(idle); }

    // False when the template does not exist. The spreadsheet program is never
    // started: the mode is always native, whatever nativeOnly says. Throws
    // valdora::Error when the file is not a workbook that can be read.
    bool OpenTemplate(const QString &templatePath, bool nativeOnly = true);
    Mode mode() const { return Mode::Native; }
    bool isOpen() const { return workbook_ != nullptr; }
    QString outputPath() const { return output_; }

    // Written for zero numbers; empty after every OpenTemplate.
    void setZeroText(const QString &text) { zeroText_ = text; }
    QString zeroText() const { return zeroText_; }

    // The open workbook and its first sheet (the one filled); std::logic_error when none is open.
    Workbook &workbook();
    Worksheet &sheet();

    int UsedRows();
    void DeleteRows(int first, int last);
    // Every cell whose text equals the placeholder (ignoring case) takes the value
    // with its type; in every other cell that contains it, each occurrence is
    // replaced by the value's text.
    void ReplaceAll(const QString &placeholder, const QVariant &value);
    // The first cell at or below startRow, row by row and left to right, that
    // contains the placeholder: the whole cell takes the value when its text is the
    // placeholder, else the first occurrence is replaced by the value's text.
    // False when no cell contains it.
    bool ReplaceFirstFrom(const QString &placeholder, const QVariant &value, int startRow);
    void SetCell(int row, int column, const QVariant &value);
    void InsertRowCopies(int row, int count);
    // count times: insert (lastRow - firstRow + 1) copies of the destination row at
    // it, then paste the block firstRow..lastRow x 1..lastColumn there.
    void CopyBlock(int firstRow, int lastRow, int lastColumn, int count, int destinationRow);
    // A page break above the row.
    void AddPageBreak(int row);
    // Fills the first remaining data row ("#DBF") from the rows: one copy of it per
    // row, "%NRCRT" numbered 1, 2, 3 ..., "#" + field name filled. False when the
    // sheet has no marker left.
    bool FillRows(const RowSource &rows);
    // Saves to the output path and closes; with show, the file is handed to the
    // document opener. Returns the path saved, "" when nothing was open.
    QString Finish(bool show);

private:
    QString tempFolder_;
    QString output_;
    QString zeroText_;
    std::unique_ptr<Workbook> workbook_;
    DocumentOpener opener_;
    std::function<void()> idle_;
};

// The instance the program shares (temporary folder of the run).
TExpXLSOLE &ExpXLSOLE();

} // namespace valdora::xlsx

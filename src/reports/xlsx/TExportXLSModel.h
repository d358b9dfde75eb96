#pragma once
// The plain template engine of the lists and bordereaux: header placeholders by
// whole-cell match, one data row filled from a query, the result saved as a
// "Rap" file in the program folder and handed to the spreadsheet program.

#include "reports/xlsx/RowSource.h"
#include "reports/xlsx/TExpXLSOLE.h"
#include "reports/xlsx/Workbook.h"

#include <QString>
#include <functional>
#include <memory>

namespace valdora::xlsx {

class TExportXLSModel {
public:
    // Results are written to outputFolder ("Rap" + N + ".xlsx").
    explicit TExportXLSModel(QString outputFolder);
    ~TExportXLSModel();

    void setDocumentOpener(DocumentOpener opener) { opener_ = std::move(opener); }
    void setIdle(std::function<void()> idle) { idle_ = std::move(idle); }

    // False when the file does not exist; throws valdora::Error when it is not a
    // workbook that can be read.
    bool OpenTemplate(const QString &templatePath);
    bool isOpen() const { return workbook_ != nullptr; }

    void setZeroText(const QString &text) { zeroText_ = text; }
    QString zeroText() const { return zeroText_; }

    Workbook &workbook();
    Worksheet &sheet();

    // Every cell whose trimmed text equals the placeholder (ignoring case) becomes
    // the text; a cell that only contains it is left alone.
    void SetText(const QString &placeholder, const QString &text);
    void SetNumber(const QString &placeholder, qint64 number);
    // Fills the first remaining data row: one row per record, "%NRCRT" and "#NRCRT"
    // numbered, "#" + field name filled; the template row is removed afterwards
    // (with no records, simply removed). False when there is no marker.
    bool FillRows(const RowSource &rows);
    // Saves to the first "Rap" + N + ".xlsx" (N = 0..100) that is free or can be
    // deleted, closes and hands the file to the document opener. With no free name
    // the workbook is closed unsaved and "" returned.
    QString Finish();

private:
    void replaceWhole(const QString &placeholder, const std::function<void(int, int)> &write);

    QString outputFolder_;
    QString zeroText_;
    std::unique_ptr<Workbook> workbook_;
    DocumentOpener opener_;
    std::function<void()> idle_;
};

// The instance the program shares (program folder of the run).
TExportXLSModel &ExportXLSModel();

} // namespace valdora::xlsx

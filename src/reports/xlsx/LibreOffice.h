#pragma once
// LibreOffice headless, when the machine has it: converting an old .xls template
// to .xlsx, and any document to PDF. Each conversion runs with a profile of its
// own, so that conversions never wait for one another or for an open LibreOffice.

#include <QString>

namespace valdora::xlsx {

// The soffice program, "" when LibreOffice is not installed.
QString findLibreOffice();

// Converts input to the format ("xlsx", "pdf") into outputFolder; returns the new
// file's path, "" when LibreOffice is missing or the conversion failed.
QString convertWithLibreOffice(const QString &input, const QString &format, const QString &outputFolder,
                               int timeoutMs = 120000);

} // namespace valdora::xlsx

#pragma once
// RTF to PDF through LibreOffice, when it is installed. Every conversion runs
// its own headless office with a private, throw-away profile, so it works while
// the user has LibreOffice open, and it is stopped when it overruns its time.

#include <QString>

namespace valdora::docs {

struct PdfOptions {
    QString office;          // the soffice program; empty: looked up on this machine
    int timeoutMs = 60000;   // a conversion running longer is stopped and fails
};

// The soffice program of this machine, empty when LibreOffice is not installed.
QString findOffice();

// Writes `pdf` from `source` (any document LibreOffice reads). False when the
// office is missing, fails or overruns; an existing `pdf` is then left as it was.
bool convertToPdf(const QString &source, const QString &pdf, const PdfOptions &options = {});

} // namespace valdora::docs

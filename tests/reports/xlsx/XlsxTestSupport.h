#pragma once
// What the workbook tests share: readable QString failures, and the independent
// readers (LibreOffice to PDF with pdftotext, Python's openpyxl) that check a
// produced workbook. A test that needs a reader the machine lacks is skipped.

#include "reports/xlsx/LibreOffice.h"
#include "reports/xlsx/Workbook.h"

#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QString>
#include <QTemporaryDir>
#include <QStringList>
#include <optional>
#include <ostream>

inline void PrintTo(const QString &s, std::ostream *os) { *os << '"' << s.toStdString() << '"'; }

namespace valdora::xlsx::test {

// The text of the PDF LibreOffice makes of the workbook (pdftotext -layout);
// nullopt when LibreOffice or pdftotext is missing.
inline std::optional<QString> pdfText(const QString &workbook)
{
    const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    if (findLibreOffice().isEmpty() || pdftotext.isEmpty())
        return std::nullopt;
    QTemporaryDir out;
    const QString pdf = convertWithLibreOffice(workbook, QStringLiteral("pdf"), out.path());
    if (pdf.isEmpty())
        return QStringLiteral("ERROR: LibreOffice did not convert ") + workbook;
    QProcess p;
    p.start(pdftotext, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
    p.waitForFinished(30000);
    return QString::fromUtf8(p.readAllStandardOutput());
}

// Runs a Python script with openpyxl (/usr/bin/python3) on the arguments: its
// output, an "ERROR: " text when it failed, nullopt when openpyxl is missing.
inline std::optional<QString> openpyxl(const QString &script, const QStringList &arguments)
{
    const QString python = QStringLiteral("/usr/bin/python3");
    if (!QFileInfo(python).isExecutable())
        return std::nullopt;
    QProcess probe;
    probe.start(python, {QStringLiteral("-c"), QStringLiteral("import openpyxl")});
    probe.waitForFinished(30000);
    if (probe.exitCode() != 0)
        return std::nullopt;
    QProcess p;
    p.start(python, QStringList{QStringLiteral("-c"), script} + arguments);
    p.waitForFinished(60000);
    const QString out = QString::fromUtf8(p.readAllStandardOutput());
    if (p.exitCode() != 0)
        return QStringLiteral("ERROR: ") + QString::fromUtf8(p.readAllStandardError()) + out;
    return out;
}

// "A1=..." lines of every non-empty cell of the first sheet as openpyxl reads it
// (formulas as written, "=SUM(C16:C19)"), or the cached values.
inline std::optional<QString> openpyxlCells(const QString &workbook, bool cached = false)
{
    static const QString script = QStringLiteral(R"(
import sys, openpyxl
wb = openpyxl.load_workbook(sys.argv[1], data_only=(sys.argv[2] == '1'))
ws = wb.worksheets[0]
for row in ws.iter_rows():
    for c in row:
        if c.value is not None:
            v = c.value
            if isinstance(v, float) and v.is_integer():
                v = int(v)
            print('%s=%s' % (c.coordinate, v))
)");
    return openpyxl(script, {workbook, cached ? QStringLiteral("1") : QStringLiteral("0")});
}

// The list template of the engine tests: a title with "[UAT]", a header row 16,
// the data row 17 ("%NRCRT", "#NUMEP", "#ROL", "#SUMA", "#MAJOR", a row total,
// the marker, a field no query has) and the totals row 18 over D16:D17-style ranges.
inline void writeListTemplate(const QString &path, const QString &numberCell = QStringLiteral("%NRCRT"),
                              const QString &marker = QStringLiteral("#DBF"))
{
    Workbook wb(QStringLiteral("Lista"));
    Worksheet &s = wb.sheet(0);
    s.setText(1, 1, QStringLiteral("[UAT]"));
    s.setText(1, 2, QStringLiteral("Lista pentru [uat] si judet"));
    s.setText(2, 1, QStringLiteral("[NR]"));
    const QStringList header{QStringLiteral("Nr."), QStringLiteral("Nume"), QStringLiteral("ROL"),
                             QStringLiteral("Suma"), QStringLiteral("Major."), QStringLiteral("Total")};
    for (int c = 1; c <= header.size(); ++c)
        s.setText(16, c, header[c - 1]);
    s.setText(17, 1, numberCell);
    s.setText(17, 2, QStringLiteral("#NUMEP"));
    s.setText(17, 3, QStringLiteral("#rol "));
    s.setText(17, 4, QStringLiteral("#SUMA"));
    s.setText(17, 5, QStringLiteral("#MAJOR"));
    s.setFormula(17, 6, QStringLiteral("SUM(D17:E17)"));
    s.setText(17, 7, marker);
    s.setText(17, 8, QStringLiteral("#NECUNOSCUT"));
    s.setRowHeight(17, 21);
    s.setColumnWidth(1, 18);
    s.setColumnWidth(2, 24);
    s.mergeCells({1, 2, 1, 4});
    s.setText(18, 1, QStringLiteral("TOTAL"));
    s.setFormula(18, 4, QStringLiteral("SUM(D16:D17)"));
    s.setFormula(18, 5, QStringLiteral("SUM(E16:E17)"));
    s.setFormula(18, 6, QStringLiteral("=SUM(F16:F17)"));
    s.setText(20, 1, QStringLiteral("Intocmit [USER]"));
    wb.save(path);
}

} // namespace valdora::xlsx::test

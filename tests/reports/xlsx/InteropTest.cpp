// Every kind of workbook the engines produce opens in independent readers:
// LibreOffice (converted to PDF, the text read back with pdftotext) and
// Python's openpyxl. Skipped where the reader is not installed.

#include "XlsxTestSupport.h"
#include "support/TempDir.h"

#include "app/core/Currency.h"
#include "reports/xlsx/LibreOffice.h"
#include "reports/xlsx/TExpXLSOLE.h"
#include "reports/xlsx/TExportXLSModel.h"

#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::xlsx;
using valdora::test::TempDir;

namespace {

QString filledList(const TempDir &dir)
{
    const QString templ = dir.file(u"Lista.xlsx"_qs);
    xlsx::test::writeListTemplate(templ);
    TExportXLSModel model(dir.file(u"prog"_qs));
    EXPECT_TRUE(model.OpenTemplate(templ));
    model.SetText(u"[UAT]"_qs, u"Comuna Valdora"_qs);
    model.setZeroText(u"-"_qs);
    RowTable t({{u"NUMEP"_qs, FieldType::String},
                {u"ROL"_qs, FieldType::String},
                {u"SUMA"_qs, FieldType::Number},
                {u"MAJOR"_qs, FieldType::Number}});
    t.addRow({u"POPESCU ION"_qs, u"12"_qs, QVariant::fromValue(Currency::fromRaw(1005000)), 0});
    t.addRow({u"IONESCU ANA"_qs, u"7"_qs, 0, 3});
    t.addRow({u"DAN DAN"_qs, u"3"_qs, QVariant::fromValue(Currency::fromRaw(493800)), 1});
    EXPECT_TRUE(model.FillRows(t));
    return model.Finish();
}

TEST(Interop, ListReadByOpenpyxl)
{
    TempDir dir;
    const QString out = filledList(dir);
    const auto cells = xlsx::test::openpyxlCells(out);
    if (!cells)
        GTEST_SKIP() << "openpyxl is not installed";
    ASSERT_FALSE(cells->startsWith(u"ERROR")) << cells->toStdString();
    for (const char *line : {"A1=Comuna Valdora", "A17=1", "B17=POPESCU ION", "C17=12", "D17=100.5", "E17=-",
                             "F17==SUM(D17:E17)", "A19=3", "D18=-", "D20==SUM(D16:D19)", "F20==SUM(F16:F19)"})
        EXPECT_TRUE(cells->contains(QString::fromLatin1(line) + u'\n')) << line << "\n" << cells->toStdString();
    EXPECT_FALSE(cells->contains(u"#DBF"));
    const auto values = xlsx::test::openpyxlCells(out, true);
    ASSERT_TRUE(values);
    for (const char *line : {"D20=149.88", "E20=4", "F20=153.88", "F18=3"})
        EXPECT_TRUE(values->contains(QString::fromLatin1(line) + u'\n')) << line << "\n" << values->toStdString();
    // Merges and the page layout as another reader sees them.
    const auto layout = xlsx::test::openpyxl(uR"(
import sys, openpyxl
ws = openpyxl.load_workbook(sys.argv[1]).worksheets[0]
print(sorted(str(r) for r in ws.merged_cells.ranges), ws.row_dimensions[18].height)
)"_qs, {out});
    ASSERT_TRUE(layout);
    EXPECT_EQ(layout->trimmed(), u"['B1:D1'] 21.0");
}

TEST(Interop, ListAndPaymentNotesPrintedByLibreOffice)
{
    TempDir dir;
    const QString list = filledList(dir);
    const auto text = xlsx::test::pdfText(list);
    if (!text)
        GTEST_SKIP() << "LibreOffice or pdftotext is not installed";
    for (const char *expected : {"Comuna Valdora", "POPESCU ION", "IONESCU ANA", "DAN DAN", "100.5", "49.38",
                                 "149.88", "153.88", "TOTAL"})
        EXPECT_TRUE(text->contains(QString::fromLatin1(expected))) << expected << "\n" << text->toStdString();

    // Two notices on one sheet, a page break between them: two pages.
    Workbook wb(u"Nota"_qs);
    wb.sheet(0).setText(1, 1, u"NOTA DE PLATA [NRDATA]"_qs);
    wb.sheet(0).setText(2, 1, u"#DENUM"_qs);
    wb.sheet(0).setText(2, 2, u"#SUMA"_qs);
    wb.sheet(0).setText(2, 3, u"#DBF"_qs);
    wb.sheet(0).setFormula(3, 2, u"SUM(B1:B2)"_qs);
    const QString templ = dir.file(u"Nota.xlsx"_qs);
    wb.save(templ);
    TExpXLSOLE ole(dir.file(u"tmp"_qs));
    ASSERT_TRUE(ole.OpenTemplate(templ));
    ole.CopyBlock(1, 3, 3, 1, 4);
    ole.AddPageBreak(4);
    for (int n = 1; n <= 2; ++n) {
        ole.ReplaceFirstFrom(u"[NRDATA]"_qs, QStringLiteral("Nr.%1").arg(n), 1);
        RowTable t({{u"DENUM"_qs, FieldType::String}, {u"SUMA"_qs, FieldType::Number}});
        t.addRow({u"Impozit pe cladiri"_qs, 100 * n});
        t.addRow({u"Impozit pe teren"_qs, 7});
        ASSERT_TRUE(ole.FillRows(t));
    }
    const auto notes = xlsx::test::pdfText(ole.Finish(false));
    ASSERT_TRUE(notes);
    const QStringList pages = notes->split(u'\f', Qt::SkipEmptyParts);
    ASSERT_GE(pages.size(), 2) << notes->toStdString();
    EXPECT_TRUE(pages[0].contains(u"Nr.1") && pages[0].contains(u"107")) << pages[0].toStdString();
    EXPECT_TRUE(pages[1].contains(u"Nr.2") && pages[1].contains(u"207")) << pages[1].toStdString();
}

// What LibreOffice writes when it saves one of our workbooks reads back here.
TEST(Interop, WorkbookSavedByLibreOfficeReadsBack)
{
    if (findLibreOffice().isEmpty())
        GTEST_SKIP() << "LibreOffice is not installed";
    TempDir dir;
    const QString list = filledList(dir);
    const QString again = convertWithLibreOffice(list, u"xlsx"_qs, dir.file(u"lo"_qs));
    ASSERT_FALSE(again.isEmpty());
    Workbook wb = Workbook::open(again);
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.text(17, 2), u"POPESCU ION");
    EXPECT_EQ(s.text(18, 4), u"-");
    EXPECT_EQ(s.formula(20, 4), u"SUM(D16:D19)");
    EXPECT_NEAR(*s.number(20, 4), 149.88, 1e-9);
    EXPECT_EQ(s.mergedCells(), QList<CellRange>{(CellRange{1, 2, 1, 4})});
}

} // namespace

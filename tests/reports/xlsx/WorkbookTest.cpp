// The workbook layer: what it keeps of a workbook written by another program,
// and how rows, merges, page breaks, names and formulas on other sheets follow
// inserted, copied and deleted rows.

#include "XlsxTestSupport.h"
#include "support/TempDir.h"

#include "app/core/Error.h"
#include "reports/xlsx/Workbook.h"
#include "reports/xlsx/XmlParts.h"

#include <QDir>
#include <gtest/gtest.h>

using namespace valdora::xlsx;
using valdora::test::TempDir;
using valdora::test::readFile;
using valdora::test::writeFile;

namespace {

// A workbook as Excel writes it: shared strings with rich text, shared formulas,
// an inline string, styles, two sheets, a print area, a calculation chain.
QString writeExcelParts(const TempDir &dir)
{
    const QString root = dir.file(u"parts"_qs);
    auto put = [&](const QString &name, const QString &xml) {
        writeFile(root + u'/' + name, "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n" + xml.toUtf8());
    };
    put(u"[Content_Types].xml"_qs,
        uR"(<Types xmlns="http://schemas.openxmlformats.org/package/2006/content-types">
  <Default Extension="rels" ContentType="application/vnd.openxmlformats-package.relationships+xml"/>
  <Default Extension="xml" ContentType="application/xml"/>
  <Override PartName="/xl/workbook.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml"/>
  <Override PartName="/xl/worksheets/sheet1.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
  <Override PartName="/xl/worksheets/sheet2.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml"/>
  <Override PartName="/xl/styles.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml"/>
  <Override PartName="/xl/sharedStrings.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml"/>
  <Override PartName="/xl/calcChain.xml" ContentType="application/vnd.openxmlformats-officedocument.spreadsheetml.calcChain+xml"/>
</Types>)"_qs);
    put(u"_rels/.rels"_qs, uR"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
  <Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument" Target="xl/workbook.xml"/>
</Relationships>)"_qs);
    put(u"xl/workbook.xml"_qs,
        uR"(<workbook xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" mc:Ignorable="x15" xmlns:x15="http://schemas.microsoft.com/office/spreadsheetml/2010/11/main">
  <workbookPr defaultThemeVersion="124226"/>
  <bookViews><workbookView xWindow="0" yWindow="0" windowWidth="19200" windowHeight="11000"/></bookViews>
  <sheets>
    <sheet name="Nota" sheetId="1" r:id="rId1"/>
    <sheet name="Anexa 2" sheetId="2" r:id="rId2"/>
  </sheets>
  <definedNames>
    <definedName name="_xlnm.Print_Area" localSheetId="0">Nota!$A$1:$D$9</definedName>
  </definedNames>
  <calcPr calcId="152511"/>
</workbook>)"_qs);
    put(u"xl/_rels/workbook.xml.rels"_qs, uR"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
  <Relationship Id="rId1" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="worksheets/sheet1.xml"/>
  <Relationship Id="rId2" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet" Target="/xl/worksheets/sheet2.xml"/>
  <Relationship Id="rId3" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles" Target="styles.xml"/>
  <Relationship Id="rId4" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/sharedStrings" Target="sharedStrings.xml"/>
  <Relationship Id="rId5" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/calcChain" Target="calcChain.xml"/>
</Relationships>)"_qs);
    put(u"xl/sharedStrings.xml"_qs, uR"(<sst xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" count="4" uniqueCount="4">
  <si><t>#DENUM</t></si>
  <si><r><rPr><b/></rPr><t>TOTAL</t></r><r><t xml:space="preserve"> GENERAL</t></r></si>
  <si><t>Linia_x000D_</t></si>
  <si><t>#DBF</t></si>
</sst>)"_qs);
    put(u"xl/calcChain.xml"_qs, uR"(<calcChain xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main"><c r="C2" i="1"/></calcChain>)"_qs);
    put(u"xl/styles.xml"_qs, uR"(<styleSheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
  <numFmts count="1"><numFmt numFmtId="164" formatCode="0.00"/></numFmts>
  <fonts count="2"><font><sz val="11"/><name val="Arial"/></font><font><b/><sz val="11"/><name val="Arial"/></font></fonts>
  <fills count="2"><fill><patternFill patternType="none"/></fill><fill><patternFill patternType="gray125"/></fill></fills>
  <borders count="1"><border><left/><right/><top/><bottom/><diagonal/></border></borders>
  <cellStyleXfs count="1"><xf numFmtId="0" fontId="0" fillId="0" borderId="0"/></cellStyleXfs>
  <cellXfs count="3"><xf numFmtId="0" fontId="0" fillId="0" borderId="0" xfId="0"/><xf numFmtId="164" fontId="0" fillId="0" borderId="0" xfId="0" applyNumberFormat="1"/><xf numFmtId="0" fontId="1" fillId="0" borderId="0" xfId="0" applyFont="1"/></cellXfs>
  <cellStyles count="1"><cellStyle name="Normal" xfId="0" builtinId="0"/></cellStyles>
</styleSheet>)"_qs);
    put(u"xl/worksheets/sheet1.xml"_qs,
        uR"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main" xmlns:r="http://schemas.openxmlformats.org/officeDocument/2006/relationships" xmlns:mc="http://schemas.openxmlformats.org/markup-compatibility/2006" mc:Ignorable="x14ac" xmlns:x14ac="http://schemas.microsoft.com/office/spreadsheetml/2009/9/ac">
  <dimension ref="A1:E6"/>
  <sheetViews><sheetView tabSelected="1" workbookViewId="0"><selection activeCell="B2" sqref="B2"/></sheetView></sheetViews>
  <sheetFormatPr defaultRowHeight="15" x14ac:dyDescent="0.25"/>
  <cols><col min="1" max="3" width="12.5" customWidth="1"/><col min="5" max="5" width="4" style="2" customWidth="1"/></cols>
  <sheetData>
    <row r="1" spans="1:5" x14ac:dyDescent="0.25"><c r="A1" t="inlineStr"><is><t>Nota de plata</t></is></c><c r="D1" s="2" t="inlineStr"><is><r><t>[NR</t></r><r><rPr><i/></rPr><t>DATA]</t></r></is></c></row>
    <row r="2" spans="1:5" ht="24" customHeight="1"><c r="A2" s="2" t="s"><v>0</v></c><c r="B2" s="1"><v>10.5</v></c><c r="C2" s="1"><f>B2*2</f><v>21</v></c><c r="D2" s="1"><f t="shared" ref="D2:D3" si="0">B2+C2</f><v>31.5</v></c><c r="E2" t="s"><v>3</v></c></row>
    <row r="3"><c r="B3" s="1"><v>4</v></c><c r="C3" t="b"><v>1</v></c><c r="D3" s="1"><f t="shared" si="0"/><v>5</v></c></row>
    <row r="4"><c r="A4" s="2" t="s"><v>1</v></c><c r="B4" s="1"><f>SUM(B1:B3)</f><v>14.5</v></c><c r="C4"><f>VLOOKUP(1,B2:C3,2,0)</f><v>7</v></c><c r="D4" s="1"><f>SUM(D1:D3)</f><v>36.5</v></c></row>
    <row r="5"><c r="A5" s="1"/><c r="B5" t="e"><v>#N/A</v></c><c r="C5" t="str"><f>A2&amp;"!"</f><v>#DENUM!</v></c></row>
    <row r="6"><c r="A6" t="s"><v>2</v></c></row>
  </sheetData>
  <mergeCells count="2"><mergeCell ref="A1:C1"/><mergeCell ref="A6:B7"/></mergeCells>
  <conditionalFormatting sqref="B2:B3"><cfRule type="cellIs" dxfId="0" priority="1" operator="lessThan"><formula>0</formula></cfRule></conditionalFormatting>
  <pageMargins left="0.5" right="0.4" top="0.6" bottom="0.6" header="0.3" footer="0.3"/>
  <pageSetup paperSize="9" orientation="landscape" r:id="rId9"/>
  <rowBreaks count="1" manualBreakCount="1"><brk id="4" max="16383" man="1"/></rowBreaks>
</worksheet>)"_qs);
    put(u"xl/worksheets/_rels/sheet1.xml.rels"_qs, uR"(<Relationships xmlns="http://schemas.openxmlformats.org/package/2006/relationships">
  <Relationship Id="rId9" Type="http://schemas.openxmlformats.org/officeDocument/2006/relationships/printerSettings" Target="../printerSettings/printerSettings1.bin"/>
</Relationships>)"_qs);
    writeFile(root + u"/xl/printerSettings/printerSettings1.bin"_qs, QByteArray("\x01\x02\x00\x03", 4));
    put(u"xl/worksheets/sheet2.xml"_qs, uR"(<worksheet xmlns="http://schemas.openxmlformats.org/spreadsheetml/2006/main">
  <sheetData><row r="1"><c r="A1"><f>Nota!B4+'Anexa 2'!A2+Nota!B3</f><v>18.5</v></c></row><row r="2"><c r="A2"><v>0</v></c></row></sheetData>
</worksheet>)"_qs);
    return root;
}

TEST(WorkbookRead, KeepsWhatAnotherProgramWrote)
{
    TempDir dir;
    Workbook wb = Workbook::fromParts(writeExcelParts(dir));
    ASSERT_EQ(wb.sheetCount(), 2);
    EXPECT_EQ(wb.sheet(1).name(), u"Anexa 2");
    EXPECT_EQ(wb.sheet(u"anexa 2"), &wb.sheet(1));
    Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.text(1, 1), u"Nota de plata");
    EXPECT_EQ(s.text(1, 4), u"[NRDATA]") << "the runs of a rich inline text read as one text";
    EXPECT_EQ(s.text(2, 1), u"#DENUM");
    EXPECT_EQ(s.style(2, 1), 2);
    EXPECT_EQ(s.number(2, 2), 10.5);
    EXPECT_EQ(s.formula(3, 4), u"B3+C3") << "a shared formula is one formula per cell";
    EXPECT_EQ(s.type(3, 3), Cell::Type::Boolean);
    EXPECT_EQ(s.text(4, 1), u"TOTAL GENERAL");
    EXPECT_EQ(s.type(5, 1), Cell::Type::Empty);
    EXPECT_EQ(s.style(5, 1), 1);
    EXPECT_EQ(s.type(5, 2), Cell::Type::Error);
    EXPECT_EQ(s.text(5, 3), u"#DENUM!");
    EXPECT_EQ(s.text(6, 1), u"Linia\r");
    EXPECT_EQ(s.rowHeight(2), 24.0);
    EXPECT_EQ(s.columnWidth(2), 12.5);
    EXPECT_EQ(s.columnWidth(4), std::nullopt);
    EXPECT_EQ(s.mergedCells(), (QList<CellRange>{{1, 1, 1, 3}, {6, 1, 7, 2}}));
    EXPECT_EQ(s.rowBreaks(), QList<int>{5});
    EXPECT_EQ(s.pageSetup(u"orientation"_qs), u"landscape");
    EXPECT_EQ(s.pageMargins().left, 0.5);
    EXPECT_EQ(s.lastRow(), 6);
    EXPECT_EQ(s.lastColumn(), 5);
    ASSERT_EQ(wb.definedNames().size(), 1);
    EXPECT_EQ(wb.definedNames()[0].formula, u"Nota!$A$1:$D$9");
    EXPECT_EQ(wb.definedNames()[0].localSheet, 0);
}

TEST(WorkbookRead, RoundTripKeepsCellsStylesAndParts)
{
    TempDir dir;
    const QString path = dir.file(u"out.xlsx"_qs);
    {
        Workbook wb = Workbook::fromParts(writeExcelParts(dir));
        wb.sheet(0).setText(6, 1, u"Ş < & > \"x\"  "_qs);
        wb.sheet(0).setNumber(2, 2, 20);
        wb.save(path);
    }
    Workbook back = Workbook::open(path);
    const Worksheet &s = back.sheet(0);
    EXPECT_EQ(s.text(6, 1), u"Ş < & > \"x\"  ");
    EXPECT_EQ(s.text(4, 1), u"TOTAL GENERAL");
    EXPECT_EQ(s.style(2, 2), 1);
    EXPECT_EQ(s.style(5, 1), 1);
    // Cached values follow the change; what cannot be worked out loses its value.
    EXPECT_EQ(s.number(2, 3), 40.0);
    EXPECT_EQ(s.number(2, 4), 60.0);
    EXPECT_EQ(s.number(4, 2), 24.0);
    EXPECT_EQ(s.number(4, 4), 60.0 + 5.0);
    EXPECT_EQ(s.formula(4, 3), u"VLOOKUP(1,B2:C3,2,0)");
    EXPECT_EQ(s.type(4, 3), Cell::Type::Empty);
    EXPECT_EQ(back.sheet(1).number(1, 1), 28.0);

    QByteArray sheet;
    for (const auto &part : detail::unzip(readFile(path), u"out.xlsx"_qs)) {
        if (part.name == u"xl/worksheets/sheet1.xml")
            sheet = part.data;
        EXPECT_NE(part.name, u"xl/calcChain.xml") << "the calculation chain is dropped";
    }
    ASSERT_FALSE(sheet.isEmpty());
    {
        EXPECT_TRUE(sheet.startsWith("<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>"));
        EXPECT_TRUE(sheet.contains("<conditionalFormatting sqref=\"B2:B3\">")) << "parts not modelled here are kept";
        EXPECT_TRUE(sheet.contains("x14ac:dyDescent=\"0.25\""));
        EXPECT_TRUE(sheet.contains("<pageSetup paperSize=\"9\" orientation=\"landscape\" r:id=\"rId9\"/>"));
        EXPECT_FALSE(sheet.contains("n1:"));
        EXPECT_FALSE(sheet.contains("spans="));
        EXPECT_TRUE(sheet.contains("<dimension ref=\"A1:E6\"/>"));
        // Schema order: mergeCells before conditionalFormatting, pageSetup before rowBreaks.
        EXPECT_LT(sheet.indexOf("<mergeCells"), sheet.indexOf("<conditionalFormatting"));
        EXPECT_LT(sheet.indexOf("<pageSetup"), sheet.indexOf("<rowBreaks"));
    }
}

TEST(WorkbookRows, InsertedCopiesMoveEverythingBelow)
{
    TempDir dir;
    Workbook wb = Workbook::fromParts(writeExcelParts(dir));
    Worksheet &s = wb.sheet(0);
    s.mergeCells({2, 3, 2, 4});
    s.insertRowCopies(2, 2);
    for (int r = 2; r <= 4; ++r) {
        EXPECT_EQ(s.text(r, 1), u"#DENUM") << r;
        EXPECT_EQ(s.style(r, 2), 1);
        EXPECT_EQ(s.rowHeight(r), 24.0);
        EXPECT_EQ(s.formula(r, 3), QStringLiteral("B%1*2").arg(r));
    }
    EXPECT_EQ(s.formula(5, 4), u"B5+C5");
    EXPECT_EQ(s.formula(6, 2), u"SUM(B1:B5)");
    EXPECT_EQ(s.mergedCells(), (QList<CellRange>{{1, 1, 1, 3}, {8, 1, 9, 2}, {4, 3, 4, 4}, {2, 3, 2, 4}, {3, 3, 3, 4}}));
    EXPECT_EQ(s.rowBreaks(), QList<int>{7});
    EXPECT_EQ(wb.definedNames()[0].formula, u"Nota!$A$1:$D$11");
    EXPECT_EQ(wb.sheet(1).formula(1, 1), u"Nota!B6+'Anexa 2'!A2+Nota!B5") << "another sheet's formulas follow";
}

TEST(WorkbookRows, DeletedRowsShrinkRangesAndDropWhatWasInThem)
{
    TempDir dir;
    Workbook wb = Workbook::fromParts(writeExcelParts(dir));
    Worksheet &s = wb.sheet(0);
    s.deleteRows(3, 3);
    EXPECT_EQ(s.text(3, 1), u"TOTAL GENERAL");
    EXPECT_EQ(s.formula(3, 2), u"SUM(B1:B2)");
    EXPECT_EQ(s.formula(3, 3), u"VLOOKUP(1,B2:C2,2,0)");
    EXPECT_EQ(s.rowBreaks(), QList<int>{4});
    EXPECT_EQ(wb.sheet(1).formula(1, 1), u"Nota!B3+'Anexa 2'!A2+Nota!#REF!");
    s.deleteRows(4, 6);
    EXPECT_EQ(s.mergedCells(), QList<CellRange>{(CellRange{1, 1, 1, 3})}) << "the merge A5:B6 went with its rows";
    EXPECT_EQ(s.rowBreaks(), QList<int>{});
    EXPECT_EQ(s.lastRow(), 3);
    EXPECT_EQ(wb.definedNames()[0].formula, u"Nota!$A$1:$D$5");
}

TEST(WorkbookRows, CopyRowsPastesABlockWithinColumns)
{
    Workbook wb;
    Worksheet &s = wb.sheet(0);
    s.setText(1, 1, u"a"_qs);
    s.setNumber(1, 2, 1);
    s.setFormula(2, 2, u"B1*2"_qs);
    s.setText(2, 5, u"dincolo"_qs);
    s.mergeCells({1, 1, 1, 2});
    s.setRowHeight(2, 40);
    s.setText(11, 1, u"va fi inlocuit"_qs);
    s.setText(11, 5, u"ramane"_qs);
    s.copyRows(1, 2, 10, 4);
    EXPECT_EQ(s.text(10, 1), u"a");
    EXPECT_EQ(s.formula(11, 2), u"B10*2");
    EXPECT_EQ(s.type(11, 1), Cell::Type::Empty);
    EXPECT_EQ(s.text(11, 5), u"ramane");
    EXPECT_EQ(s.rowHeight(11), 40.0);
    EXPECT_TRUE(s.mergedCells().contains(CellRange{10, 1, 10, 2}));
    // Overlapping: the block is taken before it is pasted.
    s.copyRows(1, 2, 2);
    EXPECT_EQ(s.text(2, 1), u"a");
    EXPECT_EQ(s.formula(3, 2), u"B2*2");
    EXPECT_EQ(s.text(3, 5), u"dincolo");
}

TEST(WorkbookColumnsAndPage, WidthsSplitSpansAndMarginsAreWritten)
{
    TempDir dir;
    const QString path = dir.file(u"w.xlsx"_qs);
    {
        Workbook wb = Workbook::fromParts(writeExcelParts(dir));
        Worksheet &s = wb.sheet(0);
        s.setColumnWidth(2, 30);
        s.setColumnWidth(9, 7.5);
        s.setPageMargins({0.6, 0.4, 0.3, 0.4, 0, 0});
        s.setPageSetup(u"orientation"_qs, u"portrait"_qs);
        s.addRowBreak(3);
        wb.save(path);
    }
    Workbook wb = Workbook::open(path);
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.columnWidth(1), 12.5);
    EXPECT_EQ(s.columnWidth(2), 30.0);
    EXPECT_EQ(s.columnWidth(3), 12.5);
    EXPECT_EQ(s.columnWidth(5), 4.0);
    EXPECT_EQ(s.columnWidth(9), 7.5);
    EXPECT_EQ(s.pageMargins().top, 0.3);
    EXPECT_EQ(s.pageSetup(u"orientation"_qs), u"portrait");
    EXPECT_EQ(s.pageSetup(u"paperSize"_qs), u"9");
    EXPECT_EQ(s.rowBreaks(), (QList<int>{3, 5}));
}

TEST(WorkbookRead, WhatIsNotAWorkbook)
{
    TempDir dir;
    EXPECT_THROW(Workbook::fromData("PK nothing"), valdora::Error);
    EXPECT_THROW(Workbook::open(dir.file(u"lipsa.xlsx"_qs)), valdora::Error);
    QDir().mkpath(dir.file(u"gol"_qs));
    EXPECT_THROW(Workbook::fromParts(dir.file(u"gol"_qs)), valdora::Error);
    try {
        Workbook::open(dir.file(u"lipsa.xlsx"_qs));
    } catch (const valdora::Error &e) {
        EXPECT_TRUE(e.message().contains(u"lipsa.xlsx"));
    }
}

TEST(WorkbookWrite, NewWorkbookGetsSharedStringsAndKeepsNumbersExact)
{
    TempDir dir;
    const QString path = dir.file(u"nou.xlsx"_qs);
    {
        Workbook wb(u"Lista ROL"_qs);
        Worksheet &s = wb.sheet(0);
        s.setText(1, 1, u" spatii "_qs);
        s.setText(2, 1, u"_x0041_ \x01"_qs);
        s.setNumberText(3, 1, u"1234567890.1234"_qs);
        s.setBoolean(4, 1, false);
        EXPECT_THROW(s.setNumberText(5, 1, u"1,5"_qs), std::invalid_argument);
        EXPECT_THROW(s.setNumber(5, 1, std::numeric_limits<double>::infinity()), std::invalid_argument);
        EXPECT_THROW(s.setText(0, 1, u"x"_qs), std::out_of_range);
        wb.save(path);
    }
    Workbook wb = Workbook::open(path);
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(wb.sheet(0).name(), u"Lista ROL");
    EXPECT_EQ(s.text(1, 1), u" spatii ");
    EXPECT_EQ(s.text(2, 1), u"_x0041_ \x01");
    EXPECT_EQ(s.cell(3, 1)->value, u"1234567890.1234");
    EXPECT_EQ(s.type(4, 1), Cell::Type::Boolean);
    if (const auto cells = valdora::xlsx::test::openpyxlCells(path)) {
        EXPECT_TRUE(cells->contains(u"A1= spatii \n")) << cells->toStdString();
        EXPECT_TRUE(cells->contains(u"A3=1234567890.1234\n")) << cells->toStdString();
    }
}

} // namespace

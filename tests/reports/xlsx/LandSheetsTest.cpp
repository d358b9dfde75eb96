// The land calculation sheets filled from a role's page, the constants and the
// assessment, and read back by independent readers.

#include "XlsxTestSupport.h"
#include "support/TempDir.h"

#include "reports/xlsx/LandSheets.h"
#include "reports/xlsx/Workbook.h"

#include <QFileInfo>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::xlsx;
using valdora::test::TempDir;

namespace {

Currency ha(const char *text) { return *Currency::parse(QString::fromLatin1(text)); }

const LandSheetHeader role{u"125"_qs, u"Valdora"_qs, u"POPESCU ION"_qs};

TEST(LandSheets, ExtravilanFromTheWorkedExample)
{
    TempDir dir;
    ExtravilanLandRow page;
    page.area(1, 1) = ha("1.2345"); // 1.2345 ha at 40 lei: 49.38, rounded 49
    page.area(2, 3) = ha("2");      // 2 ha at 18 lei: 36
    ExtravilanLandConstants k;
    k.classification = {LandClassification{u"A"_qs, u"I"_qs}, {u"B"_qs, u"II"_qs}, {u"C"_qs, u"II"_qs},
                        {u"D"_qs, u"II"_qs}, {u"D"_qs, u"IV"_qs}};
    k.rate(1, 1) = Currency::fromLei(40);
    k.rate(2, 3) = Currency::fromLei(18);
    k.rate(11, 5) = ha("3.5");
    ExtravilanLandAssessment a;
    a.SCTE = Currency::fromLei(24 + 18); // SCTE 50 %: 24 on the first, 18 on the second

    TExpXLSOLE engine(dir.file(u"Temp"_qs));
    QString shown;
    engine.setDocumentOpener([&](const QString &p) { shown = p; });
    const QString out = extravilanSheet(engine, dir.file(u"Temp"_qs), role, page, k, a);
    EXPECT_EQ(shown, out);
    EXPECT_TRUE(QFileInfo::exists(dir.file(u"Temp/CalculTE0.xlsx"_qs))) << "the template's own copy";

    Workbook wb = Workbook::open(out);
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.text(3, 1), u"ROL: 125");
    EXPECT_EQ(s.text(4, 1), u"Localitatea: Valdora");
    EXPECT_EQ(s.text(5, 1), u"Nume / Denumire: POPESCU ION");
    EXPECT_EQ(s.text(7, 2), u"A I");
    EXPECT_EQ(s.text(7, 10), u"D IV");
    EXPECT_EQ(s.text(9, 1), u"Teren arabil");
    EXPECT_EQ(s.cell(9, 2)->value, u"1.2345");
    EXPECT_EQ(s.number(9, 3), 40.0);
    EXPECT_EQ(s.number(10, 6), 2.0);
    EXPECT_EQ(s.number(19, 11), 3.5);
    EXPECT_EQ(s.number(19, 10), 0.0);
    EXPECT_NEAR(*s.number(9, 13), 49.38, 1e-9);
    EXPECT_EQ(s.number(9, 14), 49.0);
    EXPECT_EQ(s.number(10, 14), 36.0);
    EXPECT_EQ(s.text(20, 1), u"TOTAL");
    EXPECT_EQ(s.number(20, 14), 85.0);
    EXPECT_EQ(s.number(22, 14), 42.0);
    EXPECT_EQ(s.number(23, 14), 43.0);
    EXPECT_NE(s.style(9, 2), 0) << "the template's formats stay on the filled cells";

    if (const auto text = xlsx::test::pdfText(out)) {
        for (const char *expected : {"FISA DE CALCUL", "ROL: 125", "POPESCU ION", "1.2345", "49.38", "85", "43"})
            EXPECT_TRUE(text->contains(QString::fromLatin1(expected))) << expected << "\n" << text->toStdString();
    }
    if (const auto cells = xlsx::test::openpyxlCells(out)) {
        EXPECT_TRUE(cells->contains(u"N9==ROUND(M9,0)\n")) << cells->toStdString();
        EXPECT_TRUE(cells->contains(u"N20==SUM(N9:N19)\n")) << cells->toStdString();
        EXPECT_TRUE(cells->contains(u"B9=1.2345\n")) << cells->toStdString();
    }
    if (const auto values = xlsx::test::openpyxlCells(out, true)) {
        EXPECT_TRUE(values->contains(u"N23=43\n")) << values->toStdString();
    }
}

TEST(LandSheets, IntravilanCourtyardsAndCategories)
{
    TempDir dir;
    IntravilanLandRow page;
    page.courtyard(1) = ha("500"); // 500 mp at 0.1 lei: 50
    page.courtyard(6) = ha("20");  // 20 mp at 0.25: 5
    page.area(8, 2) = ha("0.5");   // "Teren cu ape", 0.5 ha at 33: 16.5, rounded 17
    IntravilanLandConstants k;
    k.classification = {LandClassification{u"A"_qs, u"I"_qs}, {u"B"_qs, u"II"_qs}, {u"C"_qs, u"III"_qs},
                        {u"D"_qs, u"III"_qs}, {u"D"_qs, u"IV"_qs}, {u"D"_qs, u"IV"_qs}};
    k.courtyardRate(1) = ha("0.1");
    k.courtyardRate(6) = ha("0.25");
    k.rate(8, 2) = Currency::fromLei(33);
    IntravilanLandAssessment a;
    a.SCCC = Currency::fromLei(27);
    a.SCTI = Currency::fromLei(0);

    TExpXLSOLE engine(dir.file(u"Temp"_qs));
    const QString out = intravilanSheet(engine, dir.file(u"Temp"_qs), role, page, k, a, false);
    Workbook wb = Workbook::open(out);
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.text(7, 12), u"D IV");
    EXPECT_EQ(s.text(9, 1), u"Curti cu constructii (mp; lei/mp)");
    EXPECT_EQ(s.text(17, 1), u"Teren cu ape");
    EXPECT_EQ(s.number(9, 2), 500.0);
    EXPECT_EQ(s.number(9, 13), 0.25);
    EXPECT_EQ(s.number(17, 4), 0.5);
    EXPECT_EQ(s.number(9, 16), 55.0);
    EXPECT_EQ(s.number(17, 16), 17.0);
    EXPECT_EQ(s.number(18, 16), 72.0);
    EXPECT_EQ(s.number(20, 16), 27.0);
    EXPECT_EQ(s.number(21, 16), 0.0);
    EXPECT_EQ(s.number(22, 16), 45.0);
    if (const auto text = xlsx::test::pdfText(out)) {
        for (const char *expected : {"Impozitul pe teren intravilan", "Teren cu ape", "16.50", "72", "45"})
            EXPECT_TRUE(text->contains(QString::fromLatin1(expected))) << expected << "\n" << text->toStdString();
    }
}

} // namespace

// The two template engines: markers, field cells, numbering, zero text, header
// placeholders, and the row and block operations of the payment notes.

#include "XlsxTestSupport.h"
#include "support/TempDir.h"

#include "app/core/Currency.h"
#include "app/core/Dates.h"
#include "app/core/Error.h"
#include "reports/xlsx/TExpXLSOLE.h"
#include "reports/xlsx/TExportXLSModel.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::xlsx;
using valdora::test::TempDir;

namespace {

RowTable threeRoles()
{
    RowTable t({{u"NUMEP"_qs, FieldType::String},
                {u"ROL"_qs, FieldType::String},
                {u"SUMA"_qs, FieldType::Number},
                {u"MAJOR"_qs, FieldType::Number}});
    t.addRow({u"POPESCU ION"_qs, u"12"_qs, QVariant::fromValue(Currency::fromRaw(1005000)), 0});
    t.addRow({u"IONESCU ANA"_qs, u"7"_qs, 0.0, 3});
    t.addRow({u"DAN DAN"_qs, u"3"_qs, QVariant::fromValue(Currency::fromRaw(493800)), qint64(1)});
    return t;
}

// Both engines through one face, for the cases where they must agree.
enum class Engine { OLE, Model };

struct EngineRun {
    explicit EngineRun(Engine e, const TempDir &dir) : engine(e), ole(dir.file(u"tmp"_qs)), model(dir.file(u"prog"_qs)) {}
    bool open(const QString &path) { return engine == Engine::OLE ? ole.OpenTemplate(path, true) : model.OpenTemplate(path); }
    Worksheet &sheet() { return engine == Engine::OLE ? ole.sheet() : model.sheet(); }
    bool fill(const RowSource &rows) { return engine == Engine::OLE ? ole.FillRows(rows) : model.FillRows(rows); }
    void zero(const QString &z)
    {
        ole.setZeroText(z);
        model.setZeroText(z);
    }
    QString finish() { return engine == Engine::OLE ? ole.Finish(false) : model.Finish(); }
    Engine engine;
    TExpXLSOLE ole;
    TExportXLSModel model;
};

class BothEngines : public ::testing::TestWithParam<Engine> {
protected:
    TempDir dir;
    QString templ = dir.file(u"Lista.xlsx"_qs);
};

TEST_P(BothEngines, ThreeNumberedRecordsAndTotalsThatIncludeThemAll)
{
    valdora::xlsx::test::writeListTemplate(templ);
    EngineRun run(GetParam(), dir);
    ASSERT_TRUE(run.open(templ));
    ASSERT_TRUE(run.fill(threeRoles()));
    const QString out = run.finish();
    ASSERT_FALSE(out.isEmpty());
    Workbook wb = Workbook::open(out);
    const Worksheet &s = wb.sheet(0);
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(s.number(16 + k, 1), k);
        EXPECT_EQ(s.formula(16 + k, 6), QStringLiteral("SUM(D%1:E%1)").arg(16 + k)) << k;
        EXPECT_EQ(s.text(16 + k, 7), QString()) << "marker emptied";
        EXPECT_EQ(s.text(16 + k, 8), u"#NECUNOSCUT") << "a field no query has keeps its text";
        EXPECT_EQ(s.rowHeight(16 + k), 21.0);
    }
    EXPECT_EQ(s.text(17, 2), u"POPESCU ION");
    EXPECT_EQ(s.text(18, 3), u"7");
    EXPECT_EQ(s.number(17, 4), 100.5);
    EXPECT_EQ(s.type(18, 4), Cell::Type::Empty) << "zero prints the zero text, empty by default";
    EXPECT_EQ(s.type(17, 5), Cell::Type::Empty);
    EXPECT_EQ(s.number(19, 4), 49.38);
    EXPECT_EQ(s.text(20, 1), u"TOTAL");
    EXPECT_EQ(s.formula(20, 4), u"SUM(D16:D19)");
    EXPECT_EQ(s.formula(20, 6), u"SUM(F16:F19)");
    EXPECT_NEAR(*s.number(20, 4), 149.88, 1e-9) << "cached value of the grown total";
    EXPECT_EQ(s.number(20, 5), 4.0);
    EXPECT_NEAR(*s.number(20, 6), 153.88, 1e-9);
    EXPECT_EQ(s.text(22, 1), u"Intocmit [USER]");
    EXPECT_EQ(s.lastRow(), 22);
}

TEST_P(BothEngines, ZeroTextDashForZeroAndUnreadableNumbers)
{
    valdora::xlsx::test::writeListTemplate(templ);
    EngineRun run(GetParam(), dir);
    ASSERT_TRUE(run.open(templ));
    run.zero(u"-"_qs);
    RowTable t({{u"NUMEP"_qs, FieldType::String}, {u"SUMA"_qs, FieldType::Number}, {u"MAJOR"_qs, FieldType::Number}});
    t.addRow({u"A"_qs, 0, u"abc"_qs});
    t.addRow({u"B"_qs, u" 12.5 "_qs, QVariant()});
    ASSERT_TRUE(run.fill(t));
    Workbook wb = Workbook::open(run.finish());
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.text(17, 4), u"-");
    EXPECT_EQ(s.text(17, 5), u"-");
    EXPECT_EQ(s.number(18, 4), 12.5);
    EXPECT_EQ(s.text(18, 5), u"-");
    EXPECT_EQ(s.text(17, 3), u"#rol ") << "no field ROL in this query";
    EXPECT_EQ(s.number(19, 4), 12.5) << "the dashes are left out of the sums";
    EXPECT_EQ(s.number(17, 6), 0.0);
}

TEST_P(BothEngines, MarkerFoundIgnoringCaseAndSpaces)
{
    valdora::xlsx::test::writeListTemplate(templ, u"%NRCRT"_qs, u" #dbf "_qs);
    EngineRun run(GetParam(), dir);
    ASSERT_TRUE(run.open(templ));
    ASSERT_TRUE(run.fill(threeRoles()));
    const Worksheet &s = run.sheet();
    EXPECT_EQ(s.text(19, 2), u"DAN DAN");
    EXPECT_EQ(s.type(17, 7), Cell::Type::Empty);
}

TEST_P(BothEngines, WithoutMarkerOnlyTheHeaderChanges)
{
    valdora::xlsx::test::writeListTemplate(templ, u"%NRCRT"_qs, u"#DB F"_qs);
    EngineRun run(GetParam(), dir);
    ASSERT_TRUE(run.open(templ));
    if (GetParam() == Engine::OLE)
        run.ole.ReplaceAll(u"[UAT]"_qs, u"Valdora"_qs);
    else
        run.model.SetText(u"[UAT]"_qs, u"Valdora"_qs);
    EXPECT_FALSE(run.fill(threeRoles()));
    Workbook wb = Workbook::open(run.finish());
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.text(1, 1), u"Valdora");
    EXPECT_EQ(s.text(17, 2), u"#NUMEP");
    EXPECT_EQ(s.text(17, 7), u"#DB F");
    EXPECT_EQ(s.formula(18, 4), u"SUM(D16:D17)");
    EXPECT_EQ(s.lastRow(), 20);
}

TEST_P(BothEngines, TwoDataRowsFilledInTurnTheUpperFirst)
{
    Workbook wb(u"Foaie"_qs);
    Worksheet &t = wb.sheet(0);
    t.setText(1, 1, u"Cladiri"_qs);
    t.setText(2, 1, u"#NUMEP"_qs);
    t.setText(2, 2, u"#DBF"_qs);
    t.setFormula(3, 1, u"COUNTA(A1:A2)"_qs);
    t.setText(5, 1, u"Auto"_qs);
    t.setText(6, 1, u"#NUMEP"_qs);
    t.setText(6, 2, u"#dbf"_qs);
    t.setFormula(7, 1, u"COUNTA(A5:A6)"_qs);
    wb.save(templ);
    EngineRun run(GetParam(), dir);
    ASSERT_TRUE(run.open(templ));
    RowTable first({{u"NUMEP"_qs, FieldType::String}});
    first.addRow({u"X1"_qs});
    first.addRow({u"X2"_qs});
    RowTable second({{u"NUMEP"_qs, FieldType::String}});
    second.addRow({u"Y1"_qs});
    ASSERT_TRUE(run.fill(first));
    ASSERT_TRUE(run.fill(second));
    EXPECT_FALSE(run.fill(second)) << "no marker left";
    Workbook out = Workbook::open(run.finish());
    const Worksheet &s = out.sheet(0);
    EXPECT_EQ(s.text(2, 1), u"X1");
    EXPECT_EQ(s.text(3, 1), u"X2");
    EXPECT_EQ(s.formula(4, 1), u"COUNTA(A1:A3)");
    EXPECT_EQ(s.number(4, 1), 3.0);
    EXPECT_EQ(s.text(6, 1), u"Auto");
    EXPECT_EQ(s.text(7, 1), u"Y1");
    EXPECT_EQ(s.formula(8, 1), u"COUNTA(A6:A7)");
    EXPECT_EQ(s.number(8, 1), 2.0);
}

TEST_P(BothEngines, FieldTypes)
{
    valdora::xlsx::test::writeListTemplate(templ);
    EngineRun run(GetParam(), dir);
    ASSERT_TRUE(run.open(templ));
    RowTable t({{u"NUMEP"_qs, FieldType::String},
                {u"ROL"_qs, FieldType::Date},
                {u"SUMA"_qs, FieldType::Logical},
                {u"MAJOR"_qs, FieldType::Number}});
    t.addRow({QVariant::fromValue(Currency::fromLei(5)), QDate(2026, 3, 5), true, -2.25});
    t.addRow({u"Ş Ţ ă"_qs, QDate(), false, QVariant::fromValue(Currency::fromRaw(-1))});
    ASSERT_TRUE(run.fill(t));
    const Worksheet &s = run.sheet();
    EXPECT_EQ(s.text(17, 2), u"5") << "a string field writes text";
    EXPECT_EQ(s.number(17, 3), double(dayNumber(QDate(2026, 3, 5)))) << "dates arrive as day numbers";
    EXPECT_EQ(s.number(17, 4), 1.0);
    EXPECT_EQ(s.number(17, 5), -2.25);
    EXPECT_EQ(s.text(18, 2), u"Ş Ţ ă");
    EXPECT_EQ(s.type(18, 3), Cell::Type::Empty) << "an empty date is no number";
    EXPECT_EQ(s.type(18, 4), Cell::Type::Empty);
    EXPECT_EQ(s.cell(18, 5)->value, u"-0.0001");
}

INSTANTIATE_TEST_SUITE_P(Engines, BothEngines, ::testing::Values(Engine::OLE, Engine::Model),
                         [](const auto &info) { return info.param == Engine::OLE ? "TExpXLSOLE" : "TExportXLSModel"; });

TEST(EngineDifferences, NrcrtIsNumberedOnlyByTheModelEngine)
{
    TempDir dir;
    const QString templ = dir.file(u"Lista.xlsx"_qs);
    valdora::xlsx::test::writeListTemplate(templ, u"#NRCRT"_qs);
    EngineRun ole(Engine::OLE, dir);
    ASSERT_TRUE(ole.open(templ));
    ole.fill(threeRoles());
    EngineRun model(Engine::Model, dir);
    ASSERT_TRUE(model.open(templ));
    model.fill(threeRoles());
    for (int k = 1; k <= 3; ++k) {
        EXPECT_EQ(ole.sheet().text(16 + k, 1), u"#NRCRT");
        EXPECT_EQ(model.sheet().number(16 + k, 1), k);
    }
}

TEST(EngineDifferences, PlaceholderInsideALongerCell)
{
    TempDir dir;
    const QString templ = dir.file(u"Lista.xlsx"_qs);
    valdora::xlsx::test::writeListTemplate(templ);
    TExpXLSOLE ole(dir.file(u"tmp"_qs));
    ASSERT_TRUE(ole.OpenTemplate(templ));
    ole.ReplaceAll(u"[UAT]"_qs, u"Comuna Valdora"_qs);
    ole.ReplaceAll(u"[nr]"_qs, 42);
    EXPECT_EQ(ole.sheet().text(1, 1), u"Comuna Valdora");
    EXPECT_EQ(ole.sheet().text(1, 2), u"Lista pentru Comuna Valdora si judet");
    EXPECT_EQ(ole.sheet().number(2, 1), 42.0) << "a whole cell takes the value with its type";

    TExportXLSModel model(dir.file(u"prog"_qs));
    ASSERT_TRUE(model.OpenTemplate(templ));
    model.SetText(u"[UAT]"_qs, u"Comuna Valdora"_qs);
    model.SetNumber(u" [NR] "_qs, 42);
    EXPECT_EQ(model.sheet().text(1, 1), u"Comuna Valdora");
    EXPECT_EQ(model.sheet().text(1, 2), u"Lista pentru [uat] si judet");
    EXPECT_EQ(model.sheet().number(2, 1), 42.0);
}

TEST(EngineDifferences, EmptyQuery)
{
    TempDir dir;
    const QString templ = dir.file(u"Lista.xlsx"_qs);
    valdora::xlsx::test::writeListTemplate(templ);
    RowTable none({{u"NUMEP"_qs, FieldType::String}});
    TExpXLSOLE ole(dir.file(u"tmp"_qs));
    ASSERT_TRUE(ole.OpenTemplate(templ));
    ASSERT_TRUE(ole.FillRows(none));
    EXPECT_EQ(ole.sheet().text(17, 2), u"#NUMEP") << "the data row keeps its field texts";
    EXPECT_EQ(ole.sheet().type(17, 7), Cell::Type::Empty);
    EXPECT_EQ(ole.sheet().formula(18, 4), u"SUM(D16:D17)");

    TExportXLSModel model(dir.file(u"prog"_qs));
    ASSERT_TRUE(model.OpenTemplate(templ));
    ASSERT_TRUE(model.FillRows(none));
    EXPECT_EQ(model.sheet().text(17, 1), u"TOTAL") << "the template row is deleted";
    EXPECT_EQ(model.sheet().formula(17, 4), u"SUM(D16:D16)");
}

TEST(EngineFiles, MissingTemplateAndWhereResultsGo)
{
    TempDir dir;
    const QString templ = dir.file(u"Lista.xlsx"_qs);
    valdora::xlsx::test::writeListTemplate(templ);
    QStringList opened;
    TExpXLSOLE ole(dir.file(u"tmp"_qs));
    ole.setDocumentOpener([&](const QString &p) { opened.push_back(p); });
    EXPECT_FALSE(ole.OpenTemplate(dir.file(u"Lipsa.xlsx"_qs)));
    EXPECT_FALSE(ole.isOpen());
    EXPECT_EQ(ole.Finish(true), QString());
    ASSERT_TRUE(ole.OpenTemplate(templ, false));
    EXPECT_EQ(ole.mode(), TExpXLSOLE::Mode::Native);
    ole.setZeroText(u"-"_qs);
    const QString first = ole.Finish(true);
    EXPECT_EQ(first, dir.file(u"tmp/XLSTmp0.xlsx"_qs));
    EXPECT_EQ(opened, QStringList{first});
    ASSERT_TRUE(ole.OpenTemplate(templ));
    EXPECT_EQ(ole.zeroText(), QString()) << "every open starts with an empty zero text";
    EXPECT_EQ(ole.Finish(false), dir.file(u"tmp/XLSTmp0.xlsx"_qs)) << "a closed result is reused";
    EXPECT_EQ(opened.size(), 1);

    // "Rap" names: the first free or deletable one; a name that cannot be deleted is skipped.
    TExportXLSModel model(dir.file(u"prog"_qs));
    model.setDocumentOpener([&](const QString &p) { opened.push_back(p); });
    QDir().mkpath(dir.file(u"prog/Rap0.xlsx"_qs)); // a folder cannot be deleted as a file
    ASSERT_TRUE(model.OpenTemplate(templ));
    EXPECT_EQ(model.Finish(), dir.file(u"prog/Rap1.xlsx"_qs));
    EXPECT_EQ(opened.back(), dir.file(u"prog/Rap1.xlsx"_qs));
    ASSERT_TRUE(model.OpenTemplate(templ));
    EXPECT_EQ(model.Finish(), dir.file(u"prog/Rap1.xlsx"_qs));
    for (int n = 0; n <= 100; ++n)
        QDir().mkpath(dir.file(QStringLiteral("full/Rap%1.xlsx").arg(n)));
    TExportXLSModel full(dir.file(u"full"_qs));
    full.setDocumentOpener([&](const QString &p) { opened.push_back(p); });
    ASSERT_TRUE(full.OpenTemplate(templ));
    const qsizetype before = opened.size();
    EXPECT_EQ(full.Finish(), QString());
    EXPECT_FALSE(full.isOpen());
    EXPECT_EQ(opened.size(), before) << "nothing is shown";
}

TEST(EngineFiles, AnUnreadableTemplateIsAnError)
{
    TempDir dir;
    const QString bad = valdora::test::writeFile(dir.file(u"NotaPlata.xlsx"_qs), "not a zip");
    TExpXLSOLE ole(dir.file(u"tmp"_qs));
    EXPECT_THROW(ole.OpenTemplate(bad), valdora::Error);
    TExportXLSModel model(dir.file(u"prog"_qs));
    EXPECT_THROW(model.OpenTemplate(bad), valdora::Error);
}

// The payment notes: one notice block copied below itself, a page break above
// every copy, each notice's placeholders and data row filled in turn, unused
// blocks deleted at the end.
TEST(PaymentNotesFlow, BlocksPageBreaksAndFirstReplacements)
{
    TempDir dir;
    const QString templ = dir.file(u"NotaPlata.xlsx"_qs);
    {
        Workbook wb(u"Nota"_qs);
        Worksheet &s = wb.sheet(0);
        s.setText(1, 1, u"[PRIMARIA]"_qs);
        s.setText(1, 5, u"[NRDATA]"_qs);
        s.setText(2, 1, u"Catre [NUMEP]"_qs);
        s.mergeCells({2, 1, 2, 4});
        s.setText(3, 1, u"Denumire"_qs);
        s.setText(4, 1, u"#DENUM"_qs);
        s.setText(4, 2, u"#REST"_qs);
        s.setText(4, 3, u"#CURENT"_qs);
        s.setFormula(4, 4, u"SUM(B4:C4)"_qs);
        s.setText(4, 7, u"#DBF"_qs);
        s.setText(1, 9, u"doar aici"_qs);
        s.setText(5, 1, u"TOTAL GENERAL"_qs);
        s.setFormula(5, 4, u"SUM(D3:D4)"_qs);
        s.setText(6, 5, u"[NRDATA]"_qs);
        s.setRowHeight(6, 30);
        wb.save(templ);
    }
    TExpXLSOLE ole(dir.file(u"tmp"_qs));
    ASSERT_TRUE(ole.OpenTemplate(templ));
    ole.setZeroText(u"-"_qs);
    int idle = 0;
    ole.setIdle([&] { ++idle; });
    const int h = ole.UsedRows();
    ASSERT_EQ(h, 6);
    const int n = 3;
    ole.CopyBlock(1, h, 7, n - 1, h + 1);
    for (int k = 1; k < n; ++k)
        ole.AddPageBreak(k * h + 1);
    EXPECT_EQ(ole.UsedRows(), n * h);
    EXPECT_EQ(idle, n - 1);
    EXPECT_EQ(ole.sheet().text(10, 7), u"#DBF");
    EXPECT_EQ(ole.sheet().text(7, 9), QString()) << "only columns A..G are copied";

    const QList<QList<QPair<QString, int>>> notices{{{u"Cladiri"_qs, 100}, {u"Teren"_qs, 0}}, {{u"Auto"_qs, 50}}};
    int block = 1 - h;
    int number = 7;
    for (const auto &rows : notices) {
        block += h;
        EXPECT_TRUE(ole.ReplaceFirstFrom(u"[PRIMARIA]"_qs, u"Valdora"_qs, block));
        for (int twice = 0; twice < 2; ++twice)
            EXPECT_TRUE(ole.ReplaceFirstFrom(u"[nrdata]"_qs, QStringLiteral("Nr.%1 / 05.03.2026").arg(number), block));
        EXPECT_TRUE(ole.ReplaceFirstFrom(u"[NUMEP]"_qs, QStringLiteral("ROL %1").arg(number), block));
        RowTable t({{u"DENUM"_qs, FieldType::String}, {u"REST"_qs, FieldType::Number}, {u"CURENT"_qs, FieldType::Number}});
        for (const auto &[name, amount] : rows)
            t.addRow({name, amount, 1});
        ASSERT_TRUE(ole.FillRows(t));
        ++number;
        // The notice grew by its extra rows; the next one starts lower.
        block += static_cast<int>(rows.size()) - 1;
    }
    // One block was not used: delete it.
    const int used = ole.UsedRows();
    ole.DeleteRows(used - h + 1, used);
    const QString out = ole.Finish(false);
    Workbook wb = Workbook::open(out);
    const Worksheet &s = wb.sheet(0);
    EXPECT_EQ(s.text(1, 1), u"Valdora");
    EXPECT_EQ(s.text(1, 5), u"Nr.7 / 05.03.2026");
    EXPECT_EQ(s.text(2, 1), u"Catre ROL 7");
    EXPECT_EQ(s.text(4, 1), u"Cladiri");
    EXPECT_EQ(s.text(5, 2), u"-");
    EXPECT_EQ(s.formula(6, 4), u"SUM(D3:D5)");
    EXPECT_EQ(s.number(6, 4), 102.0);
    EXPECT_EQ(s.text(7, 5), u"Nr.7 / 05.03.2026") << "the second [NRDATA] of the first notice";
    EXPECT_EQ(s.rowHeight(7), 30.0);
    // Second notice: rows 8..13.
    EXPECT_EQ(s.text(8, 1), u"Valdora");
    EXPECT_EQ(s.text(8, 5), u"Nr.8 / 05.03.2026");
    EXPECT_EQ(s.text(11, 1), u"Auto");
    EXPECT_EQ(s.formula(12, 4), u"SUM(D10:D11)");
    EXPECT_EQ(s.number(12, 4), 51.0);
    EXPECT_EQ(s.text(13, 5), u"Nr.8 / 05.03.2026");
    EXPECT_EQ(s.rowHeight(13), 30.0);
    EXPECT_EQ(s.lastRow(), 13);
    EXPECT_EQ(s.rowBreaks(), QList<int>{8}) << "the break of the deleted block goes with it";
    EXPECT_EQ(s.mergedCells(), (QList<CellRange>{{2, 1, 2, 4}, {9, 1, 9, 4}}));
}

} // namespace

// The Excel templates the program carries: the catalogue, the compiled-in parts
// against the reviewed ones under templates/xlsx, writing them out, and an
// office's old .xls template.

#include "XlsxTestSupport.h"
#include "support/TempDir.h"

#include "app/core/Error.h"
#include "reports/xlsx/Workbook.h"
#include "reports/xlsx/XlsxTemplates.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace valdora::xlsx;
using valdora::test::TempDir;
using valdora::test::readFile;
using valdora::test::writeFile;

namespace {

QString sourceTemplates()
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + QStringLiteral("/../../../templates/xlsx");
}

TEST(ExcelTemplateCatalogue, NamesFilesAndOrder)
{
    const ExcelTemplate *nota = findExcelTemplate(u"NotaPlata");
    ASSERT_NE(nota, nullptr);
    EXPECT_EQ(nota->resource, u"NOTAPLATA");
    EXPECT_TRUE(nota->editable);
    EXPECT_EQ(nota->fileName, u"NotaPlata.xlsx");
    EXPECT_EQ(nota->legacyFileName, u"NotaPlata.xls");
    EXPECT_EQ(nota->replaces, u"Instiintare.rtf");
    EXPECT_EQ(findExcelTemplate(u"listplat")->resourceType, u"XLS");
    EXPECT_EQ(findExcelTemplate(u"CalculTE")->resource, u"CALCULTE");
    EXPECT_FALSE(findExcelTemplate(u"CalculTE")->editable);
    EXPECT_EQ(findExcelTemplate(u"TITLU"), nullptr) << "an RTF template is not here";
    QStringList editable;
    for (const ExcelTemplate &t : excelTemplates()) {
        if (t.editable)
            editable.push_back(t.fileName);
    }
    EXPECT_EQ(editable, (QStringList{u"NotaPlata.xlsx"_qs, u"BordInstiintari.xlsx"_qs, u"BordSomatii.xlsx"_qs,
                                     u"ListPlat.xlsx"_qs, u"RegCasa.xlsx"_qs, u"Formular1.xlsx"_qs}));
    EXPECT_EQ(excelTemplates().size(), 6 + 2 + 6 + 1 + 22 + 10 + 1);
}

// The program carries exactly the parts kept in the repository: a template
// changed there without "xlsx-templates.py resources" fails here.
TEST(ExcelTemplateResources, CompiledPartsAreTheReviewedOnes)
{
    const QDir source(sourceTemplates());
    if (!source.exists())
        GTEST_SKIP() << "no source tree here";
    initResources();
    int templates = 0;
    for (const QString &name : source.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        if (name != name.toUpper())
            continue;
        ++templates;
        ASSERT_NE(findExcelTemplate(name), nullptr) << name.toStdString() << " is not in the catalogue";
        EXPECT_TRUE(hasBuiltInTemplate(name));
        QStringList files;
        QDirIterator it(source.filePath(name), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (it.hasNext()) {
            const QString path = it.next();
            const QString part = QDir(source.filePath(name)).relativeFilePath(path);
            files.push_back(part);
            EXPECT_EQ(readFile(builtInTemplateFolder(name) + u'/' + part), readFile(path))
                << name.toStdString() << "/" << part.toStdString();
        }
        QStringList compiled;
        QDirIterator r(builtInTemplateFolder(name), QDir::Files | QDir::Hidden, QDirIterator::Subdirectories);
        while (r.hasNext())
            compiled.push_back(QDir(builtInTemplateFolder(name)).relativeFilePath(r.next()));
        files.sort();
        compiled.sort();
        EXPECT_EQ(compiled, files) << name.toStdString();
    }
    EXPECT_GE(templates, 2);
}

TEST(ExcelTemplateResources, EveryCarriedTemplateOpensAndSaves)
{
    TempDir dir;
    int carried = 0;
    for (const ExcelTemplate &t : excelTemplates()) {
        if (!hasBuiltInTemplate(t.resource))
            continue;
        ++carried;
        const QByteArray bytes = builtInTemplate(t.resource);
        EXPECT_TRUE(bytes.startsWith("PK"));
        Workbook wb = Workbook::fromData(bytes);
        EXPECT_GE(wb.sheet(0).lastRow(), 1) << t.resource.toStdString();
        EXPECT_FALSE(wb.toData().isEmpty());
    }
    EXPECT_TRUE(hasBuiltInTemplate(u"CalculTE"));
    EXPECT_TRUE(hasBuiltInTemplate(u"CALCULTI"));
    EXPECT_GE(carried, 2);
    EXPECT_FALSE(hasBuiltInTemplate(u"NECUNOSCUT"));
    EXPECT_THROW(builtInTemplate(u"NECUNOSCUT"), valdora::Error);
    const QString first = writeBuiltInTemplate(u"CALCULTE", dir.path(), u"CalculTE"_qs);
    const QString second = writeBuiltInTemplate(u"CALCULTE", dir.path(), u"CalculTE"_qs);
    EXPECT_EQ(QFileInfo(first).fileName(), u"CalculTE0.xlsx");
    EXPECT_EQ(QFileInfo(second).fileName(), u"CalculTE0.xlsx") << "a closed file is reused";
    EXPECT_EQ(readFile(first), builtInTemplate(u"CALCULTE"));
}

// The database folder's editable templates; the rules hold whether or not the
// program already carries the template's own workbook.
class EditableTemplates : public ::testing::Test {
protected:
    TempDir dir;
    QString db = dir.file(u"Data"_qs);
    QString tmp = dir.file(u"Temp"_qs);
    void SetUp() override { QDir().mkpath(db); }
};

TEST_F(EditableTemplates, OfficeFilesAreNeverReplaced)
{
    writeFile(db + u"/NotaPlata.xlsx"_qs, "edited by the office");
    writeFile(db + u"/Instiintare.rtf"_qs, "old notice");
    const QStringList written = writeEditableTemplates(db);
    for (const QString &p : written)
        EXPECT_TRUE(QFileInfo(p).isFile());
    EXPECT_EQ(readFile(db + u"/NotaPlata.xlsx"_qs), "edited by the office");
    EXPECT_TRUE(QFileInfo::exists(db + u"/Instiintare.rtf"_qs)) << "only writing NotaPlata deletes it";
    const TemplateFile f = editableTemplate(u"NOTAPLATA", db, tmp, {});
    EXPECT_EQ(f.path, db + u"/NotaPlata.xlsx"_qs);
    EXPECT_EQ(f.message, QString());
}

TEST_F(EditableTemplates, LegacyXlsConvertedOnce)
{
    writeFile(db + u"/BordInstiintari.xls"_qs, "BIFF8");
    int calls = 0;
    const XlsConverter fake = [&](const QString &xls, const QString &xlsx) {
        ++calls;
        EXPECT_EQ(xls, db + u"/BordInstiintari.xls"_qs);
        Workbook wb(u"Borderou"_qs);
        wb.sheet(0).setText(1, 1, u"convertit"_qs);
        wb.save(xlsx);
        return true;
    };
    const QStringList written = writeEditableTemplates(db);
    EXPECT_FALSE(written.contains(db + u"/BordInstiintari.xlsx"_qs)) << "left for the conversion";
    TemplateFile f = editableTemplate(u"BORDINS", db, tmp, fake);
    EXPECT_EQ(f.path, db + u"/BordInstiintari.xlsx"_qs);
    EXPECT_EQ(f.message, QString());
    EXPECT_EQ(Workbook::open(f.path).sheet(0).text(1, 1), u"convertit");
    f = editableTemplate(u"BORDINS", db, tmp, fake);
    EXPECT_EQ(calls, 1) << "converted once";
    EXPECT_TRUE(QFileInfo::exists(db + u"/BordInstiintari.xls"_qs)) << "the office's file stays";
}

TEST_F(EditableTemplates, WithoutLibreOfficeTheBuiltInIsUsedAndTheUserTold)
{
    writeFile(db + u"/RegCasa.xls"_qs, "BIFF8");
    TemplateFile f = editableTemplate(u"REGCASA", db, tmp, {});
    EXPECT_TRUE(f.message.contains(u"RegCasa.xls"));
    EXPECT_TRUE(f.message.contains(u"LibreOffice"));
    EXPECT_FALSE(QFileInfo::exists(db + u"/RegCasa.xlsx"_qs));
    if (hasBuiltInTemplate(u"REGCASA"))
        EXPECT_TRUE(f.path.startsWith(tmp));
    else
        EXPECT_EQ(f.path, QString()) << "nothing to fall back on yet";

    // A conversion that fails, or makes something that is no workbook, is not kept.
    const XlsConverter broken = [](const QString &, const QString &xlsx) {
        writeFile(xlsx, "not a workbook");
        return true;
    };
    f = editableTemplate(u"REGCASA", db, tmp, broken);
    EXPECT_TRUE(f.message.contains(u"nu a putut fi convertit"));
    EXPECT_FALSE(QFileInfo::exists(db + u"/RegCasa.xlsx"_qs));
}

TEST_F(EditableTemplates, RealConversionWithLibreOffice)
{
    const XlsConverter lo = libreOfficeConverter();
    if (!lo)
        GTEST_SKIP() << "LibreOffice is not installed";
    // An old-format template, made by LibreOffice from one of ours.
    const QString source = dir.file(u"src/Formular1.xlsx"_qs);
    QDir().mkpath(dir.file(u"src"_qs));
    {
        Workbook wb(u"Instiintare"_qs);
        wb.sheet(0).setText(1, 1, u"[Primaria]"_qs);
        wb.sheet(0).setText(3, 2, u"#DENUM"_qs);
        wb.sheet(0).setText(3, 6, u"#DBF"_qs);
        wb.save(source);
    }
    const QString xls = convertWithLibreOffice(source, u"xls"_qs, db);
    ASSERT_EQ(xls, db + u"/Formular1.xls"_qs);
    const TemplateFile f = editableTemplate(u"FORMULAR1", db, tmp, lo);
    ASSERT_EQ(f.path, db + u"/Formular1.xlsx"_qs) << f.message.toStdString();
    Workbook wb = Workbook::open(f.path);
    EXPECT_EQ(wb.sheet(0).text(1, 1), u"[Primaria]");
    EXPECT_EQ(wb.sheet(0).text(3, 6), u"#DBF");
}

} // namespace

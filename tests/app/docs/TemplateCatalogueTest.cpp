#include "app/core/Error.h"
#include "app/docs/DocumentFiles.h"
#include "app/docs/Resources.h"
#include "app/docs/TemplateCatalogue.h"
#include "support/TempDir.h"
#include "DocsTestSupport.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::docs;
using valdora::test::TempDir;
using valdora::test::readFile;
using valdora::test::writeFile;

namespace {

// The templates folder of the source tree.
QString sourceTemplates(const QString &sub)
{
    return QFileInfo(QStringLiteral(__FILE__)).absolutePath() + "/../../../templates/" + sub;
}

QStringList editableRtfFiles()
{
    QStringList files;
    for (const EditableTemplate &t : editableTemplates())
        if (t.kind == TemplateKind::Rtf)
            files << t.file;
    return files;
}

} // namespace

TEST(TemplateResources, EveryRtfAndPdfOfTheCatalogueIsCompiledIn)
{
    int rtf = 0, pdf = 0;
    for (const EditableTemplate &t : editableTemplates()) {
        if (t.kind == TemplateKind::Excel) {
            EXPECT_FALSE(hasResource(t.resource, t.type)) << "workbooks arrive with their own issue";
            continue;
        }
        const auto bytes = resourceBytes(t.resource, t.type);
        ASSERT_TRUE(bytes) << t.resource.toStdString();
        EXPECT_EQ(*bytes, readFile(sourceTemplates("rtf/" + t.file))) << t.resource.toStdString();
        EXPECT_TRUE(bytes->startsWith("{\\rtf1")) << t.resource.toStdString();
        ++rtf;
    }
    for (const BuiltInTemplate &t : builtInTemplates()) {
        if (t.kind == TemplateKind::Excel)
            continue;
        const auto bytes = resourceBytes(t.resource);
        ASSERT_TRUE(bytes) << t.resource.toStdString();
        if (t.kind == TemplateKind::Pdf) {
            EXPECT_TRUE(bytes->startsWith("%PDF")) << t.resource.toStdString();
            EXPECT_EQ(*bytes, readFile(sourceTemplates("pdf/" + t.resource + ".pdf")));
            ++pdf;
        } else {
            EXPECT_TRUE(bytes->startsWith("{\\rtf1")) << t.resource.toStdString();
            ++rtf;
        }
    }
    EXPECT_EQ(rtf, 15);
    EXPECT_EQ(pdf, 3);
}

TEST(TemplateResources, NamesAreMatchedWithoutRegardToCase)
{
    const auto upper = resourceBytes("TITLU");
    ASSERT_TRUE(upper);
    for (const char *name : {"Titlu", "titlu", "TiTlU"}) {
        const auto b = resourceBytes(name, "model");
        ASSERT_TRUE(b) << name;
        EXPECT_EQ(*b, *upper);
    }
    EXPECT_TRUE(hasResource("cod2016"));
    EXPECT_FALSE(hasResource("TITLU", "XLS"));
    EXPECT_FALSE(hasResource("NOSUCH"));
    EXPECT_FALSE(hasResource(""));
}

TEST(TemplateResources, SaveResourceReplacesTheFileOrThrows)
{
    TempDir dir;
    const QString target = writeFile(dir.file("Aviz.rtf"), "edited");
    SaveResource("aviz", "MODEL", target);
    EXPECT_EQ(readFile(target), *resourceBytes("AVIZ"));

    EXPECT_THROW(SaveResource("NOSUCH", "MODEL", dir.file("x.rtf")), Error);
    EXPECT_FALSE(QFile::exists(dir.file("x.rtf")));
    EXPECT_THROW(SaveResource("AVIZ", "MODEL", dir.file("no/such/folder/Aviz.rtf")), Error);
}

TEST(WriteTemplates, WritesEveryMissingTemplateWithItsDeletions)
{
    TempDir dir;
    writeFile(dir.file("PopAngaj.rtf"), "old version");
    writeFile(dir.file("PopBanca.rtf"), "old version");
    writeFile(dir.file("Instiintare.rtf"), "old notice");
    const QStringList written = WriteTemplates(dir.path());
    EXPECT_EQ(written, editableRtfFiles());
    for (const EditableTemplate &t : editableTemplates()) {
        if (t.kind == TemplateKind::Rtf) {
            EXPECT_EQ(readFile(dir.file(t.file)), *resourceBytes(t.resource)) << t.file.toStdString();
        }
    }
    EXPECT_FALSE(QFile::exists(dir.file("PopAngaj.rtf")));
    EXPECT_FALSE(QFile::exists(dir.file("PopBanca.rtf")));
    // The payment note is a workbook not carried yet: it is not written, so the
    // notice it replaces stays.
    EXPECT_FALSE(QFile::exists(dir.file("NotaPlata.xls")));
    EXPECT_TRUE(QFile::exists(dir.file("Instiintare.rtf")));

    EXPECT_TRUE(WriteTemplates(dir.path()).isEmpty());
}

TEST(WriteTemplates, NeverOverwritesAnEditedTemplate)
{
    TempDir dir;
    WriteTemplates(dir.path());
    writeFile(dir.file("Titlu.rtf"), "{\\rtf1 edited by the office}");
    writeFile(dir.file("NotaPlata.xls"), "edited workbook");
    QFile::remove(dir.file("Aviz.rtf"));
    EXPECT_EQ(WriteTemplates(dir.path()), QStringList{"Aviz.rtf"});
    EXPECT_EQ(readFile(dir.file("Titlu.rtf")), "{\\rtf1 edited by the office}");
    EXPECT_EQ(readFile(dir.file("NotaPlata.xls")), "edited workbook");
}

TEST(WriteTemplates, MissingLegalPersonCertificateRewritesBothCertificates)
{
    TempDir dir;
    WriteTemplates(dir.path());
    writeFile(dir.file("CFiscal4.rtf"), "{\\rtf1 edited natural-person certificate}");
    writeFile(dir.file("CFiscalPJ.rtf"), "{\\rtf1 edited legal-person certificate}");
    EXPECT_TRUE(WriteTemplates(dir.path()).isEmpty());

    QFile::remove(dir.file("CFiscalPJ.rtf"));
    EXPECT_EQ(WriteTemplates(dir.path()), (QStringList{"CFiscalPJ.rtf", "CFiscal4.rtf"}));
    EXPECT_EQ(readFile(dir.file("CFiscalPJ.rtf")), *resourceBytes("CFISCALPJ"));
    EXPECT_EQ(readFile(dir.file("CFiscal4.rtf")), *resourceBytes("CFISCAL"));
}

TEST(WriteTemplates, AnOlderFileStillOpenIsLeftAlone)
{
    TempDir dir;
    writeFile(dir.file("PopAngaj.rtf"), "old version");
    writeFile(officeLockFile(dir.file("PopAngaj.rtf")), "lock");
    WriteTemplates(dir.path());
    EXPECT_TRUE(QFile::exists(dir.file("PopAngaj2.rtf")));
    EXPECT_EQ(readFile(dir.file("PopAngaj.rtf")), "old version");
}

TEST(WriteTemplates, AFailedWriteReachesTheCaller)
{
    TempDir dir;
    EXPECT_THROW(WriteTemplates(dir.file("no/such/folder")), Error);
}

TEST(BuiltInTemplates, WrittenAfreshToAUniqueTemporaryFile)
{
    TempDir dir;
    const QString temp = dir.file("Temp");
    const QString first = writeBuiltInTemplate("Chitanta", temp);
    EXPECT_EQ(QFileInfo(first).absolutePath(), QFileInfo(temp).absoluteFilePath());
    EXPECT_TRUE(first.endsWith(".rtf"));
    EXPECT_EQ(readFile(first), *resourceBytes("CHITANTA"));
    writeFile(first, "filled last time");
    const QString second = writeBuiltInTemplate("CHITANTA", temp);
    EXPECT_EQ(readFile(second), *resourceBytes("CHITANTA"));
    EXPECT_THROW(writeBuiltInTemplate("NOSUCH", temp), Error);
}

TEST(DocumentFiles, MissingIsToldApartFromInUse)
{
    TempDir dir;
    EXPECT_EQ(removeDocument(dir.file("a.rtf")), Removal::Missing);
    writeFile(dir.file("a.rtf"), "x");
    writeFile(officeLockFile(dir.file("a.rtf")), "lock");
    EXPECT_EQ(officeLockFile(dir.file("a.rtf")), dir.file(".~lock.a.rtf#"));
    EXPECT_TRUE(fileInUse(dir.file("a.rtf")));
    EXPECT_EQ(removeDocument(dir.file("a.rtf")), Removal::InUse);
    EXPECT_TRUE(QFile::exists(dir.file("a.rtf")));
    QFile::remove(officeLockFile(dir.file("a.rtf")));
    EXPECT_EQ(removeDocument(dir.file("a.rtf")), Removal::Removed);
    EXPECT_FALSE(QFile::exists(dir.file("a.rtf")));
}

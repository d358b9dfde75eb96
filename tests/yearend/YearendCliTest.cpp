#include "app/db/DbFixture.h"
#include "support/Cli.h"
#include "support/TempDir.h"
#include "yearend/YearendSupport.h"

#include <QJsonArray>
#include <QJsonObject>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::test;

namespace {

struct CliFixture : ProgramFixture {
    TempDir out;
    CliFixture()
    {
        start();
        auto d = db();
        fillAllTables(*d);
        writeFile(dataFolder() + "/s.mpg", QByteArray(100, 'u'));
        writeFile(dataFolder() + "/Titlu.rtf", "{\\rtf1 }");
    }
};

} // namespace

TEST(YearendCli, LegacyFolderAndArchiveRoundTrips)
{
    CliFixture f;
    const QString legacy = f.out.file("legacy");
    CliResult r = runCli({"--data", f.dataFolder(), "export-legacy", legacy});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["tables"].toObject()["Gospodar"].toInt(), 3);
    EXPECT_EQ(r.json["tables"].toObject().size(), qsizetype(schema::tables().size()));
    EXPECT_EQ(r.json["files"].toArray(), (QJsonArray{"Valdora.set", "s.mpg"}));
    EXPECT_TRUE(QFileInfo::exists(legacy + "/AutoDet.dbf"));

    const QString imported = f.out.file("imported");
    r = runCli({"--data", imported, "import-legacy", legacy});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["tables"].toObject()["Datorii"].toInt(), 3);
    EXPECT_TRUE(r.json["missingTables"].toArray().isEmpty());
    {
        auto original = f.db();
        Database copy(imported);
        expectSameRows(*original, copy);
    }

    const QString archive = f.out.file("copie.w26");
    r = runCli({"--data", f.dataFolder(), "backup", archive});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    QStringList names;
    for (const QJsonValue &v : r.json["files"].toArray())
        names << v["name"].toString();
    EXPECT_TRUE(names.contains("Titlu.rtf"));
    EXPECT_TRUE(names.contains("Gospodar.dbf"));
    EXPECT_FALSE(names.contains("Valdora.db"));
    std::vector<RawEntry> entries;
    std::string why;
    EXPECT_TRUE(readRawArchive(readFile(archive), entries, why)) << why;

    // An existing archive is kept unless asked to replace it.
    r = runCli({"--data", f.dataFolder(), "backup", archive});
    EXPECT_EQ(r.exitCode, 1);
    r = runCli({"--data", f.dataFolder(), "backup", archive, "--replace", "DA"});
    EXPECT_EQ(r.exitCode, 0) << r.err.toStdString();

    const QString restored = f.out.file("restored");
    const QString bak = f.out.file("bak");
    r = runCli({"--data", restored, "restore", archive, "--databak", bak});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["placed"].toArray().first().toString(), "Valdora.db");
    EXPECT_EQ(readFile(restored + "/Titlu.rtf"), "{\\rtf1 }");
    {
        auto original = f.db();
        Database copy(restored);
        expectSameRows(*original, copy);
    }
}

TEST(YearendCli, RefusalsChangeNothing)
{
    CliFixture f;
    // Saving into the database folder.
    CliResult r = runCli({"--data", f.dataFolder(), "backup", f.dataFolder() + "/copie.w26"});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.contains("Nu puteti salva aici!")) << r.err.toStdString();
    EXPECT_FALSE(QFileInfo::exists(f.dataFolder() + "/copie.w26"));

    // A truncated archive.
    const QString archive = f.out.file("copie.w26");
    ASSERT_EQ(runCli({"--data", f.dataFolder(), "backup", archive}).exitCode, 0);
    writeFile(archive, readFile(archive).left(2000));
    const QByteArray db = readFile(f.dataFolder() + "/Valdora.db");
    r = runCli({"--data", f.dataFolder(), "restore", archive, "--databak", f.out.file("bak")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_TRUE(r.err.startsWith("Restaurare esuata!")) << r.err.toStdString();
    EXPECT_EQ(readFile(f.dataFolder() + "/Valdora.db"), db);
    EXPECT_FALSE(QFileInfo::exists(f.out.file("bak")));

    // Exporting into a folder that is not empty.
    writeFile(f.out.file("busy/x.txt"), "x");
    r = runCli({"--data", f.dataFolder(), "export-legacy", f.out.file("busy")});
    EXPECT_EQ(r.exitCode, 1);
    EXPECT_EQ(QDir(f.out.file("busy")).entryList(QDir::Files), QStringList{"x.txt"});

    // Usage errors.
    EXPECT_EQ(runCli({"--data", f.dataFolder(), "backup"}).exitCode, 2);
    EXPECT_EQ(runCli({"--data", f.dataFolder(), "import-legacy"}).exitCode, 2);
}

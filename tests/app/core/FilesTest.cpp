#include "app/core/Folders.h"
#include "app/core/TempNames.h"
#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <gtest/gtest.h>

using namespace valdora;
using valdora::test::TempDir;
using valdora::test::readFile;
using valdora::test::writeFile;

TEST(TempNames, FirstFreeOrDeletableName)
{
    TempDir dir;
    TempNames names(dir.path() + "/Temp");
    const QString first = names.temporaryFile("ImpTmp", ".dbf");
    EXPECT_EQ(first, dir.path() + "/Temp/ImpTmp0.dbf");
    writeFile(first, "x");
    // A leftover that can be deleted is reused.
    EXPECT_EQ(names.temporaryFile("ImpTmp", ".dbf"), first);
    EXPECT_FALSE(QFile::exists(first));
}

TEST(TempNames, AllNamesHeldGivesEmpty)
{
    TempDir dir;
    const QString temp = dir.path() + "/Temp";
    // A folder under the name cannot be removed as a file, so the name is held.
    for (int n = 0; n <= 100; ++n)
        QDir().mkpath(temp + "/R" + QString::number(n) + ".rtf/x");
    EXPECT_EQ(TempNames(temp).temporaryFile("R", ".rtf"), "");
}

TEST(TempNames, SubfolderIsEmptiedAndMoveAndRemoveWork)
{
    TempDir dir;
    TempNames names(dir.path() + "/Temp");
    const QString sub = names.temporarySubfolder("Arh");
    EXPECT_EQ(sub, dir.path() + "/Temp/Arh0");
    writeFile(sub + "/old.txt", "old");
    EXPECT_EQ(names.temporarySubfolder("Arh"), sub);
    EXPECT_FALSE(QFile::exists(sub + "/old.txt"));

    const QByteArray payload(5000, 'z');
    writeFile(sub + "/a.bin", payload);
    writeFile(sub + "/b.bin", "previous");
    EXPECT_TRUE(moveFile(sub + "/a.bin", sub + "/b.bin"));
    EXPECT_EQ(readFile(sub + "/b.bin"), payload);
    EXPECT_FALSE(QFile::exists(sub + "/a.bin"));
    EXPECT_FALSE(moveFile(sub + "/missing.bin", sub + "/c.bin"));
    EXPECT_FALSE(QFile::exists(sub + "/c.bin"));

    EXPECT_TRUE(removeFolder(dir.path() + "/Temp"));
    EXPECT_FALSE(QDir(dir.path() + "/Temp").exists());
    EXPECT_TRUE(removeFolder(dir.path() + "/never-there"));
}

TEST(Folders, LayoutUnderTheProgramFolder)
{
    TempDir dir;
    const Folders f = Folders::under(dir.path() + "/");
    EXPECT_EQ(f.program, dir.path());
    EXPECT_EQ(f.localData, dir.path() + "/Data");
    EXPECT_EQ(f.database, f.localData);
    EXPECT_EQ(f.temp, dir.path() + "/Temp");
    EXPECT_EQ(f.tmpSql, dir.path() + "/TmpSQL");
    EXPECT_TRUE(f.create());
    EXPECT_TRUE(QDir(f.localData).exists() && QDir(f.temp).exists() && QDir(f.tmpSql).exists());
    EXPECT_EQ(Folders::programFolderOf(dir.path()), dir.path());
}

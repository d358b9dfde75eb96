#include "app/db/DbFixture.h"
#include "app/db/DbfReader.h"
#include "app/db/DbfWriter.h"
#include "support/TempDir.h"
#include "yearend/YearendSupport.h"
#include "yearend/store/LegacyFolder.h"

#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::test;
using namespace valdora::yearend;

namespace {

struct Filled : ProgramFixture {
    std::unique_ptr<Database> database;
    Filled()
    {
        start();
        database = db();
        fillAllTables(*database);
        writeFile(dataFolder() + "/s.mpg", QByteArray(100, 'u'));
    }
};

QStringList namesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

std::string failure(const std::function<void()> &f)
{
    try {
        f();
    } catch (const Error &e) {
        return e.message().toStdString();
    }
    return "no error";
}

} // namespace

TEST(LegacyFolder, DatabaseToFolderToNewDatabaseKeepsEveryRow)
{
    Filled f;
    TempDir out;
    const QString legacy = out.file("legacy");
    const LegacyExport ex = exportLegacyFolder(*f.database, f.dataFolder(), legacy, QDate(2026, 3, 2));
    ASSERT_EQ(ex.tables.size(), schema::tables().size());
    for (const TableRows &t : ex.tables)
        EXPECT_EQ(t.rows, f.database->count(t.table)) << t.table.toStdString();
    EXPECT_TRUE(ex.skippedTables.isEmpty());
    EXPECT_EQ(ex.files, (QStringList{"Valdora.set", "s.mpg"}));
    EXPECT_EQ(readFile(legacy + "/s.mpg"), readFile(f.dataFolder() + "/s.mpg"));
    EXPECT_EQ(readFile(legacy + "/Valdora.set"), readFile(f.dataFolder() + "/Valdora.set"));
    // Nothing but the folder itself is left beside it.
    EXPECT_EQ(namesIn(out.path()), QStringList{"legacy"});

    // Every table has exactly the catalogue's layout: name, order, types, widths.
    for (const TableDef &t : schema::tables()) {
        dbf::DbfReader r(legacy + u'/' + t.name + ".dbf");
        EXPECT_EQ(r.fields(), dbfFields(t)) << t.name.toStdString();
        EXPECT_FALSE(r.header().productionIndex);
        EXPECT_EQ(r.header().languageDriver, dbf::LanguageDriverCp1250);
    }
    const std::vector<dbf::Field> autoDet = dbfFields(schema::require("AutoDet"));
    EXPECT_EQ(autoDet[2], dbf::Field::character("NrDos", 18));
    EXPECT_EQ(autoDet[10], dbf::Field::numeric("Valoare", 10, 2));

    TempDir target;
    const LegacyImport im = importLegacyFolder(legacy, target.path());
    EXPECT_TRUE(im.missingTables.isEmpty()) << im.missingTables.join(",").toStdString();
    EXPECT_TRUE(im.unknownTables.isEmpty());
    EXPECT_TRUE(im.unknownColumns.isEmpty());
    EXPECT_TRUE(im.addedColumns.isEmpty());
    EXPECT_TRUE(im.warnings.isEmpty()) << im.warnings.join(",").toStdString();
    EXPECT_EQ(im.files, (QStringList{"Valdora.set", "s.mpg"}));
    EXPECT_EQ(namesIn(target.path()), (QStringList{"Valdora.db", "Valdora.set", "s.mpg"}));

    Database copy(target.path());
    expectSameRows(*f.database, copy);
    // The comma-below letters come back as the cedilla ones, the rest exactly.
    EXPECT_EQ(copy.scalar("SELECT NUMEP FROM Gospodar WHERE rowid=1").toString(),
              toCedillaForm(f.database->scalar("SELECT NUMEP FROM Gospodar WHERE rowid=1").toString()));
    EXPECT_TRUE(copy.scalar("SELECT NUMEP FROM Gospodar WHERE rowid=1").toString().contains(QString::fromUtf8("ş ţ")));
    EXPECT_TRUE(copy.scalar("SELECT DATAEVAL FROM Pag2 WHERE rowid=3").isNull());
    EXPECT_EQ(copy.scalar("SELECT L1A FROM Pag1 WHERE rowid=1").toDouble(), 999.9999);
}

TEST(LegacyFolder, ExportRefusesAFolderThatIsNotEmptyAndValuesThatDoNotFit)
{
    Filled f;
    TempDir out;
    writeFile(out.file("busy/old.txt"), "x");
    EXPECT_NE(failure([&] { exportLegacyFolder(*f.database, f.dataFolder(), out.file("busy")); }).find("nu este gol"),
              std::string::npos);
    EXPECT_EQ(namesIn(out.file("busy")), QStringList{"old.txt"});

    // The database allows -999999 in DECIMAL(6,0); a dBase N(6,0) cannot hold it and it is never cut.
    f.database->exec("UPDATE SoldCalc SET SUMA=-999999 WHERE rowid=2");
    const std::string m = failure([&] { exportLegacyFolder(*f.database, f.dataFolder(), out.file("new")); });
    EXPECT_NE(m.find("SoldCalc.dbf"), std::string::npos) << m;
    EXPECT_NE(m.find("inregistrarea 2"), std::string::npos) << m;
    EXPECT_NE(m.find("SUMA"), std::string::npos) << m;
    EXPECT_EQ(namesIn(out.path()), QStringList{"busy"});

    // A letter code page 1250 does not have is refused the same way.
    f.database->exec("UPDATE SoldCalc SET SUMA=0");
    f.database->exec("UPDATE Gospodar SET NUMEP=? WHERE rowid=3", {QString::fromUtf8("Иван")});
    const std::string m2 = failure([&] { exportLegacyFolder(*f.database, f.dataFolder(), out.file("new")); });
    EXPECT_NE(m2.find("Gospodar.dbf"), std::string::npos) << m2;
    EXPECT_NE(m2.find("NUMEP"), std::string::npos) << m2;
    EXPECT_EQ(namesIn(out.path()), QStringList{"busy"});
}

TEST(LegacyFolder, ImportBringsAnOlderLayoutUpToTheCatalogue)
{
    TempDir src;
    // A vehicle table from before the Euro columns, lower-case file name and
    // field names, a cash register with 6-digit amounts, an unknown field and
    // an unknown table, a deleted record.
    {
        dbf::DbfWriter w(src.file("autodet.DBF"),
                         {dbf::Field::numeric("IDGOS", 10), dbf::Field::numeric("iddeta", 10),
                          dbf::Field::character("TipAuto", 100), dbf::Field::character("EXTRA", 5)},
                         QDate(2019, 1, 1));
        w.append({7, 70, QStringLiteral("Autoturism"), QStringLiteral("x")});
        w.append({8, 80, QStringLiteral("Sters"), QStringLiteral("y")}, true);
        w.finish();
    }
    {
        dbf::DbfWriter w(src.file("RegCasa.dbf"),
                         {dbf::Field::numeric("IDRC", 10), dbf::Field::date("DATAI"), dbf::Field::numeric("PLATIT", 6),
                          dbf::Field::numeric("INCASAT", 6)});
        w.append({1, QDate(2025, 5, 6), 999999, -99999});
        w.finish();
    }
    {
        dbf::DbfWriter w(src.file("Pag5.dbf"), {dbf::Field::numeric("IDGOS", 10)});
        w.append({1});
        w.finish();
    }
    writeFile(src.file("Valdora.set"), "[SERVER]\nIDGOS=9\n");
    writeFile(src.file("Gospodar.mdx"), "index");
    writeFile(src.file("gol.txt"), "");

    TempDir target;
    const LegacyImport r = importLegacyFolder(src.path(), target.path());
    EXPECT_EQ(r.unknownTables, QStringList{"Pag5.dbf"});
    EXPECT_EQ(r.unknownColumns, QStringList{"AutoDet.EXTRA"});
    EXPECT_TRUE(r.addedColumns.contains("AutoDet.Euro"));
    EXPECT_TRUE(r.addedColumns.contains("AutoDet.Scutit"));
    EXPECT_TRUE(r.addedColumns.contains("RegCasa.DOCJUS"));
    EXPECT_EQ(r.deletedRecords, 1);
    EXPECT_TRUE(r.missingTables.contains("Gospodar"));
    EXPECT_EQ(r.files, (QStringList{"Pag5.dbf", "Valdora.set"}));

    Database db(target.path());
    EXPECT_EQ(db.count("AutoDet"), 1);
    // The values the upgrade gives the columns it adds.
    EXPECT_EQ(db.scalar("SELECT Euro FROM AutoDet").toLongLong(), 0);
    EXPECT_EQ(db.scalar("SELECT Inmatric FROM AutoDet").toLongLong(), 1);
    EXPECT_EQ(db.scalar("SELECT Valoare FROM AutoDet").toLongLong(), 0);
    EXPECT_EQ(db.scalar("SELECT Scutit FROM AutoDet").toString(), "");
    EXPECT_EQ(db.scalar("SELECT TipAuto FROM AutoDet").toString(), "Autoturism");
    EXPECT_EQ(db.declaredType("RegCasa", "PLATIT"), "DECIMAL(8,0)");
    EXPECT_EQ(db.scalar("SELECT PLATIT FROM RegCasa").toLongLong(), 999999);
    EXPECT_EQ(db.scalar("SELECT INCASAT FROM RegCasa").toLongLong(), -99999);
    EXPECT_EQ(readDate(db.scalar("SELECT DATAI FROM RegCasa")), QDate(2025, 5, 6));
    EXPECT_EQ(readFile(target.file("Valdora.set")), "[SERVER]\nIDGOS=9\n");
    EXPECT_FALSE(QFileInfo::exists(target.file("Gospodar.mdx")));
    EXPECT_FALSE(QFileInfo::exists(target.file("gol.txt")));
}

TEST(LegacyFolder, AnImportThatFailsLeavesTheTargetUntouched)
{
    struct Case {
        const char *what;
        std::function<void(const TempDir &)> make;
        const char *mentions;
    };
    const std::vector<Case> cases = {
        {"a text too long for the catalogue",
         [](const TempDir &d) {
             dbf::DbfWriter w(d.file("Gospodar.dbf"), {dbf::Field::numeric("IDGOS", 10), dbf::Field::character("ROL", 20)});
             w.append({1, QStringLiteral("12")});
             w.append({2, QStringLiteral("1234567890")});
             w.finish();
         },
         "inregistrarea 2"},
        {"a number too large for the catalogue",
         [](const TempDir &d) {
             dbf::DbfWriter w(d.file("SoldCalc.dbf"), {dbf::Field::numeric("IDRES", 10), dbf::Field::numeric("SUMA", 10)});
             w.append({1, 5});
             w.append({2, 6});
             w.append({3, 1234567});
             w.finish();
         },
         "inregistrarea 3"},
        {"text where the catalogue has a number",
         [](const TempDir &d) {
             dbf::DbfWriter w(d.file("Pag7.dbf"), {dbf::Field::character("IDGOS", 10)});
             w.append({QStringLiteral("doi")});
             w.finish();
         },
         "Pag7.dbf, inregistrarea 1"},
        {"a truncated table",
         [](const TempDir &d) {
             dbf::DbfWriter w(d.file("Datorii.dbf"), {dbf::Field::numeric("IDDAT", 10)});
             w.append({1});
             w.append({2});
             w.finish();
             writeFile(d.file("Datorii.dbf"), readFile(d.file("Datorii.dbf")).left(32 + 32 + 1 + 11 + 4));
         },
         "trunchiat"},
        {"a memo field in a catalogue column",
         [](const TempDir &d) {
             {
                 dbf::DbfWriter w(d.file("Ini.dbf"), {dbf::Field::character("NUME", 10), dbf::Field::character("VALOARE", 10)});
                 w.append({QStringLiteral("a"), QStringLiteral("b")});
                 w.finish();
             }
             QByteArray b = readFile(d.file("Ini.dbf"));
             b[32 + 32 + 11] = 'M';
             writeFile(d.file("Ini.dbf"), b);
         },
         "nu poate fi citit"},
        {"one table in two files",
         [](const TempDir &d) {
             for (const char *n : {"Log.dbf", "LOG.DBF"}) {
                 dbf::DbfWriter w(d.file(QString::fromLatin1(n)), {dbf::Field::character("ORA", 12)});
                 w.finish();
             }
         },
         "doua fisiere"},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        Filled f;
        f.database.reset();
        TempDir src;
        {
            dbf::DbfWriter w(src.file("CODCL.dbf"), {dbf::Field::numeric("IDCOD", 10), dbf::Field::character("GRUPA", 60)});
            w.append({1, QStringLiteral("Salubritate")});
            w.finish();
        }
        writeFile(src.file("Valdora.set"), "[SERVER]\nIDGOS=1\n");
        c.make(src);
        std::map<QString, QByteArray> before;
        for (const QString &n : namesIn(f.dataFolder()))
            before[n] = readFile(f.dataFolder() + u'/' + n);

        const std::string m = failure([&] { importLegacyFolder(src.path(), f.dataFolder()); });
        EXPECT_NE(m.find(c.mentions), std::string::npos) << m;
        std::map<QString, QByteArray> after;
        for (const QString &n : namesIn(f.dataFolder()))
            after[n] = readFile(f.dataFolder() + u'/' + n);
        EXPECT_TRUE(before == after) << "the target changed: " << namesIn(f.dataFolder()).join(",").toStdString();
    }
}

TEST(LegacyFolder, ImportReplacesAnExistingDatabaseAndRetiresItsJournal)
{
    Filled f;
    TempDir out;
    exportLegacyFolder(*f.database, f.dataFolder(), out.file("legacy"));
    f.database->exec("DELETE FROM Gospodar");
    f.database.reset();
    // A journal left by a crash must not be applied to the new file.
    writeFile(f.dataFolder() + "/Valdora.db-journal", QByteArray(512, 'j'));

    importLegacyFolder(out.file("legacy"), f.dataFolder());
    EXPECT_FALSE(QFileInfo::exists(f.dataFolder() + "/Valdora.db-journal"));
    Database db(f.dataFolder());
    EXPECT_EQ(db.count("Gospodar"), 3);
    for (const QString &n : namesIn(f.dataFolder()))
        EXPECT_FALSE(n.startsWith(".import")) << n.toStdString();
}

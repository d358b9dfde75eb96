#include "app/db/DbFixture.h"
#include "app/db/Rows.h"
#include "app/db/Schema.h"
#include "app/db/SchemaSetup.h"

#include <QSqlQuery>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::test;

namespace {
QMap<QString, qint64> rowCounts(Database &db)
{
    QMap<QString, qint64> m;
    for (const QString &t : db.tables())
        m[t] = db.count(t);
    return m;
}
} // namespace

TEST(SchemaSetup, AnEmptyFolderGetsEveryTableAndTheTwelveGroups)
{
    ProgramFixture p;
    const StartupState st = p.start();
    EXPECT_EQ(st.createdTables, schema::creationOrder());
    EXPECT_EQ(st.createdTables.size(), 25);
    EXPECT_TRUE(st.emptyDatabase);
    auto db = p.db();
    for (const QString &t : schema::creationOrder()) {
        ASSERT_TRUE(db->hasTable(t)) << t.toStdString();
        EXPECT_EQ(db->columns(t), schema::require(t).columnNames()) << t.toStdString();
    }
    QSqlQuery q = db->exec("SELECT IDCOD, GRUPA, CODCLF, CODCLJ, TIP FROM CODCL ORDER BY IDCOD");
    int n = 0;
    while (q.next()) {
        ++n;
        EXPECT_EQ(q.value(0).toInt(), n);
        EXPECT_EQ(q.value(1).toString(), QString::fromLatin1(schema::defaultGroups()[n - 1].name));
        EXPECT_EQ(q.value(2).toString(), "");
        EXPECT_EQ(q.value(4).toString(), n <= 4 ? "I" : "T");
    }
    EXPECT_EQ(n, 12);
    // Every counter starts at 1, IDCOD after the twelve groups.
    const SettingsFile s = p.settings();
    for (const auto &c : schema::reseededCounters())
        EXPECT_EQ(s.read("SERVER", c.column), QString(c.column == QLatin1String("IDCOD") ? "13" : "1")) << c.column;
    EXPECT_EQ(s.read("CONST", "VER26"), "1.0017");
    EXPECT_GT(db->count("Ini"), 250);
    EXPECT_EQ(db->scalar("SELECT VALOARE FROM Ini WHERE NUME='CotaCNPF'").toString(), "0.4");
    EXPECT_EQ(db->scalar("SELECT VALOARE FROM Ini WHERE NUME='RedTI'").toString(), "10");
}

TEST(SchemaSetup, ASecondStartChangesNothing)
{
    ProgramFixture p;
    p.start();
    QMap<QString, qint64> before;
    QByteArray settingsBefore;
    {
        auto db = p.db();
        before = rowCounts(*db);
        settingsBefore = readFile(p.settings().path());
    }
    const StartupState again = p.start();
    EXPECT_TRUE(again.createdTables.isEmpty());
    EXPECT_TRUE(again.upgrades.isEmpty());
    EXPECT_FALSE(again.maintenanceDue);
    auto db = p.db();
    EXPECT_EQ(rowCounts(*db), before);
    EXPECT_EQ(readFile(p.settings().path()), settingsBefore);
}

TEST(SchemaSetup, OldVehicleTableGainsItsColumnsOnce)
{
    ProgramFixture p;
    p.start();
    {
        auto db = p.db();
        // The layout of an older edition: no Euro .. Valoare, no Scutit.
        db->exec("DROP TABLE AutoDet");
        db->exec("CREATE TABLE AutoDet (IDGOS DECIMAL(10,0) NOT NULL DEFAULT 0, IDDETA DECIMAL(10,0) NOT NULL DEFAULT 0, "
                 "TipAuto CHAR(100) NOT NULL DEFAULT '')");
        db->exec("INSERT INTO AutoDet (IDGOS, IDDETA, TipAuto) VALUES (7, 1, 'Autoturisme')");
    }
    const StartupState st = p.start();
    EXPECT_TRUE(st.upgrades.contains("AutoDet Euro"));
    EXPECT_TRUE(st.upgrades.contains("AutoDet Scutit"));
    auto db = p.db();
    QSqlQuery q = db->exec("SELECT Euro, HIBpeste50, NrInmat, Inmatric, Valoare, Scutit FROM AutoDet");
    ASSERT_TRUE(q.next());
    EXPECT_EQ(q.value(0).toInt(), 0);
    EXPECT_EQ(q.value(1).toString(), "");
    EXPECT_EQ(q.value(2).toString(), "");
    EXPECT_EQ(q.value(3).toInt(), 1);
    EXPECT_EQ(q.value(4).toDouble(), 0.0);
    EXPECT_EQ(q.value(5).toString(), "");
    // The added columns keep their width checks.
    EXPECT_THROW(db->exec("UPDATE AutoDet SET NrInmat='1234567890123'"), DbError);
    db.reset();
    EXPECT_TRUE(p.start().upgrades.isEmpty());
}

TEST(SchemaSetup, OlderLayoutsAreUpgraded)
{
    ProgramFixture p;
    p.start();
    {
        auto db = p.db();
        db->exec("CREATE TABLE Pag5 (IDGOS DECIMAL(10,0))");
        db->exec("DROP TABLE RegCasa");
        db->exec("CREATE TABLE RegCasa (IDRC DECIMAL(10,0), DATAI DATE, DOCJUS CHAR(50), NR DECIMAL(10,0), "
                 "INCANUME CHAR(32), PLATIT DECIMAL(6,0), INCASAT DECIMAL(6,0))");
        db->exec("INSERT INTO RegCasa VALUES (4, '2026-02-01', 'Dispozitie', 12, 'ION', 150, 999999)");
        db->exec("DROP TABLE Ini");
    }
    SettingsFile s = p.settings();
    s.write("CONST", "VER26", "1.0001");
    const StartupState st = p.start();
    EXPECT_TRUE(st.createdTables.contains("Ini"));
    EXPECT_TRUE(st.upgrades.contains("Ini refacut"));
    EXPECT_EQ(p.settings().read("CONST", "VER26"), "1.0017");
    auto db = p.db();
    EXPECT_FALSE(db->hasTable("Pag5"));
    EXPECT_EQ(db->declaredType("RegCasa", "PLATIT"), "DECIMAL(8,0)");
    EXPECT_EQ(db->declaredType("RegCasa", "INCASAT"), "DECIMAL(8,0)");
    EXPECT_EQ(db->scalar("SELECT INCASAT FROM RegCasa WHERE IDRC=4").toLongLong(), 999999);
    db->exec("UPDATE RegCasa SET INCASAT=12345678");
    EXPECT_GT(db->count("Ini"), 250);
}

TEST(SchemaSetup, VersionStepRebuildsOnlyOldDatabases)
{
    ProgramFixture p;
    p.start();
    {
        auto db = p.db();
        db->exec("UPDATE Ini SET VALOARE='Comuna Test' WHERE NUME='PrimariaLab'");
    }
    p.settings().write("CONST", "VER26", "1.0005");
    const StartupState st = p.start();
    EXPECT_FALSE(st.upgrades.contains("Ini refacut"));
    EXPECT_EQ(st.admin.text("PrimariaLab"), "Comuna Test");
}

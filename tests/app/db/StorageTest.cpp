#include "app/db/ActionLog.h"
#include "app/db/DbFixture.h"
#include "app/db/Maintenance.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"
#include "support/Cli.h"

#include <QSqlQuery>
#include <QtConcurrent/QtConcurrent>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::test;

TEST(Storage, ValuesThatDoNotFitAreRefusedBeforeAnythingIsWritten)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    insertRow(*db, "SoldCalc", {{"IDRES", 1}, {"IDGOS", 1}, {"SUMA", 999999}});
    try {
        insertRow(*db, "SoldCalc", {{"IDRES", 2}, {"IDGOS", 1}, {"SUMA", 1000000}});
        FAIL() << "expected a refusal";
    } catch (const Error &e) {
        EXPECT_TRUE(e.message().contains("SUMA")) << e.message().toStdString();
        EXPECT_TRUE(e.message().contains("DECIMAL(6,0)")) << e.message().toStdString();
    }
    EXPECT_THROW(insertRow(*db, "SoldCalc", {{"IDRES", 3}, {"SUMA", -1000000}}), Error);
    EXPECT_THROW(updateRows(*db, "SoldCalc", {{"SUMA", 1000000}}, "IDRES=?", {1}), Error);
    // Statements written by hand hit the same limits in the table itself.
    EXPECT_THROW(db->exec("UPDATE SoldCalc SET SUMA=SUMA+1"), DbError);
    EXPECT_EQ(db->count("SoldCalc"), 1);
    EXPECT_EQ(db->scalar("SELECT SUMA FROM SoldCalc").toLongLong(), 999999);

    EXPECT_THROW(insertRow(*db, "Gospodar", {{"IDGOS", 1}, {"ROL", "1234567890"}}), Error);
    EXPECT_THROW(insertRow(*db, "Gospodar", {{"IDGOS", 1}, {"NOSUCH", "x"}}), Error);
    EXPECT_THROW(insertRow(*db, "Datorii", {{"IDDAT", 1}, {"DINDATA", "31.02.2026"}}), Error);
    EXPECT_EQ(db->count("Gospodar"), 0);
    EXPECT_EQ(db->count("Datorii"), 0);
}

TEST(Storage, TextsAndNumbersRoundTripExactly)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    const QString name = QString::fromUtf8("O'Brien \"Ţuică\" \\ Ştefan");
    insertRow(*db, "Gospodar", {{"IDGOS", 5}, {"NUMEP", name + "   "}, {"ROL", "12"}, {"SATUL", "Deal"}});
    insertRow(*db, "Pag1", {{"IDGOS", 5}, {"L1A", money(*Currency::parse(u"1.2345"))}, {"L1B", "0.5"}});
    insertRow(*db, "Datorii", {{"IDDAT", 1}, {"IDGOS", 5}, {"DINDATA", QDate(2026, 1, 1)}, {"SUMA", -12}});
    EXPECT_EQ(db->scalar("SELECT NUMEP FROM Gospodar WHERE IDGOS=5").toString(), name);
    EXPECT_EQ(db->scalar("SELECT IDGOS FROM Gospodar WHERE NUMEP=?", {name}).toInt(), 5);
    EXPECT_EQ(readDecimal(db->scalar("SELECT L1A FROM Pag1")).toString(), "1.2345");
    EXPECT_EQ(readDecimal(db->scalar("SELECT L1B FROM Pag1")).toString(), "0.5000");
    EXPECT_EQ(readDecimal(db->scalar("SELECT SUM(L1A) + SUM(L1B) FROM Pag1")).toString(), "1.7345");
    EXPECT_EQ(readDate(db->scalar("SELECT DINDATA FROM Datorii")), QDate(2026, 1, 1));
    EXPECT_EQ(readWhole(db->scalar("SELECT SUMA FROM Datorii")), -12);
    EXPECT_TRUE(db->scalar("SELECT DATAEVAL FROM Pag2").isNull());
}

TEST(Storage, TransactionsRollBackUnlessCommitted)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    {
        Transaction t(*db);
        insertRow(*db, "RegCasa", {{"IDRC", 1}});
        {
            Transaction inner(*db);
            insertRow(*db, "RegCasa", {{"IDRC", 2}});
        } // inner rolled back
        t.commit();
    }
    EXPECT_EQ(db->count("RegCasa"), 1);
    try {
        Transaction t(*db);
        insertRow(*db, "RegCasa", {{"IDRC", 3}});
        insertRow(*db, "RegCasa", {{"IDRC", 4}, {"PLATIT", 123456789}});
        t.commit();
    } catch (const Error &) {
    }
    EXPECT_EQ(db->count("RegCasa"), 1);
}

TEST(Storage, NumericRoleNumber)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    int id = 1;
    for (const char *rol : {"10", "9", "007", "12A", "", " 3 "})
        insertRow(*db, "Gospodar", {{"IDGOS", id++}, {"ROL", rol}});
    QSqlQuery q = db->exec("SELECT ROL FROM Gospodar WHERE ROLNUM(ROL) IS NOT NULL ORDER BY ROLNUM(ROL)");
    QStringList order;
    while (q.next())
        order << q.value(0).toString();
    EXPECT_EQ(order, (QStringList{" 3", "007", "9", "10"}));
    EXPECT_EQ(db->scalar("SELECT MAX(ROLNUM(ROL)) FROM Gospodar").toInt(), 10);
}

TEST(ActionLog, WritesBothCopiesWithAnyText)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    const QString text = QString::fromUtf8("Modificat \"nume\" din O'Neil \\ în Ţ");
    const ActionLog log(p.folders().program);
    log.write(*db, {QDateTime(QDate(2026, 3, 2), QTime(9, 5, 7)), "ADMIN", "12", text});
    EXPECT_EQ(db->scalar("SELECT ACTIUNE FROM Log").toString(), text);
    EXPECT_EQ(db->scalar("SELECT ORA FROM Log").toString(), "09:05:07");
    EXPECT_EQ(readDate(db->scalar("SELECT DATAA FROM Log")), QDate(2026, 3, 2));
    Database local(Database::AtFile{}, log.localLogPath());
    EXPECT_EQ(local.scalar("SELECT ACTIUNE FROM Log WHERE ROL='12'").toString(), text);
    // A long note is kept to the columns, not refused.
    log.write(*db, {QDateTime(QDate(2026, 3, 2), QTime(9, 6)), QString(40, 'U'), "", QString(300, 'x')});
    EXPECT_EQ(db->scalar("SELECT length(ACTIUNE) FROM Log WHERE ROL=''").toInt(), 120);
}

TEST(Maintenance, RunsOncePerDayAndKeepsReceiptsOfUnknownRoles)
{
    ProgramFixture p;
    EXPECT_TRUE(p.start().maintenanceDue);
    {
        auto db = p.db();
        insertRow(*db, "Gospodar", {{"IDGOS", 1}, {"SATUL", "Vale"}, {"ROL", "1"}});
        insertRow(*db, "DefZone", {{"ID", 1}, {"LOCALIT", "Deal"}, {"ZONA", "A"}, {"RANG", "IV"}});
        insertRow(*db, "DefZone", {{"ID", 2}, {"LOCALIT", "vale"}, {"ZONA", "A"}, {"RANG", "IV"}});
        for (int g : {1, 2}) {
            insertRow(*db, "Datorii", {{"IDDAT", g}, {"IDGOS", g}, {"SATUL", "Vale"}, {"ROL", "1"}});
            insertRow(*db, "SoldCalc", {{"IDRES", g}, {"IDGOS", g}, {"SATUL", "Vale"}, {"ROL", "1"}});
            // Receipts of a locality that was renamed since: they must survive.
            insertRow(*db, "Chitante", {{"IDCHIT", g}, {"IDGOS", g}, {"SATUL", "Vechi"}, {"ROL", "1"}, {"TOTAL", 10}});
        }
    }
    const StartupState sameDay = p.start();
    EXPECT_FALSE(sameDay.maintenanceDue);
    EXPECT_EQ(sameDay.localities, (QStringList{" * indiferent *", "Vale", "Deal"}));
    {
        auto db = p.db();
        EXPECT_EQ(db->count("Datorii"), 2);
    }
    p.clock.set(QDate(2026, 3, 3));
    EXPECT_TRUE(p.start().maintenanceDue);
    auto db = p.db();
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS=2").toInt(), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM SoldCalc WHERE IDGOS=2").toInt(), 0);
    EXPECT_EQ(db->scalar("SELECT COUNT(*) FROM Datorii WHERE IDGOS=1").toInt(), 1);
    EXPECT_EQ(db->count("Chitante"), 2);
    EXPECT_TRUE(db->scalar("SELECT ACTIUNE FROM Log").toString().contains("1 chitante fara rol"));
    EXPECT_FALSE(p.start().maintenanceDue);
}

TEST(Maintenance, CountersAreReseededButNeverLowered)
{
    ProgramFixture p;
    p.start();
    {
        auto db = p.db();
        insertRow(*db, "Gospodar", {{"IDGOS", 41}});
        insertRow(*db, "Chitante", {{"IDCHIT", 7}});
    }
    p.settings().write("SERVER", "IDCHIT", "90");
    p.settings().write("SERVER", "IDGOS", "3");
    p.start();
    const SettingsFile s = p.settings();
    EXPECT_EQ(s.read("SERVER", "IDGOS"), "42");
    EXPECT_EQ(s.read("SERVER", "IDCHIT"), "90");
    EXPECT_EQ(s.read("SERVER", "IDDAT"), "1");
}

TEST(Startup, IncompleteServerFolderFallsBackToLocalData)
{
    ProgramFixture p;
    const QString server = p.dir.path() + "/server";
    {
        Database partial(server);
        partial.exec("CREATE TABLE Gospodar (IDGOS DECIMAL(10,0))");
    }
    RegistryStore(106).write("SERVER", server);
    QStringList shown;
    const StartupState st = p.start([&](const QString &title, const QString &text) { shown << title << text; });
    ASSERT_EQ(shown.size(), 2);
    EXPECT_EQ(shown[0], "Conectare server");
    EXPECT_EQ(shown[1], "Baza de date " + server + "\rNU este accesibila sau este incompleta!\r"
                        "Verificati conexiunea si baza si reporniti programul!");
    EXPECT_EQ(st.folders.database, p.dataFolder());
    EXPECT_FALSE(st.onServer);
    EXPECT_EQ(RegistryStore(106).read("CALE"), QDir::toNativeSeparators(p.folders().program));
    EXPECT_EQ(RegistryStore(106).read("VER"), "1.0017");
}

TEST(Startup, CompleteServerFolderIsUsedAndNeverCleaned)
{
    ProgramFixture p;
    const QString server = p.dir.path() + "/server";
    {
        // A complete database made by another workstation.
        ProgramFixture other;
        Folders f = other.folders();
        f.database = server;
        RegistryStore reg(106);
        runStartup({f, false, reg, other.clock, {}, {}, {}});
        Database db(server);
        insertRow(db, "Datorii", {{"IDDAT", 1}, {"IDGOS", 99}});
        db.exec("UPDATE Datorii SET IDGOS=99"); // a row without its role
    }
    SettingsFile(server + "/Valdora.set").write("SERVER", "LASTPACK", "1");
    RegistryStore(106).write("SERVER", server);
    const StartupState st = p.start([](const QString &, const QString &) { FAIL() << "no message expected"; });
    EXPECT_TRUE(st.onServer);
    EXPECT_EQ(st.folders.database, server);
    EXPECT_EQ(st.admin.serverPath, server);
    EXPECT_TRUE(st.maintenanceDue);
    Database db(server);
    EXPECT_EQ(db.count("Datorii"), 1);
}

TEST(Cli, InitAndInfo)
{
    TempDir dir;
    const QString data = dir.path() + "/Data";
    EXPECT_EQ(runCli({"--data", data, "info"}).exitCode, 1);
    auto r = runCli({"--data", data, "init"});
    ASSERT_EQ(r.exitCode, 0) << r.err.toStdString();
    EXPECT_EQ(r.json["createdTables"].toArray().size(), 25);
    r = runCli({"--data", data, "info"});
    ASSERT_EQ(r.exitCode, 0);
    EXPECT_EQ(r.json["tables"]["CODCL"].toInt(), 12);
    EXPECT_EQ(r.json["tables"]["Gospodar"].toInt(), 0);
    EXPECT_EQ(r.json["version"].toString(), "1.0017");
}

TEST(Cli, TwoInitsAtOnceLeaveOneConsistentDatabase)
{
    TempDir dir;
    const QString data = dir.path() + "/Data";
    auto a = QtConcurrent::run([&] { return runCli({"--data", data, "init"}); });
    auto b = QtConcurrent::run([&] { return runCli({"--data", data, "init"}); });
    const CliResult ra = a.result(), rb = b.result();
    ASSERT_EQ(ra.exitCode, 0) << ra.err.toStdString();
    ASSERT_EQ(rb.exitCode, 0) << rb.err.toStdString();
    EXPECT_EQ(ra.json["createdTables"].toArray().size() + rb.json["createdTables"].toArray().size(), 25);
    Database db(data);
    EXPECT_EQ(db.count("CODCL"), 12);
    EXPECT_EQ(db.scalar("SELECT COUNT(DISTINCT IDCOD) FROM CODCL").toInt(), 12);
    EXPECT_EQ(db.tables().size(), 25);
    EXPECT_EQ(SettingsFile(data + "/Valdora.set").read("SERVER", "IDCOD"), "13");
}

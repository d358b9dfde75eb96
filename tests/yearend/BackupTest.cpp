#include "app/core/RegistryStore.h"
#include "app/core/TempNames.h"
#include "app/db/DbFixture.h"
#include "app/db/DbfFormat.h"
#include "app/db/DbfReader.h"
#include "app/startup/AppContext.h"
#include "support/ScriptedInteraction.h"
#include "support/TempDir.h"
#include "yearend/YearendSupport.h"
#include "yearend/store/Backup.h"
#include "yearend/ui/BackupActions.h"
#include "yearend/ui/TForm21.h"

#include <QPushButton>
#include <gtest/gtest.h>
#include <map>

using namespace valdora;
using namespace valdora::test;
using namespace valdora::yearend;

namespace {

struct BackupFixture : ProgramFixture {
    AppContext ctx;
    RegistryStore registry{106};
    TempDir outside; // where archives go

    BackupFixture()
    {
        ctx.startup = start();
        ctx.db = db();
        ctx.registry = &registry;
        ctx.clock = &clock;
        fillAllTables(*ctx.db);
        writeFile(dataFolder() + "/s.mpg", QByteArray(100, 'u'));
        writeFile(dataFolder() + "/NotaPlata.xls", "workbook template");
        writeFile(dataFolder() + "/Titlu.rtf", "{\\rtf1 Titlu}");
    }
    QString archive(const QString &name = "copie.w26") const { return outside.file(name); }
    QString dataBak() const { return folders().program + "/DataBAK"; }
};

using FileMap = std::map<QString, QByteArray>;

FileMap filesIn(const QString &folder)
{
    FileMap m;
    for (const QString &n : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot))
        m[n] = readFile(folder + u'/' + n);
    return m;
}

QStringList namesOf(const FileMap &m)
{
    QStringList l;
    for (const auto &[n, b] : m)
        l << n;
    return l;
}

std::vector<RawEntry> readArchive(const QString &path)
{
    std::vector<RawEntry> entries;
    std::string why;
    EXPECT_TRUE(readRawArchive(readFile(path), entries, why)) << why;
    return entries;
}

QStringList entryNames(const std::vector<RawEntry> &entries)
{
    QStringList l;
    for (const RawEntry &e : entries)
        l << e.name;
    return l;
}

const char *success = "Restaurare incheiata cu succes !\r\nVa rog sa porniti programul din nou !";

} // namespace

TEST(Backup, TheArchiveHoldsTheDatabaseAsTablesBesideTheOtherFiles)
{
    BackupFixture f;
    makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
    const auto entries = readArchive(f.archive());
    QStringList expected;
    for (const TableDef &t : schema::tables())
        expected << t.name + ".dbf";
    expected << "NotaPlata.xls" << "Titlu.rtf" << "Valdora.set" << "s.mpg";
    QStringList names = entryNames(entries);
    names.sort();
    expected.sort();
    EXPECT_EQ(names, expected);
    for (const RawEntry &e : entries) {
        if (e.name == "s.mpg") {
            EXPECT_EQ(e.data, QByteArray(100, 'u'));
        }
        if (e.name == "Titlu.rtf") {
            EXPECT_EQ(e.data, "{\\rtf1 Titlu}");
        }
        if (e.name.endsWith(".dbf")) {
            ASSERT_GT(e.data.size(), 32);
            EXPECT_EQ(e.data[dbf::ProductionIndexByte], '\0') << e.name.toStdString();
            EXPECT_EQ(uchar(e.data[dbf::LanguageDriverByte]), 0xC8) << e.name.toStdString();
        }
    }
    // The snapshot is gone.
    EXPECT_TRUE(QDir(f.folders().temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST(Backup, DatabaseToArchiveToRestoreKeepsEveryRowAndFile)
{
    BackupFixture f;
    makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());

    // Restored over another database, whose files end in DataBAK.
    ProgramFixture other;
    other.start();
    const FileMap previous = filesIn(other.dataFolder());
    const QString bak = other.folders().program + "/DataBAK";
    writeFile(bak + "/from-last-time.txt", "old");
    {
        const RestoreStage stage(f.archive(), other.folders().temp);
        EXPECT_TRUE(stage.import().missingTables.isEmpty());
        const ReplaceResult r = replaceDatabaseFiles(stage, other.dataFolder(), bak);
        EXPECT_EQ(r.outcome, ReplaceResult::Outcome::Replaced) << r.detail.toStdString();
    }
    EXPECT_EQ(filesIn(bak), previous);
    const FileMap restored = filesIn(other.dataFolder());
    EXPECT_EQ(namesOf(restored), (QStringList{"NotaPlata.xls", "Titlu.rtf", "Valdora.db", "Valdora.set", "s.mpg"}));
    EXPECT_EQ(restored.at("Titlu.rtf"), "{\\rtf1 Titlu}");
    EXPECT_EQ(restored.at("s.mpg"), QByteArray(100, 'u'));
    EXPECT_EQ(restored.at("Valdora.set"), readFile(f.dataFolder() + "/Valdora.set"));
    Database db(other.dataFolder());
    expectSameRows(*f.ctx.db, db);
    EXPECT_TRUE(QDir(other.folders().temp).entryList(QDir::Dirs | QDir::NoDotAndDotDot).isEmpty());
}

TEST(Backup, EmptyFilesAndIndexesStayOutOfTheArchive)
{
    BackupFixture f;
    writeFile(f.dataFolder() + "/gol.txt", "");
    writeFile(f.dataFolder() + "/Datorii.mdx", "index of the old tables");
    {
        // A table file of another program, with its production index.
        QByteArray extra = QByteArray(32, '\0') + QByteArray(32, '\0') + "\x0d" + " 1" + "\x1a";
        extra[0] = 0x03;
        extra[8] = char(65);
        extra[10] = 2;
        extra[4] = 1;
        memcpy(extra.data() + 32, "ID", 2);
        extra[32 + 11] = 'N';
        extra[32 + 16] = 1;
        extra[dbf::ProductionIndexByte] = 1;
        writeFile(f.dataFolder() + "/Extra.dbf", extra);
        writeFile(f.dataFolder() + "/Extra.mdx", "its index");
    }
    ASSERT_TRUE(dbf::DbfReader(f.dataFolder() + "/Extra.dbf").header().productionIndex);

    makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
    const auto entries = readArchive(f.archive());
    const QStringList names = entryNames(entries);
    EXPECT_FALSE(names.contains("gol.txt"));
    EXPECT_TRUE(names.filter(".mdx", Qt::CaseInsensitive).isEmpty()) << names.join(",").toStdString();
    ASSERT_TRUE(names.contains("Extra.dbf"));
    for (const RawEntry &e : entries) {
        if (e.name.endsWith(".dbf")) {
            EXPECT_EQ(e.data[dbf::ProductionIndexByte], '\0') << e.name.toStdString();
        }
    }
    // The database folder itself is left as it was.
    EXPECT_TRUE(dbf::DbfReader(f.dataFolder() + "/Extra.dbf").header().productionIndex);
    EXPECT_TRUE(QFileInfo::exists(f.dataFolder() + "/Datorii.mdx"));

    ScriptedInteraction s;
    s.answer(ui::ResultOk, "Informatie");
    ASSERT_TRUE(restoreDatabase(f.ctx, f.archive()));
    EXPECT_FALSE(QFileInfo::exists(f.dataFolder() + "/gol.txt"));
    EXPECT_FALSE(QFileInfo::exists(f.dataFolder() + "/Datorii.mdx"));
    EXPECT_FALSE(QFileInfo::exists(f.dataFolder() + "/Extra.mdx"));
    // The foreign table travels as a file.
    EXPECT_TRUE(QFileInfo::exists(f.dataFolder() + "/Extra.dbf"));
    EXPECT_TRUE(QFileInfo::exists(f.dataBak() + "/gol.txt"));
}

TEST(Backup, ADamagedArchiveIsRefusedAndTheDatabaseIsUntouched)
{
    BackupFixture f;
    makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
    const QByteArray whole = readFile(f.archive());
    struct Case { const char *what; QByteArray bytes; const char *text; };
    const std::vector<Case> cases = {
        {"truncated", whole.left(whole.size() * 2 / 3), "Restaurare esuata!"},
        {"cut by one byte", whole.left(whole.size() - 1), "Restaurare esuata!"},
        {"no table in it", rawArchive({{"Valdora.set", "[SERVER]"}}), "Restaurare esuata!"},
        {"nothing in it", rawArchive({}), "Restaurare esuata!"},
        {"a journal in it", rawArchive({{"Gospodar.dbf", readArchive(f.archive()).at(0).data}, {"Valdora.db-journal", "j"}}),
         "Restaurare esuata!"},
        {"a table that cannot be read", rawArchive({{"Gospodar.dbf", "not a table at all, but long enough......"}}),
         "Restaurare esuata!\rFisierul"},
    };
    f.ctx.db->exec("DELETE FROM Datorii WHERE rowid=1");
    const FileMap before = filesIn(f.dataFolder());
    for (const Case &c : cases) {
        SCOPED_TRACE(c.what);
        writeFile(f.archive("bad.w26"), c.bytes);
        ScriptedInteraction s;
        s.answer(ui::ResultOk, "Restaurare date");
        EXPECT_FALSE(restoreDatabase(f.ctx, f.archive("bad.w26")));
        ASSERT_EQ(s.messages.size(), 1u);
        EXPECT_TRUE(s.messages[0].text.startsWith(QLatin1String(c.text))) << s.messages[0].text.toStdString();
        EXPECT_EQ(s.messages[0].kind, ui::Error);
        EXPECT_TRUE(filesIn(f.dataFolder()) == before);
        EXPECT_FALSE(QFileInfo::exists(f.dataBak()));
        ASSERT_TRUE(f.ctx.db);
        EXPECT_EQ(f.ctx.db->count("Datorii"), 2);
    }
}

TEST(Backup, ARestoreThatFailsWhileReplacingPutsThePreviousFilesBack)
{
    BackupFixture f;
    makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
    f.ctx.db->exec("DELETE FROM Gospodar WHERE rowid=1");
    const FileMap before = filesIn(f.dataFolder());

    // DataBAK holds a folder named like a file of the database folder: that move fails.
    writeFile(f.dataBak() + "/Valdora.set/inside.txt", "x");
    ScriptedInteraction s;
    s.answer(ui::ResultOk, "Restaurare date");
    EXPECT_FALSE(restoreDatabase(f.ctx, f.archive()));
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_TRUE(s.messages[0].text.startsWith("Restaurare esuata!")) << s.messages[0].text.toStdString();
    EXPECT_TRUE(s.messages[0].text.contains("Datele anterioare au fost puse la loc.")) << s.messages[0].text.toStdString();
    EXPECT_TRUE(filesIn(f.dataFolder()) == before);
    EXPECT_EQ(f.ctx.db->count("Gospodar"), 2);

    // DataBAK that cannot be a folder: nothing is touched.
    removeFolder(f.dataBak());
    writeFile(f.dataBak(), "a file in the way");
    ScriptedInteraction s2;
    s2.answer(ui::ResultOk, "Restaurare date");
    EXPECT_FALSE(restoreDatabase(f.ctx, f.archive()));
    EXPECT_TRUE(s2.messages.at(0).text.startsWith("Restaurare esuata!\r"));
    EXPECT_TRUE(filesIn(f.dataFolder()) == before);
}

TEST(Backup, AStagedFileThatVanishesIsRolledBack)
{
    BackupFixture f;
    makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
    f.ctx.db.reset();
    const FileMap before = filesIn(f.dataFolder());
    const RestoreStage stage(f.archive(), f.folders().temp);
    QFile::remove(stage.folder() + "/s.mpg");
    const ReplaceResult r = replaceDatabaseFiles(stage, f.dataFolder(), f.dataBak());
    EXPECT_EQ(r.outcome, ReplaceResult::Outcome::RolledBack);
    EXPECT_TRUE(r.detail.contains("s.mpg")) << r.detail.toStdString();
    EXPECT_TRUE(filesIn(f.dataFolder()) == before);
    EXPECT_TRUE(filesIn(f.dataBak()).empty());
}

TEST(Backup, RestoreFromTheWindowReplacesTheDatabase)
{
    BackupFixture f;
    makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
    f.ctx.db->exec("DELETE FROM Gospodar");
    writeFile(f.dataFolder() + "/added-later.txt", "after the backup");
    const QByteArray oldDb = readFile(f.dataFolder() + "/Valdora.db");

    {
        ScriptedInteraction s;
        s.answer(ui::ResultNu, "Incarcare date");
        TForm21 w(f.ctx);
        w.RestButClick();
        EXPECT_FALSE(w.restored());
        EXPECT_EQ(f.ctx.db->count("Gospodar"), 0);
    }

    ScriptedInteraction s;
    s.answer(ui::ResultDa, "Incarcare date").answerFile(f.archive()).answer(ui::ResultOk, "Informatie");
    TForm21 w(f.ctx);
    w.RestButClick();
    EXPECT_TRUE(w.restored());
    EXPECT_EQ(s.messages.at(0).text,
              "Prin preluarea datelor dintr-o salvare anterioara,\rse sterg datele curente si sunt inlocuite cu cele din "
              "salvare!\rContinuam operatiunea?");
    EXPECT_EQ(s.messages.at(0).kind, ui::Warning);
    EXPECT_EQ(s.messages.at(1).text, success);
    EXPECT_EQ(s.messages.at(1).kind, ui::Information);
    EXPECT_TRUE(s.progress.contains("Desfac baza de date..."));
    // The run's connection now reads the restored tables.
    ASSERT_TRUE(f.ctx.db);
    EXPECT_EQ(f.ctx.db->count("Gospodar"), 3);
    EXPECT_FALSE(QFileInfo::exists(f.dataFolder() + "/added-later.txt"));
    EXPECT_EQ(readFile(f.dataBak() + "/added-later.txt"), "after the backup");
    EXPECT_EQ(readFile(f.dataBak() + "/Valdora.db"), oldDb);
}

TEST(Backup, SavingIntoTheDatabaseFolderIsRefused)
{
    BackupFixture f;
    const QString server = f.outside.file("server");
    QDir().mkpath(server);
    struct Case { QString chosen; bool onServer; };
    const std::vector<Case> cases = {
        {f.dataFolder() + "/copie.w26", false},
        {f.dataFolder() + "/sub/../copie", false},
        {f.dataFolder() + "/./copie.w26", false},
        // With a server database, neither the server's folder nor the local data folder.
        {server + "/copie.w26", true},
        {f.dataFolder() + "/copie.w26", true},
    };
    for (const Case &c : cases) {
        SCOPED_TRACE(c.chosen.toStdString());
        f.ctx.startup.folders.database = c.onServer ? server : f.dataFolder();
        ScriptedInteraction s;
        s.answerFile(c.chosen).answer(ui::ResultOk, "Salvare date");
        TForm21 w(f.ctx);
        w.SalvButClick();
        ASSERT_EQ(s.messages.size(), 1u);
        EXPECT_EQ(s.messages[0].text, "\rNu puteti salva aici!");
        EXPECT_EQ(s.messages[0].kind, ui::Error);
        EXPECT_FALSE(QFileInfo::exists(f.dataFolder() + "/copie.w26"));
        EXPECT_FALSE(QFileInfo::exists(server + "/copie.w26"));
    }
}

TEST(Backup, ReplacingAnArchiveAsksFirst)
{
    BackupFixture f;
    writeFile(f.archive(), "the previous archive");
    {
        ScriptedInteraction s;
        s.answerFile(f.archive()).answer(ui::ResultNu, "Atentionare");
        TForm21 w(f.ctx);
        w.SalvButClick();
        EXPECT_EQ(s.messages.at(0).text, "\rVreti sa inlocuiti salvarea " + QDir::toNativeSeparators(f.archive()) + "?");
        EXPECT_EQ(s.messages.at(0).kind, ui::Warning);
        EXPECT_EQ(readFile(f.archive()), "the previous archive");
    }
    QStringList sent;
    RemoteCopy remote;
    remote.send = [&](const QString &p) { sent << p; };
    ScriptedInteraction s;
    s.answerFile(f.archive())
        .answer(ui::ResultDa, "Atentionare")
        .answer(ui::ResultOk, "Informatie")
        .answer(ui::ResultDa, "Copie la Distanta");
    TForm21 w(f.ctx, remote);
    w.SalvButClick();
    EXPECT_EQ(s.messages.at(1).text, "\rSalvare incheiata cu succes !");
    EXPECT_EQ(s.messages.at(2).text, "\rDoriti sa transmiteti salvarea si pe Server?");
    EXPECT_EQ(s.messages.at(2).kind, ui::Confirmation);
    EXPECT_EQ(s.progress, (QStringList{"Pregatesc datele...", "Salvez datele..."}));
    EXPECT_EQ(sent, QStringList{f.archive()});
    EXPECT_TRUE(entryNames(readArchive(f.archive())).contains("Gospodar.dbf"));
}

TEST(Backup, AFileThatCannotBeCopiedFailsTheBackup)
{
    BackupFixture f;
    if (makeUnreadableFile(f.dataFolder() + "/Sablon.rtf").isEmpty())
        GTEST_SKIP() << "no unreadable file can be made here";
    try {
        makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
        FAIL() << "expected a refusal";
    } catch (const BackupError &e) {
        EXPECT_EQ(e.reason(), BackupError::Reason::FileNotCopied);
        EXPECT_TRUE(e.message().contains("Sablon.rtf")) << e.message().toStdString();
    }
    EXPECT_FALSE(QFileInfo::exists(f.archive()));

    ScriptedInteraction s;
    s.answerFile(f.archive()).answer(ui::ResultOk, "Salvare");
    TForm21 w(f.ctx);
    w.SalvButClick();
    ASSERT_EQ(s.messages.size(), 1u);
    EXPECT_TRUE(s.messages[0].text.startsWith("\rSalvare esuata!\r")) << s.messages[0].text.toStdString();
    EXPECT_FALSE(QFileInfo::exists(f.archive()));

    f.registry.write("CALESALVARI", f.outside.file("salvari"));
    ScriptedInteraction s2;
    s2.answer(ui::ResultOk, "Salvare automata");
    EXPECT_FALSE(runAutomaticBackup(f.ctx));
    EXPECT_TRUE(s2.messages.at(0).text.startsWith("\rEroare la salvare!"));
    EXPECT_TRUE(QDir(f.outside.file("salvari")).isEmpty());
}

TEST(Backup, ASnapshotThatCannotBeMadeIsReported)
{
    BackupFixture f;
    writeFile(f.outside.file("not-a-folder"), "x");
    f.ctx.startup.folders.temp = f.outside.file("not-a-folder") + "/Temp";
    {
        ScriptedInteraction s;
        s.answerFile(f.archive()).answer(ui::ResultOk, "Salvare");
        TForm21 w(f.ctx);
        w.SalvButClick();
        ASSERT_EQ(s.messages.size(), 1u);
        EXPECT_EQ(s.messages[0].text, "\rNu pot scrie pe harddisk!!");
        EXPECT_FALSE(QFileInfo::exists(f.archive()));
    }
    {
        f.registry.write("CALESALVARI", f.outside.file("salvari"));
        ScriptedInteraction s;
        s.answer(ui::ResultOk, "Salvare").answer(ui::ResultOk, "Salvare automata");
        EXPECT_FALSE(runAutomaticBackup(f.ctx));
        EXPECT_EQ(s.messages.at(0).text, "Nu pot scrie pe harddisk!!");
        EXPECT_EQ(s.messages.at(1).text, "\rEroare la salvare!");
    }
    {
        makeArchive(*f.ctx.db, f.dataFolder(), f.folders().temp, f.archive(), f.clock.today());
        ScriptedInteraction s;
        s.answer(ui::ResultOk, "Incarcare date");
        EXPECT_FALSE(restoreDatabase(f.ctx, f.archive()));
        EXPECT_EQ(s.messages.at(0).text, "\rNu pot scrie pe harddisk!");
    }
}

TEST(Backup, AutomaticBackupsAreNamedByDayAndNumber)
{
    BackupFixture f;
    const QString folder = f.outside.file("salvari/azi");
    f.registry.write("CALESALVARI", folder);
    ScriptedInteraction s;
    EXPECT_TRUE(runAutomaticBackup(f.ctx));
    EXPECT_TRUE(runAutomaticBackup(f.ctx));
    EXPECT_TRUE(s.messages.empty());
    EXPECT_EQ(QDir(folder).entryList(QDir::Files), (QStringList{"02032026_0.w26", "02032026_1.w26"}));
    EXPECT_TRUE(entryNames(readArchive(folder + "/02032026_1.w26")).contains("Datorii.dbf"));

    // With the remote copy, the question follows.
    QStringList sent;
    RemoteCopy remote;
    remote.send = [&](const QString &p) { sent << p; };
    s.answer(ui::ResultNu, "Copie la Distanta");
    EXPECT_TRUE(runAutomaticBackup(f.ctx, remote));
    EXPECT_TRUE(sent.isEmpty());
    EXPECT_TRUE(QFileInfo::exists(folder + "/02032026_2.w26"));
}

TEST(Backup, AutomaticBackupOnlyOnTheComputerThatHoldsTheDatabase)
{
    BackupFixture f;
    const QString folder = f.outside.file("salvari");
    ScriptedInteraction s;
    // No backup folder chosen.
    EXPECT_FALSE(runAutomaticBackup(f.ctx));
    f.registry.write("CALESALVARI", folder);
    // A server database.
    f.ctx.startup.folders.database = f.outside.file("server");
    EXPECT_FALSE(runAutomaticBackup(f.ctx));
    EXPECT_FALSE(QFileInfo::exists(folder));
    EXPECT_TRUE(s.messages.empty());

    // A backup folder that cannot be made.
    f.ctx.startup.folders.database = f.dataFolder();
    writeFile(f.outside.file("file"), "x");
    f.registry.write("CALESALVARI", f.outside.file("file/salvari"));
    s.answer(ui::ResultOk, "Salvare automata");
    EXPECT_FALSE(runAutomaticBackup(f.ctx));
    EXPECT_TRUE(s.messages.at(0).text.startsWith("\rEroare la salvare!"));
    EXPECT_EQ(s.messages.at(0).kind, ui::Error);
}

TEST(Backup, TheWindowRunsModallyWithItsThreeButtons)
{
    BackupFixture f;
    ScriptedInteraction s;
    s.answerFile(f.archive("fereastra")).answer(ui::ResultOk, "Informatie");
    whenModal<TForm21>([](TForm21 *w) {
        EXPECT_EQ(w->windowTitle(), "Salvare - Restaurare");
        EXPECT_EQ(w->SalvBut->text(), "Salveaza baza de date");
        EXPECT_EQ(w->RestBut->text(), "Restaureaza baza de date");
        EXPECT_EQ(w->DistBut->text(), "Copie / Recupereaza date la Distanta");
        EXPECT_FALSE(w->DistBut->isEnabled());
        w->SalvBut->click();
    });
    EXPECT_FALSE(showBackupWindow(f.ctx));
    // The extension is added to a name typed without it.
    EXPECT_TRUE(QFileInfo::exists(f.archive("fereastra.w26")));

    bool opened = false;
    RemoteCopy remote;
    remote.open = [&] { opened = true; return true; };
    whenModal<TForm21>([](TForm21 *w) {
        EXPECT_TRUE(w->DistBut->isEnabled());
        w->DistBut->click();
    });
    EXPECT_TRUE(showBackupWindow(f.ctx, remote));
    EXPECT_TRUE(opened);
}

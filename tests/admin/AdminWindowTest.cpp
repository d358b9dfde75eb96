#include "admin/domain/AdminSaveCheck.h"
#include "admin/store/AdminSettingsStore.h"
#include "admin/store/ClassificationStore.h"
#include "admin/store/ZoneStore.h"
#include "admin/ui/TAddZonaF.h"
#include "admin/ui/TFAddCODCL.h"
#include "admin/ui/TFAddUser.h"
#include "admin/ui/TFClasificare.h"
#include "admin/ui/TForm3.h"
#include "admin/ui/TForm4.h"
#include "app/db/DbFixture.h"
#include "app/db/Rows.h"
#include "app/startup/AppContext.h"
#include "support/ScriptedInteraction.h"

#include <QComboBox>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::admin;
using namespace valdora::test;

namespace {
struct AdminFixture : ProgramFixture {
    AppContext ctx;
    RegistryStore registry{106};
    AdminFixture()
    {
        ctx.startup = start();
        ctx.db = db();
        ctx.registry = &registry;
        ctx.clock = &clock;
        UserFile(ctx.userFilePath()).createWithAdmin();
        ctx.user = {"ADMIN", "952", Grade::Admin, {}};
    }
    QString saved(const QString &key) { return settings().read("SERVER", key); }
};
} // namespace

TEST(AdminSaveChecks, RatesOutsideTheirIntervalAskAndMaximaRefuse)
{
    AdminValues v;
    v.setText("CotaCRPF", "0.25");
    v.setText("CotaCNPF", "0.4");
    v.setText("CotaCRPJ", "0.1");
    v.setText("CotaCNPJ", "1.3");
    v.setText("MajHCL", "150");
    auto steps = saveChecks(v);
    ASSERT_EQ(steps.size(), 2u);
    EXPECT_EQ(steps[0].kind, SaveCheckStep::Question);
    EXPECT_EQ(steps[0].text, "\rCota CotaCRPF nu se incadreaza in intervalul legal 0.08% - 0.2% !\rContinuam asa?");
    EXPECT_EQ(steps[1].kind, SaveCheckStep::Refusal);
    EXPECT_EQ(steps[1].control, "MajHCL");
    EXPECT_EQ(steps[1].text, "Valoarea maxima este 100% !");
    v.setText("MajHCL", "100");
    v.setText("HiRed", "31");
    EXPECT_EQ(saveChecks(v).back().text, "Valoarea maxima este 30% !");
    v.setText("EvalPJAni", "0.9");
    EXPECT_EQ(saveChecks(v).back().text, "Numar ani incorect!");
    v.setText("EvalPJAni", "1");
    v.setText("HiRed", "30");
    v.setText("CotaCRPF", "0.08");
    EXPECT_TRUE(saveChecks(v).empty());
}

TEST(AdminWindow, NoKeepsTheWindowAndSavesNothingYesGoesOn)
{
    AdminFixture f;
    {
        ScriptedInteraction s;
        s.answer(ui::ResultNu, "Cote H.C.L.");
        TForm4 w(f.ctx, {});
        w.setControlText("CotaCRPF", "0.25");
        w.SaveBClick();
        EXPECT_EQ(f.saved("COTACRPF"), "0.1");
        EXPECT_EQ(w.currentPage(), 3); // the buildings page was opened
        EXPECT_TRUE(s.problems.empty());
    }
    {
        ScriptedInteraction s;
        s.answer(ui::ResultDa, "Cote H.C.L.");
        TForm4 w(f.ctx, {});
        w.setControlText("CotaCRPF", "0.25");
        w.setControlText("MajHCL", "150");
        w.SaveBClick();
        ASSERT_EQ(s.problems.size(), 1u);
        EXPECT_EQ(s.problems[0].text, "Valoarea maxima este 100% !");
        EXPECT_EQ(s.problems[0].control, w.control("MajHCL"));
        EXPECT_EQ(f.saved("COTACRPF"), "0.1");
    }
    ScriptedInteraction s;
    s.answer(ui::ResultDa, "Cote H.C.L.");
    TForm4 w(f.ctx, {});
    w.setControlText("CotaCRPF", "0.25");
    w.setControlText("PrimariaLab", "Comuna Valea Mare");
    w.setControlText("APA3", "1234");
    w.SaveBClick();
    EXPECT_TRUE(s.problems.empty());
    EXPECT_EQ(f.saved("COTACRPF"), "0.25");
    EXPECT_EQ(s.progress, QStringList{"Salvare Constante"});
    // The next start reads the same values back.
    const StartupState again = f.start();
    EXPECT_EQ(again.admin.text("PrimariaLab"), "Comuna Valea Mare");
    EXPECT_EQ(again.admin.text("APA3"), "1234");
    EXPECT_EQ(again.admin.text("CotaCRPF"), "0.25");
}

TEST(AdminWindow, ClosingDiscardsEditsAndFieldsHoldWhatIniKeeps)
{
    AdminFixture f;
    ScriptedInteraction s;
    TForm4 w(f.ctx, {});
    // The field holds no more than an Ini value can keep.
    w.setControlText("PrimarLab", QString(41, 'x'));
    EXPECT_EQ(w.controlText("PrimarLab").size(), 40);
    w.setControlText("ContabilLab", "Ion Contabilu");
    w.reject();
    EXPECT_EQ(w.controlText("ContabilLab"), "Contabil");
    EXPECT_EQ(w.controlText("PrimarLab"), "Primar");
    EXPECT_EQ(f.ctx.adminValues().text("PrimarLab"), "Primar");
}

TEST(AdminWindow, AddedUserLogsInWithAnEmptyPassword)
{
    AdminFixture f;
    ScriptedInteraction s;
    TForm4 w(f.ctx, {});
    whenModal<TFAddUser>([](TFAddUser *d) {
        d->Nume->setText("  MARIA   POP ");
        d->Rang->setCurrentText("CASIER");
        d->Legitimatia->setText("XB 1");
        d->Seria->setText("VLD");
        d->Numar->setText("501");
        d->Memoreaza->click();
    });
    w.AddUser();
    EXPECT_EQ(w.usersGrid->rowCount(), 1); // the logged-in ADMIN is not listed
    EXPECT_EQ(w.usersGrid->item(0, 0)->text(), "MARIA POP");
    EXPECT_EQ(w.usersGrid->item(0, 4)->text(), "501");
    EXPECT_EQ(f.settings().read("MARIA POP", "SERIA"), "VLD");
    EXPECT_EQ(f.settings().read("MARIA POP", "CHIT"), "501");
    EXPECT_EQ(QFileInfo(f.ctx.userFilePath()).size(), 200);

    // A second one with the same name is refused in the dialog.
    whenModal<TFAddUser>([&s](TFAddUser *d) {
        d->Nume->setText("MARIA POP");
        d->Memoreaza->click();
        ASSERT_EQ(s.problems.size(), 1u);
        EXPECT_EQ(s.problems[0].text, "Acest nume mai exista!");
        d->reject();
    });
    w.AddUser();

    AppContext other;
    other.startup = f.ctx.startup;
    other.db = f.db();
    other.registry = &f.registry;
    other.clock = &f.clock;
    TForm3 main(other, {});
    main.UserName->setText("MARIA POP");
    main.Parola->setText("");
    main.LogBut->click();
    EXPECT_TRUE(other.user.isCashier());
    EXPECT_EQ(other.user.identityCard, "XB 1");

    // Removing the last user shortens the file by exactly one record.
    s.answer(ui::ResultDa, "Stergere utilizator");
    w.usersGrid->selectRow(0);
    w.RemoveUser();
    EXPECT_EQ(QFileInfo(f.ctx.userFilePath()).size(), 100);
    EXPECT_EQ(w.usersGrid->rowCount(), 0);
}

TEST(AdminWindow, AddingALocality)
{
    AdminFixture f;
    ScriptedInteraction s;
    TForm4 w(f.ctx, {});
    w.ComboBox2->setCurrentText("B");
    whenModal<TAddZonaF>([](TAddZonaF *d) {
        EXPECT_EQ(d->Zona->currentText(), "B");
        EXPECT_EQ(d->Rangul->currentText(), "IV");
        d->Localitatea->setText(" VALEA   MARE ");
        d->Memoreaza->click();
    });
    w.AddZone();
    ASSERT_EQ(w.zonesGrid->rowCount(), 1);
    EXPECT_EQ(w.zonesGrid->item(0, 0)->text(), "VALEA MARE");
    auto zones = loadZones(*f.ctx.db);
    ASSERT_EQ(zones.size(), 1u);
    EXPECT_EQ(zones[0].zone, "B");
    EXPECT_EQ(zones[0].id, 1);
    whenModal<TAddZonaF>([&s](TAddZonaF *d) {
        d->Localitatea->setText("VALEA MARE");
        d->Memoreaza->click();
        ASSERT_FALSE(s.problems.empty());
        EXPECT_EQ(s.problems.back().text, "Localitatea specificat exista deja!");
        d->Localitatea->setText("");
        d->Memoreaza->click();
        EXPECT_EQ(s.problems.back().text, "Nu ati specificat localitatea!");
        d->reject();
    });
    w.AddZone();
    EXPECT_EQ(f.ctx.db->count("DefZone"), 1);
}

TEST(Classification, NewGroupsAreFeesAndTheDefaultsAreProtected)
{
    AdminFixture f;
    ScriptedInteraction s;
    TFClasificare w(f.ctx);
    whenModal<TFAddCODCL>([&s](TFAddCODCL *d) {
        d->Denumire->setText("Taxa  firma");
        d->ContPF->setText("ro54rncb0082044173490002"); // bad IBAN check digits
        EXPECT_EQ(d->ContPJ->text(), "");               // copied only as typed
        d->ContPJ->setText("RO54RNCB0082044173490002");
        d->Memoreaza->click();
        ASSERT_FALSE(s.problems.empty());
        EXPECT_EQ(s.problems.back().text, "Cont incorect!");
        d->ContPF->setText("21.02.03");
        d->ContPJ->setText("21.02.04");
        d->Memoreaza->click();
    });
    w.Adauga();
    EXPECT_EQ(f.ctx.db->scalar("SELECT TIP FROM CODCL WHERE GRUPA='Taxa firma'").toString(), "T");
    EXPECT_EQ(f.ctx.db->scalar("SELECT IDCOD FROM CODCL WHERE GRUPA='Taxa firma'").toInt(), 13);

    insertRow(*f.ctx.db, "Chitante", {{"IDCHIT", 1}, {"GRUPA", "Paza"}, {"TIPF", "F"}, {"CODCLAS", "vechi"}});
    insertRow(*f.ctx.db, "Chitante", {{"IDCHIT", 2}, {"GRUPA", "Paza"}, {"TIPF", "J"}, {"CODCLAS", "vechi"}});
    w.selectGroup("Paza");
    whenModal<TFAddCODCL>([](TFAddCODCL *d) {
        EXPECT_TRUE(d->Denumire->isReadOnly());
        d->ContPF->setText("33.02.01");
        d->ContPJ->setText("33.02.01");
        d->Memoreaza->click();
    });
    w.Modifica();
    EXPECT_EQ(f.ctx.db->scalar("SELECT CODCLAS FROM Chitante WHERE IDCHIT=1").toString(), "33.02.01");
    EXPECT_EQ(f.ctx.db->scalar("SELECT CODCLAS FROM Chitante WHERE IDCHIT=2").toString(), "33.02.01");
    EXPECT_EQ(classificationCode(*f.ctx.db, "Paza", true), "33.02.01");

    s.answer(ui::ResultOk, "Stergere creanta");
    w.selectGroup("Paza");
    w.Sterge();
    EXPECT_EQ(s.messages.back().text, "Nu aveti voie sa stergeti aceasta creanta!");
    EXPECT_EQ(f.ctx.db->count("CODCL"), 13);
    s.answer(ui::ResultDa, "Stergere creanta");
    w.selectGroup("Taxa firma");
    w.Sterge();
    EXPECT_EQ(f.ctx.db->count("CODCL"), 12);
}

TEST(AdminWindow, Folders)
{
    AdminFixture f;
    ScriptedInteraction s;
    bool ended = false;
    TForm4 w(f.ctx, [&] { ended = true; });
    const QString ra = f.dir.path() + "/ra";
    QDir().mkpath(ra);
    s.answerFolder(ra).answer(ui::ResultOk, "Cale Baza de date RA 2025");
    w.ChangeAgriculturalRegister();
    EXPECT_EQ(s.messages.back().text, "\rCalea indicata nu este corecta!");
    EXPECT_EQ(f.saved("CALE_RA"), "");
    writeFile(ra + "/Ra2025.set", "[X]\r\n");
    s.answerFolder(ra);
    w.ChangeAgriculturalRegister();
    EXPECT_EQ(f.saved("CALE_RA"), ra);

    const QString bad = f.dir.path() + "/nu-e-baza";
    QDir().mkpath(bad);
    s.answerFolder(bad).answer(ui::ResultOk, "Conectare server");
    w.ChangeServer();
    EXPECT_FALSE(ended);
    EXPECT_EQ(f.registry.read("SERVER"), "");
    s.answerFolder(f.dataFolder() + "/").answer(ui::ResultOk, "Conectat la server");
    w.ChangeServer();
    EXPECT_TRUE(ended);
    EXPECT_EQ(f.registry.read("SERVER"), QDir::toNativeSeparators(f.dataFolder()));

    const QString backups = f.dir.path() + "/salvari";
    QDir().mkpath(backups);
    s.answerFolder(backups).answer(ui::ResultOk, "Salvari automate");
    w.ChangeBackups();
    EXPECT_EQ(f.registry.read("CALESALVARI"), backups);
    EXPECT_FALSE(QFile::exists(backups + "/test.txt"));
}

#include "admin/store/AdminSettingsStore.h"
#include "app/db/DbFixture.h"

#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::admin;
using namespace valdora::test;

TEST(AdminSettings, EveryControlSurvivesSaveAndReload)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    SettingsFile settings = p.settings();
    RegistryStore registry(106);
    AdminValues edited;
    int i = 0;
    for (const auto &c : controls()) {
        ++i;
        switch (c.kind) {
        case ControlKind::Text: edited.setText(c.name, QStringLiteral("Text %1").arg(i)); break;
        case ControlKind::Number: edited.setText(c.name, QStringLiteral("%1.25").arg(i)); break;
        case ControlKind::DropDown: edited.setText(c.name, c.items[i % c.items.size()]); break;
        case ControlKind::CheckBox: edited.setChecked(c.name, i % 2 == 0); break;
        }
    }
    saveAdminValues(edited, {*db, settings, registry, "CASIER1"});
    AdminValues loaded;
    loadAdminValues(loaded, {*db, settings, registry, "CASIER1"});
    for (const auto &c : controls()) {
        if (c.kind == ControlKind::CheckBox)
            EXPECT_EQ(loaded.checked(c.name), edited.checked(c.name)) << c.name.toStdString();
        else if (c.name == "EvalPJAni")
            EXPECT_EQ(loaded.text(c.name), edited.number(c.name).truncLei().toString(0));
        else
            EXPECT_EQ(loaded.text(c.name), edited.text(c.name)) << c.name.toStdString();
    }
    EXPECT_EQ(settings.read("CASIER1", "FORMATPDF"), edited.checked("FormatPDF") ? "DA" : "NU");
}

TEST(AdminSettings, SettingsWinOverIniAndMissingRowsAreStored)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    SettingsFile settings = p.settings();
    RegistryStore registry(106);
    db->exec("UPDATE Ini SET VALOARE='0.3' WHERE NUME='CotaCRPF'");
    settings.write("SERVER", "COTACRPF", "0.15");
    db->exec("INSERT INTO Ini (FORMA, NUME, VALOARE) VALUES ('FRCOMB', 'GC3A', '77')");
    db->exec("DELETE FROM Ini WHERE NUME='APA13'");
    AdminValues v;
    loadAdminValues(v, {*db, settings, registry, ""});
    EXPECT_EQ(v.text("CotaCRPF"), "0.15");
    EXPECT_EQ(v.text("GC3A"), "77");
    v.setText("GC3A", "88");
    v.setText("APA13", "5");
    saveAdminValues(v, {*db, settings, registry, ""});
    AdminValues again;
    loadAdminValues(again, {*db, settings, registry, ""});
    EXPECT_EQ(again.text("GC3A"), "88");
    EXPECT_EQ(again.text("APA13"), "5");

    v.setText("PrimariaLab", QString(41, 'P'));
    EXPECT_EQ(firstTooLongControl(v), "PrimariaLab");
    EXPECT_THROW(saveAdminValues(v, {*db, settings, registry, ""}), Error);
    EXPECT_EQ(db->scalar("SELECT VALOARE FROM Ini WHERE NUME='PrimariaLab'").toString(), "U.A.T.");
}

TEST(AdminSettings, FlagsAndDefaults)
{
    ProgramFixture p;
    p.start();
    auto db = p.db();
    SettingsFile settings = p.settings();
    RegistryStore registry(106);
    AdminValues v;
    loadAdminValues(v, {*db, settings, registry, ""});
    EXPECT_FALSE(v.noPenaltiesAllowed);
    EXPECT_FALSE(v.yearLocked);
    EXPECT_EQ(settings.read("SERVER", "ADMINBLOCAT2026"), "NU");
    EXPECT_EQ(v.backupPath, "-");
    settings.write("SERVER", "FARAMAJORARI", " da ");
    settings.write("SERVER", "ADMINBLOCAT2026", "Da");
    settings.write("SERVER", "RATAINF", "3");
    settings.write("CONST", "RATAINFPF", "");
    registry.write("CALESALVARI", "/mnt/salvari");
    AdminValues w;
    loadAdminValues(w, {*db, settings, registry, ""});
    EXPECT_TRUE(w.noPenaltiesAllowed);
    EXPECT_TRUE(w.yearLocked);
    EXPECT_TRUE(w.checked("RataInfPFR"));
    EXPECT_EQ(settings.read("CONST", "RATAINFPF"), "DA");
    EXPECT_EQ(w.backupPath, "/mnt/salvari");
    EXPECT_EQ(w.number("RataInfE").toShortString(), "3");
}

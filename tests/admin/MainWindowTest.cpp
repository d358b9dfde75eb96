#include "admin/store/UserFile.h"
#include "admin/ui/TForm3.h"
#include "admin/ui/TForm5.h"
#include "app/db/DbFixture.h"
#include "app/startup/AppContext.h"
#include "support/ScriptedInteraction.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::admin;
using namespace valdora::test;

namespace {

struct MainFixture : ProgramFixture {
    AppContext ctx;
    RegistryStore registry{106};
    int collections = 0;

    MainFixture()
    {
        ctx.startup = start();
        ctx.db = db();
        ctx.registry = &registry;
        ctx.clock = &clock;
    }
    MainActions actions()
    {
        MainActions a;
        a.collections = [this] { ++collections; };
        return a;
    }
    void addUsers()
    {
        UserFile f(ctx.userFilePath());
        f.createWithAdmin();
        f.add("OPER", Grade::RoleOperator, "OP1");
        f.add("CASA", Grade::Cashier, "CS1");
    }
    static void login(TForm3 &w, const QString &name, const QString &password)
    {
        w.UserName->setText(name);
        w.Parola->setText(password);
        w.LogBut->click();
    }
};

void pressKey(QWidget *w, int key)
{
    QKeyEvent press(QEvent::KeyPress, key, Qt::NoModifier);
    QKeyEvent release(QEvent::KeyRelease, key, Qt::NoModifier);
    QApplication::sendEvent(w, &press);
    QApplication::sendEvent(w, &release);
}

} // namespace

TEST(MainWindow, FirstStartLogsInAsAdmin)
{
    MainFixture f;
    ScriptedInteraction s;
    s.answer(ui::ResultOk, "PRIMA PORNIRE");
    TForm3 w(f.ctx, f.actions());
    MainFixture::login(w, "  ORICINE  ", "");
    EXPECT_EQ(s.messages.at(0).text, "Numele este ADMIN si parola este 952.\rPuteti modifica parola de la Utilitare > Contul meu");
    EXPECT_EQ(s.messages.at(0).kind, ui::Information);
    EXPECT_TRUE(f.ctx.user.isAdmin());
    EXPECT_EQ(QFileInfo(f.ctx.userFilePath()).size(), 100);
    EXPECT_TRUE(w.loginPanel->isHidden());
    EXPECT_EQ(w.windowTitle(), "Valdora 2026 ver.1.0017  >> ADMIN");
    EXPECT_EQ(f.ctx.db->scalar("SELECT ACTIUNE FROM Log").toString(), "Pornire program.");
    EXPECT_EQ(f.ctx.db->scalar("SELECT UTILIZATOR FROM Log").toString(), "ADMIN");
}

TEST(MainWindow, RightAndWrongPasswords)
{
    MainFixture f;
    f.addUsers();
    ScriptedInteraction s;
    TForm3 w(f.ctx, f.actions());
    MainFixture::login(w, "ADMIN", "951");
    EXPECT_FALSE(w.loginPanel->isHidden());
    EXPECT_TRUE(w.buttonPanel->isHidden());
    EXPECT_FALSE(f.ctx.user.loggedIn());
    EXPECT_TRUE(s.messages.empty());
    MainFixture::login(w, "CASA", "");
    EXPECT_TRUE(f.ctx.user.isCashier());
    EXPECT_EQ(f.ctx.user.identityCard, "CS1");
    EXPECT_FALSE(w.buttonPanel->isHidden());
    // "Iesire" goes back to the login panel.
    w.ToolButton1->click();
    EXPECT_FALSE(w.loginPanel->isHidden());
    EXPECT_EQ(w.Parola->text(), "");
    EXPECT_EQ(w.windowTitle(), "Valdora 2026 ver.1.0017");
    EXPECT_FALSE(f.ctx.user.loggedIn());
    MainFixture::login(w, "ADMIN", "952");
    EXPECT_TRUE(f.ctx.user.isAdmin());
}

TEST(MainWindow, EachGradeSeesWhatItsRightsAllow)
{
    struct Case { const char *name; bool adm, gosp, backup, checks, agri; };
    const Case cases[] = {{"ADMIN", true, true, true, true, true},
                          {"OPER", true, true, true, false, false},
                          {"CASA", false, false, false, false, false}};
    for (const auto &k : cases) {
        MainFixture f;
        f.addUsers();
        ScriptedInteraction s;
        TForm3 w(f.ctx, f.actions());
        MainFixture::login(w, k.name, QString::fromLatin1(k.name) == "ADMIN" ? "952" : "");
        SCOPED_TRACE(k.name);
        EXPECT_EQ(!w.MButAdm->isHidden(), k.adm);
        EXPECT_EQ(!w.MButGosp->isHidden(), k.gosp);
        EXPECT_EQ(w.findAction("Salvare - Restaurare Baza de date")->isVisible(), k.backup);
        EXPECT_EQ(w.findAction("Verificare baze")->isVisible(), k.checks);
        EXPECT_EQ(w.findAction("Preluare date din Registru Agricol 2025-2029")->isVisible(), k.agri);
        for (QToolButton *b : {w.MBut1, w.MButCasa, w.MBut2, w.UtilBut, w.ToolButton1})
            EXPECT_FALSE(b->isHidden()) << b->objectName().toStdString();
        EXPECT_TRUE(w.findAction("Contul meu")->isVisible());
        EXPECT_TRUE(w.findAction("General")->isEnabled());
        EXPECT_TRUE(w.findAction("Legea 239 / 2025") != nullptr);
    }
}

TEST(MainWindow, AdministrationIsRefusedToTheRoleOperator)
{
    MainFixture f;
    f.addUsers();
    ScriptedInteraction s;
    TForm3 w(f.ctx, f.actions());
    MainFixture::login(w, "OPER", "");
    w.MButAdm->click();
    ASSERT_EQ(s.problems.size(), 1u);
    EXPECT_EQ(s.problems[0].text, "Nu aveti treaba aici.");
    EXPECT_EQ(s.problems[0].control, w.MButAdm);
}

TEST(MainWindow, F1ActsOnlyAfterLogin)
{
    MainFixture f;
    f.addUsers();
    ScriptedInteraction s;
    TForm3 w(f.ctx, f.actions());
    w.show();
    QApplication::setActiveWindow(&w);
    pressKey(w.UserName, Qt::Key_F1);
    EXPECT_EQ(f.collections, 0);
    MainFixture::login(w, "CASA", "");
    pressKey(w.MBut1, Qt::Key_F1);
    EXPECT_EQ(f.collections, 1);
}

TEST(MainWindow, MyAccountRefusesTwoDifferentPasswords)
{
    MainFixture f;
    f.addUsers();
    ScriptedInteraction s;
    TForm3 w(f.ctx, f.actions());
    MainFixture::login(w, "CASA", "");
    s.answer(ui::ResultOk, "Schimbare cont");
    whenModal<TForm5>([&](TForm5 *d) {
        EXPECT_EQ(d->Legitimatia->text(), "CS1");
        d->Parola1->setText("UNU");
        d->Parola2->setText("DOI");
        d->findChild<QPushButton *>("Memoreaza")->click();
        EXPECT_TRUE(d->isVisible());
        ASSERT_EQ(s.problems.size(), 1u);
        EXPECT_EQ(s.problems[0].text, "Parola nesetata sau nu este identica in cele doua casute!");
        d->Parola1->setText("");
        d->Parola2->setText("");
        d->findChild<QPushButton *>("Memoreaza")->click();
        EXPECT_EQ(s.problems.size(), 2u);
        d->Parola1->setText("NOUA");
        d->Parola2->setText("NOUA");
        d->Legitimatia->setText("CS2");
        d->findChild<QPushButton *>("Memoreaza")->click();
    });
    w.findAction("Contul meu")->trigger();
    EXPECT_EQ(s.messages.back().text, "Modificarile au fost memorate cu succes!");
    EXPECT_EQ(f.ctx.user.password, "NOUA");
    UserFile users(f.ctx.userFilePath());
    EXPECT_EQ(users.login("CASA", "NOUA")->identityCard, "CS2");
    EXPECT_FALSE(users.login("CASA", "").has_value());
    // A second change in the same login works too.
    s.answer(ui::ResultOk, "Schimbare cont");
    whenModal<TForm5>([](TForm5 *d) {
        d->Parola1->setText("A3");
        d->Parola2->setText("A3");
        d->findChild<QPushButton *>("Memoreaza")->click();
    });
    w.findAction("Contul meu")->trigger();
    EXPECT_TRUE(users.login("CASA", "A3").has_value());
}

TEST(MainWindow, ClosingQuestions)
{
    MainFixture f;
    f.addUsers();
    {
        ScriptedInteraction s;
        s.answer(ui::ResultNu, "Inchidere program");
        TForm3 w(f.ctx, f.actions());
        w.show();
        EXPECT_FALSE(w.close());
        EXPECT_EQ(s.messages.back().text, "\rDoriti sa inchideti programul?");
    }
    const QString backups = f.dir.path() + "/salvari";
    QDir().mkpath(backups);
    f.registry.write("CALESALVARI", backups);
    ScriptedInteraction s;
    s.answer(ui::ResultRenunt, "Salvare Automata").answer(ui::ResultDa, "Salvare Automata");
    TForm3 w(f.ctx, f.actions());
    w.show();
    EXPECT_FALSE(w.close()); // Escape keeps the window
    EXPECT_TRUE(w.close());
    EXPECT_TRUE(w.backupRequested());
}

TEST(MainWindow, Screenshot)
{
    const QString out = qEnvironmentVariable("VALDORA_SCREENSHOT");
    if (out.isEmpty())
        GTEST_SKIP() << "set VALDORA_SCREENSHOT to a PNG path to take one";
    MainFixture f;
    f.addUsers();
    ScriptedInteraction s;
    TForm3 w(f.ctx, f.actions());
    w.show();
    MainFixture::login(w, "ADMIN", "952");
    w.resize(1100, w.sizeHint().height());
    QApplication::processEvents();
    EXPECT_TRUE(w.grab().save(out));
}

TEST(MainWindow, TemplateEntriesBuildTheirSubMenus)
{
    MainFixture f;
    f.addUsers();
    ScriptedInteraction s;
    MainActions a = f.actions();
    int edited = 0;
    a.templates.push_back({{"Chitante"}, "EditChitanta", "Chitanta - Editare", [&] { ++edited; }});
    a.templates.push_back({{"Chitante"}, "RefaChitanta", "Chitanta - Refacere", {}});
    TForm3 w(f.ctx, a);
    QAction *edit = w.findAction("Chitanta - Editare");
    ASSERT_NE(edit, nullptr);
    EXPECT_TRUE(edit->isEnabled());
    EXPECT_FALSE(w.findAction("Chitanta - Refacere")->isEnabled());
    EXPECT_TRUE(w.findAction("Modele listare - Editare")->isEnabled());
    edit->trigger();
    EXPECT_EQ(edited, 1);
    TForm3 bare(f.ctx, f.actions());
    EXPECT_FALSE(bare.findAction("Modele listare - Editare")->isEnabled());
}

// The role register window end to end, through the interaction seam: adding,
// changing and deleting roles, the pages of a role and the year lock.

#include "app/db/ActionLog.h"
#include "app/db/DbFixture.h"
#include "app/db/Maintenance.h"
#include "app/db/Rows.h"
#include "app/startup/AppContext.h"
#include "app/ui/TCNPEdit.h"
#include "register/domain/RoleListing.h"
#include "register/store/RoleStore.h"
#include "register/ui/BandHeader.h"
#include "register/ui/RoleDataPage.h"
#include "register/ui/TAddGosF.h"
#include "register/ui/TGospodarii.h"
#include "support/ScriptedInteraction.h"

#include <QComboBox>
#include <QPushButton>
#include "register/ui/LandSheetActions.h"
#include "reports/xlsx/Workbook.h"
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::roles;
using namespace valdora::test;

namespace {

struct RegisterFixture : ProgramFixture {
    AppContext ctx;
    RegistryStore registry{106};
    RegisterFixture()
    {
        ctx.startup = start();
        ctx.db = db();
        ctx.registry = &registry;
        ctx.clock = &clock;
        ctx.user = {"ADMIN", "952", admin::Grade::Admin, {}};
    }
    Database &d() { return *ctx.db; }
    qint64 add(const QString &satul, const QString &rol, const QString &name, const QString &cnp = {})
    {
        RoleRecord r;
        r.SATUL = satul;
        r.ROL = rol;
        r.NUMEP = name;
        r.CNP = cnp;
        SettingsFile s = ctx.settings();
        const qint64 id = addRole(d(), s, r);
        ctx.startup.localities = localityList(d());
        return id;
    }
    QString value(const QString &sql, const QVariantList &params = {}) { return d().scalar(sql, params).toString(); }
    int rows(const QString &table, qint64 id)
    {
        return d().scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE IDGOS=?").arg(table), {id}).toInt();
    }
    std::vector<LogEntry> log() { return ActionLog::readAll(d()); }
};

// Observations of exactly 300 characters, words and single blanks, none on
// character 240 or 300.
QString observations300()
{
    QString s;
    while (s.size() < 300)
        s += QStringLiteral("teren vandut ");
    s = s.left(300);
    s[239] = u'x';
    s[299] = u'x';
    return s;
}

QStringList items(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

} // namespace

TEST(RoleRegister, AddingARole)
{
    RegisterFixture f;
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    EXPECT_EQ(w.shownRoles(), 0);
    const QString obs = observations300();
    whenModal<TAddGosF>([&](TAddGosF *d) {
        EXPECT_EQ(d->windowTitle(), "Adaugare gospodarie");
        EXPECT_EQ(d->NrRol->text(), "1"); // an empty register
        EXPECT_EQ(d->Tip->currentText(), "FIZICA");
        EXPECT_EQ(d->NrPers->text(), "1");
        EXPECT_EQ(d->ScTE->currentText(), "0");
        EXPECT_FALSE(d->NoTax->isVisibleTo(d)); // FARAMAJORARI is not "DA"
        // In their order: the locality first, whatever else is missing.
        s.answer(ui::ResultOk, "Adaugare gospodarie");
        d->NrRol->clear();
        d->Memoreaza->click();
        EXPECT_EQ(s.messages.back().text, "Lipseste Localitatea!");
        d->Localitatea->setEditText(" VALEA   MARE ");
        s.answer(ui::ResultOk, "Adaugare gospodarie");
        d->Memoreaza->click();
        EXPECT_EQ(s.messages.back().text, "Numar de ROL incorect!");
        EXPECT_EQ(d->Localitatea->currentText(), "VALEA MARE"); // normalised in place
        d->NrRol->setText("1");
        d->CNP->setText("1800101010016");
        s.answer(ui::ResultOk, "Adaugare gospodarie");
        d->Memoreaza->click();
        EXPECT_EQ(s.messages.back().text, "CNP / CUI incorect!");
        d->CNP->setText("1800101010015");
        s.answer(ui::ResultOk, "Adaugare gospodarie");
        d->Memoreaza->click();
        EXPECT_EQ(s.messages.back().text, "Lipseste Capul de gospodarie!");
        EXPECT_TRUE(d->isVisible());
        EXPECT_EQ(f.d().count("Gospodar"), 0);
        d->Nume->setText("POP \"IONEL\" O'NEIL");
        d->Obs->setPlainText(obs);
        d->Strada->setEditText("  Unirii ");
        d->ScCC->setCurrentText("50");
        d->Memoreaza->click();
    });
    w.AddGospodarie();

    ASSERT_EQ(f.d().count("Gospodar"), 1);
    const auto r = w.currentRole();
    ASSERT_TRUE(r);
    EXPECT_EQ(r->SATUL, "VALEA MARE");
    EXPECT_EQ(r->ROL, "1");
    EXPECT_EQ(r->NUMEP, "POP \"IONEL\" O'NEIL");
    EXPECT_EQ(r->STRADA, "Unirii");
    EXPECT_EQ(r->SCCC, 50);
    EXPECT_EQ(f.value("SELECT NUMEP FROM Gospodar WHERE IDGOS=?", {r->IDGOS}), "POP \"IONEL\" O'NEIL");
    EXPECT_EQ(f.value("SELECT length(OBS) FROM Gospodar").toInt(), 240);
    EXPECT_EQ(f.value("SELECT length(OBS2) FROM Gospodar").toInt(), 60);
    EXPECT_EQ(w.ObsL->text(), obs);
    for (const char *t : {"Pag1", "Pag4", "Pag7", "Pag8"})
        EXPECT_EQ(f.rows(QString::fromLatin1(t), r->IDGOS), 1) << t;
    EXPECT_TRUE(items(w.SearchLocalitate).contains("VALEA MARE"));
    EXPECT_TRUE(f.ctx.startup.localities.contains("VALEA MARE"));
    ASSERT_FALSE(f.log().empty());
    EXPECT_EQ(f.log().back().rol, "1");
    EXPECT_EQ(f.log().back().action, "Adaugare gospodarie POP \"IONEL\" O'NEIL");

    // A role number with letters is not a number to propose from; the number
    // used in another locality and the CNP of another role are asked about.
    f.add("LUNCA", "12A", "DINU ANA");
    w.prepare();
    whenModal<TAddGosF>([&](TAddGosF *d) {
        EXPECT_EQ(d->NrRol->text(), "2");
        d->Localitatea->setEditText("LUNCA");
        d->NrRol->setText("1");
        d->Nume->setText("POP VASILE");
        d->CNP->setText("1800101010015");
        s.answer(ui::ResultNu, "Verificare numar de ROL");
        d->Memoreaza->click();
        EXPECT_EQ(s.messages.back().text, "Numarul unic de ROL exista deja!\rContinuati in halul asta?! ;)");
        EXPECT_TRUE(d->isVisible());
        s.answer(ui::ResultDa, "Verificare numar de ROL").answer(ui::ResultNu, "Verificare CNP");
        d->Memoreaza->click();
        EXPECT_EQ(s.messages.back().text, "Acest CNP mai exista la ROL 1\rPOP \"IONEL\" O'NEIL !\rContinuati memorarea ?");
        EXPECT_TRUE(d->isVisible());
        s.answer(ui::ResultDa, "Verificare numar de ROL").answer(ui::ResultDa, "Verificare CNP");
        d->Memoreaza->click();
    });
    w.AddGospodarie();
    EXPECT_EQ(f.d().count("Gospodar"), 3);
    EXPECT_EQ(w.currentRole()->NUMEP, "POP VASILE");
    EXPECT_EQ(w.currentRole()->SATUL, "LUNCA");
}

TEST(RoleRegister, TheDialogStartsOnTheSearchedLocalityAndCancels)
{
    RegisterFixture f;
    f.add("LUNCA", "7", "POP ION");
    f.add("PODENI", "8", "DINU ANA");
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    EXPECT_EQ(items(w.SearchLocalitate), (QStringList{" * indiferent *", "LUNCA", "PODENI"}));
    w.SearchLocalitate->setCurrentText("PODENI");
    EXPECT_EQ(w.shownRoles(), 1);
    whenModal<TAddGosF>([](TAddGosF *d) {
        EXPECT_EQ(d->Localitatea->currentText(), "PODENI");
        EXPECT_EQ(items(d->Localitatea), (QStringList{"LUNCA", "PODENI"}));
        EXPECT_EQ(d->NrRol->text(), "9");
        d->Nume->setText("IONESCU");
        d->Renunt->click();
    });
    w.AddGospodarie();
    EXPECT_EQ(f.d().count("Gospodar"), 2);
}

TEST(RoleRegister, EditingMovesTheRolesDebtsButNotANamesakes)
{
    RegisterFixture f;
    const qint64 a = f.add("LUNCA", "5", "POP ION");
    const qint64 b = f.add("LUNCA", "5", "POP ANA");
    RoleRecord withObs = *loadRole(f.d(), a);
    withObs.setObservations(observations300());
    updateRole(f.d(), withObs);
    for (qint64 id : {a, b}) {
        insertRow(f.d(), "Datorii", {{"IDDAT", id * 10}, {"IDGOS", id}, {"SATUL", "LUNCA"}, {"ROL", "5"}, {"GRUPA", "Paza"}});
        insertRow(f.d(), "SoldCalc", {{"IDRES", id * 10}, {"IDGOS", id}, {"SATUL", "LUNCA"}, {"ROL", "5"},
                                      {"GRUPA", "Impozit pe cladiri"}});
    }
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    ASSERT_TRUE(w.selectRole(a));
    whenModal<TAddGosF>([&](TAddGosF *d) {
        EXPECT_EQ(d->windowTitle(), "Modificare gospodarie");
        EXPECT_EQ(d->NrRol->text(), "5"); // no proposal
        EXPECT_EQ(d->Localitatea->currentText(), "LUNCA");
        EXPECT_EQ(d->Nume->text(), "POP ION");
        EXPECT_EQ(d->Obs->toPlainText(), observations300());
        d->Localitatea->setEditText("PODENI");
        s.answer(ui::ResultDa, "Verificare numar de ROL"); // the namesake holds 5 too
        d->Memoreaza->click();
    });
    w.EditGospodarie();
    EXPECT_EQ(w.currentId(), a);
    EXPECT_EQ(w.currentRole()->SATUL, "PODENI");
    EXPECT_EQ(f.value("SELECT OBS||OBS2 FROM Gospodar WHERE IDGOS=?", {a}).size(), 300);
    for (const char *t : {"Datorii", "SoldCalc"}) {
        EXPECT_EQ(f.value(QStringLiteral("SELECT SATUL FROM %1 WHERE IDGOS=?").arg(t), {a}), "PODENI") << t;
        EXPECT_EQ(f.value(QStringLiteral("SELECT SATUL FROM %1 WHERE IDGOS=?").arg(t), {b}), "LUNCA") << t;
    }
    EXPECT_TRUE(items(w.SearchLocalitate).contains("PODENI"));
    EXPECT_EQ(f.log().back().action, "Modificare gospodarie POP ION");
    EXPECT_EQ(f.log().back().rol, "5");
}

TEST(RoleRegister, DeletingAsksFourTimes)
{
    RegisterFixture f;
    const qint64 a = f.add("LUNCA", "1", "ANA");
    const qint64 b = f.add("LUNCA", "2", "BOB");
    const qint64 c = f.add("LUNCA", "3", "CICI");
    for (qint64 id : {a, b}) {
        insertRow(f.d(), "Debit", {{"IDDEB", id}, {"IDGOS", id}, {"GRUPA", "Amenzi"}});
        insertRow(f.d(), "UndelDebit", {{"IDANUL", id}, {"IDGOS", id}, {"IDDEB", id}});
        insertRow(f.d(), "Chitante", {{"IDCHIT", id}, {"IDGOS", id}});
    }
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    ASSERT_TRUE(w.selectRole(b));
    s.answer(ui::ResultNu, "Stergere gospodarie");
    w.DelGospodarie();
    EXPECT_EQ(s.messages.back().text, "Doriti sa stergeti gospodaria cu \rnr.ROL 2 din LUNCA?");
    s.answer(ui::ResultDa, "Stergere gospodarie").answer(ui::ResultDa, "Stergere gospodarie").answer(ui::ResultNu, "Stergere gospodarie");
    w.DelGospodarie();
    EXPECT_EQ(s.messages.back().text,
              "\rSe sterg toate chitantele omului de-a lungul vremii !!!\rVa dati seama ca se modifica toate soldurile ?!");
    s.answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultNu, "Stergere gospodarie");
    s.answer(ui::ResultOk, "Emotii mari");
    w.DelGospodarie();
    EXPECT_EQ(s.messages.back().text, "Bine ati revenit cu picioarele pe pamant !");
    EXPECT_EQ(f.d().count("Gospodar"), 3);
    EXPECT_TRUE(s.progress.isEmpty());

    s.answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultDa);
    w.DelGospodarie();
    EXPECT_EQ(s.progress, QStringList{"Sterg gospodaria..."});
    for (const char *t : {"Gospodar", "Pag1", "Pag8", "Chitante", "Debit", "UndelDebit"}) {
        EXPECT_EQ(f.rows(QString::fromLatin1(t), b), 0) << t;
        EXPECT_EQ(f.rows(QString::fromLatin1(t), a), 1) << t;
    }
    EXPECT_EQ(w.currentId(), a); // the previous role
    EXPECT_EQ(w.shownRoles(), 2);
    EXPECT_EQ(w.TotalL->text(), "2");
    EXPECT_EQ(f.log().back().action, "Stergere gospodarie BOB din LUNCA");

    s.answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultDa);
    w.DelGospodarie(); // the first role: on to the next
    EXPECT_EQ(w.currentId(), c);
    s.answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultDa).answer(ui::ResultDa);
    w.DelGospodarie(); // the only role: an empty list
    EXPECT_EQ(w.shownRoles(), 0);
    EXPECT_FALSE(w.currentRole());
    s.answer(ui::ResultOk, "Stergere gospodarie");
    w.DelGospodarie();
    EXPECT_EQ(s.messages.back().text, "Nu aveti ce sterge!");
    s.answer(ui::ResultOk, "Modificare gospodarie");
    w.EditGospodarie();
    EXPECT_EQ(s.messages.back().text, "Nu aveti ce modifica!");
}

TEST(RoleRegister, ArrearsPageRefusesCreditWithArrears)
{
    RegisterFixture f;
    const qint64 a = f.add("LUNCA", "1", "ANA");
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    w.pageList->setCurrentRow(7); // "   - Restante"
    ASSERT_EQ(w.currentPage(), 6);
    RoleDataPage *p = w.dataPage(6);
    EXPECT_FALSE(p->hasUnsavedEdits());
    w.pageField(6, "Sold1")->setText("100");
    w.pageField(6, "Pen12")->setText("7"); // penalties of the same tax
    EXPECT_TRUE(p->hasUnsavedEdits());
    p->Memoreaza->click();
    ASSERT_EQ(s.problems.size(), 1u);
    EXPECT_EQ(s.problems[0].text, "Nu puteti avea si sold si restanta!");
    EXPECT_EQ(s.problems[0].control, w.pageField(6, "Sold1"));
    EXPECT_EQ(f.value("SELECT SOLD1+PEN1 FROM Pag8 WHERE IDGOS=?", {a}).toInt(), 0);
    EXPECT_TRUE(p->hasUnsavedEdits());

    // Leaving asks; a refused store keeps the page and its edits.
    s.answer(ui::ResultDa, "Date nememorate");
    w.pageList->setCurrentRow(0);
    EXPECT_EQ(w.currentPage(), 6);
    EXPECT_EQ(w.pageList->currentRow(), 7);
    EXPECT_EQ(w.pageField(6, "Sold1")->text(), "100");

    w.pageField(6, "Pen12")->setText("0");
    w.pageField(6, "NumericEdit13")->setText("40"); // arrears of buildings, credit of extravilan land
    w.pageField(6, "NumericEdit23")->setText("12");
    p->Memoreaza->click();
    EXPECT_EQ(s.problems.size(), 2u); // none more than the two refusals
    EXPECT_FALSE(p->hasUnsavedEdits());
    EXPECT_EQ(f.value("SELECT SOLD1||'/'||LIN2||'/'||LIN11 FROM Pag8 WHERE IDGOS=?", {a}), "100/40/12");
    EXPECT_EQ(f.log().back().action, "Memorare pagina Restante din evidentele anterioare");
    EXPECT_EQ(f.log().back().rol, "1");
}

TEST(RoleRegister, ALockedYearDiscardsEditsAndRefusesRoleChanges)
{
    RegisterFixture f;
    const qint64 a = f.add("LUNCA", "1", "ANA");
    f.ctx.adminValues().yearLocked = true;
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    w.pageList->setCurrentRow(2); // extravilan land
    ASSERT_EQ(w.currentPage(), 1);
    w.pageField(1, "EC1ZA")->setText("1.5");
    s.answer(ui::ResultOk, "Modificare matricola");
    w.dataPage(1)->Memoreaza->click();
    EXPECT_EQ(s.messages.back().text, "Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!");
    EXPECT_EQ(w.pageField(1, "EC1ZA")->text(), "0");
    EXPECT_FALSE(w.dataPage(1)->hasUnsavedEdits());
    EXPECT_EQ(f.value("SELECT L1A FROM Pag1 WHERE IDGOS=?", {a}).toInt(), 0);

    // Closing with edits asks nothing in a locked year.
    w.pageField(1, "EC2ZB")->setText("3");
    w.reject();
    EXPECT_EQ(f.value("SELECT L2B FROM Pag1 WHERE IDGOS=?", {a}).toInt(), 0);

    w.prepare();
    const size_t before = s.messages.size();
    for (auto command : {&TGospodarii::AddGospodarie, &TGospodarii::EditGospodarie, &TGospodarii::DelGospodarie}) {
        s.answer(ui::ResultOk, "Modificare matricola");
        (w.*command)();
    }
    EXPECT_EQ(s.messages.size(), before + 3);
    EXPECT_EQ(f.d().count("Gospodar"), 1);
}

TEST(RoleRegister, PagesLoadStoreAndCancel)
{
    RegisterFixture f;
    // A role created outside the window, without its page rows.
    insertRow(f.d(), "Gospodar", {{"IDGOS", 50}, {"SATUL", "LUNCA"}, {"ROL", "50"}, {"NUMEP", "ANA"}});
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    EXPECT_EQ(w.dataPage(1)->columnCaptions[0]->text(), "A I");
    EXPECT_EQ(w.dataPage(1)->columnCaptions[4]->text(), "D IV");
    EXPECT_EQ(w.dataPage(3)->columnCaptions[2]->text(), "C III");
    EXPECT_EQ(w.dataPage(3)->columnCaptions[8]->text(), "C III");
    w.pageList->setCurrentRow(1); // the heading opens nothing
    EXPECT_EQ(w.currentPage(), 0);

    w.pageList->setCurrentRow(4); // intravilan land
    ASSERT_EQ(w.currentPage(), 3);
    EXPECT_EQ(f.rows("Pag4", 50), 1); // created on opening
    w.pageField(3, "IA23")->setText("0.5");
    w.pageField(3, "ICCA")->setText("120");
    s.answer(ui::ResultNu, "Date nememorate");
    w.pageList->setCurrentRow(0);
    EXPECT_EQ(w.currentPage(), 0);
    EXPECT_EQ(f.value("SELECT AL2C FROM Pag4 WHERE IDGOS=50").toInt(), 0);

    w.pageList->setCurrentRow(4);
    EXPECT_EQ(w.pageField(3, "IA23")->text(), "0");
    w.pageField(3, "IA23")->setText("0,5");
    w.pageField(3, "ICCA")->setText("120");
    s.answer(ui::ResultDa, "Date nememorate");
    w.pageList->setCurrentRow(6); // other taxes
    EXPECT_EQ(w.currentPage(), 5);
    EXPECT_EQ(f.value("SELECT AL2C FROM Pag4 WHERE IDGOS=50"), "0.5");
    EXPECT_EQ(f.value("SELECT CCA FROM Pag4 WHERE IDGOS=50").toInt(), 120);
    EXPECT_EQ(f.rows("Pag7", 50), 1);

    w.pageField(5, "Alte2")->setText("3");
    w.dataPage(5)->Anuleaza->click();
    EXPECT_EQ(w.pageField(5, "Alte2")->text(), "0");
    EXPECT_FALSE(w.dataPage(5)->hasUnsavedEdits());

    w.pageList->setCurrentRow(4);
    EXPECT_EQ(w.pageField(3, "IA23")->text(), "0.5");
    w.pageList->setCurrentRow(2);
    w.pageField(1, "EC11ZE")->setText("12.3456");
    s.answer(ui::ResultDa, "Date nememorate");
    w.reject(); // closing asks too
    EXPECT_EQ(f.value("SELECT L11E FROM Pag1 WHERE IDGOS=50"), "12.3456");
}

TEST(RoleRegister, SearchAndOrderKeepTheCurrentRole)
{
    RegisterFixture f;
    const qint64 a = f.add("LUNCA", "10", "POPESCU ION");
    const qint64 b = f.add("LUNCA", "9", "POP ANA");
    const qint64 c = f.add("PODENI", "100", "ANGHEL ION");
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    w.prepare();
    EXPECT_EQ(w.GridHeader->bandOf(int(RoleColumn::SCTE)), "Scutiri");
    EXPECT_EQ(w.GridHeader->bandOf(int(RoleColumn::ADRESA)), "");
    EXPECT_EQ(w.currentId(), b); // LUNCA / POP ANA comes first
    ASSERT_TRUE(w.selectRole(a));
    w.SearchNume->setText("pop");
    EXPECT_EQ(w.shownRoles(), 2);
    EXPECT_EQ(w.TotalL->text(), "2");
    EXPECT_EQ(w.currentId(), a);
    EXPECT_EQ(w.HeaderRole->text(), "LUNCA   ROL: 10   POPESCU ION");
    w.sortByColumn(int(RoleColumn::ROL));
    EXPECT_EQ(w.currentId(), a);
    w.SearchNume->setText("POPE");
    EXPECT_EQ(w.shownRoles(), 1);
    w.SearchNume->clear();
    w.SearchRol->setText("100");
    EXPECT_EQ(w.currentId(), c); // the current role is no longer shown: the first one is
    w.SearchRol->clear();
    EXPECT_EQ(w.shownRoles(), 3);
    // Opening again resets the search and the order.
    w.SearchNume->setText("ZZZ");
    EXPECT_EQ(w.shownRoles(), 0);
    w.pageList->setCurrentRow(2); // nothing to open without roles
    EXPECT_EQ(w.currentPage(), 0);
    w.prepare();
    EXPECT_EQ(w.SearchNume->text(), "");
    EXPECT_EQ(w.shownRoles(), 3);
    EXPECT_EQ(w.currentId(), b);
    EXPECT_TRUE(w.NoTaxL->isHidden());
    f.ctx.adminValues().noPenaltiesAllowed = true;
    w.prepare();
    EXPECT_FALSE(w.NoTaxL->isHidden());
    EXPECT_EQ(w.NoTaxL->text(), "NU");
}

TEST(RoleRegister, PagesOfLaterCommandsCanBeInstalled)
{
    RegisterFixture f;
    const qint64 a = f.add("LUNCA", "1", "ANA");
    ScriptedInteraction s;
    TGospodarii w(f.ctx);
    std::vector<qint64> loaded;
    auto *buildings = new QLabel("cladiri");
    w.installPage(2, buildings, [&](qint64 id) { loaded.push_back(id); });
    w.prepare();
    w.pageList->setCurrentRow(3); // "   - cladiri"
    EXPECT_EQ(w.currentPage(), 2);
    EXPECT_EQ(w.pageWidget(2), buildings);
    EXPECT_EQ(loaded, std::vector<qint64>{a});
    w.pageList->setCurrentRow(5); // vehicles: still waiting for their page
    EXPECT_EQ(w.currentPage(), 4);
    EXPECT_EQ(w.dataPage(4), nullptr);
}

TEST(RoleRegister, LandSheetButtonsWaitForTheirSheet)
{
    RegisterFixture f;
    ScriptedInteraction s;
    const qint64 id = f.add("Deal", "7", "Pop Ana");
    TGospodarii w(f.ctx);
    w.prepare();
    ASSERT_TRUE(w.selectRole(id));
    for (int page : {1, 3}) {
        ASSERT_NE(w.dataPage(page)->FisaCalcul, nullptr) << page;
        EXPECT_FALSE(w.dataPage(page)->FisaCalcul->isEnabled()) << page;
    }
    qint64 asked = 0;
    w.setLandSheetAction(3, [&](qint64 role) { asked = role; });
    EXPECT_TRUE(w.dataPage(3)->FisaCalcul->isEnabled());
    EXPECT_FALSE(w.dataPage(1)->FisaCalcul->isEnabled());
    w.dataPage(3)->FisaCalcul->click();
    EXPECT_EQ(asked, id);
    w.setLandSheetAction(3, {});
    EXPECT_FALSE(w.dataPage(3)->FisaCalcul->isEnabled());
}

TEST(RoleRegister, LandSheetOfTheCurrentRole)
{
    RegisterFixture f;
    ScriptedInteraction s;
    const qint64 id = f.add("Deal", "8", "Pop Ion");
    f.d().exec("UPDATE Pag1 SET L1A=1.2345 WHERE IDGOS=?", {id});
    f.ctx.adminValues().setText("EC1ZA", "40");
    TGospodarii w(f.ctx);
    installLandSheets(w, f.ctx);
    w.prepare();
    ASSERT_TRUE(w.selectRole(id));
    ASSERT_TRUE(w.dataPage(1)->FisaCalcul->isEnabled());
    w.dataPage(1)->FisaCalcul->click();
    ASSERT_EQ(s.opened.size(), 1);
    EXPECT_TRUE(s.opened[0].endsWith(".xlsx")) << s.opened[0].toStdString();
    const xlsx::Workbook book = xlsx::Workbook::open(s.opened[0]);
    const xlsx::Worksheet &sheet = book.sheet(0);
    bool foundRole = false, foundArea = false;
    sheet.forEachCell([&](int r, int c, const xlsx::Cell &) {
        foundRole |= sheet.text(r, c).contains("Pop Ion");
        foundArea |= sheet.number(r, c) == 1.2345;
    });
    EXPECT_TRUE(foundRole);
    EXPECT_TRUE(foundArea);
    w.dataPage(3)->FisaCalcul->click();
    EXPECT_EQ(s.opened.size(), 2);
}

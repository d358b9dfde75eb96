// The buildings page of the role register end to end, through the interaction
// seam: adding a building with its checks, changing and deleting it, the
// calculation sheet file, a sale and the purchase by another role (once only),
// and the year lock.

#include "app/db/ActionLog.h"
#include "app/db/DbFixture.h"
#include "app/db/Rows.h"
#include "app/startup/AppContext.h"
#include "register/store/BuildingStore.h"
#include "register/store/RoleStore.h"
#include "register/ui/BandHeader.h"
#include "register/ui/BuildingListModel.h"
#include "register/ui/BuildingsPage.h"
#include "register/ui/TCladAddF.h"
#include "register/ui/TCladCumpF.h"
#include "register/ui/TCladVanzF.h"
#include "register/ui/TGospodarii.h"
#include "support/ScriptedInteraction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QStandardItemModel>
#include <QTableView>
#include <gtest/gtest.h>

using namespace valdora;
using namespace valdora::roles;
using namespace valdora::test;

namespace {

QDate d(int day, int month, int year) { return QDate(year, month, day); }

struct PageFixture : ProgramFixture {
    AppContext ctx;
    RegistryStore registry{106};
    std::unique_ptr<TGospodarii> window;
    BuildingsPage *page = nullptr;

    PageFixture()
    {
        ctx.startup = start();
        ctx.db = db();
        ctx.registry = &registry;
        ctx.clock = &clock;
        ctx.user = {"ADMIN", "952", admin::Grade::Admin, {}};
    }
    Database &d_() { return *ctx.db; }
    qint64 role(const QString &rol, const QString &name, const QString &tip = QStringLiteral("FIZICA"))
    {
        RoleRecord r;
        r.SATUL = QStringLiteral("LUNCA");
        r.ROL = rol;
        r.NUMEP = name;
        r.TIP = tip;
        r.STRADA = QStringLiteral("Unirii");
        SettingsFile s = ctx.settings();
        return addRole(d_(), s, r);
    }
    // The register, as the main window opens it, on the buildings page of a role.
    void open(qint64 IDGOS)
    {
        if (!window) {
            window = std::make_unique<TGospodarii>(ctx);
            page = installBuildingsPage(*window, ctx);
            window->prepare();
        }
        window->pageList->setCurrentRow(0);
        ASSERT_TRUE(window->selectRole(IDGOS));
        window->pageList->setCurrentRow(3); // "   - cladiri"
        ASSERT_EQ(window->currentPage(), 2);
        ASSERT_EQ(window->pageWidget(2), page);
        ASSERT_EQ(page->roleId(), IDGOS);
    }
    QString cell(int row, BuildingColumn c) { return BuildingListModel::cellText(page->model->rows()[size_t(row)], c); }
    QString value(const QString &sql, const QVariantList &params = {}) { return d_().scalar(sql, params).toString(); }
    std::vector<LogEntry> log() { return ActionLog::readAll(d_()); }
};

QStringList items(const QComboBox *c)
{
    QStringList out;
    for (int i = 0; i < c->count(); ++i)
        out << c->itemText(i);
    return out;
}

// Clicks "Memoreaza" and expects the balloon on `field`, the dialog still open.
void refused(ScriptedInteraction &s, TCladAddF *dlg, QWidget *field, const char *text)
{
    const size_t before = s.problems.size();
    dlg->Memoreaza->click();
    ASSERT_EQ(s.problems.size(), before + 1) << text;
    EXPECT_EQ(s.problems.back().text, QString::fromLatin1(text));
    EXPECT_EQ(s.problems.back().control.data(), field) << text;
    EXPECT_TRUE(dlg->isVisible());
}

// The worked example: 100 m2, "Cladire", material 0, with utilities, zone A, rank IV.
qint64 addWorkedExample(PageFixture &f, qint64 IDGOS)
{
    BuildingRecord b;
    b.IDGOS = IDGOS;
    b.SUPRAFD = Currency::fromLei(100);
    b.ANUL = 1990;
    b.RANG = 4;
    b.CUUTIL = QStringLiteral("DA");
    b.DATADOB = d(1, 5, 2025);
    b.DATAIN = d(10, 5, 2025);
    b.ADRESA = QStringLiteral("Str. Morii 7");
    SettingsFile s = f.ctx.settings();
    return addBuilding(f.d_(), s, b);
}

} // namespace

TEST(BuildingsPage, AddingABuildingChecksItsFieldsAndListsItsTax)
{
    PageFixture f;
    const qint64 a = f.role("125", "POPESCU ION");
    ScriptedInteraction s;
    f.open(a);
    BuildingsPage *p = f.page;
    EXPECT_EQ(p->shownBuildings(), 0);
    EXPECT_TRUE(p->AddClad->isEnabled());
    EXPECT_TRUE(p->Cumparare->isEnabled());
    for (QPushButton *b : {p->EditClad, p->DelClad, p->FisaCalcul, p->Vanzare})
        EXPECT_FALSE(b->isEnabled()) << b->text().toStdString();
    EXPECT_EQ(p->Cumparare->toolTip(), "Adauga o cladire vanduta de alt ROL.");
    EXPECT_EQ(p->Vanzare->toolTip(), "Vinde cladirea selectata.");
    EXPECT_EQ(p->GridHeader->bandOf(int(BuildingColumn::DATAIN)), "Evidenta");
    EXPECT_EQ(p->GridHeader->bandOf(int(BuildingColumn::TIPC)), "Clasificare");
    EXPECT_EQ(p->GridHeader->bandOf(int(BuildingColumn::SUPRAFD)), "Rezidentiala");
    EXPECT_EQ(p->GridHeader->bandOf(int(BuildingColumn::VALOAREN)), "Nerezidentiala");
    EXPECT_EQ(p->GridHeader->bandOf(int(BuildingColumn::IMPOZIT)), "");
    EXPECT_EQ(p->model->headerData(int(BuildingColumn::SUPRAFD), Qt::Horizontal, Qt::DisplayRole).toString(),
              "Suprafata desfasurata (mp)");

    whenModal<TCladAddF>([&](TCladAddF *dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Cladiri");
        EXPECT_EQ(dlg->Titlu->text(), "Adaugare Cladire");
        // The defaults of a new building.
        EXPECT_EQ(dlg->Clasificare->currentText(), "REZIDENTIALA");
        EXPECT_FALSE(dlg->MixtPanel->isVisibleTo(dlg));
        EXPECT_EQ(items(dlg->IdMixt), QStringList{"nu exista in lista"});
        EXPECT_EQ(dlg->DataDob->date(), d(1, 1, 2026));
        EXPECT_EQ(dlg->DataIn->date(), d(2, 3, 2026));
        EXPECT_FALSE(dlg->Instrainata->isChecked());
        EXPECT_FALSE(dlg->DataVanz->isEnabled());
        EXPECT_EQ(dlg->DataVanz->date(), d(2, 3, 2026));
        EXPECT_EQ(dlg->DataOut->date(), d(2, 3, 2026));
        EXPECT_EQ(dlg->Destinatie->currentText(), "Cladire");
        EXPECT_EQ(items(dlg->Destinatie).last(), "Subsol, Demisol, Mansarda nelocuita");
        EXPECT_FALSE(dlg->LaBloc->isChecked());
        EXPECT_EQ(dlg->Zona->currentText(), "A");
        EXPECT_EQ(dlg->Rang->currentText(), "IV");
        EXPECT_EQ(dlg->Suprafata->text(), "0");
        EXPECT_EQ(dlg->Anul->text(), "0");
        EXPECT_EQ(dlg->Material->currentIndex(), 0);
        EXPECT_EQ(dlg->CuUtil->currentText(), "NU");
        EXPECT_EQ(dlg->DataEval->date(), d(1, 1, 2000));
        EXPECT_EQ(dlg->Adresa->text(), "");
        // A natural person's residential page: no evaluation.
        EXPECT_TRUE(dlg->Suprafata->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->DataEval->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->ActAgr->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->NuEvaluata->isVisibleTo(dlg));
        dlg->Clasificare->setCurrentText("NEREZIDENTIALA");
        EXPECT_TRUE(dlg->DataEval->isVisibleTo(dlg));
        EXPECT_TRUE(dlg->NuEvaluata->isVisibleTo(dlg));
        dlg->NuEvaluata->setChecked(true);
        EXPECT_FALSE(dlg->Valoare->isEnabled());
        dlg->NuEvaluata->setChecked(false);
        dlg->Clasificare->setCurrentText("MIXTA");
        EXPECT_TRUE(dlg->MixtPanel->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->DataEval->isVisibleTo(dlg)); // a residential part
        dlg->Clasificare->setCurrentText("REZIDENTIALA");

        // The checks in their order, each on its field.
        refused(s, dlg, dlg->Suprafata, "Suprafata incorecta!");
        dlg->Suprafata->setText("100");
        refused(s, dlg, dlg->Anul, "Anul este incorect!");
        dlg->Anul->setText("2027");
        refused(s, dlg, dlg->Anul, "Anul este incorect!");
        dlg->Anul->setText("1990");
        dlg->DataIn->setDate(d(3, 3, 2026));
        refused(s, dlg, dlg->DataIn, "Valoare incorecta!");
        dlg->DataIn->setDate(d(10, 5, 2025));
        refused(s, dlg, dlg->DataDob, "Data incorecta!"); // acquired 1 January 2026, after the entry
        dlg->DataDob->setDate(d(1, 5, 2025));
        dlg->Instrainata->setChecked(true);
        EXPECT_TRUE(dlg->DataVanz->isEnabled());
        dlg->DataVanz->setDate(d(5, 3, 2026));
        refused(s, dlg, dlg->DataVanz, "Data incorecta!");
        dlg->Instrainata->setChecked(false);
        dlg->ObsOut->setText("nu se pastreaza");
        dlg->CuUtil->setCurrentText("DA");
        dlg->Adresa->setText("  Str.  Morii   7 ");
        dlg->ObsIn->setText(" act   123 ");
        EXPECT_EQ(f.d_().count("Pag2"), 0);
        dlg->Memoreaza->click();
        EXPECT_FALSE(dlg->isVisible());
    });
    s.answer(ui::ResultOk, "Adaugare Cladire"); // entered in an earlier year
    p->AddClad->click();
    EXPECT_EQ(s.messages.back().text, "Trebuie sa Adaugati ROL-ul la plata!");

    ASSERT_EQ(f.d_().count("Pag2"), 1);
    const qint64 id = f.value("SELECT IDCLAD FROM Pag2").toLongLong();
    EXPECT_EQ(f.value("SELECT IDGOS||'|'||IDMANUAL||'|'||MIXTA||'|'||TIPC||'|'||ACTAGR||'|'||DATAEVAL||'|'||VALOAREN||'|'||"
                      "DESTINATIE||'|'||APT8||'|'||ZONA||'|'||RANG||'|'||SUPRAFD||'|'||ANUL||'|'||CODMAT||'|'||CUUTIL||'|'||"
                      "VALOAREJR FROM Pag2"),
              QStringLiteral("%1|%2||R|NU|2000-01-01|0|1|NU|A|4|100|1990|0|DA|0").arg(a).arg(id));
    EXPECT_EQ(f.value("SELECT DATADOB||'|'||DATAIN||'|'||OBSIN||'|'||DATAVANZ||'|'||DATAOUT||'|'||OBSOUT||'|'||ADRESA "
                      "FROM Pag2"),
              "2025-05-01|2025-05-10|act 123|1900-01-01|1900-01-01||Str. Morii 7");

    // The list is reopened on the new building, with its computed columns.
    ASSERT_EQ(p->shownBuildings(), 1);
    ASSERT_TRUE(p->currentBuilding());
    EXPECT_EQ(p->currentBuilding()->building.IDCLAD, id);
    EXPECT_EQ(f.cell(0, BuildingColumn::IDMANUAL), QString::number(id));
    EXPECT_EQ(f.cell(0, BuildingColumn::DATAIN), "10.05.2025");
    EXPECT_EQ(f.cell(0, BuildingColumn::DATAOUTS), "-");
    EXPECT_EQ(f.cell(0, BuildingColumn::DESTINATIES), "Cladire");
    EXPECT_EQ(f.cell(0, BuildingColumn::SUPRAFD), "100.00");
    EXPECT_EQ(f.cell(0, BuildingColumn::ANULS), "1990");
    EXPECT_EQ(f.cell(0, BuildingColumn::CODMATS), "beton...");
    EXPECT_EQ(f.cell(0, BuildingColumn::DATAEVALS), "-");
    EXPECT_EQ(f.cell(0, BuildingColumn::VALIMPOZ), "294470.00"); // 1.10 x 2677 x 100
    EXPECT_EQ(f.cell(0, BuildingColumn::IMPOZIT), "294");         // 294.47
    for (QPushButton *b : {p->EditClad, p->DelClad, p->FisaCalcul, p->Vanzare})
        EXPECT_TRUE(b->isEnabled()) << b->text().toStdString();
    ASSERT_FALSE(f.log().empty());
    EXPECT_EQ(f.log().back().rol, "125");
    EXPECT_EQ(f.log().back().action, QStringLiteral("Adaugare cladire %1").arg(id));

    // A building entered this year: no message, no tax, its value shown.
    whenModal<TCladAddF>([&](TCladAddF *dlg) {
        dlg->Suprafata->setText("100");
        dlg->Anul->setText("2025");
        dlg->CuUtil->setCurrentText("DA");
        dlg->Destinatie->setCurrentIndex(2); // 75% of "Cladire"
        dlg->Memoreaza->click();
    });
    const size_t messages = s.messages.size();
    p->AddClad->click();
    EXPECT_EQ(s.messages.size(), messages);
    ASSERT_EQ(p->shownBuildings(), 2);
    EXPECT_EQ(p->currentBuilding()->building.DATAIN, d(2, 3, 2026));
    EXPECT_EQ(f.cell(1, BuildingColumn::DESTINATIES), "Mansarda loc.");
    EXPECT_EQ(f.cell(1, BuildingColumn::VALIMPOZ), "220852.50"); // 1.10 x 0.75 x 2677 x 100
    EXPECT_EQ(f.cell(1, BuildingColumn::IMPOZIT), "0");
}

TEST(BuildingsPage, EditingMixedPartsAndDeleting)
{
    PageFixture f;
    const qint64 a = f.role("125", "POPESCU ION");
    const qint64 first = addWorkedExample(f, a);
    ScriptedInteraction s;
    f.open(a);
    BuildingsPage *p = f.page;

    // The dialog comes filled from the row; the building becomes a non-evaluated
    // non-residential one: 2% of its area-based value.
    whenModal<TCladAddF>([&](TCladAddF *dlg) {
        EXPECT_EQ(dlg->Titlu->text(), "Modificare cladire");
        EXPECT_EQ(dlg->Clasificare->currentText(), "REZIDENTIALA");
        EXPECT_EQ(dlg->Suprafata->text(), "100");
        EXPECT_EQ(dlg->Anul->text(), "1990");
        EXPECT_EQ(dlg->CuUtil->currentText(), "DA");
        EXPECT_EQ(dlg->Rang->currentText(), "IV");
        EXPECT_EQ(dlg->Adresa->text(), "Str. Morii 7");
        EXPECT_EQ(dlg->DataIn->date(), d(10, 5, 2025));
        dlg->Clasificare->setCurrentText("NEREZIDENTIALA");
        refused(s, dlg, dlg->Valoare, "Valoare incorecta!");
        dlg->NuEvaluata->setChecked(true);
        dlg->Memoreaza->click();
    });
    p->EditClad->click();
    ASSERT_EQ(p->shownBuildings(), 1);
    EXPECT_EQ(p->currentBuilding()->building.TIPC, "N");
    EXPECT_EQ(p->currentBuilding()->building.IDMANUAL, first);
    EXPECT_EQ(f.cell(0, BuildingColumn::IMPOZIT), "5889"); // 294470 x 2%
    EXPECT_EQ(f.log().back().action, QStringLiteral("Modificare cladire %1").arg(first));

    // It becomes the residential part of a mixed building of its own ...
    whenModal<TCladAddF>([&](TCladAddF *dlg) {
        EXPECT_TRUE(dlg->NuEvaluata->isChecked());
        dlg->Clasificare->setCurrentText("MIXTA");
        dlg->ScopMixt->setCurrentText("REZIDENTIAL");
        dlg->Memoreaza->click();
    });
    p->EditClad->click();
    EXPECT_EQ(f.value("SELECT MIXTA||TIPC||IDMANUAL FROM Pag2 WHERE IDCLAD=?", {first}), QStringLiteral("XR%1").arg(first));

    // ... which a second, non-residential part joins.
    whenModal<TCladAddF>([&](TCladAddF *dlg) {
        EXPECT_EQ(items(dlg->IdMixt), (QStringList{"nu exista in lista", QString::number(first)}));
        dlg->Clasificare->setCurrentText("MIXTA");
        dlg->ScopMixt->setCurrentText("NEREZIDENTIAL");
        dlg->IdMixt->setCurrentText(QString::number(first));
        dlg->Suprafata->setText("40");
        dlg->Anul->setText("2001");
        dlg->DataEval->setDate(d(1, 6, 2024));
        dlg->Valoare->setText("80000");
        dlg->DataIn->setDate(d(10, 5, 2025));
        dlg->DataDob->setDate(d(10, 5, 2025));
        dlg->Memoreaza->click();
    });
    s.answer(ui::ResultOk, "Adaugare Cladire");
    p->AddClad->click();
    ASSERT_EQ(p->shownBuildings(), 2);
    const qint64 second = p->currentBuilding()->building.IDCLAD;
    EXPECT_NE(second, first);
    EXPECT_EQ(f.cell(0, BuildingColumn::IDMANUAL), QString::number(first));
    EXPECT_EQ(f.cell(1, BuildingColumn::IDMANUAL), QString::number(first));
    EXPECT_EQ(f.cell(1, BuildingColumn::MIXTA), "X");
    EXPECT_EQ(f.cell(0, BuildingColumn::IMPOZIT), "294"); // each part by its own use
    EXPECT_EQ(f.cell(1, BuildingColumn::IMPOZIT), "320"); // 80000 x 0.4%

    // Deleting asks; "NU" keeps the row.
    s.answer(ui::ResultNu, "Stergere cladire");
    p->DelClad->click();
    EXPECT_EQ(s.messages.back().text, "Doriti sa stergeti cladirea selectata?");
    EXPECT_EQ(p->shownBuildings(), 2);
    ASSERT_TRUE(p->selectBuilding(first));
    s.answer(ui::ResultDa, "Stergere cladire").answer(ui::ResultOk, "Stergere cladire");
    p->DelClad->click();
    EXPECT_EQ(s.messages.back().text, "Cladirea a fost stearsa.\rVa trebui sa Adaugati ROL la plata.");
    ASSERT_EQ(p->shownBuildings(), 1);
    EXPECT_EQ(p->currentBuilding()->building.IDCLAD, second); // the last row
    EXPECT_EQ(f.log().back().action, QStringLiteral("Stergere cladire %1").arg(first));
    s.answer(ui::ResultDa, "Stergere cladire").answer(ui::ResultOk, "Stergere cladire");
    p->DelClad->click();
    EXPECT_EQ(p->shownBuildings(), 0);
    EXPECT_FALSE(p->DelClad->isEnabled());
    EXPECT_EQ(f.d_().count("Pag2"), 0);
}

TEST(BuildingsPage, CalculationSheetFile)
{
    PageFixture f;
    const qint64 a = f.role("125", "POPESCU ION");
    addWorkedExample(f, a);
    ScriptedInteraction s;
    f.open(a);
    f.page->FisaCalcul->click();
    ASSERT_EQ(s.opened.size(), 1);
    const QString path = s.opened.front();
    EXPECT_EQ(QFileInfo(path).fileName(), "FisCCladiri0.txt");
    EXPECT_EQ(QFileInfo(path).absolutePath(), QFileInfo(f.ctx.folders().temp).absoluteFilePath());
    const QStringList lines = {
        "FISA DE CALCUL CLADIRE",
        "***********************",
        "",
        "LUNCA",
        "ROL: 125 - POPESCU ION",
        "",
        "Tip persoana           : FIZICA",
        "Tip cladire            : REZIDENTIALA",
        "Suprafata              : 100.00 mp",
        "Destinatia cladirii    : Cladire",
        "Cod material           : 0",
        "Cu toate utilitatile   : DA",
        "Situata in Zona        : A",
        "                Rangul    : IV",
        "",
        "Coeficient cf.L.239/2025 pct.28   = 2677",
        "Coeficient cf.Art.457 alin(6)    = 1.10",
        "TaxaLux cf.L.239 pct.51 alin(a)  = 0.00",
        "",
        "",
        "Calculul valorii impozabile : Suprafata X CoefArt457alin2 X (1+RataInflatiei/100) * CoefArt457alin6 =",
        " = 100.00 X 2677 X (1+0.00/100) * 1.10 = 294470.00 lei",
        "",
        "Cota stabilita prin H.C.L.       = 0.10 %",
        "IMPOZIT CALCULAT : ValoareImpozabila X CotaHCL + TaxaLux = 294470.00 X 0.10 / 100 + 0.00 = 294.47 lei",
        "",
        "IMPOZIT FINAL (stabilit prin rotunjire) = 294.00 lei",
        QString(67, u'*'),
    };
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(QString::fromUtf8(file.readAll()), lines.join("\r\n") + "\r\n");

    // The constants are read when computing: a rate saved in the administration
    // counts at the next sheet and list.
    f.ctx.adminValues().setText("CotaCRPF", "0.2");
    f.page->FisaCalcul->click();
    ASSERT_EQ(s.opened.size(), 2);
    QFile again(s.opened.back());
    ASSERT_TRUE(again.open(QIODevice::ReadOnly));
    const QStringList written = QString::fromUtf8(again.readAll()).split("\r\n");
    EXPECT_TRUE(written.contains("Cota stabilita prin H.C.L.       = 0.20 %"));
    EXPECT_TRUE(written.contains("IMPOZIT FINAL (stabilit prin rotunjire) = 589.00 lei"));
    f.open(a);
    EXPECT_EQ(f.cell(0, BuildingColumn::IMPOZIT), "589");
}

TEST(BuildingsPage, SaleToAnotherRoleAndPurchaseThereOnlyOnce)
{
    PageFixture f;
    const qint64 seller = f.role("125", "POPESCU ION");
    const qint64 buyer = f.role("7", "ANGHEL MARIA");
    const qint64 third = f.role("8", "DINU ANA");
    const qint64 house = addWorkedExample(f, seller);
    ScriptedInteraction s;

    // Nothing sold yet.
    f.open(buyer);
    s.answer(ui::ResultOk, "Cumparare constructie");
    f.page->Cumparare->click();
    EXPECT_EQ(s.messages.back().text,
              "\rNicio constructie nu figureaza ca vanduta!\rMergeti la Vanzator si modificati Data iesirii din evidenta!");

    // The sale, at the seller.
    f.open(seller);
    ASSERT_TRUE(f.page->Vanzare->isEnabled());
    whenModal<TCladVanzF>([&](TCladVanzF *dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Vanzare Constructie");
        EXPECT_EQ(dlg->DataVanz->date(), d(2, 3, 2026));
        dlg->DataVanz->setDate(d(3, 3, 2026));
        dlg->Memoreaza->click();
        ASSERT_FALSE(s.problems.empty());
        EXPECT_EQ(s.problems.back().text, "Data vanzarii este incorecta!");
        EXPECT_EQ(s.problems.back().control.data(), dlg->DataVanz);
        EXPECT_TRUE(dlg->isVisible());
        dlg->DataVanz->setDate(d(20, 2, 2026));
        dlg->ObsVanz->setText("  contract  vanzare 12 ");
        dlg->Memoreaza->click();
    });
    s.answer(ui::ResultOk, "Vanzare cladire");
    f.page->Vanzare->click();
    EXPECT_EQ(s.messages.back().text, "\rCladirea a fost marcata ca fiind vanduta.");
    EXPECT_EQ(f.value("SELECT DATAVANZ||'|'||DATAOUT||'|'||OBSOUT||'|'||IDGOS FROM Pag2 WHERE IDCLAD=?", {house}),
              QStringLiteral("2026-02-20|2026-03-02|contract vanzare 12|%1").arg(seller));
    EXPECT_EQ(f.log().back().action, QStringLiteral("Vanzare cladire %1").arg(house));
    EXPECT_EQ(f.log().back().rol, "125");
    // It stays with the seller, taxed for the year, and cannot be sold again.
    ASSERT_EQ(f.page->shownBuildings(), 1);
    EXPECT_EQ(f.cell(0, BuildingColumn::DATAOUTS), "02.03.2026");
    EXPECT_EQ(f.cell(0, BuildingColumn::IMPOZIT), "294");
    EXPECT_FALSE(f.page->Vanzare->isEnabled());
    // The seller is not offered its own building.
    s.answer(ui::ResultOk, "Cumparare constructie");
    f.page->Cumparare->click();

    // The purchase, at the buyer.
    f.open(buyer);
    EXPECT_EQ(f.page->shownBuildings(), 0);
    whenModal<TCladCumpF>([&](TCladCumpF *dlg) {
        EXPECT_EQ(dlg->windowTitle(), "Cumparare Constructie");
        ASSERT_EQ(dlg->offers().size(), 1u);
        auto *m = qobject_cast<QStandardItemModel *>(dlg->Grid->model());
        ASSERT_TRUE(m);
        QStringList header, row;
        for (int c = 0; c < m->columnCount(); ++c) {
            header << m->headerData(c, Qt::Horizontal).toString();
            row << m->item(0, c)->text();
        }
        EXPECT_EQ(header, TCladCumpF::columnTitles());
        EXPECT_EQ(header.first(), "Tip persoana");
        EXPECT_EQ(row, (QStringList{"FIZICA", "LUNCA", "125", "POPESCU ION", "Rezidentiala", "Unirii", "Str. Morii 7",
                                    "20.02.2026", "02.03.2026", "contract vanzare 12"}));
        dlg->AmAles->click();
    });
    s.answer(ui::ResultOk, "Cumparare Cladire");
    f.page->Cumparare->click();
    EXPECT_EQ(s.messages.back().text, "\rCladirea a fost adaugata cu succes!");
    ASSERT_EQ(f.page->shownBuildings(), 1);
    const BuildingRecord bought = f.page->currentBuilding()->building;
    EXPECT_NE(bought.IDCLAD, house);
    EXPECT_EQ(bought.IDGOS, buyer);
    EXPECT_EQ(bought.IDMANUAL, house);
    EXPECT_EQ(bought.DATADOB, d(20, 2, 2026));
    EXPECT_EQ(bought.DATAIN, d(2, 3, 2026));
    EXPECT_EQ(bought.OBSIN, "contract vanzare 12");
    EXPECT_EQ(bought.DATAVANZ, d(1, 1, 1900));
    EXPECT_EQ(bought.DATAOUT, d(1, 1, 1900));
    EXPECT_EQ(bought.OBSOUT, "");
    EXPECT_EQ(bought.ADRESA, ""); // the buyer enters the address
    EXPECT_EQ(bought.SUPRAFD, Currency::fromLei(100));
    EXPECT_EQ(bought.CUUTIL, "DA");
    // Taken into the records this year: no tax yet, its value shown.
    EXPECT_EQ(f.cell(0, BuildingColumn::VALIMPOZ), "294470.00");
    EXPECT_EQ(f.cell(0, BuildingColumn::IMPOZIT), "0");
    EXPECT_TRUE(f.page->Vanzare->isEnabled());
    EXPECT_EQ(f.log().back().rol, "7");
    EXPECT_EQ(f.log().back().action, QStringLiteral("Cumparare cladire %1 de la ROL 125").arg(bought.IDCLAD));
    EXPECT_EQ(f.d_().count("Pag2"), 2);

    // It cannot be bought twice: neither by the buyer nor by anyone else.
    ASSERT_TRUE(purchaseOffers(f.d_(), buyer, d(1, 1, 2026)).empty());
    ASSERT_TRUE(purchaseOffers(f.d_(), third, d(1, 1, 2026)).empty());
    s.answer(ui::ResultOk, "Cumparare constructie");
    f.page->Cumparare->click();
    EXPECT_EQ(s.messages.back().title, "Cumparare constructie");
    f.open(third);
    s.answer(ui::ResultOk, "Cumparare constructie");
    f.page->Cumparare->click();
    EXPECT_EQ(s.messages.back().title, "Cumparare constructie");
    EXPECT_EQ(f.d_().count("Pag2"), 2);
}

TEST(BuildingsPage, ALegalPersonsBuildingTakesTheOfficesZoneAndKeepsItsBlockAnswer)
{
    PageFixture f;
    const qint64 a = f.role("9", "AGRO SRL", "JURIDICA");
    f.ctx.adminValues().setText("ComboBox2", "B");
    f.ctx.adminValues().setText("ComboBox3", "II");
    ScriptedInteraction s;
    f.open(a);
    whenModal<TCladAddF>([&](TCladAddF *dlg) {
        EXPECT_EQ(dlg->Zona->currentText(), "B");
        EXPECT_EQ(dlg->Rang->currentText(), "II");
        // Legal person, residential: evaluation, value, destination only.
        EXPECT_FALSE(dlg->Suprafata->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->Zona->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->LaBloc->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->ActAgr->isVisibleTo(dlg));
        EXPECT_TRUE(dlg->DataEval->isVisibleTo(dlg));
        EXPECT_TRUE(dlg->Valoare->isVisibleTo(dlg));
        EXPECT_TRUE(dlg->Destinatie->isVisibleTo(dlg));
        dlg->DataEval->setDate(d(3, 3, 2026));
        refused(s, dlg, dlg->DataEval, "Data evaluarii este incorecta!");
        dlg->DataEval->setDate(d(10, 5, 2020));
        refused(s, dlg, dlg->Valoare, "Valoare incorecta!");
        dlg->Valoare->setText("2600000");
        dlg->DataIn->setDate(d(15, 5, 2020));
        dlg->DataDob->setDate(d(15, 5, 2020));
        dlg->Memoreaza->click();
    });
    s.answer(ui::ResultOk, "Adaugare Cladire");
    f.page->AddClad->click();
    ASSERT_EQ(f.page->shownBuildings(), 1);
    const qint64 id = f.page->currentBuilding()->building.IDCLAD;
    EXPECT_EQ(f.value("SELECT ZONA||RANG||'|'||ANUL||'|'||SUPRAFD||'|'||CODMAT||CUUTIL||APT8||ACTAGR||'|'||VALOAREN||'|'||"
                      "VALOAREJR FROM Pag2"),
              "B2|1500|0|0NUNUNU|0|2600000");
    EXPECT_EQ(f.cell(0, BuildingColumn::ANULS), "-");
    EXPECT_EQ(f.cell(0, BuildingColumn::CODMATS), "-");
    EXPECT_EQ(f.cell(0, BuildingColumn::DATAEVALS), "-"); // before 31.12.2020
    EXPECT_EQ(f.cell(0, BuildingColumn::VALOAREJR), "2600000.00");
    // Evaluated more than EvalPJAni (5) years before 1 January: 5%, plus the luxury part of 900 lei.
    EXPECT_EQ(f.cell(0, BuildingColumn::IMPOZIT), "130900");

    // The legal-person pages do not show "La bloc": an edit leaves it as stored.
    f.d_().exec("UPDATE Pag2 SET APT8='DA'");
    whenModal<TCladAddF>([&](TCladAddF *dlg) {
        EXPECT_EQ(dlg->Valoare->text(), "2600000");
        dlg->Clasificare->setCurrentText("NEREZIDENTIALA");
        EXPECT_TRUE(dlg->ActAgr->isVisibleTo(dlg));
        EXPECT_FALSE(dlg->NuEvaluata->isVisibleTo(dlg));
        dlg->Memoreaza->click();
    });
    f.page->EditClad->click();
    EXPECT_EQ(f.value("SELECT APT8||TIPC||'|'||VALOAREN||'|'||VALOAREJR FROM Pag2 WHERE IDCLAD=?", {id}), "DAN|2600000|0");
}

TEST(BuildingsPage, ALockedYearRefusesEveryChangeButShowsTheSheet)
{
    PageFixture f;
    const qint64 a = f.role("125", "POPESCU ION");
    const qint64 b = f.role("7", "ANGHEL MARIA");
    addWorkedExample(f, a);
    const qint64 sold = addWorkedExample(f, b);
    sellBuilding(f.d_(), sold, d(20, 2, 2026), d(2, 3, 2026), "x");
    f.ctx.adminValues().yearLocked = true;
    ScriptedInteraction s;
    f.open(a);
    for (QPushButton *button : {f.page->AddClad, f.page->EditClad, f.page->DelClad, f.page->Vanzare, f.page->Cumparare}) {
        ASSERT_TRUE(button->isEnabled()) << button->text().toStdString();
        s.answer(ui::ResultOk, "Modificare matricola");
        button->click();
        EXPECT_EQ(s.messages.back().text, "Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!");
    }
    EXPECT_EQ(f.d_().count("Pag2"), 2);
    EXPECT_EQ(f.value("SELECT DATAOUT FROM Pag2 WHERE IDGOS=?", {a}), "1900-01-01");
    f.page->FisaCalcul->click();
    EXPECT_EQ(s.opened.size(), 1);
}

#include "register/ui/BuildingsPage.h"

#include "app/core/Dates.h"
#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"
#include "register/domain/BuildingTaxSheet.h"
#include "register/store/BuildingConstants.h"
#include "register/store/BuildingEntry.h"
#include "register/store/CalculationSheetFile.h"
#include "register/store/RoleStore.h"
#include "register/ui/BandHeader.h"
#include "register/ui/BuildingListModel.h"
#include "register/ui/GridRows.h"
#include "register/ui/TCladAddF.h"
#include "register/ui/TCladCumpF.h"
#include "register/ui/TCladVanzF.h"
#include "register/ui/TGospodarii.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace valdora::roles {
namespace {

constexpr int fiscalYear = edition::FiscalYear;

const QString addTitle = QStringLiteral("Adaugare Cladire");
const QString editTitle = QStringLiteral("Modificare cladire");
const QString deleteTitle = QStringLiteral("Stergere cladire");
const QString sheetTitle = QStringLiteral("Fisa de calcul");
const QString saleTitle = QStringLiteral("Vanzare cladire");
const QString purchaseTitle = QStringLiteral("Cumparare Cladire");

void inform(const QString &title, const QString &text) { ui::message(title, text, ui::Ok, ui::Information); }

QList<qint64> mixedIdsOf(const std::vector<BuildingRecord> &buildings)
{
    QList<BuildingRow> rows;
    for (const BuildingRecord &b : buildings)
        rows << b.taxRow();
    return mixedBuildingIds(rows);
}

} // namespace

BuildingsPage::BuildingsPage(AppContext &ctx, QWidget *parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("BuildingsPage"));
    auto *l = new QVBoxLayout(this);
    Caption = new QLabel(QStringLiteral("Cladiri"), this);
    QFont f = Caption->font();
    f.setBold(true);
    Caption->setFont(f);
    l->addWidget(Caption);

    model = new BuildingListModel(this);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    GridHeader = new BandHeader(Grid);
    Grid->setHorizontalHeader(GridHeader);
    Grid->setModel(model);
    GridHeader->addBand(QStringLiteral("Evidenta"), int(BuildingColumn::DATAIN), int(BuildingColumn::DATAOUTS));
    GridHeader->addBand(QStringLiteral("Clasificare"), int(BuildingColumn::MIXTA), int(BuildingColumn::DESTINATIES));
    GridHeader->addBand(QStringLiteral("Rezidentiala"), int(BuildingColumn::SUPRAFD), int(BuildingColumn::VALOAREJR));
    GridHeader->addBand(QStringLiteral("Nerezidentiala"), int(BuildingColumn::DATAEVALS), int(BuildingColumn::ACTAGR));
    Grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    Grid->setSelectionMode(QAbstractItemView::SingleSelection);
    Grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    Grid->verticalHeader()->hide();
    Grid->verticalHeader()->setDefaultSectionSize(Grid->fontMetrics().height() + 6);
    Grid->setWordWrap(false);
    const int widths[] = {50, 180, 80, 80, 45, 35, 110, 165, 105, 80, 50, 50, 40, 40, 90, 85, 90, 55, 100, 70};
    for (int c = 0; c < BuildingColumnCount; ++c)
        Grid->setColumnWidth(c, widths[c]);
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { syncButtons(); });
    connect(Grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid())
            EditCladClick();
    });
    l->addWidget(Grid, 1);

    auto *commands = new QHBoxLayout;
    auto button = [&](const char *name, const QString &caption, void (BuildingsPage::*slot)()) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        connect(b, &QPushButton::clicked, this, slot);
        commands->addWidget(b);
        return b;
    };
    AddClad = button("AddClad", QStringLiteral("Adauga Cladire"), &BuildingsPage::AddCladClick);
    EditClad = button("EditClad", QStringLiteral("Modifica Cladire"), &BuildingsPage::EditCladClick);
    DelClad = button("DelClad", QStringLiteral("Sterge Cladire"), &BuildingsPage::DelCladClick);
    FisaCalcul = button("FisaCalcul", QStringLiteral("Fisa de calcul"), &BuildingsPage::FisaCalculClick);
    commands->addSpacing(24);
    Cumparare = button("Cumparare", QStringLiteral("Cumparare"), &BuildingsPage::CumparareClick);
    Cumparare->setToolTip(QStringLiteral("Adauga o cladire vanduta de alt ROL."));
    Vanzare = button("Vanzare", QStringLiteral("Vanzare"), &BuildingsPage::VanzareClick);
    Vanzare->setToolTip(QStringLiteral("Vinde cladirea selectata."));
    commands->addStretch(1);
    l->addLayout(commands);
    syncButtons();
}

void BuildingsPage::showError(const QString &title, const QString &text) { ui::message(title, text, ui::Ok, ui::Error); }

OwnerType BuildingsPage::owner() const { return role_ ? ownerTypeFromTip(role_->TIP) : OwnerType::Natural; }

void BuildingsPage::load(qint64 IDGOS)
{
    idgos_ = IDGOS;
    role_.reset();
    if (IDGOS > 0) {
        try {
            role_ = loadRole(*ctx_.db, IDGOS);
        } catch (const Error &e) {
            showError(Caption->text(), e.message());
        }
    }
    reload(0);
}

void BuildingsPage::reload(qint64 keep, bool lastRow)
{
    std::vector<BuildingListRow> rows;
    if (role_) {
        try {
            rows = buildingList(loadBuildings(*ctx_.db, role_->IDGOS), owner(), buildingTaxConstants(ctx_.adminValues()),
                                fiscalYear);
        } catch (const Error &e) {
            showError(Caption->text(), e.message());
        }
    }
    model->setRows(std::move(rows));
    select(rowAfterReload(model->rowOf(keep), model->rowCount(), lastRow));
}

void BuildingsPage::select(int row)
{
    selectGridRow(Grid, row);
    syncButtons();
}

int BuildingsPage::shownBuildings() const { return model->rowCount(); }

std::optional<BuildingListRow> BuildingsPage::currentBuilding() const
{
    const int row = currentGridRow(Grid);
    if (row < 0)
        return std::nullopt;
    return model->rows()[size_t(row)];
}

bool BuildingsPage::selectBuilding(qint64 IDCLAD)
{
    const int row = model->rowOf(IDCLAD);
    if (row < 0)
        return false;
    select(row);
    return true;
}

void BuildingsPage::syncButtons()
{
    const bool any = role_ && model->rowCount() > 0;
    AddClad->setEnabled(role_.has_value());
    Cumparare->setEnabled(role_.has_value());
    EditClad->setEnabled(any);
    DelClad->setEnabled(any);
    FisaCalcul->setEnabled(any);
    const auto current = currentBuilding();
    Vanzare->setEnabled(any && current && !current->building.hasExitDate());
}

void BuildingsPage::AddCladClick()
{
    if (!role_ || refusedByYearLock(ctx_))
        return;
    Database &db = *ctx_.db;
    const QDate today = ctx_.clock->today();
    QList<qint64> mixedIds;
    try {
        mixedIds = mixedIdsOf(loadBuildings(db, role_->IDGOS));
    } catch (const Error &e) {
        showError(addTitle, e.message());
        return;
    }
    const QString zone = defaultZone(ctx_.adminValues());
    const int rank = defaultRank(ctx_.adminValues());
    TCladAddF dlg(owner(), true, today, fiscalYear, this);
    dlg.prepare(mixedIds, newBuildingForm(today, fiscalYear, zone, rank));
    if (dlg.exec() != QDialog::Accepted)
        return;
    BuildingRecord b = storedBuilding(dlg.form(), owner(), zone, rank);
    b.IDGOS = role_->IDGOS;
    qint64 id = 0;
    try {
        SettingsFile settings = ctx_.settings();
        ctx_.logChange(role_->ROL, [&] {
            id = addBuilding(db, settings, b);
            return QStringLiteral("Adaugare cladire %1").arg(id);
        });
    } catch (const Error &e) {
        showError(addTitle, e.message());
        return;
    }
    reload(id);
    if (b.DATAIN.isValid() && b.DATAIN.year() < fiscalYear)
        inform(addTitle, QStringLiteral("Trebuie sa Adaugati ROL-ul la plata!"));
}

void BuildingsPage::EditCladClick()
{
    const auto current = currentBuilding();
    if (!role_ || !current || refusedByYearLock(ctx_))
        return;
    Database &db = *ctx_.db;
    const QDate today = ctx_.clock->today();
    std::optional<BuildingRecord> stored;
    QList<qint64> mixedIds;
    try {
        stored = loadBuilding(db, current->building.IDCLAD);
        mixedIds = mixedIdsOf(loadBuildings(db, role_->IDGOS));
    } catch (const Error &e) {
        showError(editTitle, e.message());
        return;
    }
    if (!stored) { // deleted meanwhile on another workstation
        reload(0);
        return;
    }
    const QString zone = defaultZone(ctx_.adminValues());
    const int rank = defaultRank(ctx_.adminValues());
    TCladAddF dlg(owner(), false, today, fiscalYear, this);
    dlg.prepare(mixedIds, formOf(*stored, owner(), today));
    if (dlg.exec() != QDialog::Accepted)
        return;
    const BuildingForm form = dlg.form();
    BuildingRecord b = storedBuilding(form, owner(), zone, rank);
    b.IDGOS = stored->IDGOS;
    b.IDCLAD = stored->IDCLAD;
    b.IDMANUAL = editedManualId(form, *stored);
    try {
        ctx_.logChange(role_->ROL, [&] {
            updateBuilding(db, b, keepsApt8(buildingPage(owner(), form)));
            return QStringLiteral("Modificare cladire %1").arg(b.IDCLAD);
        });
    } catch (const Error &e) {
        showError(editTitle, e.message());
        return;
    }
    reload(b.IDCLAD);
}

void BuildingsPage::DelCladClick()
{
    const auto current = currentBuilding();
    if (!role_ || !current || refusedByYearLock(ctx_))
        return;
    if (ui::message(deleteTitle, QStringLiteral("Doriti sa stergeti cladirea selectata?"), ui::DaNu, ui::Confirmation) !=
        ui::ResultDa)
        return;
    const qint64 id = current->building.IDCLAD;
    try {
        ctx_.logChange(role_->ROL, [&] {
            deleteBuilding(*ctx_.db, id);
            return QStringLiteral("Stergere cladire %1").arg(id);
        });
    } catch (const Error &e) {
        showError(deleteTitle, e.message());
        return;
    }
    reload(0, true);
    inform(deleteTitle, QStringLiteral("Cladirea a fost stearsa.\rVa trebui sa Adaugati ROL la plata."));
}

void BuildingsPage::FisaCalculClick()
{
    const auto current = currentBuilding();
    if (!role_ || !current)
        return;
    QString path;
    try {
        const BuildingTaxResult tax = computeBuildingTax(current->building.taxRow(), owner(),
                                                         buildingTaxConstants(ctx_.adminValues()), fiscalYear);
        const QStringList lines = buildingTaxSheet({role_->SATUL, role_->ROL, role_->NUMEP}, tax);
        path = writeCalculationSheet(ctx_.folders().temp, QStringLiteral("FisCCladiri"), lines);
    } catch (const Error &e) {
        showError(sheetTitle, e.message());
        return;
    } catch (const std::exception &e) { // a zone, rank or material the tables do not know
        showError(sheetTitle, QString::fromStdString(e.what()));
        return;
    }
    ui::interaction().openDocument(path);
}

void BuildingsPage::VanzareClick()
{
    const auto current = currentBuilding();
    if (!role_ || !current || current->building.hasExitDate() || refusedByYearLock(ctx_))
        return;
    const QDate today = ctx_.clock->today();
    TCladVanzF dlg(today, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    const qint64 id = current->building.IDCLAD;
    try {
        ctx_.logChange(role_->ROL, [&] {
            sellBuilding(*ctx_.db, id, dlg.saleDate(), today, dlg.remark());
            return QStringLiteral("Vanzare cladire %1").arg(id);
        });
    } catch (const Error &e) {
        showError(saleTitle, e.message());
        return;
    }
    reload(id);
    inform(saleTitle, QStringLiteral("\rCladirea a fost marcata ca fiind vanduta."));
}

void BuildingsPage::CumparareClick()
{
    if (!role_ || refusedByYearLock(ctx_))
        return;
    Database &db = *ctx_.db;
    const QDate firstDay = firstDayOfFiscalYear();
    std::vector<PurchaseOffer> offers;
    try {
        offers = purchaseOffers(db, role_->IDGOS, firstDay);
    } catch (const Error &e) {
        showError(purchaseTitle, e.message());
        return;
    }
    if (offers.empty()) {
        inform(QStringLiteral("Cumparare constructie"),
               QStringLiteral("\rNicio constructie nu figureaza ca vanduta!\rMergeti la Vanzator si modificati Data "
                              "iesirii din evidenta!"));
        return;
    }
    TCladCumpF dlg(std::move(offers), this);
    if (dlg.exec() != QDialog::Accepted || !dlg.chosen())
        return;
    const auto seller = std::find_if(dlg.offers().begin(), dlg.offers().end(),
                                     [&](const PurchaseOffer &o) { return o.building.IDCLAD == *dlg.chosen(); });
    qint64 id = 0;
    try {
        SettingsFile settings = ctx_.settings();
        ctx_.logChange(role_->ROL, [&] {
            id = buyBuilding(db, settings, *dlg.chosen(), role_->IDGOS, firstDay);
            return QStringLiteral("Cumparare cladire %1 de la ROL %2").arg(id).arg(seller->ROL);
        });
    } catch (const Error &e) {
        showError(purchaseTitle, e.message());
        return;
    }
    reload(id);
    inform(purchaseTitle, QStringLiteral("\rCladirea a fost adaugata cu succes!"));
}

BuildingsPage *installBuildingsPage(TGospodarii &window, AppContext &ctx)
{
    auto *page = new BuildingsPage(ctx);
    window.installPage(2, page, [page](qint64 IDGOS) { page->load(IDGOS); });
    return page;
}

} // namespace valdora::roles

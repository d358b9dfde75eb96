#include "register/ui/VehiclesPage.h"

#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"
#include "register/domain/VehicleTax.h"
#include "register/store/CalculationSheetFile.h"
#include "register/store/RoleStore.h"
#include "register/store/VehicleConstants.h"
#include "register/ui/GridRows.h"
#include "register/ui/TDetAutoF.h"
#include "register/ui/TGospodarii.h"
#include "register/ui/VehicleListModel.h"

#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace valdora::roles {
namespace {

constexpr int fiscalYear = edition::FiscalYear;

} // namespace

VehiclesPage::VehiclesPage(AppContext &ctx, QWidget *parent) : QWidget(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("VehiclesPage"));
    auto *l = new QVBoxLayout(this);
    Caption = new QLabel(QStringLiteral("Mijloace de transport"), this);
    QFont f = Caption->font();
    f.setBold(true);
    Caption->setFont(f);
    l->addWidget(Caption);

    model = new VehicleListModel(this);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(model);
    setUpVehicleGrid(Grid);
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { syncButtons(); });
    l->addWidget(Grid, 1);

    auto *commands = new QHBoxLayout;
    ModifAuto = new QPushButton(QStringLiteral("Modificari auto / P.V."), this);
    ModifAuto->setObjectName(QStringLiteral("ModifAuto"));
    FisaCalcul = new QPushButton(QStringLiteral("Fisa de calcul"), this);
    FisaCalcul->setObjectName(QStringLiteral("FisaCalcul"));
    for (QPushButton *b : {ModifAuto, FisaCalcul}) {
        b->setAutoDefault(false);
        commands->addWidget(b);
    }
    commands->addStretch(1);
    connect(ModifAuto, &QPushButton::clicked, this, &VehiclesPage::ModifAutoClick);
    connect(FisaCalcul, &QPushButton::clicked, this, &VehiclesPage::FisaCalculClick);
    l->addLayout(commands);
    syncButtons();
}

void VehiclesPage::showError(const QString &title, const QString &text) { ui::message(title, text, ui::Ok, ui::Error); }

void VehiclesPage::load(qint64 IDGOS)
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

void VehiclesPage::reload(qint64 keep)
{
    std::vector<VehicleListRow> rows;
    if (role_) {
        try {
            rows = vehicleList(loadVehicles(*ctx_.db, role_->IDGOS), vehicleTaxConstants(ctx_.adminValues()),
                               fiscalYear);
        } catch (const Error &e) {
            showError(Caption->text(), e.message());
        }
    }
    model->setRows(std::move(rows));
    select(rowAfterReload(model->rowOf(keep), model->rowCount(), false));
}

void VehiclesPage::select(int row)
{
    selectGridRow(Grid, row);
    syncButtons();
}

int VehiclesPage::shownVehicles() const { return model->rowCount(); }

std::optional<VehicleListRow> VehiclesPage::currentVehicle() const
{
    const int row = currentGridRow(Grid);
    if (row < 0)
        return std::nullopt;
    return model->rows()[size_t(row)];
}

bool VehiclesPage::selectVehicle(qint64 IDDETA)
{
    const int row = model->rowOf(IDDETA);
    if (row < 0)
        return false;
    select(row);
    return true;
}

void VehiclesPage::syncButtons()
{
    ModifAuto->setEnabled(role_.has_value());
    FisaCalcul->setEnabled(role_.has_value() && currentVehicle().has_value());
}

void VehiclesPage::ModifAutoClick()
{
    if (!role_)
        return;
    const auto current = currentVehicle();
    openVehicleDetails(ctx_, *role_, this);
    reload(current ? current->vehicle.IDDETA : 0);
}

void VehiclesPage::FisaCalculClick()
{
    const auto current = currentVehicle();
    if (!role_ || !current)
        return;
    const VehicleRecord &v = current->vehicle;
    QString path;
    try {
        const register_domain::Vehicle taxed = v.taxVehicle();
        const auto tax = register_domain::computeVehicleTax(taxed, v.exempt(), fiscalYear,
                                                             vehicleTaxConstants(ctx_.adminValues()));
        const QStringList lines = register_domain::vehicleTaxSheet(taxed, tax, role_->SATUL, role_->ROL, role_->NUMEP);
        path = writeCalculationSheet(ctx_.folders().temp, QStringLiteral("FisCAuto"), lines);
    } catch (const Error &e) {
        showError(QStringLiteral("Fisa de calcul"), e.message());
        return;
    }
    ui::interaction().openDocument(path);
}

VehiclesPage *installVehiclesPage(TGospodarii &window, AppContext &ctx)
{
    auto *page = new VehiclesPage(ctx);
    window.installPage(4, page, [page](qint64 IDGOS) { page->load(IDGOS); });
    return page;
}

} // namespace valdora::roles

#include "register/ui/TDetAutoF.h"

#include "app/core/Dates.h"
#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"
#include "register/store/VehicleConstants.h"
#include "register/store/VehicleDocumentValues.h"
#include "register/ui/GridRows.h"
#include "register/ui/TDetaliiAutoF.h"
#include "register/ui/VehicleListModel.h"

#include <QEvent>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTableView>
#include <QVBoxLayout>

namespace valdora::roles {
namespace {

constexpr int fiscalYear = edition::FiscalYear;

const QString windowTitleText = QStringLiteral("Detalii Auto");
const QString addTitle = QStringLiteral("Adauga Auto");
const QString editTitle = QStringLiteral("Modificare Auto");
const QString deleteTitle = QStringLiteral("Stergere Auto");
const QString goneText = QStringLiteral("Auto selectat nu mai exista: a fost sters intre timp de pe alt calculator.");

QLabel *valueLabel(QWidget *parent, const char *name)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextInteractionFlags(Qt::TextSelectableByMouse);
    l->setMinimumWidth(160);
    return l;
}

} // namespace

TDetAutoF::TDetAutoF(AppContext &ctx, RoleRecord role, bool readOnly, QWidget *parent)
    : QDialog(parent), ctx_(ctx), role_(std::move(role)), readOnly_(readOnly)
{
    setObjectName(QStringLiteral("TDetAutoF"));
    setWindowTitle(windowTitleText);
    resize(1100, 560);
    auto *outer = new QVBoxLayout(this);
    HeaderRole = new QLabel(QStringLiteral("%1   ROL: %2   %3").arg(role_.SATUL, role_.ROL, role_.NUMEP), this);
    HeaderRole->setObjectName(QStringLiteral("HeaderRole"));
    QFont hf = HeaderRole->font();
    hf.setBold(true);
    HeaderRole->setFont(hf);
    outer->addWidget(HeaderRole);

    auto *body = new QHBoxLayout;
    outer->addLayout(body, 1);
    model = new VehicleListModel(this);
    Grid = new QTableView(this);
    Grid->setObjectName(QStringLiteral("Grid"));
    Grid->setModel(model);
    setUpVehicleGrid(Grid);
    Grid->installEventFilter(this);
    connect(Grid->selectionModel(), &QItemSelectionModel::currentRowChanged, this, [this] { syncCurrent(); });
    connect(Grid, &QTableView::doubleClicked, this, [this](const QModelIndex &index) {
        if (index.isValid() && ModificaAuto->isEnabled())
            ModificaAutoClick();
    });
    body->addWidget(Grid, 3);

    auto *side = new QVBoxLayout;
    body->addLayout(side, 1);
    auto *entry = new QGroupBox(QStringLiteral("P.V. Luare in evidenta"), this);
    auto *ef = new QFormLayout(entry);
    PVIn = valueLabel(entry, "PVIn");
    DataDobL = valueLabel(entry, "DataDobL");
    ActDL = valueLabel(entry, "ActDL");
    NrActDL = valueLabel(entry, "NrActDL");
    ef->addRow(QStringLiteral("P.V. Luare in evidenta nr."), PVIn);
    ef->addRow(QStringLiteral("Data dobandirii"), DataDobL);
    ef->addRow(QStringLiteral("Act dobandire"), ActDL);
    ef->addRow(QStringLiteral("Numar act"), NrActDL);
    side->addWidget(entry);
    auto *exit = new QGroupBox(QStringLiteral("P.V. Scoatere din evidenta"), this);
    auto *xf = new QFormLayout(exit);
    PVOutL = valueLabel(exit, "PVOutL");
    DataInstrL = valueLabel(exit, "DataInstrL");
    ActVL = valueLabel(exit, "ActVL");
    NrActVL = valueLabel(exit, "NrActVL");
    CertRadL = valueLabel(exit, "CertRadL");
    NumeNouL = valueLabel(exit, "NumeNouL");
    JudNouL = valueLabel(exit, "JudNouL");
    LocNouL = valueLabel(exit, "LocNouL");
    AdrNouL = valueLabel(exit, "AdrNouL");
    xf->addRow(QStringLiteral("P.V. nr."), PVOutL);
    xf->addRow(QStringLiteral("Data instrainarii"), DataInstrL);
    xf->addRow(QStringLiteral("Act instrainare"), ActVL);
    xf->addRow(QStringLiteral("Numar act"), NrActVL);
    xf->addRow(QStringLiteral("Certificat de radiere nr."), CertRadL);
    auto *owner = new QLabel(QStringLiteral("Noul proprietar"), exit);
    owner->setFont(hf);
    xf->addRow(owner);
    xf->addRow(QStringLiteral("Nume si prenume"), NumeNouL);
    xf->addRow(QStringLiteral("Judet:"), JudNouL);
    xf->addRow(QStringLiteral("Localitate:"), LocNouL);
    xf->addRow(QStringLiteral("Adresa:"), AdrNouL);
    side->addWidget(exit);
    side->addStretch(1);

    auto *commands = new QHBoxLayout;
    auto button = [&](const char *name, const QString &caption, void (TDetAutoF::*slot)()) {
        auto *b = new QPushButton(caption, this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        if (slot)
            connect(b, &QPushButton::clicked, this, slot);
        commands->addWidget(b);
        return b;
    };
    AdaugaAuto = button("AdaugaAuto", QStringLiteral("Adauga Auto/PV"), &TDetAutoF::AdaugaAutoClick);
    ModificaAuto = button("ModificaAuto", QStringLiteral("Modifica Auto/PV"), &TDetAutoF::ModificaAutoClick);
    StergeAuto = button("StergeAuto", QStringLiteral("Sterge Auto"), &TDetAutoF::StergeAutoClick);
    commands->addSpacing(24);
    ListPVIn = button("ListPVIn", QStringLiteral("Listeaza PV Luare in evidenta"), &TDetAutoF::ListPVInClick);
    ListPVOut = button("ListPVOut", QStringLiteral("Listeaza PV Scoatere din evidenta"), &TDetAutoF::ListPVOutClick);
    DeclITL016 = button("DeclITL016", QStringLiteral("Decl.pt.scoatere evid. ITL 016"), &TDetAutoF::DeclITL016Click);
    commands->addStretch(1);
    Inchide = button("Inchide", QStringLiteral("Inchide"), nullptr);
    connect(Inchide, &QPushButton::clicked, this, &QDialog::accept);
    outer->addLayout(commands);
    reload(0);
}

void TDetAutoF::showError(const QString &title, const QString &text) { ui::message(title, text, ui::Ok, ui::Error); }

bool TDetAutoF::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == Grid && event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent *>(event)->key();
        if ((key == Qt::Key_Return || key == Qt::Key_Enter) && ModificaAuto->isEnabled()) {
            ModificaAutoClick();
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TDetAutoF::reload(qint64 keep, bool lastRow)
{
    std::vector<VehicleListRow> rows;
    try {
        stored_ = loadVehicles(*ctx_.db, role_.IDGOS);
        rows = vehicleList(stored_, vehicleTaxConstants(ctx_.adminValues()), fiscalYear);
    } catch (const Error &e) {
        stored_.clear();
        showError(windowTitleText, e.message());
    }
    model->setRows(std::move(rows));
    select(rowAfterReload(model->rowOf(keep), model->rowCount(), lastRow));
}

void TDetAutoF::select(int row)
{
    selectGridRow(Grid, row);
    syncCurrent();
}

int TDetAutoF::shownVehicles() const { return model->rowCount(); }

std::optional<VehicleListRow> TDetAutoF::currentVehicle() const
{
    const int row = currentGridRow(Grid);
    if (row < 0)
        return std::nullopt;
    return model->rows()[size_t(row)];
}

bool TDetAutoF::selectVehicle(qint64 IDDETA)
{
    const int row = model->rowOf(IDDETA);
    if (row < 0)
        return false;
    select(row);
    return true;
}

void TDetAutoF::syncCurrent()
{
    const auto current = currentVehicle();
    const bool any = model->rowCount() > 0;
    AdaugaAuto->setEnabled(!readOnly_);
    ModificaAuto->setEnabled(!readOnly_ && current.has_value());
    StergeAuto->setEnabled(!readOnly_ && current.has_value());
    DeclITL016->setEnabled(!readOnly_ && current.has_value());
    ListPVIn->setEnabled(any);
    ListPVOut->setEnabled(current && current->vehicle.hasExit());

    const VehicleRecord v = current ? current->vehicle : VehicleRecord{};
    const auto number = [](qint64 n) { return n ? QString::number(n) : QString(); };
    PVIn->setText(current ? QStringLiteral("%1 / %2").arg(number(v.PVInNr), current->DataInS) : QString());
    DataDobL->setText(current ? current->DataDobS : QString());
    ActDL->setText(v.ActD);
    NrActDL->setText(v.NrActD);
    const bool out = current && v.hasExit();
    PVOutL->setText(out ? QStringLiteral("%1 / %2").arg(number(v.PVOutNr), current->DataOutS) : QString());
    DataInstrL->setText(out ? current->DataInstrS : QString());
    ActVL->setText(v.ActV);
    NrActVL->setText(v.NrActV);
    CertRadL->setText(out && !v.CertRad.isEmpty() ? QStringLiteral("%1 din data %2").arg(v.CertRad, current->CertRadDS)
                                                  : v.CertRad);
    NumeNouL->setText(v.NumeNou);
    JudNouL->setText(v.JudNou);
    LocNouL->setText(v.LocNou);
    AdrNouL->setText(v.AdrNou);
}

void TDetAutoF::AdaugaAutoClick()
{
    if (readOnly_ || refusedByYearLock(ctx_))
        return;
    const QDate today = ctx_.clock->today();
    QStringList documents;
    try {
        documents = storedAcquisitionDocuments(*ctx_.db);
    } catch (const Error &e) {
        showError(addTitle, e.message());
        return;
    }
    TDetaliiAutoF dlg(true, today, fiscalYear, this);
    VehicleRecord fresh = TDetaliiAutoF::newVehicle(today);
    fresh.IDGOS = role_.IDGOS;
    dlg.prepare(fresh, false, stored_, documents);
    if (dlg.exec() != QDialog::Accepted)
        return;
    VehicleRecord v = dlg.vehicle();
    v.IDGOS = role_.IDGOS;
    if (!dlg.exitProtocol())
        v.clearExit();
    qint64 id = 0;
    try {
        SettingsFile settings = ctx_.settings();
        ctx_.logChange(role_.ROL, [&] {
            id = addVehicle(*ctx_.db, settings, v);
            return QStringLiteral("Adaugare Auto Dosar nr.") + v.NrDos;
        });
    } catch (const Error &e) {
        showError(addTitle, e.message());
        return;
    }
    reload(id);
}

void TDetAutoF::ModificaAutoClick()
{
    const auto current = currentVehicle();
    if (readOnly_ || !current || refusedByYearLock(ctx_))
        return;
    const QDate today = ctx_.clock->today();
    std::optional<VehicleRecord> stored;
    QStringList documents;
    try {
        stored = loadVehicle(*ctx_.db, current->vehicle.IDDETA);
        documents = storedAcquisitionDocuments(*ctx_.db);
    } catch (const Error &e) {
        showError(editTitle, e.message());
        return;
    }
    if (!stored) { // deleted meanwhile on another workstation
        reload(0);
        return;
    }
    TDetaliiAutoF dlg(false, today, fiscalYear, this);
    dlg.prepare(*stored, stored->hasExit(), stored_, documents);
    if (dlg.exec() != QDialog::Accepted)
        return;
    VehicleRecord v = dlg.vehicle();
    v.IDGOS = stored->IDGOS;
    v.IDDETA = stored->IDDETA;
    try {
        ctx_.logChange(role_.ROL, [&] {
            if (!updateVehicle(*ctx_.db, v, dlg.exitProtocol()))
                throw Error(goneText);
            return QStringLiteral("Modificare Auto Dosar nr.") + v.NrDos;
        });
    } catch (const Error &e) {
        showError(editTitle, e.message());
        reload(v.IDDETA);
        return;
    }
    reload(v.IDDETA);
}

void TDetAutoF::StergeAutoClick()
{
    const auto current = currentVehicle();
    if (readOnly_ || !current || refusedByYearLock(ctx_))
        return;
    if (ui::message(deleteTitle, QStringLiteral("\rDoriti sa stergeti Auto selectat in tabel?"), ui::DaNu,
                    ui::Confirmation) != ui::ResultDa)
        return;
    try {
        ctx_.logChange(role_.ROL, [&] {
            if (!deleteVehicle(*ctx_.db, current->vehicle.IDDETA))
                throw Error(goneText);
            return QStringLiteral("Stergere Auto Dosar nr.") + current->vehicle.NrDos;
        });
    } catch (const Error &e) {
        showError(deleteTitle, e.message());
        reload(0, true);
        return;
    }
    reload(0, true);
}

void TDetAutoF::printDocument(VehicleDocument document)
{
    const auto current = currentVehicle();
    if (!current)
        return;
    QString path;
    try {
        const PlaceholderValues values =
            vehicleDocumentValues(document, ctx_.adminValues(), role_, current->vehicle, ctx_.clock->today());
        path = writeVehicleDocument(document, ctx_.folders().database, ctx_.folders().temp, values);
    } catch (const Error &e) {
        showError(windowTitleText, e.message());
        return;
    }
    ui::interaction().openDocument(path);
}

void TDetAutoF::ListPVInClick()
{
    if (model->rowCount() > 0)
        printDocument(VehicleDocument::EntryProtocol);
}

void TDetAutoF::ListPVOutClick()
{
    const auto current = currentVehicle();
    if (current && current->vehicle.hasExit())
        printDocument(VehicleDocument::ExitProtocol);
}

void TDetAutoF::DeclITL016Click()
{
    if (!readOnly_)
        printDocument(VehicleDocument::Deregistration);
}

void openVehicleDetails(AppContext &ctx, const RoleRecord &role, QWidget *parent)
{
    TDetAutoF w(ctx, role, ctx.user.isCashier(), parent);
    w.exec();
}

} // namespace valdora::roles

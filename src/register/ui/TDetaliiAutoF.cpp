#include "register/ui/TDetaliiAutoF.h"

#include "admin/domain/AdminControls.h"
#include "app/core/Dates.h"
#include "app/core/Text.h"
#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"
#include "register/domain/VehicleEntryCheck.h"
#include "register/domain/VehicleTypes.h"
#include "register/ui/DialogFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <optional>

namespace valdora::roles {
namespace {

using register_domain::VehicleEntryField;
using register_domain::VehicleTypes;

QStringList euroClasses()
{
    QStringList out;
    for (int i = 0; i <= 6; ++i)
        out << QString::number(i);
    return out;
}

const QStringList &registrations()
{
    static const QStringList list{QStringLiteral("neinmatriculat"), QStringLiteral("inmatriculat"),
                                  QStringLiteral("inregistrat")};
    return list;
}

QString textOf(const QComboBox *c) { return c->currentText(); }

// A date field that can also show "no date" ("-", its minimum), as older rows may have.
void allowMissing(QDateEdit *e)
{
    e->setMinimumDate(dateFromDayNumber(0));
    e->setSpecialValueText(QStringLiteral("-"));
}

// Shows a stored day number; a missing one as "-", or as `fallback` when one is given.
void showDay(QDateEdit *e, qint64 day, std::optional<QDate> fallback = std::nullopt)
{
    if (register_domain::isDateDay(day))
        e->setDate(dateFromDayNumber(day));
    else
        e->setDate(fallback ? *fallback : e->minimumDate());
}

// The day number of the field; "-" keeps what was stored (no date).
qint64 dayOf(const QDateEdit *e, qint64 stored)
{
    if (e->date() == e->minimumDate())
        return register_domain::isDateDay(stored) ? 0 : stored;
    return dayNumber(e->date());
}

// Selects the item holding `value`; a value the list does not offer is added, so that
// opening and storing a vehicle never changes what its tax depends on.
void selectValue(QComboBox *c, int value)
{
    int at = c->findData(value);
    if (at < 0) {
        c->addItem(QString::number(value), value);
        at = c->count() - 1;
    }
    c->setCurrentIndex(at);
}

void addNumbered(QComboBox *c, const QStringList &texts)
{
    for (int i = 0; i < texts.size(); ++i)
        c->addItem(texts[i], i);
}

} // namespace

VehicleRecord TDetaliiAutoF::newVehicle(QDate today)
{
    VehicleRecord v;
    v.TipAuto = VehicleTypes::names().value(0);
    v.Marca = VehicleTypes::makes().value(0);
    v.DataIn = dayNumber(today);
    v.DataDob = dayNumber(today);
    return v;
}

TDetaliiAutoF::TDetaliiAutoF(bool adding, QDate today, int fiscalYear, QWidget *parent)
    : QDialog(parent), adding_(adding), today_(today), fiscalYear_(fiscalYear)
{
    setObjectName(QStringLiteral("TDetaliiAutoF"));
    setWindowTitle(QStringLiteral("Detalii Auto"));
    auto *outer = new QVBoxLayout(this);
    Titlu = titleLabel(this, adding ? QStringLiteral("Adauga Auto") : QStringLiteral("Modificare Auto"));
    outer->addWidget(Titlu);

    auto *columns = new QHBoxLayout;
    outer->addLayout(columns);

    // The vehicle itself.
    auto *vehicleBox = new QGroupBox(QStringLiteral("Mijloc de transport"), this);
    auto *vf = new QFormLayout(vehicleBox);
    NrDos = lineEdit(vehicleBox, "NrDos", 18);
    NrDos->setMaximumWidth(160);
    TipAuto = fixedCombo(vehicleBox, "TipAuto", VehicleTypes::names());
    TipAuto->setMaxVisibleItems(25);
    Marca = editableCombo(vehicleBox, "Marca", 18, VehicleTypes::makes());
    Combus = fixedCombo(vehicleBox, "Combus", VehicleTypes::fuels());
    HIBpeste50 = checkBox(vehicleBox, "HIBpeste50", QStringLiteral("Poluare peste 50g CO2/Km"));
    Euro = fixedCombo(vehicleBox, "Euro", {});
    addNumbered(Euro, euroClasses());
    Inmatric = fixedCombo(vehicleBox, "Inmatric", {});
    addNumbered(Inmatric, registrations());
    NrInmat = lineEdit(vehicleBox, "NrInmat", 12);
    NrInmat->setMaximumWidth(160);
    ui::upperCaseAsTyped(NrInmat);
    Valoare = amountEdit(vehicleBox, "Valoare");
    AnulF = wholeEdit(vehicleBox, "AnulF", 4);
    Capacit = wholeEdit(vehicleBox, "Capacit", 6);
    Tonaj = wholeEdit(vehicleBox, "Tonaj", 6);
    Serie = lineEdit(vehicleBox, "Serie", 24);
    SerieM = lineEdit(vehicleBox, "SerieM", 24);
    Obs = lineEdit(vehicleBox, "Obs", 100);
    Scutit = checkBox(vehicleBox, "Scutit", QStringLiteral("Scutit de impozit"));
    vf->addRow(QStringLiteral("Numar Dosar"), NrDos);
    vf->addRow(QStringLiteral("Tip Auto"), TipAuto);
    vf->addRow(QStringLiteral("Marca"), Marca);
    vf->addRow(QStringLiteral("Combustibil"), Combus);
    vf->addRow(QString(), HIBpeste50);
    vf->addRow(QStringLiteral("Euro"), Euro);
    vf->addRow(QStringLiteral("Stare"), Inmatric);
    NrInmatL = new QLabel(QStringLiteral("Nr. inmatriculare"), vehicleBox);
    vf->addRow(NrInmatL, NrInmat);
    vf->addRow(QStringLiteral("Capacitate cilindrica (cmc)"), Capacit);
    vf->addRow(QStringLiteral("Tonaj"), Tonaj);
    vf->addRow(QStringLiteral("Valoare (lei)"), Valoare);
    vf->addRow(QStringLiteral("Anul fabricatiei"), AnulF);
    vf->addRow(QStringLiteral("Serie caroserie"), Serie);
    vf->addRow(QStringLiteral("Serie motor"), SerieM);
    vf->addRow(QStringLiteral("Observatii"), Obs);
    vf->addRow(QString(), Scutit);
    columns->addWidget(vehicleBox, 3);

    auto *protocols = new QVBoxLayout;
    columns->addLayout(protocols, 2);

    auto *entryBox = new QGroupBox(QStringLiteral("P.V. Luare in evidenta"), this);
    auto *ef = new QFormLayout(entryBox);
    PVInNr = wholeEdit(entryBox, "PVInNr", 10);
    DataIn = dateEdit(entryBox, "DataIn");
    DataDob = dateEdit(entryBox, "DataDob");
    ActD = editableCombo(entryBox, "ActD", 60);
    NrActD = lineEdit(entryBox, "NrActD", 40);
    ef->addRow(QStringLiteral("P.V. Luare in evidenta nr."), PVInNr);
    ef->addRow(QStringLiteral("din data"), DataIn);
    ef->addRow(QStringLiteral("Data dobandirii"), DataDob);
    ef->addRow(QStringLiteral("Act dobandire"), ActD);
    ef->addRow(QStringLiteral("Numar act"), NrActD);
    protocols->addWidget(entryBox);

    PVOut = checkBox(this, "PVOut", QStringLiteral("Scoasa din evidenta cu P.V. nr."));
    protocols->addWidget(PVOut);
    ExitBox = new QGroupBox(this);
    ExitBox->setObjectName(QStringLiteral("ExitBox"));
    auto *xf = new QFormLayout(ExitBox);
    PVOutNr = wholeEdit(ExitBox, "PVOutNr", 10);
    DataOut = dateEdit(ExitBox, "DataOut");
    DataInstr = dateEdit(ExitBox, "DataInstr");
    ActV = lineEdit(ExitBox, "ActV", 60);
    NrActV = lineEdit(ExitBox, "NrActV", 40);
    CertRad = lineEdit(ExitBox, "CertRad", 40);
    CertRadD = dateEdit(ExitBox, "CertRadD");
    NumeNou = lineEdit(ExitBox, "NumeNou", 80);
    JudNou = editableCombo(ExitBox, "JudNou", 24, admin::counties());
    JudNou->setCurrentIndex(-1);
    LocNou = lineEdit(ExitBox, "LocNou", 40);
    AdrNou = lineEdit(ExitBox, "AdrNou", 80);
    xf->addRow(QStringLiteral("P.V. nr."), PVOutNr);
    xf->addRow(QStringLiteral("din data"), DataOut);
    xf->addRow(QStringLiteral("Data instrainarii"), DataInstr);
    xf->addRow(QStringLiteral("Act instrainare"), ActV);
    xf->addRow(QStringLiteral("Numar act"), NrActV);
    xf->addRow(QStringLiteral("Certificat de radiere nr."), CertRad);
    xf->addRow(QStringLiteral("din data"), CertRadD);
    auto *owner = new QLabel(QStringLiteral("Noul proprietar"), ExitBox);
    QFont of = owner->font();
    of.setBold(true);
    owner->setFont(of);
    xf->addRow(owner);
    xf->addRow(QStringLiteral("Nume si prenume"), NumeNou);
    xf->addRow(QStringLiteral("Judet:"), JudNou);
    xf->addRow(QStringLiteral("Localitate:"), LocNou);
    xf->addRow(QStringLiteral("Adresa:"), AdrNou);
    protocols->addWidget(ExitBox);
    protocols->addStretch(1);
    for (QDateEdit *e : {DataIn, DataDob, DataOut, DataInstr, CertRadD})
        allowMissing(e);

    const ui::StoreButtons store = ui::addStoreButtons(this, outer);
    Memoreaza = store.save;
    Renunt = store.cancel;
    connect(Memoreaza, &QPushButton::clicked, this, &TDetaliiAutoF::MemoreazaClick);
    connect(Combus, &QComboBox::currentIndexChanged, this, &TDetaliiAutoF::syncVisible);
    connect(Inmatric, &QComboBox::currentIndexChanged, this, &TDetaliiAutoF::syncVisible);
    connect(PVOut, &QCheckBox::toggled, this, &TDetaliiAutoF::syncExit);
    prepare(newVehicle(today), false, {}, {});
}

void TDetaliiAutoF::syncVisible()
{
    HIBpeste50->setVisible(VehicleTypes::isHybridFuel(Combus->currentText()));
    const int status = Inmatric->currentData().toInt();
    const bool numbered = status == 1 || status == 2;
    NrInmat->setVisible(numbered);
    NrInmatL->setVisible(numbered);
}

void TDetaliiAutoF::syncExit() { ExitBox->setEnabled(PVOut->isChecked()); }

void TDetaliiAutoF::showTexts(const VehicleRecord &v)
{
    NrDos->setText(v.NrDos);
    Marca->setCurrentText(v.Marca);
    NrInmat->setText(v.NrInmat);
    Serie->setText(v.Serie);
    SerieM->setText(v.SerieM);
    Obs->setText(v.OBS);
    ActD->setCurrentText(v.ActD);
    NrActD->setText(v.NrActD);
    ActV->setText(v.ActV);
    NrActV->setText(v.NrActV);
    CertRad->setText(v.CertRad);
    NumeNou->setText(v.NumeNou);
    JudNou->setCurrentText(v.JudNou);
    LocNou->setText(v.LocNou);
    AdrNou->setText(v.AdrNou);
}

void TDetaliiAutoF::prepare(const VehicleRecord &v, bool exitProtocol, std::vector<VehicleRecord> roleVehicles,
                            const QStringList &documents)
{
    stored_ = v;
    roleVehicles_ = std::move(roleVehicles);
    ActD->clear();
    ActD->addItems(documents);
    // A type no longer in the list stays as it was stored, so an edit does not change the tax key.
    if (!v.TipAuto.isEmpty() && TipAuto->findText(v.TipAuto, Qt::MatchExactly | Qt::MatchCaseSensitive) < 0)
        TipAuto->addItem(v.TipAuto);
    TipAuto->setCurrentIndex(v.TipAuto.isEmpty() ? -1 : TipAuto->findText(v.TipAuto, Qt::MatchExactly | Qt::MatchCaseSensitive));
    const QString fuel = v.Combus.trimmed();
    if (!fuel.isEmpty() && Combus->findText(fuel) < 0)
        Combus->addItem(fuel);
    Combus->setCurrentIndex(std::max(0, Combus->findText(fuel)));
    HIBpeste50->setChecked(v.HIBpeste50.trimmed() == u"X");
    selectValue(Euro, v.Euro);
    selectValue(Inmatric, v.Inmatric);
    Valoare->setText(v.Valoare.toShortString());
    AnulF->setText(QString::number(v.AnulF));
    Capacit->setText(QString::number(v.Capacit));
    Tonaj->setText(QString::number(v.Tonaj));
    Scutit->setChecked(v.exempt());
    PVInNr->setText(v.PVInNr ? QString::number(v.PVInNr) : QString());
    showDay(DataIn, v.DataIn);
    showDay(DataDob, v.DataDob);
    PVOut->setChecked(exitProtocol);
    PVOutNr->setText(v.PVOutNr ? QString::number(v.PVOutNr) : QString());
    // A protocol about to be written starts on today; a stored one shows what it holds.
    const std::optional<QDate> exitFallback = exitProtocol ? std::nullopt : std::optional<QDate>(today_);
    showDay(DataOut, v.DataOut, today_);
    showDay(DataInstr, v.DataInstr, exitFallback);
    showDay(CertRadD, v.CertRadD, exitFallback);
    showTexts(v);
    syncVisible();
    syncExit();
}

bool TDetaliiAutoF::exitProtocol() const { return PVOut->isChecked(); }

VehicleRecord TDetaliiAutoF::vehicle() const
{
    VehicleRecord v;
    v.IDGOS = stored_.IDGOS;
    v.IDDETA = stored_.IDDETA;
    v.NrDos = NrDos->text();
    v.TipAuto = TipAuto->currentIndex() < 0 ? QString() : TipAuto->currentText();
    v.Marca = textOf(Marca);
    v.Combus = Combus->currentText();
    v.HIBpeste50 = HIBpeste50->isChecked() ? QStringLiteral("X") : QString();
    v.Euro = Euro->currentData().toInt();
    v.Inmatric = Inmatric->currentData().toInt();
    v.NrInmat = NrInmat->text();
    v.Valoare = amountOf(Valoare);
    v.AnulF = int(wholeOf(AnulF));
    v.Capacit = int(wholeOf(Capacit));
    v.Tonaj = int(wholeOf(Tonaj));
    v.Serie = Serie->text();
    v.SerieM = SerieM->text();
    v.OBS = Obs->text();
    v.Scutit = Scutit->isChecked() ? QStringLiteral("X") : QStringLiteral(" ");
    v.PVInNr = wholeOf(PVInNr);
    v.DataIn = dayOf(DataIn, stored_.DataIn);
    v.DataDob = dayOf(DataDob, stored_.DataDob);
    v.ActD = textOf(ActD);
    v.NrActD = NrActD->text();
    if (PVOut->isChecked()) {
        v.PVOutNr = wholeOf(PVOutNr);
        v.DataOut = dayOf(DataOut, 0);
        v.DataInstr = dayOf(DataInstr, stored_.DataInstr);
        v.ActV = ActV->text();
        v.NrActV = NrActV->text();
        v.CertRad = CertRad->text();
        v.CertRadD = dayOf(CertRadD, stored_.CertRadD);
        v.NumeNou = NumeNou->text();
        v.JudNou = textOf(JudNou);
        v.LocNou = LocNou->text();
        v.AdrNou = AdrNou->text();
    }
    return v;
}

void TDetaliiAutoF::MemoreazaClick()
{
    VehicleRecord v = vehicle();
    // The capacity band is checked on the numbers as typed, before anything is rewritten.
    register_domain::Vehicle checked = v.taxVehicle();
    QList<register_domain::Vehicle> others;
    for (const VehicleRecord &r : roleVehicles_)
        others << r.taxVehicle();
    const auto problem = register_domain::validateVehicleEntry(checked, exitProtocol(), others, today_, fiscalYear_);
    if (problem && problem->field == VehicleEntryField::TipAuto) {
        ui::problem(problem->message, TipAuto);
        TipAuto->setFocus();
        return;
    }
    v.takeChecked(checked);
    for (QString *text : {&v.NrDos, &v.Marca, &v.Serie, &v.SerieM, &v.OBS, &v.ActD, &v.NrActD, &v.ActV, &v.NrActV,
                          &v.CertRad, &v.NumeNou, &v.JudNou, &v.LocNou, &v.AdrNou})
        *text = cleanSpaces(*text);
    if (v.NrDos.isEmpty())
        v.NrDos = QStringLiteral("0");
    showTexts(v);
    HIBpeste50->setChecked(v.HIBpeste50 == u"X");
    if (problem) {
        QWidget *field = nullptr;
        switch (problem->field) {
        case VehicleEntryField::DataIn: field = DataIn; break;
        case VehicleEntryField::DataDob: field = DataDob; break;
        case VehicleEntryField::DataOut: field = DataOut; break;
        case VehicleEntryField::DataInstr: field = DataInstr; break;
        case VehicleEntryField::Scutit: field = Scutit; break;
        case VehicleEntryField::Capacit: field = Capacit; break;
        case VehicleEntryField::TipAuto: field = TipAuto; break;
        }
        ui::problem(problem->message, field);
        field->setFocus();
        return;
    }
    accept();
}

} // namespace valdora::roles

#include "register/ui/TCladAddF.h"

#include "register/ui/DialogFields.h"

#include "app/ui/Fields.h"

#include "admin/domain/AdminControls.h"
#include "app/ui/Interaction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace valdora::roles {
namespace {

QString amountText(Currency c) { return c.toShortString(); }

} // namespace

TCladAddF::TCladAddF(OwnerType owner, bool adding, QDate today, int fiscalYear, QWidget *parent)
    : QDialog(parent), owner_(owner), adding_(adding), today_(today), fiscalYear_(fiscalYear)
{
    setObjectName(QStringLiteral("TCladAddF"));
    setWindowTitle(QStringLiteral("Cladiri"));
    auto *outer = new QVBoxLayout(this);
    Titlu = titleLabel(this, adding ? QStringLiteral("Adaugare Cladire") : QStringLiteral("Modificare cladire"));
    outer->addWidget(Titlu);

    auto *head = new QFormLayout;
    Clasificare = fixedCombo(this, "Clasificare", {QStringLiteral("REZIDENTIALA"), QStringLiteral("NEREZIDENTIALA"),
                                              QStringLiteral("MIXTA")});
    head->addRow(QStringLiteral("Clasificarea Cladirii"), Clasificare);
    outer->addLayout(head);
    MixtPanel = new QWidget(this);
    MixtPanel->setObjectName(QStringLiteral("MixtPanel"));
    auto *ml = new QHBoxLayout(MixtPanel);
    ml->setContentsMargins(0, 0, 0, 0);
    ScopMixt = fixedCombo(MixtPanel, "ScopMixt", {QStringLiteral("REZIDENTIAL"), QStringLiteral("NEREZIDENTIAL")});
    IdMixt = fixedCombo(MixtPanel, "IdMixt", {QStringLiteral("nu exista in lista")});
    ml->addWidget(new QLabel(QStringLiteral("- Suprafata este folosita in scop"), MixtPanel));
    ml->addWidget(ScopMixt);
    ml->addWidget(new QLabel(QStringLiteral("apartinand cladirii cu ID"), MixtPanel));
    ml->addWidget(IdMixt);
    ml->addStretch(1);
    outer->addWidget(MixtPanel);

    auto *pageBox = new QGroupBox(this);
    pageForm_ = new QFormLayout(pageBox);
    Suprafata = amountEdit(pageBox, "Suprafata");
    Anul = lineEdit(pageBox, "Anul", 4);
    Anul->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,4}")), Anul));
    Anul->setMaximumWidth(70);
    Material = fixedCombo(pageBox, "Material",
                     {QStringLiteral("beton, caramida arsa sau orice material rezultat prin tratament termic/chimic"),
                      QStringLiteral("lemn, piatra naturala, valatuci, caramida nearsa sau orice material netratat "
                                     "termic/chimic")});
    Destinatie = fixedCombo(pageBox, "Destinatie",
                       {QStringLiteral("Cladire"), QStringLiteral("Cladire-Anexa"),
                        QStringLiteral("Subsol, Demisol, Mansarda locuita"),
                        QStringLiteral("Subsol, Demisol, Mansarda nelocuita")});
    CuUtil = fixedCombo(pageBox, "CuUtil", {QStringLiteral("NU"), QStringLiteral("DA")});
    Zona = fixedCombo(pageBox, "Zona", admin::zones());
    Rang = fixedCombo(pageBox, "Rang", admin::ranks());
    LaBloc = checkBox(pageBox, "LaBloc", QStringLiteral("Situata in bloc cu mai mult de 3 niveluri si 8 apartamente"));
    DataEval = dateEdit(pageBox, "DataEval");
    Valoare = amountEdit(pageBox, "Valoare");
    ActAgr = fixedCombo(pageBox, "ActAgr", {QStringLiteral("NU"), QStringLiteral("DA")});
    NuEvaluata = checkBox(pageBox, "NuEvaluata", QStringLiteral("Nu este evaluata"));
    pageForm_->addRow(QStringLiteral("Suprafata desfasurata - mp"), Suprafata);
    pageForm_->addRow(QStringLiteral("Anul finalizarii constructiei"), Anul);
    pageForm_->addRow(QStringLiteral("Materialul constructiei"), Material);
    pageForm_->addRow(QStringLiteral("Destinatia cladirii"), Destinatie);
    pageForm_->addRow(QStringLiteral("Cu instalatii de apa, canalizare, electrice si incalzire (cumulativ)"), CuUtil);
    pageForm_->addRow(QStringLiteral("Zona"), Zona);
    pageForm_->addRow(QStringLiteral("Rangul"), Rang);
    pageForm_->addRow(QString(), LaBloc);
    pageForm_->addRow(QStringLiteral("Data evaluarii"), DataEval);
    pageForm_->addRow(QStringLiteral("Valoarea evaluata - lei"), Valoare);
    pageForm_->addRow(QStringLiteral("Se desfasoara activitate agricola"), ActAgr);
    pageForm_->addRow(QString(), NuEvaluata);
    outer->addWidget(pageBox);

    auto *common = new QFormLayout;
    Adresa = lineEdit(this, "Adresa", 80);
    DataDob = dateEdit(this, "DataDob");
    DataIn = dateEdit(this, "DataIn");
    ObsIn = lineEdit(this, "ObsIn", 120);
    common->addRow(QStringLiteral("Adresa"), Adresa);
    common->addRow(QStringLiteral("Dobandita la data de"), DataDob);
    common->addRow(QStringLiteral("Luata in evidenta la data de"), DataIn);
    common->addRow(QStringLiteral("Document / Obs."), ObsIn);
    outer->addLayout(common);

    auto *saleBox = new QGroupBox(this);
    auto *sf = new QFormLayout(saleBox);
    Instrainata = checkBox(saleBox, "Instrainata", QStringLiteral("Instrainata la data de"));
    DataVanz = dateEdit(saleBox, "DataVanz");
    DataOut = dateEdit(saleBox, "DataOut");
    ObsOut = lineEdit(saleBox, "ObsOut", 120);
    sf->addRow(Instrainata, DataVanz);
    sf->addRow(QStringLiteral("Iesita din evidenta la data de"), DataOut);
    sf->addRow(QStringLiteral("Document / Obs."), ObsOut);
    outer->addWidget(saleBox);

    const ui::StoreButtons store = ui::addStoreButtons(this, outer);
    Memoreaza = store.save;
    Renunt = store.cancel;

    connect(Memoreaza, &QPushButton::clicked, this, &TCladAddF::MemoreazaClick);
    connect(Clasificare, &QComboBox::currentIndexChanged, this, &TCladAddF::showPage);
    connect(ScopMixt, &QComboBox::currentIndexChanged, this, &TCladAddF::showPage);
    connect(NuEvaluata, &QCheckBox::toggled, this, &TCladAddF::syncEnabled);
    connect(Instrainata, &QCheckBox::toggled, this, &TCladAddF::syncEnabled);
    showPage();
    syncEnabled();
}

BuildingPage TCladAddF::page() const { return buildingPage(owner_, form()); }

void TCladAddF::showPage()
{
    MixtPanel->setVisible(Clasificare->currentIndex() == 2);
    const BuildingPage p = page();
    const bool natural = p == BuildingPage::NaturalResidential || p == BuildingPage::NaturalNonResidential;
    const bool evaluated = p != BuildingPage::NaturalResidential;
    const bool agricultural = p == BuildingPage::NaturalNonResidential || p == BuildingPage::LegalNonResidential;
    for (QWidget *w : std::initializer_list<QWidget *>{Suprafata, Anul, Material, CuUtil, Zona, Rang, LaBloc})
        pageForm_->setRowVisible(w, natural);
    pageForm_->setRowVisible(DataEval, evaluated);
    pageForm_->setRowVisible(Valoare, evaluated);
    pageForm_->setRowVisible(ActAgr, agricultural);
    pageForm_->setRowVisible(NuEvaluata, p == BuildingPage::NaturalNonResidential);
    syncEnabled();
}

void TCladAddF::syncEnabled()
{
    const bool evaluated = !(page() == BuildingPage::NaturalNonResidential && NuEvaluata->isChecked());
    DataEval->setEnabled(evaluated);
    Valoare->setEnabled(evaluated);
    for (QWidget *w : std::initializer_list<QWidget *>{DataVanz, DataOut, ObsOut})
        w->setEnabled(Instrainata->isChecked());
}

void TCladAddF::prepare(const QList<qint64> &mixedIds, const BuildingForm &f)
{
    IdMixt->clear();
    IdMixt->addItem(QStringLiteral("nu exista in lista"), qint64(0));
    for (qint64 id : mixedIds)
        IdMixt->addItem(QString::number(id), id);
    if (f.mixedId != 0 && IdMixt->findData(f.mixedId) < 0)
        IdMixt->addItem(QString::number(f.mixedId), f.mixedId);
    IdMixt->setCurrentIndex(f.mixedId != 0 ? IdMixt->findData(f.mixedId) : 0);
    ScopMixt->setCurrentIndex(f.mixedPartResidential ? 0 : 1);
    Clasificare->setCurrentIndex(int(f.classification));

    Suprafata->setText(amountText(f.area));
    Anul->setText(QString::number(f.year));
    selectIndex(Material, f.material);
    selectIndex(Destinatie, f.destination - 1);
    CuUtil->setCurrentIndex(f.utilities ? 1 : 0);
    selectIndex(Zona, Zona->findText(f.zone));
    selectIndex(Rang, f.rank);
    LaBloc->setChecked(f.inBlock);
    DataEval->setDate(f.evaluationDate);
    Valoare->setText(amountText(f.value));
    ActAgr->setCurrentIndex(f.agricultural ? 1 : 0);
    NuEvaluata->setChecked(f.notEvaluated);
    Adresa->setText(f.address);
    DataDob->setDate(f.acquisitionDate);
    DataIn->setDate(f.entryDate);
    ObsIn->setText(f.entryRemark);
    Instrainata->setChecked(f.sold);
    DataVanz->setDate(f.saleDate);
    DataOut->setDate(f.exitDate);
    ObsOut->setText(f.exitRemark);
    showPage();
}

BuildingForm TCladAddF::form() const
{
    BuildingForm f;
    f.classification = BuildingClass(std::max(0, Clasificare->currentIndex()));
    f.mixedPartResidential = ScopMixt->currentIndex() != 1;
    f.mixedId = IdMixt->currentIndex() > 0 ? IdMixt->currentData().toLongLong() : 0;
    f.area = amountOf(Suprafata);
    f.year = Anul->text().trimmed().toInt();
    f.material = std::max(0, Material->currentIndex());
    f.destination = std::max(0, Destinatie->currentIndex()) + 1;
    f.utilities = CuUtil->currentIndex() == 1;
    f.zone = Zona->currentText();
    f.rank = std::max(0, Rang->currentIndex());
    f.inBlock = LaBloc->isChecked();
    f.evaluationDate = DataEval->date();
    f.value = amountOf(Valoare);
    f.agricultural = ActAgr->currentIndex() == 1;
    f.notEvaluated = NuEvaluata->isChecked();
    f.address = Adresa->text();
    f.acquisitionDate = DataDob->date();
    f.entryDate = DataIn->date();
    f.entryRemark = ObsIn->text();
    f.sold = Instrainata->isChecked();
    f.saleDate = DataVanz->date();
    f.exitDate = DataOut->date();
    f.exitRemark = ObsOut->text();
    return f;
}

QWidget *TCladAddF::fieldOf(EntryField field) const
{
    switch (field) {
    case EntryField::Area: return Suprafata;
    case EntryField::Year: return Anul;
    case EntryField::EvaluationDate: return DataEval;
    case EntryField::Value: return Valoare;
    case EntryField::EntryDate: return DataIn;
    case EntryField::AcquisitionDate: return DataDob;
    case EntryField::SaleDate: return DataVanz;
    case EntryField::ExitDate: return DataOut;
    }
    return nullptr;
}

void TCladAddF::MemoreazaClick()
{
    // The address shows what will be stored before anything is checked.
    BuildingForm f = form();
    f.address = normalised(f).address;
    Adresa->setText(f.address);
    if (const auto problem = firstEntryProblem(f, owner_, today_, fiscalYear_)) {
        QWidget *field = fieldOf(problem->field);
        ui::problem(problem->text, field);
        field->setFocus();
        return;
    }
    const BuildingForm n = normalised(f);
    ObsIn->setText(n.entryRemark);
    ObsOut->setText(n.exitRemark);
    accept();
}

} // namespace valdora::roles

#include "register/ui/TAddGosF.h"

#include "register/ui/DialogFields.h"

#include "app/core/Error.h"
#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"
#include "app/ui/TCNPEdit.h"
#include "register/store/RoleStore.h"

#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>

namespace valdora::roles {
namespace {

// A memo keeps at most `max` characters, whatever is typed or pasted.
void limitLength(QPlainTextEdit *memo, int max)
{
    QObject::connect(memo, &QPlainTextEdit::textChanged, memo, [memo, max] {
        const QString t = memo->toPlainText();
        if (t.size() > max) {
            memo->setPlainText(t.left(max));
            memo->moveCursor(QTextCursor::End);
        }
    });
}

QString oneLine(QString text)
{
    for (QChar &c : text)
        if (c == u'\n' || c == u'\r' || c == u'\t')
            c = u' ';
    return text;
}

} // namespace

TAddGosF::TAddGosF(Database &db, qint64 editedId, bool offerNoPenalties, QWidget *parent)
    : QDialog(parent), db_(db), editedId_(editedId)
{
    setObjectName(QStringLiteral("TAddGosF"));
    setWindowTitle(adding() ? QStringLiteral("Adaugare gospodarie") : QStringLiteral("Modificare gospodarie"));
    auto *outer = new QVBoxLayout(this);
    form_ = new QFormLayout;
    outer->addLayout(form_);

    Localitatea = editableCombo(this, "Localitatea", 32);
    NrRol = new QLineEdit(this);
    NrRol->setObjectName(QStringLiteral("NrRol"));
    NrRol->setMaxLength(9);
    Nume = new QLineEdit(this);
    Nume->setObjectName(QStringLiteral("Nume"));
    Nume->setMaxLength(40);
    CNP = new ui::TCNPEdit(this);
    CNP->setObjectName(QStringLiteral("CNP"));
    CNP->setAcceptGol(true);
    Strada = editableCombo(this, "Strada", 40);
    Adresa = new QLineEdit(this);
    Adresa->setObjectName(QStringLiteral("Adresa"));
    Adresa->setMaxLength(160);
    NrPers = new QLineEdit(QStringLiteral("1"), this);
    NrPers->setObjectName(QStringLiteral("NrPers"));
    NrPers->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,2}")), NrPers));
    NrPers->setMaximumWidth(50);
    Most = new QPlainTextEdit(this);
    Most->setObjectName(QStringLiteral("Most"));
    Most->setMaximumHeight(50);
    limitLength(Most, 200);
    Tip = fixedCombo(this, "Tip", RoleRecord::personTypes());
    NoTax = fixedCombo(this, "NoTax", {QStringLiteral("DA"), QStringLiteral("NU")});
    IndOp = editableCombo(this, "IndOp", 6);
    Obs = new QPlainTextEdit(this);
    Obs->setObjectName(QStringLiteral("Obs"));
    Obs->setMaximumHeight(70);
    limitLength(Obs, RoleRecord::MaxObservations);

    form_->addRow(QStringLiteral("Localitatea"), Localitatea);
    form_->addRow(QStringLiteral("Nr.ROL unic"), NrRol);
    form_->addRow(QStringLiteral("Cap de gospodarie"), Nume);
    form_->addRow(QStringLiteral("CNP / CUI"), CNP);
    form_->addRow(QStringLiteral("Strada"), Strada);
    form_->addRow(QStringLiteral("Adresa"), Adresa);
    form_->addRow(QStringLiteral("Numar de persoane"), NrPers);
    form_->addRow(QStringLiteral("Mostenitori"), Most);
    form_->addRow(QStringLiteral("Tip persoana"), Tip);
    form_->addRow(QStringLiteral("Fara majorari"), NoTax);
    form_->setRowVisible(NoTax, offerNoPenalties);
    form_->addRow(QStringLiteral("Indicativ operator"), IndOp);
    form_->addRow(QStringLiteral("Observatii"), Obs);

    auto *exemptions = new QGroupBox(QStringLiteral("Scutiri (%)"), this);
    auto *ef = new QFormLayout(exemptions);
    ScClad = fixedCombo(exemptions, "ScClad", RoleRecord::exemptionPercents());
    ScCC = fixedCombo(exemptions, "ScCC", RoleRecord::exemptionPercents());
    ScAuto = fixedCombo(exemptions, "ScAuto", RoleRecord::exemptionPercents());
    ScTI = fixedCombo(exemptions, "ScTI", RoleRecord::exemptionPercents());
    ScTE = fixedCombo(exemptions, "ScTE", RoleRecord::exemptionPercents());
    ef->addRow(QStringLiteral("Cladiri, cladiri anexe"), ScClad);
    ef->addRow(QStringLiteral("Teren curti - constructii"), ScCC);
    ef->addRow(QStringLiteral("Mijloace de transport"), ScAuto);
    ef->addRow(QStringLiteral("Teren intravilan"), ScTI);
    ef->addRow(QStringLiteral("Teren extravilan"), ScTE);
    outer->addWidget(exemptions);

    const ui::StoreButtons store = ui::addStoreButtons(this, outer);
    Memoreaza = store.save;
    Renunt = store.cancel;
    connect(Memoreaza, &QPushButton::clicked, this, &TAddGosF::MemoreazaClick);
    // Enter moves on; on the last exemption ("Teren extravilan") it stores.
    ui::enterMovesToNext({Localitatea, NrRol, Nume, CNP, Strada, Adresa, NrPers, Most, Tip, NoTax, IndOp, Obs, ScClad,
                          ScCC, ScAuto, ScTI, ScTE},
                         Memoreaza);
}

void TAddGosF::prepare(const QStringList &localities, const QStringList &streets, const QStringList &tags,
                       const QString &locality)
{
    Localitatea->clear();
    Localitatea->addItems(localities);
    Localitatea->setCurrentIndex(-1);
    Localitatea->setEditText(locality);
    NrRol->clear();
    Nume->clear();
    CNP->clear();
    Strada->clear();
    Strada->addItems(streets);
    Strada->setCurrentIndex(-1);
    Strada->setEditText({});
    Adresa->clear();
    NrPers->setText(QStringLiteral("1"));
    Most->clear();
    Tip->setCurrentText(QStringLiteral("FIZICA"));
    NoTax->setCurrentText(QStringLiteral("NU"));
    IndOp->clear();
    IndOp->addItems(tags);
    IndOp->setCurrentIndex(-1);
    IndOp->setEditText({});
    Obs->clear();
    for (QComboBox *c : {ScClad, ScCC, ScAuto, ScTI, ScTE})
        c->setCurrentText(QStringLiteral("0"));
}

void TAddGosF::proposeNumber(const QString &rol) { NrRol->setText(rol); }

void TAddGosF::fill(const RoleRecord &r)
{
    Localitatea->setEditText(r.SATUL);
    NrRol->setText(r.ROL);
    Nume->setText(r.NUMEP);
    CNP->setText(r.CNP);
    Strada->setEditText(r.STRADA);
    Adresa->setText(r.ADRESA);
    NrPers->setText(QString::number(r.NRPERS));
    Most->setPlainText(r.MOST.trimmed());
    NoTax->setCurrentText(r.NOTAX == QLatin1String("DA") ? QStringLiteral("DA") : QStringLiteral("NU"));
    IndOp->setEditText(r.INDOP);
    Obs->setPlainText(r.OBS.isEmpty() ? QString() : r.observations());
    Tip->setCurrentText(r.legalPerson() ? QStringLiteral("JURIDICA") : QStringLiteral("FIZICA"));
    const std::pair<QComboBox *, int> percents[] = {
        {ScClad, r.SCCLAD}, {ScCC, r.SCCC}, {ScAuto, r.SCAUTO}, {ScTI, r.SCTI}, {ScTE, r.SCTE}};
    for (auto [combo, value] : percents) {
        const int i = combo->findText(QString::number(value));
        combo->setCurrentIndex(i >= 0 ? i : 0);
    }
}

RoleEntry TAddGosF::entry() const
{
    return RoleEntryCheck::normalised({Localitatea->currentText(), NrRol->text(), Nume->text(), CNP->text(),
                                       Strada->currentText(), Adresa->text(), NrPers->text(),
                                       oneLine(Most->toPlainText()), IndOp->currentText()});
}

RoleRecord TAddGosF::role() const
{
    const RoleEntry e = entry();
    RoleRecord r;
    r.IDGOS = editedId_;
    r.SATUL = e.SATUL;
    r.ROL = e.ROL;
    r.NUMEP = e.NUMEP;
    r.CNP = e.CNP;
    r.STRADA = e.STRADA;
    r.ADRESA = e.ADRESA;
    r.NRPERS = e.NRPERS.toInt();
    r.MOST = e.MOST;
    r.TIP = Tip->currentText();
    r.SCCLAD = ScClad->currentText().toInt();
    r.SCCC = ScCC->currentText().toInt();
    r.SCAUTO = ScAuto->currentText().toInt();
    r.SCTI = ScTI->currentText().toInt();
    r.SCTE = ScTE->currentText().toInt();
    r.setObservations(oneLine(Obs->toPlainText()));
    r.NOTAX = NoTax->currentText();
    r.INDOP = e.INDOP;
    return r;
}

void TAddGosF::refuse(const QString &text, QWidget *field)
{
    ui::message(windowTitle(), text, ui::Ok, ui::Warning);
    field->setFocus();
}

void TAddGosF::MemoreazaClick()
{
    const RoleEntry e = entry();
    // The fields show what will be stored.
    Strada->setEditText(e.STRADA);
    Adresa->setText(e.ADRESA);
    Most->setPlainText(e.MOST);
    Localitatea->setEditText(e.SATUL);
    IndOp->setEditText(e.INDOP);
    NrPers->setText(e.NRPERS);
    NrRol->setText(e.ROL);
    Nume->setText(e.NUMEP);
    if (const auto problem = RoleEntryCheck::firstProblem(e)) {
        QWidget *field = nullptr;
        switch (problem->field) {
        case RoleEntryField::Locality: field = Localitatea; break;
        case RoleEntryField::RoleNumber: field = NrRol; break;
        case RoleEntryField::Cnp: field = CNP; break;
        case RoleEntryField::Name: field = Nume; break;
        }
        refuse(problem->text, field);
        return;
    }
    try {
        if (roleNumberUses(db_, e.ROL, editedId_) > 0 &&
            ui::message(RoleEntryCheck::duplicateNumberTitle(), RoleEntryCheck::duplicateNumberQuestion(), ui::DaNu,
                        ui::Confirmation) != ui::ResultDa) {
            NrRol->setFocus();
            return;
        }
        if (!e.CNP.isEmpty()) {
            if (const auto other = roleWithCode(db_, e.CNP, editedId_);
                other && ui::message(RoleEntryCheck::duplicateCodeTitle(),
                                     RoleEntryCheck::duplicateCodeQuestion(other->ROL, other->NUMEP), ui::DaNu,
                                     ui::Confirmation) != ui::ResultDa)
                return;
        }
    } catch (const Error &err) {
        ui::message(windowTitle(), err.message(), ui::Ok, ui::Error);
        return;
    }
    accept();
}

} // namespace valdora::roles

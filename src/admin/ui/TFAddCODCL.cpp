#include "admin/ui/TFAddCODCL.h"

#include "app/core/Text.h"
#include "app/core/Validation.h"
#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace valdora::admin {

TFAddCODCL::TFAddCODCL(Database &db, qint64 editedId, QWidget *parent) : QDialog(parent), db_(db), editedId_(editedId)
{
    setObjectName(QStringLiteral("TFAddCODCL"));
    setWindowTitle(QStringLiteral("Cod clasificare"));
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addLayout(form);
    Denumire = new QLineEdit(this);
    Denumire->setObjectName(QStringLiteral("Denumire"));
    Denumire->setMaxLength(60);
    Denumire->setReadOnly(editedId > 0);
    ContPF = new QLineEdit(this);
    ContPF->setObjectName(QStringLiteral("ContPF"));
    ContPF->setMaxLength(24);
    ContPJ = new QLineEdit(this);
    ContPJ->setObjectName(QStringLiteral("ContPJ"));
    ContPJ->setMaxLength(24);
    ui::upperCaseAsTyped(ContPF);
    ui::upperCaseAsTyped(ContPJ);
    // Typing the natural-person account copies it into the legal-person one.
    connect(ContPF, &QLineEdit::textEdited, ContPJ, [this] { ContPJ->setText(ContPF->text().toUpper()); });
    form->addRow(QStringLiteral("Denumirea creantei"), Denumire);
    form->addRow(QStringLiteral("Cont P.Fizica"), ContPF);
    form->addRow(QStringLiteral("Cont P.Juridica"), ContPJ);
    Memoreaza = ui::addStoreButtons(this, outer).save;
    connect(Memoreaza, &QPushButton::clicked, this, &TFAddCODCL::MemoreazaClick);
    ui::enterMovesToNext({Denumire, ContPF, ContPJ}, Memoreaza);
}

void TFAddCODCL::fill(const ClassificationCode &c)
{
    Denumire->setText(c.group);
    ContPF->setText(c.naturalCode);
    ContPJ->setText(c.legalCode);
}

ClassificationCode TFAddCODCL::code() const
{
    return {editedId_, cleanSpaces(Denumire->text()), cleanSpaces(ContPF->text()), cleanSpaces(ContPJ->text()), QStringLiteral("T")};
}

void TFAddCODCL::MemoreazaClick()
{
    const ClassificationCode c = code();
    Denumire->setText(c.group);
    ContPF->setText(c.naturalCode);
    ContPJ->setText(c.legalCode);
    const QString refusal = codeRefusal(db_, c, editedId_);
    if (refusal.isEmpty()) {
        accept();
        return;
    }
    QLineEdit *at = Denumire;
    if (refusal == QLatin1String("Lipseste contul!"))
        at = c.naturalCode.isEmpty() ? ContPF : ContPJ;
    else if (refusal == QLatin1String("Cont incorect!"))
        at = c.naturalCode.startsWith(QLatin1String("RO")) && !isValidIban(c.naturalCode) ? ContPF : ContPJ;
    ui::problem(refusal, at);
}

} // namespace valdora::admin

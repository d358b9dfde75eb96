#include "admin/ui/TAddZonaF.h"

#include "admin/domain/AdminControls.h"
#include "app/core/Text.h"
#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace valdora::admin {

TAddZonaF::TAddZonaF(Database &db, qint64 editedId, QWidget *parent) : QDialog(parent), db_(db), editedId_(editedId)
{
    setObjectName(QStringLiteral("TAddZonaF"));
    setWindowTitle(QStringLiteral("Constante de calcul"));
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addLayout(form);
    Localitatea = new QLineEdit(this);
    Localitatea->setObjectName(QStringLiteral("Localitatea"));
    Localitatea->setMaxLength(32);
    ui::upperCaseAsTyped(Localitatea);
    Zona = new QComboBox(this);
    Zona->setObjectName(QStringLiteral("Zona"));
    Zona->addItems(zones());
    Rangul = new QComboBox(this);
    Rangul->setObjectName(QStringLiteral("Rangul"));
    Rangul->addItems(ranks());
    form->addRow(QStringLiteral("Localitatea"), Localitatea);
    form->addRow(QStringLiteral("Zona"), Zona);
    form->addRow(QStringLiteral("Rangul"), Rangul);
    Memoreaza = ui::addStoreButtons(this, outer).save;
    connect(Memoreaza, &QPushButton::clicked, this, &TAddZonaF::MemoreazaClick);
    ui::enterMovesToNext({Localitatea, Zona, Rangul}, Memoreaza);
}

void TAddZonaF::fill(const Zone &z)
{
    Localitatea->setText(z.locality);
    Zona->setCurrentText(z.zone);
    Rangul->setCurrentText(z.rank);
}

Zone TAddZonaF::zone() const { return {editedId_, cleanSpaces(Localitatea->text()), Zona->currentText(), Rangul->currentText()}; }

void TAddZonaF::MemoreazaClick()
{
    const Zone z = zone();
    Localitatea->setText(z.locality);
    if (const QString refusal = zoneRefusal(db_, z.locality, editedId_); !refusal.isEmpty()) {
        ui::problem(refusal, Localitatea);
        return;
    }
    accept();
}

} // namespace valdora::admin

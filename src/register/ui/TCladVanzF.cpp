#include "register/ui/TCladVanzF.h"

#include "app/ui/Fields.h"

#include "app/core/Text.h"
#include "app/ui/Interaction.h"

#include <QDateEdit>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace valdora::roles {

TCladVanzF::TCladVanzF(QDate today, QWidget *parent) : QDialog(parent), today_(today)
{
    setObjectName(QStringLiteral("TCladVanzF"));
    setWindowTitle(QStringLiteral("Vanzare Constructie"));
    auto *outer = new QVBoxLayout(this);
    auto *caption = new QLabel(QStringLiteral("Completati datele vanzarii"), this);
    QFont f = caption->font();
    f.setBold(true);
    caption->setFont(f);
    outer->addWidget(caption);
    auto *form = new QFormLayout;
    DataVanz = new QDateEdit(today, this);
    DataVanz->setObjectName(QStringLiteral("DataVanz"));
    DataVanz->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    DataVanz->setCalendarPopup(true);
    DataVanz->setMinimumDate(QDate(1100, 1, 1));
    DataVanz->setMaximumWidth(140);
    ObsVanz = new QLineEdit(this);
    ObsVanz->setObjectName(QStringLiteral("ObsVanz"));
    ObsVanz->setMaxLength(120);
    ObsVanz->setMinimumWidth(360);
    form->addRow(QStringLiteral("Data vanzarii"), DataVanz);
    form->addRow(QStringLiteral("Document / Observatii"), ObsVanz);
    outer->addLayout(form);
    const ui::StoreButtons store = ui::addStoreButtons(this, outer);
    Memoreaza = store.save;
    Renunt = store.cancel;
    connect(Memoreaza, &QPushButton::clicked, this, &TCladVanzF::MemoreazaClick);
}

QDate TCladVanzF::saleDate() const { return DataVanz->date(); }
QString TCladVanzF::remark() const { return cleanSpaces(ObsVanz->text()); }

void TCladVanzF::MemoreazaClick()
{
    if (saleDate() > today_) {
        ui::problem(QStringLiteral("Data vanzarii este incorecta!"), DataVanz);
        DataVanz->setFocus();
        return;
    }
    ObsVanz->setText(remark());
    accept();
}

} // namespace valdora::roles

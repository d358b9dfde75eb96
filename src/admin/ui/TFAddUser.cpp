#include "admin/ui/TFAddUser.h"

#include "app/core/Text.h"
#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>
#include <QRegularExpressionValidator>

namespace valdora::admin {

TFAddUser::TFAddUser(const UserFile &users, bool adding, QWidget *parent) : QDialog(parent), users_(users), adding_(adding)
{
    setObjectName(QStringLiteral("TFAddUser"));
    setWindowTitle(QStringLiteral("Utilizatori"));
    auto *outer = new QVBoxLayout(this);
    auto *form = new QFormLayout;
    outer->addLayout(form);
    auto edit = [this](const char *name, int max) {
        auto *e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        e->setMaxLength(max);
        ui::upperCaseAsTyped(e);
        return e;
    };
    Nume = edit("Nume", 32);
    Nume->setReadOnly(!adding);
    Rang = new QComboBox(this);
    Rang->setObjectName(QStringLiteral("Rang"));
    Rang->addItems({QStringLiteral("OPERATOR DE ROL"), QStringLiteral("CASIER")});
    Legitimatia = edit("Legitimatia", 32);
    Seria = edit("Seria", 10);
    Numar = new QLineEdit(QStringLiteral("1"), this);
    Numar->setObjectName(QStringLiteral("Numar"));
    Numar->setMaxLength(10);
    Numar->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,10}")), Numar));
    StergeParola = new QCheckBox(QStringLiteral("Sterge parola"), this);
    StergeParola->setObjectName(QStringLiteral("StergeParola"));
    StergeParola->setVisible(!adding);
    form->addRow(QStringLiteral("Nume utilizator"), Nume);
    form->addRow(QStringLiteral("Rang"), Rang);
    form->addRow(QStringLiteral("Legitimatia"), Legitimatia);
    auto *box = new QGroupBox(QStringLiteral("Chitante"), this);
    auto *boxForm = new QFormLayout(box);
    boxForm->addRow(QStringLiteral("Seria"), Seria);
    boxForm->addRow(QStringLiteral("De la nr."), Numar);
    form->addRow(box);
    form->addRow(StergeParola);
    Memoreaza = ui::addStoreButtons(this, outer).save;
    connect(Memoreaza, &QPushButton::clicked, this, &TFAddUser::MemoreazaClick);
    ui::enterMovesToNext({Nume, Rang, Legitimatia, Seria, Numar}, Memoreaza);
}

void TFAddUser::fill(const UserRow &r)
{
    Nume->setText(r.name);
    Rang->setCurrentText(gradeText(r.grade));
    Legitimatia->setText(r.identityCard);
    Seria->setText(r.series);
    Numar->setText(r.nextNumber);
}

UserRow TFAddUser::row() const
{
    return {cleanSpaces(Nume->text()), gradeFromText(Rang->currentText()), cleanSpaces(Legitimatia->text()),
            cleanSpaces(Seria->text()), Numar->text().trimmed().isEmpty() ? QStringLiteral("1") : Numar->text().trimmed()};
}

bool TFAddUser::clearPassword() const { return !adding_ && StergeParola->isChecked(); }

void TFAddUser::MemoreazaClick()
{
    const UserRow r = row();
    Nume->setText(r.name);
    Legitimatia->setText(r.identityCard);
    Seria->setText(r.series);
    if (const QString refusal = userRefusal(users_, r.name, adding_); !refusal.isEmpty()) {
        ui::problem(refusal, Nume);
        return;
    }
    if (!isValidReceiptNumber(r.nextNumber)) {
        ui::problem(QStringLiteral("Numar incorect!"), Numar);
        return;
    }
    accept();
}

} // namespace valdora::admin

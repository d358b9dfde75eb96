#include "admin/ui/TForm5.h"

#include "app/ui/Fields.h"
#include "app/ui/Interaction.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>

namespace valdora::admin {

TForm5::TForm5(const QString &password, const QString &identityCard, QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TForm5"));
    setWindowTitle(QStringLiteral("Utilizator"));
    auto *form = new QFormLayout(this);
    auto field = [this](const QString &name, const QString &value, bool secret) {
        auto *e = new QLineEdit(value, this);
        e->setObjectName(name);
        e->setMaxLength(32);
        if (secret)
            e->setEchoMode(QLineEdit::Password);
        return e;
    };
    Parola1 = field(QStringLiteral("Parola1"), password, true);
    Parola2 = field(QStringLiteral("Parola2"), password, true);
    Legitimatia = field(QStringLiteral("Legitimatia"), identityCard, false);
    form->addRow(QStringLiteral("Parola noua"), Parola1);
    form->addRow(QStringLiteral("Verifica parola"), Parola2);
    form->addRow(QStringLiteral("Legitimatia"), Legitimatia);
    auto *row = new QHBoxLayout;
    auto *save = new QPushButton(QStringLiteral("Memoreaza"), this);
    save->setObjectName(QStringLiteral("Memoreaza"));
    auto *cancel = new QPushButton(QStringLiteral("Renunt"), this);
    cancel->setObjectName(QStringLiteral("Renunt"));
    row->addWidget(save);
    row->addWidget(cancel);
    form->addRow(row);
    connect(save, &QPushButton::clicked, this, &TForm5::Memoreaza);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    // Typed passwords are upper case, as they are stored.
    ui::upperCaseAsTyped(Parola1);
    ui::upperCaseAsTyped(Parola2);
}

void TForm5::Memoreaza()
{
    if (Parola1->text().isEmpty() || Parola1->text() != Parola2->text()) {
        ui::problem(QStringLiteral("Parola nesetata sau nu este identica in cele doua casute!"), Parola1);
        return;
    }
    accept();
}

} // namespace valdora::admin

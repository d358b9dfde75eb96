#include "app/ui/TCNPEdit.h"

#include "app/core/Validation.h"

#include <QRegularExpressionValidator>

namespace valdora::ui {

TCNPEdit::TCNPEdit(QWidget *parent) : QLineEdit(parent)
{
    setMaxLength(13);
    setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,13}")), this));
    connect(this, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (t == QLatin1String("0"))
            clear();
    });
}

bool TCNPEdit::Corect() const { return CnpCheck::isValid(text(), acceptEmpty_); }
QString TCNPEdit::Sex() const { return CnpCheck::sex(text()); }
QDate TCNPEdit::NascutLa() const { return CnpCheck::birthDate(text()); }

} // namespace valdora::ui

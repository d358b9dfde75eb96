#include "register/ui/DialogFields.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpressionValidator>

namespace valdora::roles {

QLabel *titleLabel(QWidget *parent, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QStringLiteral("Titlu"));
    QFont f = l->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.3);
    l->setFont(f);
    return l;
}

QComboBox *fixedCombo(QWidget *parent, const char *name, const QStringList &items)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->addItems(items);
    return c;
}

QComboBox *editableCombo(QWidget *parent, const char *name, int maxLength, const QStringList &suggestions)
{
    auto *c = new QComboBox(parent);
    c->setObjectName(QString::fromLatin1(name));
    c->setEditable(true);
    c->setInsertPolicy(QComboBox::NoInsert);
    c->lineEdit()->setMaxLength(maxLength);
    c->addItems(suggestions);
    return c;
}

QDateEdit *dateEdit(QWidget *parent, const char *name)
{
    auto *d = new QDateEdit(parent);
    d->setObjectName(QString::fromLatin1(name));
    d->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    d->setCalendarPopup(true);
    d->setMinimumDate(QDate(1100, 1, 1));
    d->setMaximumWidth(140);
    return d;
}

QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength)
{
    auto *e = new QLineEdit(parent);
    e->setObjectName(QString::fromLatin1(name));
    e->setMaxLength(maxLength);
    return e;
}

QLineEdit *wholeEdit(QWidget *parent, const char *name, int digits)
{
    auto *e = lineEdit(parent, name, digits);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,%1}").arg(digits)), e));
    e->setMaximumWidth(std::max(70, 14 * digits));
    return e;
}

QLineEdit *amountEdit(QWidget *parent, const char *name)
{
    auto *e = lineEdit(parent, name, 11);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,8}([.,][0-9]{0,2})?")), e));
    e->setMaximumWidth(140);
    return e;
}

QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption)
{
    auto *c = new QCheckBox(caption, parent);
    c->setObjectName(QString::fromLatin1(name));
    return c;
}

Currency amountOf(const QLineEdit *e)
{
    QString t = e->text().trimmed();
    t.replace(u',', u'.');
    return Currency::parse(t).value_or(Currency());
}

qint64 wholeOf(const QLineEdit *e) { return e->text().trimmed().toLongLong(); }

void selectIndex(QComboBox *c, int index) { c->setCurrentIndex(index >= 0 && index < c->count() ? index : 0); }

} // namespace valdora::roles

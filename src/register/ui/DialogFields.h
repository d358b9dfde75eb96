#pragma once
// Field factories the register's dialogs share, each field named for tests and
// for focusing the field a check refuses.

#include "app/core/Currency.h"

#include <QStringList>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QLabel;
class QLineEdit;
class QWidget;

namespace valdora::roles {

// The dialog's heading ("Titlu"): the dialog's font, bold and larger.
QLabel *titleLabel(QWidget *parent, const QString &text);
QComboBox *fixedCombo(QWidget *parent, const char *name, const QStringList &items);
// Free text with suggestions; nothing typed is added to the list.
QComboBox *editableCombo(QWidget *parent, const char *name, int maxLength, const QStringList &suggestions = {});
QDateEdit *dateEdit(QWidget *parent, const char *name);
QLineEdit *lineEdit(QWidget *parent, const char *name, int maxLength);
// Digits only, at most `digits` of them.
QLineEdit *wholeEdit(QWidget *parent, const char *name, int digits);
// An amount of a DECIMAL(10,2) column: eight digits and two decimals at most.
QLineEdit *amountEdit(QWidget *parent, const char *name);
QCheckBox *checkBox(QWidget *parent, const char *name, const QString &caption);

// The amount typed ("," taken as "."), 0 when empty.
Currency amountOf(const QLineEdit *edit);
// The whole number typed, 0 when empty.
qint64 wholeOf(const QLineEdit *edit);
// Selects `index` when the combo has it, else the first item.
void selectIndex(QComboBox *combo, int index);

} // namespace valdora::roles

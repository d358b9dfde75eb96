#pragma once
// Small behaviours the office's dialogs share.

#include <QList>

class QLineEdit;
class QPushButton;
class QWidget;

namespace valdora::ui {

// Keeps the text of a field in upper case as it is typed.
void upperCaseAsTyped(QLineEdit *edit);
// Enter moves to the next field of `order`; on the last one it presses `confirm`.
void enterMovesToNext(const QList<QWidget *> &order, QPushButton *confirm);

} // namespace valdora::ui

#pragma once
// Small behaviours the office's dialogs share.

#include <QList>

class QBoxLayout;
class QDialog;
class QLineEdit;
class QPushButton;
class QWidget;

namespace valdora::ui {

// Keeps the text of a field in upper case as it is typed.
void upperCaseAsTyped(QLineEdit *edit);
// The "Memoreaza" / "Renunt" row at the foot of a dialog, right-aligned; "Renunt"
// rejects the dialog. Returns the two buttons (object names "Memoreaza", "Renunt").
struct StoreButtons {
    QPushButton *save;
    QPushButton *cancel;
};
StoreButtons addStoreButtons(QDialog *dialog, QBoxLayout *into);

// Enter moves to the next field of `order`; on the last one it presses `confirm`.
void enterMovesToNext(const QList<QWidget *> &order, QPushButton *confirm);

} // namespace valdora::ui

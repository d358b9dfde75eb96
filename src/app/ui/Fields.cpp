#include "app/ui/Fields.h"

#include <QBoxLayout>
#include <QComboBox>
#include <QDialog>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPushButton>

namespace valdora::ui {

void upperCaseAsTyped(QLineEdit *e)
{
    QObject::connect(e, &QLineEdit::textEdited, e, [e](const QString &t) {
        if (t != t.toUpper()) {
            const int pos = e->cursorPosition();
            e->setText(t.toUpper());
            e->setCursorPosition(pos);
        }
    });
}

StoreButtons addStoreButtons(QDialog *dialog, QBoxLayout *into)
{
    auto *row = new QHBoxLayout;
    row->addStretch(1);
    StoreButtons b{new QPushButton(QStringLiteral("&Memoreaza"), dialog), new QPushButton(QStringLiteral("&Renunt"), dialog)};
    b.save->setObjectName(QStringLiteral("Memoreaza"));
    b.cancel->setObjectName(QStringLiteral("Renunt"));
    for (QPushButton *p : {b.save, b.cancel}) {
        p->setAutoDefault(false);
        row->addWidget(p);
    }
    into->addLayout(row);
    QObject::connect(b.cancel, &QPushButton::clicked, dialog, &QDialog::reject);
    return b;
}

namespace {
class EnterFilter : public QObject {
public:
    EnterFilter(QList<QWidget *> order, QPushButton *confirm, QObject *parent)
        : QObject(parent), order_(std::move(order)), confirm_(confirm)
    {
    }
    bool eventFilter(QObject *o, QEvent *e) override
    {
        if (e->type() != QEvent::KeyPress)
            return false;
        const int key = static_cast<QKeyEvent *>(e)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return false;
        const int i = int(order_.indexOf(static_cast<QWidget *>(o)));
        if (i < 0)
            return false;
        for (int k = i + 1; k < order_.size(); ++k)
            if (order_[k]->isVisible() && order_[k]->isEnabled()) {
                order_[k]->setFocus();
                return true;
            }
        if (confirm_)
            confirm_->click();
        return true;
    }

private:
    QList<QWidget *> order_;
    QPushButton *confirm_;
};
} // namespace

void enterMovesToNext(const QList<QWidget *> &order, QPushButton *confirm)
{
    if (order.isEmpty())
        return;
    auto *f = new EnterFilter(order, confirm, order.first());
    for (QWidget *w : order)
        w->installEventFilter(f);
}

} // namespace valdora::ui

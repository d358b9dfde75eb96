#include "app/ui/TContor.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>

namespace valdora::ui {

TContor &TContor::instance()
{
    static TContor *c = new TContor;
    return *c;
}

TContor::TContor() : QWidget(nullptr, Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint | Qt::Tool)
{
    setObjectName(QStringLiteral("TContor"));
    auto *l = new QVBoxLayout(this);
    label_ = new QLabel(this);
    QFont f = label_->font();
    f.setBold(true);
    label_->setFont(f);
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    stopButton_ = new QPushButton(QStringLiteral("Opreste"), this);
    connect(stopButton_, &QPushButton::clicked, this, [this] { stop_ = true; });
    l->addWidget(label_);
    l->addWidget(bar_);
    l->addWidget(stopButton_, 0, Qt::AlignHCenter);
    setFixedWidth(360);
}

void TContor::start(const QString &description, int maximum, bool withStop)
{
    label_->setText(description);
    bar_->setRange(0, qMax(1, maximum));
    bar_->setValue(0);
    stopButton_->setVisible(withStop);
    stop_ = false;
    if (!isVisible()) {
        disabled_ = QApplication::activeWindow();
        if (disabled_ && disabled_ != this) {
            disabled_->setEnabled(false);
            disabled_->setCursor(Qt::WaitCursor);
        }
        adjustSize();
        if (const QScreen *s = QApplication::primaryScreen())
            move(s->availableGeometry().center() - rect().center());
        show();
    }
    QApplication::processEvents();
}

void TContor::step()
{
    if (bar_->value() < bar_->maximum())
        bar_->setValue(bar_->value() + 1);
    QApplication::processEvents();
}

void TContor::setPosition(int position)
{
    bar_->setValue(qBound(0, position, bar_->maximum()));
    QApplication::processEvents();
}

void TContor::finish()
{
    hide();
    if (disabled_) {
        disabled_->setEnabled(true);
        disabled_->unsetCursor();
        disabled_->activateWindow();
        disabled_ = nullptr;
    }
}

} // namespace valdora::ui

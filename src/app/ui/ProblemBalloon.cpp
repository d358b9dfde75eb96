#include "app/ui/ProblemBalloon.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPropertyAnimation>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QVBoxLayout>

namespace valdora::ui {
namespace {
QPointer<ProblemBalloon> shown;
}

ProblemBalloon *ProblemBalloon::current() { return shown.data(); }

ProblemBalloon::ProblemBalloon(const QString &text, QWidget *control)
    : QFrame(nullptr, Qt::ToolTip | Qt::FramelessWindowHint), control_(control)
{
    setObjectName(QStringLiteral("ProblemBalloon"));
    setAttribute(Qt::WA_DeleteOnClose);
    setAttribute(Qt::WA_ShowWithoutActivating);
    setFrameShape(QFrame::Box);
    setStyleSheet(QStringLiteral("QFrame#ProblemBalloon { background: #FFFFE1; border: 1px solid #808080; }"));
    setFixedWidth(300);
    auto *row = new QHBoxLayout(this);
    auto *icon = new QLabel(this);
    icon->setPixmap(style()->standardIcon(QStyle::SP_MessageBoxCritical).pixmap(24, 24));
    auto *col = new QVBoxLayout;
    auto *title = new QLabel(QStringLiteral("Problema !"), this);
    QFont f = title->font();
    f.setBold(true);
    title->setFont(f);
    text_ = new QLabel(text, this);
    text_->setWordWrap(true);
    col->addWidget(title);
    col->addWidget(text_);
    row->addWidget(icon, 0, Qt::AlignTop);
    row->addLayout(col, 1);
}

QString ProblemBalloon::text() const { return text_->text(); }

ProblemBalloon *ProblemBalloon::show(const QString &text, QWidget *control)
{
    if (shown)
        shown->close();
    auto *b = new ProblemBalloon(text, control);
    b->adjustSize();
    QPoint at(100, 100);
    if (control) {
        at = control->mapToGlobal(QPoint(control->width() / 2, control->height()));
        control->setFocus();
    }
    b->move(at);
    b->setWindowOpacity(0.0);
    b->QFrame::show();
    auto *fade = new QPropertyAnimation(b, "windowOpacity", b);
    fade->setDuration(250);
    fade->setStartValue(0.0);
    fade->setEndValue(1.0);
    fade->start(QAbstractAnimation::DeleteWhenStopped);
    QTimer::singleShot(LifetimeMs, Qt::PreciseTimer, b, &QWidget::close);
    shown = b;
    return b;
}

} // namespace valdora::ui

#include "app/ui/TForm1.h"

#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/ui/Interaction.h"

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QScreen>
#include <QTimer>
#include <QVBoxLayout>

namespace valdora::ui {

TForm1::TForm1(std::function<StartupState()> startup, std::function<void(StartupState &)> handOver, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint),
      startup_(std::move(startup)), handOver_(std::move(handOver))
{
    setObjectName(QStringLiteral("TForm1"));
    setWindowTitle(QStringLiteral("Valdora - Initializare"));
    setCursor(Qt::WaitCursor);
    auto *l = new QVBoxLayout(this);
    auto *title = new QLabel(edition::titleWithVersion(), this);
    title->setObjectName(QStringLiteral("title"));
    auto *product = new QLabel(QString::fromLatin1(edition::Title).toUpper(), this);
    QFont f = product->font();
    f.setPointSize(f.pointSize() * 2);
    f.setBold(true);
    product->setFont(f);
    auto *line = new QLabel(QStringLiteral("Evidenta taxelor si impozitelor locale."), this);
    status_ = new QLabel(QStringLiteral("Incarcare date"), this);
    status_->setObjectName(QStringLiteral("status"));
    bar_ = new QProgressBar(this);
    bar_->setRange(0, 100);
    bar_->setValue(50);
    for (QWidget *w : {static_cast<QWidget *>(title), static_cast<QWidget *>(product), static_cast<QWidget *>(line),
                       static_cast<QWidget *>(status_), static_cast<QWidget *>(bar_)})
        l->addWidget(w, 0, Qt::AlignHCenter);
    setFixedSize(420, 200);
    timer_ = new QTimer(this);
    timer_->setSingleShot(true);
    timer_->setInterval(1000);
    connect(timer_, &QTimer::timeout, this, &TForm1::run);
}

void TForm1::showEvent(QShowEvent *e)
{
    if (const QScreen *s = screen())
        move(s->availableGeometry().center() - rect().center());
    QWidget::showEvent(e);
    QApplication::processEvents();
    if (!timer_->isActive())
        timer_->start();
}

void TForm1::setProgress(const QString &status, int position)
{
    status_->setText(status);
    bar_->setValue(position);
    QApplication::processEvents();
}

void TForm1::run()
{
    timer_->stop();
    StartupState state;
    try {
        state = startup_();
    } catch (const std::exception &e) {
        // A start that fails before the hand-over is reported and ended.
        const auto *ve = dynamic_cast<const valdora::Error *>(&e);
        message(QStringLiteral("Initializare"), ve ? ve->message() : QString::fromUtf8(e.what()), Ok, 1);
        exitCode_ = 1;
        hide();
        emit finished(exitCode_);
        return;
    }
    unsetCursor();
    hide();
    handOver_(state);
    if (!state.deferredErrors.isEmpty())
        message(QStringLiteral("Initializare"), state.deferredErrors.join(u'\r'), Ok, 1);
    emit finished(exitCode_);
}

} // namespace valdora::ui

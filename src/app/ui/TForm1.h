#pragma once
// "Valdora - Initializare": the first window. One second after it is shown it
// runs the start-up sequence, then hides and hands over to the main window.

#include "app/startup/Startup.h"

#include <QWidget>
#include <functional>

class QLabel;
class QProgressBar;
class QTimer;

namespace valdora::ui {

class TForm1 : public QWidget {
    Q_OBJECT
public:
    // handOver runs the main window modally with the start-up's outcome.
    TForm1(std::function<StartupState()> startup, std::function<void(StartupState &)> handOver, QWidget *parent = nullptr);

    QLabel *status() const { return status_; }
    QProgressBar *bar() const { return bar_; }
    void setProgress(const QString &status, int position);
    int exitCode() const { return exitCode_; }

signals:
    void finished(int exitCode);

protected:
    void showEvent(QShowEvent *e) override;

private:
    void run();

    std::function<StartupState()> startup_;
    std::function<void(StartupState &)> handOver_;
    QLabel *status_;
    QProgressBar *bar_;
    QTimer *timer_;
    int exitCode_ = 0;
};

} // namespace valdora::ui

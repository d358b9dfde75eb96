#pragma once
// The progress window of long work: a bold description, a bar (maximum 100
// unless the caller sets it) and, when asked for, the button "Opreste". While
// it is up, the window that was active is disabled.

#include <QPointer>
#include <QWidget>

class QLabel;
class QProgressBar;
class QPushButton;

namespace valdora::ui {

class TContor : public QWidget {
    Q_OBJECT
public:
    static TContor &instance();

    void start(const QString &description, int maximum = 100, bool withStop = false);
    void step();
    void setPosition(int position);
    void finish();
    bool stopRequested() const { return stop_; }

    QProgressBar *bar() const { return bar_; }
    QPushButton *stopButton() const { return stopButton_; }
    QLabel *description() const { return label_; }

private:
    TContor();
    QLabel *label_;
    QProgressBar *bar_;
    QPushButton *stopButton_;
    QPointer<QWidget> disabled_;
    bool stop_ = false;
};

} // namespace valdora::ui

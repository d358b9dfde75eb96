#pragma once
// The "Problema !" balloon that rejects an entry field: shown beside the
// control, 300 pixels wide, fading in, closing itself after 5 seconds. It
// never blocks.

#include <QFrame>
#include <QPointer>

class QLabel;

namespace valdora::ui {

class ProblemBalloon : public QFrame {
    Q_OBJECT
public:
    static constexpr int LifetimeMs = 5000;
    static ProblemBalloon *show(const QString &text, QWidget *control);
    // The balloon on screen, if any (one at a time).
    static ProblemBalloon *current();

    QString text() const;
    QWidget *control() const { return control_; }

private:
    ProblemBalloon(const QString &text, QWidget *control);
    QLabel *text_;
    QPointer<QWidget> control_;
};

} // namespace valdora::ui

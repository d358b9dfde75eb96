#pragma once
// The message window: a bold title line, the text, an icon and a gradient
// band coloured by kind; buttons DA, NU, RENUNT, OK spread over 342 pixels.

#include <QColor>
#include <QDialog>
#include <QString>

class QLabel;
class QPushButton;
class QWidget;

namespace valdora::ui {

class TErori : public QDialog {
    Q_OBJECT
public:
    explicit TErori(QWidget *parent = nullptr);

    void prepare(const QString &title, const QString &text, int buttons, int kind);
    // Shows the window modally; 6 DA, 7 NU, 2 RENUNT/Escape/close, 1 OK.
    int run();

    static QString captionOf(int kind);
    static std::pair<QColor, QColor> gradientOf(int kind);
    // Left edge of the i-th visible button (1-based) among n.
    static int buttonLeft(int i, int n);

    QPushButton *button(const QString &caption) const;
    QLabel *titleLabel() const { return title_; }
    QLabel *textLabel() const { return text_; }
    QWidget *buttonPanel() const { return panel_; }

protected:
    void paintEvent(QPaintEvent *) override;
    void keyPressEvent(QKeyEvent *e) override;
    void closeEvent(QCloseEvent *e) override;

private:
    QLabel *title_;
    QLabel *text_;
    QLabel *icon_;
    QWidget *panel_;
    QPushButton *buttons_[4];
    int kind_ = 1;
    int result_ = 2;
};

} // namespace valdora::ui

#include "app/ui/TErori.h"

#include "app/ui/Interaction.h"

#include <QApplication>
#include <QCloseEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

namespace valdora::ui {
namespace {
constexpr int PanelWidth = 342;
constexpr int ButtonWidth = 73;
constexpr int BandHeight = 8;
struct ButtonDef { const char *caption; int bit; int result; };
// The order in which visible buttons are laid out.
const ButtonDef defs[4] = {{"DA", Da, ResultDa}, {"NU", Nu, ResultNu}, {"RENUNT", Renunt, ResultRenunt}, {"OK", Ok, ResultOk}};
} // namespace

TErori::TErori(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TErori"));
    setModal(true);
    setWindowFlag(Qt::WindowContextHelpButtonHint, false);
    auto *outer = new QVBoxLayout(this);
    outer->setContentsMargins(12, 12 + BandHeight, 12, 12);
    auto *top = new QHBoxLayout;
    icon_ = new QLabel(this);
    auto *texts = new QVBoxLayout;
    title_ = new QLabel(this);
    QFont bold = title_->font();
    bold.setBold(true);
    title_->setFont(bold);
    text_ = new QLabel(this);
    text_->setWordWrap(true);
    text_->setMinimumWidth(260);
    texts->addWidget(title_);
    texts->addWidget(text_);
    top->addWidget(icon_, 0, Qt::AlignTop);
    top->addLayout(texts, 1);
    outer->addLayout(top);
    panel_ = new QWidget(this);
    panel_->setFixedSize(PanelWidth, 30);
    for (int i = 0; i < 4; ++i) {
        buttons_[i] = new QPushButton(QString::fromLatin1(defs[i].caption), panel_);
        buttons_[i]->setObjectName(QString::fromLatin1(defs[i].caption));
        buttons_[i]->setFixedWidth(ButtonWidth);
        const int result = defs[i].result;
        connect(buttons_[i], &QPushButton::clicked, this, [this, result] {
            result_ = result;
            accept();
        });
    }
    outer->addWidget(panel_, 0, Qt::AlignHCenter);
    setFixedWidth(PanelWidth + 24);
}

QString TErori::captionOf(int kind)
{
    switch (kind) {
    case Warning: return QStringLiteral("Atentie !");
    case Information: return QStringLiteral("Informatie");
    case Confirmation: return QStringLiteral("Confirmare");
    default: return QStringLiteral("Eroare");
    }
}

std::pair<QColor, QColor> TErori::gradientOf(int kind)
{
    switch (kind) {
    case Warning: return {QColor(0xB7, 0xB1, 0x8A), QColor(0x38, 0x36, 0x23)};
    case Information: return {QColor(0xE1, 0xDE, 0xFA), QColor(0x00, 0x00, 0xBB)};
    case Confirmation: return {QColor(0x81, 0xA2, 0xD3), QColor(0x36, 0x5F, 0x9C)};
    default: return {QColor(0xFF, 0xD5, 0xD5), QColor(0xFF, 0x00, 0x00)};
    }
}

int TErori::buttonLeft(int i, int n)
{
    const int gap = (PanelWidth - ButtonWidth * n) / (n + 1);
    return i * (gap + ButtonWidth) - ButtonWidth;
}

void TErori::prepare(const QString &title, const QString &text, int buttons, int kind)
{
    kind_ = kind;
    result_ = ResultRenunt;
    setWindowTitle(captionOf(kind));
    title_->setText(title);
    QString t = text;
    t.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    t.replace(u'\r', u'\n');
    text_->setText(t);
    QStyle::StandardPixmap icon = QStyle::SP_MessageBoxCritical;
    if (kind == Warning)
        icon = QStyle::SP_MessageBoxWarning;
    else if (kind == Information)
        icon = QStyle::SP_MessageBoxInformation;
    else if (kind == Confirmation)
        icon = QStyle::SP_MessageBoxQuestion;
    icon_->setPixmap(style()->standardIcon(icon).pixmap(32, 32));
    int n = 0;
    for (const auto &d : defs)
        if (buttons & d.bit)
            ++n;
    int i = 0;
    QPushButton *first = nullptr;
    for (int k = 0; k < 4; ++k) {
        const bool visible = (buttons & defs[k].bit) != 0;
        buttons_[k]->setVisible(visible);
        if (visible) {
            ++i;
            buttons_[k]->move(buttonLeft(i, n), 2);
            if (!first)
                first = buttons_[k];
        }
    }
    if (first) {
        first->setDefault(true);
        first->setFocus();
    }
    adjustSize();
}

int TErori::run()
{
    exec();
    return result_;
}

QPushButton *TErori::button(const QString &caption) const
{
    for (auto *b : buttons_)
        if (b->text() == caption)
            return b;
    return nullptr;
}

void TErori::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    const auto [from, to] = gradientOf(kind_);
    QLinearGradient g(0, 0, width(), 0);
    g.setColorAt(0, from);
    g.setColorAt(1, to);
    p.fillRect(QRect(0, 0, width(), BandHeight), g);
}

void TErori::keyPressEvent(QKeyEvent *e)
{
    if (e->key() == Qt::Key_Escape) {
        result_ = ResultRenunt;
        reject();
        return;
    }
    QDialog::keyPressEvent(e);
}

void TErori::closeEvent(QCloseEvent *e)
{
    if (result() != QDialog::Accepted)
        result_ = ResultRenunt;
    QDialog::closeEvent(e);
}

} // namespace valdora::ui

#include "register/ui/RoleDataPage.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QVBoxLayout>

namespace valdora::roles {

RoleDataPage::RoleDataPage(const RolePageDef &def, QWidget *parent) : QWidget(parent), def_(def)
{
    setObjectName(QStringLiteral("Page%1").arg(def.page));
    auto *outer = new QVBoxLayout(this);
    auto *title = new QLabel(def.title, this);
    QFont f = title->font();
    f.setBold(true);
    f.setPointSizeF(f.pointSizeF() * 1.2);
    title->setFont(f);
    outer->addWidget(title);
    body = new QVBoxLayout;
    outer->addLayout(body);
    outer->addStretch(1);

    Modi = new QWidget(this);
    Modi->setObjectName(QStringLiteral("Modi%1").arg(def.page));
    auto *bar = new QHBoxLayout(Modi);
    bar->setContentsMargins(0, 0, 0, 0);
    Memoreaza = new QPushButton(QStringLiteral("Memoreaza modificarile"), Modi);
    Memoreaza->setObjectName(QStringLiteral("MemoB%1").arg(def.page));
    Anuleaza = new QPushButton(QStringLiteral("Anuleaza modificarile"), Modi);
    Anuleaza->setObjectName(QStringLiteral("AnulB%1").arg(def.page));
    for (QPushButton *b : {Memoreaza, Anuleaza}) {
        b->setAutoDefault(false);
        bar->addWidget(b);
    }
    bar->addStretch(1);
    outer->addWidget(Modi);
    Modi->hide();
    // The page number travels with the button, as its name says.
    connect(Memoreaza, &QPushButton::clicked, this, [this] {
        emit storeRequested(Memoreaza->objectName().mid(5).toInt());
    });
    connect(Anuleaza, &QPushButton::clicked, this, [this] {
        emit cancelRequested(Anuleaza->objectName().mid(5).toInt());
    });
}

QLineEdit *RoleDataPage::field(const QString &name) const { return fields_.value(name.toUpper(), nullptr); }

QLineEdit *RoleDataPage::addField(const QString &name)
{
    Q_ASSERT(def_.indexOfField(name) >= 0);
    auto *e = new QLineEdit(QStringLiteral("0"), this);
    e->setObjectName(name);
    const QString pattern = def_.decimals > 0
                                ? QStringLiteral("[0-9]{0,%1}([.,][0-9]{0,%2})?").arg(def_.wholeDigits).arg(def_.decimals)
                                : QStringLiteral("[0-9]{0,%1}").arg(def_.wholeDigits);
    e->setValidator(new QRegularExpressionValidator(QRegularExpression(pattern), e));
    e->setAlignment(Qt::AlignRight);
    e->setMaximumWidth(def_.decimals > 0 ? 90 : 80);
    fields_.insert(name.toUpper(), e);
    connect(e, &QLineEdit::textChanged, this, [this] {
        if (!loading_)
            Modi->show();
    });
    return e;
}

void RoleDataPage::showValues(const std::vector<Currency> &values)
{
    loading_ = true;
    for (size_t i = 0; i < def_.fields.size(); ++i)
        if (QLineEdit *e = field(def_.fields[i].field))
            e->setText(i < values.size() ? values[i].toShortString() : QStringLiteral("0"));
    loading_ = false;
    hideStoreBar();
}

std::optional<std::vector<Currency>> RoleDataPage::values(QLineEdit **wrong) const
{
    std::vector<Currency> out;
    out.reserve(def_.fields.size());
    for (const auto &f : def_.fields) {
        QLineEdit *e = field(f.field);
        QString t = e ? e->text().trimmed() : QString();
        t.replace(u',', u'.');
        if (t.endsWith(u'.'))
            t.chop(1);
        if (t.isEmpty()) {
            out.push_back({});
            continue;
        }
        const auto v = Currency::parse(t);
        if (!v || *v < Currency()) {
            if (wrong)
                *wrong = e;
            return std::nullopt;
        }
        out.push_back(*v);
    }
    return out;
}

bool RoleDataPage::hasUnsavedEdits() const { return !Modi->isHidden(); }
void RoleDataPage::hideStoreBar() { Modi->hide(); }

QPushButton *RoleDataPage::addSheetButton()
{
    if (!FisaCalcul) {
        FisaCalcul = new QPushButton(QStringLiteral("Fisa de calcul"), this);
        FisaCalcul->setObjectName(QStringLiteral("FisaCalcul"));
        FisaCalcul->setAutoDefault(false);
        FisaCalcul->setEnabled(false);
        body->addWidget(FisaCalcul, 0, Qt::AlignLeft);
    }
    return FisaCalcul;
}

} // namespace valdora::roles

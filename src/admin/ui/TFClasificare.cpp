#include "admin/ui/TFClasificare.h"

#include "admin/ui/TFAddCODCL.h"
#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"

#include <QCollator>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QPushButton>
#include <QShortcut>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

namespace valdora::admin {

TFClasificare::TFClasificare(AppContext &ctx, QWidget *parent) : QDialog(parent), ctx_(ctx)
{
    setObjectName(QStringLiteral("TFClasificare"));
    setWindowTitle(QStringLiteral("Nomenclator Coduri clasificare bugetara"));
    auto *l = new QVBoxLayout(this);
    grid_ = new QTableWidget(0, 3, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("Denumirea creantei"), QStringLiteral("Cod persoane fizice"),
                                      QStringLiteral("Cod persoane juridice")});
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->setSelectionMode(QAbstractItemView::SingleSelection);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->hide();
    l->addWidget(grid_);
    auto *row = new QHBoxLayout;
    auto button = [&](const char *name, const char *caption) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(name));
        b->setAutoDefault(false);
        row->addWidget(b);
        return b;
    };
    connect(button("Adauga", "&Adauga"), &QPushButton::clicked, this, &TFClasificare::Adauga);
    connect(button("Modifica", "&Modifica"), &QPushButton::clicked, this, &TFClasificare::Modifica);
    connect(button("Sterge", "&Sterge"), &QPushButton::clicked, this, &TFClasificare::Sterge);
    l->addLayout(row);
    connect(grid_, &QTableWidget::cellDoubleClicked, this, [this] { Modifica(); });
    auto *enter = new QShortcut(QKeySequence(Qt::Key_Return), grid_);
    connect(enter, &QShortcut::activated, this, &TFClasificare::Modifica);
    connect(grid_->horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int c) {
        sortColumn_ = c;
        reload(currentId());
    });
    resize(720, 480);
    reload(0);
}

bool TFClasificare::run()
{
    changed_ = false;
    reload(0);
    exec();
    return changed_;
}

qint64 TFClasificare::currentId() const
{
    const int r = grid_->currentRow();
    return r >= 0 && r < int(rows_.size()) ? rows_[size_t(r)].id : 0;
}

void TFClasificare::selectGroup(const QString &group)
{
    for (int i = 0; i < int(rows_.size()); ++i)
        if (rows_[size_t(i)].group == group)
            grid_->selectRow(i);
}

void TFClasificare::reload(qint64 keepId)
{
    rows_ = loadCodes(*ctx_.db);
    if (sortColumn_ >= 0) {
        QCollator coll{QLocale(QLocale::Romanian)};
        const int c = sortColumn_;
        std::stable_sort(rows_.begin(), rows_.end(), [&](const ClassificationCode &a, const ClassificationCode &b) {
            const QString &x = c == 0 ? a.group : c == 1 ? a.naturalCode : a.legalCode;
            const QString &y = c == 0 ? b.group : c == 1 ? b.naturalCode : b.legalCode;
            return coll.compare(x, y) < 0;
        });
    }
    grid_->setRowCount(int(rows_.size()));
    int keep = 0;
    for (int i = 0; i < int(rows_.size()); ++i) {
        const auto &r = rows_[size_t(i)];
        grid_->setItem(i, 0, new QTableWidgetItem(r.group));
        grid_->setItem(i, 1, new QTableWidgetItem(r.naturalCode));
        grid_->setItem(i, 2, new QTableWidgetItem(r.legalCode));
        if (r.id == keepId)
            keep = i;
    }
    if (!rows_.empty())
        grid_->selectRow(keep);
}

void TFClasificare::Adauga()
{
    TFAddCODCL dlg(*ctx_.db, 0, this);
    if (dlg.exec() != QDialog::Accepted)
        return;
    SettingsFile settings = ctx_.settings();
    const ClassificationCode c = dlg.code();
    const qint64 id = addCode(*ctx_.db, settings, c);
    ctx_.logAction({}, QStringLiteral("Adaugat cod clasificare ") + c.group);
    changed_ = true;
    reload(id);
}

void TFClasificare::Modifica()
{
    const int r = grid_->currentRow();
    if (r < 0 || r >= int(rows_.size()))
        return;
    const ClassificationCode current = rows_[size_t(r)];
    TFAddCODCL dlg(*ctx_.db, current.id, this);
    dlg.fill(current);
    if (dlg.exec() != QDialog::Accepted)
        return;
    ClassificationCode c = dlg.code();
    c.group = current.group;
    updateCodes(*ctx_.db, c);
    ctx_.logAction({}, QStringLiteral("Modificat cod clasificare ") + c.group);
    changed_ = true;
    reload(c.id);
}

void TFClasificare::Sterge()
{
    const int r = grid_->currentRow();
    if (r < 0 || r >= int(rows_.size()))
        return;
    const ClassificationCode c = rows_[size_t(r)];
    if (isProtectedGroup(c.id)) {
        ui::message(QStringLiteral("Stergere creanta"), QStringLiteral("Nu aveti voie sa stergeti aceasta creanta!"), ui::Ok,
                    ui::Error);
        return;
    }
    if (ui::message(QStringLiteral("Stergere creanta"), QStringLiteral("Sunteti sigur ca vreti sa stergeti creanta?!"),
                    ui::DaNu, ui::Warning) != ui::ResultDa)
        return;
    deleteCode(*ctx_.db, c.id);
    ctx_.logAction({}, QStringLiteral("Sters cod clasificare ") + c.group);
    changed_ = true;
    reload(0);
}

} // namespace valdora::admin

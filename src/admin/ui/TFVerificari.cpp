#include "admin/ui/TFVerificari.h"

#include "admin/store/ChecksStore.h"
#include "app/db/Database.h"
#include "app/ui/Interaction.h"

#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSqlError>
#include <QSqlTableModel>
#include <QTableView>
#include <QTableWidget>
#include <QVBoxLayout>

namespace valdora::admin {

TFVerificari::TFVerificari(Database &db, QWidget *parent) : QDialog(parent), db_(db)
{
    setObjectName(QStringLiteral("TFVerificari"));
    setWindowTitle(QStringLiteral("Verificari / Modificari manuale"));
    auto *l = new QVBoxLayout(this);
    auto *bar = new QHBoxLayout;
    auto button = [&](const char *caption) {
        auto *b = new QPushButton(QString::fromLatin1(caption), this);
        b->setObjectName(QString::fromLatin1(caption));
        b->setAutoDefault(false);
        bar->addWidget(b);
        return b;
    };
    connect(button("Baza Datorii"), &QPushButton::clicked, this, [this] { openTable(QStringLiteral("Datorii")); });
    connect(button("Baza Solduri"), &QPushButton::clicked, this, [this] { openTable(QStringLiteral("SoldCalc")); });
    bar->addWidget(new QLabel(QStringLiteral("ROL"), this));
    Rol = new QLineEdit(this);
    Rol->setObjectName(QStringLiteral("Rol"));
    Rol->setMaxLength(9);
    bar->addWidget(Rol);
    connect(button("Dubluri Datorii"), &QPushButton::clicked, this, &TFVerificari::showDuplicateDebts);
    connect(button("Dubluri Solduri"), &QPushButton::clicked, this, &TFVerificari::showDuplicateBalances);
    l->addLayout(bar);
    auto *body = new QHBoxLayout;
    grid_ = new QTableView(this);
    duplicates_ = new QTableWidget(0, 2, this);
    duplicates_->setHorizontalHeaderLabels({QStringLiteral("ROL"), QStringLiteral("NR")});
    duplicates_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    duplicates_->setMaximumWidth(220);
    body->addWidget(grid_, 1);
    body->addWidget(duplicates_);
    l->addLayout(body);
    connect(Rol, &QLineEdit::textChanged, this, [this](const QString &t) {
        if (model_)
            filterByRole(model_, t);
    });
    resize(1000, 600);
}

void TFVerificari::openTable(const QString &table)
{
    if (model_) {
        // A pending edit of the previous table is posted, or dropped when it cannot be.
        if (!model_->submitAll()) {
            ui::message(QStringLiteral("Verificari"), describeSqlError(model_->lastError().text()), ui::Ok, ui::Error);
            model_->revertAll();
        }
        model_->deleteLater();
    }
    model_ = editableTable(db_, table, this);
    filterByRole(model_, Rol->text());
    grid_->setModel(model_);
}

namespace {
void fillDuplicates(QTableWidget *t, const std::vector<DuplicateRole> &rows)
{
    t->setRowCount(int(rows.size()));
    for (int i = 0; i < int(rows.size()); ++i) {
        t->setItem(i, 0, new QTableWidgetItem(rows[size_t(i)].rol));
        t->setItem(i, 1, new QTableWidgetItem(QString::number(rows[size_t(i)].count)));
    }
}
} // namespace

void TFVerificari::showDuplicateDebts() { fillDuplicates(duplicates_, duplicateDebts(db_)); }
void TFVerificari::showDuplicateBalances() { fillDuplicates(duplicates_, duplicateBalances(db_)); }

} // namespace valdora::admin

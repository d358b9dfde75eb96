#include "app/ui/TLogView.h"

#include "app/core/Dates.h"

#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

namespace valdora::ui {

TLogView::TLogView(QWidget *parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("TLogView"));
    setWindowTitle(QStringLiteral("Istoric actiuni"));
    auto *l = new QVBoxLayout(this);
    auto *heading = new QLabel(QStringLiteral("Istoricul operatiunilor efectuate"), this);
    QFont f = heading->font();
    f.setBold(true);
    f.setPointSize(f.pointSize() + 2);
    heading->setFont(f);
    grid_ = new QTableWidget(0, 5, this);
    grid_->setHorizontalHeaderLabels({QStringLiteral("Data"), QStringLiteral("Ora"), QStringLiteral("Nume operator"),
                                      QStringLiteral("ROL"), QStringLiteral("Actiune")});
    grid_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid_->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid_->horizontalHeader()->setStretchLastSection(true);
    grid_->verticalHeader()->hide();
    auto *close = new QPushButton(QStringLiteral("Renunt"), this);
    close->setObjectName(QStringLiteral("Renunt"));
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    l->addWidget(heading);
    l->addWidget(grid_);
    l->addWidget(close, 0, Qt::AlignRight);
    resize(820, 520);
}

void TLogView::showRows(const std::vector<LogEntry> &rows, const QString &which)
{
    setWindowTitle(QStringLiteral("Istoric actiuni - ") + which);
    grid_->setRowCount(int(rows.size()));
    for (int r = 0; r < int(rows.size()); ++r) {
        const auto &e = rows[size_t(r)];
        const QStringList cells{formatDate(e.at.date()), formatTime(e.at.time()), e.user, e.rol, e.action};
        for (int c = 0; c < cells.size(); ++c)
            grid_->setItem(r, c, new QTableWidgetItem(cells[c]));
    }
    grid_->resizeColumnsToContents();
    if (!rows.empty())
        grid_->scrollToBottom();
}

} // namespace valdora::ui

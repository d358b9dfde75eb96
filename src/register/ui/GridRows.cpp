#include "register/ui/GridRows.h"

#include "app/startup/AppContext.h"
#include "app/ui/Interaction.h"

#include <QItemSelectionModel>
#include <QTableView>

namespace valdora::roles {

void selectGridRow(QTableView *grid, int row)
{
    const QAbstractItemModel *model = grid->model();
    if (model && row >= 0 && row < model->rowCount()) {
        grid->selectionModel()->setCurrentIndex(model->index(row, 0),
                                                QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
        grid->scrollTo(model->index(row, 0));
    } else {
        grid->selectionModel()->clear();
    }
}

int currentGridRow(const QTableView *grid)
{
    const int row = grid->selectionModel()->currentIndex().row();
    return grid->model() && row >= 0 && row < grid->model()->rowCount() ? row : -1;
}

int rowAfterReload(int keptRow, int count, bool lastRow)
{
    if (count <= 0)
        return -1;
    if (lastRow)
        return count - 1;
    return keptRow >= 0 ? keptRow : 0;
}

void tellYearLocked()
{
    ui::message(QStringLiteral("Modificare matricola"),
                QStringLiteral("Nu puteti modifica !\rAnuntati seful de retea sau lucrati la altceva!"), ui::Ok, ui::Warning);
}

bool refusedByYearLock(AppContext &ctx)
{
    if (!ctx.adminValues().yearLocked)
        return false;
    tellYearLocked();
    return true;
}

} // namespace valdora::roles

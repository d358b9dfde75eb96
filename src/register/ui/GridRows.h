#pragma once
// The current row of the register's lists, and the year lock that refuses their changes.

class QTableView;

namespace valdora {
struct AppContext;
}

namespace valdora::roles {

// Makes `row` current, selected and visible; out of range clears the selection.
void selectGridRow(QTableView *grid, int row);
// The current row, or -1 when there is none.
int currentGridRow(const QTableView *grid);
// The row to show after a list is read again: the kept row (-1 when it is gone),
// else the last row when asked or the first one; -1 for an empty list.
int rowAfterReload(int keptRow, int count, bool lastRow);

// "Modificare matricola": the year is locked, nothing may change.
void tellYearLocked();
// True, with the message, when the year is locked.
bool refusedByYearLock(AppContext &ctx);

} // namespace valdora::roles

#pragma once
// "Istoric actiuni": the rows of one action log, read only.

#include "app/db/ActionLog.h"

#include <QDialog>
#include <vector>

class QTableWidget;

namespace valdora::ui {

class TLogView : public QDialog {
    Q_OBJECT
public:
    explicit TLogView(QWidget *parent = nullptr);
    void showRows(const std::vector<LogEntry> &rows, const QString &which);
    QTableWidget *grid() const { return grid_; }

private:
    QTableWidget *grid_;
};

} // namespace valdora::ui

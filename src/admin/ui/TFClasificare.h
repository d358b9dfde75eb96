#pragma once
// "Nomenclator Coduri clasificare bugetara": the tax groups and their codes.

#include "admin/store/ClassificationStore.h"

#include <QDialog>
#include <vector>

class QTableWidget;

namespace valdora {
struct AppContext;
}

namespace valdora::admin {

class TFClasificare : public QDialog {
    Q_OBJECT
public:
    explicit TFClasificare(AppContext &ctx, QWidget *parent = nullptr);
    // Shows the window; true when anything was added, changed or removed.
    bool run();

    QTableWidget *grid() const { return grid_; }
    const std::vector<ClassificationCode> &rows() const { return rows_; }
    void selectGroup(const QString &group);

public slots:
    void Adauga();
    void Modifica();
    void Sterge();

private:
    void reload(qint64 keepId);
    qint64 currentId() const;

    AppContext &ctx_;
    QTableWidget *grid_;
    std::vector<ClassificationCode> rows_;
    int sortColumn_ = -1;
    bool changed_ = false;
};

} // namespace valdora::admin

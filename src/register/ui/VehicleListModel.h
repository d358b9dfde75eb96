#pragma once
// The grid of the vehicle page and of the vehicle details window: one row per
// vehicle of the role, stored and computed columns.

#include "register/store/VehicleList.h"

#include <QAbstractTableModel>
#include <vector>

class QTableView;

namespace valdora::roles {

enum class VehicleColumn {
    NrDos, DataInS, DataOutS, Scutit, InmatricS, TipAuto, Euro, Capacit, Combus, Impozit, Tonaj, Marca, Serie,
    SerieM, Valoare, AnulF, NrInmat, Obs
};
inline constexpr int VehicleColumnCount = int(VehicleColumn::Obs) + 1;

class VehicleListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static QString columnTitle(VehicleColumn c); // "Nr. Dosar", "Data intrarii", ...
    static QString cellText(const VehicleListRow &row, VehicleColumn c);

    void setRows(std::vector<VehicleListRow> rows);
    const std::vector<VehicleListRow> &rows() const { return rows_; }
    int rowOf(qint64 IDDETA) const; // -1 when not shown

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<VehicleListRow> rows_;
};

// Column widths and selection of both grids.
void setUpVehicleGrid(QTableView *grid);

} // namespace valdora::roles

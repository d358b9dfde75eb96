#pragma once
// The grid of the buildings page: one row per building of the role, the
// stored columns and the computed ones.

#include "register/store/BuildingList.h"

#include <QAbstractTableModel>
#include <vector>

namespace valdora::roles {

enum class BuildingColumn {
    IDMANUAL, ADRESA, DATAIN, DATAOUTS, MIXTA, TIPC, DESTINATIES, SUPRAFD, ANULS, CODMATS, CUUTIL, APT8, ZONA, RANG,
    VALOAREJR, DATAEVALS, VALOAREN, ACTAGR, VALIMPOZ, IMPOZIT
};
inline constexpr int BuildingColumnCount = int(BuildingColumn::IMPOZIT) + 1;

class BuildingListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static QString columnTitle(BuildingColumn c); // "ID", "Adresa", ..., "Impozit"
    // The text of a cell, as shown.
    static QString cellText(const BuildingListRow &row, BuildingColumn c);

    void setRows(std::vector<BuildingListRow> rows);
    const std::vector<BuildingListRow> &rows() const { return rows_; }
    int rowOf(qint64 IDCLAD) const; // -1 when not shown

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    std::vector<BuildingListRow> rows_;
};

} // namespace valdora::roles

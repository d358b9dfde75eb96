#pragma once
// The register grid's model: the roles of a RoleListing, one row each, in the
// grid's thirteen columns.

#include "register/domain/RoleListing.h"

#include <QAbstractTableModel>

namespace valdora::roles {

class RoleListModel : public QAbstractTableModel {
    Q_OBJECT
public:
    using QAbstractTableModel::QAbstractTableModel;

    static QString columnTitle(RoleColumn c); // "Localitatea", ..., "Auto"

    void setRoles(std::vector<RoleRecord> roles);
    void setSearch(const RoleSearch &search);
    void sortBy(std::optional<RoleColumn> column);
    const RoleListing &listing() const { return listing_; }

    int rowCount(const QModelIndex &parent = {}) const override;
    int columnCount(const QModelIndex &parent = {}) const override;
    QVariant data(const QModelIndex &index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    RoleListing listing_;
};

} // namespace valdora::roles

#include "register/ui/RoleListModel.h"

namespace valdora::roles {

QString RoleListModel::columnTitle(RoleColumn c)
{
    static const char *const titles[] = {"Localitatea", "ROL",     "Nume/Denumire", "TIP",      "Nr. pers.",
                                         "C.N.P. /C.U.I.", "Strada", "Adresa",      "Clad.",    "C. con",
                                         "T. extr.",    "T. intrv", "Auto"};
    return QString::fromLatin1(titles[int(c)]);
}

void RoleListModel::setRoles(std::vector<RoleRecord> roles)
{
    beginResetModel();
    listing_.setRoles(std::move(roles));
    endResetModel();
}

void RoleListModel::setSearch(const RoleSearch &search)
{
    beginResetModel();
    listing_.setSearch(search);
    endResetModel();
}

void RoleListModel::sortBy(std::optional<RoleColumn> column)
{
    beginResetModel();
    listing_.sortBy(column);
    endResetModel();
}

int RoleListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : listing_.size(); }
int RoleListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : RoleColumnCount; }

QVariant RoleListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= listing_.size())
        return {};
    const RoleRecord &r = listing_.at(index.row());
    const auto c = RoleColumn(index.column());
    if (role == Qt::TextAlignmentRole) {
        const bool number = c == RoleColumn::NRPERS || c >= RoleColumn::SCCLAD;
        return QVariant(int(number ? Qt::AlignRight | Qt::AlignVCenter : Qt::AlignLeft | Qt::AlignVCenter));
    }
    if (role != Qt::DisplayRole)
        return {};
    switch (c) {
    case RoleColumn::SATUL: return r.SATUL;
    case RoleColumn::ROL: return r.ROL;
    case RoleColumn::NUMEP: return r.NUMEP;
    case RoleColumn::TIP: return r.TIP;
    case RoleColumn::NRPERS: return r.NRPERS;
    case RoleColumn::CNP: return r.CNP;
    case RoleColumn::STRADA: return r.STRADA;
    case RoleColumn::ADRESA: return r.ADRESA;
    case RoleColumn::SCCLAD: return r.SCCLAD;
    case RoleColumn::SCCC: return r.SCCC;
    case RoleColumn::SCTE: return r.SCTE;
    case RoleColumn::SCTI: return r.SCTI;
    case RoleColumn::SCAUTO: return r.SCAUTO;
    }
    return {};
}

QVariant RoleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= RoleColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnTitle(RoleColumn(section));
}

} // namespace valdora::roles

#include "register/ui/BuildingListModel.h"

#include "app/core/Dates.h"

namespace valdora::roles {

QString BuildingListModel::columnTitle(BuildingColumn c)
{
    static const char *const titles[] = {"ID",          "Adresa",          "Data intrarii", "Data iesirii",
                                         "Mixta",       "Tip",             "Destinatie",    "Suprafata desfasurata (mp)",
                                         "Anul terminarii", "Material",    "Cu util.",      "La bloc",
                                         "Zona",        "Rang",            "Valoare (P.J.)", "Data evaluarii",
                                         "Valoare",     "Activ. agr.",     "Valoare impozabila", "Impozit"};
    return QString::fromLatin1(titles[int(c)]);
}

QString BuildingListModel::cellText(const BuildingListRow &r, BuildingColumn c)
{
    const BuildingRecord &b = r.building;
    switch (c) {
    case BuildingColumn::IDMANUAL: return QString::number(b.IDMANUAL);
    case BuildingColumn::ADRESA: return b.ADRESA;
    case BuildingColumn::DATAIN: return formatDate(b.DATAIN);
    case BuildingColumn::DATAOUTS: return r.DATAOUTS;
    case BuildingColumn::MIXTA: return b.MIXTA;
    case BuildingColumn::TIPC: return b.TIPC;
    case BuildingColumn::DESTINATIES: return r.DESTINATIES;
    case BuildingColumn::SUPRAFD: return b.SUPRAFD.toString(2);
    case BuildingColumn::ANULS: return r.ANULS;
    case BuildingColumn::CODMATS: return r.CODMATS;
    case BuildingColumn::CUUTIL: return b.CUUTIL;
    case BuildingColumn::APT8: return b.APT8;
    case BuildingColumn::ZONA: return b.ZONA;
    case BuildingColumn::RANG: return QString::number(b.RANG);
    case BuildingColumn::VALOAREJR: return b.VALOAREJR.toString(2);
    case BuildingColumn::DATAEVALS: return r.DATAEVALS;
    case BuildingColumn::VALOAREN: return b.VALOAREN.toString(2);
    case BuildingColumn::ACTAGR: return b.ACTAGR;
    case BuildingColumn::VALIMPOZ: return r.problem.isEmpty() ? r.VALIMPOZ.toString(2) : QString();
    case BuildingColumn::IMPOZIT: return r.problem.isEmpty() ? r.IMPOZIT.toString(0) : QString();
    }
    return {};
}

void BuildingListModel::setRows(std::vector<BuildingListRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int BuildingListModel::rowOf(qint64 IDCLAD) const
{
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].building.IDCLAD == IDCLAD)
            return int(i);
    return -1;
}

int BuildingListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int BuildingListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : BuildingColumnCount; }

QVariant BuildingListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const BuildingListRow &r = rows_[size_t(index.row())];
    const auto c = BuildingColumn(index.column());
    if (role == Qt::TextAlignmentRole) {
        switch (c) {
        case BuildingColumn::IDMANUAL:
        case BuildingColumn::SUPRAFD:
        case BuildingColumn::RANG:
        case BuildingColumn::VALOAREJR:
        case BuildingColumn::VALOAREN:
        case BuildingColumn::VALIMPOZ:
        case BuildingColumn::IMPOZIT: return QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
        default: return QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
        }
    }
    if (role == Qt::ToolTipRole && !r.problem.isEmpty() && (c == BuildingColumn::VALIMPOZ || c == BuildingColumn::IMPOZIT))
        return r.problem;
    if (role != Qt::DisplayRole)
        return {};
    return cellText(r, c);
}

QVariant BuildingListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= BuildingColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnTitle(BuildingColumn(section));
}

} // namespace valdora::roles

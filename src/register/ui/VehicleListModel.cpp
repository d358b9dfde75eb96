#include "register/ui/VehicleListModel.h"

#include <QHeaderView>
#include <QTableView>

namespace valdora::roles {

QString VehicleListModel::columnTitle(VehicleColumn c)
{
    static const char *const titles[] = {"Nr. Dosar",       "Data intrarii", "Data iesirii",    "Scutit",
                                         "Inmatric.",       "Tip Auto",      "Euro",            "Capacit (cmc)",
                                         "Combustibil",     "Impozit",       "Tonaj",           "Marca",
                                         "Serie caroserie", "Serie Motor",   "Valoare",         "Anul fabricatiei",
                                         "Nr. inmatric.",   "Observatii"};
    return QString::fromLatin1(titles[int(c)]);
}

QString VehicleListModel::cellText(const VehicleListRow &r, VehicleColumn c)
{
    const VehicleRecord &v = r.vehicle;
    switch (c) {
    case VehicleColumn::NrDos: return v.NrDos;
    case VehicleColumn::DataInS: return r.DataInS;
    case VehicleColumn::DataOutS: return r.DataOutS;
    case VehicleColumn::Scutit: return v.Scutit.trimmed();
    case VehicleColumn::InmatricS: return r.InmatricS;
    case VehicleColumn::TipAuto: return v.TipAuto;
    case VehicleColumn::Euro: return QString::number(v.Euro);
    case VehicleColumn::Capacit: return QString::number(v.Capacit);
    case VehicleColumn::Combus: return v.Combus;
    case VehicleColumn::Impozit: return r.Impozit.toString(2);
    case VehicleColumn::Tonaj: return QString::number(v.Tonaj);
    case VehicleColumn::Marca: return v.Marca;
    case VehicleColumn::Serie: return v.Serie;
    case VehicleColumn::SerieM: return v.SerieM;
    case VehicleColumn::Valoare: return v.Valoare.toString(2);
    case VehicleColumn::AnulF: return QString::number(v.AnulF);
    case VehicleColumn::NrInmat: return v.NrInmat;
    case VehicleColumn::Obs: return v.OBS;
    }
    return {};
}

void VehicleListModel::setRows(std::vector<VehicleListRow> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

int VehicleListModel::rowOf(qint64 IDDETA) const
{
    for (size_t i = 0; i < rows_.size(); ++i)
        if (rows_[i].vehicle.IDDETA == IDDETA)
            return int(i);
    return -1;
}

int VehicleListModel::rowCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : int(rows_.size()); }
int VehicleListModel::columnCount(const QModelIndex &parent) const { return parent.isValid() ? 0 : VehicleColumnCount; }

QVariant VehicleListModel::data(const QModelIndex &index, int role) const
{
    if (!index.isValid() || index.row() >= int(rows_.size()))
        return {};
    const auto c = VehicleColumn(index.column());
    if (role == Qt::TextAlignmentRole) {
        switch (c) {
        case VehicleColumn::Euro:
        case VehicleColumn::Capacit:
        case VehicleColumn::Impozit:
        case VehicleColumn::Tonaj:
        case VehicleColumn::Valoare:
        case VehicleColumn::AnulF: return QVariant(int(Qt::AlignRight | Qt::AlignVCenter));
        default: return QVariant(int(Qt::AlignLeft | Qt::AlignVCenter));
        }
    }
    if (role != Qt::DisplayRole)
        return {};
    return cellText(rows_[size_t(index.row())], c);
}

QVariant VehicleListModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 || section >= VehicleColumnCount)
        return QAbstractTableModel::headerData(section, orientation, role);
    return columnTitle(VehicleColumn(section));
}

void setUpVehicleGrid(QTableView *grid)
{
    const int widths[] = {75, 95, 95, 50, 70, 270, 45, 100, 110, 75, 55, 100, 130, 110, 85, 115, 95, 160};
    for (int c = 0; c < VehicleColumnCount; ++c)
        grid->setColumnWidth(c, widths[c]);
    grid->verticalHeader()->hide();
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->setSelectionBehavior(QAbstractItemView::SelectRows);
    grid->setSelectionMode(QAbstractItemView::SingleSelection);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
}

} // namespace valdora::roles

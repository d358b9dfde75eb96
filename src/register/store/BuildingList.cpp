#include "register/store/BuildingList.h"

#include "app/core/Dates.h"

#include <exception>

namespace valdora::roles {

QString materialText(int codmat, OwnerType owner)
{
    if (owner == OwnerType::Legal)
        return QStringLiteral("-");
    return codmat == 0 ? QStringLiteral("beton...") : QStringLiteral("lemn...");
}

QString exitDateText(QDate dataout) { return isRealDate(dataout) ? formatDate(dataout) : QStringLiteral("-"); }

BuildingListRow buildingListRow(const BuildingRecord &b, OwnerType owner, const BuildingTaxConstants &constants,
                                int fiscalYear)
{
    BuildingListRow r;
    r.building = b;
    r.TIPCS = useCaption(b.TIPC);
    r.DESTINATIES = destinationCaption(b.DESTINATIE);
    r.CODMATS = materialText(b.CODMAT, owner);
    r.ANULS = owner == OwnerType::Legal ? QStringLiteral("-") : QString::number(b.ANUL);
    r.DATAEVALS = evaluationDateText(b.DATAEVAL, fiscalYear);
    r.DATAOUTS = exitDateText(b.DATAOUT);
    try {
        const BuildingTaxResult tax = computeBuildingTax(b.taxRow(), owner, constants, fiscalYear);
        r.VALIMPOZ = tax.taxableValue;
        r.IMPOZIT = tax.roundedTax;
    } catch (const std::exception &e) {
        // One wrong row must not hide the others: it shows no tax and says why.
        r.problem = QString::fromStdString(e.what());
    }
    return r;
}

std::vector<BuildingListRow> buildingList(const std::vector<BuildingRecord> &buildings, OwnerType owner,
                                          const BuildingTaxConstants &constants, int fiscalYear)
{
    std::vector<BuildingListRow> out;
    out.reserve(buildings.size());
    for (const BuildingRecord &b : buildings)
        out.push_back(buildingListRow(b, owner, constants, fiscalYear));
    return out;
}

} // namespace valdora::roles

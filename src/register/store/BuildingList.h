#pragma once
// The building list of a role as the page shows it: every stored column and
// the computed ones, recomputed whenever the list is read.

#include "register/domain/BuildingTax.h"
#include "register/store/BuildingStore.h"

#include <vector>

namespace valdora::roles {

struct BuildingListRow {
    BuildingRecord building;
    QString TIPCS;       // "Rezidentiala", "Nerezidentiala", "Mixta"
    QString DESTINATIES; // "Cladire" .. "Mansarda neloc."
    QString CODMATS;     // "-" for a legal person, else "beton..." / "lemn..."
    QString ANULS;       // "-" for a legal person, else the year
    QString DATAEVALS;   // "-" for an old or missing evaluation, else the date
    QString DATAOUTS;    // the exit date, "-" while the building is owned
    Currency VALIMPOZ;   // taxable value, two decimals
    Currency IMPOZIT;    // tax in whole lei
    QString problem;     // why the tax could not be computed (an unknown zone, rank or material)
};

// "beton..." for material 0, "lemn..." for 1, "-" for a legal person.
QString materialText(int codmat, OwnerType owner);
// DATAOUTS: "dd.MM.yyyy" for a real exit date, else "-".
QString exitDateText(QDate dataout);

BuildingListRow buildingListRow(const BuildingRecord &building, OwnerType owner, const BuildingTaxConstants &constants,
                                int fiscalYear);
std::vector<BuildingListRow> buildingList(const std::vector<BuildingRecord> &buildings, OwnerType owner,
                                          const BuildingTaxConstants &constants, int fiscalYear);

} // namespace valdora::roles

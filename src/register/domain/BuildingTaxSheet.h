#pragma once
// The calculation sheet of a building ("Fisa de calcul"): the lines of the plain
// text file the office opens for a taxpayer, written from a computed tax.

#include "register/domain/BuildingTax.h"

#include <QString>
#include <QStringList>

namespace valdora {

struct BuildingTaxSheetHeader {
    QString locality; // locality of the role
    QString role;     // role number
    QString name;     // name of the taxpayer
};

// Amounts are written with two decimals; the value per m2 without decimals (with
// two when it has a fraction, as the 75% and 50% destinations may).
QStringList buildingTaxSheet(const BuildingTaxSheetHeader &header, const BuildingTaxResult &result);

} // namespace valdora

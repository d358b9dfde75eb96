#pragma once
// The constants of the building tax as the administration holds them now. They
// are read at the moment of computing, so a value saved in the administration
// counts from the next list or sheet on.

#include "app/core/Edition.h"
#include "register/domain/BuildingTax.h"

#include <QString>

namespace valdora::admin {
class AdminValues;
}

namespace valdora::roles {

// Rates, surcharge, inflation options, years of validity of an evaluation and
// the inflation history (Inf0 = fiscalYear, Inf1 = the year before, ...).
BuildingTaxConstants buildingTaxConstants(const admin::AdminValues &values, int fiscalYear = edition::FiscalYear);

// "Zona implicita"; an empty or unknown letter counts as "A".
QString defaultZone(const admin::AdminValues &values);
// "Rangul implicit" as its position in "0", "I".."V"; 0 when it is not in the list.
int defaultRank(const admin::AdminValues &values);

} // namespace valdora::roles

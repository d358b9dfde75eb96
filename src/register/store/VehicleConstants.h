#pragma once
// The constants of the vehicle tax as the administration holds them now, read at
// the moment of computing so a value saved in the administration counts at once.

#include "register/domain/VehicleTax.h"

namespace valdora::admin {
class AdminValues;
}

namespace valdora::roles {

// Every office value of the vehicle tax, by its control name; the rates fixed by law keep theirs.
register_domain::VehicleTaxConstants vehicleTaxConstants(const admin::AdminValues &values);

} // namespace valdora::roles

#include "register/store/VehicleConstants.h"

#include "admin/domain/AdminControls.h"

namespace valdora::roles {

register_domain::VehicleTaxConstants vehicleTaxConstants(const admin::AdminValues &values)
{
    register_domain::VehicleTaxConstants k;
    for (const QString &name : register_domain::VehicleTaxConstants::controlNames())
        k.setValue(name, values.number(name));
    return k;
}

} // namespace valdora::roles

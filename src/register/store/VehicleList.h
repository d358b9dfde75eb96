#pragma once
// The vehicle list of a role as the vehicle page and the vehicle details window
// show it: the stored columns and the computed ones, recomputed at every reading.

#include "register/store/VehicleStore.h"

#include <vector>

namespace valdora::roles {

struct VehicleListRow {
    VehicleRecord vehicle;
    QString DataInS, DataOutS, DataDobS, DataInstrS, CertRadDS; // the date, or "-" below day 101
    QString InmatricS; // "neinmat.", "inmat.", "inreg."
    Currency Impozit;  // the vehicle's tax, exemption included, unrounded
};

// A day number as the lists show it: "dd.MM.yyyy", or "-" below day 101.
QString listDate(qint64 dayNumber);
QString registrationText(int inmatric);

std::vector<VehicleListRow> vehicleList(const std::vector<VehicleRecord> &vehicles,
                                        const register_domain::VehicleTaxConstants &constants, int fiscalYear);

} // namespace valdora::roles

#include "register/store/VehicleList.h"

#include "app/core/Dates.h"

namespace valdora::roles {

QString listDate(qint64 day) { return !register_domain::isDateDay(day) ? QStringLiteral("-") : formatDate(dateFromDayNumber(day)); }

QString registrationText(int inmatric)
{
    switch (inmatric) {
    case 0: return QStringLiteral("neinmat.");
    case 1: return QStringLiteral("inmat.");
    case 2: return QStringLiteral("inreg.");
    }
    return {};
}

std::vector<VehicleListRow> vehicleList(const std::vector<VehicleRecord> &vehicles,
                                        const register_domain::VehicleTaxConstants &constants, int fiscalYear)
{
    std::vector<VehicleListRow> rows;
    rows.reserve(vehicles.size());
    for (const VehicleRecord &v : vehicles) {
        VehicleListRow r;
        r.vehicle = v;
        r.DataInS = listDate(v.DataIn);
        r.DataOutS = listDate(v.DataOut);
        r.DataDobS = listDate(v.DataDob);
        r.DataInstrS = listDate(v.DataInstr);
        r.CertRadDS = listDate(v.CertRadD);
        r.InmatricS = registrationText(v.Inmatric);
        r.Impozit = register_domain::computeVehicleTax(v.taxVehicle(), v.exempt(), fiscalYear, constants).tax;
        rows.push_back(std::move(r));
    }
    return rows;
}

} // namespace valdora::roles

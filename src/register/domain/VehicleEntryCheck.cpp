#include "register/domain/VehicleEntryCheck.h"

#include "app/core/Dates.h"
#include "app/core/Text.h"

#include <climits>

namespace valdora::register_domain {

namespace {


bool isMarked(const QString &flag)
{
    return flag.trimmed() == u"X";
}

VehicleEntryProblem dateProblem(VehicleEntryField field)
{
    return {field, QStringLiteral("Data incorecta!")};
}

} // namespace

std::optional<QString> checkTypeChosen(QStringView tipAuto)
{
    if (tipAuto.trimmed().isEmpty())
        return QStringLiteral("Nu ati ales Tip Auto!");
    return std::nullopt;
}

std::optional<QString> checkTypeCapacity(QStringView tipAuto, int capacity)
{
    struct Band {
        const char16_t *text;
        int min;
        int max;
    };
    // A band applies to the cars whose text holds it, the " Hibrid" ones included; only to cars,
    // since the barges "Slep > 3000 t", "Ceam > 3000 t", ... hold "> 3000" too and have no capacity.
    static const Band bands[] = {
        {u"<= 1600", INT_MIN, 1600},
        {u"intre 1601 si 2000", 1601, 2000},
        {u"intre 2001 si 2600", 2001, 2600},
        {u"intre 2601 si 3000", 2601, 3000},
        {u"> 3000", 3001, INT_MAX},
    };
    bool fits = true;
    if (tipAuto.startsWith(u"Autoturism cu capacitate "))
        for (const Band &b : bands)
            if (tipAuto.contains(QStringView(b.text)) && (capacity < b.min || capacity > b.max))
                fits = false;
    if (tipAuto == u"Motoreta pest 69 CC" && capacity <= 69)
        fits = false;
    if (tipAuto == u"Motoreta sub 69 CC" && capacity > 69)
        fits = false;
    if (!fits)
        return QStringLiteral("Tip Auto incorect!");
    return std::nullopt;
}

void normalizeVehicleEntry(Vehicle &v, bool exitProtocol)
{
    v.Combus = cleanSpaces(v.Combus);
    if (v.Combus.isEmpty())
        v.Combus = QStringLiteral("-");
    v.NrInmat = (v.Inmatric == 1 || v.Inmatric == 2) ? cleanSpaces(v.NrInmat) : QString();
    if (!VehicleTypes::isHybridFuel(v.Combus))
        v.HIBpeste50.clear();
    if (!exitProtocol) {
        v.DataOut = 0;
        v.DataInstr = 0;
    }
}

std::optional<VehicleEntryProblem> checkVehicleDates(const Vehicle &v, bool exitProtocol, QDate today)
{
    // Rows of older records may lack a date; a missing date is kept as it is and
    // not compared, so that editing such a vehicle never invents one.
    const auto known = isDateDay;
    const QDate entry = dateFromDayNumber(v.DataIn);
    const QDate acquired = dateFromDayNumber(v.DataDob);
    if (known(v.DataIn) && entry > today)
        return dateProblem(VehicleEntryField::DataIn);
    if (known(v.DataDob) && (acquired > today || (known(v.DataIn) && acquired > entry)))
        return dateProblem(VehicleEntryField::DataDob);
    if (exitProtocol) {
        const QDate exit = dateFromDayNumber(v.DataOut);
        const QDate sold = dateFromDayNumber(v.DataInstr);
        if (!known(v.DataOut) || exit > today || (known(v.DataIn) && exit < entry))
            return dateProblem(VehicleEntryField::DataOut);
        if (known(v.DataInstr) && (sold > today || (known(v.DataIn) && sold < entry)))
            return dateProblem(VehicleEntryField::DataInstr);
    }
    return std::nullopt;
}

std::optional<QString> checkSecondExempt(const Vehicle &v, const QList<Vehicle> &roleVehicles, int fiscalYear)
{
    if (!isMarked(v.Scutit))
        return std::nullopt;
    const QDate yearStart(fiscalYear, 1, 1);
    for (const Vehicle &other : roleVehicles) {
        if (v.IDDETA > 0 && other.IDDETA == v.IDDETA)
            continue;
        if (!isMarked(other.Scutit))
            continue;
        const bool counts = other.DataOut < vehicleExitDay || dateFromDayNumber(other.DataOut) > yearStart;
        if (counts)
            return QStringLiteral("Nu puteti avea doua masini scutite!");
    }
    return std::nullopt;
}

std::optional<VehicleEntryProblem> validateVehicleEntry(Vehicle &v, bool exitProtocol,
                                                        const QList<Vehicle> &roleVehicles, QDate today,
                                                        int fiscalYear)
{
    if (auto m = checkTypeChosen(v.TipAuto))
        return VehicleEntryProblem{VehicleEntryField::TipAuto, *m};
    if (auto m = checkTypeCapacity(v.TipAuto, v.Capacit))
        return VehicleEntryProblem{VehicleEntryField::TipAuto, *m};
    normalizeVehicleEntry(v, exitProtocol);
    if (auto p = checkVehicleDates(v, exitProtocol, today))
        return p;
    if (auto m = checkSecondExempt(v, roleVehicles, fiscalYear))
        return VehicleEntryProblem{VehicleEntryField::Scutit, *m};
    return std::nullopt;
}

} // namespace valdora::register_domain

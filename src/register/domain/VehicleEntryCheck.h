#pragma once
// The checks of the vehicle dialog ("Memoreaza") that need no window: each returns the
// message the dialog shows, or nothing when the entry passes.

#include "register/domain/VehicleTax.h"

#include <QDate>
#include <QList>
#include <QString>
#include <QStringView>
#include <optional>

namespace valdora::register_domain {

// The control a refusal belongs to, for the dialog to focus.
enum class VehicleEntryField { TipAuto, Capacit, DataIn, DataDob, DataOut, DataInstr, Scutit };

struct VehicleEntryProblem {
    VehicleEntryField field;
    QString message;
};

// "Nu ati ales Tip Auto!" when no type is chosen.
std::optional<QString> checkTypeChosen(QStringView tipAuto);
// "Tip Auto incorect!" when the capacity does not fit the capacity band the type's text names.
std::optional<QString> checkTypeCapacity(QStringView tipAuto, int capacity);
// Clears what the dialog hides: the registration number unless registered or recorded, the
// hybrid mark unless the fuel is a hybrid one, the exit dates without an exit protocol; no fuel
// becomes "-". The type is a key chosen from the list and is left exactly as it is.
void normalizeVehicleEntry(Vehicle &vehicle, bool exitProtocol);
// "Data incorecta!" for an entry or acquisition date after `today`, an acquisition after the
// entry, and, with the exit protocol, a missing exit date or an exit or sale date after `today`
// or before the entry. Other missing dates (day numbers below 101) are not compared.
std::optional<VehicleEntryProblem> checkVehicleDates(const Vehicle &vehicle, bool exitProtocol, QDate today);
// "Nu puteti avea doua masini scutite!" when `vehicle` is marked exempt while another vehicle of
// the role is exempt and still counts in `fiscalYear`. `roleVehicles` may include the vehicle
// being edited: a row with the same `IDDETA` (above 0) is not "another" vehicle.
std::optional<QString> checkSecondExempt(const Vehicle &vehicle, const QList<Vehicle> &roleVehicles, int fiscalYear);

// Every check in the dialog's order, the first failure winning; normalises `vehicle` on the way.
std::optional<VehicleEntryProblem> validateVehicleEntry(Vehicle &vehicle, bool exitProtocol,
                                                        const QList<Vehicle> &roleVehicles, QDate today,
                                                        int fiscalYear);

} // namespace valdora::register_domain

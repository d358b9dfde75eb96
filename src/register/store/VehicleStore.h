#pragma once
// The vehicles of the roles (AutoDet): the list of a role, adding, changing and
// deleting a vehicle. Each change is one transaction (a savepoint when the
// caller holds one, so that the action-log entry goes with it).

#include "app/core/Currency.h"
#include "register/domain/VehicleTax.h"

#include <QString>
#include <optional>
#include <vector>

namespace valdora {
class Database;
class SettingsFile;
}

namespace valdora::roles {

// One row of AutoDet. Dates are day numbers as the table keeps them (0 when empty).
struct VehicleRecord {
    qint64 IDGOS = 0;
    qint64 IDDETA = 0;
    QString NrDos = QStringLiteral("0");
    QString TipAuto;
    QString Marca;
    QString Combus = QStringLiteral("-");
    int Euro = 0;
    QString HIBpeste50;
    QString NrInmat;
    int Inmatric = 1;
    Currency Valoare;
    int AnulF = 0;
    int Capacit = 0;
    QString Serie;
    QString SerieM;
    QString OBS;
    int Tonaj = 0;
    qint64 DataIn = 0;
    qint64 DataOut = 0;
    qint64 PVInNr = 0;
    qint64 PVOutNr = 0;
    qint64 DataDob = 0;
    QString ActD;
    QString NrActD;
    qint64 DataInstr = 0;
    QString ActV;
    QString NrActV;
    QString CertRad;
    qint64 CertRadD = 0;
    QString NumeNou;
    QString JudNou;
    QString LocNou;
    QString AdrNou;
    QString Scutit = QStringLiteral(" ");

    bool exempt() const { return Scutit.trimmed() == u"X"; }
    bool hasExit() const { return DataOut > register_domain::vehicleExitDay; }
    // The columns the tax and the dialog's checks read.
    register_domain::Vehicle taxVehicle() const;
    // Takes back what the checks normalised.
    void takeChecked(const register_domain::Vehicle &v);
    // Without an exit protocol the exit columns are 0 or empty.
    void clearExit();
};

// The role's vehicles, ordered by exit date, then entry date.
std::vector<VehicleRecord> loadVehicles(Database &db, qint64 IDGOS);
std::optional<VehicleRecord> loadVehicle(Database &db, qint64 IDDETA);
// Every AutoDet document of acquisition already stored, for the dialog's suggestions.
QStringList storedAcquisitionDocuments(Database &db);

// Inserts the vehicle with the next IDDETA of the settings counter and returns it.
qint64 addVehicle(Database &db, SettingsFile &settings, const VehicleRecord &vehicle);
// Rewrites the vehicle found by IDDETA (its role is kept); without an exit protocol
// the exit columns are cleared. False when the vehicle was no longer there.
bool updateVehicle(Database &db, const VehicleRecord &vehicle, bool exitProtocol);
// false when the vehicle was no longer there.
bool deleteVehicle(Database &db, qint64 IDDETA);

} // namespace valdora::roles

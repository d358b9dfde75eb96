#pragma once
// Localities of the municipality with their default zone and rank (DefZone).

#include <QString>
#include <optional>
#include <vector>

namespace valdora {
class Database;
class SettingsFile;
}

namespace valdora::admin {

struct Zone {
    qint64 id = 0;
    QString locality;
    QString zone;
    QString rank;
};

std::vector<Zone> loadZones(Database &db); // ORDER BY LOCALIT
// Refusal text for a locality, or empty: "Nu ati specificat localitatea!",
// "Localitatea specificat exista deja!" (compared exactly, excluding the row edited).
QString zoneRefusal(Database &db, const QString &locality, qint64 editedId);
// Returns the new ID (counter DEFZONE).
qint64 addZone(Database &db, SettingsFile &settings, const Zone &z);
void updateZone(Database &db, const Zone &z);
void deleteZone(Database &db, qint64 id);

} // namespace valdora::admin

#pragma once
// Creation of the missing tables and the upgrades of an older database, run
// at every start. Both are idempotent: a second run changes nothing.

#include <QString>
#include <QStringList>
#include <functional>

namespace valdora {

class Database;
class SettingsFile;

struct SetupHooks {
    // Builds Ini from the administration's current values (Ini is missing).
    std::function<void(Database &)> buildIni;
    // Loads the settings, rebuilds Ini and saves the settings (a database
    // never opened by this program line).
    std::function<void(Database &)> rebuildSettings;
};

// Creates, in their order, the tables that do not exist, with the indexes
// every database has. Returns the names of the tables created.
QStringList createMissingTables(Database &db, SettingsFile &settings, const SetupHooks &hooks);

struct UpgradeResult {
    bool emptyDatabase = false;   // Gospodar has no row
    bool settingsRebuilt = false; // the version step rebuilt Ini
    QStringList done;             // what was changed, for the report
};

UpgradeResult runUpgrades(Database &db, SettingsFile &settings, const SetupHooks &hooks);

// Brings a table to the catalogue's layout in place (columns, widths),
// keeping every row; used when a stored layout is older than the program's.
void restructureTable(Database &db, const QString &table);

// Indexes every database has (Datorii.IDGOS among them).
void ensureIndexes(Database &db);

} // namespace valdora

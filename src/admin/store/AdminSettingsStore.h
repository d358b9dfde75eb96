#pragma once
// Loading and saving the administration values: the Ini table (one row per
// control), the settings file keys (which win over Ini) and the registry.

#include "admin/domain/AdminControls.h"

namespace valdora {
class Database;
class SettingsFile;
class RegistryStore;
}

namespace valdora::admin {

struct AdminStores {
    Database &db;
    SettingsFile &settings;
    RegistryStore &registry;
    QString loginName; // the name typed in the main window's login box
};

// Fills `values` from Ini (when the table exists) and then from the settings keys.
void loadAdminValues(AdminValues &values, AdminStores stores);
// Writes the settings keys and the Ini rows. A text longer than an Ini value
// can hold is refused (valdora::Error naming the control) before anything is written.
void saveAdminValues(const AdminValues &values, AdminStores stores);
// Recreates Ini with one FORM4 row per text, number and drop-down control.
void rebuildIni(const AdminValues &values, Database &db);

// The control whose text does not fit an Ini value (40 characters), or empty.
QString firstTooLongControl(const AdminValues &values);

} // namespace valdora::admin

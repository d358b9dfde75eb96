#pragma once
// The start-up sequence without its window: folders, the database folder
// (local or server), table creation and upgrades, the daily maintenance,
// registry bookkeeping, the list of localities and the counters.

#include "admin/domain/AdminControls.h"
#include "app/core/Folders.h"
#include "app/db/SchemaSetup.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace valdora {

class Clock;
class RegistryStore;

struct StartupEnv {
    Folders folders;          // under the program folder; database = localData
    bool consultServer = true; // false: work on folders.database whatever SERVER says
    RegistryStore &registry;
    const Clock &clock;
    // The message window (title, text), kind error, one OK button.
    std::function<void(const QString &, const QString &)> showError;
    // Status text and progress bar position (0..100).
    std::function<void(const QString &, int)> progress;
    // Writes out the editable document templates that are missing.
    std::function<void(const QString &databaseFolder)> writeTemplates;
};

struct StartupState {
    Folders folders;               // database = the folder in use
    bool onServer = false;
    bool emptyDatabase = false;    // Gospodar has no row after the upgrades
    bool maintenanceDue = false;
    QStringList createdTables;
    QStringList upgrades;
    QStringList localities;
    admin::AdminValues admin;
    // Failures of the protected steps (maintenance, counters), reported after
    // the main window has closed.
    QStringList deferredErrors;
};

// Runs steps up to the hand-over. Throws valdora::Error when a step before the
// protected part fails; the caller reports it and ends the start.
StartupState runStartup(StartupEnv env);

// Settings hooks of the schema setup for a database folder.
SetupHooks adminSetupHooks(admin::AdminValues &values, const QString &databaseFolder, RegistryStore &registry);

} // namespace valdora

#pragma once
// What the windows of one run share: the folders and start-up state, the
// database, the administration values and the user who is logged in.

#include "admin/store/UserFile.h"
#include "app/core/Clock.h"
#include "app/core/SettingsFile.h"
#include "app/db/ActionLog.h"
#include "app/db/Database.h"
#include "app/startup/Startup.h"

#include <functional>
#include <memory>

namespace valdora {

class RegistryStore;

struct CurrentUser {
    QString name;
    QString password; // as typed at login
    admin::Grade grade = admin::Grade::Unknown;
    QString identityCard;

    bool loggedIn() const { return grade != admin::Grade::Unknown; }
    bool isAdmin() const { return grade == admin::Grade::Admin; }
    bool isCashier() const { return grade == admin::Grade::Cashier; }
};

struct AppContext {
    StartupState startup;
    CurrentUser user;
    std::unique_ptr<Database> db;
    RegistryStore *registry = nullptr;
    const Clock *clock = &appClock();

    const Folders &folders() const { return startup.folders; }
    admin::AdminValues &adminValues() { return startup.admin; }
    SettingsFile settings() const;
    QString userFilePath() const; // s.mpg in the database folder
    ActionLog actionLog() const { return ActionLog(folders().program); }
    // Writes an action to both logs under the logged-in user's name.
    void logAction(const QString &rol, const QString &text);
    // The entry logAction writes.
    LogEntry actionEntry(const QString &rol, const QString &text) const;
    // Runs `change` and writes its log entry (the text `change` returns) in one
    // transaction, so a change is never stored without its entry nor the entry
    // without the change. The workstation's copy follows once it has committed.
    void logChange(const QString &rol, const std::function<QString()> &change);
};

// The context of the running program.
AppContext &appContext();

} // namespace valdora

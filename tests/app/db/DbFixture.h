#pragma once
#include "app/core/Clock.h"
#include "app/core/Folders.h"
#include "app/core/RegistryStore.h"
#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/startup/Startup.h"
#include "support/TempDir.h"

#include <memory>

namespace valdora::test {

// A program folder in a temporary place, with its own registry values and a fixed day.
struct ProgramFixture {
    TempDir dir;
    FixedClock clock{QDate(2026, 3, 2)};
    ProgramFixture() { RegistryStore::setBaseFolder(dir.path() + "/registry"); }
    ~ProgramFixture() { RegistryStore::setBaseFolder({}); }

    Folders folders() const { return Folders::under(dir.path() + "/prog"); }
    QString dataFolder() const { return folders().localData; }
    SettingsFile settings() const { return SettingsFile(dataFolder() + "/Valdora.set"); }

    StartupState start(std::function<void(const QString &, const QString &)> onError = {})
    {
        RegistryStore registry(106);
        return runStartup({folders(), true, registry, clock, std::move(onError), {}, {}});
    }
    std::unique_ptr<Database> db() const { return std::make_unique<Database>(dataFolder()); }
};

} // namespace valdora::test

#include "app/startup/Startup.h"

#include "admin/store/AdminSettingsStore.h"
#include "app/core/Clock.h"
#include "app/core/Dates.h"
#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/core/RegistryStore.h"
#include "app/core/SettingsFile.h"
#include "app/db/ActionLog.h"
#include "app/db/Database.h"
#include "app/db/Maintenance.h"
#include "app/db/Schema.h"
#include "app/db/SchemaSetup.h"

#include <QDir>

namespace valdora {
namespace {
QString settingsPathOf(const QString &folder) { return folder + u'/' + QString::fromLatin1(edition::SettingsFileName); }
} // namespace

SetupHooks adminSetupHooks(admin::AdminValues &values, const QString &databaseFolder, RegistryStore &registry)
{
    SetupHooks h;
    h.buildIni = [&values](Database &db) { admin::rebuildIni(values, db); };
    h.rebuildSettings = [&values, databaseFolder, &registry](Database &db) {
        SettingsFile settings(settingsPathOf(databaseFolder));
        admin::loadAdminValues(values, {db, settings, registry, {}});
        admin::rebuildIni(values, db);
        admin::saveAdminValues(values, {db, settings, registry, {}});
    };
    return h;
}

StartupState runStartup(StartupEnv env)
{
    auto progress = [&](const QString &s, int p) {
        if (env.progress)
            env.progress(s, p);
    };
    StartupState st;
    st.folders = env.folders;

    // Folders.
    if (!st.folders.create() || !QDir().mkpath(st.folders.database))
        throw Error(QStringLiteral("Nu se pot crea folderele programului in %1").arg(st.folders.program));

    // Server database.
    const QString server = QDir::cleanPath(env.registry.read(QStringLiteral("SERVER")).trimmed());
    if (env.consultServer && !env.registry.read(QStringLiteral("SERVER")).trimmed().isEmpty()) {
        if (Database::fileHasTables(server + u'/' + QString::fromLatin1(Database::FileName), schema::serverTables())) {
            st.folders.database = server;
            st.onServer = QDir(server) != QDir(st.folders.localData);
        } else if (env.showError) {
            env.showError(QStringLiteral("Conectare server"),
                          QStringLiteral("Baza de date ") + server + QStringLiteral("\r") +
                              QStringLiteral("NU este accesibila sau este incompleta!") + QStringLiteral("\r") +
                              QStringLiteral("Verificati conexiunea si baza si reporniti programul!"));
        }
    }

    Database db(st.folders.database);
    SettingsFile settings(settingsPathOf(st.folders.database));

    // Is the daily maintenance due?
    const QString today = QString::number(dayNumber(env.clock.today()));
    st.maintenanceDue = settings.read(QStringLiteral("SERVER"), QStringLiteral("LASTPACK")).trimmed() != today;

    // Administration values.
    admin::loadAdminValues(st.admin, {db, settings, env.registry, {}});
    if (st.onServer)
        st.admin.serverPath = st.folders.database;
    progress(QStringLiteral("Incarcare date"), 55);

    // Tables and upgrades.
    const SetupHooks hooks = adminSetupHooks(st.admin, st.folders.database, env.registry);
    st.createdTables = createMissingTables(db, settings, hooks);
    if (st.maintenanceDue)
        settings.write(QStringLiteral("SERVER"), QStringLiteral("LASTPACK"), today);
    const UpgradeResult up = runUpgrades(db, settings, hooks);
    st.emptyDatabase = up.emptyDatabase;
    st.upgrades = up.done;
    progress(QStringLiteral("Incarcare date"), 60);

    // Registry bookkeeping.
    env.registry.write(QStringLiteral("CALE"), QDir::toNativeSeparators(st.folders.program));
    env.registry.write(QStringLiteral("VER"), edition::versionText());

    st.localities = localityList(db);

    // Rows left without a role, on the local database once a day.
    if (!st.onServer && st.maintenanceDue) {
        const OrphanReport orphans = removeOrphans(db);
        if (orphans.receiptRows > 0 || orphans.debtRows > 0 || orphans.balanceRows > 0) {
            ActionLog(st.folders.program)
                .write(db, {env.clock.now(), QStringLiteral("START"), {},
                            QStringLiteral("Curatare: %1 datorii, %2 solduri fara rol sterse; %3 chitante fara rol pastrate")
                                .arg(orphans.debtRows)
                                .arg(orphans.balanceRows)
                                .arg(orphans.receiptRows)});
        }
    }

    if (env.writeTemplates)
        env.writeTemplates(st.folders.database);

    // From here a failure does not stop the start; it is reported later.
    progress(QStringLiteral("Incarcare ..."), 65);
    if (st.maintenanceDue) {
        try {
            ensureIndexes(db);
            packDatabase(db);
        } catch (const Error &e) {
            st.deferredErrors << e.message();
        }
    }
    progress(QStringLiteral("Incarcare ..."), 95);
    try {
        reseedCounters(db, settings);
    } catch (const Error &e) {
        st.deferredErrors << e.message();
    }
    progress(QStringLiteral("Incarcare ..."), 100);
    return st;
}

} // namespace valdora

#include "app/core/Clock.h"
#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/core/Folders.h"
#include "app/core/RegistryStore.h"
#include "app/db/Database.h"
#include "app/docs/TemplateCatalogue.h"
#include "reports/xlsx/XlsxTemplates.h"
#include "app/db/Schema.h"
#include "app/startup/Startup.h"
#include "cli/CliSupport.h"

#include <QJsonArray>
#include <QJsonObject>

namespace valdora::cli {
namespace {

QJsonArray array(const QStringList &l)
{
    QJsonArray a;
    for (const QString &s : l)
        a.append(s);
    return a;
}

int init(const Args &a)
{
    RegistryStore registry(edition::ProductNumber);
    Folders folders = runFolders();
    folders.database = a.dataFolder;
    StartupEnv env{folders, false, registry, appClock(), {}, {},
                   [](const QString &folder) {
                               docs::WriteTemplates(folder);
                               xlsx::writeEditableTemplates(folder);
                           }};
    const StartupState st = runStartup(env);
    printJson(QJsonObject{
        {QStringLiteral("database"), st.folders.database},
        {QStringLiteral("createdTables"), array(st.createdTables)},
        {QStringLiteral("upgrades"), array(st.upgrades)},
        {QStringLiteral("maintenance"), st.maintenanceDue},
        {QStringLiteral("emptyDatabase"), st.emptyDatabase},
        {QStringLiteral("localities"), array(st.localities)},
        {QStringLiteral("deferredErrors"), array(st.deferredErrors)},
    });
    return st.deferredErrors.isEmpty() ? Ok : Refused;
}

int info(const Args &a)
{
    if (!Database::fileHasTables(a.dataFolder + u'/' + QString::fromLatin1(Database::FileName), {}))
        return refuse(QStringLiteral("In %1 nu exista o baza de date. Rulati intai: valdora-cli --data %1 init").arg(a.dataFolder));
    Database db(a.dataFolder, true);
    QJsonObject tables;
    for (const QString &t : db.tables())
        tables[t] = db.count(t);
    printJson(QJsonObject{
        {QStringLiteral("version"), edition::versionText()},
        {QStringLiteral("fiscalYear"), edition::FiscalYear},
        {QStringLiteral("database"), a.dataFolder},
        {QStringLiteral("tables"), tables},
    });
    return Ok;
}

} // namespace

namespace {
const bool registered = [] {
    registerCommand({QStringLiteral("init"), QStringLiteral("init"), init});
    registerCommand({QStringLiteral("info"), QStringLiteral("info"), info});
    return true;
}();
} // namespace

} // namespace valdora::cli

// Legacy dBase folders and backup archives from the command line.

#include "app/core/Edition.h"
#include "app/core/Error.h"
#include "app/core/Folders.h"
#include "app/db/Database.h"
#include "cli/CliSupport.h"
#include "yearend/domain/BackupNames.h"
#include "yearend/store/Backup.h"
#include "yearend/store/LegacyFolder.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonObject>

namespace valdora::cli {
namespace {

using namespace valdora::yearend;

QJsonArray array(const QStringList &l)
{
    QJsonArray a;
    for (const QString &s : l)
        a.append(s);
    return a;
}

QJsonObject rows(const std::vector<TableRows> &tables)
{
    QJsonObject o;
    for (const TableRows &t : tables)
        o[t.table] = t.rows;
    return o;
}

QString absolute(const QString &p) { return QDir::cleanPath(QDir(p).absolutePath()); }

bool hasDatabase(const Args &a)
{
    return QFileInfo::exists(a.dataFolder + u'/' + QString::fromLatin1(Database::FileName));
}

int noDatabase(const Args &a)
{
    return refuse(QStringLiteral("In %1 nu exista o baza de date. Rulati intai: valdora-cli --data %1 init").arg(a.dataFolder));
}

int exportLegacy(const Args &a)
{
    if (a.positional.size() != 1)
        return usage(QStringLiteral("valdora-cli export-legacy DEST"));
    if (!hasDatabase(a))
        return noDatabase(a);
    const QString dest = absolute(a.positional[0]);
    if (QDir(dest) == QDir(a.dataFolder))
        return refuse(QStringLiteral("Folderul %1 este chiar folderul bazei de date.").arg(dest));
    Database db(a.dataFolder, true);
    const LegacyExport r = exportLegacyFolder(db, a.dataFolder, dest);
    printJson(QJsonObject{
        {QStringLiteral("folder"), dest},
        {QStringLiteral("tables"), rows(r.tables)},
        {QStringLiteral("files"), array(r.files)},
        {QStringLiteral("skippedTables"), array(r.skippedTables)},
        {QStringLiteral("skippedColumns"), array(r.skippedColumns)},
    });
    return Ok;
}

QJsonObject importJson(const LegacyImport &r)
{
    return QJsonObject{
        {QStringLiteral("tables"), rows(r.tables)},
        {QStringLiteral("missingTables"), array(r.missingTables)},
        {QStringLiteral("unknownTables"), array(r.unknownTables)},
        {QStringLiteral("unknownColumns"), array(r.unknownColumns)},
        {QStringLiteral("addedColumns"), array(r.addedColumns)},
        {QStringLiteral("warnings"), array(r.warnings)},
        {QStringLiteral("files"), array(r.files)},
        {QStringLiteral("deletedRecords"), r.deletedRecords},
    };
}

int importLegacy(const Args &a)
{
    if (a.positional.size() != 1)
        return usage(QStringLiteral("valdora-cli import-legacy SRC"));
    const QString source = absolute(a.positional[0]);
    const LegacyImport r = importLegacyFolder(source, a.dataFolder);
    QJsonObject o = importJson(r);
    o[QStringLiteral("database")] = a.dataFolder;
    printJson(o);
    return Ok;
}

int backup(const Args &a)
{
    if (a.positional.size() != 1)
        return usage(QStringLiteral("valdora-cli backup FILE.w26 [--replace DA]"));
    if (!hasDatabase(a))
        return noDatabase(a);
    QString file = absolute(a.positional[0]);
    if (QFileInfo(file).suffix().isEmpty())
        file += QString::fromLatin1(edition::BackupExtension);
    if (isForbiddenBackupFolder(QFileInfo(file).absolutePath(), {a.dataFolder, runFolders().localData}))
        return refuse(QStringLiteral("Nu puteti salva aici!"));
    const QString replace = a.option(QStringLiteral("replace")).toUpper();
    if (QFileInfo::exists(file) && replace != QLatin1String("DA") && replace != QLatin1String("YES"))
        return refuse(QStringLiteral("Salvarea %1 exista deja (--replace DA o inlocuieste).").arg(file));
    Database db(a.dataFolder, true);
    const auto entries = makeArchive(db, a.dataFolder, runFolders().temp, file);
    QJsonArray files;
    for (const ArchiveEntry &e : entries)
        files.append(QJsonObject{{QStringLiteral("name"), e.name}, {QStringLiteral("size"), e.size}});
    printJson(QJsonObject{{QStringLiteral("archive"), file}, {QStringLiteral("files"), files}});
    return Ok;
}

int restore(const Args &a)
{
    if (a.positional.size() != 1)
        return usage(QStringLiteral("valdora-cli restore FILE.w26 [--databak DIR]"));
    const QString file = absolute(a.positional[0]);
    const QString bak = a.has(QStringLiteral("databak")) ? absolute(a.option(QStringLiteral("databak")))
                                                         : dataBakFolder(runFolders().program);
    if (QDir(bak) == QDir(a.dataFolder))
        return refuse(QStringLiteral("Folderul %1 este chiar folderul bazei de date.").arg(bak));
    if (!QDir().mkpath(a.dataFolder))
        return refuse(QStringLiteral("Folderul %1 nu poate fi creat.").arg(a.dataFolder));
    try {
        const RestoreStage stage(file, runFolders().temp);
        const ReplaceResult r = replaceDatabaseFiles(stage, a.dataFolder, bak);
        if (r.outcome != ReplaceResult::Outcome::Replaced) {
            QString text = QStringLiteral("Restaurare esuata! ") + r.detail;
            text += r.outcome == ReplaceResult::Outcome::RolledBack
                        ? QStringLiteral(" Datele anterioare au fost puse la loc.")
                        : QStringLiteral(" Datele anterioare au ramas in %1.").arg(bak);
            return refuse(text);
        }
        QJsonObject o = importJson(stage.import());
        o[QStringLiteral("database")] = a.dataFolder;
        o[QStringLiteral("dataBak")] = bak;
        o[QStringLiteral("placed")] = array(stage.files());
        printJson(o);
        return Ok;
    } catch (const RestoreError &e) {
        return refuse(QStringLiteral("Restaurare esuata! ") + e.message());
    }
}

const bool registered = [] {
    registerCommand({QStringLiteral("export-legacy"), QStringLiteral("export-legacy DEST"), exportLegacy});
    registerCommand({QStringLiteral("import-legacy"), QStringLiteral("import-legacy SRC"), importLegacy});
    registerCommand({QStringLiteral("backup"), QStringLiteral("backup FILE.w26 [--replace DA]"), backup});
    registerCommand({QStringLiteral("restore"), QStringLiteral("restore FILE.w26 [--databak DIR]"), restore});
    return true;
}();

} // namespace
} // namespace valdora::cli

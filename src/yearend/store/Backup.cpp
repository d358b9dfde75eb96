#include "yearend/store/Backup.h"

#include "app/core/TempNames.h"
#include "app/db/Database.h"
#include "app/db/DbfFormat.h"
#include "app/db/Schema.h"
#include "yearend/store/FileMoves.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSet>

namespace valdora::yearend {
namespace {

QString native(const QString &p) { return QDir::toNativeSeparators(p); }

QStringList filesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool isIndexFile(const QString &name) { return name.endsWith(QLatin1String(".mdx"), Qt::CaseInsensitive); }
bool isTableFile(const QString &name) { return name.endsWith(QLatin1String(".dbf"), Qt::CaseInsensitive); }

} // namespace

Snapshot::Snapshot(Database &db, const QString &databaseFolder, const QString &tempFolder, QDate today)
{
    folder_ = freshSubfolder(tempFolder, QStringLiteral("SaveRA"));
    if (folder_.isEmpty())
        throw BackupError(BackupError::Reason::NoSnapshotFolder, QStringLiteral("Nu pot scrie pe harddisk!!"));
    try {
        // The tables are written from the database; files of the same names are not copied.
        QSet<QString> written;
        for (const TableDef &t : schema::tables())
            if (db.hasTable(t.name))
                written.insert(tableFileName(t).toUpper());
        for (const QString &name : filesOf(databaseFolder)) {
            if (isDatabaseEngineFile(name) || isIndexFile(name) || written.contains(name.toUpper()))
                continue;
            const QString from = databaseFolder + u'/' + name;
            if (QFileInfo(from).size() == 0)
                continue;
            if (!copyFileReplacing(from, folder_ + u'/' + name)) {
                if (!QFileInfo::exists(from))
                    continue; // gone since the listing (a settings file being replaced)
                throw BackupError(BackupError::Reason::FileNotCopied,
                                  QStringLiteral("Fisierul %1 nu poate fi copiat.").arg(native(from)));
            }
        }
        try {
            tables_ = writeLegacyTables(db, folder_, today);
        } catch (const Error &e) {
            throw BackupError(BackupError::Reason::Tables, e.message());
        }
        for (const QString &name : filesOf(folder_))
            if (isTableFile(name))
                dbf::dropProductionIndex(folder_ + u'/' + name);
    } catch (...) {
        removeFolder(folder_);
        throw;
    }
}

Snapshot::~Snapshot() { removeFolder(folder_); }

QStringList Snapshot::files() const
{
    QStringList out;
    for (const QString &name : filesOf(folder_))
        if (!isIndexFile(name) && QFileInfo(folder_ + u'/' + name).size() > 0)
            out << name;
    return out;
}

std::vector<ArchiveEntry> archiveSnapshot(const Snapshot &snapshot, const QString &archivePath, const EntryProgress &progress)
{
    try {
        return writeArchive(archivePath, snapshot.folder(), snapshot.files(), progress);
    } catch (const Error &e) {
        throw BackupError(BackupError::Reason::Archive, e.message());
    }
}

std::vector<ArchiveEntry> makeArchive(Database &db, const QString &databaseFolder, const QString &tempFolder,
                                      const QString &archivePath, QDate today, const EntryProgress &progress)
{
    const Snapshot snapshot(db, databaseFolder, tempFolder, today);
    return archiveSnapshot(snapshot, archivePath, progress);
}

RestoreStage::RestoreStage(const QString &archivePath, const QString &tempFolder, const EntryProgress &progress)
{
    folder_ = freshSubfolder(tempFolder, QStringLiteral("GMT"));
    if (folder_.isEmpty())
        throw RestoreError(RestoreError::Reason::NoFolder, QStringLiteral("Nu pot scrie pe harddisk!"));
    try {
        try {
            entries_ = unpackArchive(archivePath, folder_, progress);
        } catch (const Error &e) {
            throw RestoreError(RestoreError::Reason::Archive, e.message());
        }
        bool anyData = false, anyTable = false;
        for (const ArchiveEntry &e : entries_) {
            anyData = anyData || e.size > 0;
            if (isDatabaseEngineFile(e.name) && !e.name.endsWith(QLatin1String(".lck"), Qt::CaseInsensitive))
                throw RestoreError(RestoreError::Reason::Archive,
                                   QStringLiteral("Arhiva contine fisierul %1, care nu se restaureaza.").arg(e.name));
            anyTable = anyTable || (isTableFile(e.name) && schema::table(QFileInfo(e.name).completeBaseName()));
        }
        if (!anyData)
            throw RestoreError(RestoreError::Reason::Archive, QStringLiteral("Arhiva nu contine niciun fisier."));
        // Without a single table the restore would leave an empty database.
        if (!anyTable)
            throw RestoreError(RestoreError::Reason::Archive, QStringLiteral("Arhiva nu contine tabelele bazei de date."));
        const QString dbName = QString::fromLatin1(Database::FileName);
        try {
            import_ = buildDatabaseFromLegacy(folder_, folder_ + u'/' + dbName);
        } catch (const Error &e) {
            throw RestoreError(RestoreError::Reason::Tables, e.message());
        }
        files_ << dbName << import_.files;
    } catch (...) {
        removeFolder(folder_);
        throw;
    }
}

RestoreStage::~RestoreStage() { removeFolder(folder_); }

QString dataBakFolder(const QString &programFolder) { return programFolder + QStringLiteral("/DataBAK"); }

ReplaceResult replaceDatabaseFiles(const RestoreStage &stage, const QString &databaseFolder, const QString &backupFolder)
{
    if (!QDir().mkpath(backupFolder))
        throw RestoreError(RestoreError::Reason::Backup,
                           QStringLiteral("Folderul %1 nu poate fi creat.").arg(native(backupFolder)));
    for (const QString &name : filesOf(backupFolder))
        if (!QFile::remove(backupFolder + u'/' + name))
            throw RestoreError(RestoreError::Reason::Backup,
                               QStringLiteral("Fisierul %1 nu poate fi sters.").arg(native(backupFolder + u'/' + name)));

    ReplaceResult r;
    QStringList moved, placed;
    auto putBack = [&](const QString &detail) {
        r.detail = detail;
        for (const QString &name : placed)
            QFile::remove(databaseFolder + u'/' + name);
        for (const QString &name : moved)
            if (!moveFileTo(backupFolder + u'/' + name, databaseFolder + u'/' + name))
                r.notRestored << name;
        r.outcome = r.notRestored.isEmpty() ? ReplaceResult::Outcome::RolledBack : ReplaceResult::Outcome::LeftInBackup;
        return r;
    };
    for (const QString &name : filesOf(databaseFolder)) {
        if (!moveFileTo(databaseFolder + u'/' + name, backupFolder + u'/' + name))
            return putBack(QStringLiteral("Fisierul %1 nu poate fi mutat in %2.")
                               .arg(native(databaseFolder + u'/' + name), native(backupFolder)));
        moved << name;
    }
    for (const QString &name : stage.files()) {
        const QString to = databaseFolder + u'/' + name;
        if (!copyFileReplacing(stage.folder() + u'/' + name, to)) {
            QFile::remove(to);
            return putBack(QStringLiteral("Fisierul %1 nu poate fi scris.").arg(native(to)));
        }
        placed << name;
    }
    return r;
}

} // namespace valdora::yearend

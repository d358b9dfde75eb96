#pragma once
// Backup and restore of a database folder through a .w26 archive.
//
// The archive holds the database as a legacy folder (one .dbf per table,
// production index byte 0, no .mdx) plus the other files of the database
// folder (Valdora.set, s.mpg, the editable templates), so that older
// installations restore it; restoring rebuilds Valdora.db from the tables.

#include "yearend/store/LegacyFolder.h"
#include "yearend/store/W26Archive.h"

#include <QDate>
#include <QString>
#include <QStringList>

namespace valdora {
class Database;
}

namespace valdora::yearend {

class BackupError : public Error {
public:
    enum class Reason {
        NoSnapshotFolder, // the temporary folder cannot be written
        FileNotCopied,    // a file of the database folder could not be copied
        Tables,           // a table could not be written as .dbf
        Archive           // the archive could not be written
    };
    BackupError(Reason r, const QString &message) : Error(message), reason_(r) {}
    Reason reason() const { return reason_; }

private:
    Reason reason_;
};

// The copy of a database folder an archive is made from: a fresh temporary
// subfolder "SaveRA<n>" holding every non-empty file of the database folder
// (not the database engine's files, no .mdx) and the tables as .dbf files with
// their production index dropped. The folder goes with the object.
class Snapshot {
public:
    // Throws BackupError; a file that cannot be copied fails the snapshot.
    Snapshot(Database &db, const QString &databaseFolder, const QString &tempFolder, QDate today = {});
    ~Snapshot();
    Snapshot(const Snapshot &) = delete;
    Snapshot &operator=(const Snapshot &) = delete;

    const QString &folder() const { return folder_; }
    // The non-empty files, in the order they are archived.
    QStringList files() const;
    const LegacyExport &tables() const { return tables_; }

private:
    QString folder_;
    LegacyExport tables_;
};

// Snapshot, then the archive written to archivePath (replaced only once whole).
// Throws BackupError.
std::vector<ArchiveEntry> makeArchive(Database &db, const QString &databaseFolder, const QString &tempFolder,
                                      const QString &archivePath, QDate today = {}, const EntryProgress &progress = {});
// Writes the archive of a snapshot; throws BackupError (Archive).
std::vector<ArchiveEntry> archiveSnapshot(const Snapshot &snapshot, const QString &archivePath,
                                          const EntryProgress &progress = {});

class RestoreError : public Error {
public:
    enum class Reason {
        NoFolder, // the temporary folder cannot be written
        Archive,  // the archive is damaged or holds nothing to restore
        Tables,   // its tables cannot be made into a database
        Backup    // DataBAK cannot be prepared; nothing was changed
    };
    RestoreError(Reason r, const QString &message) : Error(message), reason_(r) {}
    Reason reason() const { return reason_; }

private:
    Reason reason_;
};

// An archive unpacked into a fresh temporary subfolder "GMT<n>" and its
// tables rebuilt there into a new Valdora.db. The folder goes with the object.
class RestoreStage {
public:
    // Throws RestoreError.
    RestoreStage(const QString &archivePath, const QString &tempFolder, const EntryProgress &progress = {});
    ~RestoreStage();
    RestoreStage(const RestoreStage &) = delete;
    RestoreStage &operator=(const RestoreStage &) = delete;

    const QString &folder() const { return folder_; }
    const std::vector<ArchiveEntry> &entries() const { return entries_; }
    const LegacyImport &import() const { return import_; }
    // What goes into the database folder: Valdora.db, then the other files.
    const QStringList &files() const { return files_; }

private:
    QString folder_;
    std::vector<ArchiveEntry> entries_;
    LegacyImport import_;
    QStringList files_;
};

struct ReplaceResult {
    enum class Outcome {
        Replaced,    // the database folder holds the restored files; the old ones are in DataBAK
        RolledBack,  // a move failed; the previous files are back in the database folder
        LeftInBackup // a move failed and some previous files could not be put back: they are in DataBAK
    };
    Outcome outcome = Outcome::Replaced;
    QString detail;          // what failed
    QStringList notRestored; // previous files left in DataBAK (LeftInBackup)
};

// Empties `backupFolder` (DataBAK, created when missing), moves every file of
// the database folder into it and puts the staged files in their place. A
// failure while moving puts the previous files back. Throws RestoreError
// (Backup) when DataBAK cannot be prepared, before anything is moved. The
// database must not be open while this runs.
ReplaceResult replaceDatabaseFiles(const RestoreStage &stage, const QString &databaseFolder, const QString &backupFolder);

// The folder of the replaced files: program folder + "/DataBAK".
QString dataBakFolder(const QString &programFolder);

} // namespace valdora::yearend

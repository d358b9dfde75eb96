#pragma once
// The database as a folder of dBase tables, the way older installations keep
// it: one <Table>.dbf per table of the catalogue (exact names, column order,
// types and widths), beside Valdora.set, s.mpg and the editable templates.
//
// Export reads the whole database in one read transaction, so the tables
// agree with one another even while other workstations write. Import checks
// every file against the catalogue: catalogue columns a file lacks are added
// with the values the upgrades give them, tables and columns the catalogue
// does not know are reported and left out, and a record that cannot be
// stored stops the import with the file and the record named. An import
// builds a new database file and puts it in place only once it is whole.

#include "app/db/DbfFormat.h"
#include "app/db/Schema.h"

#include <QDate>
#include <QString>
#include <QStringList>
#include <functional>
#include <vector>

namespace valdora {
class Database;
}

namespace valdora::yearend {

struct TableRows {
    QString table;
    qint64 rows = 0;
};

struct LegacyExport {
    std::vector<TableRows> tables; // written, in catalogue order
    QStringList skippedTables;     // tables of the database the catalogue does not know
    QStringList skippedColumns;    // "Table.COLUMN" the catalogue does not know
    QStringList files;             // other files copied beside the tables
};

struct LegacyImport {
    std::vector<TableRows> tables; // imported, in catalogue order
    QStringList missingTables;     // catalogue tables without a file (the start-up creates them)
    QStringList unknownTables;     // .dbf files the catalogue does not know (kept as files, not imported)
    QStringList unknownColumns;    // "Table.FIELD" of a file, not in the catalogue (left out)
    QStringList addedColumns;      // "Table.COLUMN" the file lacked, given the upgrades' values
    QStringList warnings;          // what the reader tolerated, with the file named
    QStringList files;             // other files that go with the database (Valdora.set, s.mpg, ...)
    qint64 deletedRecords = 0;     // records marked deleted, left out
};

// "Gospodar.dbf"
QString tableFileName(const TableDef &t);
// The dBase fields of a catalogue table: CHAR(n) -> C(n), DECIMAL(p,s) -> N(p,s), DATE -> D.
std::vector<dbf::Field> dbfFields(const TableDef &t);

// Files of a database folder that are never copied as files: the SQLite
// database with its journals and the lock files.
bool isDatabaseEngineFile(const QString &name);

// Writes every catalogue table the database holds into `folder` as
// <Table>.dbf (replacing files of those names).
LegacyExport writeLegacyTables(Database &db, const QString &folder, QDate lastUpdate = {});

// The database folder as a new legacy folder `dest`: the tables, Valdora.set
// and s.mpg. `dest` must be missing or empty; it is built beside and renamed
// into place, so a failure leaves nothing behind.
LegacyExport exportLegacyFolder(Database &db, const QString &databaseFolder, const QString &dest, QDate lastUpdate = {});

// Builds a new database file at dbPath (which must not exist) from the
// tables of `folder`. Throws valdora::Error naming the file (and record) at
// fault; the new file is removed then.
LegacyImport buildDatabaseFromLegacy(const QString &folder, const QString &dbPath,
                                     const std::function<void(const QString &table)> &progress = {});

// Imports the legacy folder `source` into `targetFolder`: a new Valdora.db
// and the other files of `source` (Valdora.set, s.mpg, templates). Everything
// is built beside and swapped in at the end; on failure the target is as it was.
LegacyImport importLegacyFolder(const QString &source, const QString &targetFolder,
                                const std::function<void(const QString &table)> &progress = {});

} // namespace valdora::yearend

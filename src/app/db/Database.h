#pragma once
// One connection to a database folder's Valdora.db (SQLite through Qt SQL).
// Rollback journal and a busy timeout, so several workstations can share the
// file on a network folder; statements take bound parameters only.

#include "app/core/Error.h"

#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <QVariantList>

struct sqlite3;

namespace valdora {

class DbError : public Error {
public:
    using Error::Error;
};

class Database {
public:
    static constexpr const char *FileName = "Valdora.db";
    static constexpr int BusyTimeoutMs = 20000;

    // Opens (creating the file when missing) folder/Valdora.db.
    explicit Database(const QString &folder, bool readOnly = false);
    // Opens a database file by its own path (the local log, working copies).
    struct AtFile {};
    Database(AtFile, const QString &filePath, bool readOnly = false);
    ~Database();
    Database(const Database &) = delete;
    Database &operator=(const Database &) = delete;

    const QString &folder() const { return folder_; }
    const QString &filePath() const { return path_; }
    QSqlDatabase &connection() { return db_; }

    // Runs a statement with positional (?) parameters; throws DbError on failure.
    QSqlQuery exec(const QString &sql, const QVariantList &params = {});
    // First column of the first row, or an invalid QVariant when there is none.
    QVariant scalar(const QString &sql, const QVariantList &params = {});
    qint64 count(const QString &table);

    // Table and column presence, without regard to case.
    bool hasTable(const QString &table);
    QStringList tables();
    QStringList columns(const QString &table);
    bool hasColumn(const QString &table, const QString &column);
    // Declared type of a column ("DECIMAL(6,0)"), empty when missing.
    QString declaredType(const QString &table, const QString &column);

    sqlite3 *handle();

    // True when a file holds a database with all of the given tables.
    static bool fileHasTables(const QString &filePath, const QStringList &tables);

private:
    void open(const QString &path, bool readOnly);
    void registerFunctions();

    QString folder_;
    QString path_;
    QString name_;
    QSqlDatabase db_;
};

// Translates a failed statement into a message a user can read.
QString describeSqlError(const QString &driverText);

} // namespace valdora

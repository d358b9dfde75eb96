#include "app/db/Database.h"

#include <QCollator>
#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSqlDriver>
#include <QSqlError>
#include <QSqlRecord>
#include <atomic>
#include <sqlite3.h>

namespace valdora {
namespace {

std::atomic<int> connectionCounter{0};

// ROLNUM(x): a role number read as a number; NULL when the text is not one,
// so lists that order or compare numerically leave such roles out.
void rolnum(sqlite3_context *ctx, int, sqlite3_value **argv)
{
    if (sqlite3_value_type(argv[0]) == SQLITE_NULL) {
        sqlite3_result_null(ctx);
        return;
    }
    if (sqlite3_value_type(argv[0]) == SQLITE_INTEGER || sqlite3_value_type(argv[0]) == SQLITE_FLOAT) {
        sqlite3_result_double(ctx, sqlite3_value_double(argv[0]));
        return;
    }
    const auto *text = reinterpret_cast<const char *>(sqlite3_value_text(argv[0]));
    const QString t = QString::fromUtf8(text ? text : "").trimmed();
    static const QRegularExpression number(QStringLiteral("^[+-]?[0-9]+(\\.[0-9]+)?$"));
    if (!number.match(t).hasMatch()) {
        sqlite3_result_null(ctx);
        return;
    }
    sqlite3_result_double(ctx, t.toDouble());
}

// Romanian order of names ("RO" collation).
int romanianCompare(void *, int la, const void *a, int lb, const void *b)
{
    static thread_local QCollator collator = [] {
        QCollator c{QLocale(QLocale::Romanian, QLocale::Romania)};
        c.setCaseSensitivity(Qt::CaseInsensitive);
        return c;
    }();
    const QString sa = QString::fromUtf8(static_cast<const char *>(a), la);
    const QString sb = QString::fromUtf8(static_cast<const char *>(b), lb);
    const int r = collator.compare(sa, sb);
    return r != 0 ? r : sa.compare(sb);
}

} // namespace

QString describeSqlError(const QString &driverText)
{
    static const QRegularExpression check(QStringLiteral("CHECK constraint failed: (\\w+)"));
    const auto m = check.match(driverText);
    if (m.hasMatch()) {
        const QString name = m.captured(1);
        // Constraint names are "w_<COLUMN>" for widths.
        if (name.startsWith(QLatin1String("w_")))
            return QStringLiteral("Valoarea nu incape in campul %1.").arg(name.mid(2));
    }
    if (driverText.contains(QLatin1String("database is locked")))
        return QStringLiteral("Baza de date este ocupata de alt calculator. Reincercati.");
    return QStringLiteral("Eroare la baza de date: %1").arg(driverText);
}

Database::Database(const QString &folder, bool readOnly)
{
    folder_ = QDir::cleanPath(folder);
    open(folder_ + u'/' + QString::fromLatin1(FileName), readOnly);
}

Database::Database(AtFile, const QString &filePath, bool readOnly)
{
    folder_ = QFileInfo(filePath).absolutePath();
    open(filePath, readOnly);
}

void Database::open(const QString &path, bool readOnly)
{
    path_ = QDir::cleanPath(path);
    if (!readOnly)
        QDir().mkpath(QFileInfo(path_).absolutePath());
    name_ = QStringLiteral("valdora-%1").arg(connectionCounter.fetch_add(1));
    db_ = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name_);
    db_.setDatabaseName(path_);
    QString options = QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(BusyTimeoutMs);
    if (readOnly)
        options += QStringLiteral(";QSQLITE_OPEN_READONLY");
    db_.setConnectOptions(options);
    if (!db_.open())
        throw DbError(QStringLiteral("Nu se poate deschide baza de date %1: %2").arg(path_, db_.lastError().text()));
    registerFunctions();
    // Never WAL: the file may live on a network share.
    if (!readOnly)
        exec(QStringLiteral("PRAGMA journal_mode=DELETE"));
    exec(QStringLiteral("PRAGMA synchronous=FULL"));
}

Database::~Database()
{
    if (name_.isEmpty())
        return;
    db_.close();
    db_ = QSqlDatabase();
    QSqlDatabase::removeDatabase(name_);
}

sqlite3 *Database::handle()
{
    const QVariant v = db_.driver()->handle();
    if (!v.isValid() || qstrcmp(v.typeName(), "sqlite3*") != 0)
        throw DbError(QStringLiteral("Conexiune SQLite indisponibila"));
    return *static_cast<sqlite3 *const *>(v.constData());
}

void Database::registerFunctions()
{
    sqlite3 *h = handle();
    sqlite3_create_function_v2(h, "ROLNUM", 1, SQLITE_UTF8 | SQLITE_DETERMINISTIC, nullptr, rolnum, nullptr, nullptr,
                               nullptr);
    sqlite3_create_collation_v2(h, "RO", SQLITE_UTF8, nullptr, romanianCompare, nullptr);
}

QSqlQuery Database::exec(const QString &sql, const QVariantList &params)
{
    QSqlQuery q(db_);
    q.setForwardOnly(true);
    if (!q.prepare(sql))
        throw DbError(describeSqlError(q.lastError().text()) + QStringLiteral("\n") + sql);
    for (const QVariant &p : params)
        q.addBindValue(p);
    if (!q.exec())
        throw DbError(describeSqlError(q.lastError().text()));
    return q;
}

QVariant Database::scalar(const QString &sql, const QVariantList &params)
{
    QSqlQuery q = exec(sql, params);
    return q.next() ? q.value(0) : QVariant();
}

qint64 Database::count(const QString &table)
{
    return scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\"").arg(table)).toLongLong();
}

QStringList Database::tables()
{
    QStringList out;
    QSqlQuery q = exec(QStringLiteral("SELECT name FROM sqlite_master WHERE type='table' AND name NOT LIKE 'sqlite_%' ORDER BY name"));
    while (q.next())
        out << q.value(0).toString();
    return out;
}

bool Database::hasTable(const QString &table)
{
    return scalar(QStringLiteral("SELECT COUNT(*) FROM sqlite_master WHERE type='table' AND lower(name)=lower(?)"),
                  {table})
               .toInt() > 0;
}

QStringList Database::columns(const QString &table)
{
    QStringList out;
    QSqlQuery q = exec(QStringLiteral("SELECT name FROM pragma_table_info(?)"), {table});
    while (q.next())
        out << q.value(0).toString();
    return out;
}

bool Database::hasColumn(const QString &table, const QString &column)
{
    return columns(table).contains(column, Qt::CaseInsensitive);
}

QString Database::declaredType(const QString &table, const QString &column)
{
    QSqlQuery q = exec(QStringLiteral("SELECT type FROM pragma_table_info(?) WHERE lower(name)=lower(?)"), {table, column});
    return q.next() ? q.value(0).toString() : QString();
}

bool Database::fileHasTables(const QString &filePath, const QStringList &tables)
{
    if (!QFileInfo::exists(filePath))
        return false;
    try {
        Database d(AtFile{}, filePath, true);
        for (const QString &t : tables)
            if (!d.hasTable(t))
                return false;
        return true;
    } catch (const DbError &) {
        return false;
    }
}

} // namespace valdora

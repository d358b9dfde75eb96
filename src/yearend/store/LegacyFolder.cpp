#include "yearend/store/LegacyFolder.h"

#include "app/core/Dates.h"
#include "app/core/Edition.h"
#include "app/core/TempNames.h"
#include "app/db/Database.h"
#include "app/db/DbfReader.h"
#include "app/db/DbfWriter.h"
#include "app/db/Rows.h"
#include "app/db/SchemaSetup.h"
#include "app/db/Transaction.h"
#include "yearend/store/FileMoves.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSqlError>
#include <QSqlQuery>
#include <map>
#include <sqlite3.h>

namespace valdora::yearend {
namespace {

QString native(const QString &p) { return QDir::toNativeSeparators(p); }

// Holds one read transaction for the whole export, so every table is read
// from the same state of the database.
class ReadTransaction {
public:
    explicit ReadTransaction(Database &db) : db_(db)
    {
        if (sqlite3_get_autocommit(db.handle()) != 0) {
            db.exec(QStringLiteral("BEGIN"));
            own_ = true;
        }
    }
    ~ReadTransaction()
    {
        if (own_) {
            try {
                db_.exec(QStringLiteral("COMMIT"));
            } catch (const Error &) {
            }
        }
    }
    ReadTransaction(const ReadTransaction &) = delete;
    ReadTransaction &operator=(const ReadTransaction &) = delete;

private:
    Database &db_;
    bool own_ = false;
};

[[noreturn]] void refuseStored(const TableDef &t, qint64 row, const Column &c, const QVariant &v, const char *what)
{
    throw Error(QStringLiteral("Tabela %1, randul %2, campul %3: valoarea \"%4\" %5.")
                    .arg(t.name)
                    .arg(row)
                    .arg(c.name, v.toString(), QString::fromLatin1(what)));
}

// A stored value as the dBase writer takes it.
QVariant exportValue(const TableDef &t, qint64 row, const Column &c, const QVariant &v)
{
    switch (c.type) {
    case ColumnType::Char:
        return v.isNull() ? QString(QLatin1String("")) : v.toString();
    case ColumnType::Decimal: {
        if (v.isNull())
            return money(Currency());
        switch (v.metaType().id()) {
        case QMetaType::LongLong:
        case QMetaType::Int:
            return money(Currency::fromLei(v.toLongLong()));
        case QMetaType::Double: {
            const auto p = Currency::parse(QString::number(v.toDouble(), 'f', std::min(c.decimals, 4)));
            if (!p)
                refuseStored(t, row, c, v, "nu este un numar");
            return money(*p);
        }
        default: {
            const QString s = v.toString().trimmed();
            if (s.isEmpty())
                return money(Currency());
            const auto p = Currency::parse(s);
            if (!p)
                refuseStored(t, row, c, v, "nu este un numar");
            return money(*p);
        }
        }
    }
    case ColumnType::Date: {
        const QString s = v.isNull() ? QString() : v.toString().trimmed();
        if (s.isEmpty())
            return QVariant();
        const QDate d = QDate::fromString(s, Qt::ISODate);
        if (!d.isValid())
            refuseStored(t, row, c, v, "nu este o data");
        return d;
    }
    }
    return {};
}

// A value read from a file as storedValue() takes it for the column.
QVariant importValue(const QVariant &v, const Column &c)
{
    if (c.type == ColumnType::Char) {
        if (v.metaType().id() == QMetaType::Bool)
            return v.toBool() ? QStringLiteral("T") : QStringLiteral("F");
        if (v.metaType() == QMetaType::fromType<Currency>())
            return v.value<Currency>().toShortString();
        if (v.metaType().id() == QMetaType::QDate)
            return formatDate(v.toDate());
    }
    return v;
}

QStringList filesOf(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

bool hasSuffix(const QString &name, const char *suffix)
{
    return name.endsWith(QLatin1String(suffix), Qt::CaseInsensitive);
}

void importTable(Database &db, const TableDef &def, const QString &path, LegacyImport &r)
{
    dbf::DbfReader rd(path);
    const QString fileName = QFileInfo(path).fileName();
    for (const QString &w : rd.warnings())
        r.warnings << fileName + QStringLiteral(": ") + w;

    std::vector<int> index;
    index.reserve(def.columns.size());
    for (const Column &c : def.columns) {
        const int i = rd.fieldIndex(c.name);
        if (i >= 0 && !rd.fields()[size_t(i)].supported())
            throw Error(QStringLiteral("Fisierul %1: campul %2 are tipul %3, care nu poate fi citit.")
                            .arg(native(path), c.name, QChar::fromLatin1(rd.fields()[size_t(i)].type)));
        if (i < 0)
            r.addedColumns << def.name + u'.' + c.name;
        index.push_back(i);
    }
    for (const dbf::Field &f : rd.fields())
        if (!def.column(f.name))
            r.unknownColumns << def.name + u'.' + f.name;

    // Defaults of the columns a file lacks: the values the upgrades give them.
    // The step that added Euro and the columns after it set Inmatric to 1.
    const bool beforeEuro = def.name == QLatin1String("AutoDet") && rd.fieldIndex(QStringLiteral("EURO")) < 0;
    std::vector<QVariant> added(def.columns.size());
    for (size_t i = 0; i < def.columns.size(); ++i)
        if (beforeEuro && def.columns[i].name == QLatin1String("Inmatric"))
            added[i] = 1;

    db.exec(schema::createStatement(def));
    QStringList names, marks;
    for (const Column &c : def.columns) {
        names << u'"' + c.name + u'"';
        marks << QStringLiteral("?");
    }
    QSqlQuery ins(db.connection());
    if (!ins.prepare(QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)").arg(def.name, names.join(u','), marks.join(u','))))
        throw DbError(describeSqlError(ins.lastError().text()));

    dbf::Record rec;
    qint64 rows = 0;
    while (rd.next(rec)) {
        if (rec.deleted) {
            ++r.deletedRecords;
            continue;
        }
        for (size_t i = 0; i < def.columns.size(); ++i) {
            const Column &c = def.columns[i];
            const QVariant v = index[i] >= 0 ? rec.values[index[i]] : added[i];
            QVariant stored;
            try {
                stored = storedValue(def.name, c, importValue(v, c));
            } catch (const Error &e) {
                throw Error(QStringLiteral("Fisierul %1, inregistrarea %2: %3")
                                .arg(native(path))
                                .arg(rd.recordNumber())
                                .arg(e.message()));
            }
            ins.bindValue(int(i), stored);
        }
        if (!ins.exec())
            throw DbError(QStringLiteral("Fisierul %1, inregistrarea %2: %3")
                              .arg(native(path))
                              .arg(rd.recordNumber())
                              .arg(describeSqlError(ins.lastError().text())));
        ++rows;
    }
    r.tables.push_back({def.name, rows});
}

void removeDatabaseFile(const QString &dbPath)
{
    for (const char *s : {"", "-journal", "-wal", "-shm"})
        QFile::remove(dbPath + QLatin1String(s));
}

} // namespace

QString tableFileName(const TableDef &t) { return t.name + QStringLiteral(".dbf"); }

std::vector<dbf::Field> dbfFields(const TableDef &t)
{
    std::vector<dbf::Field> f;
    f.reserve(t.columns.size());
    for (const Column &c : t.columns) {
        switch (c.type) {
        case ColumnType::Char: f.push_back(dbf::Field::character(c.name, c.width)); break;
        case ColumnType::Decimal: f.push_back(dbf::Field::numeric(c.name, c.width, c.decimals)); break;
        case ColumnType::Date: f.push_back(dbf::Field::date(c.name)); break;
        }
    }
    return f;
}

bool isDatabaseEngineFile(const QString &name)
{
    const QString db = QString::fromLatin1(Database::FileName);
    for (const char *s : {"", "-journal", "-wal", "-shm"})
        if (name.compare(db + QLatin1String(s), Qt::CaseInsensitive) == 0)
            return true;
    return hasSuffix(name, ".lck");
}

LegacyExport writeLegacyTables(Database &db, const QString &folder, QDate lastUpdate)
{
    LegacyExport r;
    ReadTransaction read(db);
    for (const QString &t : db.tables())
        if (!schema::table(t))
            r.skippedTables << t;
    for (const TableDef &def : schema::tables()) {
        if (!db.hasTable(def.name))
            continue;
        const QStringList have = db.columns(def.name);
        for (const QString &h : have)
            if (!def.column(h))
                r.skippedColumns << def.name + u'.' + h;
        QStringList select;
        for (const Column &c : def.columns)
            select << (have.contains(c.name, Qt::CaseInsensitive) ? u'"' + c.name + u'"' : QStringLiteral("NULL"));

        dbf::DbfWriter w(folder + u'/' + tableFileName(def), dbfFields(def), lastUpdate);
        QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM \"%2\" ORDER BY rowid").arg(select.join(u','), def.name));
        QVariantList values;
        qint64 row = 0;
        while (q.next()) {
            ++row;
            values.clear();
            for (size_t i = 0; i < def.columns.size(); ++i)
                values << exportValue(def, row, def.columns[i], q.value(int(i)));
            w.append(values);
        }
        w.finish();
        r.tables.push_back({def.name, w.count()});
    }
    return r;
}

LegacyExport exportLegacyFolder(Database &db, const QString &databaseFolder, const QString &dest, QDate lastUpdate)
{
    const QDir d(dest);
    if (d.exists() && !d.isEmpty(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden))
        throw Error(QStringLiteral("Folderul %1 nu este gol.").arg(native(dest)));
    const QString parent = QFileInfo(QDir::cleanPath(QDir(dest).absolutePath())).absolutePath();
    if (!QDir().mkpath(parent))
        throw Error(QStringLiteral("Folderul %1 nu poate fi creat.").arg(native(parent)));
    const QString staging = freshSubfolder(parent, QFileInfo(dest).fileName() + QStringLiteral(".tmp"));
    if (staging.isEmpty())
        throw Error(QStringLiteral("Nu se poate scrie in %1.").arg(native(parent)));
    try {
        LegacyExport r = writeLegacyTables(db, staging, lastUpdate);
        for (const QString &name : {QString::fromLatin1(edition::SettingsFileName), QStringLiteral("s.mpg")}) {
            const QString from = databaseFolder + u'/' + name;
            if (!QFileInfo(from).isFile())
                continue;
            if (!copyFileReplacing(from, staging + u'/' + name))
                throw Error(QStringLiteral("Fisierul %1 nu poate fi copiat.").arg(native(from)));
            r.files << name;
        }
        if (d.exists() && !QDir().rmdir(dest))
            throw Error(QStringLiteral("Folderul %1 nu poate fi inlocuit.").arg(native(dest)));
        if (!QDir().rename(staging, dest))
            throw Error(QStringLiteral("Folderul %1 nu poate fi creat.").arg(native(dest)));
        return r;
    } catch (...) {
        removeFolder(staging);
        throw;
    }
}

LegacyImport buildDatabaseFromLegacy(const QString &folder, const QString &dbPath,
                                     const std::function<void(const QString &)> &progress)
{
    if (QFileInfo::exists(dbPath))
        throw Error(QStringLiteral("Fisierul %1 exista deja.").arg(native(dbPath)));
    LegacyImport r;
    std::map<const TableDef *, QString> found;
    QStringList tableFiles;
    for (const QString &name : filesOf(folder)) {
        if (!hasSuffix(name, ".dbf"))
            continue;
        const TableDef *t = schema::table(QFileInfo(name).completeBaseName());
        if (!t) {
            r.unknownTables << name;
            continue;
        }
        if (found.count(t))
            throw Error(QStringLiteral("Tabela %1 apare in doua fisiere: %2 si %3.").arg(t->name, found[t], name));
        found[t] = name;
        tableFiles << name;
    }
    try {
        Database db(Database::AtFile{}, dbPath);
        Transaction t(db);
        for (const TableDef &def : schema::tables()) {
            const auto it = found.find(&def);
            if (it == found.end()) {
                r.missingTables << def.name;
                continue;
            }
            if (progress)
                progress(def.name);
            importTable(db, def, folder + u'/' + it->second, r);
        }
        ensureIndexes(db);
        t.commit();
    } catch (...) {
        removeDatabaseFile(dbPath);
        throw;
    }
    for (const QString &name : filesOf(folder)) {
        if (tableFiles.contains(name) || hasSuffix(name, ".mdx") || isDatabaseEngineFile(name))
            continue;
        if (QFileInfo(folder + u'/' + name).size() == 0)
            continue;
        r.files << name;
    }
    return r;
}

LegacyImport importLegacyFolder(const QString &source, const QString &targetFolder,
                                const std::function<void(const QString &)> &progress)
{
    if (!QFileInfo(source).isDir())
        throw Error(QStringLiteral("Folderul %1 nu exista.").arg(native(source)));
    if (QDir(source) == QDir(targetFolder))
        throw Error(QStringLiteral("Folderul %1 nu poate fi importat in el insusi.").arg(native(source)));
    if (!QDir().mkpath(targetFolder))
        throw Error(QStringLiteral("Folderul %1 nu poate fi creat.").arg(native(targetFolder)));
    const QString staging = freshSubfolder(targetFolder, QStringLiteral(".import"));
    if (staging.isEmpty())
        throw Error(QStringLiteral("Nu se poate scrie in %1.").arg(native(targetFolder)));
    try {
        const QString dbName = QString::fromLatin1(Database::FileName);
        LegacyImport r = buildDatabaseFromLegacy(source, staging + u'/' + dbName, progress);
        for (const QString &name : r.files)
            if (!copyFileReplacing(source + u'/' + name, staging + u'/' + name))
                throw Error(QStringLiteral("Fisierul %1 nu poate fi copiat.").arg(native(source + u'/' + name)));
        QStringList placed{dbName};
        placed << r.files;
        // A journal left beside the old database must not be applied to the new one.
        QStringList retired;
        for (const char *s : {"-journal", "-wal", "-shm"})
            if (QFileInfo::exists(targetFolder + u'/' + dbName + QLatin1String(s)))
                retired << dbName + QLatin1String(s);
        swapInFiles(staging, targetFolder, placed, retired);
        removeFolder(staging);
        return r;
    } catch (...) {
        removeFolder(staging);
        throw;
    }
}

} // namespace valdora::yearend

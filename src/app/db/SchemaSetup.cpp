#include "app/db/SchemaSetup.h"

#include "app/core/Currency.h"
#include "app/core/Edition.h"
#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Schema.h"
#include "app/db/Transaction.h"

#include <QRegularExpression>

namespace valdora {
namespace {

void createTable(Database &db, const QString &name) { db.exec(schema::createStatement(schema::require(name))); }

int declaredWidth(const QString &declared)
{
    static const QRegularExpression re(QStringLiteral("\\((\\d+)"));
    const auto m = re.match(declared);
    return m.hasMatch() ? m.captured(1).toInt() : 0;
}

void addColumn(Database &db, const QString &table, const QString &column)
{
    const Column &c = *schema::require(table).column(column);
    db.exec(QStringLiteral("ALTER TABLE \"%1\" ADD COLUMN %2").arg(table, schema::columnDefinition(c)));
}

} // namespace

void ensureIndexes(Database &db)
{
    struct Ix { const char *table; const char *column; };
    static const Ix indexes[] = {{"Datorii", "IDGOS"}, {"SoldCalc", "IDGOS"}, {"Debit", "IDGOS"},
                                 {"Chitante", "IDGOS"}, {"Chitante", "IDCHIT"}, {"Gospodar", "IDGOS"},
                                 {"Pag2", "IDGOS"},     {"AutoDet", "IDGOS"}};
    for (const auto &ix : indexes)
        if (db.hasTable(QString::fromLatin1(ix.table)))
            db.exec(QStringLiteral("CREATE INDEX IF NOT EXISTS \"%1_%2\" ON \"%1\"(\"%2\")").arg(ix.table, ix.column));
}

QStringList createMissingTables(Database &db, SettingsFile &settings, const SetupHooks &hooks)
{
    QStringList created;
    Transaction t(db);
    for (const QString &name : schema::creationOrder()) {
        if (db.hasTable(name))
            continue;
        if (name == QLatin1String("Ini")) {
            if (hooks.buildIni)
                hooks.buildIni(db);
            else
                createTable(db, name);
        } else {
            createTable(db, name);
        }
        if (name == QLatin1String("CODCL")) {
            for (const auto &g : schema::defaultGroups()) {
                const qint64 id = settings.nextNumber(QStringLiteral("SERVER"), QStringLiteral("IDCOD"));
                insertRow(db, name, {{"IDCOD", id}, {"GRUPA", QString::fromLatin1(g.name)}, {"CODCLF", QString()},
                                     {"CODCLJ", QString()}, {"TIP", QString::fromLatin1(g.tip)}});
            }
        }
        created << name;
    }
    ensureIndexes(db);
    t.commit();
    return created;
}

void restructureTable(Database &db, const QString &table)
{
    const TableDef &def = schema::require(table);
    Transaction t(db);
    const QStringList existing = db.columns(table);
    QStringList common;
    for (const auto &c : def.columns)
        if (existing.contains(c.name, Qt::CaseInsensitive))
            common << u'"' + c.name + u'"';
    const QString tmp = def.name + QStringLiteral("_new");
    db.exec(QStringLiteral("DROP TABLE IF EXISTS \"%1\"").arg(tmp));
    db.exec(schema::createStatement(def, tmp));
    db.exec(QStringLiteral("INSERT INTO \"%1\" (%2) SELECT %2 FROM \"%3\"").arg(tmp, common.join(u','), table));
    db.exec(QStringLiteral("DROP TABLE \"%1\"").arg(table));
    db.exec(QStringLiteral("ALTER TABLE \"%1\" RENAME TO \"%2\"").arg(tmp, def.name));
    ensureIndexes(db);
    t.commit();
}

UpgradeResult runUpgrades(Database &db, SettingsFile &settings, const SetupHooks &hooks)
{
    UpgradeResult r;
    const QString program = edition::versionText();

    // 1. Data version.
    const auto stored = Currency::parse(settings.read(QStringLiteral("CONST"), QStringLiteral("VER26")).trimmed());
    const Currency version = stored.value_or(Currency::fromLei(1));
    if (*Currency::parse(program) > version) {
        settings.write(QStringLiteral("CONST"), QStringLiteral("VER26"), program);
        r.done << QStringLiteral("VER26=") + program;
    }
    if (version < *Currency::parse(u"1.0002")) {
        if (hooks.rebuildSettings)
            hooks.rebuildSettings(db);
        r.settingsRebuilt = true;
        r.done << QStringLiteral("Ini refacut");
    }

    // 2. Tables of an older layout.
    for (const char *old : {"Pag5", "Pag6"}) {
        if (db.hasTable(QString::fromLatin1(old))) {
            db.exec(QStringLiteral("DROP TABLE \"%1\"").arg(QString::fromLatin1(old)));
            r.done << QStringLiteral("sters ") + QString::fromLatin1(old);
        }
    }

    // 3. Empty database.
    r.emptyDatabase = db.count(QStringLiteral("Gospodar")) == 0;

    // 4. Cash register amounts 8 digits wide; a failure is not fatal.
    try {
        if (declaredWidth(db.declaredType(QStringLiteral("RegCasa"), QStringLiteral("PLATIT"))) < 8 ||
            declaredWidth(db.declaredType(QStringLiteral("RegCasa"), QStringLiteral("INCASAT"))) < 8) {
            restructureTable(db, QStringLiteral("RegCasa"));
            r.done << QStringLiteral("RegCasa PLATIT/INCASAT 8");
        }
    } catch (const DbError &) {
    }

    // 5-6. Vehicle columns added by later editions.
    if (!db.hasColumn(QStringLiteral("AutoDet"), QStringLiteral("EURO"))) {
        Transaction t(db);
        for (const char *c : {"Euro", "HIBpeste50", "NrInmat", "Inmatric", "Valoare"})
            addColumn(db, QStringLiteral("AutoDet"), QString::fromLatin1(c));
        updateRows(db, QStringLiteral("AutoDet"),
                   {{"Euro", 0}, {"HIBpeste50", QStringLiteral(" ")}, {"NrInmat", QStringLiteral(" ")}, {"Inmatric", 1},
                    {"Valoare", 0}},
                   {});
        t.commit();
        r.done << QStringLiteral("AutoDet Euro");
    }
    if (!db.hasColumn(QStringLiteral("AutoDet"), QStringLiteral("Scutit"))) {
        Transaction t(db);
        addColumn(db, QStringLiteral("AutoDet"), QStringLiteral("Scutit"));
        updateRows(db, QStringLiteral("AutoDet"), {{"Scutit", QStringLiteral(" ")}}, {});
        t.commit();
        r.done << QStringLiteral("AutoDet Scutit");
    }
    return r;
}

} // namespace valdora

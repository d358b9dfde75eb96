#include "register/store/RoleStore.h"

#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"
#include "register/domain/RolePageFields.h"

#include <QSqlQuery>

namespace valdora::roles {
namespace {

const char *const selectColumns = "IDGOS, SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, NRPERS, MOST, TIP, SCCLAD, SCCC, "
                                  "SCTI, SCAUTO, SCTE, OBS, OBS2, NOTAX, INDOP";

RoleRecord readRole(const QSqlQuery &q)
{
    RoleRecord r;
    r.IDGOS = readWhole(q.value(0));
    r.SATUL = readText(q.value(1));
    r.ROL = readText(q.value(2));
    r.NUMEP = readText(q.value(3));
    r.CNP = readText(q.value(4));
    r.STRADA = readText(q.value(5));
    r.ADRESA = readText(q.value(6));
    r.NRPERS = int(readWhole(q.value(7)));
    r.MOST = readText(q.value(8));
    r.TIP = readText(q.value(9));
    r.SCCLAD = int(readWhole(q.value(10)));
    r.SCCC = int(readWhole(q.value(11)));
    r.SCTI = int(readWhole(q.value(12)));
    r.SCAUTO = int(readWhole(q.value(13)));
    r.SCTE = int(readWhole(q.value(14)));
    r.OBS = readText(q.value(15));
    r.OBS2 = readText(q.value(16));
    r.NOTAX = readText(q.value(17));
    r.INDOP = readText(q.value(18));
    return r;
}

// The columns in the order the role is written.
RowValues roleValues(const RoleRecord &r)
{
    return {{"SATUL", r.SATUL},   {"ROL", r.ROL},       {"NUMEP", r.NUMEP},   {"CNP", r.CNP},
            {"STRADA", r.STRADA}, {"ADRESA", r.ADRESA}, {"NRPERS", r.NRPERS}, {"MOST", r.MOST},
            {"TIP", r.TIP},       {"SCCLAD", r.SCCLAD}, {"SCCC", r.SCCC},     {"SCAUTO", r.SCAUTO},
            {"SCTI", r.SCTI},     {"SCTE", r.SCTE},     {"OBS", r.OBS},       {"OBS2", r.OBS2},
            {"NOTAX", r.NOTAX},   {"INDOP", r.INDOP}};
}

QStringList distinct(Database &db, const QString &column)
{
    QStringList out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT DISTINCT \"%1\" FROM Gospodar WHERE \"%1\"<>'' ORDER BY \"%1\" COLLATE RO")
                              .arg(column));
    while (q.next())
        out << q.value(0).toString();
    return out;
}

QString exceptRole(qint64 exceptIDGOS) { return exceptIDGOS ? QStringLiteral(" AND IDGOS<>?") : QString(); }

} // namespace

std::vector<RoleRecord> loadRoles(Database &db)
{
    std::vector<RoleRecord> out;
    out.reserve(size_t(db.count(QStringLiteral("Gospodar"))));
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM Gospodar").arg(QLatin1String(selectColumns)));
    while (q.next())
        out.push_back(readRole(q));
    return out;
}

std::optional<RoleRecord> loadRole(Database &db, qint64 IDGOS)
{
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM Gospodar WHERE IDGOS=?").arg(QLatin1String(selectColumns)), {IDGOS});
    if (!q.next())
        return std::nullopt;
    return readRole(q);
}

QStringList distinctStreets(Database &db) { return distinct(db, QStringLiteral("STRADA")); }
QStringList distinctOperatorTags(Database &db) { return distinct(db, QStringLiteral("INDOP")); }

std::optional<double> highestRoleNumber(Database &db)
{
    const QVariant v = db.scalar(QStringLiteral("SELECT MAX(ROLNUM(ROL)) AS ROLMAX FROM Gospodar"));
    if (v.isNull() || !v.isValid())
        return std::nullopt;
    bool ok = false;
    const double d = v.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

int roleNumberUses(Database &db, const QString &rol, qint64 exceptIDGOS)
{
    QVariantList params{rol};
    if (exceptIDGOS)
        params << exceptIDGOS;
    return db.scalar(QStringLiteral("SELECT COUNT(*) AS TOT FROM Gospodar WHERE ROL=?") + exceptRole(exceptIDGOS), params)
        .toInt();
}

std::optional<RoleName> roleWithCode(Database &db, const QString &cnp, qint64 exceptIDGOS)
{
    QVariantList params{cnp};
    if (exceptIDGOS)
        params << exceptIDGOS;
    QSqlQuery q = db.exec(QStringLiteral("SELECT ROL, NUMEP FROM Gospodar WHERE CNP=?") + exceptRole(exceptIDGOS) +
                              QStringLiteral(" ORDER BY IDGOS"),
                          params);
    if (!q.next())
        return std::nullopt;
    return RoleName{readText(q.value(0)), readText(q.value(1))};
}

void createZeroPageRows(Database &db, qint64 IDGOS)
{
    for (const int page : {1, 3, 5, 6}) {
        const QString table = RolePageFields::page(page)->table;
        if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM \"%1\" WHERE IDGOS=?").arg(table), {IDGOS}).toInt() == 0)
            insertRow(db, table, {{"IDGOS", IDGOS}});
    }
}

qint64 addRole(Database &db, SettingsFile &settings, const RoleRecord &role)
{
    const qint64 id = settings.nextNumber(QStringLiteral("SERVER"), QStringLiteral("IDGOS"));
    RowValues values{{"IDGOS", id}};
    const RowValues rest = roleValues(role);
    values.insert(values.end(), rest.begin(), rest.end());
    Transaction t(db);
    insertRow(db, QStringLiteral("Gospodar"), values);
    createZeroPageRows(db, id);
    t.commit();
    return id;
}

void updateRole(Database &db, const RoleRecord &role)
{
    Transaction t(db);
    updateRows(db, QStringLiteral("Gospodar"), roleValues(role), QStringLiteral("IDGOS=?"), {role.IDGOS});
    const RowValues key{{"SATUL", role.SATUL}, {"ROL", role.ROL}};
    updateRows(db, QStringLiteral("Datorii"), key, QStringLiteral("IDGOS=?"), {role.IDGOS});
    updateRows(db, QStringLiteral("SoldCalc"), key, QStringLiteral("IDGOS=?"), {role.IDGOS});
    t.commit();
}

const std::vector<RoleTable> &roleTables()
{
    // Debit and UndelDebit hold rows of the role as well: left behind they
    // would belong to no role.
    static const std::vector<RoleTable> t{
        {"Gospodar", 10}, {"Pag1", 20},     {"Pag2", 30},        {"Pag4", 30},     {"Pag7", 60},
        {"Pag8", 70},     {"Datorii", 80},  {"SoldCalc", 85},    {"Chitante", 95}, {"UndelDat", 0},
        {"UndelSold", 0}, {"Instiintari", 0}, {"SomDet", 0},     {"Somatii", 0},   {"ScVeterani", 0},
        {"AutoDet", 0},   {"Debit", 0},     {"UndelDebit", 0}};
    return t;
}

void deleteRole(Database &db, qint64 IDGOS, const std::function<void(int)> &progress)
{
    Transaction t(db);
    for (const auto &rt : roleTables()) {
        db.exec(QStringLiteral("DELETE FROM \"%1\" WHERE IDGOS=?").arg(QLatin1String(rt.table)), {IDGOS});
        if (rt.progress && progress)
            progress(rt.progress);
    }
    t.commit();
    if (progress)
        progress(100);
}

} // namespace valdora::roles

#include "admin/store/ZoneStore.h"

#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"

#include <QSqlQuery>

namespace valdora::admin {

std::vector<Zone> loadZones(Database &db)
{
    std::vector<Zone> out;
    QSqlQuery q = db.exec(QStringLiteral("SELECT ID, LOCALIT, ZONA, RANG FROM DefZone ORDER BY LOCALIT COLLATE RO"));
    while (q.next())
        out.push_back({readWhole(q.value(0)), q.value(1).toString(), q.value(2).toString(), q.value(3).toString()});
    return out;
}

QString zoneRefusal(Database &db, const QString &locality, qint64 editedId)
{
    if (locality.trimmed().isEmpty())
        return QStringLiteral("Nu ati specificat localitatea!");
    if (db.scalar(QStringLiteral("SELECT COUNT(*) FROM DefZone WHERE LOCALIT=? AND ID<>?"), {locality, editedId}).toInt() > 0)
        return QStringLiteral("Localitatea specificat exista deja!");
    return {};
}

qint64 addZone(Database &db, SettingsFile &settings, const Zone &z)
{
    const qint64 id = settings.nextNumber(QStringLiteral("SERVER"), QStringLiteral("DEFZONE"));
    insertRow(db, QStringLiteral("DefZone"), {{"ID", id}, {"LOCALIT", z.locality}, {"ZONA", z.zone}, {"RANG", z.rank}});
    return id;
}

void updateZone(Database &db, const Zone &z)
{
    updateRows(db, QStringLiteral("DefZone"), {{"LOCALIT", z.locality}, {"ZONA", z.zone}, {"RANG", z.rank}},
               QStringLiteral("ID=?"), {z.id});
}

void deleteZone(Database &db, qint64 id) { db.exec(QStringLiteral("DELETE FROM DefZone WHERE ID=?"), {id}); }

} // namespace valdora::admin

#include "app/db/Maintenance.h"

#include "app/core/IniFile.h"
#include "app/core/SettingsFile.h"
#include "app/db/Database.h"
#include "app/db/Schema.h"
#include "app/db/Transaction.h"

namespace valdora {

void packDatabase(Database &db) { db.exec(QStringLiteral("VACUUM")); }

void reseedCounters(Database &db, SettingsFile &settings)
{
    std::vector<std::pair<QString, qint64>> next;
    for (const auto &c : schema::reseededCounters()) {
        const QVariant max = db.scalar(QStringLiteral("SELECT MAX(\"%1\") AS XX FROM \"%2\"").arg(c.column, c.table));
        next.emplace_back(QString::fromLatin1(c.column), max.isNull() ? 1 : max.toLongLong() + 1);
    }
    settings.update([&](IniFile &ini) {
        for (const auto &[key, value] : next) {
            const QString storedText = ini.value(QStringLiteral("SERVER"), key).trimmed();
            bool ok = false;
            const qint64 stored = storedText.toLongLong(&ok);
            ini.setValue(QStringLiteral("SERVER"), key, QString::number(ok && stored > value ? stored : value));
        }
    });
}

QStringList localityList(Database &db)
{
    QStringList list{QString::fromLatin1(anyLocality())};
    auto addDistinct = [&](const QString &sql) {
        QSqlQuery q = db.exec(sql);
        while (q.next()) {
            const QString v = q.value(0).toString();
            if (v.trimmed().isEmpty())
                continue;
            bool present = false;
            for (const QString &e : list)
                if (e.compare(v, Qt::CaseInsensitive) == 0) {
                    present = true;
                    break;
                }
            if (!present)
                list << v;
        }
    };
    addDistinct(QStringLiteral("SELECT SATUL FROM Gospodar GROUP BY SATUL ORDER BY SATUL COLLATE RO"));
    addDistinct(QStringLiteral("SELECT LOCALIT FROM DefZone ORDER BY LOCALIT COLLATE RO"));
    return list;
}

OrphanReport removeOrphans(Database &db)
{
    OrphanReport r;
    Transaction t(db);
    const QString orphan = QStringLiteral(" WHERE IDGOS NOT IN (SELECT IDGOS FROM Gospodar)");
    r.debtRows = db.exec(QStringLiteral("DELETE FROM Datorii") + orphan).numRowsAffected();
    r.balanceRows = db.exec(QStringLiteral("DELETE FROM SoldCalc") + orphan).numRowsAffected();
    r.receiptRows = db.scalar(QStringLiteral("SELECT COUNT(*) FROM Chitante") + orphan).toInt();
    t.commit();
    return r;
}

} // namespace valdora

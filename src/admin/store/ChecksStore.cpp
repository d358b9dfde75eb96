#include "admin/store/ChecksStore.h"

#include "app/db/Database.h"

#include <QSqlDriver>
#include <QSqlField>
#include <QSqlQuery>
#include <QSqlTableModel>

namespace valdora::admin {

QSqlTableModel *editableTable(Database &db, const QString &table, QObject *parent)
{
    auto *m = new QSqlTableModel(parent, db.connection());
    m->setTable(table);
    m->setEditStrategy(QSqlTableModel::OnRowChange);
    m->select();
    return m;
}

void filterByRole(QSqlTableModel *model, const QString &rol)
{
    const QString r = rol.trimmed();
    if (r.isEmpty()) {
        model->setFilter({});
    } else {
        // The filter is SQL text: the role number is passed as a quoted literal.
        QSqlField f(QStringLiteral("ROL"), QMetaType::fromType<QString>());
        f.setValue(r);
        model->setFilter(QStringLiteral("ROL=") + model->database().driver()->formatValue(f));
    }
    model->select();
}

namespace {
std::vector<DuplicateRole> duplicates(Database &db, const QString &sql, const QString &value)
{
    std::vector<DuplicateRole> out;
    QSqlQuery q = db.exec(sql, {value});
    while (q.next())
        if (q.value(1).toInt() != 1)
            out.push_back({q.value(0).toString(), q.value(1).toInt()});
    return out;
}
} // namespace

std::vector<DuplicateRole> duplicateDebts(Database &db)
{
    return duplicates(db, QStringLiteral("SELECT ROL, COUNT(*) AS NR FROM Datorii WHERE DENUM=? GROUP BY ROL"),
                      QStringLiteral("Vapoare"));
}

std::vector<DuplicateRole> duplicateBalances(Database &db)
{
    return duplicates(db, QStringLiteral("SELECT ROL, COUNT(*) AS NR FROM SoldCalc WHERE GRUPA=? GROUP BY ROL"),
                      QStringLiteral("Impozit pe cladiri"));
}

} // namespace valdora::admin

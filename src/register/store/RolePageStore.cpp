#include "register/store/RolePageStore.h"

#include "app/core/Error.h"
#include "app/db/Database.h"
#include "app/db/Rows.h"
#include "app/db/Transaction.h"

#include <QSqlQuery>

namespace valdora::roles {

std::optional<std::vector<Currency>> readPageRow(Database &db, const RolePageDef &page, qint64 IDGOS)
{
    QStringList quoted;
    for (const QString &c : page.columns())
        quoted << u'"' + c + u'"';
    QSqlQuery q = db.exec(QStringLiteral("SELECT %1 FROM \"%2\" WHERE IDGOS=? ORDER BY rowid LIMIT 1")
                              .arg(quoted.join(u','), page.table),
                          {IDGOS});
    if (!q.next())
        return std::nullopt;
    std::vector<Currency> values;
    values.reserve(page.fields.size());
    for (int i = 0; i < int(page.fields.size()); ++i)
        values.push_back(readDecimal(q.value(i), 4));
    return values;
}

std::vector<Currency> loadPageRow(Database &db, const RolePageDef &page, qint64 IDGOS)
{
    if (auto v = readPageRow(db, page, IDGOS))
        return *v;
    insertRow(db, page.table, {{"IDGOS", IDGOS}});
    return std::vector<Currency>(page.fields.size());
}

void storePageRow(Database &db, const RolePageDef &page, qint64 IDGOS, const std::vector<Currency> &values)
{
    if (values.size() != page.fields.size())
        throw Error(QStringLiteral("Pagina %1 are %2 valori, nu %3.").arg(page.title).arg(page.fields.size()).arg(values.size()));
    RowValues row;
    row.reserve(values.size());
    for (size_t i = 0; i < values.size(); ++i)
        row.emplace_back(page.fields[i].column, money(values[i]));
    Transaction t(db);
    if (updateRows(db, page.table, row, QStringLiteral("IDGOS=?"), {IDGOS}) == 0) {
        row.insert(row.begin(), {QStringLiteral("IDGOS"), IDGOS});
        insertRow(db, page.table, row);
    }
    t.commit();
}

} // namespace valdora::roles

#pragma once
// "Verificari / Modificari manuale": the debt and balance tables edited by
// hand, and the roles that appear more than once where they should not.

#include <QString>
#include <vector>

class QObject;
class QSqlTableModel;

namespace valdora {
class Database;
}

namespace valdora::admin {

// An editable model of Datorii or SoldCalc; the table's own checks refuse a value that does not fit.
QSqlTableModel *editableTable(Database &db, const QString &table, QObject *parent);
// Keeps only the rows of one role number (empty: all rows).
void filterByRole(QSqlTableModel *model, const QString &rol);

struct DuplicateRole {
    QString rol;
    int count = 0;
};
// Roles with a "Vapoare" item row count other than one ("Dubluri Datorii").
std::vector<DuplicateRole> duplicateDebts(Database &db);
// Roles with a building balance count other than one ("Dubluri Solduri").
std::vector<DuplicateRole> duplicateBalances(Database &db);

} // namespace valdora::admin

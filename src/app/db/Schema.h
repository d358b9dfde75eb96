#pragma once
// The catalogue of every table: columns in their order, with type, width and
// decimals. It drives table creation, the width checks of every write, the
// dBase exchange files and the working tables.

#include <QString>
#include <QStringList>
#include <optional>
#include <vector>

namespace valdora {

enum class ColumnType { Char, Decimal, Date };

struct Column {
    QString name;
    ColumnType type = ColumnType::Char;
    int width = 0;    // characters, or digits in all
    int decimals = 0; // for Decimal

    QString declaredType() const; // "CHAR(40)", "DECIMAL(6,0)", "DATE"
};

struct TableDef {
    QString name; // the table's name; its exchange file is name + ".dbf"
    std::vector<Column> columns;

    const Column *column(const QString &name) const; // without regard to case
    QStringList columnNames() const;
};

namespace schema {

// Every table of the database folder, Log included.
const std::vector<TableDef> &tables();
const TableDef *table(const QString &name); // without regard to case
const TableDef &require(const QString &name);

// The order in which missing tables are created at start (Ini and CODCL first).
const QStringList &creationOrder();

// The twelve groups of a new CODCL table, with their TIP.
struct DefaultGroup { const char *name; const char *tip; };
const std::vector<DefaultGroup> &defaultGroups();

// The columns and the counter key (= column) re-seeded at every start.
struct CounterColumn { const char *table; const char *column; };
const std::vector<CounterColumn> &reseededCounters();

// The tables a server folder must hold to be used (tested in this order).
const QStringList &serverTables();

// CREATE TABLE statement with the width checks as constraints.
QString createStatement(const TableDef &t, const QString &tableName = {});
QString columnDefinition(const Column &c);

} // namespace schema
} // namespace valdora

#include "app/db/Rows.h"

#include "app/core/Dates.h"

namespace valdora {
namespace {

QString stripTrailing(const QString &s)
{
    qsizetype n = s.size();
    while (n > 0 && s[n - 1].isSpace())
        --n;
    return s.left(n);
}

[[noreturn]] void refuseNumber(const QString &table, const Column &c, const QString &shown)
{
    throw Error(QStringLiteral("Valoarea %1 nu incape in campul %2 al tabelei %3 (%4).")
                    .arg(shown, c.name, table, c.declaredType()));
}

Currency decimalOf(const QString &table, const Column &c, const QVariant &value)
{
    if (value.metaType() == QMetaType::fromType<Currency>())
        return value.value<Currency>();
    switch (value.metaType().id()) {
    case QMetaType::Int:
    case QMetaType::LongLong:
    case QMetaType::UInt:
    case QMetaType::ULongLong:
    case QMetaType::Long:
    case QMetaType::Short:
        return Currency::fromLei(value.toLongLong());
    case QMetaType::Bool:
        return Currency::fromLei(value.toBool() ? 1 : 0);
    case QMetaType::Double: {
        // Values read back from the database; text form rounds to four decimals.
        const auto p = Currency::parse(QString::number(value.toDouble(), 'f', 4));
        if (!p)
            refuseNumber(table, c, value.toString());
        return *p;
    }
    default: {
        const QString t = value.toString().trimmed();
        if (t.isEmpty())
            return {};
        const auto p = Currency::parse(t);
        if (!p)
            throw Error(QStringLiteral("Valoarea \"%1\" nu este un numar (campul %2 al tabelei %3).").arg(t, c.name, table));
        return *p;
    }
    }
}

} // namespace

QVariant storedValue(const QString &table, const Column &c, const QVariant &value)
{
    switch (c.type) {
    case ColumnType::Char: {
        // A null QString would be bound as NULL; blank text is ''.
        QString s = value.isNull() ? QStringLiteral("") : stripTrailing(value.toString());
        if (s.isNull())
            s = QStringLiteral("");
        if (s.size() > c.width)
            throw Error(QStringLiteral("Textul \"%1\" este prea lung pentru campul %2 al tabelei %3 (maxim %4 caractere).")
                            .arg(s.left(60), c.name, table)
                            .arg(c.width));
        return s;
    }
    case ColumnType::Decimal: {
        if (value.isNull())
            return qint64(0);
        const Currency v = decimalOf(table, c, value).roundTo(c.decimals, Rounding::HalfAwayFromZero);
        const Currency limit = Currency::fromScaled(1, -(c.width - c.decimals));
        if (v >= limit || v <= -limit)
            refuseNumber(table, c, v.toString(c.decimals));
        if (c.decimals == 0)
            return qint64(v.wholeLei());
        return v.raw() % Currency::Scale == 0 ? QVariant(qint64(v.raw() / Currency::Scale))
                                               : QVariant(double(v.raw()) / Currency::Scale);
    }
    case ColumnType::Date: {
        if (value.isNull())
            return QVariant(QMetaType::fromType<QString>());
        QDate d;
        if (value.metaType().id() == QMetaType::QDate)
            d = value.toDate();
        else if (value.metaType().id() == QMetaType::QDateTime)
            d = value.toDateTime().date();
        else {
            const QString t = value.toString().trimmed();
            if (t.isEmpty())
                return QVariant(QMetaType::fromType<QString>());
            if (auto p = parseDate(t))
                d = *p;
            else
                d = QDate::fromString(t, Qt::ISODate);
        }
        if (!d.isValid())
            throw Error(QStringLiteral("Data \"%1\" nu este corecta (campul %2 al tabelei %3).").arg(value.toString(), c.name, table));
        return d.toString(Qt::ISODate);
    }
    }
    return {};
}

namespace {
std::pair<QStringList, QVariantList> checked(const QString &table, const RowValues &values)
{
    const TableDef &t = schema::require(table);
    QStringList names;
    QVariantList stored;
    for (const auto &[name, value] : values) {
        const Column *c = t.column(name);
        if (!c)
            throw Error(QStringLiteral("Campul %1 nu exista in tabela %2.").arg(name, table));
        names << u'"' + c->name + u'"';
        stored << storedValue(t.name, *c, value);
    }
    return {names, stored};
}
} // namespace

void insertRow(Database &db, const QString &table, const RowValues &values)
{
    auto [names, stored] = checked(table, values);
    QStringList marks;
    for (int i = 0; i < names.size(); ++i)
        marks << QStringLiteral("?");
    const QString sql = names.isEmpty()
                            ? QStringLiteral("INSERT INTO \"%1\" DEFAULT VALUES").arg(schema::require(table).name)
                            : QStringLiteral("INSERT INTO \"%1\" (%2) VALUES (%3)")
                                  .arg(schema::require(table).name, names.join(u','), marks.join(u','));
    db.exec(sql, stored);
}

int updateRows(Database &db, const QString &table, const RowValues &values, const QString &where,
               const QVariantList &whereParams)
{
    auto [names, stored] = checked(table, values);
    if (names.isEmpty())
        return 0;
    QStringList sets;
    for (const QString &n : names)
        sets << n + QStringLiteral("=?");
    QString sql = QStringLiteral("UPDATE \"%1\" SET %2").arg(schema::require(table).name, sets.join(u','));
    if (!where.trimmed().isEmpty())
        sql += QStringLiteral(" WHERE ") + where;
    QSqlQuery q = db.exec(sql, stored + whereParams);
    return q.numRowsAffected();
}

Currency readDecimal(const QVariant &v, int decimals)
{
    if (v.isNull())
        return {};
    if (v.metaType().id() == QMetaType::LongLong || v.metaType().id() == QMetaType::Int)
        return Currency::fromLei(v.toLongLong());
    const auto p = Currency::parse(QString::number(v.toDouble(), 'f', decimals));
    return p ? *p : Currency();
}

qint64 readWhole(const QVariant &v)
{
    if (v.isNull())
        return 0;
    if (v.metaType().id() == QMetaType::LongLong || v.metaType().id() == QMetaType::Int)
        return v.toLongLong();
    return readDecimal(v, 4).roundLei().wholeLei();
}

QDate readDate(const QVariant &v)
{
    if (v.isNull())
        return {};
    return QDate::fromString(v.toString(), Qt::ISODate);
}

QString readText(const QVariant &v) { return v.isNull() ? QString() : v.toString(); }

} // namespace valdora

#include "reports/xlsx/TemplateCells.h"

#include "app/core/Currency.h"
#include "app/core/Dates.h"
#include "reports/xlsx/FormulaEval.h"

#include <QDate>
#include <QDateTime>
#include <QHash>
#include <QRegularExpression>
#include <cmath>

namespace valdora::xlsx {

std::optional<QString> numberOf(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return std::nullopt;
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<Currency>())
        return value.value<Currency>().toShortString();
    switch (type.id()) {
    case QMetaType::QDate: {
        const QDate d = value.toDate();
        return d.isValid() ? std::optional<QString>(QString::number(dayNumber(d))) : std::nullopt;
    }
    case QMetaType::QDateTime: {
        const QDate d = value.toDateTime().date();
        return d.isValid() ? std::optional<QString>(QString::number(dayNumber(d))) : std::nullopt;
    }
    case QMetaType::Bool:
        return value.toBool() ? QStringLiteral("1") : QStringLiteral("0");
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::ULong:
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
    case QMetaType::Short:
    case QMetaType::UShort:
        return value.toString();
    case QMetaType::Double:
    case QMetaType::Float: {
        const double d = value.toDouble();
        return std::isfinite(d) ? std::optional<QString>(numberText(d)) : std::nullopt;
    }
    case QMetaType::QString: {
        static const QRegularExpression form(QStringLiteral("^[+-]?([0-9]+(\\.[0-9]*)?|\\.[0-9]+)([eE][+-]?[0-9]+)?$"));
        const QString s = value.toString().trimmed();
        if (!form.match(s).hasMatch())
            return std::nullopt;
        const double d = s.toDouble();
        return std::isfinite(d) ? std::optional<QString>(numberText(d)) : std::nullopt;
    }
    default:
        return std::nullopt;
    }
}

QString textOf(const QVariant &value)
{
    if (!value.isValid() || value.isNull())
        return {};
    const QMetaType type = value.metaType();
    if (type == QMetaType::fromType<Currency>())
        return value.value<Currency>().toShortString();
    switch (type.id()) {
    case QMetaType::QDate:
        return formatDate(value.toDate());
    case QMetaType::QDateTime:
        return formatDate(value.toDateTime().date());
    case QMetaType::Double:
    case QMetaType::Float:
        return numberText(value.toDouble());
    default:
        return value.toString();
    }
}

void writeField(Worksheet &sheet, int row, int column, FieldType type, const QVariant &value, const QString &zeroText)
{
    if (type == FieldType::String) {
        sheet.setText(row, column, textOf(value));
        return;
    }
    const std::optional<QString> n = numberOf(value);
    if (!n || n->toDouble() == 0) {
        sheet.setText(row, column, zeroText);
        return;
    }
    sheet.setNumberText(row, column, *n);
}

void writeValue(Worksheet &sheet, int row, int column, const QVariant &value)
{
    if (value.metaType().id() == QMetaType::Bool) {
        sheet.setBoolean(row, column, value.toBool());
        return;
    }
    if (value.metaType().id() != QMetaType::QString) {
        if (const std::optional<QString> n = numberOf(value)) {
            sheet.setNumberText(row, column, *n);
            return;
        }
    }
    sheet.setText(row, column, textOf(value));
}

std::optional<CellAddress> findDataRowMarker(const Worksheet &sheet)
{
    std::optional<CellAddress> found;
    sheet.forEachCell([&](int row, int column, const Cell &c) {
        if (!found && c.type == Cell::Type::String && !c.hasFormula()
            && c.value.trimmed().compare(u"#DBF", Qt::CaseInsensitive) == 0)
            found = CellAddress{row, column};
    });
    return found;
}

QHash<QString, int> fieldCells(const RowSource &rows)
{
    QHash<QString, int> cells;
    const QList<Field> fields = rows.fields();
    for (qsizetype i = 0; i < fields.size(); ++i) {
        const QString key = u'#' + fields[i].name.trimmed().toUpper();
        if (!cells.contains(key))
            cells.insert(key, static_cast<int>(i));
    }
    return cells;
}

} // namespace valdora::xlsx

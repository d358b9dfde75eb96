#include "reports/xlsx/CellRef.h"

namespace valdora::xlsx {

QString columnName(int column)
{
    if (column < 1 || column > MaxColumns)
        return {};
    QString name;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        name.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return name;
}

int columnNumber(QStringView letters)
{
    if (letters.isEmpty() || letters.size() > 3)
        return 0;
    int n = 0;
    for (QChar ch : letters) {
        const char16_t c = ch.toUpper().unicode();
        if (c < u'A' || c > u'Z')
            return 0;
        n = n * 26 + (c - u'A' + 1);
    }
    return n <= MaxColumns ? n : 0;
}

QString cellName(int row, int column) { return columnName(column) + QString::number(row); }

std::optional<CellAddress> CellAddress::parse(QStringView name)
{
    qsizetype i = 0;
    if (i < name.size() && name[i] == u'$')
        ++i;
    const qsizetype letters = i;
    while (i < name.size() && name[i].isLetter() && name[i].unicode() < 128)
        ++i;
    const int column = columnNumber(name.mid(letters, i - letters));
    if (column == 0)
        return std::nullopt;
    if (i < name.size() && name[i] == u'$')
        ++i;
    const qsizetype digits = i;
    while (i < name.size() && name[i].isDigit() && name[i].unicode() < 128)
        ++i;
    if (i != name.size() || i == digits || i - digits > 7)
        return std::nullopt;
    bool ok = false;
    const int row = name.mid(digits).toInt(&ok);
    if (!ok || row < 1 || row > MaxRows)
        return std::nullopt;
    return CellAddress{row, column};
}

std::optional<CellRange> CellRange::parse(QStringView text)
{
    const qsizetype colon = text.indexOf(u':');
    const auto first = CellAddress::parse(colon < 0 ? text : text.left(colon));
    const auto last = colon < 0 ? first : CellAddress::parse(text.mid(colon + 1));
    if (!first || !last)
        return std::nullopt;
    return CellRange{std::min(first->row, last->row), std::min(first->column, last->column),
                     std::max(first->row, last->row), std::max(first->column, last->column)};
}

QString CellRange::toString() const
{
    const QString first = cellName(firstRow, firstColumn);
    return isSingleCell() ? first : first + u':' + cellName(lastRow, lastColumn);
}

} // namespace valdora::xlsx

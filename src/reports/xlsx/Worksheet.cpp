#include "reports/xlsx/Workbook.h"

#include "app/core/Error.h"
#include "reports/xlsx/WorkbookData.h"

#include <QRegularExpression>
#include <QXmlStreamReader>
#include <cmath>
#include <stdexcept>

namespace valdora::xlsx {

using namespace detail;

namespace {

// The children of a worksheet in the order the format wants them.
const QStringList &sheetOrder()
{
    static const QStringList order{
        QStringLiteral("sheetPr"),
        QStringLiteral("dimension"), QStringLiteral("sheetViews"), QStringLiteral("sheetFormatPr"),
        QStringLiteral("cols"), QStringLiteral("sheetData"), QStringLiteral("sheetCalcPr"),
        QStringLiteral("sheetProtection"), QStringLiteral("protectedRanges"), QStringLiteral("scenarios"),
        QStringLiteral("autoFilter"), QStringLiteral("sortState"), QStringLiteral("dataConsolidate"),
        QStringLiteral("customSheetViews"), QStringLiteral("mergeCells"), QStringLiteral("phoneticPr"),
        QStringLiteral("conditionalFormatting"), QStringLiteral("dataValidations"), QStringLiteral("hyperlinks"),
        QStringLiteral("printOptions"), QStringLiteral("pageMargins"), QStringLiteral("pageSetup"),
        QStringLiteral("headerFooter"), QStringLiteral("rowBreaks"), QStringLiteral("colBreaks"),
        QStringLiteral("customProperties"), QStringLiteral("cellWatches"), QStringLiteral("ignoredErrors"),
        QStringLiteral("smartTags"), QStringLiteral("drawing"), QStringLiteral("legacyDrawing"),
        QStringLiteral("legacyDrawingHF"), QStringLiteral("drawingHF"), QStringLiteral("picture"),
        QStringLiteral("oleObjects"), QStringLiteral("controls"), QStringLiteral("webPublishItems"),
        QStringLiteral("tableParts"), QStringLiteral("extLst")};
    return order;
}

const QStringList &modelledElements()
{
    static const QStringList names{QStringLiteral("dimension"),   QStringLiteral("cols"),
                                   QStringLiteral("sheetData"),   QStringLiteral("mergeCells"),
                                   QStringLiteral("pageMargins"), QStringLiteral("pageSetup"),
                                   QStringLiteral("rowBreaks")};
    return names;
}

void checkCell(int row, int column)
{
    if (row < 1 || row > MaxRows || column < 1 || column > MaxColumns)
        throw std::out_of_range("cell outside the sheet");
}

void checkRow(int row)
{
    if (row < 1 || row > MaxRows)
        throw std::out_of_range("row outside the sheet");
}

QString decimal(double v) { return numberText(v); }

} // namespace

// ---- reading cells

const Cell *Worksheet::cell(int row, int column) const
{
    const auto r = rows_.find(row);
    if (r == rows_.end())
        return nullptr;
    const auto c = r->second.cells.find(column);
    return c == r->second.cells.end() ? nullptr : &c->second;
}

Cell::Type Worksheet::type(int row, int column) const
{
    const Cell *c = cell(row, column);
    return c ? c->type : Cell::Type::Empty;
}

QString Worksheet::text(int row, int column) const
{
    const Cell *c = cell(row, column);
    return c && c->type == Cell::Type::String ? c->value : QString();
}

std::optional<double> Worksheet::number(int row, int column) const
{
    const Cell *c = cell(row, column);
    if (!c || c->type != Cell::Type::Number)
        return std::nullopt;
    bool ok = false;
    const double d = c->value.toDouble(&ok);
    return ok ? std::optional<double>(d) : std::nullopt;
}

QString Worksheet::formula(int row, int column) const
{
    const Cell *c = cell(row, column);
    return c ? c->formula : QString();
}

int Worksheet::style(int row, int column) const
{
    const Cell *c = cell(row, column);
    return c ? c->style : 0;
}

int Worksheet::lastRow() const
{
    for (auto it = rows_.rbegin(); it != rows_.rend(); ++it) {
        if (!it->second.cells.empty())
            return it->first;
    }
    return 0;
}

int Worksheet::lastColumn() const
{
    int last = 0;
    for (const auto &[r, row] : rows_) {
        if (!row.cells.empty())
            last = std::max(last, row.cells.rbegin()->first);
    }
    return last;
}

void Worksheet::forEachCell(const std::function<void(int, int, const Cell &)> &f) const
{
    for (const auto &[r, row] : rows_) {
        for (const auto &[column, c] : row.cells)
            f(r, column, c);
    }
}

// ---- writing cells

Cell &Worksheet::cellAt(int row, int column)
{
    checkCell(row, column);
    return rows_[row].cells[column];
}

void Worksheet::setText(int row, int column, const QString &text)
{
    if (text.isEmpty()) {
        clearValue(row, column);
        return;
    }
    Cell &c = cellAt(row, column);
    c.formula.clear();
    c.formulaAttributes.clear();
    c.type = Cell::Type::String;
    c.value = text;
    c.sharedString = -1;
}

void Worksheet::setNumber(int row, int column, double value)
{
    if (!std::isfinite(value))
        throw std::invalid_argument("a cell cannot hold an infinite number");
    Cell &c = cellAt(row, column);
    c.formula.clear();
    c.formulaAttributes.clear();
    c.type = Cell::Type::Number;
    c.value = decimal(value);
    c.sharedString = -1;
}

void Worksheet::setNumberText(int row, int column, const QString &decimal)
{
    static const QRegularExpression form(QStringLiteral("^-?[0-9]+(\\.[0-9]+)?([eE][+-]?[0-9]+)?$"));
    if (!form.match(decimal).hasMatch())
        throw std::invalid_argument("not a decimal number");
    Cell &c = cellAt(row, column);
    c.formula.clear();
    c.formulaAttributes.clear();
    c.type = Cell::Type::Number;
    c.value = decimal;
    c.sharedString = -1;
}

void Worksheet::setBoolean(int row, int column, bool value)
{
    Cell &c = cellAt(row, column);
    c.formula.clear();
    c.formulaAttributes.clear();
    c.type = Cell::Type::Boolean;
    c.value = value ? QStringLiteral("1") : QStringLiteral("0");
    c.sharedString = -1;
}

void Worksheet::setFormula(int row, int column, const QString &formula)
{
    QString f = formula.trimmed();
    if (f.startsWith(u'='))
        f.remove(0, 1);
    if (f.isEmpty()) {
        clearValue(row, column);
        return;
    }
    Cell &c = cellAt(row, column);
    c.formula = f;
    c.formulaAttributes.clear();
    c.type = Cell::Type::Empty;
    c.value.clear();
    c.sharedString = -1;
}

void Worksheet::clearValue(int row, int column)
{
    auto r = rows_.find(row);
    if (r == rows_.end())
        return;
    auto c = r->second.cells.find(column);
    if (c == r->second.cells.end())
        return;
    c->second.type = Cell::Type::Empty;
    c->second.value.clear();
    c->second.formula.clear();
    c->second.formulaAttributes.clear();
    c->second.sharedString = -1;
}

void Worksheet::setStyle(int row, int column, int style) { cellAt(row, column).style = style; }

void Worksheet::removeCell(int row, int column)
{
    auto r = rows_.find(row);
    if (r != rows_.end())
        r->second.cells.erase(column);
}

// ---- rows

void Worksheet::shifted(const Shift &shift)
{
    QList<CellRange> merges;
    for (const CellRange &m : std::as_const(merges_)) {
        if (auto moved = shiftRange(m, shift); moved && !moved->isSingleCell())
            merges.push_back(*moved);
    }
    merges_ = merges;
    if (shift.axis == Axis::Rows) {
        std::set<int> breaks;
        for (int b : breaks_) {
            if (shift.count > 0) {
                breaks.insert(b >= shift.at ? b + shift.count : b);
            } else {
                const int k = -shift.count;
                if (b < shift.at)
                    breaks.insert(b);
                else if (b >= shift.at + k)
                    breaks.insert(b - k);
            }
        }
        breaks_ = breaks;
        breaks_.erase(1);
    }
    book_->shifted(this, shift);
}

void Worksheet::insertRows(int row, int count)
{
    checkRow(row);
    if (count <= 0)
        return;
    std::map<int, Row> moved;
    for (auto it = rows_.lower_bound(row); it != rows_.end();) {
        if (it->first + count <= MaxRows)
            moved.emplace(it->first + count, std::move(it->second));
        it = rows_.erase(it);
    }
    rows_.merge(moved);
    shifted({Axis::Rows, row, count});
}

void Worksheet::insertRowCopies(int row, int count)
{
    checkRow(row);
    if (count <= 0)
        return;
    insertRows(row, count);
    const int source = row + count;
    const auto src = rows_.find(source);
    QList<CellRange> rowMerges;
    for (const CellRange &m : std::as_const(merges_)) {
        if (m.firstRow == source && m.lastRow == source)
            rowMerges.push_back(m);
    }
    for (int i = 0; i < count; ++i) {
        const int target = row + i;
        if (src != rows_.end()) {
            Row copy = src->second;
            for (auto &[column, c] : copy.cells) {
                if (c.hasFormula())
                    c.formula = translateFormula(c.formula, target - source, 0);
            }
            rows_[target] = std::move(copy);
        }
        for (CellRange m : rowMerges) {
            m.firstRow = m.lastRow = target;
            merges_.push_back(m);
        }
    }
}

void Worksheet::copyRows(int first, int last, int destination, int lastColumn)
{
    checkRow(first);
    checkRow(last);
    checkRow(destination);
    if (last < first)
        return;
    const int height = last - first + 1;
    checkRow(destination + height - 1);
    const int maxColumn = lastColumn > 0 ? lastColumn : MaxColumns;
    // Take the block first: it may overlap where it goes.
    std::map<int, Row> block;
    for (auto it = rows_.lower_bound(first); it != rows_.end() && it->first <= last; ++it)
        block.emplace(it->first - first, it->second);
    QList<CellRange> blockMerges;
    for (const CellRange &m : std::as_const(merges_)) {
        if (m.firstRow >= first && m.lastRow <= last && m.lastColumn <= maxColumn)
            blockMerges.push_back(m);
    }
    const CellRange target{destination, 1, destination + height - 1, maxColumn};
    merges_.removeIf([&](const CellRange &m) {
        return m.firstRow <= target.lastRow && m.lastRow >= target.firstRow && m.firstColumn <= target.lastColumn;
    });
    const int offset = destination - first;
    for (int i = 0; i < height; ++i) {
        Row &to = rows_[destination + i];
        for (auto it = to.cells.begin(); it != to.cells.end();)
            it = it->first <= maxColumn ? to.cells.erase(it) : std::next(it);
        const auto from = block.find(i);
        to.attributes = from != block.end() ? from->second.attributes : Attributes{};
        if (from == block.end())
            continue;
        for (const auto &[column, c] : from->second.cells) {
            if (column > maxColumn)
                break;
            Cell copy = c;
            if (copy.hasFormula())
                copy.formula = translateFormula(copy.formula, offset, 0);
            to.cells[column] = std::move(copy);
        }
    }
    for (CellRange m : blockMerges) {
        m.firstRow += offset;
        m.lastRow += offset;
        merges_.push_back(m);
    }
}

void Worksheet::deleteRows(int first, int last)
{
    checkRow(first);
    checkRow(last);
    if (last < first)
        return;
    const int k = last - first + 1;
    std::map<int, Row> moved;
    for (auto it = rows_.lower_bound(first); it != rows_.end();) {
        if (it->first > last)
            moved.emplace(it->first - k, std::move(it->second));
        it = rows_.erase(it);
    }
    rows_.merge(moved);
    shifted({Axis::Rows, first, -k});
}

std::optional<double> Worksheet::rowHeight(int row) const
{
    const auto r = rows_.find(row);
    if (r == rows_.end())
        return std::nullopt;
    const QString ht = attribute(r->second.attributes, u"ht");
    bool ok = false;
    const double h = ht.toDouble(&ok);
    return ok ? std::optional<double>(h) : std::nullopt;
}

void Worksheet::setRowHeight(int row, double points)
{
    checkRow(row);
    Row &r = rows_[row];
    setAttribute(r.attributes, QStringLiteral("ht"), decimal(points));
    setAttribute(r.attributes, QStringLiteral("customHeight"), QStringLiteral("1"));
}

// ---- columns

std::optional<double> Worksheet::columnWidth(int column) const
{
    for (const ColumnSpan &s : columns_) {
        if (column >= s.min && column <= s.max) {
            bool ok = false;
            const double w = attribute(s.attributes, u"width").toDouble(&ok);
            return ok ? std::optional<double>(w) : std::nullopt;
        }
    }
    return std::nullopt;
}

void Worksheet::setColumnWidth(int column, double width)
{
    checkCell(1, column);
    for (qsizetype i = 0; i < columns_.size(); ++i) {
        ColumnSpan s = columns_[i];
        if (column < s.min || column > s.max)
            continue;
        // Split the span so that only this column changes.
        QList<ColumnSpan> parts;
        if (s.min < column)
            parts.push_back({s.min, column - 1, s.attributes});
        ColumnSpan own{column, column, s.attributes};
        setAttribute(own.attributes, QStringLiteral("width"), decimal(width));
        setAttribute(own.attributes, QStringLiteral("customWidth"), QStringLiteral("1"));
        parts.push_back(own);
        if (s.max > column)
            parts.push_back({column + 1, s.max, s.attributes});
        columns_.remove(i);
        for (qsizetype k = 0; k < parts.size(); ++k)
            columns_.insert(i + k, parts[k]);
        return;
    }
    ColumnSpan s{column, column, {}};
    setAttribute(s.attributes, QStringLiteral("width"), decimal(width));
    setAttribute(s.attributes, QStringLiteral("customWidth"), QStringLiteral("1"));
    qsizetype at = 0;
    while (at < columns_.size() && columns_[at].min < column)
        ++at;
    columns_.insert(at, s);
}

// ---- merges, breaks, page

void Worksheet::mergeCells(const CellRange &range)
{
    checkCell(range.firstRow, range.firstColumn);
    checkCell(range.lastRow, range.lastColumn);
    merges_.removeIf([&](const CellRange &m) {
        return m.firstRow <= range.lastRow && m.lastRow >= range.firstRow && m.firstColumn <= range.lastColumn
            && m.lastColumn >= range.firstColumn;
    });
    if (!range.isSingleCell())
        merges_.push_back(range);
}

void Worksheet::unmergeCells(const CellRange &range) { merges_.removeAll(range); }

void Worksheet::addRowBreak(int row)
{
    checkRow(row);
    if (row > 1)
        breaks_.insert(row);
}

void Worksheet::removeRowBreak(int row) { breaks_.erase(row); }

QString Worksheet::pageSetup(const QString &name) const
{
    return pageSetup_ ? attribute(*pageSetup_, name) : QString();
}

void Worksheet::setPageSetup(const QString &name, const QString &value)
{
    if (!pageSetup_)
        pageSetup_ = Attributes{};
    if (value.isEmpty())
        removeAttribute(*pageSetup_, name);
    else
        setAttribute(*pageSetup_, name, value);
}

PageMargins Worksheet::pageMargins() const
{
    PageMargins m;
    if (!pageMargins_)
        return m;
    auto read = [&](QStringView name, double &v) {
        bool ok = false;
        const double d = attribute(*pageMargins_, name).toDouble(&ok);
        if (ok)
            v = d;
    };
    read(u"left", m.left);
    read(u"right", m.right);
    read(u"top", m.top);
    read(u"bottom", m.bottom);
    read(u"header", m.header);
    read(u"footer", m.footer);
    return m;
}

void Worksheet::setPageMargins(const PageMargins &m)
{
    pageMargins_ = Attributes{{QStringLiteral("left"), decimal(m.left)},     {QStringLiteral("right"), decimal(m.right)},
                              {QStringLiteral("top"), decimal(m.top)},       {QStringLiteral("bottom"), decimal(m.bottom)},
                              {QStringLiteral("header"), decimal(m.header)}, {QStringLiteral("footer"), decimal(m.footer)}};
}

// ---- XML

void Worksheet::read(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    while (!r.atEnd() && !r.isStartElement())
        r.readNext();
    if (!r.isStartElement())
        throw Error(QStringLiteral("Foaia %1 a registrului de calcul este goala!").arg(name_));
    rootName_ = r.qualifiedName().toString();
    prefix_ = prefixOf(rootName_);
    rootAttributes_ = readAttributes(r);

    auto readCell = [&](int row, int &column) {
        Attributes attrs = readAttributes(r);
        const QString ref = attribute(attrs, u"r");
        if (auto a = CellAddress::parse(ref))
            column = a->column;
        else
            ++column;
        Cell c;
        c.style = attribute(attrs, u"s").toInt();
        const QString t = attribute(attrs, u"t");
        for (const QString &known : {QStringLiteral("r"), QStringLiteral("s"), QStringLiteral("t")})
            removeAttribute(attrs, known);
        c.attributes = attrs;
        QString value;
        bool hasValue = false;
        QString inlineXml;
        QString sharedSi;
        bool sharedMaster = false;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement())
                break;
            if (!r.isStartElement())
                continue;
            const QString n = localName(r.qualifiedName());
            if (n == u"f") {
                Attributes fa = readAttributes(r);
                const bool shared = attribute(fa, u"t") == u"shared";
                if (shared) {
                    sharedSi = attribute(fa, u"si");
                    sharedMaster = !attribute(fa, u"ref").isEmpty();
                    for (const QString &known : {QStringLiteral("t"), QStringLiteral("ref"), QStringLiteral("si")})
                        removeAttribute(fa, known);
                }
                c.formulaAttributes = fa;
                c.formula = elementText(r);
            } else if (n == u"v") {
                value = elementText(r);
                hasValue = true;
            } else if (n == u"is") {
                inlineXml = captureElement(r);
            } else {
                skipElement(r);
            }
        }
        if (t == u"s") {
            const int index = value.trimmed().toInt();
            c.type = Cell::Type::String;
            if (index >= 0 && index < book_->sharedStrings.size()) {
                c.value = book_->sharedStrings[index].text;
                c.sharedString = index;
            }
        } else if (t == u"inlineStr") {
            c.type = Cell::Type::String;
            bool rich = false;
            c.value = richText(inlineXml, &rich);
            if (rich && prefix_.isEmpty()) {
                // Kept as a shared string with the same runs.
                const qsizetype open = inlineXml.indexOf(u'>');
                const qsizetype close = inlineXml.lastIndexOf(u"</");
                if (open > 0 && close > open)
                    c.sharedString = book_->addSharedItem(
                        QStringLiteral("<si>") + inlineXml.mid(open + 1, close - open - 1) + QStringLiteral("</si>"),
                        c.value);
            }
        } else if (t == u"str") {
            c.type = Cell::Type::String;
            c.value = decodeCellText(value);
        } else if (t == u"b") {
            c.type = Cell::Type::Boolean;
            c.value = value.trimmed() == u"1" || value.trimmed().compare(u"true", Qt::CaseInsensitive) == 0
                ? QStringLiteral("1")
                : QStringLiteral("0");
        } else if (t == u"e") {
            c.type = Cell::Type::Error;
            c.value = value;
        } else if (t == u"d") {
            c.type = hasValue ? Cell::Type::Date : Cell::Type::Empty;
            c.value = value;
        } else if (hasValue && !value.trimmed().isEmpty()) {
            c.type = Cell::Type::Number;
            c.value = value.trimmed();
        }
        if (c.type == Cell::Type::String && c.value.isEmpty() && !c.hasFormula() && sharedSi.isEmpty())
            c.type = Cell::Type::Empty;
        if (!sharedSi.isEmpty()) {
            if (sharedMaster)
                sharedMasters_[sharedSi] = {row, column, c.formula};
            else
                sharedDependents_.push_back({CellAddress{row, column}, sharedSi});
        }
        if (column >= 1 && column <= MaxColumns)
            rows_[row].cells[column] = std::move(c);
    };

    auto readSheetData = [&] {
        int row = 0;
        while (!r.atEnd()) {
            r.readNext();
            if (r.isEndElement())
                break;
            if (!r.isStartElement())
                continue;
            if (localName(r.qualifiedName()) != u"row") {
                skipElement(r);
                continue;
            }
            Attributes attrs = readAttributes(r);
            bool ok = false;
            const int given = attribute(attrs, u"r").toInt(&ok);
            row = ok && given >= 1 ? given : row + 1;
            removeAttribute(attrs, u"r");
            removeAttribute(attrs, u"spans");
            if (row > MaxRows) {
                skipElement(r);
                continue;
            }
            Row &target = rows_[row];
            target.attributes = attrs;
            int column = 0;
            while (!r.atEnd()) {
                r.readNext();
                if (r.isEndElement())
                    break;
                if (!r.isStartElement())
                    continue;
                if (localName(r.qualifiedName()) == u"c")
                    readCell(row, column);
                else
                    skipElement(r);
            }
        }
    };

    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement())
            break;
        if (!r.isStartElement())
            continue;
        const QString n = localName(r.qualifiedName());
        if (n == u"sheetData") {
            readSheetData();
        } else if (n == u"cols") {
            while (!r.atEnd()) {
                r.readNext();
                if (r.isEndElement())
                    break;
                if (!r.isStartElement())
                    continue;
                Attributes attrs = readAttributes(r);
                ColumnSpan s;
                s.min = attribute(attrs, u"min").toInt();
                s.max = attribute(attrs, u"max").toInt();
                removeAttribute(attrs, u"min");
                removeAttribute(attrs, u"max");
                s.attributes = attrs;
                if (s.min >= 1 && s.max >= s.min)
                    columns_.push_back(s);
                skipElement(r);
            }
        } else if (n == u"mergeCells") {
            while (!r.atEnd()) {
                r.readNext();
                if (r.isEndElement())
                    break;
                if (!r.isStartElement())
                    continue;
                if (auto range = CellRange::parse(attribute(readAttributes(r), u"ref")); range && !range->isSingleCell())
                    merges_.push_back(*range);
                skipElement(r);
            }
        } else if (n == u"rowBreaks") {
            while (!r.atEnd()) {
                r.readNext();
                if (r.isEndElement())
                    break;
                if (!r.isStartElement())
                    continue;
                bool ok = false;
                const int id = attribute(readAttributes(r), u"id").toInt(&ok);
                if (ok && id >= 1)
                    breaks_.insert(id + 1);
                skipElement(r);
            }
        } else if (n == u"dimension") {
            skipElement(r);
        } else if (n == u"pageSetup") {
            pageSetup_ = readAttributes(r);
            skipElement(r);
        } else if (n == u"pageMargins") {
            pageMargins_ = readAttributes(r);
            skipElement(r);
        } else {
            segments_.push_back({n, captureElement(r)});
            continue;
        }
        segments_.push_back({n, {}});
    }
    if (r.hasError())
        throw Error(QStringLiteral("Foaia %1 a registrului de calcul este deteriorata: %2").arg(name_, r.errorString()));
    expandSharedFormulas();
}

void Worksheet::expandSharedFormulas()
{
    for (const auto &[at, si] : std::as_const(sharedDependents_)) {
        const auto m = sharedMasters_.find(si);
        if (m == sharedMasters_.end())
            continue;
        Cell &c = rows_[at.row].cells[at.column];
        c.formula = translateFormula(m->second.formula, at.row - m->second.row, at.column - m->second.column);
    }
    sharedMasters_.clear();
    sharedDependents_.clear();
}

QByteArray Worksheet::write(const std::function<int(const Cell &)> &stringIndex) const
{
    const QString p = prefix_;
    auto element = [&](const QString &name) -> QString {
        if (name == u"dimension") {
            int minRow = 0, minColumn = 0, maxRow = 0, maxColumn = 0;
            for (const auto &[r, row] : rows_) {
                if (row.cells.empty())
                    continue;
                if (minRow == 0)
                    minRow = r;
                maxRow = r;
                const int first = row.cells.begin()->first;
                const int last = row.cells.rbegin()->first;
                minColumn = minColumn == 0 ? first : std::min(minColumn, first);
                maxColumn = std::max(maxColumn, last);
            }
            const QString ref = minRow == 0 ? QStringLiteral("A1")
                                            : CellRange{minRow, minColumn, maxRow, maxColumn}.toString();
            return startTag(p + QStringLiteral("dimension"), {{QStringLiteral("ref"), ref}}, true);
        }
        if (name == u"cols") {
            if (columns_.isEmpty())
                return {};
            QString out = u'<' + p + QStringLiteral("cols>");
            for (const ColumnSpan &s : columns_) {
                Attributes a{{QStringLiteral("min"), QString::number(s.min)}, {QStringLiteral("max"), QString::number(s.max)}};
                a += s.attributes;
                out += startTag(p + QStringLiteral("col"), a, true);
            }
            return out + QStringLiteral("</") + p + QStringLiteral("cols>");
        }
        if (name == u"sheetData") {
            QString out;
            out.reserve(static_cast<qsizetype>(rows_.size()) * 64);
            out += u'<' + p + QStringLiteral("sheetData>");
            for (const auto &[r, row] : rows_) {
                if (row.cells.empty() && row.attributes.isEmpty())
                    continue;
                Attributes ra{{QStringLiteral("r"), QString::number(r)}};
                ra += row.attributes;
                if (row.cells.empty()) {
                    out += startTag(p + QStringLiteral("row"), ra, true);
                    continue;
                }
                out += startTag(p + QStringLiteral("row"), ra);
                for (const auto &[column, c] : row.cells) {
                    Attributes ca{{QStringLiteral("r"), cellName(r, column)}};
                    if (c.style != 0)
                        ca.push_back({QStringLiteral("s"), QString::number(c.style)});
                    QString v;
                    QString t;
                    switch (c.type) {
                    case Cell::Type::Empty:
                        break;
                    case Cell::Type::Number:
                        v = c.value;
                        break;
                    case Cell::Type::String:
                        if (c.hasFormula()) {
                            t = QStringLiteral("str");
                            v = encodeCellText(c.value);
                        } else {
                            t = QStringLiteral("s");
                            v = QString::number(stringIndex(c));
                        }
                        break;
                    case Cell::Type::Boolean:
                        t = QStringLiteral("b");
                        v = c.value;
                        break;
                    case Cell::Type::Error:
                        t = QStringLiteral("e");
                        v = c.value;
                        break;
                    case Cell::Type::Date:
                        t = QStringLiteral("d");
                        v = c.value;
                        break;
                    }
                    if (!t.isEmpty())
                        ca.push_back({QStringLiteral("t"), t});
                    ca += c.attributes;
                    const bool hasValue = c.type != Cell::Type::Empty;
                    if (!c.hasFormula() && !hasValue) {
                        out += startTag(p + QStringLiteral("c"), ca, true);
                        continue;
                    }
                    out += startTag(p + QStringLiteral("c"), ca);
                    if (c.hasFormula())
                        out += startTag(p + QStringLiteral("f"), c.formulaAttributes) + escapeText(c.formula) + QStringLiteral("</") + p
                            + QStringLiteral("f>");
                    if (hasValue)
                        out += u'<' + p + QStringLiteral("v>") + escapeText(v) + QStringLiteral("</") + p
                            + QStringLiteral("v>");
                    out += QStringLiteral("</") + p + QStringLiteral("c>");
                }
                out += QStringLiteral("</") + p + QStringLiteral("row>");
            }
            return out + QStringLiteral("</") + p + QStringLiteral("sheetData>");
        }
        if (name == u"mergeCells") {
            if (merges_.isEmpty())
                return {};
            QString out = startTag(p + QStringLiteral("mergeCells"), {{QStringLiteral("count"), QString::number(merges_.size())}});
            for (const CellRange &m : merges_)
                out += startTag(p + QStringLiteral("mergeCell"), {{QStringLiteral("ref"), m.toString()}}, true);
            return out + QStringLiteral("</") + p + QStringLiteral("mergeCells>");
        }
        if (name == u"pageMargins")
            return pageMargins_ ? startTag(p + QStringLiteral("pageMargins"), *pageMargins_, true) : QString();
        if (name == u"pageSetup")
            return pageSetup_ ? startTag(p + QStringLiteral("pageSetup"), *pageSetup_, true) : QString();
        if (name == u"rowBreaks") {
            if (breaks_.empty())
                return {};
            const QString n = QString::number(breaks_.size());
            QString out = startTag(p + QStringLiteral("rowBreaks"), {{QStringLiteral("count"), n}, {QStringLiteral("manualBreakCount"), n}});
            for (int b : breaks_)
                out += startTag(p + QStringLiteral("brk"),
                                {{QStringLiteral("id"), QString::number(b - 1)},
                                 {QStringLiteral("max"), QString::number(MaxColumns - 1)},
                                 {QStringLiteral("man"), QStringLiteral("1")}},
                                true);
            return out + QStringLiteral("</") + p + QStringLiteral("rowBreaks>");
        }
        return {};
    };

    QList<OrderedElement> elements;
    QStringList present;
    for (const Segment &s : segments_) {
        if (modelledElements().contains(s.name)) {
            present.push_back(s.name);
            elements.push_back({s.name, element(s.name)});
        } else {
            elements.push_back({s.name, s.xml});
        }
    }
    for (const QString &name : modelledElements()) {
        if (!present.contains(name))
            elements.push_back({name, element(name)});
    }
    QString out = QString::fromLatin1(XmlDeclaration);
    out += startTag(rootName_, rootAttributes_);
    out += inSchemaOrder(elements, sheetOrder());
    out += QStringLiteral("</") + rootName_ + u'>';
    return out.toUtf8();
}

} // namespace valdora::xlsx

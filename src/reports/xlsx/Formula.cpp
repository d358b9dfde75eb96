#include "reports/xlsx/Formula.h"

#include <array>

namespace valdora::xlsx {

namespace {

bool isAsciiLetter(QChar c) { return (c >= u'A' && c <= u'Z') || (c >= u'a' && c <= u'z'); }
bool isAsciiDigit(QChar c) { return c >= u'0' && c <= u'9'; }

// Characters of names and unquoted sheet names.
bool isNameChar(QChar c)
{
    return isAsciiLetter(c) || isAsciiDigit(c) || c == u'_' || c == u'.' || c == u'\\' || c == u'?'
        || (c.unicode() >= 128 && c.isLetterOrNumber());
}

bool isNameStart(QChar c)
{
    return isAsciiLetter(c) || c == u'_' || c == u'\\' || (c.unicode() >= 128 && c.isLetter());
}

struct PointScan {
    RefPoint point;
    qsizetype end = 0;
};

// "$B$7" at i.
std::optional<PointScan> scanCell(QStringView s, qsizetype i)
{
    PointScan r;
    if (i < s.size() && s[i] == u'$') {
        r.point.columnAbsolute = true;
        ++i;
    }
    const qsizetype l = i;
    while (i < s.size() && isAsciiLetter(s[i]) && i - l < 4)
        ++i;
    r.point.column = columnNumber(s.mid(l, i - l));
    if (r.point.column == 0)
        return std::nullopt;
    if (i < s.size() && s[i] == u'$') {
        r.point.rowAbsolute = true;
        ++i;
    }
    const qsizetype d = i;
    while (i < s.size() && isAsciiDigit(s[i]))
        ++i;
    if (i == d || i - d > 7)
        return std::nullopt;
    r.point.row = s.mid(d, i - d).toInt();
    if (r.point.row < 1 || r.point.row > MaxRows)
        return std::nullopt;
    r.end = i;
    return r;
}

// "$B" of a column range.
std::optional<PointScan> scanColumn(QStringView s, qsizetype i)
{
    PointScan r;
    if (i < s.size() && s[i] == u'$') {
        r.point.columnAbsolute = true;
        ++i;
    }
    const qsizetype l = i;
    while (i < s.size() && isAsciiLetter(s[i]) && i - l < 4)
        ++i;
    r.point.column = columnNumber(s.mid(l, i - l));
    if (r.point.column == 0)
        return std::nullopt;
    r.end = i;
    return r;
}

// "$7" of a row range.
std::optional<PointScan> scanRow(QStringView s, qsizetype i)
{
    PointScan r;
    if (i < s.size() && s[i] == u'$') {
        r.point.rowAbsolute = true;
        ++i;
    }
    const qsizetype d = i;
    while (i < s.size() && isAsciiDigit(s[i]))
        ++i;
    if (i == d || i - d > 7)
        return std::nullopt;
    r.point.row = s.mid(d, i - d).toInt();
    if (r.point.row < 1 || r.point.row > MaxRows)
        return std::nullopt;
    r.end = i;
    return r;
}

// A reference ends where a name could not go on.
bool endsHere(QStringView s, qsizetype i)
{
    return i >= s.size() || !(isNameChar(s[i]) || s[i] == u'(' || s[i] == u'!' || s[i] == u'$');
}

// A reference of any kind at i; end set past it.
std::optional<Reference> scanReference(QStringView s, qsizetype i, qsizetype &end)
{
    if (auto a = scanCell(s, i)) {
        if (a->end < s.size() && s[a->end] == u':') {
            if (auto b = scanCell(s, a->end + 1); b && endsHere(s, b->end)) {
                end = b->end;
                return Reference{Reference::Kind::Range, a->point, b->point, false, {}};
            }
        }
        if (endsHere(s, a->end)) {
            end = a->end;
            return Reference{Reference::Kind::Cell, a->point, a->point, false, {}};
        }
        return std::nullopt;
    }
    if (auto a = scanColumn(s, i); a && a->end < s.size() && s[a->end] == u':') {
        if (auto b = scanColumn(s, a->end + 1); b && endsHere(s, b->end)) {
            end = b->end;
            return Reference{Reference::Kind::Columns, a->point, b->point, false, {}};
        }
    }
    if (auto a = scanRow(s, i); a && a->end < s.size() && s[a->end] == u':') {
        if (auto b = scanRow(s, a->end + 1); b && endsHere(s, b->end)) {
            end = b->end;
            return Reference{Reference::Kind::Rows, a->point, b->point, false, {}};
        }
    }
    return std::nullopt;
}

constexpr std::array<QStringView, 8> errorLiterals{u"#NULL!", u"#DIV/0!", u"#VALUE!", u"#REF!",
                                                   u"#NAME?", u"#NUM!", u"#N/A", u"#GETTING_DATA"};

qsizetype errorLength(QStringView s, qsizetype i)
{
    for (QStringView e : errorLiterals) {
        if (s.mid(i).startsWith(e, Qt::CaseInsensitive))
            return e.size();
    }
    return 0;
}

QString pointText(const RefPoint &p, bool withColumn, bool withRow)
{
    QString t;
    if (withColumn) {
        if (p.columnAbsolute)
            t += u'$';
        t += columnName(p.column);
    }
    if (withRow) {
        if (p.rowAbsolute)
            t += u'$';
        t += QString::number(p.row);
    }
    return t;
}

} // namespace

QString Reference::toString() const
{
    switch (kind) {
    case Kind::Cell:
        return pointText(first, true, true);
    case Kind::Range:
        return pointText(first, true, true) + u':' + pointText(last, true, true);
    case Kind::Columns:
        return pointText(first, true, false) + u':' + pointText(last, true, false);
    case Kind::Rows:
        return pointText(first, false, true) + u':' + pointText(last, false, true);
    }
    return {};
}

QList<FormulaToken> tokenizeFormula(QStringView s)
{
    QList<FormulaToken> tokens;
    bool afterBracket = false; // "[1]" of another workbook just read
    qsizetype i = 0;
    auto push = [&](FormulaToken::Kind kind, qsizetype from, qsizetype to) {
        FormulaToken t;
        t.kind = kind;
        t.text = s.mid(from, to - from).toString();
        tokens.push_back(std::move(t));
    };
    // A reference (or "#REF!") after a sheet prefix that ends at `at`.
    auto afterPrefix = [&](qsizetype from, qsizetype at, QString sheet) -> bool {
        qsizetype end = 0;
        if (auto ref = scanReference(s, at, end)) {
            FormulaToken t;
            t.kind = FormulaToken::Kind::Reference;
            t.text = s.mid(from, end - from).toString();
            t.prefix = s.mid(from, at - from).toString();
            t.reference = *ref;
            t.reference.hasSheet = true;
            t.reference.sheet = std::move(sheet);
            t.external = afterBracket || t.reference.sheet.startsWith(u'[');
            tokens.push_back(std::move(t));
            i = end;
            return true;
        }
        if (const qsizetype n = errorLength(s, at)) {
            push(FormulaToken::Kind::Error, from, at + n);
            i = at + n;
            return true;
        }
        return false;
    };

    while (i < s.size()) {
        const QChar c = s[i];
        const qsizetype start = i;
        const bool wasAfterBracket = afterBracket;
        if (c.isSpace()) {
            while (i < s.size() && s[i].isSpace())
                ++i;
            push(FormulaToken::Kind::Space, start, i);
            continue;
        }
        afterBracket = false;
        if (c == u'"') {
            ++i;
            while (i < s.size()) {
                if (s[i] == u'"') {
                    if (i + 1 < s.size() && s[i + 1] == u'"') {
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                ++i;
            }
            push(FormulaToken::Kind::String, start, i);
            continue;
        }
        if (c == u'\'') {
            QString sheet;
            ++i;
            while (i < s.size()) {
                if (s[i] == u'\'') {
                    if (i + 1 < s.size() && s[i + 1] == u'\'') {
                        sheet += u'\'';
                        i += 2;
                        continue;
                    }
                    ++i;
                    break;
                }
                sheet += s[i++];
            }
            afterBracket = wasAfterBracket;
            if (i < s.size() && s[i] == u'!' && afterPrefix(start, i + 1, sheet)) {
                afterBracket = false;
                continue;
            }
            afterBracket = false;
            push(FormulaToken::Kind::Other, start, i);
            continue;
        }
        if (c == u'[') {
            int depth = 0;
            while (i < s.size()) {
                if (s[i] == u'[')
                    ++depth;
                else if (s[i] == u']' && --depth == 0) {
                    ++i;
                    break;
                }
                ++i;
            }
            push(FormulaToken::Kind::Other, start, i);
            afterBracket = true;
            continue;
        }
        if (c == u'{') {
            while (i < s.size() && s[i] != u'}')
                ++i;
            i = std::min(i + 1, s.size());
            push(FormulaToken::Kind::Other, start, i);
            continue;
        }
        if (c == u'#') {
            if (const qsizetype n = errorLength(s, i)) {
                i += n;
                push(FormulaToken::Kind::Error, start, i);
            } else {
                ++i;
                push(FormulaToken::Kind::Other, start, i);
            }
            continue;
        }
        if (isNameStart(c) || c == u'$' || isAsciiDigit(c) || c == u'.') {
            // A sheet prefix: a name followed by "!".
            if (isNameStart(c)) {
                qsizetype j = i;
                while (j < s.size() && isNameChar(s[j]))
                    ++j;
                if (j < s.size() && s[j] == u'!') {
                    afterBracket = wasAfterBracket;
                    if (afterPrefix(start, j + 1, s.mid(i, j - i).toString())) {
                        afterBracket = false;
                        continue;
                    }
                    afterBracket = false;
                }
            }
            if (c != u'.') {
                qsizetype end = 0;
                if (auto ref = scanReference(s, i, end)) {
                    FormulaToken t;
                    t.kind = FormulaToken::Kind::Reference;
                    t.text = s.mid(i, end - i).toString();
                    t.reference = *ref;
                    tokens.push_back(std::move(t));
                    i = end;
                    continue;
                }
            }
            if (isAsciiDigit(c) || c == u'.') {
                while (i < s.size() && (isAsciiDigit(s[i]) || s[i] == u'.'))
                    ++i;
                if (i < s.size() && (s[i] == u'e' || s[i] == u'E')) {
                    qsizetype j = i + 1;
                    if (j < s.size() && (s[j] == u'+' || s[j] == u'-'))
                        ++j;
                    if (j < s.size() && isAsciiDigit(s[j])) {
                        while (j < s.size() && isAsciiDigit(s[j]))
                            ++j;
                        i = j;
                    }
                }
                push(FormulaToken::Kind::Number, start, i);
                continue;
            }
            if (c == u'$') {
                ++i;
                push(FormulaToken::Kind::Other, start, i);
                continue;
            }
            while (i < s.size() && isNameChar(s[i]))
                ++i;
            push(i < s.size() && s[i] == u'(' ? FormulaToken::Kind::Function : FormulaToken::Kind::Name, start, i);
            continue;
        }
        if (c == u'(') {
            ++i;
            push(FormulaToken::Kind::Open, start, i);
            continue;
        }
        if (c == u')') {
            ++i;
            push(FormulaToken::Kind::Close, start, i);
            continue;
        }
        if (c == u',') {
            ++i;
            push(FormulaToken::Kind::Separator, start, i);
            continue;
        }
        if ((c == u'<' || c == u'>') && i + 1 < s.size() && (s[i + 1] == u'=' || (c == u'<' && s[i + 1] == u'>'))) {
            i += 2;
            push(FormulaToken::Kind::Operator, start, i);
            continue;
        }
        if (QStringView(u"+-*/^&=<>%:").contains(c)) {
            ++i;
            push(FormulaToken::Kind::Operator, start, i);
            continue;
        }
        ++i;
        push(FormulaToken::Kind::Other, start, i);
    }
    return tokens;
}

QString rewriteReferences(QStringView formula, const ReferenceRewrite &rewrite)
{
    const QList<FormulaToken> tokens = tokenizeFormula(formula);
    QString out;
    out.reserve(formula.size() + 8);
    for (const FormulaToken &t : tokens) {
        if (t.kind != FormulaToken::Kind::Reference || t.external) {
            out += t.text;
            continue;
        }
        const std::optional<Reference> moved = rewrite(t.reference);
        out += t.prefix;
        out += moved ? moved->toString() : QStringLiteral("#REF!");
    }
    return out;
}

namespace {

// Moves one coordinate for an insertion; false when it leaves the sheet.
bool insertCoordinate(int &v, const Shift &shift, int max)
{
    if (v >= shift.at) {
        v += shift.count;
        if (v > max)
            return false;
    }
    return true;
}

// A span lo..hi along the shifted axis after the shift; false when nothing is left.
bool shiftSpan(int &lo, int &hi, const Shift &shift, int max)
{
    if (shift.count > 0)
        return insertCoordinate(lo, shift, max) && insertCoordinate(hi, shift, max);
    const int a = shift.at;
    const int k = -shift.count;
    const int b = a + k - 1;
    const int nlo = lo < a ? lo : (lo > b ? lo - k : a);
    const int nhi = hi < a ? hi : (hi > b ? hi - k : a - 1);
    if (nhi < nlo)
        return false;
    lo = nlo;
    hi = nhi;
    return true;
}

} // namespace

std::optional<Reference> shiftReference(const Reference &ref, const Shift &shift)
{
    if (shift.count == 0)
        return ref;
    const bool rows = shift.axis == Axis::Rows;
    if ((rows && ref.kind == Reference::Kind::Columns) || (!rows && ref.kind == Reference::Kind::Rows))
        return ref;
    const int max = rows ? MaxRows : MaxColumns;
    Reference r = ref;
    auto coord = [rows](RefPoint &p) -> int & { return rows ? p.row : p.column; };
    auto absolute = [rows](RefPoint &p) -> bool & { return rows ? p.rowAbsolute : p.columnAbsolute; };
    if (r.kind == Reference::Kind::Cell) {
        int v = coord(r.first);
        if (shift.count > 0) {
            if (!insertCoordinate(v, shift, max))
                return std::nullopt;
        } else {
            int hi = v;
            if (!shiftSpan(v, hi, shift, max) || hi != v)
                return std::nullopt;
        }
        coord(r.first) = v;
        r.last = r.first;
        return r;
    }
    // A range: put its ends in order along the axis, flags travelling with them.
    if (coord(r.first) > coord(r.last)) {
        std::swap(coord(r.first), coord(r.last));
        std::swap(absolute(r.first), absolute(r.last));
    }
    int lo = coord(r.first);
    int hi = coord(r.last);
    if (!shiftSpan(lo, hi, shift, max))
        return std::nullopt;
    coord(r.first) = lo;
    coord(r.last) = hi;
    return r;
}

std::optional<CellRange> shiftRange(const CellRange &range, const Shift &shift)
{
    CellRange r = range;
    const bool rows = shift.axis == Axis::Rows;
    int &lo = rows ? r.firstRow : r.firstColumn;
    int &hi = rows ? r.lastRow : r.lastColumn;
    if (!shiftSpan(lo, hi, shift, rows ? MaxRows : MaxColumns))
        return std::nullopt;
    return r;
}

QString shiftFormula(QStringView formula, const QString &ownSheet, const QString &shiftedSheet, const Shift &shift)
{
    return rewriteReferences(formula, [&](const Reference &ref) -> std::optional<Reference> {
        const QString &sheet = ref.hasSheet ? ref.sheet : ownSheet;
        if (sheet.compare(shiftedSheet, Qt::CaseInsensitive) != 0)
            return ref;
        return shiftReference(ref, shift);
    });
}

QString translateFormula(QStringView formula, int rows, int columns)
{
    if (rows == 0 && columns == 0)
        return formula.toString();
    return rewriteReferences(formula, [&](const Reference &ref) -> std::optional<Reference> {
        Reference r = ref;
        const bool hasRow = r.kind != Reference::Kind::Columns;
        const bool hasColumn = r.kind != Reference::Kind::Rows;
        for (RefPoint *p : {&r.first, &r.last}) {
            if (hasRow && !p->rowAbsolute) {
                p->row += rows;
                if (p->row < 1 || p->row > MaxRows)
                    return std::nullopt;
            }
            if (hasColumn && !p->columnAbsolute) {
                p->column += columns;
                if (p->column < 1 || p->column > MaxColumns)
                    return std::nullopt;
            }
        }
        return r;
    });
}

QString sheetPrefix(const QString &sheet)
{
    bool plain = !sheet.isEmpty() && isNameStart(sheet[0]);
    for (QChar c : sheet)
        plain = plain && isNameChar(c);
    // A name that reads as a cell ("AB12") must be quoted too.
    qsizetype end = 0;
    if (plain && scanReference(sheet, 0, end) && end == sheet.size())
        plain = false;
    if (plain)
        return sheet + u'!';
    QString quoted = sheet;
    quoted.replace(u'\'', QStringLiteral("''"));
    return u'\'' + quoted + QStringLiteral("'!");
}

} // namespace valdora::xlsx

#include "reports/xlsx/FormulaEval.h"

#include "reports/xlsx/Formula.h"

#include <QLocale>
#include <cmath>
#include <functional>
#include <variant>
#include <vector>

namespace valdora::xlsx {

QString numberText(double value)
{
    if (value == 0)
        return QStringLiteral("0"); // no "-0"
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

namespace {

struct Unsupported {};

struct RangeOperand {
    QString sheet;
    CellRange range;
};

using Operand = std::variant<CellValue, RangeOperand>;

const QString VALUE = QStringLiteral("#VALUE!");
const QString DIV0 = QStringLiteral("#DIV/0!");
const QString REF = QStringLiteral("#REF!");
const QString NUM = QStringLiteral("#NUM!");

bool isError(const CellValue &v) { return v.type == CellValue::Type::Error; }

// A number for arithmetic: empty is 0, TRUE 1, text must read as a number.
CellValue toNumber(const CellValue &v)
{
    switch (v.type) {
    case CellValue::Type::Empty:
        return CellValue::fromNumber(0);
    case CellValue::Type::Number:
        return v;
    case CellValue::Type::Boolean:
        return CellValue::fromNumber(v.number);
    case CellValue::Type::String: {
        bool ok = false;
        const double d = v.text.trimmed().toDouble(&ok);
        return ok ? CellValue::fromNumber(d) : CellValue::error(VALUE);
    }
    case CellValue::Type::Error:
        return v;
    }
    return v;
}

QString toText(const CellValue &v)
{
    switch (v.type) {
    case CellValue::Type::Empty:
        return {};
    case CellValue::Type::Number:
        return QString::number(v.number, 'g', 15);
    case CellValue::Type::Boolean:
        return v.number != 0 ? QStringLiteral("TRUE") : QStringLiteral("FALSE");
    case CellValue::Type::String:
    case CellValue::Type::Error:
        return v.text;
    }
    return {};
}

// A condition: numbers, logicals and the texts TRUE/FALSE.
CellValue toBoolean(const CellValue &v)
{
    switch (v.type) {
    case CellValue::Type::Empty:
        return CellValue::fromBoolean(false);
    case CellValue::Type::Number:
    case CellValue::Type::Boolean:
        return CellValue::fromBoolean(v.number != 0);
    case CellValue::Type::String:
        if (v.text.compare(u"TRUE", Qt::CaseInsensitive) == 0)
            return CellValue::fromBoolean(true);
        if (v.text.compare(u"FALSE", Qt::CaseInsensitive) == 0)
            return CellValue::fromBoolean(false);
        return CellValue::error(VALUE);
    case CellValue::Type::Error:
        return v;
    }
    return v;
}

// Half away from zero on the decimal value, as the spreadsheet does (2.675 -> 2.68).
double roundDigits(double x, double digits, int mode /* 0 nearest, 1 up, -1 down */)
{
    const int d = static_cast<int>(std::trunc(digits));
    const double f = std::pow(10.0, d);
    double y = x * f;
    y = QString::number(y, 'g', 15).toDouble();
    const double a = std::fabs(y);
    double r = 0;
    if (mode == 0)
        r = std::floor(a + 0.5);
    else if (mode > 0)
        r = std::ceil(a);
    else
        r = std::floor(a);
    return std::copysign(r, y) / f;
}

class Parser {
public:
    Parser(QList<FormulaToken> tokens, const QString &ownSheet, FormulaContext &context)
        : context_(context), ownSheet_(ownSheet)
    {
        for (FormulaToken &t : tokens) {
            if (t.kind != FormulaToken::Kind::Space)
                tokens_.push_back(std::move(t));
        }
    }

    CellValue run()
    {
        Operand o = expression();
        if (pos_ != tokens_.size())
            throw Unsupported{};
        CellValue v = scalar(o);
        if (v.type == CellValue::Type::Empty)
            v = CellValue::fromNumber(0);
        return v;
    }

private:
    const FormulaToken *peek() const { return pos_ < tokens_.size() ? &tokens_[pos_] : nullptr; }
    bool peekOperator(QStringView op) const
    {
        const FormulaToken *t = peek();
        return t && t->kind == FormulaToken::Kind::Operator && t->text == op;
    }
    void expect(FormulaToken::Kind kind)
    {
        const FormulaToken *t = peek();
        if (!t || t->kind != kind)
            throw Unsupported{};
        ++pos_;
    }

    CellValue cell(const QString &sheet, int row, int column)
    {
        const std::optional<CellValue> v = context_.cellValue(sheet, row, column);
        if (!v)
            throw Unsupported{};
        return *v;
    }

    // A single value; a one-cell range reads that cell.
    CellValue scalar(const Operand &o)
    {
        if (const auto *v = std::get_if<CellValue>(&o))
            return *v;
        const auto &r = std::get<RangeOperand>(o);
        if (!r.range.isSingleCell())
            throw Unsupported{}; // implicit intersection
        return cell(r.sheet, r.range.firstRow, r.range.firstColumn);
    }

    // Every value an argument stands for; `fromRange` tells a range's cells apart
    // from values written in the call.
    void forEach(const Operand &o, const std::function<void(const CellValue &, bool fromRange)> &f)
    {
        if (const auto *v = std::get_if<CellValue>(&o)) {
            f(*v, false);
            return;
        }
        const auto &r = std::get<RangeOperand>(o);
        for (int row = r.range.firstRow; row <= r.range.lastRow; ++row) {
            for (int column = r.range.firstColumn; column <= r.range.lastColumn; ++column)
                f(cell(r.sheet, row, column), true);
        }
    }

    Operand expression() { return comparison(); }

    Operand comparison()
    {
        Operand left = concatenation();
        static const QStringList ops{QStringLiteral("="), QStringLiteral("<>"), QStringLiteral("<"),
                                     QStringLiteral(">"), QStringLiteral("<="), QStringLiteral(">=")};
        while (const FormulaToken *t = peek()) {
            if (t->kind != FormulaToken::Kind::Operator || !ops.contains(t->text))
                break;
            const QString op = t->text;
            ++pos_;
            const CellValue a = scalar(left);
            const CellValue b = scalar(concatenation());
            left = compare(a, b, op);
        }
        return left;
    }

    static int typeRank(const CellValue &v)
    {
        switch (v.type) {
        case CellValue::Type::Empty:
        case CellValue::Type::Number:
            return 0;
        case CellValue::Type::String:
            return 1;
        default:
            return 2;
        }
    }

    static CellValue compare(const CellValue &a, const CellValue &b, const QString &op)
    {
        if (isError(a))
            return a;
        if (isError(b))
            return b;
        int c = 0;
        // An empty cell compares as 0 with numbers and as "" with texts.
        CellValue x = a;
        CellValue y = b;
        if (x.type == CellValue::Type::Empty)
            x = y.type == CellValue::Type::String ? CellValue::fromString({}) : CellValue::fromNumber(0);
        if (y.type == CellValue::Type::Empty)
            y = x.type == CellValue::Type::String ? CellValue::fromString({}) : CellValue::fromNumber(0);
        if (typeRank(x) != typeRank(y))
            c = typeRank(x) < typeRank(y) ? -1 : 1;
        else if (x.type == CellValue::Type::String)
            c = x.text.compare(y.text, Qt::CaseInsensitive);
        else
            c = x.number < y.number ? -1 : (x.number > y.number ? 1 : 0);
        bool r = false;
        if (op == u"=")
            r = c == 0;
        else if (op == u"<>")
            r = c != 0;
        else if (op == u"<")
            r = c < 0;
        else if (op == u">")
            r = c > 0;
        else if (op == u"<=")
            r = c <= 0;
        else
            r = c >= 0;
        return CellValue::fromBoolean(r);
    }

    Operand concatenation()
    {
        Operand left = additive();
        while (peekOperator(u"&")) {
            ++pos_;
            const CellValue a = scalar(left);
            const CellValue b = scalar(additive());
            if (isError(a))
                left = a;
            else if (isError(b))
                left = b;
            else
                left = CellValue::fromString(toText(a) + toText(b));
        }
        return left;
    }

    static CellValue arithmetic(const CellValue &a0, const CellValue &b0, QChar op)
    {
        const CellValue a = toNumber(a0);
        if (isError(a))
            return a;
        const CellValue b = toNumber(b0);
        if (isError(b))
            return b;
        double r = 0;
        switch (op.unicode()) {
        case u'+':
            r = a.number + b.number;
            break;
        case u'-':
            r = a.number - b.number;
            break;
        case u'*':
            r = a.number * b.number;
            break;
        case u'/':
            if (b.number == 0)
                return CellValue::error(DIV0);
            r = a.number / b.number;
            break;
        default:
            r = std::pow(a.number, b.number);
            if (!std::isfinite(r))
                return CellValue::error(NUM);
        }
        return CellValue::fromNumber(r);
    }

    Operand additive()
    {
        Operand left = multiplicative();
        while (peekOperator(u"+") || peekOperator(u"-")) {
            const QChar op = tokens_[pos_++].text[0];
            const CellValue a = scalar(left);
            left = arithmetic(a, scalar(multiplicative()), op);
        }
        return left;
    }

    Operand multiplicative()
    {
        Operand left = power();
        while (peekOperator(u"*") || peekOperator(u"/")) {
            const QChar op = tokens_[pos_++].text[0];
            const CellValue a = scalar(left);
            left = arithmetic(a, scalar(power()), op);
        }
        return left;
    }

    Operand power()
    {
        Operand left = unary();
        while (peekOperator(u"^")) {
            ++pos_;
            const CellValue a = scalar(left);
            left = arithmetic(a, scalar(unary()), u'^');
        }
        return left;
    }

    Operand unary()
    {
        if (peekOperator(u"-")) {
            ++pos_;
            const CellValue v = toNumber(scalar(unary()));
            return isError(v) ? v : CellValue::fromNumber(-v.number);
        }
        if (peekOperator(u"+")) {
            ++pos_;
            return unary();
        }
        return percent();
    }

    Operand percent()
    {
        Operand o = primary();
        while (peekOperator(u"%")) {
            ++pos_;
            const CellValue v = toNumber(scalar(o));
            o = isError(v) ? v : CellValue::fromNumber(v.number / 100);
        }
        return o;
    }

    Operand reference(const FormulaToken &t)
    {
        const Reference &ref = t.reference;
        if (t.external)
            throw Unsupported{};
        const QString sheet = ref.hasSheet ? ref.sheet : ownSheet_;
        const std::optional<CellRange> used = context_.usedRange(sheet);
        if (!used)
            return CellValue::error(REF);
        CellRange r;
        switch (ref.kind) {
        case Reference::Kind::Cell:
        case Reference::Kind::Range:
            r = {std::min(ref.first.row, ref.last.row), std::min(ref.first.column, ref.last.column),
                 std::max(ref.first.row, ref.last.row), std::max(ref.first.column, ref.last.column)};
            break;
        case Reference::Kind::Columns:
            r = {1, std::min(ref.first.column, ref.last.column), used->lastRow,
                 std::max(ref.first.column, ref.last.column)};
            break;
        case Reference::Kind::Rows:
            r = {std::min(ref.first.row, ref.last.row), 1, std::max(ref.first.row, ref.last.row), used->lastColumn};
            break;
        }
        // Cells past the used area are empty: no need to visit them.
        if (ref.kind != Reference::Kind::Cell) {
            r.lastRow = std::min(r.lastRow, std::max(used->lastRow, r.firstRow));
            r.lastColumn = std::min(r.lastColumn, std::max(used->lastColumn, r.firstColumn));
        }
        return RangeOperand{sheet, r};
    }

    Operand primary()
    {
        const FormulaToken *t = peek();
        if (!t)
            throw Unsupported{};
        ++pos_;
        switch (t->kind) {
        case FormulaToken::Kind::Number: {
            bool ok = false;
            const double d = t->text.toDouble(&ok);
            if (!ok)
                throw Unsupported{};
            return CellValue::fromNumber(d);
        }
        case FormulaToken::Kind::String: {
            QString s = t->text.mid(1, t->text.size() - 2);
            s.replace(QStringLiteral("\"\""), QStringLiteral("\""));
            return CellValue::fromString(s);
        }
        case FormulaToken::Kind::Error:
            if (t->text.contains(u'!') && !t->text.startsWith(u'#'))
                return CellValue::error(REF); // Sheet!#REF!
            return CellValue::error(t->text.toUpper());
        case FormulaToken::Kind::Reference:
            return reference(*t);
        case FormulaToken::Kind::Name:
            if (t->text.compare(u"TRUE", Qt::CaseInsensitive) == 0)
                return CellValue::fromBoolean(true);
            if (t->text.compare(u"FALSE", Qt::CaseInsensitive) == 0)
                return CellValue::fromBoolean(false);
            throw Unsupported{};
        case FormulaToken::Kind::Open: {
            Operand o = expression();
            expect(FormulaToken::Kind::Close);
            return o;
        }
        case FormulaToken::Kind::Function:
            return call(t->text.toUpper());
        default:
            throw Unsupported{};
        }
    }

    Operand call(QString name)
    {
        if (name.startsWith(u"_XLFN."))
            name = name.mid(6);
        expect(FormulaToken::Kind::Open);
        std::vector<Operand> args;
        if (const FormulaToken *t = peek(); t && t->kind == FormulaToken::Kind::Close) {
            ++pos_;
        } else {
            for (;;) {
                args.push_back(expression());
                const FormulaToken *s = peek();
                if (!s)
                    throw Unsupported{};
                ++pos_;
                if (s->kind == FormulaToken::Kind::Close)
                    break;
                if (s->kind != FormulaToken::Kind::Separator)
                    throw Unsupported{};
            }
        }
        return apply(name, args);
    }

    // Numbers of the arguments as SUM sees them: a range's numbers only, values
    // written in the call read as numbers; the first error wins.
    std::optional<CellValue> numbers(const std::vector<Operand> &args, std::vector<double> &out)
    {
        std::optional<CellValue> err;
        for (const Operand &a : args) {
            forEach(a, [&](const CellValue &v, bool fromRange) {
                if (err)
                    return;
                if (isError(v)) {
                    err = v;
                    return;
                }
                if (fromRange) {
                    if (v.type == CellValue::Type::Number)
                        out.push_back(v.number);
                    return;
                }
                const CellValue n = toNumber(v);
                if (isError(n))
                    err = n;
                else
                    out.push_back(n.number);
            });
        }
        return err;
    }

    CellValue number(const Operand &o) { return toNumber(scalar(o)); }

    Operand apply(const QString &name, const std::vector<Operand> &args)
    {
        const auto count = args.size();
        auto need = [&](size_t lo, size_t hi) {
            if (count < lo || count > hi)
                throw Unsupported{};
        };
        if (name == u"SUM" || name == u"PRODUCT" || name == u"MIN" || name == u"MAX" || name == u"AVERAGE") {
            need(1, 255);
            std::vector<double> xs;
            if (auto err = numbers(args, xs))
                return *err;
            if (name == u"SUM") {
                double s = 0;
                for (double x : xs)
                    s += x;
                return CellValue::fromNumber(s);
            }
            if (name == u"PRODUCT") {
                double p = xs.empty() ? 0 : 1;
                for (double x : xs)
                    p *= x;
                return CellValue::fromNumber(p);
            }
            if (name == u"AVERAGE") {
                if (xs.empty())
                    return CellValue::error(DIV0);
                double s = 0;
                for (double x : xs)
                    s += x;
                return CellValue::fromNumber(s / static_cast<double>(xs.size()));
            }
            if (xs.empty())
                return CellValue::fromNumber(0);
            double m = xs.front();
            for (double x : xs)
                m = name == u"MIN" ? std::min(m, x) : std::max(m, x);
            return CellValue::fromNumber(m);
        }
        if (name == u"SUMPRODUCT") {
            need(1, 255);
            std::vector<RangeOperand> ranges;
            for (const Operand &a : args) {
                const auto *r = std::get_if<RangeOperand>(&a);
                if (!r)
                    throw Unsupported{};
                ranges.push_back(*r);
            }
            const int rows = ranges[0].range.lastRow - ranges[0].range.firstRow;
            const int columns = ranges[0].range.lastColumn - ranges[0].range.firstColumn;
            for (const RangeOperand &r : ranges) {
                if (r.range.lastRow - r.range.firstRow != rows || r.range.lastColumn - r.range.firstColumn != columns)
                    return CellValue::error(VALUE);
            }
            double s = 0;
            for (int dr = 0; dr <= rows; ++dr) {
                for (int dc = 0; dc <= columns; ++dc) {
                    double p = 1;
                    for (const RangeOperand &r : ranges) {
                        const CellValue v = cell(r.sheet, r.range.firstRow + dr, r.range.firstColumn + dc);
                        if (isError(v))
                            return v;
                        p *= v.type == CellValue::Type::Number ? v.number : 0;
                    }
                    s += p;
                }
            }
            return CellValue::fromNumber(s);
        }
        if (name == u"COUNT" || name == u"COUNTA") {
            need(1, 255);
            double n = 0;
            for (const Operand &a : args) {
                forEach(a, [&](const CellValue &v, bool fromRange) {
                    if (name == u"COUNTA")
                        n += v.type != CellValue::Type::Empty ? 1 : 0;
                    else if (v.type == CellValue::Type::Number)
                        n += 1;
                    else if (!fromRange && !isError(v) && !isError(toNumber(v)) && v.type != CellValue::Type::Empty)
                        n += 1;
                });
            }
            return CellValue::fromNumber(n);
        }
        if (name == u"ROUND" || name == u"ROUNDUP" || name == u"ROUNDDOWN") {
            need(2, 2);
            const CellValue x = number(args[0]);
            if (isError(x))
                return x;
            const CellValue d = number(args[1]);
            if (isError(d))
                return d;
            return CellValue::fromNumber(roundDigits(x.number, d.number, name == u"ROUND" ? 0 : (name == u"ROUNDUP" ? 1 : -1)));
        }
        if (name == u"TRUNC") {
            need(1, 2);
            const CellValue x = number(args[0]);
            if (isError(x))
                return x;
            CellValue d = CellValue::fromNumber(0);
            if (count == 2)
                d = number(args[1]);
            if (isError(d))
                return d;
            return CellValue::fromNumber(roundDigits(x.number, d.number, -1));
        }
        if (name == u"INT" || name == u"ABS") {
            need(1, 1);
            const CellValue x = number(args[0]);
            if (isError(x))
                return x;
            return CellValue::fromNumber(name == u"INT" ? std::floor(x.number) : std::fabs(x.number));
        }
        if (name == u"MOD") {
            need(2, 2);
            const CellValue x = number(args[0]);
            if (isError(x))
                return x;
            const CellValue y = number(args[1]);
            if (isError(y))
                return y;
            if (y.number == 0)
                return CellValue::error(DIV0);
            return CellValue::fromNumber(x.number - y.number * std::floor(x.number / y.number));
        }
        if (name == u"IF") {
            need(2, 3);
            const CellValue c = toBoolean(scalar(args[0]));
            if (isError(c))
                return c;
            if (c.number != 0)
                return scalar(args[1]);
            return count == 3 ? scalar(args[2]) : CellValue::fromBoolean(false);
        }
        if (name == u"AND" || name == u"OR") {
            need(1, 255);
            bool r = name == u"AND";
            std::optional<CellValue> err;
            for (const Operand &a : args) {
                forEach(a, [&](const CellValue &v, bool fromRange) {
                    if (err || (fromRange && v.type != CellValue::Type::Number && v.type != CellValue::Type::Boolean
                                && !isError(v)))
                        return;
                    const CellValue b = toBoolean(v);
                    if (isError(b))
                        err = b;
                    else if (name == u"AND")
                        r = r && b.number != 0;
                    else
                        r = r || b.number != 0;
                });
            }
            return err ? *err : CellValue::fromBoolean(r);
        }
        if (name == u"NOT") {
            need(1, 1);
            const CellValue b = toBoolean(scalar(args[0]));
            return isError(b) ? b : CellValue::fromBoolean(b.number == 0);
        }
        if (name == u"N") {
            need(1, 1);
            const CellValue v = scalar(args[0]);
            if (isError(v))
                return v;
            return CellValue::fromNumber(v.type == CellValue::Type::Number || v.type == CellValue::Type::Boolean ? v.number : 0);
        }
        if (name == u"CONCATENATE") {
            need(1, 255);
            QString s;
            for (const Operand &a : args) {
                const CellValue v = scalar(a);
                if (isError(v))
                    return v;
                s += toText(v);
            }
            return CellValue::fromString(s);
        }
        throw Unsupported{};
    }

    FormulaContext &context_;
    QString ownSheet_;
    QList<FormulaToken> tokens_;
    qsizetype pos_ = 0;
};

} // namespace

std::optional<CellValue> evaluateFormula(QStringView formula, const QString &ownSheet, FormulaContext &context)
{
    try {
        Parser p(tokenizeFormula(formula), ownSheet, context);
        return p.run();
    } catch (const Unsupported &) {
        return std::nullopt;
    }
}

} // namespace valdora::xlsx

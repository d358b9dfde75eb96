#include "reports/xlsx/Workbook.h"

#include "app/core/Error.h"
#include "reports/xlsx/WorkbookData.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QXmlStreamReader>

namespace valdora::xlsx {

using namespace detail;

namespace {

const QString MainNs = QStringLiteral("http://schemas.openxmlformats.org/spreadsheetml/2006/main");
const QString RelNs = QStringLiteral("http://schemas.openxmlformats.org/officeDocument/2006/relationships");
const QString PackageRelNs = QStringLiteral("http://schemas.openxmlformats.org/package/2006/relationships");
const QString SharedStringsType = RelNs + QStringLiteral("/sharedStrings");
const QString SharedStringsContent =
    QStringLiteral("application/vnd.openxmlformats-officedocument.spreadsheetml.sharedStrings+xml");

const QStringList &workbookOrder()
{
    static const QStringList order{
        QStringLiteral("fileVersion"),      QStringLiteral("fileSharing"),       QStringLiteral("workbookPr"),
        QStringLiteral("workbookProtection"), QStringLiteral("bookViews"),       QStringLiteral("sheets"),
        QStringLiteral("functionGroups"),   QStringLiteral("externalReferences"), QStringLiteral("definedNames"),
        QStringLiteral("calcPr"),           QStringLiteral("oleSize"),           QStringLiteral("customWorkbookViews"),
        QStringLiteral("pivotCaches"),      QStringLiteral("smartTagPr"),        QStringLiteral("smartTagTypes"),
        QStringLiteral("webPublishing"),    QStringLiteral("fileRecoveryPr"),    QStringLiteral("webPublishObjects"),
        QStringLiteral("extLst")};
    return order;
}

QString folderOf(const QString &part)
{
    const qsizetype slash = part.lastIndexOf(u'/');
    return slash < 0 ? QString() : part.left(slash);
}

QString relsPathOf(const QString &part)
{
    const QString folder = folderOf(part);
    const QString file = part.mid(folder.isEmpty() ? 0 : folder.size() + 1);
    return (folder.isEmpty() ? QString() : folder + u'/') + QStringLiteral("_rels/") + file + QStringLiteral(".rels");
}

// A relationship's target as a part name.
QString resolveTarget(const QString &source, const QString &target)
{
    if (target.startsWith(u'/'))
        return target.mid(1);
    const QString folder = folderOf(source);
    QString joined = QDir::cleanPath((folder.isEmpty() ? QString() : folder + u'/') + target);
    if (joined.startsWith(QStringLiteral("./")))
        joined = joined.mid(2);
    return joined;
}

QList<WorkbookData::Relationship> readRelationships(const QByteArray &xml)
{
    QList<WorkbookData::Relationship> rels;
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement() && localName(r.qualifiedName()) == u"Relationship") {
            const Attributes a = readAttributes(r);
            rels.push_back({attribute(a, u"Id"), attribute(a, u"Type"), attribute(a, u"Target"), attribute(a, u"TargetMode")});
        }
    }
    return rels;
}

QByteArray writeRelationships(const QList<WorkbookData::Relationship> &rels)
{
    QString out = QString::fromLatin1(XmlDeclaration);
    out += startTag(QStringLiteral("Relationships"), {{QStringLiteral("xmlns"), PackageRelNs}});
    for (const auto &rel : rels) {
        Attributes a{{QStringLiteral("Id"), rel.id}, {QStringLiteral("Type"), rel.type}, {QStringLiteral("Target"), rel.target}};
        if (!rel.targetMode.isEmpty())
            a.push_back({QStringLiteral("TargetMode"), rel.targetMode});
        out += startTag(QStringLiteral("Relationship"), a, true);
    }
    out += QStringLiteral("</Relationships>");
    return out.toUtf8();
}

// The relationship attribute of a sheet entry ("r:id" whatever its prefix).
QString relationshipId(const Attributes &attributes)
{
    for (const auto &[name, value] : attributes) {
        if (name.endsWith(QStringLiteral(":id")))
            return value;
    }
    return {};
}

QList<Part> newWorkbookParts(const QString &sheetName)
{
    const QString sheet = escapeAttribute(sheetName);
    const QString contentTypes = QStringLiteral(
        "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
        "<Default Extension=\"rels\" ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
        "<Default Extension=\"xml\" ContentType=\"application/xml\"/>"
        "<Override PartName=\"/xl/workbook.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.sheet.main+xml\"/>"
        "<Override PartName=\"/xl/worksheets/sheet1.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.worksheet+xml\"/>"
        "<Override PartName=\"/xl/styles.xml\" "
        "ContentType=\"application/vnd.openxmlformats-officedocument.spreadsheetml.styles+xml\"/>"
        "</Types>");
    const QString rootRels = QStringLiteral(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/officeDocument\" "
        "Target=\"xl/workbook.xml\"/></Relationships>");
    const QString workbook = QStringLiteral(
        "<workbook xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheets><sheet name=\"%1\" sheetId=\"1\" r:id=\"rId1\"/></sheets></workbook>")
                                 .arg(sheet);
    const QString workbookRels = QStringLiteral(
        "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">"
        "<Relationship Id=\"rId1\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/worksheet\" "
        "Target=\"worksheets/sheet1.xml\"/>"
        "<Relationship Id=\"rId2\" "
        "Type=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships/styles\" "
        "Target=\"styles.xml\"/></Relationships>");
    const QString worksheet = QStringLiteral(
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">"
        "<sheetData/><pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/></worksheet>");
    const QString styles = QStringLiteral(
        "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">"
        "<fonts count=\"1\"><font><sz val=\"11\"/><name val=\"Calibri\"/><family val=\"2\"/></font></fonts>"
        "<fills count=\"2\"><fill><patternFill patternType=\"none\"/></fill>"
        "<fill><patternFill patternType=\"gray125\"/></fill></fills>"
        "<borders count=\"1\"><border><left/><right/><top/><bottom/><diagonal/></border></borders>"
        "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/></cellStyleXfs>"
        "<cellXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\" xfId=\"0\"/></cellXfs>"
        "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
        "</styleSheet>");
    auto xml = [](const QString &s) { return QByteArray(XmlDeclaration) + s.toUtf8(); };
    return {{QStringLiteral("[Content_Types].xml"), xml(contentTypes)},
            {QStringLiteral("_rels/.rels"), xml(rootRels)},
            {QStringLiteral("xl/workbook.xml"), xml(workbook)},
            {QStringLiteral("xl/_rels/workbook.xml.rels"), xml(workbookRels)},
            {QStringLiteral("xl/worksheets/sheet1.xml"), xml(worksheet)},
            {QStringLiteral("xl/styles.xml"), xml(styles)}};
}

} // namespace

QString richText(const QString &xml, bool *rich)
{
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    QString text;
    int depth = 0;
    int phonetic = 0;
    int children = 0;
    bool onlyT = true;
    while (!r.atEnd()) {
        r.readNext();
        if (r.isStartElement()) {
            ++depth;
            const QString n = localName(r.qualifiedName());
            if (depth == 2) {
                ++children;
                onlyT = onlyT && n == u"t";
            }
            if (n == u"rPh")
                ++phonetic;
            if (n == u"t") {
                const QString t = elementText(r); // ends on </t>
                --depth;
                if (phonetic == 0)
                    text += decodeCellText(t);
            }
        } else if (r.isEndElement()) {
            if (localName(r.qualifiedName()) == u"rPh")
                --phonetic;
            --depth;
        }
    }
    if (rich)
        *rich = !(onlyT && children <= 1);
    return text;
}

// ---- loading

const Part *WorkbookData::part(const QString &name) const
{
    for (const Part &p : parts) {
        if (p.name.compare(name, Qt::CaseInsensitive) == 0)
            return &p;
    }
    return nullptr;
}

int WorkbookData::addSharedItem(const QString &xml, const QString &text)
{
    sharedStrings.push_back({text, xml, true});
    return static_cast<int>(sharedStrings.size() - 1);
}

void WorkbookData::load(QList<Part> input)
{
    parts = std::move(input);
    const Part *types = part(QStringLiteral("[Content_Types].xml"));
    if (!types)
        throw Error(QStringLiteral("Registrul de calcul nu are [Content_Types].xml!"));
    {
        QXmlStreamReader r(types->data);
        r.setNamespaceProcessing(false);
        while (!r.atEnd()) {
            r.readNext();
            if (!r.isStartElement())
                continue;
            const QString n = localName(r.qualifiedName());
            const Attributes a = readAttributes(r);
            if (n == u"Default")
                contentDefaults.push_back({attribute(a, u"Extension"), attribute(a, u"ContentType")});
            else if (n == u"Override")
                contentOverrides.push_back({attribute(a, u"PartName"), attribute(a, u"ContentType")});
        }
    }
    workbookPath = QStringLiteral("xl/workbook.xml");
    if (const Part *root = part(QStringLiteral("_rels/.rels"))) {
        for (const Relationship &rel : readRelationships(root->data)) {
            if (rel.type.endsWith(QStringLiteral("/officeDocument")))
                workbookPath = resolveTarget(QString(), rel.target);
        }
    }
    const Part *book = part(workbookPath);
    if (!book)
        throw Error(QStringLiteral("Registrul de calcul nu are %1!").arg(workbookPath));
    workbookRelsPath = relsPathOf(workbookPath);
    if (const Part *rels = part(workbookRelsPath))
        workbookRels = readRelationships(rels->data);
    for (const Relationship &rel : std::as_const(workbookRels)) {
        if (rel.type.endsWith(QStringLiteral("/sharedStrings")))
            sharedStringsPath = resolveTarget(workbookPath, rel.target);
    }

    if (const Part *sst = sharedStringsPath.isEmpty() ? nullptr : part(sharedStringsPath)) {
        QXmlStreamReader r(sst->data);
        r.setNamespaceProcessing(false);
        while (!r.atEnd()) {
            r.readNext();
            if (r.isStartElement() && localName(r.qualifiedName()) == u"si") {
                SharedItem item;
                item.xml = captureElement(r);
                item.text = richText(item.xml, &item.rich);
                sharedStrings.push_back(std::move(item));
            }
        }
        if (r.hasError())
            throw Error(QStringLiteral("Textele registrului de calcul sunt deteriorate: %1").arg(r.errorString()));
    }

    QXmlStreamReader r(book->data);
    r.setNamespaceProcessing(false);
    while (!r.atEnd() && !r.isStartElement())
        r.readNext();
    rootName = r.qualifiedName().toString();
    prefix = prefixOf(rootName);
    rootAttributes = readAttributes(r);
    while (!r.atEnd()) {
        r.readNext();
        if (r.isEndElement())
            break;
        if (!r.isStartElement())
            continue;
        const QString n = localName(r.qualifiedName());
        if (n == u"sheets") {
            while (!r.atEnd()) {
                r.readNext();
                if (r.isEndElement())
                    break;
                if (r.isStartElement()) {
                    sheetEntries.push_back({readAttributes(r), nullptr});
                    skipElement(r);
                }
            }
        } else if (n == u"definedNames") {
            while (!r.atEnd()) {
                r.readNext();
                if (r.isEndElement())
                    break;
                if (r.isStartElement()) {
                    NameEntry e;
                    e.attributes = readAttributes(r);
                    e.formula = elementText(r);
                    names.push_back(std::move(e));
                }
            }
        } else if (n == u"calcPr") {
            calcPr = readAttributes(r);
            skipElement(r);
        } else {
            segments.push_back({n, captureElement(r)});
            continue;
        }
        segments.push_back({n, {}});
    }
    if (r.hasError())
        throw Error(QStringLiteral("Registrul de calcul este deteriorat: %1").arg(r.errorString()));

    for (SheetEntry &e : sheetEntries) {
        const QString id = relationshipId(e.attributes);
        for (const Relationship &rel : std::as_const(workbookRels)) {
            if (rel.id != id || !rel.type.endsWith(QStringLiteral("/worksheet")))
                continue;
            const QString path = resolveTarget(workbookPath, rel.target);
            const Part *p = part(path);
            if (!p)
                throw Error(QStringLiteral("Registrul de calcul nu are foaia %1!").arg(path));
            auto sheet = std::unique_ptr<Worksheet>(new Worksheet(this));
            sheet->name_ = attribute(e.attributes, u"name");
            sheet->part_ = p->name;
            sheet->read(p->data);
            e.worksheet = sheet.get();
            sheets.push_back(std::move(sheet));
        }
    }
    if (sheets.empty())
        throw Error(QStringLiteral("Registrul de calcul nu are nici o foaie de calcul!"));
}

// ---- shifting

Worksheet *WorkbookData::sheetByName(QStringView name) const
{
    for (const auto &s : sheets) {
        if (s->name_.compare(name, Qt::CaseInsensitive) == 0)
            return s.get();
    }
    return nullptr;
}

void WorkbookData::shifted(const Worksheet *sheet, const Shift &shift)
{
    for (const auto &s : sheets) {
        for (auto &[r, row] : s->rows_) {
            for (auto &[column, c] : row.cells) {
                if (!c.hasFormula())
                    continue;
                c.formula = shiftFormula(c.formula, s->name_, sheet->name_, shift);
                if (s.get() == sheet) {
                    // The range an array formula fills moves with it.
                    const QString ref = attribute(c.formulaAttributes, u"ref");
                    if (auto range = CellRange::parse(ref)) {
                        if (auto moved = shiftRange(*range, shift))
                            setAttribute(c.formulaAttributes, QStringLiteral("ref"), moved->toString());
                    }
                }
            }
        }
    }
    for (NameEntry &n : names)
        n.formula = shiftFormula(n.formula, QString(), sheet->name_, shift);
}

// ---- recalculation

namespace {

quint64 cellKey(int sheet, int row, int column)
{
    return (static_cast<quint64>(sheet) << 40) | (static_cast<quint64>(row) << 16) | static_cast<quint64>(column);
}

} // namespace

std::optional<CellRange> WorkbookData::usedRange(const QString &sheet)
{
    if (const auto it = usedRanges_.constFind(sheet.toLower()); it != usedRanges_.constEnd())
        return *it;
    const Worksheet *s = sheetByName(sheet);
    if (!s)
        return std::nullopt;
    return CellRange{1, 1, std::max(1, s->lastRow()), std::max(1, s->lastColumn())};
}

std::optional<CellValue> WorkbookData::cellValue(const QString &sheetName, int row, int column)
{
    int index = -1;
    for (size_t i = 0; i < sheets.size(); ++i) {
        if (sheets[i]->name_.compare(sheetName, Qt::CaseInsensitive) == 0)
            index = static_cast<int>(i);
    }
    if (index < 0)
        return CellValue::error(QStringLiteral("#REF!"));
    const Cell *c = sheets[static_cast<size_t>(index)]->cell(row, column);
    if (!c)
        return CellValue{};
    if (c->hasFormula())
        return evaluate(index, row, column);
    switch (c->type) {
    case Cell::Type::Empty:
        return CellValue{};
    case Cell::Type::Number: {
        bool ok = false;
        const double d = c->value.toDouble(&ok);
        return ok ? std::optional<CellValue>(CellValue::fromNumber(d)) : std::nullopt;
    }
    case Cell::Type::String:
        return CellValue::fromString(c->value);
    case Cell::Type::Boolean:
        return CellValue::fromBoolean(c->value == u"1");
    case Cell::Type::Error:
        return CellValue::error(c->value);
    case Cell::Type::Date:
        return std::nullopt;
    }
    return std::nullopt;
}

std::optional<CellValue> WorkbookData::evaluate(int sheet, int row, int column)
{
    const quint64 key = cellKey(sheet, row, column);
    if (const auto it = memo_.constFind(key); it != memo_.constEnd())
        return *it;
    if (inProgress_.contains(key))
        return std::nullopt; // a circular reference
    inProgress_.insert(key);
    Worksheet &s = *sheets[static_cast<size_t>(sheet)];
    const std::optional<CellValue> v = evaluateFormula(s.cell(row, column)->formula, s.name_, *this);
    inProgress_.remove(key);
    memo_.insert(key, v);
    return v;
}

void WorkbookData::recalculate()
{
    memo_.clear();
    inProgress_.clear();
    usedRanges_.clear();
    for (const auto &s : sheets)
        usedRanges_.insert(s->name_.toLower(), CellRange{1, 1, std::max(1, s->lastRow()), std::max(1, s->lastColumn())});
    bool unknown = false;
    // Top to bottom, so that a formula usually finds the ones it reads done.
    for (size_t i = 0; i < sheets.size(); ++i) {
        for (auto &[r, row] : sheets[i]->rows_) {
            for (auto &[column, c] : row.cells) {
                if (!c.hasFormula() || !attribute(c.formulaAttributes, u"t").isEmpty())
                    continue; // array and table formulas keep what they have
                const std::optional<CellValue> v = evaluate(static_cast<int>(i), r, column);
                c.sharedString = -1;
                if (!v) {
                    unknown = true;
                    c.type = Cell::Type::Empty;
                    c.value.clear();
                    continue;
                }
                switch (v->type) {
                case CellValue::Type::Empty:
                    c.type = Cell::Type::Number;
                    c.value = QStringLiteral("0");
                    break;
                case CellValue::Type::Number:
                    c.type = Cell::Type::Number;
                    c.value = numberText(v->number);
                    break;
                case CellValue::Type::String:
                    c.type = Cell::Type::String;
                    c.value = v->text;
                    break;
                case CellValue::Type::Boolean:
                    c.type = Cell::Type::Boolean;
                    c.value = v->number != 0 ? QStringLiteral("1") : QStringLiteral("0");
                    break;
                case CellValue::Type::Error:
                    c.type = Cell::Type::Error;
                    c.value = v->text;
                    break;
                }
            }
        }
    }
    memo_.clear();
    usedRanges_.clear();
    if (unknown) {
        if (!calcPr)
            calcPr = Attributes{};
        setAttribute(*calcPr, QStringLiteral("fullCalcOnLoad"), QStringLiteral("1"));
    }
}

// ---- saving

QByteArray WorkbookData::save()
{
    recalculate();

    // The shared strings, in the order the cells use them.
    QList<QString> items;
    QHash<QString, int> plain;
    QHash<int, int> kept;
    int uses = 0;
    auto stringIndex = [&](const Cell &c) -> int {
        ++uses;
        if (c.sharedString >= 0 && c.sharedString < sharedStrings.size()) {
            const SharedItem &item = sharedStrings[c.sharedString];
            if (item.rich && item.text == c.value) {
                if (const auto it = kept.constFind(c.sharedString); it != kept.constEnd())
                    return *it;
                items.push_back(item.xml);
                const int index = static_cast<int>(items.size() - 1);
                kept.insert(c.sharedString, index);
                return index;
            }
        }
        if (const auto it = plain.constFind(c.value); it != plain.constEnd())
            return *it;
        const QString text = encodeCellText(c.value);
        const bool keepSpaces = !text.isEmpty() && (text.front().isSpace() || text.back().isSpace() || text.contains(u'\n'));
        items.push_back(QStringLiteral("<si>")
                        + (keepSpaces ? QStringLiteral("<t xml:space=\"preserve\">") : QStringLiteral("<t>"))
                        + escapeText(text) + QStringLiteral("</t></si>"));
        const int index = static_cast<int>(items.size() - 1);
        plain.insert(c.value, index);
        return index;
    };

    QHash<QString, QByteArray> written;
    for (const auto &s : sheets)
        written.insert(s->part_, s->write(stringIndex));

    if (sharedStringsPath.isEmpty() && uses > 0) {
        sharedStringsPath = folderOf(workbookPath) + QStringLiteral("/sharedStrings.xml");
        if (sharedStringsPath.startsWith(u'/'))
            sharedStringsPath.remove(0, 1);
        int n = 1;
        auto used = [&](const QString &id) {
            for (const Relationship &rel : std::as_const(workbookRels)) {
                if (rel.id == id)
                    return true;
            }
            return false;
        };
        while (used(QStringLiteral("rId%1").arg(n)))
            ++n;
        const QString folder = folderOf(workbookPath);
        QString target = sharedStringsPath.mid(folder.isEmpty() ? 0 : folder.size() + 1);
        workbookRels.push_back({QStringLiteral("rId%1").arg(n), SharedStringsType, target, {}});
        contentOverrides.push_back({u'/' + sharedStringsPath, SharedStringsContent});
    }
    if (!sharedStringsPath.isEmpty()) {
        QString sst = QString::fromLatin1(XmlDeclaration);
        sst += startTag(QStringLiteral("sst"), {{QStringLiteral("xmlns"), MainNs},
                                                {QStringLiteral("count"), QString::number(uses)},
                                                {QStringLiteral("uniqueCount"), QString::number(items.size())}});
        for (const QString &item : std::as_const(items))
            sst += item;
        sst += QStringLiteral("</sst>");
        written.insert(sharedStringsPath, sst.toUtf8());
    }

    // The calculation chain would name cells that moved: drop it.
    QStringList dropped;
    for (qsizetype i = workbookRels.size() - 1; i >= 0; --i) {
        if (workbookRels[i].type.endsWith(QStringLiteral("/calcChain"))) {
            dropped.push_back(resolveTarget(workbookPath, workbookRels[i].target));
            workbookRels.remove(i);
        }
    }
    contentOverrides.removeIf([&](const QPair<QString, QString> &o) { return dropped.contains(o.first.mid(1)); });

    // The workbook part.
    {
        const QString p = prefix;
        QList<OrderedElement> elements;
        QStringList present;
        auto modelled = [&](const QString &name) -> QString {
            if (name == u"sheets") {
                QString out = u'<' + p + QStringLiteral("sheets>");
                for (const SheetEntry &e : std::as_const(sheetEntries))
                    out += startTag(p + QStringLiteral("sheet"), e.attributes, true);
                return out + QStringLiteral("</") + p + QStringLiteral("sheets>");
            }
            if (name == u"definedNames") {
                if (names.isEmpty())
                    return {};
                QString out = u'<' + p + QStringLiteral("definedNames>");
                for (const NameEntry &n : std::as_const(names))
                    out += startTag(p + QStringLiteral("definedName"), n.attributes) + escapeText(n.formula) + QStringLiteral("</") + p
                        + QStringLiteral("definedName>");
                return out + QStringLiteral("</") + p + QStringLiteral("definedNames>");
            }
            if (name == u"calcPr")
                return calcPr ? startTag(p + QStringLiteral("calcPr"), *calcPr, true) : QString();
            return {};
        };
        const QStringList names{QStringLiteral("sheets"), QStringLiteral("definedNames"), QStringLiteral("calcPr")};
        for (const OrderedElement &e : std::as_const(segments)) {
            if (names.contains(e.name)) {
                present.push_back(e.name);
                elements.push_back({e.name, modelled(e.name)});
            } else {
                elements.push_back(e);
            }
        }
        for (const QString &n : names) {
            if (!present.contains(n))
                elements.push_back({n, modelled(n)});
        }
        QString out = QString::fromLatin1(XmlDeclaration);
        out += startTag(rootName, rootAttributes);
        out += inSchemaOrder(elements, workbookOrder());
        out += QStringLiteral("</") + rootName + u'>';
        written.insert(workbookPath, out.toUtf8());
    }
    written.insert(workbookRelsPath, writeRelationships(workbookRels));
    {
        QString out = QString::fromLatin1(XmlDeclaration);
        out += startTag(QStringLiteral("Types"),
                        {{QStringLiteral("xmlns"), QStringLiteral("http://schemas.openxmlformats.org/package/2006/content-types")}});
        for (const auto &[ext, type] : std::as_const(contentDefaults))
            out += startTag(QStringLiteral("Default"), {{QStringLiteral("Extension"), ext}, {QStringLiteral("ContentType"), type}}, true);
        for (const auto &[name, type] : std::as_const(contentOverrides))
            out += startTag(QStringLiteral("Override"), {{QStringLiteral("PartName"), name}, {QStringLiteral("ContentType"), type}}, true);
        out += QStringLiteral("</Types>");
        written.insert(QStringLiteral("[Content_Types].xml"), out.toUtf8());
    }

    QList<Part> out;
    out.push_back({QStringLiteral("[Content_Types].xml"), written.take(QStringLiteral("[Content_Types].xml"))});
    for (Part &p : parts) {
        if (p.name == u"[Content_Types].xml" || dropped.contains(p.name))
            continue;
        if (const auto it = written.find(p.name); it != written.end()) {
            p.data = *it;
            written.erase(it);
        }
        out.push_back(p);
    }
    for (auto it = written.cbegin(); it != written.cend(); ++it) {
        parts.push_back({it.key(), it.value()});
        out.push_back({it.key(), it.value()});
    }
    parts.removeIf([&](const Part &p) { return dropped.contains(p.name); });
    return zip(out);
}

// ---- Workbook

Workbook::Workbook(NoSheet) : d_(std::make_unique<WorkbookData>()) {}

Workbook::Workbook(const QString &sheetName) : d_(std::make_unique<WorkbookData>())
{
    d_->load(newWorkbookParts(sheetName));
}

Workbook::~Workbook() = default;
Workbook::Workbook(Workbook &&) noexcept = default;
Workbook &Workbook::operator=(Workbook &&) noexcept = default;

Workbook Workbook::open(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nu pot deschide fisierul %1!").arg(QDir::toNativeSeparators(path)));
    Workbook wb{NoSheet{}};
    wb.d_->load(unzip(f.readAll(), QFileInfo(path).fileName()));
    return wb;
}

Workbook Workbook::fromData(const QByteArray &xlsx)
{
    Workbook wb{NoSheet{}};
    wb.d_->load(unzip(xlsx, QStringLiteral(".xlsx")));
    return wb;
}

Workbook Workbook::fromParts(const QString &folder)
{
    Workbook wb{NoSheet{}};
    wb.d_->load(readFolder(folder));
    return wb;
}

QByteArray Workbook::zipParts(const QString &folder)
{
    QList<Part> parts = readFolder(folder);
    for (Part &p : parts) {
        if (p.name.endsWith(QStringLiteral(".xml")) || p.name.endsWith(QStringLiteral(".rels")))
            p.data = minifyXml(p.data);
    }
    return zip(parts);
}

void Workbook::save(const QString &path)
{
    const QByteArray data = toData();
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(data) != data.size() || !f.commit())
        throw Error(QStringLiteral("Nu pot scrie fisierul %1!").arg(QDir::toNativeSeparators(path)));
}

QByteArray Workbook::toData() { return d_->save(); }

int Workbook::sheetCount() const { return static_cast<int>(d_->sheets.size()); }

Worksheet &Workbook::sheet(int index) { return *d_->sheets.at(static_cast<size_t>(index)); }

const Worksheet &Workbook::sheet(int index) const { return *d_->sheets.at(static_cast<size_t>(index)); }

Worksheet *Workbook::sheet(QStringView name) { return d_->sheetByName(name); }

QList<DefinedName> Workbook::definedNames() const
{
    QList<DefinedName> out;
    for (const auto &n : d_->names) {
        bool ok = false;
        const int local = attribute(n.attributes, u"localSheetId").toInt(&ok);
        out.push_back({attribute(n.attributes, u"name"), n.formula, ok ? local : -1});
    }
    return out;
}

void Workbook::recalculate() { d_->recalculate(); }

} // namespace valdora::xlsx

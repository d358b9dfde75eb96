#include "reports/xlsx/XmlParts.h"

#include "app/core/Error.h"

#include <QBuffer>
#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QXmlStreamWriter>
#include <algorithm>

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>
#include <quazip/quazipnewinfo.h>

namespace valdora::xlsx::detail {

QList<Part> unzip(const QByteArray &zipData, const QString &what)
{
    QByteArray copy = zipData;
    QBuffer buffer(&copy);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdUnzip))
        throw Error(QStringLiteral("Fisierul %1 nu este un registru de calcul .xlsx!").arg(what));
    QList<Part> parts;
    for (bool more = zip.goToFirstFile(); more; more = zip.goToNextFile()) {
        const QString name = zip.getCurrentFileName().replace(u'\\', u'/');
        if (name.endsWith(u'/'))
            continue;
        QuaZipFile file(&zip);
        if (!file.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("Fisierul %1 este deteriorat (%2)!").arg(what, name));
        parts.push_back({name, file.readAll()});
        file.close();
        if (file.getZipError() != 0)
            throw Error(QStringLiteral("Fisierul %1 este deteriorat (%2)!").arg(what, name));
    }
    zip.close();
    if (parts.isEmpty())
        throw Error(QStringLiteral("Fisierul %1 nu este un registru de calcul .xlsx!").arg(what));
    return parts;
}

QList<Part> readFolder(const QString &folder)
{
    QList<Part> parts;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot, QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        QFile f(path);
        if (!f.open(QIODevice::ReadOnly))
            throw Error(QStringLiteral("Nu pot citi %1!").arg(path));
        QString name = QDir(folder).relativeFilePath(path);
        name.replace(u'\\', u'/');
        parts.push_back({name, f.readAll()});
    }
    if (parts.isEmpty())
        throw Error(QStringLiteral("Modelul %1 lipseste!").arg(folder));
    // The content types first, then in name order, so that the archive is always the same.
    std::sort(parts.begin(), parts.end(), [](const Part &a, const Part &b) {
        const bool at = a.name == u"[Content_Types].xml";
        const bool bt = b.name == u"[Content_Types].xml";
        if (at != bt)
            return at;
        return a.name < b.name;
    });
    return parts;
}

QByteArray zip(const QList<Part> &parts)
{
    QByteArray out;
    QBuffer buffer(&out);
    QuaZip zip(&buffer);
    if (!zip.open(QuaZip::mdCreate))
        throw Error(QStringLiteral("Nu pot scrie registrul de calcul!"));
    // A fixed time: the same workbook always gives the same bytes.
    const QDateTime stamp(QDate(1980, 1, 1), QTime(0, 0));
    for (const Part &p : parts) {
        QuaZipFile file(&zip);
        QuaZipNewInfo info(p.name);
        info.dateTime = stamp;
        if (!file.open(QIODevice::WriteOnly, info) || file.write(p.data) != p.data.size())
            throw Error(QStringLiteral("Nu pot scrie registrul de calcul (%1)!").arg(p.name));
        file.close();
        if (file.getZipError() != 0)
            throw Error(QStringLiteral("Nu pot scrie registrul de calcul (%1)!").arg(p.name));
    }
    zip.close();
    if (zip.getZipError() != 0)
        throw Error(QStringLiteral("Nu pot scrie registrul de calcul!"));
    return out;
}

QByteArray minifyXml(const QByteArray &xml)
{
    QXmlStreamReader r(xml);
    r.setNamespaceProcessing(false);
    QString out;
    QXmlStreamWriter w(&out);
    QString pendingSpace;
    bool justStarted = false;
    bool hadDeclaration = false;
    while (!r.atEnd()) {
        r.readNext();
        if (r.hasError())
            return xml; // not ours to mend
        switch (r.tokenType()) {
        case QXmlStreamReader::StartDocument:
            hadDeclaration = true;
            continue;
        case QXmlStreamReader::EndDocument:
            continue;
        case QXmlStreamReader::Characters:
            if (r.isWhitespace() && !r.isCDATA()) {
                pendingSpace += r.text();
                continue;
            }
            break;
        case QXmlStreamReader::EndElement:
            // Whitespace that is all an element holds is its content.
            if (justStarted && !pendingSpace.isEmpty())
                w.writeCharacters(pendingSpace);
            break;
        default:
            break;
        }
        pendingSpace.clear();
        w.writeCurrentToken(r);
        justStarted = r.tokenType() == QXmlStreamReader::StartElement;
    }
    QByteArray result = out.toUtf8();
    if (hadDeclaration)
        result.prepend(XmlDeclaration);
    return result;
}

QString escapeText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'\r':
            out += QStringLiteral("&#13;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

QString escapeAttribute(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (QChar c : text) {
        switch (c.unicode()) {
        case u'&':
            out += QStringLiteral("&amp;");
            break;
        case u'<':
            out += QStringLiteral("&lt;");
            break;
        case u'>':
            out += QStringLiteral("&gt;");
            break;
        case u'"':
            out += QStringLiteral("&quot;");
            break;
        case u'\n':
            out += QStringLiteral("&#10;");
            break;
        case u'\r':
            out += QStringLiteral("&#13;");
            break;
        case u'\t':
            out += QStringLiteral("&#9;");
            break;
        default:
            out += c;
        }
    }
    return out;
}

namespace {

bool isHex(QChar c) { return (c >= u'0' && c <= u'9') || (c >= u'A' && c <= u'F') || (c >= u'a' && c <= u'f'); }

// "_x000D_" at i.
bool isEscapeAt(QStringView t, qsizetype i)
{
    if (i + 7 > t.size() || t[i] != u'_' || t[i + 1] != u'x' || t[i + 6] != u'_')
        return false;
    for (int k = 2; k < 6; ++k) {
        if (!isHex(t[i + k]))
            return false;
    }
    return true;
}

} // namespace

QString encodeCellText(QStringView text)
{
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        const QChar c = text[i];
        const bool control = c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r';
        if (control || c.unicode() == 0xFFFE || c.unicode() == 0xFFFF)
            out += QStringLiteral("_x%1_").arg(c.unicode(), 4, 16, QChar(u'0')).toUpper().replace(u'X', u'x');
        else if (isEscapeAt(text, i))
            out += QStringLiteral("_x005F_"); // a literal "_xHHHH_" keeps its underscore
        else
            out += c;
    }
    return out;
}

QString decodeCellText(QStringView text)
{
    if (!text.contains(u"_x"))
        return text.toString();
    QString out;
    out.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isEscapeAt(text, i)) {
            out += QChar(static_cast<char16_t>(text.mid(i + 2, 4).toUInt(nullptr, 16)));
            i += 6;
        } else {
            out += text[i];
        }
    }
    return out;
}

QString attributesXml(const Attributes &attributes)
{
    QString out;
    for (const auto &[name, value] : attributes)
        out += u' ' + name + QStringLiteral("=\"") + escapeAttribute(value) + u'"';
    return out;
}

QString startTag(const QString &name, const Attributes &attributes, bool empty)
{
    return u'<' + name + attributesXml(attributes) + (empty ? QStringLiteral("/>") : QStringLiteral(">"));
}

QString localName(QStringView qualifiedName)
{
    const qsizetype colon = qualifiedName.indexOf(u':');
    return (colon < 0 ? qualifiedName : qualifiedName.mid(colon + 1)).toString();
}

QString prefixOf(QStringView qualifiedName)
{
    const qsizetype colon = qualifiedName.indexOf(u':');
    return colon < 0 ? QString() : qualifiedName.left(colon + 1).toString();
}

Attributes readAttributes(const QXmlStreamReader &reader)
{
    Attributes out;
    const QXmlStreamAttributes attrs = reader.attributes();
    out.reserve(attrs.size());
    for (const QXmlStreamAttribute &a : attrs)
        out.push_back({a.qualifiedName().toString(), a.value().toString()});
    // Namespace declarations are ordinary attributes here (no namespace
    // processing), but keep them even if the reader reported them apart.
    for (const QXmlStreamNamespaceDeclaration &n : reader.namespaceDeclarations()) {
        const QString name = n.prefix().isEmpty() ? QStringLiteral("xmlns") : QStringLiteral("xmlns:") + n.prefix().toString();
        if (attribute(out, name).isNull())
            out.push_back({name, n.namespaceUri().toString()});
    }
    return out;
}

QString attribute(const Attributes &attributes, QStringView name)
{
    for (const auto &[n, v] : attributes) {
        if (n == name)
            return v.isNull() ? QStringLiteral("") : v;
    }
    return {};
}

void setAttribute(Attributes &attributes, const QString &name, const QString &value)
{
    for (auto &[n, v] : attributes) {
        if (n == name) {
            v = value;
            return;
        }
    }
    attributes.push_back({name, value});
}

void removeAttribute(Attributes &attributes, QStringView name)
{
    attributes.removeIf([&](const QPair<QString, QString> &a) { return a.first == name; });
}

QString captureElement(QXmlStreamReader &reader)
{
    QString out;
    QXmlStreamWriter w(&out);
    int depth = 0;
    do {
        if (reader.tokenType() == QXmlStreamReader::StartElement)
            ++depth;
        else if (reader.tokenType() == QXmlStreamReader::EndElement)
            --depth;
        w.writeCurrentToken(reader);
        if (depth == 0)
            break;
        reader.readNext();
    } while (!reader.atEnd() && !reader.hasError());
    return out;
}

QString elementText(QXmlStreamReader &reader)
{
    QString text;
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            ++depth;
        else if (reader.isEndElement())
            --depth;
        else if (reader.isCharacters())
            text += reader.text();
    }
    return text;
}

void skipElement(QXmlStreamReader &reader)
{
    int depth = 1;
    while (depth > 0 && !reader.atEnd()) {
        reader.readNext();
        if (reader.isStartElement())
            ++depth;
        else if (reader.isEndElement())
            --depth;
    }
}

QString inSchemaOrder(const QList<OrderedElement> &elements, const QStringList &order)
{
    struct Keyed {
        double key;
        const OrderedElement *element;
    };
    QList<Keyed> keyed;
    double last = -1;
    for (const OrderedElement &e : elements) {
        const qsizetype k = order.indexOf(e.name);
        if (k >= 0)
            last = static_cast<double>(k);
        keyed.push_back({k >= 0 ? last : last + 0.5, &e});
    }
    std::stable_sort(keyed.begin(), keyed.end(), [](const Keyed &a, const Keyed &b) { return a.key < b.key; });
    QString out;
    for (const Keyed &k : keyed)
        out += k.element->xml;
    return out;
}

} // namespace valdora::xlsx::detail

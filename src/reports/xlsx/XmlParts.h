#pragma once
// Helpers of the workbook layer: the parts of a zip archive, and the bits of XML
// the parts are read and written with. Internal to src/reports/xlsx.

#include "reports/xlsx/Workbook.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QXmlStreamReader>

namespace valdora::xlsx::detail {

struct Part {
    QString name; // "xl/worksheets/sheet1.xml"
    QByteArray data;
};

// Throws valdora::Error (with `what` in the message) when the archive cannot be read.
QList<Part> unzip(const QByteArray &zip, const QString &what);
QList<Part> readFolder(const QString &folder);
QByteArray zip(const QList<Part> &parts);
// XML without the whitespace that only indents it.
QByteArray minifyXml(const QByteArray &xml);

QString escapeText(QStringView text);
QString escapeAttribute(QStringView text);
// Texts in cells: control characters as _xHHHH_, as the format wants them.
QString encodeCellText(QStringView text);
QString decodeCellText(QStringView text);
QString attributesXml(const Attributes &attributes);
QString startTag(const QString &name, const Attributes &attributes, bool empty = false);

QString localName(QStringView qualifiedName);
QString prefixOf(QStringView qualifiedName); // "x:" or ""
Attributes readAttributes(const QXmlStreamReader &reader);
QString attribute(const Attributes &attributes, QStringView name);
void setAttribute(Attributes &attributes, const QString &name, const QString &value);
void removeAttribute(Attributes &attributes, QStringView name);

// The current start element and everything inside it, as XML text; the reader
// ends on its end element.
QString captureElement(QXmlStreamReader &reader);
// The text inside the current element (nested elements' text included); ends on its end element.
QString elementText(QXmlStreamReader &reader);
// Skips to the end of the current element.
void skipElement(QXmlStreamReader &reader);

constexpr char XmlDeclaration[] = "<?xml version=\"1.0\" encoding=\"UTF-8\" standalone=\"yes\"?>\n";

// Child elements written in schema order: names not in `order` stay after the
// element they followed.
struct OrderedElement {
    QString name;
    QString xml;
};
QString inSchemaOrder(const QList<OrderedElement> &elements, const QStringList &order);

} // namespace valdora::xlsx::detail

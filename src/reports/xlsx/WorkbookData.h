#pragma once
// The inside of a Workbook, shared by Workbook.cpp and Worksheet.cpp.

#include "reports/xlsx/FormulaEval.h"
#include "reports/xlsx/Workbook.h"
#include "reports/xlsx/XmlParts.h"

#include <QHash>
#include <QSet>
#include <vector>

namespace valdora::xlsx {

struct WorkbookData final : FormulaContext {
    struct Relationship {
        QString id;
        QString type;
        QString target;
        QString targetMode;
    };
    struct SharedItem {
        QString text;
        QString xml; // the whole <si> element as read
        bool rich = false;
    };
    struct SheetEntry {
        Attributes attributes;        // name, sheetId, state, r:id
        Worksheet *worksheet = nullptr; // nullptr for a chart sheet and the like
    };
    struct NameEntry {
        Attributes attributes;
        QString formula;
    };

    QList<detail::Part> parts;
    QList<QPair<QString, QString>> contentDefaults;  // extension, type
    QList<QPair<QString, QString>> contentOverrides; // part name ("/xl/workbook.xml"), type
    QString workbookPath;
    QString workbookRelsPath;
    QList<Relationship> workbookRels;

    QString rootName;
    QString prefix;
    Attributes rootAttributes;
    QList<detail::OrderedElement> segments; // modelled ones with empty xml
    QList<SheetEntry> sheetEntries;
    std::vector<std::unique_ptr<Worksheet>> sheets;
    QList<NameEntry> names;
    std::optional<Attributes> calcPr;

    QString sharedStringsPath;
    QList<SharedItem> sharedStrings;

    void load(QList<detail::Part> parts);
    QByteArray save();

    const detail::Part *part(const QString &name) const;
    // The sheet moved rows or columns: every formula and defined name follows.
    void shifted(const Worksheet *sheet, const Shift &shift);
    Worksheet *sheetByName(QStringView name) const;
    int addSharedItem(const QString &xml, const QString &text);

    // Recalculation.
    void recalculate();
    std::optional<CellValue> cellValue(const QString &sheet, int row, int column) override;
    std::optional<CellRange> usedRange(const QString &sheet) override;

private:
    std::optional<CellValue> evaluate(int sheet, int row, int column);
    QHash<quint64, std::optional<CellValue>> memo_;
    QSet<quint64> inProgress_;
    QHash<QString, CellRange> usedRanges_; // while recalculating: lower-case sheet name -> used area
};

// Text of a <si> or <is> element: its <t> runs, phonetic runs left out.
QString richText(const QString &xml, bool *rich = nullptr);

} // namespace valdora::xlsx

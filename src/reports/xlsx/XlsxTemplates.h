#pragma once
// The Excel templates of the program: the catalogue (resource names, which ones
// the office may edit and under which file name), the built-in workbooks
// compiled in as Qt resources (":/xlsx/<NAME>/", the parts kept under
// templates/xlsx/<NAME>/), writing them out, and an office's template edited in
// an older version (.xls) converted once with LibreOffice.
//
// initResources() must run once before the resources are read (a static
// library's resources are not registered on their own); every function here
// calls it, and the program calls it at start-up too.

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <functional>

namespace valdora::xlsx {

struct ExcelTemplate {
    QString resource;       // "NOTAPLATA"
    QString resourceType;   // "MODEL", or "XLS"
    QString document;       // what it is for
    bool editable = false;  // written once to the database folder and edited there
    QString fileName;       // editable: "NotaPlata.xlsx"
    QString legacyFileName; // editable: "NotaPlata.xls", as an older version wrote it
    QString replaces;       // editable: the older file deleted when this one is written
};

// Editable ones first, in the order they are written out, then the built-in ones.
const QList<ExcelTemplate> &excelTemplates();
// Ignoring case ("CalculTE" finds CALCULTE); nullptr for an unknown name.
const ExcelTemplate *findExcelTemplate(QStringView resource);

void initResources();
// The template's workbook is compiled into the program.
bool hasBuiltInTemplate(QStringView resource);
// ":/xlsx/CALCULTE"
QString builtInTemplateFolder(QStringView resource);
// The template as .xlsx bytes; valdora::Error when the program does not carry it.
QByteArray builtInTemplate(QStringView resource);
// Writes the template to a fresh file in the temporary folder, named from prefix
// (the resource name when empty) and ".xlsx"; returns its path. valdora::Error
// when it cannot be written.
QString writeBuiltInTemplate(QStringView resource, const QString &tempFolder, const QString &prefix = {});

// Writes every editable template missing from the database folder (start-up,
// after a restore), never replacing a file, and deleting the file a template
// replaces. A template whose older .xls is there is left for editableTemplate to
// convert. Returns the files written.
QStringList writeEditableTemplates(const QString &databaseFolder);

// Converts an .xls template to .xlsx (both full paths); false when it could not.
using XlsConverter = std::function<bool(const QString &xls, const QString &xlsx)>;
// LibreOffice headless, or an empty function when it is not installed.
XlsConverter libreOfficeConverter();

struct TemplateFile {
    QString path;    // the workbook to open; "" when there is none
    QString message; // for the user when the office's own template could not be used
};

// The file of an editable template in the database folder. An .xlsx there is
// used as it is; an .xls edited in an older version is converted once (the .xls
// stays as it was); when that cannot be done the built-in template is written to
// the temporary folder and used, and message says why. A template missing
// altogether is written out first.
TemplateFile editableTemplate(QStringView resource, const QString &databaseFolder, const QString &tempFolder,
                              const XlsConverter &convert = libreOfficeConverter());

} // namespace valdora::xlsx

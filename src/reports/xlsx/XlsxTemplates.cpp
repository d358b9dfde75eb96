#include "reports/xlsx/XlsxTemplates.h"

#include "app/core/Error.h"
#include "app/core/TempNames.h"
#include "reports/xlsx/LibreOffice.h"
#include "reports/xlsx/Workbook.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QTemporaryDir>
#include <mutex>
#include <stdexcept>

// Outside any namespace, as the resource macro needs.
static void registerXlsxTemplateResources() { Q_INIT_RESOURCE(xlsxtemplates); }

namespace valdora::xlsx {

namespace {

ExcelTemplate editable(const char *resource, const char *type, const char *file, const char *document,
                       const char *replaces = "")
{
    const QString name = QString::fromLatin1(file);
    return {QString::fromLatin1(resource), QString::fromLatin1(type), QString::fromLatin1(document), true,
            name + QStringLiteral(".xlsx"), name + QStringLiteral(".xls"), QString::fromLatin1(replaces)};
}

ExcelTemplate builtIn(const char *resource, const char *document)
{
    return {QString::fromLatin1(resource), QStringLiteral("MODEL"), QString::fromLatin1(document), false, {}, {}, {}};
}

void writeBytes(const QString &path, const QByteArray &bytes)
{
    QSaveFile f(path);
    if (!f.open(QIODevice::WriteOnly) || f.write(bytes) != bytes.size() || !f.commit())
        throw Error(QStringLiteral("Nu pot scrie fisierul %1!").arg(QDir::toNativeSeparators(path)));
}

} // namespace

const QList<ExcelTemplate> &excelTemplates()
{
    static const QList<ExcelTemplate> all = [] {
        QList<ExcelTemplate> t{
            editable("NOTAPLATA", "MODEL", "NotaPlata", "payment note", "Instiintare.rtf"),
            editable("BORDINS", "MODEL", "BordInstiintari", "bordereau of payment notes"),
            editable("BORDSOM", "MODEL", "BordSomatii", "bordereau of somations and titles"),
            editable("LISTPLAT", "XLS", "ListPlat", "payment list of the cash register"),
            editable("REGCASA", "XLS", "RegCasa", "cash register"),
            editable("FORMULAR1", "MODEL", "Formular1", "notice of payment"),
            builtIn("CALCULTI", "calculation sheet, intravilan land"),
            builtIn("CALCULTE", "calculation sheet, extravilan land"),
        };
        for (const char *r : {"BORDRCINC", "CENNC", "CCI", "MODCONTOT", "CHITRAM", "NOTASERV"})
            t.push_back(builtIn(r, "cash register statement"));
        t.push_back(builtIn("SITEXEC", "situation of enforcement measures"));
        for (const char *r : {"AMENZI1", "MATRICTOT", "GRAD",     "MODELRAM", "LISTADEINC", "DEINCASAT", "RMTEREN", "RMCLADIRI",
                              "RMAUTO",  "BORDEROU",  "BDBS",     "LISTAAUTO", "SCUTIRI",   "TE",        "PAZAPSI", "CENRES",
                              "PESTE12", "SANALITICA", "PARTIZI", "NECLADIRI", "LISTAPERS", "NRPERS"})
            t.push_back(builtIn(r, "list or register"));
        for (const char *r : {"A1A", "A1B", "A2PF", "A3", "A4", "A5", "A6", "A7", "A9", "A10"})
            t.push_back(builtIn(r, "annex for the audit court"));
        t.push_back(builtIn("DIFERENTE", "comparison of land with the agricultural register"));
        return t;
    }();
    return all;
}

const ExcelTemplate *findExcelTemplate(QStringView resource)
{
    for (const ExcelTemplate &t : excelTemplates()) {
        if (t.resource.compare(resource, Qt::CaseInsensitive) == 0)
            return &t;
    }
    return nullptr;
}

void initResources()
{
    static std::once_flag once;
    std::call_once(once, [] { registerXlsxTemplateResources(); });
}

QString builtInTemplateFolder(QStringView resource)
{
    const ExcelTemplate *t = findExcelTemplate(resource);
    return QStringLiteral(":/xlsx/") + (t ? t->resource : resource.toString().toUpper());
}

bool hasBuiltInTemplate(QStringView resource)
{
    initResources();
    return QFileInfo(builtInTemplateFolder(resource) + QStringLiteral("/[Content_Types].xml")).isFile();
}

QByteArray builtInTemplate(QStringView resource)
{
    if (!hasBuiltInTemplate(resource))
        throw Error(QStringLiteral("Modelul %1 lipseste din program!").arg(resource.toString().toUpper()));
    return Workbook::zipParts(builtInTemplateFolder(resource));
}

QString writeBuiltInTemplate(QStringView resource, const QString &tempFolder, const QString &prefix)
{
    const QByteArray bytes = builtInTemplate(resource);
    const QString path =
        TempNames(tempFolder).temporaryFile(prefix.isEmpty() ? resource.toString() : prefix, QStringLiteral(".xlsx"));
    if (path.isEmpty())
        throw Error(QStringLiteral("Nu mai pot crea fisiere in folderul temporar!"));
    writeBytes(path, bytes);
    return path;
}

QStringList writeEditableTemplates(const QString &databaseFolder)
{
    QStringList written;
    const QDir folder(databaseFolder);
    for (const ExcelTemplate &t : excelTemplates()) {
        if (!t.editable || !hasBuiltInTemplate(t.resource))
            continue;
        const QString path = folder.filePath(t.fileName);
        if (QFileInfo::exists(path) || QFileInfo::exists(folder.filePath(t.legacyFileName)))
            continue;
        writeBytes(path, builtInTemplate(t.resource));
        if (!t.replaces.isEmpty())
            QFile::remove(folder.filePath(t.replaces));
        written.push_back(path);
    }
    return written;
}

XlsConverter libreOfficeConverter()
{
    if (findLibreOffice().isEmpty())
        return {};
    return [](const QString &xls, const QString &xlsx) {
        QTemporaryDir out;
        if (!out.isValid())
            return false;
        const QString converted = convertWithLibreOffice(xls, QStringLiteral("xlsx"), out.path());
        return !converted.isEmpty() && moveFile(converted, xlsx);
    };
}

TemplateFile editableTemplate(QStringView resource, const QString &databaseFolder, const QString &tempFolder,
                              const XlsConverter &convert)
{
    const ExcelTemplate *t = findExcelTemplate(resource);
    if (!t || !t->editable)
        throw std::invalid_argument("not an editable Excel template");
    const QDir folder(databaseFolder);
    const QString xlsx = folder.filePath(t->fileName);
    const QString xls = folder.filePath(t->legacyFileName);
    if (QFileInfo(xlsx).isFile())
        return {xlsx, {}};
    if (!QFileInfo(xls).isFile()) {
        if (!hasBuiltInTemplate(t->resource))
            return {};
        writeEditableTemplates(databaseFolder);
        return {QFileInfo(xlsx).isFile() ? xlsx : QString(), {}};
    }
    QString message;
    if (!convert) {
        message = QStringLiteral("Modelul %1 a fost modificat intr-o versiune mai veche a programului.\r"
                                 "Pentru a-l folosi, instalati LibreOffice: programul il va converti in %2.\r"
                                 "Pana atunci se foloseste modelul initial.")
                      .arg(t->legacyFileName, t->fileName);
    } else {
        bool converted = convert(xls, xlsx) && QFileInfo(xlsx).isFile();
        if (converted) {
            try {
                Workbook::open(xlsx);
            } catch (const Error &) {
                converted = false;
            }
        }
        if (converted)
            return {xlsx, {}};
        QFile::remove(xlsx); // a half-made file would be taken for the office's own next time
        message = QStringLiteral("Modelul %1 nu a putut fi convertit in %2.\r"
                                 "Se foloseste modelul initial. Deschideti %1 si salvati-l ca %2.")
                      .arg(t->legacyFileName, t->fileName);
    }
    if (!hasBuiltInTemplate(t->resource))
        return {{}, message};
    return {writeBuiltInTemplate(t->resource, tempFolder, QFileInfo(t->fileName).completeBaseName()), message};
}

} // namespace valdora::xlsx

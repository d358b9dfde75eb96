#include "app/docs/TemplateCatalogue.h"

#include "app/core/Error.h"
#include "app/core/TempNames.h"
#include "app/docs/DocumentFiles.h"
#include "app/docs/Resources.h"

#include <QFileInfo>

namespace valdora::docs {
namespace {

QString extensionOf(TemplateKind kind)
{
    switch (kind) {
    case TemplateKind::Rtf: return QStringLiteral(".rtf");
    case TemplateKind::Excel: return QStringLiteral(".xls");
    case TemplateKind::Pdf: return QStringLiteral(".pdf");
    }
    return {};
}

} // namespace

const std::vector<EditableTemplate> &editableTemplates()
{
    using K = TemplateKind;
    const QString M = QStringLiteral("MODEL");
    static const std::vector<EditableTemplate> rows{
        {"POPANGAJ", M, K::Rtf, "PopAngaj2.rtf", {}, {"PopAngaj.rtf"}, "garnishment address to an employer"},
        {"POPBANCA", M, K::Rtf, "PopBanca2.rtf", {}, {"PopBanca.rtf"}, "garnishment address to a bank"},
        // Deleting the natural-person certificate first makes the next row write it again.
        {"CFISCALPJ", M, K::Rtf, "CFiscalPJ.rtf", {"CFiscal4.rtf"}, {}, "fiscal certificate, legal persons"},
        {"CFISCAL", M, K::Rtf, "CFiscal4.rtf", {}, {}, "fiscal certificate, natural persons"},
        {"NOTAPLATA", M, K::Excel, "NotaPlata.xls", {}, {"Instiintare.rtf"}, "payment note"},
        {"TITLU", M, K::Rtf, "Titlu.rtf", {}, {}, "somation with enforcement title"},
        {"SISTARE", M, K::Rtf, "Sistare.rtf", {}, {}, "suspension of enforcement"},
        {"ANGAJAMENT", M, K::Rtf, "Angajament.rtf", {}, {}, "payment commitment"},
        {"CONFIRMARED", M, K::Rtf, "ConfirmareD.rtf", {}, {}, "confirmation of receipt of debts"},
        {"BORDINS", M, K::Excel, "BordInstiintari.xls", {}, {}, "bordereau of payment notes"},
        {"BORDSOM", M, K::Excel, "BordSomatii.xls", {}, {}, "bordereau of somations and titles"},
        {"LISTPLAT", QStringLiteral("XLS"), K::Excel, "ListPlat.xls", {}, {}, "payment list of the cash register"},
        {"REGCASA", QStringLiteral("XLS"), K::Excel, "RegCasa.xls", {}, {}, "cash register"},
        {"DECLIMPPF", M, K::Rtf, "DeclImpPF.rtf", {}, {}, "tax assessment decision, natural persons"},
        {"DECLIMPPJ", M, K::Rtf, "DeclImpPJ.rtf", {}, {}, "tax assessment decision, legal persons"},
        {"FORMULAR1", M, K::Excel, "Formular1.xls", {}, {}, "notice of payment"},
        {"PVAUTOIN", M, K::Rtf, "PVAutoIn.rtf", {}, {}, "record of taking a vehicle into the register"},
        {"PVAUTOOUT", M, K::Rtf, "PVAutoOut.rtf", {}, {}, "record of taking a vehicle out of the register"},
        {"ITL016", M, K::Rtf, "ITL016.rtf", {}, {}, "declaration for taking a vehicle out of the register"},
        {"AVIZ", M, K::Rtf, "Aviz.rtf", {}, {}, "notice of fiscal inspection"},
    };
    return rows;
}

const std::vector<BuiltInTemplate> &builtInTemplates()
{
    static const std::vector<BuiltInTemplate> rows = [] {
        std::vector<BuiltInTemplate> r{{"CHITANTA", TemplateKind::Rtf, "receipt"}};
        auto excel = [&r](std::initializer_list<const char *> names, const char *document) {
            for (const char *n : names)
                r.push_back({QString::fromLatin1(n), TemplateKind::Excel, QString::fromLatin1(document)});
        };
        excel({"CALCULTI", "CALCULTE"}, "calculation sheets of a role");
        excel({"BORDRCINC", "CENNC", "CCI", "MODCONTOT", "CHITRAM", "NOTASERV"}, "cash register statements");
        excel({"SITEXEC"}, "situation of enforcement measures");
        excel({"AMENZI1", "MATRICTOT", "GRAD", "MODELRAM", "LISTADEINC", "DEINCASAT", "RMTEREN", "RMCLADIRI",
               "RMAUTO", "BORDEROU", "BDBS", "LISTAAUTO", "SCUTIRI", "TE", "PAZAPSI", "CENRES", "PESTE12",
               "SANALITICA", "PARTIZI", "NECLADIRI", "LISTAPERS", "NRPERS"},
              "lists and registers");
        excel({"A1A", "A1B", "A2PF", "A3", "A4", "A5", "A6", "A7", "A9", "A10"}, "annexes for the audit court");
        excel({"DIFERENTE"}, "comparison of land with the agricultural register");
        for (const char *n : {"COD2016", "ANAF", "L239"})
            r.push_back({QString::fromLatin1(n), TemplateKind::Pdf, QStringLiteral("law text")});
        return r;
    }();
    return rows;
}

const EditableTemplate *editableTemplateForFile(const QString &file)
{
    for (const EditableTemplate &t : editableTemplates())
        if (t.file.compare(file, Qt::CaseInsensitive) == 0)
            return &t;
    return nullptr;
}

QStringList WriteTemplates(const QString &databaseFolder)
{
    QStringList written;
    for (const EditableTemplate &t : editableTemplates()) {
        const QString target = databaseFolder + u'/' + t.file;
        if (QFileInfo::exists(target))
            continue;
        if (t.kind == TemplateKind::Excel && !hasResource(t.resource, t.type))
            continue;
        for (const QString &old : t.deleteBefore)
            removeDocument(databaseFolder + u'/' + old);
        SaveResource(t.resource, t.type, target);
        written.append(t.file);
        for (const QString &old : t.deleteAfter)
            removeDocument(databaseFolder + u'/' + old);
    }
    return written;
}

QString writeBuiltInTemplate(const QString &resource, const QString &tempFolder)
{
    TemplateKind kind = TemplateKind::Rtf;
    for (const BuiltInTemplate &t : builtInTemplates())
        if (t.resource.compare(resource, Qt::CaseInsensitive) == 0)
            kind = t.kind;
    const QString path = TempNames(tempFolder).temporaryFile(resource.toUpper(), extensionOf(kind));
    if (path.isEmpty())
        throw Error(QStringLiteral("Nu mai am nume libere in ") + tempFolder + u'!');
    SaveResource(resource, QStringLiteral("MODEL"), path);
    return path;
}

} // namespace valdora::docs

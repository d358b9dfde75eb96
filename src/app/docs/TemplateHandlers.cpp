#include "app/docs/TemplateHandlers.h"

#include "app/core/Error.h"
#include "app/core/TempNames.h"
#include "app/docs/DocumentFiles.h"
#include "app/docs/Resources.h"
#include "app/docs/TemplateCatalogue.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace valdora::docs {
namespace {

const QString RestoreTitle = QStringLiteral("Refacere model initial");

bool open(const DocumentSeam &seam, const QString &path)
{
    return QFileInfo(path).isFile() && seam.open && seam.open(path);
}

// The office's own copy of a law text: <resource>.pdf in the database folder, any case.
QString officeCopy(const QString &folder, const QString &resource)
{
    const QString wanted = resource + QStringLiteral(".pdf");
    const QStringList names = QDir(folder).entryList({QStringLiteral("*")}, QDir::Files);
    for (const QString &n : names)
        if (n.compare(wanted, Qt::CaseInsensitive) == 0)
            return folder + u'/' + n;
    return {};
}

} // namespace

bool ModelEdit(const DocsPlace &place, const QString &file, const DocumentSeam &seam)
{
    return open(seam, place.database + u'/' + file);
}

RestoreOutcome RefaModel(const DocsPlace &place, const QString &file, const DocumentSeam &seam)
{
    if (seam.message(RestoreTitle, QStringLiteral("\rDoriti sa punem inapoi modelul initial?"), seam::ButtonsDaNu,
                     seam::KindConfirmation) != seam::ResultDa)
        return RestoreOutcome::Declined;
    // A file already missing is simply written again; only one held open is refused.
    if (removeDocument(place.database + u'/' + file) == Removal::InUse) {
        seam.message(RestoreTitle, QStringLiteral("\rModelul este in utilizare!\rInchideti-l si reincercati!"),
                     seam::ButtonOk, seam::KindError);
        return RestoreOutcome::InUse;
    }
    WriteTemplates(place.database);
    seam.message(RestoreTitle, QStringLiteral("\rModelul a fost reinitializat!"), seam::ButtonOk,
                 seam::KindInformation);
    return RestoreOutcome::Restored;
}

QString LegeShow(const DocsPlace &place, const QString &resource, const DocumentSeam &seam)
{
    QString path = officeCopy(place.database, resource);
    if (path.isEmpty()) {
        path = TempNames(place.temp).temporaryFile(QStringLiteral("Lege"), QStringLiteral(".pdf"));
        if (path.isEmpty())
            throw Error(QStringLiteral("Nu mai am nume libere in ") + QDir::toNativeSeparators(place.temp) + u'!');
        SaveResource(resource, QStringLiteral("MODEL"), path);
    }
    if (QCoreApplication::instance())
        QCoreApplication::processEvents();
    open(seam, path);
    return path;
}

std::vector<MenuEntry> templateMenuEntries(const DocsPlace &place, const DocumentSeam &seam)
{
    struct Row {
        QStringList path;
        const char *edit;
        const char *restore; // nullptr: the row has no sub-menu
        const char *file;
    };
    static const std::vector<Row> rows{
        {{"Model Declaratie de impunere", "Persoane fizice"}, "DeclImpPFEdit", "DeclImpPFIni", "DeclImpPF.rtf"},
        {{"Model Declaratie de impunere", "Persoane juridice"}, "DeclImpPJEdit", "DeclImpPJIni", "DeclImpPJ.rtf"},
        {{"Model Nota de plata"}, "Mdl1", "RMInst", "NotaPlata.xls"},
        {{"Model Borderou Note de plata"}, "ModelBIns", "RModelBIns", "BordInstiintari.xls"},
        {{"Modele Executare silita", "Somatie - Titlu executoriu"}, "MdlSomTit", nullptr, "Titlu.rtf"},
        {{"Modele Executare silita", "Poprire Angajator"}, "MdlPopAngaj", nullptr, "PopAngaj2.rtf"},
        {{"Modele Executare silita", "Poprire Banca"}, "MdlPopBanca", nullptr, "PopBanca2.rtf"},
        {{"Modele Executare silita", "Sistare urmarire"}, "ModSistare", "RefaSistare", "Sistare.rtf"},
        {{"Model Borderou Somatii si Titluri"}, "ModelBSom", "RModelBSom", "BordSomatii.xls"},
        {{"Model Certificat Fiscal", "Persoane fizice"}, "ModCFPF", "RModCFPF", "CFiscal4.rtf"},
        {{"Model Certificat Fiscal", "Persoane juridice"}, "ModCFPJ", "RModCFPJ", "CFiscalPJ.rtf"},
        {{"Model Confirmarea de primire a debitelor"}, "Mdl7", nullptr, "ConfirmareD.rtf"},
        {{"Model Lista plati - Registrul de casa"}, "ListPlatB", nullptr, "ListPlat.xls"},
        {{"Model Registru de casa"}, "RegcasaB", nullptr, "RegCasa.xls"},
        {{"Modele alte formulare", "Instiintare de plata"}, "Formular1Edit", "Formular1Ini", "Formular1.xls"},
        {{"Modele alte formulare", "Aviz Control fiscal"}, "EditAviz", "RefaAviz", "Aviz.rtf"},
        {{"Modele alte formulare", "Angajament de plata"}, "EditAngaj", "RefaAngaj", "Angajament.rtf"},
        {{"Detalii Auto", "Declaratie/PV luare in evidenta Auto"}, "EditPVAutoC", "RefaPVAutoC", "PVAutoIn.rtf"},
        {{"Detalii Auto", "PV scoatere din evidenta Auto"}, "EditPVAutoV", "RefaPVAutoV", "PVAutoOut.rtf"},
        {{"Detalii Auto", "Declaratie scoatere din evidenta Auto"}, "EditITL016", "RefaITL016", "ITL016.rtf"},
    };
    std::vector<MenuEntry> entries;
    for (const Row &row : rows) {
        const QString file = QString::fromLatin1(row.file);
        const EditableTemplate *t = editableTemplateForFile(file);
        const bool carried = t && (t->kind != TemplateKind::Excel || hasResource(t->resource, t->type));
        std::function<void()> edit, restore;
        if (carried) {
            edit = [place, seam, file] { ModelEdit(place, file, seam); };
            restore = [place, seam, file] { RefaModel(place, file, seam); };
        }
        if (row.restore) {
            entries.push_back({row.path, QString::fromLatin1(row.edit), QStringLiteral("Editare model"), edit});
            entries.push_back(
                {row.path, QString::fromLatin1(row.restore), QStringLiteral("Refa modelul initial"), restore});
        } else {
            QStringList parent = row.path;
            const QString caption = parent.takeLast();
            entries.push_back({parent, QString::fromLatin1(row.edit), caption, edit});
        }
    }
    return entries;
}

std::vector<MenuEntry> lawMenuEntries(const DocsPlace &place, const DocumentSeam &seam)
{
    std::vector<MenuEntry> entries;
    const std::pair<const char *, const char *> laws[]{
        {"Legea 277 / 2015", "COD2016"}, {"Adresa M.F.2021 - Reevaluare cladiri PJ", "ANAF"}, {"Legea 239 / 2025", "L239"}};
    int n = 0;
    for (const auto &[caption, resource] : laws) {
        const QString name = QStringLiteral("Lege") + QString::number(++n);
        const QString res = QString::fromLatin1(resource);
        entries.push_back({{}, name, QString::fromLatin1(caption), [place, seam, res] { LegeShow(place, res, seam); }});
    }
    return entries;
}

} // namespace valdora::docs

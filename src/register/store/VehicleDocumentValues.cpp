#include "register/store/VehicleDocumentValues.h"

#include "admin/domain/AdminControls.h"
#include "app/core/Dates.h"
#include "app/core/Error.h"
#include "app/core/TempNames.h"
#include "app/core/Text.h"
#include "app/docs/TRTFReplace.h"

#include <QDir>
#include <QFileInfo>

namespace valdora::roles {

QString vehicleDocumentTemplate(VehicleDocument document)
{
    switch (document) {
    case VehicleDocument::EntryProtocol: return QStringLiteral("PVAutoIn.rtf");
    case VehicleDocument::ExitProtocol: return QStringLiteral("PVAutoOut.rtf");
    case VehicleDocument::Deregistration: return QStringLiteral("ITL016.rtf");
    }
    return {};
}

QString vehicleDocumentPrefix(VehicleDocument document)
{
    switch (document) {
    case VehicleDocument::EntryProtocol: return QStringLiteral("PVAutoIn");
    case VehicleDocument::ExitProtocol: return QStringLiteral("PVAutoOut");
    case VehicleDocument::Deregistration: return QStringLiteral("ITL016_");
    }
    return {};
}

QString documentDate(qint64 day) { return !register_domain::isDateDay(day) ? QString() : formatDate(dateFromDayNumber(day)); }

PlaceholderValues vehicleDocumentValues(VehicleDocument document, const admin::AdminValues &office,
                                        const RoleRecord &role, const VehicleRecord &v, QDate today)
{
    const bool entry = document == VehicleDocument::EntryProtocol;
    const qint64 number = entry ? v.PVInNr : v.PVOutNr;
    QString date = documentDate(entry ? v.DataIn : v.DataOut);
    if (document == VehicleDocument::Deregistration)
        date = formatDate(today);
    PlaceholderValues out{
        {QStringLiteral("[UAT]"), office.text(QStringLiteral("PrimariaLab"))},
        {QStringLiteral("[CUI]"), office.text(QStringLiteral("CUILab"))},
        {QStringLiteral("[NR]"), number ? QString::number(number) : QString()}, // no number yet: left blank
        {QStringLiteral("[DATA]"), date},
        {QStringLiteral("[NUMEP]"), role.NUMEP},
        {QStringLiteral("[JUDET]"), office.text(QStringLiteral("JudetulLab"))},
        {QStringLiteral("[LOCALITATEA]"), office.text(QStringLiteral("LocalitateaLab"))},
        {QStringLiteral("[SATUL]"), role.SATUL},
        {QStringLiteral("[ADRESA]"), streetAddress(role.STRADA, role.ADRESA)},
        {QStringLiteral("[CNP]"), role.CNP},
        {QStringLiteral("[ROL]"), role.ROL},
        {QStringLiteral("[MARCA]"), v.Marca},
        {QStringLiteral("[COMBUS]"), v.Combus},
        {QStringLiteral("[SERIEM]"), v.SerieM},
        {QStringLiteral("[SERIE]"), v.Serie},
    };
    if (entry)
        out.append({QStringLiteral("[ANULF]"), QString::number(v.AnulF)});
    out.append({QStringLiteral("[CAPACIT]"), QString::number(v.Capacit)});
    out.append({QStringLiteral("[TONAJ]"), QString::number(v.Tonaj)});
    out.append({QStringLiteral("[DATADOB]"), documentDate(v.DataDob)});
    if (entry) {
        out.append({QStringLiteral("[ACTD]"), v.ActD});
        out.append({QStringLiteral("[NRACTD]"), v.NrActD});
    }
    out.append({QStringLiteral("[NRDOS]"), v.NrDos});
    if (!entry) {
        out.append({QStringLiteral("[DATAINSTR]"), documentDate(v.DataInstr)});
        out.append({QStringLiteral("[ACTV]"), v.ActV});
        out.append({QStringLiteral("[NRACTV]"), v.NrActV});
        out.append({QStringLiteral("[CERTRAD]"), v.CertRad});
        out.append({QStringLiteral("[CERTRADD]"), documentDate(v.CertRadD)});
        out.append({QStringLiteral("[NUMENOU]"), v.NumeNou});
        out.append({QStringLiteral("[JUDNOU]"), v.JudNou});
        out.append({QStringLiteral("[LOCNOU]"), v.LocNou});
        out.append({QStringLiteral("[ADRNOU]"), v.AdrNou});
    }
    return out;
}

QString writeVehicleDocument(VehicleDocument document, const QString &databaseFolder, const QString &tempFolder,
                             const PlaceholderValues &values)
{
    docs::TRTFReplace rtf;
    rtf.RTFSursa = QDir(databaseFolder).filePath(vehicleDocumentTemplate(document));
    if (!QFileInfo(rtf.RTFSursa).isFile())
        throw Error(QStringLiteral("Nu gasesc modelul ") + QDir::toNativeSeparators(rtf.RTFSursa) + u'!');
    rtf.RTFDest = TempNames(tempFolder).temporaryFile(vehicleDocumentPrefix(document), QStringLiteral(".rtf"));
    if (rtf.RTFDest.isEmpty() || !rtf.Prepare())
        throw Error(QStringLiteral("Nu pot scrie documentul in ") + QDir::toNativeSeparators(tempFolder) + u'!');
    for (const auto &[placeholder, value] : values)
        rtf.AddValue(placeholder, value);
    if (document == VehicleDocument::Deregistration) {
        rtf.FillFrom(QStringLiteral("ROM"));
    } else {
        rtf.WriteBody(1);
        rtf.Finish();
    }
    return rtf.RTFDest;
}

} // namespace valdora::roles

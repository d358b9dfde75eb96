#pragma once
// What the three vehicle documents print: the placeholders of each template with
// their values, in the order they are registered.

#include "register/domain/RoleRecord.h"
#include "register/store/VehicleStore.h"

#include <QDate>
#include <QList>
#include <QPair>
#include <QString>

namespace valdora::admin {
class AdminValues;
}

namespace valdora::roles {

enum class VehicleDocument {
    EntryProtocol, // "Listeaza PV Luare in evidenta", PVAutoIn.rtf
    ExitProtocol,  // "Listeaza PV Scoatere din evidenta", PVAutoOut.rtf
    Deregistration // "Decl.pt.scoatere evid. ITL 016", ITL016.rtf
};

// The template's file in the database folder and the prefix of the filled copy.
QString vehicleDocumentTemplate(VehicleDocument document);
QString vehicleDocumentPrefix(VehicleDocument document);

using PlaceholderValues = QList<QPair<QString, QString>>;

// A day number as the documents print it: "dd.MM.yyyy", empty below day 101.
QString documentDate(qint64 dayNumber);

// The placeholders of `document` for the vehicle of `role`; the office's identity comes
// from the administration ("[DATA]" of the declaration is `today`).
PlaceholderValues vehicleDocumentValues(VehicleDocument document, const admin::AdminValues &office,
                                        const RoleRecord &role, const VehicleRecord &vehicle, QDate today);

// Fills the office's template of `document` (in the database folder) into a new file of the
// temporary folder and returns its path: the protocols body by body, the declaration in one
// pass from its first line holding "ROM". Throws valdora::Error when the template is missing
// or the document cannot be written.
QString writeVehicleDocument(VehicleDocument document, const QString &databaseFolder, const QString &tempFolder,
                             const PlaceholderValues &values);

} // namespace valdora::roles

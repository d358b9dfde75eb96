#pragma once
// Reading what the collection rules need from the database and the settings:
// the role, its balances, items and bordereaux, the settings the rules read,
// the classification codes and the receipts already issued.

#include "collections/domain/CollectionSettings.h"
#include "collections/domain/ReceiptDocument.h"
#include "collections/domain/RoleSituation.h"

#include <optional>

namespace valdora {
class Database;
class SettingsFile;
namespace admin {
class AdminValues;
}
}

namespace valdora::collections {

struct RoleHeader {
    qint64 IDGOS = 0;
    QString SATUL, ROL, NUMEP, CNP, STRADA, ADRESA, TIP, NOTAX;
    bool naturalPerson() const { return TIP.trimmed() != QLatin1String("JURIDICA"); }
};

std::optional<RoleHeader> loadRole(Database &db, qint64 IDGOS);
// The role's rows and this year's granted discounts, for a calculation on `date`.
RoleSituationInput loadSituationInput(Database &db, const RoleHeader &role, QDate date, int workingYear);
CollectionSettings collectionSettings(const admin::AdminValues &values, int workingYear);
std::vector<ClassificationCode> loadClassificationCodes(Database &db);
// ROL of the stored receipt with this series and number, if there is one.
std::optional<QString> receiptOwner(Database &db, const QString &SERIA, qint64 NR);
// The last closed year (VARIABILE / ANINCHIS), when one is set.
std::optional<int> closedYear(const SettingsFile &settings);

} // namespace valdora::collections

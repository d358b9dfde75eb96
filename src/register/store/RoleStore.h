#pragma once
// The roles of the register (Gospodar) in the database: listing, the look-ups
// of the role dialog, and adding, changing and deleting a role, each in one
// transaction. Rows of a role are found by its IDGOS, never by locality and
// number, which may repeat.

#include "register/domain/RoleRecord.h"

#include <QStringList>
#include <functional>
#include <optional>
#include <vector>

namespace valdora {
class Database;
class SettingsFile;
}

namespace valdora::roles {

std::vector<RoleRecord> loadRoles(Database &db);
std::optional<RoleRecord> loadRole(Database &db, qint64 IDGOS);

// Suggestions of the role dialog, in Romanian order.
QStringList distinctStreets(Database &db);
QStringList distinctOperatorTags(Database &db); // non-empty INDOP

// The highest role number that is a number (ROLNUM); nullopt when there is none.
std::optional<double> highestRoleNumber(Database &db);
// Roles with this number in any locality, the role exceptIDGOS left out (0: none).
int roleNumberUses(Database &db, const QString &rol, qint64 exceptIDGOS);

struct RoleName {
    QString ROL;
    QString NUMEP;
};
// A role other than exceptIDGOS holding this CNP / CUI.
std::optional<RoleName> roleWithCode(Database &db, const QString &cnp, qint64 exceptIDGOS);

// Inserts the role with the next IDGOS of the settings counter and its four
// zero page rows; returns the IDGOS.
qint64 addRole(Database &db, SettingsFile &settings, const RoleRecord &role);
// Rewrites the role (found by role.IDGOS); its debts and balances (Datorii,
// SoldCalc) take the new locality and number. Receipts keep what they printed.
void updateRole(Database &db, const RoleRecord &role);
// The tables a role's rows are deleted from, in order, with the progress
// position reached after each (0 for the ones that do not move it).
struct RoleTable {
    const char *table;
    int progress;
};
const std::vector<RoleTable> &roleTables();
// Deletes every row of the role from roleTables(); `progress` gets the positions.
void deleteRole(Database &db, qint64 IDGOS, const std::function<void(int)> &progress = {});

// The zero rows of Pag1, Pag4, Pag7 and Pag8 that the role does not have yet.
void createZeroPageRows(Database &db, qint64 IDGOS);

} // namespace valdora::roles

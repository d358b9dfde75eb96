#pragma once
// The land constants and a role's land rows as the land tax reads them: the
// constants from the administration values at the moment of computing, the
// areas from the role's Pag1 / Pag4 row.

#include "register/domain/LandTax.h"

namespace valdora {
class Database;
namespace admin {
class AdminValues;
}
}

namespace valdora::roles {

ExtravilanLandConstants extravilanConstants(const admin::AdminValues &values);
IntravilanLandConstants intravilanConstants(const admin::AdminValues &values);
// The role's page rows (zeros when it has none).
ExtravilanLandRow extravilanRow(Database &db, qint64 IDGOS);
IntravilanLandRow intravilanRow(Database &db, qint64 IDGOS);

} // namespace valdora::roles

#pragma once
// The one row a role has in each table of the pages edited in place
// (Pag1, Pag4, Pag7, Pag8), read and written by the page's definition.

#include "app/core/Currency.h"
#include "register/domain/RolePageFields.h"

#include <optional>
#include <vector>

namespace valdora {
class Database;
}

namespace valdora::roles {

// The values of the role's row in the page's order; nullopt when it has none.
std::optional<std::vector<Currency>> readPageRow(Database &db, const RolePageDef &page, qint64 IDGOS);
// The same, inserting the zero row (and giving zeros) when the role has none.
std::vector<Currency> loadPageRow(Database &db, const RolePageDef &page, qint64 IDGOS);
// One UPDATE of every column; a row missing meanwhile is inserted instead.
// A value that does not fit its column is refused (valdora::Error) and nothing is written.
void storePageRow(Database &db, const RolePageDef &page, qint64 IDGOS, const std::vector<Currency> &values);

} // namespace valdora::roles

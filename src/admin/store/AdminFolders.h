#pragma once
// Checks of the folders chosen on the general page of the administration.

#include <QString>

namespace valdora::admin {

// A server database folder: it holds Valdora.db with the role tables.
bool isServerDatabase(const QString &folder);
// The folder accepts a new file (created and deleted again).
bool isWritableFolder(const QString &folder);
// An agricultural-register database folder: it holds "Ra2025.set".
bool isAgriculturalRegister(const QString &folder);

} // namespace valdora::admin

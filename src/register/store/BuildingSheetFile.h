#pragma once
// The calculation sheet of a building as a plain text file in the temporary
// folder, for the system's text viewer.

#include <QString>
#include <QStringList>

namespace valdora::roles {

// Writes the lines (UTF-8, CRLF) to the first free "FisCCladiri<n>.txt" of the
// folder and returns its path. Throws valdora::Error when no file can be written.
QString writeBuildingSheet(const QString &tempFolder, const QStringList &lines);

} // namespace valdora::roles

#pragma once
// A calculation sheet as a plain text file in the temporary folder, for the
// system's text viewer.

#include <QString>
#include <QStringList>

namespace valdora::roles {

// Writes the lines (UTF-8, CRLF) to the first free prefix + "<n>.txt" of the
// folder ("FisCCladiri", "FisCAuto") and returns its path. Throws valdora::Error
// when no file can be written.
QString writeCalculationSheet(const QString &tempFolder, const QString &prefix, const QStringList &lines);

} // namespace valdora::roles

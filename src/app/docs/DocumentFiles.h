#pragma once
// Documents the office may have open in its word processor. Windows refuses to
// delete a file Word holds open; LibreOffice keeps the file deletable but marks
// it with a lock file ".~lock.<name>#" beside it, so both count as "in use".

#include <QString>

namespace valdora::docs {

// The lock file LibreOffice writes beside a document it has open.
QString officeLockFile(const QString &path);
// True when a word processor has the file open (as far as it can be told).
bool fileInUse(const QString &path);

enum class Removal { Removed, Missing, InUse };
// Deletes a document unless it is open; a missing file is told apart from one in use.
Removal removeDocument(const QString &path);

} // namespace valdora::docs

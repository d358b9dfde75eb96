#include "app/docs/DocumentFiles.h"

#include <QFile>
#include <QFileInfo>

namespace valdora::docs {

QString officeLockFile(const QString &path)
{
    const QFileInfo info(path);
    return info.path() + QStringLiteral("/.~lock.") + info.fileName() + u'#';
}

bool fileInUse(const QString &path)
{
    return QFileInfo::exists(officeLockFile(path));
}

Removal removeDocument(const QString &path)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return Removal::Missing;
    if (fileInUse(path))
        return Removal::InUse;
    return QFile::remove(path) ? Removal::Removed : Removal::InUse;
}

} // namespace valdora::docs

#include "app/core/Folders.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>
#include <QTemporaryFile>

namespace valdora {
namespace {
QString stripSeparator(QString p)
{
    p = QDir::cleanPath(p);
    while (p.size() > 1 && (p.endsWith(u'/') || p.endsWith(u'\\')))
        p.chop(1);
    return p;
}

bool writable(const QString &dir)
{
    QTemporaryFile probe(dir + QStringLiteral("/.valdora-probe-XXXXXX"));
    return probe.open();
}
} // namespace

Folders Folders::under(const QString &programFolder)
{
    Folders f;
    f.program = stripSeparator(programFolder);
    f.localData = f.program + QStringLiteral("/Data");
    f.database = f.localData;
    f.temp = f.program + QStringLiteral("/Temp");
    f.tmpSql = f.program + QStringLiteral("/TmpSQL");
    return f;
}

QString Folders::programFolderOf(const QString &executableDir)
{
    if (writable(executableDir))
        return stripSeparator(executableDir);
    const QString appData = QStandardPaths::writableLocation(QStandardPaths::AppLocalDataLocation);
    QDir().mkpath(appData);
    return stripSeparator(appData);
}

bool Folders::create() const
{
    QDir d;
    return d.mkpath(localData) && d.mkpath(temp) && d.mkpath(tmpSql);
}

Folders &runFolders()
{
    static Folders f;
    return f;
}

} // namespace valdora

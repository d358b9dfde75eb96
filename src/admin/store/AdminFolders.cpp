#include "admin/store/AdminFolders.h"

#include "app/db/Database.h"

#include <QDir>
#include <QFile>

namespace valdora::admin {

bool isServerDatabase(const QString &folder)
{
    static const QStringList tables{"Gospodar", "Pag1", "Pag2", "Pag8", "Pag4", "Pag7", "Datorii"};
    return Database::fileHasTables(QDir::cleanPath(folder) + u'/' + QString::fromLatin1(Database::FileName), tables);
}

bool isWritableFolder(const QString &folder)
{
    const QString probe = QDir::cleanPath(folder) + QStringLiteral("/test.txt");
    QFile f(probe);
    if (!f.open(QIODevice::WriteOnly))
        return false;
    f.close();
    return QFile::remove(probe);
}

bool isAgriculturalRegister(const QString &folder)
{
    const QDir d(folder);
    for (const QString &name : d.entryList(QDir::Files))
        if (name.compare(QLatin1String("Ra2025.set"), Qt::CaseInsensitive) == 0)
            return true;
    return false;
}

} // namespace valdora::admin

#include "app/core/TempNames.h"

#include <QDir>
#include <QFile>

namespace valdora {

QString TempNames::temporaryFile(const QString &prefix, const QString &extension) const
{
    QDir().mkpath(folder_);
    for (int n = 0; n <= 100; ++n) {
        const QString p = folder_ + u'/' + prefix + QString::number(n) + extension;
        if (!QFile::exists(p) || QFile::remove(p))
            return p;
    }
    return {};
}

QString TempNames::temporarySubfolder(const QString &name) const
{
    if (!QDir().mkpath(folder_))
        return {};
    for (int n = 0; n < 50; ++n) {
        const QString p = folder_ + u'/' + name + QString::number(n);
        QDir d(p);
        if (d.exists() && !d.removeRecursively())
            continue;
        if (QDir().mkpath(p))
            return p;
    }
    return {};
}

bool moveFile(const QString &source, const QString &destination)
{
    QFile in(source);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QFile out(destination);
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
        return false;
    while (!in.atEnd()) {
        const QByteArray block = in.read(64 * 1024);
        if (block.isEmpty() && !in.atEnd())
            return false;
        if (out.write(block) != block.size())
            return false;
    }
    out.close();
    in.close();
    if (out.error() != QFile::NoError)
        return false;
    return QFile::remove(source);
}

bool removeFolder(const QString &path)
{
    QDir d(path);
    return !d.exists() || d.removeRecursively();
}

} // namespace valdora

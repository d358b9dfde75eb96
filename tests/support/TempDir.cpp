#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

namespace valdora::test {

TempDir::TempDir() : path_(dir_.path()) {}

QString writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QFile f(path);
    if (f.open(QIODevice::WriteOnly))
        f.write(bytes);
    return path;
}

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

} // namespace valdora::test

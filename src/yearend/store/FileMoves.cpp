#include "yearend/store/FileMoves.h"

#include "app/core/Error.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <vector>

namespace valdora::yearend {

QString freshSubfolder(const QString &parent, const QString &prefix)
{
    if (!QDir().mkpath(parent))
        return {};
    for (int n = 0; n < 1000; ++n) {
        const QString p = parent + u'/' + prefix + QString::number(n);
        if (QFileInfo::exists(p))
            continue;
        if (QDir().mkdir(p))
            return p;
    }
    return {};
}

bool copyFileReplacing(const QString &from, const QString &to)
{
    QFile in(from);
    if (!in.open(QIODevice::ReadOnly))
        return false;
    QSaveFile out(to);
    if (!out.open(QIODevice::WriteOnly))
        return false;
    while (!in.atEnd()) {
        const QByteArray block = in.read(256 * 1024);
        if (block.isEmpty() && in.error() != QFile::NoError)
            return false;
        if (out.write(block) != block.size())
            return false;
    }
    if (in.error() != QFile::NoError)
        return false;
    return out.commit();
}

bool moveFileTo(const QString &from, const QString &to)
{
    if (QFileInfo::exists(to))
        return false;
    if (QFile::rename(from, to))
        return true;
    // Another file system: copy, then remove the original.
    if (!copyFileReplacing(from, to))
        return false;
    if (!QFile::remove(from)) {
        QFile::remove(to);
        return false;
    }
    return true;
}

void swapInFiles(const QString &staging, const QString &target, const QStringList &placed, const QStringList &retired)
{
    struct Move { QString from, to; };
    std::vector<Move> done;
    auto move = [&](const QString &from, const QString &to) {
        if (!moveFileTo(from, to)) {
            for (auto it = done.rbegin(); it != done.rend(); ++it)
                moveFileTo(it->to, it->from);
            throw Error(QStringLiteral("Fisierul %1 nu poate fi mutat in %2.")
                            .arg(QDir::toNativeSeparators(from), QDir::toNativeSeparators(to)));
        }
        done.push_back({from, to});
    };
    for (const QString &name : retired)
        if (QFileInfo::exists(target + u'/' + name))
            move(target + u'/' + name, staging + u'/' + name + QStringLiteral(".old"));
    for (const QString &name : placed) {
        if (QFileInfo::exists(target + u'/' + name))
            move(target + u'/' + name, staging + u'/' + name + QStringLiteral(".old"));
        move(staging + u'/' + name, target + u'/' + name);
    }
}

} // namespace valdora::yearend

#include "app/docs/Resources.h"

#include "app/core/Error.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>
#include <mutex>

// Outside any namespace, as the resource initialiser requires.
static void registerTemplateResources()
{
    Q_INIT_RESOURCE(doctemplates);
}

namespace valdora::docs {

void initResources()
{
    static std::once_flag once;
    std::call_once(once, registerTemplateResources);
}

namespace {

// Resources are compiled in under ":/<TYPE>/<NAME>" in capitals.
QString resourcePath(const QString &name, const QString &type)
{
    return QStringLiteral(":/") + type.toUpper() + u'/' + name.toUpper();
}

} // namespace

std::optional<QByteArray> resourceBytes(const QString &name, const QString &type)
{
    initResources();
    if (name.trimmed().isEmpty())
        return std::nullopt;
    QFile f(resourcePath(name, type));
    if (!f.open(QIODevice::ReadOnly))
        return std::nullopt;
    return f.readAll();
}

bool hasResource(const QString &name, const QString &type)
{
    initResources();
    return !name.trimmed().isEmpty() && QFile::exists(resourcePath(name, type));
}

void SaveResource(const QString &name, const QString &type, const QString &path)
{
    const std::optional<QByteArray> bytes = resourceBytes(name, type);
    if (!bytes)
        throw Error(QStringLiteral("Resursa ") + name + QStringLiteral(" (") + type +
                    QStringLiteral(") lipseste din program!"));
    QSaveFile out(path);
    if (!out.open(QIODevice::WriteOnly) || out.write(*bytes) != bytes->size() || !out.commit())
        throw Error(QStringLiteral("Nu pot scrie fisierul ") + QDir::toNativeSeparators(path) + u'!');
}

} // namespace valdora::docs

#include "app/core/SettingsFile.h"

#include "app/core/Cp1250.h"
#include "app/core/Error.h"
#include "app/core/FileLock.h"
#include "app/core/IniFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

namespace valdora {

SettingsFile::SettingsFile(QString path) : path_(std::move(path)) {}

IniFile SettingsFile::load() const
{
    QFile f(path_);
    if (!f.exists())
        return {};
    if (!f.open(QIODevice::ReadOnly))
        throw Error(QStringLiteral("Nu se poate citi fisierul %1").arg(path_));
    return IniFile::parse(decodeCp1250(f.readAll()));
}

void SettingsFile::save(const IniFile &ini)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    QSaveFile f(path_);
    if (!f.open(QIODevice::WriteOnly) || f.write(encodeCp1250(ini.serialize())) < 0 || !f.commit())
        throw Error(QStringLiteral("Nu se poate scrie fisierul %1").arg(path_));
}

void SettingsFile::lockedUpdate(void (*fn)(IniFile &, void *), void *ctx)
{
    QDir().mkpath(QFileInfo(path_).absolutePath());
    FileLock lock(lockPath());
    IniFile ini = load();
    fn(ini, ctx);
    save(ini);
}

IniFile SettingsFile::snapshot() const { return load(); }

QString SettingsFile::read(const QString &section, const QString &key) const { return load().value(section, key); }

bool SettingsFile::hasKey(const QString &section, const QString &key) const { return load().hasKey(section, key); }

void SettingsFile::write(const QString &section, const QString &key, const QString &value)
{
    update([&](IniFile &ini) { ini.setValue(section, key, value); });
}

qint64 parseCounter(const QString &section, const QString &key, const QString &value)
{
    const QString t = value.trimmed();
    if (t.isEmpty())
        return 1;
    bool ok = false;
    const qint64 n = t.toLongLong(&ok);
    if (!ok)
        throw Error(QStringLiteral("Contorul %1 din sectiunea %2 a fisierului de setari nu este un numar: \"%3\"")
                        .arg(key, section, value));
    return n;
}

qint64 SettingsFile::nextNumber(const QString &section, const QString &key)
{
    qint64 taken = 0;
    update([&](IniFile &ini) {
        taken = parseCounter(section, key, ini.value(section, key));
        ini.setValue(section, key, QString::number(taken + 1));
    });
    return taken;
}

qint64 SettingsFile::peekNumber(const QString &section, const QString &key) const
{
    return parseCounter(section, key, read(section, key));
}

} // namespace valdora
